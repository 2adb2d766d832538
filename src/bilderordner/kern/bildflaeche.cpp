#include "bilderordner/kern/bildflaeche.h"

#include "presentation/stufen.h"
#include "shell/modSkalieren.h"
#include "toolkit/units.h"

#include <algorithm>

namespace kbb {

namespace {

// FormSkalieren gives each presentation screen an outer size of 12000 x 9000
// twips. Its client area is that less the window frame, and the frame belongs to
// the window manager. The layouts were drawn in the classic frame, 4-pixel
// borders and a 19-pixel title bar, that is 120 x 405 twips: the stored client
// area of every presentation layout is exactly the outer size less that frame
// (11880 x 8595 twips, 792 x 573 pixels). We judge in that client area. Thinner
// frames show a few pixels more; a frameless window (the offscreen platform)
// shows 800 x 600, which is what the load check decodes, to be on the safe side.
constexpr double RahmenBreite = 120.0;
constexpr double RahmenHoehe = 405.0;

const tk::ControlDef& steuerelement(const tk::FormLayout& layout, const char* name)
{
    return *std::find_if(layout.controls.begin(), layout.controls.end(),
                         [name](const tk::ControlDef& d) { return qstrcmp(d.name, name) == 0; });
}

QRect inPixeln(double left, double top, double width, double height)
{
    return QRect(tk::twipsToPixels(left), tk::twipsToPixels(top), tk::twipsToPixels(width),
                 tk::twipsToPixels(height));
}

Bildflaeche berechne()
{
    using namespace kb::modSkalieren;
    const QSize client(tk::twipsToPixels(FensterBreite - RahmenBreite),
                       tk::twipsToPixels(FensterHoehe - RahmenHoehe));
    const QSize ohneRahmen(tk::twipsToPixels(FensterBreite), tk::twipsToPixels(FensterHoehe));
    Bildflaeche f;
    for (const kb::Stufe& stufe : kb::stufen()) {
        const tk::FormLayout& layout = kb::layout(stufe);
        const tk::ControlDef& bild = steuerelement(layout, "imgBild");
        const QPoint ecke = inPixeln(bild.left, bild.top, 0, 0).topLeft();
        // The image control lies at the same place on every level; the button
        // cmdweiter lies above the picture, but only levels 1 and 2 show it.
        f.sichtbar = QSize(client.width() - ecke.x(), client.height() - ecke.y());
        f.dekodiert =
            QRect(QPoint(0, 0), QSize(ohneRahmen.width() - ecke.x(), ohneRahmen.height() - ecke.y()));
        const tk::ControlDef& knopf = steuerelement(layout, "cmdweiter");
        if (knopf.visible) {
            const QRect r = inPixeln(knopf.left, knopf.top, knopf.width, knopf.height).translated(-ecke);
            f.knoepfe.append(r & QRect(QPoint(0, 0), f.sichtbar));
        }
    }
    return f;
}

} // namespace

const Bildflaeche& bildflaeche()
{
    static const Bildflaeche f = berechne();
    return f;
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

} // namespace kbb
