#include "toolkit/controls.h"

#include "toolkit/units.h"
#include "toolkit/visibletext.h"

#include <QFile>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QStyleOption>
#include <QTextDocument>
#include <QTextLayout>
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

// Breaks a label's text into lines as Qt's own labels do and puts each line on
// its baseline. Qt starts each line on the whole pixel after the font's leading.
// A substitute for a face of other metrics goes where that face would have put
// it instead: the first baseline one of its ascents below the top, the next ones
// a line of its ascent and descent apart, each rounded to the nearest pixel so
// that no rounding adds up down a label. For Comic Neue that makes lines about a
// fifth taller than Qt's (1.394 em against 1.15 em); the screens were laid out
// with those taller lines, and every wrapped label still holds its text: the
// longest, five lines of 16.7 pixels, needs 84 of the 105 pixels of its label.
void layOut(QTextLayout& layout, const QLabel& label)
{
    const std::optional<LineMetrics> face = layoutFaceLines(label.font());
    QTextOption option(Qt::AlignLeft);
    option.setWrapMode(label.wordWrap() ? QTextOption::WordWrap : QTextOption::ManualWrap);
    if (!label.wordWrap())
        option.setFlags(QTextOption::IncludeTrailingSpaces);
    layout.setTextOption(option);
    const qreal leading = QFontMetricsF(label.font()).leading();
    qreal top = -leading;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(label.wordWrap() ? label.width() : 0x01000000);
        if (face)
            top = qRound(face->ascent + line.lineNumber() * face->height()) - line.ascent();
        else
            top = qCeil(top + leading);
        line.setPosition(QPointF(0, top));
        top += line.ascent() + line.descent(); // QTextLine::height() is rounded up
    }
    layout.endLayout();
}

qreal indentOf(const QTextLine& line, const QLabel& label)
{
    const qreal room = label.width() - line.horizontalAdvance();
    if (label.alignment() & Qt::AlignRight)
        return room;
    return label.alignment() & Qt::AlignHCenter ? room / 2 : 0;
}

// A label that draws its own lines, so that they lie where layOut puts them.
class LabelWidget final : public QLabel {
public:
    using QLabel::QLabel;

    // Each line's text and the left end of its baseline.
    QList<Label::TextLine> lines() const
    {
        QTextLayout layout(layoutText(), font(), const_cast<LabelWidget*>(this));
        layOut(layout, *this);
        QList<Label::TextLine> result;
        for (int i = 0; i < layout.lineCount(); ++i) {
            const QTextLine line = layout.lineAt(i);
            QString text = layout.text().mid(line.textStart(), line.textLength());
            text.remove(QChar::LineSeparator);
            result.append({text, QPointF(indentOf(line, *this), line.y() + line.ascent())});
        }
        return result;
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QTextLayout layout(layoutText(), font(), this);
        layOut(layout, *this);
        QPainter painter(this);
        QStyleOption option;
        option.initFrom(this);
        painter.setPen(option.palette.color(foregroundRole()));
        for (int i = 0; i < layout.lineCount(); ++i)
            layout.lineAt(i).draw(&painter, QPointF(indentOf(layout.lineAt(i), *this), 0));
    }

private:
    // Qt's text layout breaks lines at the line separator, not at a line feed.
    QString layoutText() const { return QString(text()).replace(QLatin1Char('\n'), QChar::LineSeparator); }
};

} // namespace

// ---- Label ---------------------------------------------------------------

Label::Label(Form& form, const ControlDef& def, QWidget* parent)
    : ControlOf(form, def), caption_(QString::fromUtf8(def.caption)), backColor_(def.backColor),
      autoSize_(def.autoSize)
{
    auto* l = new LabelWidget(parent);
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

QList<Label::TextLine> Label::lines() const
{
    return static_cast<const LabelWidget*>(label())->lines();
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
    // Width and height follow the caption in its font, lines as high as layOut
    // sets them; Left and Top stay, so the label grows to the right. An empty
    // caption leaves a sliver of 6 pixels.
    const QFontMetrics fm(label()->font());
    const std::optional<LineMetrics> face = layoutFaceLines(label()->font());
    const QStringList lines = displayText(caption_).split(QLatin1Char('\n'));
    int w = 0;
    for (const QString& line : lines)
        w = std::max(w, fm.horizontalAdvance(line));
    if (caption_.isEmpty())
        w = 6;
    width_ = pixelsToTwips(w);
    const int lineCount = int(lines.size());
    height_ = pixelsToTwips(face ? qCeil(face->height() * lineCount) : fm.height() * lineCount);
    applyGeometry();
}

// ---- TextBox -------------------------------------------------------------

TextBox::TextBox(Form& form, const ControlDef& def, QWidget* parent) : ControlOf(form, def)
{
    auto* e = new QLineEdit(parent);
    e->setFocusPolicy(Qt::StrongFocus);
    e->setText(QString::fromUtf8(def.caption));
    keepSingleLine(e);
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
