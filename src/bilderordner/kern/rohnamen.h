#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// File names as bytes, for the names the game cannot read as text.
namespace kbb {

// The ordinary, not hidden files of a folder whose names are no valid UTF-8.
// The game's listing leaves them out: Qt reads such a name back with
// replacement characters, and the file cannot be opened by that name.
QList<QByteArray> namenOhneUtf8(const QString& ordner);

bool istUtf8(const QByteArray& name);

// The name read as Latin-1, which is what an old stick most likely wrote.
QString alsLatin1(const QByteArray& name);

} // namespace kbb
