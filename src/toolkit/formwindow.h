#pragma once

#include <QWidget>

namespace tk {

class Form;

// The top-level window of a screen. It routes Enter, Esc and key preview, reports
// clicks on labels, pictures, frames and the screen itself, and turns the close box
// into an unload. A window deleted from outside while its screen is loaded
// unloads the screen in the same way.
class FormWindow : public QWidget {
    Q_OBJECT
public:
    explicit FormWindow(Form* form);
    ~FormWindow() override;
    // The screen is going away while the window lingers until the event loop deletes it.
    void detach() { form_ = nullptr; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    bool handleKey(QKeyEvent* event);
    bool previewKey(QKeyEvent* event);
    bool handleControlMouse(QObject* watched, QMouseEvent* event);
    Form* form_;
};

} // namespace tk
