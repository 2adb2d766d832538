#pragma once

#include <QByteArray>
#include <QString>
#include <functional>

class QIODevice;

// How the companion changes a folder: it never deletes and never overwrites.
namespace kbb::ablage {

// The name itself if it is free in the folder, else "Name (2).ext", "Name (3).ext", ...
QString freierName(const QString& ordner, const QString& name);

// Moves a file into a folder (created if need be) under a free name; gives the
// name it got there, or an empty string when the move failed.
QString verschiebe(const QString& ordner, const QString& name, const QString& zielOrdner);

// Writes a new file `name` in the folder: first into a hidden temporary file in
// the same folder, then renamed into place, so the game never lists a half
// written file. Fails rather than replace a file of that name.
bool schreibe(const QString& ordner, const QString& name, const std::function<bool(QIODevice&)>& inhalt);

// Renames a file whose name is given as bytes, without replacing another file.
bool benenneUm(const QString& ordner, const QByteArray& von, const QString& nach);

} // namespace kbb::ablage
