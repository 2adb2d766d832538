#pragma once

#include "bilderordner/kern/aenderung.h"
#include "toolkit/folder.h"

#include <QByteArray>
#include <QString>
#include <functional>

class QIODevice;

namespace kbb {

// How the companion changes a picture folder: it never deletes, never
// overwrites, and never follows a link. The folder is reached through its own
// descriptor, and "aussortiert" (and "aussortiert/original" below it) must be
// real folders inside it, on its own file system: a link of that name, planted
// by anyone who may write into the shared folder, would otherwise carry the
// teachers' files wherever it points. If they are not, nothing moves and the
// reason is one German sentence.
class Ablage {
public:
    explicit Ablage(const QString& ordner);

    bool offen() const { return ordner_.isOpen(); }
    // The path of a file in the picture folder, for reading it.
    QString pfad(const QString& name) const { return ordner_.path() + QLatin1Char('/') + name; }
    // Whether "aussortiert" was refused.
    bool ablageVerweigert() const { return !fehler_.isEmpty(); }
    // Whether anything has this name in the picture folder.
    bool belegt(const QString& name) const { return ordner_.contains(name); }

    // Moves a file into "aussortiert" (or "aussortiert/original") under a free
    // name there; gives that name, or an empty string when nothing moved.
    QString sortiereAus(const QByteArray& roh, const QString& name, bool original = false);
    QString sortiereAus(const QString& name, bool original = false);
    // The same into a folder below "aussortiert" (created if need be), such as
    // "2026-12-06 vor Satz Tiere"; gives the path below "aussortiert".
    QString sortiereAusNach(const QString& name, const QString& unterordner);

    // Moves a file back from "aussortiert/original" under the given name.
    bool holeZurueck(const QString& abgelegt, const QString& name);

    // Renames a file in the picture folder without replacing another.
    bool benenneUm(const QByteArray& von, const QString& nach);

    // Writes a new file through a hidden temporary file; never replaces one.
    bool schreibe(const QString& name, const std::function<bool(QIODevice&)>& inhalt) const;

    // Moves a file between two places given by paths relative to the picture
    // folder ("aussortiert/Affe.png" to "Affe.png"), never through a link and
    // never onto a name that is taken.
    bool verschiebe(const QString& von, const QString& nach);

    // Every move, rename and new file so far, in order.
    const QList<Schritt>& schritte() const { return schritte_; }

    // Why "aussortiert" could not be used, once: the sentence is given the first
    // time only, so that a report says it once however many files it concerns.
    QString neuerFehler();

private:
    const tk::Folder* ablageOrdner(bool original);
    // The folder of a relative path's directory part; created below
    // "aussortiert" when `anlegen`.
    tk::Folder ordnerVon(const QString& pfad, bool anlegen) const;

    tk::Folder ordner_;
    tk::Folder aussortiert_, original_;
    QString fehler_;
    bool fehlerGesagt_ = false;
    mutable QList<Schritt> schritte_;
};

namespace ablage {

// The same for a single write into a folder given by path.
bool schreibe(const QString& ordner, const QString& name, const std::function<bool(QIODevice&)>& inhalt);

} // namespace ablage

} // namespace kbb
