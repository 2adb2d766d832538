#pragma once

#include <QString>
#include <QStringList>

// The word rule: how a picture file is named by the word the child reads.
namespace kb {

// The word a picture stands for: its file name less the last four characters
// (the dot and a three-letter extension). The cut is by count, not at the dot,
// and counts characters as a reader sees them: an emoji, or a letter with its
// accent, is one character and is never cut in two.
QString Wort(const QString& Dateiname);

// How many different words these file names give; a name without a word gives
// none, and names that give the same word count once.
int verschiedeneWoerter(const QStringList& Dateinamen);

} // namespace kb
