#include "toolkit/folder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace tk {

#ifdef Q_OS_UNIX

struct Folder::Handle {
    int fd = -1;
    dev_t device = 0;
    ~Handle()
    {
        if (fd >= 0)
            ::close(fd);
    }
};

namespace {

// A folder the user may enter and write but not list (a drop box) cannot be
// opened for reading; a descriptor for its path alone still reaches its files.
int openDirectory(int at, const QByteArray& name, int flags)
{
    const int fd = ::openat(at, name.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC | flags);
#ifdef O_PATH
    if (fd < 0 && errno == EACCES)
        return ::openat(at, name.constData(), O_PATH | O_DIRECTORY | O_CLOEXEC | flags);
#endif
    return fd;
}

// Renames without replacing. renameat2 does that in one step; a file system
// without it gets a hard link and an unlink, which cannot replace either; one
// without hard links (a FAT stick) is checked just before an ordinary rename.
bool renameNoReplace(int from, const char* name, int to, const char* newName)
{
    if (::renameat2(from, name, to, newName, RENAME_NOREPLACE) == 0)
        return true;
    if (errno != EINVAL && errno != ENOSYS)
        return false;
    if (::linkat(from, name, to, newName, 0) == 0)
        return ::unlinkat(from, name, 0) == 0;
    if (errno == EEXIST)
        return false;
    struct stat st {};
    if (::fstatat(to, newName, &st, AT_SYMLINK_NOFOLLOW) == 0 || errno != ENOENT)
        return false;
    return ::renameat(from, name, to, newName) == 0;
}

} // namespace

Folder Folder::open(const QString& path)
{
    const int fd = openDirectory(AT_FDCWD, QFile::encodeName(path), 0);
    if (fd < 0)
        return refused(errno == ENOENT    ? Refusal::Missing
                       : errno == ENOTDIR ? Refusal::NoFolder
                                          : Refusal::Failed,
                       path);
    return opened(fd, path, 0);
}

Folder Folder::opened(int fd, const QString& path, int depth)
{
    Folder f;
    f.handle_ = std::make_shared<Handle>();
    f.handle_->fd = fd;
    struct stat st {};
    ::fstat(fd, &st);
    f.handle_->device = st.st_dev;
    f.refusal_ = Refusal::None;
    f.path_ = path;
    f.depth_ = depth;
    return f;
}

Folder Folder::subfolder(const QString& name, bool create) const
{
    const QString path = path_ + QLatin1Char('/') + name;
    if (!isOpen())
        return refused(Refusal::Failed, path);
    const QByteArray bytes = QFile::encodeName(name);
    if (create && ::mkdirat(handle_->fd, bytes.constData(), 0777) != 0 && errno != EEXIST)
        return refused(Refusal::Failed, path);
    const int fd = openDirectory(handle_->fd, bytes, O_NOFOLLOW);
    if (fd < 0) {
        const int why = errno;
        struct stat st {};
        if (::fstatat(handle_->fd, bytes.constData(), &st, AT_SYMLINK_NOFOLLOW) == 0)
            return refused(S_ISLNK(st.st_mode) ? Refusal::Link : Refusal::NoFolder, path);
        return refused(why == ENOENT ? Refusal::Missing : Refusal::Failed, path);
    }
    Folder f = opened(fd, path, depth_ + 1);
    if (f.handle_->device != handle_->device)
        return refused(Refusal::OtherFileSystem, path);
    return f;
}

bool Folder::contains(const QByteArray& name) const
{
    struct stat st {};
    return isOpen() && ::fstatat(handle_->fd, name.constData(), &st, AT_SYMLINK_NOFOLLOW) == 0;
}

bool Folder::isLink(const QString& name) const
{
    struct stat st {};
    return isOpen() &&
           ::fstatat(handle_->fd, QFile::encodeName(name).constData(), &st, AT_SYMLINK_NOFOLLOW) == 0 &&
           S_ISLNK(st.st_mode);
}

