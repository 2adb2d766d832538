#include "regeln/wort.h"

#include <QSet>
#include <QTextBoundaryFinder>

namespace kb {

QString Wort(const QString& Dateiname)
{
    QTextBoundaryFinder zeichen(QTextBoundaryFinder::Grapheme, Dateiname);
    zeichen.toEnd();
    for (int i = 0; i < 4; ++i)
        if (zeichen.toPreviousBoundary() <= 0)
            return {};
    return Dateiname.left(zeichen.position());
}

int verschiedeneWoerter(const QStringList& Dateinamen)
{
    QSet<QString> woerter;
    for (const QString& name : Dateinamen)
        if (const QString wort = Wort(name); !wort.isEmpty())
            woerter.insert(wort);
    return int(woerter.size());
}

} // namespace kb
