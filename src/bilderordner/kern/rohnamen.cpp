#include "bilderordner/kern/rohnamen.h"

#include <QFile>
#include <QStringDecoder>

#ifdef Q_OS_UNIX
#include <dirent.h>
#include <sys/stat.h>
#endif

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

#ifdef Q_OS_UNIX

QList<QByteArray> namenOhneUtf8(const QString& ordner)
{
    QList<QByteArray> namen;
    DIR* dir = ::opendir(QFile::encodeName(ordner).constData());
    if (!dir)
        return namen;
    const int fd = ::dirfd(dir);
    while (const dirent* eintrag = ::readdir(dir)) {
        const QByteArray name(eintrag->d_name);
        struct stat ziel;
        if (name.startsWith('.') || istUtf8(name))
            continue;
        if (::fstatat(fd, eintrag->d_name, &ziel, 0) == 0 && S_ISREG(ziel.st_mode))
            namen.append(name);
    }
    ::closedir(dir);
    return namen;
}

#else

// Other systems keep names as text: there are no such names.
QList<QByteArray> namenOhneUtf8(const QString&)
{
    return {};
}

#endif

} // namespace kbb
