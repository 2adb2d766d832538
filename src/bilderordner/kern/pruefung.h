#pragma once

#include "bilderordner/kern/ordnerbericht.h"

#include <QString>

// The judgement of a picture folder by the game's own rules: its listing, its
// words, its picture loader and the geometry of its screens. Nothing here changes
// a file; reparatur.h, hinzufuegen.h and saetze.h do.
namespace kbb {

// Judges the folder. Measuring words against the board buttons needs a
// QGuiApplication; without one that check is left out.
Ordnerbericht pruefeOrdner(const QString& ordner);

// The name with a four-letter extension cut to three letters ("Katze.jpeg" to
// "Katze.jpg", "Bild.tiff" to "Bild.tif"); other names as they are.
QString kurzeEndung(const QString& name);

// The word a copy's name was made from, as file managers name copies:
// "Kopie von Maus", "Maus - Kopie", "Maus - Kopie (2)", "Maus (2)", "Copy of
// Maus", "Maus copy". Empty for any other word.
QString kopierterName(const QString& wort);

} // namespace kbb
