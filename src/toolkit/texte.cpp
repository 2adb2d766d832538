#include "toolkit/steuerelemente.h"

#include "toolkit/einheiten.h"

#include <QFile>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QTextDocument>
#include <algorithm>

namespace tk {

namespace {

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

// Captions break lines with a carriage return alone; Qt breaks them at a line feed.
QString displayText(const QString& caption)
{
    QString text = caption;
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

// The document's text as a screen reader should say it. Qt would read it with an
// object-replacement character where the drawing floats.
QString readableText(const QString& html)
{
    QTextDocument document;
    document.setHtml(html);
    QString text = document.toPlainText();
    text.remove(QChar::ObjectReplacementCharacter);
    return text.trimmed();
}

} // namespace

// ---- Label ---------------------------------------------------------------

Label::Label(Form& form, const ControlDef& def, QWidget* parent)
    : ControlOf(form, def), caption_(QString::fromUtf8(def.caption)), backColor_(def.backColor),
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

TextBox::TextBox(Form& form, const ControlDef& def, QWidget* parent) : ControlOf(form, def)
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

// ---- Document ------------------------------------------------------------

Document::Document(Form& form, const ControlDef& def, QWidget* parent) : ControlOf(form, def)
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
        l->setAccessibleName(readableText(l->text()));
    }
    attach(l, def);
}

} // namespace tk
