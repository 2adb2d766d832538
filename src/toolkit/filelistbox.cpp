#include "toolkit/controls.h"

#include "toolkit/filenames.h"

#include <QDir>
#include <QFileInfo>
#include <QWidget>
#include <algorithm>

namespace tk {

QStringList listedFileNames(const QString& folder)
{
    // Names are sorted by a case-folded key computed once per name, which is
    // much cheaper than comparing without regard to case at every step.
    std::vector<std::pair<QString, QString>> keyed;
    for (QString& name : plainFileNames(folder)) {
        // A name that is no text in the system's encoding (copied from an old
        // stick, say) reads back with replacement characters, and the file cannot
        // be opened by that name: it is no part of the list.
        if (name.contains(QChar::ReplacementCharacter) &&
            !QFileInfo::exists(folder + QLatin1Char('/') + name))
            continue;
        QString key = caseFoldedKey(name);
        keyed.emplace_back(std::move(key), std::move(name));
    }
    // One comparison of the keys decides, unless they are equal (pairs would
    // compare them twice).
    std::sort(keyed.begin(), keyed.end(), [](const auto& a, const auto& b) {
        const int byKey = QString::compare(a.first, b.first, Qt::CaseSensitive);
        return byKey != 0 ? byKey < 0 : a.second < b.second;
    });
    // The list counts its entries in 16 bits: a folder of more files lists the
    // first 32767 by name, and the game plays with those.
    if (keyed.size() > std::size_t(INT16_MAX))
        keyed.resize(std::size_t(INT16_MAX));
    QStringList names;
    names.reserve(qsizetype(keyed.size()));
    for (auto& k : keyed)
        names.append(std::move(k.second));
    return names;
}

FileListBox::FileListBox(Form& form, const ControlDef& def, QWidget* parent) : ControlOf(form, def)
{
    auto* w = new QWidget(parent);
    w->setFocusPolicy(Qt::NoFocus);
    attach(w, def);
}

void FileListBox::setPath(const QString& folder)
{
    const QDir dir(folder);
    if (folder.isEmpty() || !dir.exists())
        throw RuntimeError::pathNotFound(folder);
    path_ = dir.absolutePath();
    entries_ = listedFileNames(path_);
    listIndex_ = -1;
}

std::int16_t FileListBox::ListCount() const
{
    if (entries_.size() > INT16_MAX)
        throw RuntimeError::overflow();
    return std::int16_t(entries_.size());
}

void FileListBox::setListIndex(std::int16_t index)
{
    if (index < -1 || index >= entries_.size())
        throw RuntimeError::invalidPropertyValue();
    listIndex_ = index;
}

QString FileListBox::FileName() const
{
    return listIndex_ >= 0 ? entries_.at(listIndex_) : QString();
}

} // namespace tk
