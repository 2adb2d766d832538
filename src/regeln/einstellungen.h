#pragma once

#include "toolkit/configuration.h"

#include <QString>
#include <QStringList>

namespace kb {

// What the school's administrator may set in the system configuration, with
// the values that hold without it. Without a configuration the game behaves
// as it always has: the pictures beside the program, nothing kept.
struct Einstellungen {
    QString bilderordner;   // [Bilder] Ordner=
    bool aufheben = false;  // [Ergebnisse] Aufheben=ja|nein
    QString ergebnisordner; // [Ergebnisse] Ordner=
    int tage = 365;         // [Ergebnisse] Tage=
    bool tafel = false;     // [Anzeige] Tafel=ja|nein
    bool zeiger = true;     // [Anzeige] Zeiger=ja|nein
    QString datei;          // the file read, and whether it was there
    bool gefunden = false;
    // Every line that could not be used, and what is used instead, in German.
    QStringList probleme;
};

inline constexpr const char* StandardErgebnisordner = "/var/lib/kieselblick/ergebnisse";

// Reads the settings from a configuration file; `programmOrdner` gives the
// default picture folder. Never fails: what cannot be used keeps its default.
Einstellungen leseEinstellungen(const QString& datei, const QString& programmOrdner);

// The settings of this run, read from the services' configuration file the
// first time they are asked for; `neuLesen` makes the next call read again.
const Einstellungen& einstellungen();
void einstellungenNeuLesen();

} // namespace kb
