#pragma once

#include <QByteArray>
#include <QString>
#include <functional>
#include <memory>

class QIODevice;

namespace tk {

// A folder held open by its own descriptor, for changing a folder that other
// people share. Every name inside it is looked up relative to the descriptor
// and never through a link: a colleague who replaces a subfolder by a link to a
// system folder, or swaps a name between a check and a move, cannot redirect a
// move or a new file out of the folder. Nothing here deletes, and nothing
// replaces an existing name.
//
// The path a folder is opened by is the caller's own (a configured picture
// folder may well be a link); only the names below it are distrusted. On
// systems without such descriptors the same checks are made on paths.
class Folder {
public:
    // Why a folder could not be opened.
    enum class Refusal {
        None,
        Missing,         // nothing of that name, and not created
        NoFolder,        // a file or anything else that is no folder
        Link,            // a link, wherever it points
        OtherFileSystem, // a mounted folder: a move would have to copy
        Failed,          // no permission, or another error of the system
    };

    Folder() = default;

    // Opens the folder at `path`, following links in the path itself.
    static Folder open(const QString& path);

    // A real folder directly inside this one, on the same file system; created
    // first with `create`. A link, a file or a mounted folder is refused.
    Folder subfolder(const QString& name, bool create) const;

    bool isOpen() const { return handle_ != nullptr; }
    Refusal refusal() const { return refusal_; }
    QString path() const { return path_; }

    // Whether anything has this name here, a dangling link included.
    bool contains(const QByteArray& name) const;
    bool contains(const QString& name) const;
    // Whether the name is a link.
    bool isLink(const QString& name) const;

    // The name itself if it is free here, else "Name (2).ext", "Name (3).ext", ...
    QString freeName(const QString& name) const;

    // Moves an entry into `target` (this folder or one opened below or above it)
    // under `newName`, without replacing anything and without following the
    // entry if it is a link. A relative link is rewritten so that it still
    // points at the same file from its new place. Fails rather than copy
    // between file systems.
    bool move(const QByteArray& name, const Folder& target, const QByteArray& newName) const;
    bool move(const QString& name, const Folder& target, const QString& newName) const;

    // Writes a new file: first into a hidden temporary file here, then renamed
    // into place, so that no reader ever sees half a file. Fails rather than
    // replace an existing name. The file gets the permissions a new file gets.
    bool writeNew(const QString& name, const std::function<bool(QIODevice&)>& content) const;

    // Appends `line` to the named file in one write, creating the file if need
    // be with `header` first and the permissions `mode` (a new file of a
    // program otherwise gets what the user's umask leaves). Never through a
    // link and never into anything but a plain file. Appends of one line by
    // several programs to one file do not tear each other's lines.
    bool appendLine(const QString& name, const QByteArray& header, const QByteArray& line, int mode) const;

    // Replaces what a file here holds, in place: for a file this user may
    // write but not replace (another user's file in a shared folder).
    bool overwrite(const QString& name, const QByteArray& content) const;

    // Removes a file here, or a link itself; never a folder.
    bool removeFile(const QString& name) const;

private:
    struct Handle;
    std::shared_ptr<Handle> handle_;
    Refusal refusal_ = Refusal::Missing;
    QString path_;
    int depth_ = 0; // levels below the folder that was opened by path

    static Folder refused(Refusal why, const QString& path);
    // A folder for a descriptor just opened (systems with descriptors only).
    static Folder opened(int fd, const QString& path, int depth);
    QByteArray linkTargetFrom(const QByteArray& link, const Folder& target) const;
};

// Whether only its owner may change the folder or file at `path`, and the owner
// is the system's administrator or the user running the program: nobody else
// could have put in what it holds.
bool changeableOnlyByOwner(const QString& path);

} // namespace tk
