#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

namespace tk {

// The names of the ordinary files in a folder, in the order the folder gives
// them: files and links to files, without hidden files (on Linux, names that
// start with a dot), directories, broken links, devices, pipes and sockets.
// This is QDir::Files without QDir::Hidden, read straight from the directory;
// Qt's iterator builds a full file-info object for every entry, which makes it
// several times slower on a folder of 10,000 pictures.
QStringList plainFileNames(const QString& folder);

// The same files by the bytes of their names as the file system stores them. A
// name that is no valid text in the system's encoding (a stick written by an
// old system) can only be told apart, and renamed, this way. On systems that
// keep names as text the bytes are the UTF-8 of each name.
QList<QByteArray> plainFileNameBytes(const QString& folder);

// The key by which file names sort without regard to case: the name case-folded.
// A name of ASCII characters only (most picture names) is folded by a quick loop
// with the same result.
QString caseFoldedKey(const QString& name);

// Whether `path` is a regular file or a link to one. Anything else is no picture:
// opening a pipe waits until something writes into it, a device may never end.
// The check asks the file system only and opens nothing.
bool isRegularFile(const QString& path);

} // namespace tk
