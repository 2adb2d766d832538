#pragma once

#include "bilderordner/kern/aenderung.h"

#include <QString>

namespace kbb {

struct Hinzugefuegt {
    bool ok = false;
    // The word is taken by another file (any extension, any case): refused unless
    // asked to replace. `vorhanden` names that file.
    bool wortVorhanden = false;
    QString vorhanden;
    QString datei;       // the new file's name in the folder
    QString meldung;     // a German sentence: what was done or why not
    Aenderung aenderung; // what it changed in the folder
};

// Adds a picture from any file Qt can read as one, for the given word: turned as
// the camera says, scaled down (never up) until it is seen whole on the
// presentation screens, saved as "<word>.jpg" for a JPEG source and as
// "<word>.png" otherwise, through a temporary file. With `ersetzen`, files that
// already give the word move to "aussortiert" first.
Hinzugefuegt fuegeBildHinzu(const QString& ordner, const QString& quelle, const QString& wort,
                            bool ersetzen = false);

// Why the file cannot be a picture to add, told without opening it: it is gone,
// or it is no ordinary file but a pipe, a device or a socket, which may never
// give an end. A German sentence; empty for an ordinary file.
QString keineBildquelle(const QString& quelle);

// The word proposed for a file: its base name without the extension, trimmed;
// empty where the name is no word but one a camera, a phone or a screenshot
// tool made ("IMG_20251006_101522", "DSC01234", "Screenshot_…", only digits).
QString wortVorschlag(const QString& dateiname);

// Why a typed word cannot be a file name here, as a German sentence; empty if it can.
QString wortFehler(const QString& wort);

} // namespace kbb
