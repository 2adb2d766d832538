#pragma once

#include "shell/toolkit/layout.h"
#include "shell/toolkit/steuerelemente.h"

#include <QHash>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <functional>
#include <memory>
#include <vector>

namespace tk {

class Form;

// The top-level window of a screen. It routes Enter, Esc and key preview, reports
// clicks on labels, pictures, frames and the screen itself, and turns the close box
// into an unload.
class FormWindow : public QWidget {
    Q_OBJECT
public:
    explicit FormWindow(Form* form);
    void detach() { form_ = nullptr; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    bool handleKey(QKeyEvent* event);
    Form* form_;
};

// A screen: built from its stored layout when loaded, destroyed when unloaded.
// Subclasses add their handlers and the Load step.
class Form {
public:
    explicit Form(const FormLayout& layout);
    virtual ~Form();
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    const QString& name() const { return name_; }

    // The Load event: runs once, after the controls exist and before the window shows.
    virtual void Form_Load() {}

    // Outer window size in twips, title bar and border included.
    double Width() const { return width_; }
    double Height() const { return height_; }
    void setWidth(double twips);
    void setHeight(double twips);
    // Inner (client) size in twips.
    double ScaleWidth() const;
    double ScaleHeight() const;
    const QString& Caption() const { return caption_; }

    // Controls by name, and members of control arrays by name and index.
    Control& control(const QString& name, int index = -1) const;
    Label& label(const QString& name, int index = -1) const;
    TextBox& textBox(const QString& name) const;
    CommandButton& button(const QString& name, int index = -1) const;
    Image& image(const QString& name) const;
    FileListBox& fileList(const QString& name) const;
    Timer& timer(const QString& name) const;
    LinkControl& link(const QString& name) const;
    bool hasControl(const QString& name, int index = -1) const;
    const std::vector<std::unique_ptr<Control>>& controls() const { return controls_; }

    // Toolkit side.
    QWidget* window() const { return window_; }
    bool keyPreview() const { return keyPreview_; }
    CommandButton* defaultButton() const;
    CommandButton* cancelButton() const;
    // The window is shown only once the Load step has finished; a Load that waits
    // for the prompt dialog says so and finishes later with finishLoad().
    void waitForLoad() { loadWaiting_ = true; }
    void finishLoad();
    bool loadWaiting() const { return loadWaiting_; }
    void present();
    void focusFirst();
    void applySize();

protected:
    // Handlers, named after control and event in the subclasses, are bound here.
    void onClick(const QString& control, std::function<void()> handler);
    void onClickIndex(const QString& control, std::function<void(std::int16_t)> handler);
    void onTimer(const QString& timer, std::function<void()> handler);
    void onFormClick(std::function<void()> handler) { formClick_ = std::move(handler); }
    void onKeyPress(std::function<void(int)> handler) { keyPress_ = std::move(handler); }

private:
    friend class FormWindow;
    Control* find(const QString& name, int index) const;
    void build(const FormLayout& layout);
    void setTabOrder();
    void centre();

    QString name_;
    QString caption_;
    StartUp startUp_;
    bool keyPreview_;
    double width_ = 0, height_ = 0;
    bool sized_ = false;
    bool placed_ = false;
    bool loadWaiting_ = false;
    bool showRequested_ = false;
    QPointer<FormWindow> window_;
    std::vector<std::unique_ptr<Control>> controls_;
    QHash<QString, Control*> byName_;
    std::function<void()> formClick_;
    std::function<void(int)> keyPress_;
};

} // namespace tk
