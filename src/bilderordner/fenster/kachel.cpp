#include "bilderordner/fenster/kachel.h"

#include "bilderordner/fenster/bildliste.h"
#include "regeln/ansicht.h"
#include "toolkit/units.h"

#include <QApplication>
#include <QPainter>

namespace kbb::fenster {

Kachel::Kachel(QObject* parent) : QStyledItemDelegate(parent), wortSchrift_(tk::toQFont(kb::KnopfSchrift))
{
    urteilSchrift_ = QApplication::font();
    urteilSchrift_.setPixelSize(11);
}

QSize Kachel::sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const
{
    return Groesse;
}

void Kachel::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    QPainter& p = *painter;
    p.save();
    const QRect r = option.rect.adjusted(3, 3, -3, -3);
    const auto schwere = Schwere(index.data(Bildliste::SchwereRolle).toInt());
    QColor grund = schwere == Schwere::HaeltAn ? QColor(0xFB, 0xDA, 0xD7) : QColor(Qt::white);
    if (option.state & QStyle::State_Selected)
        grund = option.palette.color(QPalette::Highlight).lighter(170);
    p.setPen(option.state & QStyle::State_Selected ? option.palette.color(QPalette::Highlight)
                                                   : QColor(0xD0, 0xD0, 0xD0));
    p.setBrush(grund);
    p.drawRoundedRect(QRectF(r).adjusted(0.5, 0.5, -0.5, -0.5), 4, 4);

    const QRect bildFeld(r.left() + (r.width() - Vorschau.width()) / 2, r.top() + 5, Vorschau.width(),
                         Vorschau.height());
    maleVorschau(p, bildFeld, index);

    const QRect wortFeld(r.left() + 4, bildFeld.bottom() + 4, r.width() - 8, 18);
    p.setFont(wortSchrift_);
    p.setPen(Qt::black);
    const QString wort = index.data(Qt::DisplayRole).toString();
    p.drawText(
        wortFeld, Qt::AlignCenter,
        QFontMetrics(wortSchrift_)
            .elidedText(wort.isEmpty() ? QStringLiteral("–") : wort, Qt::ElideRight, wortFeld.width()));

    const QRect urteilFeld(r.left() + 4, wortFeld.bottom() + 1, r.width() - 8,
                           r.bottom() - wortFeld.bottom() - 2);
    p.setFont(urteilSchrift_);
    p.setPen(index.data(Bildliste::FarbeRolle).value<QColor>());
    p.drawText(urteilFeld, Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap,
               index.data(Bildliste::UrteilRolle).toString());
    p.restore();
}

void Kachel::maleVorschau(QPainter& p, const QRect& feld, const QModelIndex& index) const
{
    const QImage bild = index.data(Qt::DecorationRole).value<QImage>();
    if (!bild.isNull()) {
        const QSize s = bild.size().scaled(feld.size(), Qt::KeepAspectRatio).boundedTo(bild.size());
        const QRect ziel(feld.left() + (feld.width() - s.width()) / 2,
                         feld.top() + (feld.height() - s.height()) / 2, s.width(), s.height());
        p.drawImage(ziel, bild);
        if (!gemalt_) {
            gemalt_ = true;
            Q_EMIT ersteVorschauGemalt();
        }
        return;
    }
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xEE, 0xEE, 0xEE));
    p.drawRect(feld);
    if (index.data(Bildliste::KeinBildRolle).toBool()) {
        p.setPen(QPen(QColor(0xB0, 0x10, 0x10), 3));
        const QRect x = QRect(0, 0, 30, 30).translated(feld.center() - QPoint(15, 15));
        p.drawLine(x.topLeft(), x.bottomRight());
        p.drawLine(x.topRight(), x.bottomLeft());
    }
}

} // namespace kbb::fenster
