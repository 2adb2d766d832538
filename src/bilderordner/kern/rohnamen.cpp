#include "bilderordner/kern/rohnamen.h"

#include "toolkit/filenames.h"

#include <QStringDecoder>

namespace kbb {

bool istUtf8(const QByteArray& name)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = utf8(name);
    return !utf8.hasError();
}

QString alsLatin1(const QByteArray& name)
{
    return QString::fromLatin1(name);
}

QList<QByteArray> namenOhneUtf8(const QString& ordner)
{
    QList<QByteArray> namen;
    for (const QByteArray& name : tk::plainFileNameBytes(ordner))
        if (!istUtf8(name))
            namen.append(name);
    return namen;
}

} // namespace kbb