bool Folder::move(const QByteArray& name, const Folder& target, const QByteArray& newName) const
{
    if (!isOpen() || !target.isOpen() || name.isEmpty() || name.contains('/') || newName.contains('/'))
        return false;
    char buffer[4096];
    const ssize_t length = ::readlinkat(handle_->fd, name.constData(), buffer, sizeof buffer);
    if (length < 0 || length == ssize_t(sizeof buffer) || target.depth_ == depth_ || buffer[0] == '/')
        return renameNoReplace(handle_->fd, name.constData(), target.handle_->fd, newName.constData());
    // A relative link: a new link with the path that leads to the same file
    // from the other folder, then the old one goes. Both are only links.
    const QByteArray moved = linkTargetFrom(QByteArray(buffer, int(length)), target);
    if (::symlinkat(moved.constData(), target.handle_->fd, newName.constData()) != 0)
        return false;
    if (::unlinkat(handle_->fd, name.constData(), 0) == 0)
        return true;
    ::unlinkat(target.handle_->fd, newName.constData(), 0);
    return false;
}

bool Folder::writeNew(const QString& name, const std::function<bool(QIODevice&)>& content) const
{
    if (!isOpen() || name.contains(QLatin1Char('/')))
        return false;
    // The temporary name starts with a dot: the game's listing leaves hidden files out.
    QByteArray temp;
    int fd = -1;
    for (int attempt = 0; fd < 0 && attempt < 100; ++attempt) {
        temp = ".kieselblick-" + QByteArray::number(QRandomGenerator::global()->generate64(), 36);
        fd = ::openat(handle_->fd, temp.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                      0666);
        if (fd < 0 && errno != EEXIST)
            return false;
    }
    if (fd < 0)
        return false;
    QFile file;
    bool written = file.open(fd, QIODevice::WriteOnly, QFileDevice::AutoCloseHandle) && content(file) &&
                   file.flush() && ::fsync(fd) == 0;
    file.close();
    written = written && renameNoReplace(handle_->fd, temp.constData(), handle_->fd,
                                         QFile::encodeName(name).constData());
    if (!written)
        ::unlinkat(handle_->fd, temp.constData(), 0);
    return written;
}

bool Folder::appendLine(const QString& name, const QByteArray& header, const QByteArray& line, int mode) const
{
    if (!isOpen() || name.contains(QLatin1Char('/')))
        return false;
    const int fd = ::openat(handle_->fd, QFile::encodeName(name).constData(),
                            O_WRONLY | O_APPEND | O_CREAT | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK, mode);
    if (fd < 0)
        return false;
    struct stat st {};
    bool ok = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
    QByteArray bytes = line;
    if (ok && st.st_size == 0) {
        if (st.st_uid == ::geteuid())
            ::fchmod(fd, mode_t(mode));
        bytes.prepend(header);
    }
    ok = ok && ::write(fd, bytes.constData(), size_t(bytes.size())) == ssize_t(bytes.size());
    return ::close(fd) == 0 && ok;
}

