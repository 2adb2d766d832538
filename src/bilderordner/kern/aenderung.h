#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace kbb {

// One step of a change within a picture folder, by paths relative to the folder
// ("Affe.png", "aussortiert/Affe.png"): a file moved or renamed from `von` to
// `nach`, or, with `von` empty, a new file `nach` that the change made.
struct Schritt {
    QString von;
    QString nach;
};

// A change of the folder as the list of its steps, in the order they were made,
// so that it can be undone.
struct Aenderung {
    QString was; // what the change was, e.g. "Ordner reparieren"
    QList<Schritt> schritte;
    bool leer() const { return schritte.isEmpty(); }
};

// What a change of a single picture did.
struct Einzelergebnis {
    bool ok = false;
    QString meldung; // a German sentence: what was done or why not
    Aenderung aenderung;
};

// Undoes a change, its last step first: a moved or renamed file goes back where
// it was unless that name is taken again; a new file goes to "aussortiert",
// never deleted. One German line per step.
QStringList macheRueckgaengig(const QString& ordner, const Aenderung& aenderung);

// Puts a picture aside: into "aussortiert", under a free name there.
Einzelergebnis legeBeiseite(const QString& ordner, const QString& name);

// Gives a picture another word: the file is renamed, its extension kept. Refused
// for a word that cannot be a file name or that another file gives already.
Einzelergebnis aendereWort(const QString& ordner, const QString& name, const QString& wort);

// Puts a file back from "aussortiert" (a path below it, "Affe.png" or
// "2026-12-06 vor Satz Tiere/Affe.png") into the folder under its own name;
// refused when that name is taken.
Einzelergebnis legeZurueck(const QString& ordner, const QString& abgelegt);

// The files below "aussortiert", by their paths below it, in the order people sort.
QStringList aussortierteDateien(const QString& ordner);

} // namespace kbb
