#pragma once

// Every kind of control a layout can place but the link control, which has a
// header of its own. Each family has its own source file.
#include "toolkit/control.h"
#include "toolkit/linkcontrol.h"
#include "toolkit/picture.h"

#include <QPointF>
#include <QStringList>

class QLabel;
class QLineEdit;
class QPushButton;
class QTimer;

namespace tk {

// A label: a caption in the screen's or its own font, opaque or transparent. An
// AutoSize label takes the size of its caption and grows to the right.
class Label : public ControlOf<Kind::Label> {
public:
    Label(Form& form, const ControlDef& def, QWidget* parent);
    const QString& Caption() const { return caption_; }
    void setCaption(const QString& caption);
    OleColor BackColor() const { return backColor_; }
    bool AutoSize() const { return autoSize_; }

    // One line of the caption as the label draws it: its text and the left end
    // of its baseline, in the label's pixels.
    struct TextLine {
        QString text;
        QPointF baseline;
    };
    QList<TextLine> lines() const;

private:
    void fitToCaption();
    QLabel* label() const;
    QString caption_;
    OleColor backColor_;
    bool autoSize_;
};

// A one-line text box without a length limit.
class TextBox : public ControlOf<Kind::TextBox> {
public:
    TextBox(Form& form, const ControlDef& def, QWidget* parent);
    QString Text() const;
    void setText(const QString& text);

private:
    QLineEdit* edit() const;
};

// An embedded document shown read-only: rich text from the program's resources.
class Document : public ControlOf<Kind::Document> {
public:
    Document(Form& form, const ControlDef& def, QWidget* parent);
};

// A command button. The standard style keeps the desktop's button look whatever
// BackColor says; the graphical style shows BackColor as a plain block.
class CommandButton : public ControlOf<Kind::CommandButton> {
public:
    CommandButton(Form& form, const ControlDef& def, QWidget* parent);
    ButtonStyle Style() const { return style_; }
    // Read back exactly as written, whatever the style shows.
    OleColor BackColor() const { return backColor_; }
    void setBackColor(OleColor colour);
    const QString& Caption() const { return caption_; }
    void setCaption(const QString& caption);
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

// An image control: shows a picture at its own size, never stretched. On a
// screen of more device pixels to a pixel the picture is scaled smoothly from its
// own pixels to that screen's, so it stays as large as in a plain window.
class Image : public ControlOf<Kind::Image> {
public:
    Image(Form& form, const ControlDef& def, QWidget* parent);
    const Picture& picture() const { return picture_; }
    // Takes the picture's own size (top-left corner stays) and shows the part of
    // it that lies inside the screen's client area.
    void setPicture(const Picture& picture);

private:
    Picture picture_;
};

// The hidden list of the files in one folder: ordinary files only, hidden files
// left out, sorted by name without regard to case, at most 32767 of them.
class FileListBox : public ControlOf<Kind::FileListBox> {
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

// The names of the ordinary files in a folder as the list shows them: sorted by
// their case-folded names, names that are no text in the system's encoding left
// out, at most 32767. An empty list for a folder that cannot be read.
QStringList listedFileNames(const QString& folder);

// A timer: raises its Timer event every Interval milliseconds while enabled. It
// ticks precisely (Qt's coarse timers may shift a 3-second pace by 150 ms).
class Timer : public ControlOf<Kind::Timer> {
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

// A frame: a sunken box that holds other controls, which are placed relative to it.
class Frame : public ControlOf<Kind::Frame> {
public:
    Frame(Form& form, const ControlDef& def, QWidget* parent);
};

} // namespace tk
