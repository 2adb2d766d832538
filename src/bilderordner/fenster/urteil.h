#pragma once

#include "bilderordner/kern/pruefung.h"

#include <QColor>
#include <QString>

// What the window says about one file, in a few plain words under its thumbnail.
namespace kbb::fenster {

enum class Schwere {
    Offen,   // not judged yet
    Gut,     // the game shows it as it is
    Hinweis, // the game shows it, but a teacher should look at it
    HaeltAn, // the game stops when it draws the file
};

struct Urteil {
    Schwere schwere = Schwere::Offen;
    QString kurz; // a few words under the thumbnail
    QColor farbe; // the colour of those words
};

// The short verdict on a judged file: the most serious of its findings.
Urteil urteil(const Datei& datei);

// The verdict of a file the report has not reached yet.
Urteil offen();

} // namespace kbb::fenster