bool Folder::overwrite(const QString& name, const QByteArray& content) const
{
    if (!isOpen())
        return false;
    const int fd = ::openat(handle_->fd, QFile::encodeName(name).constData(),
                            O_WRONLY | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return false;
    struct stat st {};
    bool ok = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && ::ftruncate(fd, 0) == 0;
    ok = ok && ::write(fd, content.constData(), size_t(content.size())) == ssize_t(content.size());
    return ::close(fd) == 0 && ok;
}

bool Folder::removeFile(const QString& name) const
{
    return isOpen() && ::unlinkat(handle_->fd, QFile::encodeName(name).constData(), 0) == 0;
}

bool changeableOnlyByOwner(const QString& path)
{
    struct stat st {};
    if (::stat(QFile::encodeName(path).constData(), &st) != 0)
        return false;
    const bool owner = st.st_uid == 0 || st.st_uid == ::geteuid();
    const bool group = !(st.st_mode & S_IWGRP) || st.st_gid == 0;
    return owner && group && !(st.st_mode & S_IWOTH);
}

#else

bool changeableOnlyByOwner(const QString& path)
{
    return QFileInfo::exists(path);
}

bool Folder::appendLine(const QString& name, const QByteArray& header, const QByteArray& line, int) const
{
    QFile file(path_ + QLatin1Char('/') + name);
    if (!isOpen() || isLink(name) || !file.open(QIODevice::Append))
        return false;
    const QByteArray bytes = file.size() == 0 ? header + line : line;
    return file.write(bytes) == bytes.size();
}

bool Folder::overwrite(const QString& name, const QByteArray& content) const
{
    QFile file(path_ + QLatin1Char('/') + name);
    return isOpen() && !isLink(name) && file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(content) == content.size();
}

bool Folder::removeFile(const QString& name) const
{
    return isOpen() && QFile::remove(path_ + QLatin1Char('/') + name);
}

// Without descriptors the same rules are checked on paths, as closely as Qt allows.
struct Folder::Handle {};

Folder Folder::open(const QString& path)
{
    const QFileInfo info(path);
    if (!info.exists())
        return refused(Refusal::Missing, path);
    if (!info.isDir())
        return refused(Refusal::NoFolder, path);
    Folder f;
    f.handle_ = std::make_shared<Handle>();
    f.refusal_ = Refusal::None;
    f.path_ = info.absoluteFilePath();
    return f;
}

Folder Folder::subfolder(const QString& name, bool create) const
{
    const QString path = path_ + QLatin1Char('/') + name;
    if (!isOpen())
        return refused(Refusal::Failed, path);
    if (QFileInfo(path).isSymLink())
        return refused(Refusal::Link, path);
    if (create && !QFileInfo::exists(path))
        QDir(path_).mkdir(name);
    if (!QFileInfo::exists(path))
        return refused(Refusal::Missing, path);
    if (!QFileInfo(path).isDir())
        return refused(Refusal::NoFolder, path);
    Folder f = open(path);
    f.depth_ = depth_ + 1;
    return f;
}

bool Folder::contains(const QByteArray& name) const
{
    const QFileInfo info(path_ + QLatin1Char('/') + QFile::decodeName(name));
    return isOpen() && (info.exists() || info.isSymLink());
}

bool Folder::isLink(const QString& name) const
{
    return isOpen() && QFileInfo(path_ + QLatin1Char('/') + name).isSymLink();
}

bool Folder::move(const QByteArray& name, const Folder& target, const QByteArray& newName) const
{
    if (!isOpen() || !target.isOpen() || target.contains(newName))
        return false;
    return QFile::rename(path_ + QLatin1Char('/') + QFile::decodeName(name),
                         target.path_ + QLatin1Char('/') + QFile::decodeName(newName));
}

bool Folder::writeNew(const QString& name, const std::function<bool(QIODevice&)>& content) const
{
    const QString temp = path_ + QStringLiteral("/.kieselblick-") +
                         QString::number(QRandomGenerator::global()->generate64(), 36);
    QFile file(temp);
    if (!isOpen() || contains(name) || !file.open(QIODevice::NewOnly))
        return false;
    const bool written = content(file) && file.flush();
    file.close();
    if (written && file.rename(path_ + QLatin1Char('/') + name))
        return true;
    file.remove();
    return false;
}

#endif

Folder Folder::refused(Refusal why, const QString& path)
{
    Folder f;
    f.refusal_ = why;
    f.path_ = path;
    return f;
}

bool Folder::contains(const QString& name) const
{
    return contains(QFile::encodeName(name));
}

QString Folder::freeName(const QString& name) const
{
    const QFileInfo info(name);
    const QString suffix = info.suffix().isEmpty() ? QString() : QLatin1Char('.') + info.suffix();
    const QString stem = name.left(name.size() - suffix.size());
    QString free = name;
    for (int n = 2; contains(free); ++n)
        free = QStringLiteral("%1 (%2)%3").arg(stem).arg(n).arg(suffix);
    return free;
}

bool Folder::move(const QString& name, const Folder& target, const QString& newName) const
{
    return move(QFile::encodeName(name), target, QFile::encodeName(newName));
}

// The link's text as seen from `target`: one "../" more for each level the
// link goes down, one fewer for each level it comes up.
QByteArray Folder::linkTargetFrom(const QByteArray& link, const Folder& target) const
{
    QByteArray moved = link;
    for (int level = depth_; level < target.depth_; ++level)
        moved.prepend("../");
    const QStringList up = path_.split(QLatin1Char('/'));
    for (int level = 0; level < depth_ - target.depth_; ++level) {
        if (moved.startsWith("../"))
            moved.remove(0, 3);
        else
            moved.prepend(QFile::encodeName(up.at(up.size() - 1 - level)) + '/');
    }
    return moved;
}

} // namespace tk
