#pragma once

#include "toolkit/control.h"
#include "toolkit/layout.h"

#include <QHash>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <vector>

class QWidget;

namespace tk {

class CommandButton;
class Form;
class FormWindow;

inline constexpr bool vbModal = true;
inline constexpr bool vbModeless = false;

// What a screen needs of the program that runs it. Every event of a screen runs
// through dispatch(), the one place where a run-time error ends the program.
class FormHost {
public:
    virtual void dispatch(const std::function<void()>& handler) = 0;
    virtual void show(const QString& screen, bool modal) = 0;
    virtual void unload(Form& form) = 0;
    virtual void end() = 0;

protected:
    ~FormHost() = default;
};

// A screen: built from its stored layout when loaded, destroyed when unloaded.
// Subclasses find their controls once, when they are built, bind their handlers
// and add the Load step.
class Form {
public:
    explicit Form(const FormLayout& layout);
    virtual ~Form();
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    // The program's window icon in its sizes (resources), for the screens whose
    // layout asks for it.
    static void setIconFiles(const QStringList& files);

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

    // Controls by name, and members of control arrays by name and index. A name
    // the layout does not have is run-time error 424, another kind of control 13.
    Control& control(const QString& name, int index = -1) const;
    template <typename T> T& find(const QString& name, int index = -1) const
    {
        Control& c = control(name, index);
        if (c.kind() != T::ControlKind)
            throw RuntimeError::typeMismatch();
        return static_cast<T&>(c);
    }
    template <typename T> ControlArray<T> findArray(const QString& name) const
    {
        std::vector<T*> members;
        for (Control* c : arrayMembers(name, T::ControlKind))
            members.push_back(static_cast<T*>(c));
        return ControlArray<T>(name, std::move(members));
    }
    bool hasControl(const QString& name, int index = -1) const;
    const std::vector<std::unique_ptr<Control>>& controls() const { return controls_; }

    QWidget* window() const;
    // Runs a handler of this screen through the program that runs it.
    void dispatch(const std::function<void()>& handler) const;

protected:
    // The classic statements: show a screen, unload this one, end the program.
    void Show(const QString& screen, bool modal = vbModeless) const;
    void Unload();
    void End() const;

    // A click on the screen itself, and key presses while KeyPreview is set.
    void onFormClick(std::function<void()> handler) { formClick_ = std::move(handler); }
    void onKeyPress(std::function<void(int)> handler) { keyPress_ = std::move(handler); }

    // The window is shown only once the Load step has finished; a Load that waits
    // for a dialog says so and finishes later with finishLoad().
    void waitForLoad() { loadWaiting_ = true; }
    void finishLoad();

    // The prompt dialog and the message box. They return at once; the answer
    // comes later as an event of this screen, and not at all once it is unloaded.
    void InputBox(const QString& prompt, const QString& title, std::function<void(const QString&)> answer);
    void MsgBox(const QString& text, const QString& title, std::function<void()> closed);

private:
    friend class FormWindow;
    friend class Program;
    FormHost& host() const;
    std::vector<Control*> arrayMembers(const QString& name, Kind kind) const;
    CommandButton* defaultButton() const;
    CommandButton* cancelButton() const;
    void build(const FormLayout& layout);
    void addControl(const ControlDef& def);
    void setTabOrder();
    void nameTextBoxes();
    void centre();
    void present();
    void focusFirst();
    void applySize();
    // The window is being deleted from outside: nothing may touch it any more.
    void loseWindow();

    QString name_;
    QString caption_;
    StartUp startUp_;
    bool keyPreview_;
    double width_ = 0, height_ = 0;
    bool sized_ = false;
    bool placed_ = false;
    bool loadWaiting_ = false;
    bool showRequested_ = false;
    FormHost* host_ = nullptr;
    QPointer<FormWindow> window_;
    std::vector<std::unique_ptr<Control>> controls_;
    QHash<QString, Control*> byName_;
    std::function<void()> formClick_;
    std::function<void(int)> keyPress_;
    // Lets the answers of dialogs that outlive the screen find it gone.
    std::shared_ptr<int> alive_ = std::make_shared<int>(0);
};

} // namespace tk
