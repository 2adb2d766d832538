#include "shell/toolkit/steuerelemente.h"

#include "shell/toolkit/dateinamen.h"
#include "shell/toolkit/dienste.h"
#include "shell/toolkit/einheiten.h"
#include "shell/toolkit/form.h"
#include "shell/toolkit/laufzeitfehler.h"
#include "shell/toolkit/programm.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontMetrics>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <algorithm>

namespace tk {

namespace {

QString displayText(const QString& caption)
{
    // Captions break lines with a carriage return alone.
    QString text = caption;
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

void setColour(QWidget* w, QPalette::ColorRole role, OleColor colour)
{
    QPalette p = w->palette();
    p.setColor(role, toQColor(colour));
    w->setPalette(p);
}

Qt::Alignment toQt(Align a)
{
    switch (a) {
    case Align::Center:
        return Qt::AlignHCenter | Qt::AlignTop;
    case Align::Right:
        return Qt::AlignRight | Qt::AlignTop;
    case Align::Left:
        break;
    }
    return Qt::AlignLeft | Qt::AlignTop;
}

} // namespace

// ---- Control -------------------------------------------------------------

Control::Control(Form& form, const ControlDef& def)
    : form_(form), name_(QString::fromUtf8(def.name)), index_(std::int16_t(def.index)), kind_(def.kind),
      left_(def.left), top_(def.top), width_(def.width), height_(def.height), visible_(def.visible),
      enabled_(def.enabled), toolTip_(QString::fromUtf8(def.toolTip)), tabIndex_(def.tabIndex)
{
}

Control::~Control() = default;

void Control::attach(QWidget* widget, const ControlDef& def)
{
    widget_ = widget;
    widget->setObjectName(name_);
    widget->setProperty("index", int(index_));
    if (def.font.name || def.font.size > 0)
        widget->setFont(toQFont(def.font));
    if (!toolTip_.isEmpty())
        widget->setToolTip(toolTip_);
    widget->setEnabled(enabled_);
    widget->installEventFilter(form_.window());
    applyGeometry();
    widget->setVisible(visible_);
}

void Control::applyGeometry()
{
    if (widget_)
        widget_->setGeometry(twipsToPixels(left_), twipsToPixels(top_), twipsToPixels(width_),
                             twipsToPixels(height_));
}

void Control::setLeft(double twips)
{
    left_ = twips;
    applyGeometry();
}
void Control::setTop(double twips)
{
    top_ = twips;
    applyGeometry();
}
void Control::setWidth(double twips)
{
    width_ = twips;
    applyGeometry();
}
void Control::setHeight(double twips)
{
    height_ = twips;
    applyGeometry();
}
void Control::move(double left, double top)
{
    left_ = left;
    top_ = top;
    applyGeometry();
}

void Control::setVisible(bool visible)
{
    visible_ = visible;
    if (widget_)
        widget_->setVisible(visible);
}

void Control::setEnabled(bool enabled)
{
    enabled_ = enabled;
    if (widget_)
        widget_->setEnabled(enabled);
}

bool Control::takesFocus() const
{
    return widget_ && widget_->focusPolicy() != Qt::NoFocus && visible_ && enabled_;
}

// ---- Label ---------------------------------------------------------------

Label::Label(Form& form, const ControlDef& def, QWidget* parent)
    : Control(form, def), caption_(QString::fromUtf8(def.caption)), backColor_(def.backColor),
      autoSize_(def.autoSize)
{
    auto* l = new QLabel(parent);
    l->setTextFormat(Qt::PlainText);
    l->setMargin(0);
    l->setIndent(0);
    l->setAlignment(toQt(def.alignment));
    l->setWordWrap(!def.autoSize);
    l->setFocusPolicy(Qt::NoFocus);
    l->setAutoFillBackground(!def.transparent);
    if (!def.transparent)
        setColour(l, QPalette::Window, def.backColor == NoColor ? SysButtonFace : def.backColor);
    setColour(l, QPalette::WindowText, def.foreColor == NoColor ? SysWindowText : def.foreColor);
    l->setText(displayText(caption_));
    attach(l, def);
    if (autoSize_)
        fitToCaption();
}

QLabel* Label::label() const
{
    return static_cast<QLabel*>(widget_.data());
}

void Label::setCaption(const QString& caption)
{
    caption_ = caption;
    label()->setText(displayText(caption));
    if (autoSize_)
        fitToCaption();
}

void Label::fitToCaption()
{
    // Width and height follow the caption in its font; Left and Top stay, so the
    // label grows to the right. An empty caption leaves a sliver of 6 pixels.
    const QFontMetrics fm(label()->font());
    const QStringList lines = displayText(caption_).split(QLatin1Char('\n'));
    int w = 0;
    for (const QString& line : lines)
        w = std::max(w, fm.horizontalAdvance(line));
    if (caption_.isEmpty())
        w = 6;
    width_ = pixelsToTwips(w);
    height_ = pixelsToTwips(fm.height() * int(lines.size()));
    applyGeometry();
}

// ---- TextBox -------------------------------------------------------------

TextBox::TextBox(Form& form, const ControlDef& def, QWidget* parent) : Control(form, def)
{
    auto* e = new QLineEdit(parent);
    e->setFocusPolicy(Qt::StrongFocus);
    e->setText(QString::fromUtf8(def.caption));
    attach(e, def);
}

QLineEdit* TextBox::edit() const
{
    return static_cast<QLineEdit*>(widget_.data());
}
QString TextBox::Text() const
{
    return edit()->text();
}
void TextBox::setText(const QString& text)
{
    edit()->setText(text);
}

// ---- CommandButton -------------------------------------------------------

CommandButton::CommandButton(Form& form, const ControlDef& def, QWidget* parent)
    : Control(form, def), caption_(QString::fromUtf8(def.caption)), backColor_(def.backColor),
      style_(def.style), default_(def.isDefault), cancel_(def.isCancel)
{
    auto* b = new QPushButton(caption_, parent);
    b->setAutoDefault(false);
    b->setDefault(false);
    b->setFocusPolicy(Qt::StrongFocus);
    attach(b, def);
    paintStyle();
    QObject::connect(b, &QPushButton::clicked, b, [this] {
        if (onClick)
            Program::instance().dispatch(onClick);
    });
}

QPushButton* CommandButton::button() const
{
    return static_cast<QPushButton*>(widget_.data());
}

void CommandButton::setCaption(const QString& caption)
{
    caption_ = caption;
    button()->setText(caption);
}

void CommandButton::setBackColor(OleColor colour)
{
    backColor_ = colour;
    paintStyle();
}

void CommandButton::paintStyle()
{
    // Only the graphical style shows its colour; the standard style keeps the
    // desktop's button look whatever BackColor says.
    if (style_ != ButtonStyle::Graphical)
        return;
    const QColor c = toQColor(backColor_ == NoColor ? SysButtonFace : backColor_);
    button()->setStyleSheet(QStringLiteral("QPushButton, QPushButton:disabled { background-color: %1;"
                                           " border: 1px solid #808080; }")
                                .arg(c.name()));
}

void CommandButton::press()
{
    QPushButton* b = button();
    if (b && b->isVisibleTo(form_.window()) && b->isEnabled())
        b->click();
}

// ---- Image ---------------------------------------------------------------

Image::Image(Form& form, const ControlDef& def, QWidget* parent) : Control(form, def)
{
    auto* l = new QLabel(parent);
    l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    l->setFocusPolicy(Qt::NoFocus);
    l->setAttribute(Qt::WA_TranslucentBackground);
    attach(l, def);
    if (def.picture && *def.picture)
        setPicture(Picture::fromResource(QString::fromUtf8(def.picture)));
}

void Image::setPicture(const Picture& picture)
{
    auto* l = static_cast<QLabel*>(widget_.data());
    const QPoint at = l->mapTo(form_.window(), QPoint(0, 0));
    const QSize client = form_.window()->size();
    const QRect visible(0, 0, client.width() - at.x(), client.height() - at.y());
    const QPixmap pixels = picture.decode(visible);
    picture_ = picture;
    l->setPixmap(pixels);
    if (!picture.isNull()) {
        width_ = pixelsToTwips(picture.size().width());
        height_ = pixelsToTwips(picture.size().height());
    }
    applyGeometry();
}

// ---- FileListBox ---------------------------------------------------------

FileListBox::FileListBox(Form& form, const ControlDef& def, QWidget* parent) : Control(form, def)
{
    auto* w = new QWidget(parent);
    w->setFocusPolicy(Qt::NoFocus);
    attach(w, def);
}

void FileListBox::setPath(const QString& folder)
{
    const QDir dir(folder);
    if (folder.isEmpty() || !dir.exists())
        throw RuntimeError::pathNotFound(folder);
    // Names are sorted by a case-folded key computed once per name, which is
    // much cheaper than comparing without regard to case at every step.
    std::vector<std::pair<QString, QString>> keyed;
    const QString absolute = dir.absolutePath();
    for (QString& name : plainFileNames(absolute)) {
        // A name that is no text in the system's encoding (copied from an old
        // stick, say) reads back with replacement characters, and the file cannot
        // be opened by that name: it is no part of the list.
        if (name.contains(QChar::ReplacementCharacter) &&
            !QFileInfo::exists(absolute + QLatin1Char('/') + name))
            continue;
        QString key = caseFoldedKey(name);
        keyed.emplace_back(std::move(key), std::move(name));
    }
    // One comparison of the keys decides, unless they are equal (pairs would
    // compare them twice).
    std::sort(keyed.begin(), keyed.end(), [](const auto& a, const auto& b) {
        const int byKey = QString::compare(a.first, b.first, Qt::CaseSensitive);
        return byKey != 0 ? byKey < 0 : a.second < b.second;
    });
    // The list counts its entries in 16 bits: a folder of more files lists the
    // first 32767 by name, and the game plays with those.
    if (keyed.size() > std::size_t(INT16_MAX))
        keyed.resize(std::size_t(INT16_MAX));
    QStringList names;
    names.reserve(qsizetype(keyed.size()));
    for (auto& k : keyed)
        names.append(std::move(k.second));
    path_ = absolute;
    entries_ = std::move(names);
    listIndex_ = -1;
}

std::int16_t FileListBox::ListCount() const
{
    if (entries_.size() > INT16_MAX)
        throw RuntimeError::overflow();
    return std::int16_t(entries_.size());
}

void FileListBox::setListIndex(std::int16_t index)
{
    if (index < -1 || index >= entries_.size())
        throw RuntimeError::invalidPropertyValue();
    listIndex_ = index;
}

QString FileListBox::FileName() const
{
    return listIndex_ >= 0 ? entries_.at(listIndex_) : QString();
}

// ---- Timer ---------------------------------------------------------------

Timer::Timer(Form& form, const ControlDef& def, QWidget* parent)
    : Control(form, def), interval_(def.interval), timerEnabled_(def.enabled)
{
    timer_ = new QTimer(parent);
    timer_->setObjectName(name_);
    timer_->setTimerType(Qt::PreciseTimer);
    QObject::connect(timer_, &QTimer::timeout, timer_, [this] { fire(); });
    enabled_ = true;
    restart();
}

Timer::~Timer()
{
    if (timer_)
        timer_->stop();
}

void Timer::setInterval(int milliseconds)
{
    if (milliseconds < 0 || milliseconds > 65535)
        throw RuntimeError::invalidPropertyValue();
    interval_ = milliseconds;
    restart();
}

void Timer::setTimerEnabled(bool enabled)
{
    timerEnabled_ = enabled;
    restart();
}

bool Timer::isRunning() const
{
    return timer_ && timer_->isActive();
}

void Timer::restart()
{
    if (!timer_)
        return;
    if (timerEnabled_ && interval_ > 0)
        timer_->start(interval_);
    else
        timer_->stop();
}

void Timer::fire()
{
    if (onTimer)
        Program::instance().dispatch(onTimer);
}

// ---- Frame ---------------------------------------------------------------

Frame::Frame(Form& form, const ControlDef& def, QWidget* parent) : Control(form, def)
{
    auto* f = new QFrame(parent);
    f->setFrameShape(QFrame::Box);
    f->setFrameShadow(QFrame::Sunken);
    f->setFocusPolicy(Qt::NoFocus);
    attach(f, def);
}

// ---- Document ------------------------------------------------------------

Document::Document(Form& form, const ControlDef& def, QWidget* parent) : Control(form, def)
{
    auto* l = new QLabel(parent);
    l->setTextFormat(Qt::RichText);
    l->setWordWrap(true);
    l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    l->setFocusPolicy(Qt::NoFocus);
    l->setAutoFillBackground(def.backColor != NoColor);
    if (def.backColor != NoColor)
        setColour(l, QPalette::Window, def.backColor);
    if (def.picture && *def.picture) {
        QFile file(QString::fromUtf8(def.picture));
        if (file.open(QIODevice::ReadOnly))
            l->setText(QString::fromUtf8(file.readAll()));
    }
    attach(l, def);
}

} // namespace tk
