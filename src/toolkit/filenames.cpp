#include "toolkit/filenames.h"

#include <QFileInfo>
#include <QtGlobal>

#ifdef Q_OS_UNIX
#include <QFile>
#include <dirent.h>
#include <sys/stat.h>
#else
#include <QDirIterator>
#endif

namespace tk {

QString caseFoldedKey(const QString& name)
{
    const QChar* from = name.constData();
    const qsizetype size = name.size();
    for (qsizetype i = 0; i < size; ++i)
        if (from[i].unicode() >= 0x80)
            return name.toCaseFolded();
    QString key(size, Qt::Uninitialized);
    QChar* to = key.data();
    for (qsizetype i = 0; i < size; ++i) {
        const char16_t c = from[i].unicode();
        to[i] = QChar(c >= u'A' && c <= u'Z' ? char16_t(c + (u'a' - u'A')) : c);
    }
    return key;
}

bool isRegularFile(const QString& path)
{
    return QFileInfo(path).isFile();
}

#ifdef Q_OS_UNIX

namespace {

// The entry's type as the directory tells it, or from the file itself where the
// directory does not know it or the entry is a link.
bool isPlainFile(int folder, const dirent& entry)
{
    if (entry.d_type == DT_REG)
        return true;
    if (entry.d_type != DT_LNK && entry.d_type != DT_UNKNOWN)
        return false;
    struct stat target;
    return ::fstatat(folder, entry.d_name, &target, 0) == 0 && S_ISREG(target.st_mode);
}

} // namespace

QList<QByteArray> plainFileNameBytes(const QString& folder)
{
    QList<QByteArray> names;
    DIR* dir = ::opendir(QFile::encodeName(folder).constData());
    if (!dir)
        return names;
    const int fd = ::dirfd(dir);
    while (const dirent* entry = ::readdir(dir))
        if (entry->d_name[0] != '.' && isPlainFile(fd, *entry))
            names.append(QByteArray(entry->d_name));
    ::closedir(dir);
    return names;
}

QStringList plainFileNames(const QString& folder)
{
    QStringList names;
    for (const QByteArray& name : plainFileNameBytes(folder))
        names.append(QFile::decodeName(name));
    return names;
}

#else

QStringList plainFileNames(const QString& folder)
{
    QStringList names;
    QDirIterator it(folder, QDir::Files);
    while (it.hasNext()) {
        it.next();
        names.append(it.fileName());
    }
    return names;
}

QList<QByteArray> plainFileNameBytes(const QString& folder)
{
    QList<QByteArray> names;
    for (const QString& name : plainFileNames(folder))
        names.append(name.toUtf8());
    return names;
}

#endif

} // namespace tk
