#pragma once

#include "shell/toolkit/bild.h"
#include "shell/toolkit/layout.h"

#include <QPointer>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>
#include <memory>

class QLabel;
class QLineEdit;
class QPushButton;
class QTimer;
class QWidget;

namespace tk {

class Form;

// A control of a screen, built from one row of the screen's layout table. Screens
// speak to it in twips and the classic property names; only the toolkit touches
// the Qt widget underneath.
class Control {
public:
    Control(Form& form, const ControlDef& def);
    virtual ~Control();
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    const QString& name() const { return name_; }
    std::int16_t index() const { return index_; }
    Kind kind() const { return kind_; }
    Form& form() const { return form_; }

    double Left() const { return left_; }
    double Top() const { return top_; }
    double Width() const { return width_; }
    double Height() const { return height_; }
    void setLeft(double twips);
    void setTop(double twips);
    void setWidth(double twips);
    void setHeight(double twips);
    void move(double left, double top);

    bool Visible() const { return visible_; }
    void setVisible(bool visible);
    bool Enabled() const { return enabled_; }
    void setEnabled(bool enabled);

    const QString& ToolTipText() const { return toolTip_; }
    int TabIndex() const { return tabIndex_; }

    // Toolkit side.
    QWidget* widget() const { return widget_; }
    bool takesFocus() const;
    std::function<void()> onClick;

protected:
    void attach(QWidget* widget, const ControlDef& def);
    virtual void applyGeometry();

    Form& form_;
    QString name_;
    std::int16_t index_;
    Kind kind_;
    double left_, top_, width_, height_;
    bool visible_, enabled_;
    QString toolTip_;
    int tabIndex_;
    QPointer<QWidget> widget_;
};

class Label : public Control {
public:
    Label(Form& form, const ControlDef& def, QWidget* parent);
    const QString& Caption() const { return caption_; }
    void setCaption(const QString& caption);
    OleColor BackColor() const { return backColor_; }
    bool AutoSize() const { return autoSize_; }

private:
    void fitToCaption();
    QLabel* label() const;
    QString caption_;
    OleColor backColor_;
    bool autoSize_;
};

class TextBox : public Control {
public:
    TextBox(Form& form, const ControlDef& def, QWidget* parent);
    QString Text() const;
    void setText(const QString& text);

private:
    QLineEdit* edit() const;
};

class CommandButton : public Control {
public:
    CommandButton(Form& form, const ControlDef& def, QWidget* parent);
    const QString& Caption() const { return caption_; }
    void setCaption(const QString& caption);
    // Read back exactly as written, whatever the style shows.
    OleColor BackColor() const { return backColor_; }
    void setBackColor(OleColor colour);
    ButtonStyle Style() const { return style_; }
    bool isDefault() const { return default_; }
    bool isCancel() const { return cancel_; }
    // Clicks the button as a user would, if it can be clicked.
    void press();
    QPushButton* button() const;

private:
    void paintStyle();
    QString caption_;
    OleColor backColor_;
    ButtonStyle style_;
    bool default_, cancel_;
};

class Image : public Control {
public:
    Image(Form& form, const ControlDef& def, QWidget* parent);
    const Picture& picture() const { return picture_; }
    // Takes the picture's own size (top-left corner stays) and shows the part of
    // it that lies inside the screen's client area, never stretched.
    void setPicture(const Picture& picture);

private:
    Picture picture_;
};

// The hidden list of the files in one folder: ordinary files only, hidden files
// left out, sorted by name without regard to case, at most 32767 of them.
class FileListBox : public Control {
public:
    FileListBox(Form& form, const ControlDef& def, QWidget* parent);
    const QString& Path() const { return path_; }
    // Re-reads the folder and selects nothing. A missing folder is error 76.
    void setPath(const QString& folder);
    std::int16_t ListCount() const;
    std::int16_t ListIndex() const { return listIndex_; }
    void setListIndex(std::int16_t index);
    // The selected file name, empty while none is selected.
    QString FileName() const;
    const QStringList& entries() const { return entries_; }

private:
    QString path_;
    QStringList entries_;
    std::int16_t listIndex_ = -1;
};

class Timer : public Control {
public:
    Timer(Form& form, const ControlDef& def, QWidget* parent);
    ~Timer() override;
    int Interval() const { return interval_; }
    // 0 to 65535 milliseconds; 0 means no events. Restarts the count.
    void setInterval(int milliseconds);
    bool TimerEnabled() const { return timerEnabled_; }
    void setTimerEnabled(bool enabled);
    bool isRunning() const;
    // Raises the Timer event now, as a tick would: lets tests run timed screens
    // without waiting for the clock.
    void fire();
    std::function<void()> onTimer;

private:
    void restart();
    QPointer<QTimer> timer_;
    int interval_;
    bool timerEnabled_;
};

class Frame : public Control {
public:
    Frame(Form& form, const ControlDef& def, QWidget* parent);
};

// An embedded document shown read-only: rich text from the program's resources.
class Document : public Control {
public:
    Document(Form& form, const ControlDef& def, QWidget* parent);
};

// A link control: one inner label or picture with a pointing-hand cursor that hands
// its fixed target to the desktop when clicked. A click elsewhere on the control
// does nothing and goes no further. Its kind (a LinkType, named by the layout row)
// gives what it shows and where it leads.
class LinkControl : public Control {
public:
    LinkControl(Form& form, const ControlDef& def, QWidget* parent);
    ~LinkControl() override;

    const QString& typeName() const { return typeName_; }
    // The target as stored with the kind: web addresses without a scheme.
    const QString& target() const { return target_; }
    // The text of the inner label, or the tool tip for a picture.
    QString text() const;
    Control& innerControl() const { return *inner_; }
    QWidget* inner() const;
    // Hands the target to the desktop, as a click on the inner control does.
    void followLink();
    // What the desktop gets for a stored target: web addresses with "https://".
    static QString desktopTarget(const QString& target);

private:
    QString typeName_;
    QString target_;
    std::unique_ptr<Control> inner_;
};

} // namespace tk
