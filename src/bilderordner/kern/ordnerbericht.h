#pragma once

#include <QByteArray>
#include <QList>
#include <QSize>
#include <QString>
#include <QStringList>

// What the companion finds in a picture folder: a finding per thing the game
// would do with a file, the files, and the report on the whole folder.
namespace kbb {

// One thing the game would do with a file that a teacher should know about.
enum class Befund {
    KeinBild,           // stops the game: the content is no picture
    Beschaedigt,        // stops the game: a picture format, but it cannot be read through
    Unlesbar,           // stops the game: the file cannot be opened
    UnbekanntesFormat,  // stops the game: a picture format the game cannot read (HEIC, ...)
    KeineDatei,         // stops the game: no ordinary file any more (a pipe, a device)
    ZuGrossZumLesen,    // stops the game: it would take more memory to read than the game allows
    HaeltLangeAuf,      // decoding what the child sees takes longer than the game waits
    ZuGross,            // not seen whole: the child sees its top-left part only
    SehrKlein,          // under 100 pixels both ways
    PunktAmEnde,        // the word ends in a dot: a four-letter extension
    LeeresWort,         // the name gives no word: the game never uses the file
    GleichesWort,       // another file gives the same word
    NurGrossKlein,      // another file's word differs only in upper and lower case
    WortZuLang,         // the word is wider than a board button
    UnsichtbareZeichen, // the word holds line breaks, tabs, control or zero-width characters
    GleicherInhalt,     // the same bytes as another file: a copy
    KopieName,          // a name that copying makes: "Kopie von Maus", "Maus - Kopie", "Maus (2)"
    KeinUtf8,           // the name is no valid UTF-8: the game leaves the file out
};

// True for the findings that end the game with run-time error 481 when the file is drawn.
bool stopptSpiel(Befund befund);

// How a folder stands, at a glance: something stops the game (red), the child
// will see something wrong (yellow), or all is good (green).
enum class Ampel { Rot, Gelb, Gruen };

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

// The summary of a folder's judgement, a sentence for each part, so that a
// window can show the parts it wants and the command line prints them all.
struct Zusammenfassung {
    QString ordner;       // the folder with its numbers of files and words, or that it is missing
    QString stufen;       // which levels can be played
    QString anhalten;     // how many files stop the game; empty when none does
    QString schreibrecht; // whether the companion may change the folder
    QString urteil;       // in order or not
    // The sentences that are there, one per line, in this order.
    QStringList zeilen() const;
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
    // For every level of the rules, in their order: enough different words for a round.
    QList<bool> spielbar;

    bool stopptSpiel() const;
    // No file stops the game, every level can be played, and no file has a finding.
    bool inOrdnung() const;
    Ampel ampel() const;
    // One line per finding, "<file>: <sentence>", in the order of `dateien`.
    QStringList befundZeilen() const;
    // The summary: pictures with different words, playable levels, write access.
    Zusammenfassung zusammenfassung() const;
};

} // namespace kbb
