#include "support/schirmwege.h"

#include <functional>
#include <vector>

namespace kbtest {

namespace {

using Schritt = std::function<void(Spiel&)>;

struct Weg {
    QString schirm;
    QString von; // the screen the steps start on
    std::vector<Schritt> schritte;
};

Schritt klick(const char* name, int index = -1)
{
    return [name, index](Spiel& spiel) {
        if (spiel.aktuell())
            Spiel::klickAnStelle(spiel.aktuell()->control(QString::fromUtf8(name), index));
    };
}

Schritt nameEingeben()
{
    return [](Spiel& spiel) {
        Spiel::tippen(spiel.aktuell()->find<tk::TextBox>(QStringLiteral("txtBenutzername")).widget(),
                      QStringLiteral("Anna"));
        klick("cmdStart")(spiel);
    };
}

// Lets every timer of the screen tick once, as the clock would.
Schritt ticken()
{
    return [](Spiel& spiel) {
        for (const auto& c : spiel.aktuell()->controls())
            if (c->kind() == tk::Kind::Timer)
                static_cast<tk::Timer*>(c.get())->fire();
        Spiel::ruhe();
    };
}

// Clicks the button until the next screen opens: a level's last picture leads
// to its board.
Schritt klickBisWechsel(const char* name)
{
    return [name](Spiel& spiel) {
        const QString von = spiel.aktuellerName();
        for (int i = 0; i < 10 && spiel.aktuellerName() == von; ++i)
            klick(name)(spiel);
    };
}

Schritt stufe(const char* knopf)
{
    return [knopf](Spiel& spiel) {
        spiel.services.promptAnswers = {QStringLiteral("3")};
        klick(knopf)(spiel);
    };
}

const std::vector<Weg>& wege()
{
    static const std::vector<Weg> alle{
        {u"frmStart"_s, u"frmSplash"_s, {klick("lblTitel")}},
        {u"frmSpiel"_s, u"frmStart"_s, {nameEingeben()}},
        {u"frmSchwierigkeit"_s, u"frmSpiel"_s, {klick("cmdweiter")}},
        {u"frmSchw1"_s, u"frmSchwierigkeit"_s, {stufe("cmdschweins"), klick("cmdweiter")}},
        {u"frmSchw2"_s, u"frmSchwierigkeit"_s, {stufe("cmdschwzwei"), klick("cmdweiter")}},
        {u"frmSchw3"_s, u"frmSchwierigkeit"_s, {stufe("cmdschwdrei"), ticken()}},
        {u"frmSchw4"_s, u"frmSchwierigkeit"_s, {stufe("cmdschwvier"), ticken()}},
        {u"frmSchw5"_s, u"frmSchwierigkeit"_s, {stufe("cmdschwfünf"), ticken()}},
        {u"frmAusw1"_s, u"frmSchw1"_s, {klickBisWechsel("cmdweiter"), klick("cmdeins", 2)}},
        {u"frmAusw2"_s, u"frmSchw2"_s, {klickBisWechsel("cmdweiter"), klick("cmdeins", 5)}},
        {u"frmAuswert1"_s, u"frmAusw1"_s, {klick("cmdeins", 0), klick("cmdeins", 1), klick("cmdeins", 3)}},
        {u"frmAuswert2"_s,
         u"frmAusw2"_s,
         {klick("cmdeins", 0), klick("cmdeins", 1), klick("cmdeins", 2), klick("cmdeins", 3),
          klick("cmdeins", 4), klick("cmdeins", 6)}},
    };
    return alle;
}

const Weg* wegZu(const QString& schirm)
{
    for (const Weg& w : wege())
        if (w.schirm == schirm)
            return &w;
    return nullptr;
}

} // namespace

QStringList alleSchirme()
{
    QStringList namen{u"frmSplash"_s};
    for (const Weg& w : wege())
        namen << w.schirm;
    return namen;
}

bool erreiche(Spiel& spiel, const QString& schirm)
{
    if (schirm == u"frmSplash"_s) {
        spiel.starte(schirm);
    } else {
        const Weg* weg = wegZu(schirm);
        if (!weg || !erreiche(spiel, weg->von))
            return false;
        for (const Schritt& s : weg->schritte)
            s(spiel);
    }
    Spiel::ruhe();
    return spiel.aktuellerName() == schirm && spiel.aktuell()->window()->isVisible();
}

} // namespace kbtest
