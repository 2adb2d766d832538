#include "bilderordner/kern/ablage.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryFile>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#endif

namespace kbb::ablage {

QString freierName(const QString& ordner, const QString& name)
{
    const QDir dir(ordner);
    const QFileInfo info(name);
    const QString endung = info.suffix().isEmpty() ? QString() : QLatin1Char('.') + info.suffix();
    const QString stamm = endung.isEmpty() ? name : name.left(name.size() - endung.size());
    QString frei = name;
    for (int n = 2; dir.exists(frei) || QFileInfo(dir.filePath(frei)).isSymLink(); ++n)
        frei = QStringLiteral("%1 (%2)%3").arg(stamm).arg(n).arg(endung);
    return frei;
}

QString verschiebe(const QString& ordner, const QString& name, const QString& zielOrdner)
{
    if (!QDir().mkpath(zielOrdner))
        return {};
    const QString ziel = freierName(zielOrdner, name);
    // Qt renames without replacing an existing file.
    if (!QFile::rename(QDir(ordner).filePath(name), QDir(zielOrdner).filePath(ziel)))
        return {};
    return ziel;
}

namespace {

// A temporary file is readable by its owner only; a picture must be readable by
// whoever plays, so it gets the permissions a newly made file gets.
QFileDevice::Permissions gewoehnlicheRechte()
{
    int rechte = 0666;
#ifdef Q_OS_UNIX
    const mode_t maske = ::umask(022);
    ::umask(maske);
    rechte &= ~int(maske);
#endif
    QFileDevice::Permissions p;
    const std::pair<int, QFileDevice::Permission> bits[] = {
        {0400, QFileDevice::ReadOwner},  {0200, QFileDevice::WriteOwner}, {0040, QFileDevice::ReadGroup},
        {0020, QFileDevice::WriteGroup}, {0004, QFileDevice::ReadOther},  {0002, QFileDevice::WriteOther}};
    for (const auto& [bit, recht] : bits)
        if (rechte & bit)
            p |= recht;
    return p;
}

} // namespace

bool schreibe(const QString& ordner, const QString& name, const std::function<bool(QIODevice&)>& inhalt)
{
    // The temporary name starts with a dot: the game's listing leaves hidden files out.
    QTemporaryFile temp(QDir(ordner).filePath(QStringLiteral(".kieselblick-bilder-XXXXXX")));
    if (!temp.open() || !inhalt(temp) || !temp.flush())
        return false;
    temp.close();
    temp.setPermissions(gewoehnlicheRechte() | QFileDevice::ReadUser | QFileDevice::WriteUser);
    const QString ziel = QDir(ordner).filePath(name);
    if (QFileInfo::exists(ziel) || !temp.rename(ziel))
        return false;
    temp.setAutoRemove(false);
    return true;
}

bool benenneUm(const QString& ordner, const QByteArray& von, const QString& nach)
{
    const QByteArray pfad = QFile::encodeName(ordner) + '/';
    const QByteArray ziel = pfad + QFile::encodeName(nach);
#ifdef Q_OS_UNIX
    // renameat2 refuses to replace; where the file system cannot do that, the
    // name is checked just before an ordinary rename.
    if (::renameat2(AT_FDCWD, (pfad + von).constData(), AT_FDCWD, ziel.constData(), RENAME_NOREPLACE) == 0)
        return true;
    if (errno != EINVAL && errno != ENOSYS)
        return false;
    return !QFileInfo::exists(QFile::decodeName(ziel)) &&
           std::rename((pfad + von).constData(), ziel.constData()) == 0;
#else
    return QFile::rename(QFile::decodeName(pfad + von), QFile::decodeName(ziel));
#endif
}

} // namespace kbb::ablage
