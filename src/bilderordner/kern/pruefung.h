#pragma once

#include <QByteArray>
#include <QList>
#include <QSize>
#include <QString>
#include <QStringList>
#include <array>

// The judgement of a picture folder by the game's own rules: its listing, its
// words, its picture loader and the geometry of its screens. Nothing here changes
// a file; reparatur.h, hinzufuegen.h and saetze.h do.
namespace kbb {

// One thing the game would do with a file that a teacher should know about.
enum class Befund {
    KeinBild,          // stops the game: the content is no picture
    Beschaedigt,       // stops the game: a picture format, but it cannot be read through
    Unlesbar,          // stops the game: the file cannot be opened
    UnbekanntesFormat, // stops the game: a picture format the game cannot read (HEIC, ...)
    ZuGross,           // not seen whole: the child sees its top-left part only
    SehrKlein,         // under 100 pixels both ways
    PunktAmEnde,       // the word ends in a dot: a four-letter extension
    LeeresWort,        // the name gives no word: the game never uses the file
    GleichesWort,      // another file gives the same word
    NurGrossKlein,     // another file's word differs only in upper and lower case
    WortZuLang,        // the word is wider than a board button
    KeinUtf8,          // the name is no valid UTF-8: the game leaves the file out
};

// True for the findings that end the game with run-time error 481 when the file is drawn.
bool stopptSpiel(Befund befund);

struct Meldung {
    Befund befund;
    QString satz; // one German sentence for the teacher
};

// One file of the folder as the game sees it.
struct Datei {
    QString name;       // the file name; a name that is no UTF-8 shown as Latin-1
    QByteArray rohName; // the name's bytes on disk
    QString wort;       // the word on the board, as the game derives it
    QSize groesse;      // in shown orientation; empty when no picture
    QList<Meldung> meldungen;

    bool stopptSpiel() const;
    bool hat(Befund befund) const;
};

// The judgement of a whole folder.
struct Ordnerbericht {
    QString ordner;
    bool gefunden = false;     // the folder exists
    bool beschreibbar = false; // the companion may change it
    // Every file: those that stop the game first, then in the game's list order,
    // then names that are no UTF-8.
    QList<Datei> dateien;
    // Different non-empty words among the files that do not stop the game.
    int verschiedeneWoerter = 0;
    // Levels 1 to 5 (index 0 to 4): enough different words for a round.
    std::array<bool, 5> spielbar{};

    bool stopptSpiel() const;
    // No file stops the game and every level can be played.
    bool inOrdnung() const;
    // One line per finding, "<file>: <sentence>", in the order of `dateien`.
    QStringList befundZeilen() const;
    // The summary: pictures with different words, playable levels, write access.
    QStringList zusammenfassung() const;
};

// Judges the folder. Measuring words against the board buttons needs a
// QGuiApplication; without one that check is left out.
Ordnerbericht pruefeOrdner(const QString& ordner);

// The name with a four-letter extension cut to three letters ("Katze.jpeg" to
// "Katze.jpg", "Bild.tiff" to "Bild.tif"); other names as they are.
QString kurzeEndung(const QString& name);

// How many different words levels 1 to 5 need.
int benoetigteWoerter(int stufe);

} // namespace kbb
