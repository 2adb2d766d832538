#include "toolkit/dialogframe.h"

#include "toolkit/systemcolours.h"

#include <QDialog>
#include <QEvent>
#include <QLabel>
#include <QPainter>
#include <utility>

namespace tk {

namespace {

// The system colours of an active title bar and of its text, and those of a
// raised edge: light above and to the left, dark below and to the right, two
// lines of each from the outside in.
constexpr int ActiveTitle = 2;
constexpr int TitleText = 9;
constexpr std::pair<int, int> EdgeLines[] = {{22, 21}, {20, 16}};

// The edge is the two lines of bevel and one of the dialog's face, as wide as
// the frame of a dialog window on the classic desktop.
constexpr int Edge = 3;

// Draws the raised edge along the inside of `r`.
void drawRaisedEdge(QPainter& painter, QRect r)
{
    for (const auto& [upperLeft, lowerRight] : EdgeLines) {
        const QColor light = systemColour(upperLeft), dark = systemColour(lowerRight);
        painter.fillRect(r.left(), r.top(), r.width(), 1, light);
        painter.fillRect(r.left(), r.top(), 1, r.height(), light);
        painter.fillRect(r.left(), r.bottom(), r.width(), 1, dark);
        painter.fillRect(r.right(), r.top(), 1, r.height(), dark);
        r.adjust(1, 1, -1, -1);
    }
}

// The strip that shows a dialog's title: the dialog's font in bold, white on
// the blue of an active title bar. It takes no input.
QLabel* titleStrip(QDialog* dialog)
{
    auto* strip = new QLabel(dialog->windowTitle(), dialog);
    strip->setObjectName(QStringLiteral("TitleStrip"));
    strip->setTextFormat(Qt::PlainText);
    strip->setAttribute(Qt::WA_TransparentForMouseEvents);
    strip->setContentsMargins(2, 1, 2, 1);
    strip->setAutoFillBackground(true);
    QPalette colours = strip->palette();
    colours.setColor(QPalette::Window, systemColour(ActiveTitle));
    colours.setColor(QPalette::WindowText, systemColour(TitleText));
    strip->setPalette(colours);
    QFont bold = strip->font();
    bold.setBold(true);
    strip->setFont(bold);
    return strip;
}

} // namespace

DialogFrame::DialogFrame(QDialog* dialog)
    : QObject(dialog), dialog_(dialog), title_(titleStrip(dialog)),
      stripHeight_(title_->fontMetrics().height() + 2) // one line and the strip's margins
{
    dialog->setWindowFlags(dialog->windowFlags() | Qt::FramelessWindowHint);
    // The dialog's own layout keeps clear of the edge and of the strip below
    // its top; one line of the face lies between the strip and the layout.
    dialog->setContentsMargins(Edge, Edge + stripHeight_ + 1, Edge, Edge);
    dialog->installEventFilter(this);
}

bool DialogFrame::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != dialog_)
        return false;
    switch (event->type()) {
    case QEvent::WindowTitleChange:
        title_->setText(dialog_->windowTitle());
        break;
    case QEvent::Resize:
        placeTitle();
        break;
    case QEvent::Paint:
        paintEdge();
        break;
    default:
        break;
    }
    return false;
}

void DialogFrame::placeTitle()
{
    title_->setGeometry(Edge, Edge, dialog_->width() - 2 * Edge, stripHeight_);
}

// The dialog paints nothing of its own over its background, so the edge can be
// drawn as its paint event begins; the controls inside lie clear of it.
void DialogFrame::paintEdge()
{
    QPainter painter(dialog_);
    drawRaisedEdge(painter, dialog_->rect());
}

} // namespace tk
