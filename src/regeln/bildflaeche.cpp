#include "regeln/bildflaeche.h"

#include "regeln/ansicht.h"

#include <algorithm>

namespace kb {

namespace {

QSize inPixeln(double breite, double hoehe)
{
    return QSize(tk::twipsToPixels(breite), tk::twipsToPixels(hoehe));
}

// The outer size less the classic frame is the client area every presentation
// layout was drawn for (11880 x 8595 twips, 792 x 573 pixels), and the companion
// judges in it. Thinner frames show a few pixels more; a frameless window (the
// offscreen platform) shows 800 x 600, which is what the load check decodes, to
// be on the safe side.
Bildflaeche berechne()
{
    Bildflaeche f;
    f.schirm = inPixeln(FensterBreite - RahmenBreite, FensterHoehe - RahmenHoehe);
    f.ecke = QPoint(tk::twipsToPixels(BildLeft), tk::twipsToPixels(BildTop));
    f.sichtbar = QSize(f.schirm.width() - f.ecke.x(), f.schirm.height() - f.ecke.y());
    const QSize ohneRahmen = inPixeln(FensterBreite, FensterHoehe);
    f.dekodiert =
        QRect(QPoint(0, 0), QSize(ohneRahmen.width() - f.ecke.x(), ohneRahmen.height() - f.ecke.y()));
    // The button lies above the picture, but only the levels paced by click show it.
    for (const Stufe& stufe : stufen())
        if (stufe.zeigtKnopf())
            f.knoepfe.append(weiterknopf(stufe).translated(-f.ecke) & QRect(QPoint(0, 0), f.sichtbar));
    return f;
}

} // namespace

const Bildflaeche& bildflaeche()
{
    static const Bildflaeche f = berechne();
    return f;
}

QRect weiterknopf(const Stufe& stufe)
{
    return QRect(QPoint(tk::twipsToPixels(stufe.knopfLeft), tk::twipsToPixels(stufe.knopfTop)),
                 inPixeln(WeiterknopfBreite, WeiterknopfHoehe));
}

QSize wortknopf()
{
    return inPixeln(WortknopfBreite, WortknopfHoehe);
}

bool Bildflaeche::zeigtGanz(QSize bild) const
{
    const QRect r(QPoint(0, 0), bild);
    if (bild.width() > sichtbar.width() || bild.height() > sichtbar.height())
        return false;
    return std::none_of(knoepfe.begin(), knoepfe.end(), [&](const QRect& k) { return k.intersects(r); });
}

QSize Bildflaeche::eingepasst(QSize bild) const
{
    if (bild.isEmpty() || zeigtGanz(bild))
        return bild;
    // A picture seen whole lies either wholly left of every button or wholly above
    // every button; the larger of the two fits wins.
    int links = sichtbar.width(), oben = sichtbar.height();
    for (const QRect& k : knoepfe)
        links = std::min(links, k.left()), oben = std::min(oben, k.top());
    const QSize rahmen[] = {QSize(links, sichtbar.height()), QSize(sichtbar.width(), oben)};
    double faktor = 0;
    for (const QSize& r : rahmen)
        faktor =
            std::max(faktor, std::min(double(r.width()) / bild.width(), double(r.height()) / bild.height()));
    faktor = std::min(faktor, 1.0);
    return QSize(std::max(1, int(bild.width() * faktor)), std::max(1, int(bild.height() * faktor)));
}

} // namespace kb
