#pragma once

#include "toolkit/units.h"

#include <QWidget>

class QScreen;

namespace tk {

// A plain window of one colour that covers a whole screen, the desktop
// included, with no frame to drag or close. While one exists the screens of the
// program are shown inside it instead of as windows of their own, each in its
// middle, and dialogs stand above its middle. There is at most one.
class Backdrop final : public QWidget {
public:
    Backdrop(QScreen* screen, OleColor colour);
    ~Backdrop() override;
    Backdrop(const Backdrop&) = delete;
    Backdrop& operator=(const Backdrop&) = delete;

    // The backdrop now shown, or none when the screens are windows of their own.
    static Backdrop* current();

    // The program's screen now shown on it, if any.
    QWidget* shownScreen() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void childEvent(QChildEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;

private:
    void centre(QWidget* screen) const;
    void centreDialog(QWidget* dialog) const;
    void nameAfter(const QWidget* screen);
    void passOn(QKeyEvent* event);

    bool passing_ = false;
};

} // namespace tk
