#pragma once

#include <QHash>
#include <QString>

// Which records belong to the same child. Children type their names as they
// please: "anna", " Anna " and "ANNA" are one child, and a teacher may say that
// two different spellings ("Ana", "Anna") are one child too.
namespace kb::erg {

// The key under which a name is grouped: blanks at the ends dropped, blanks
// inside reduced to one, case folded.
QString namensSchluessel(const QString& name);

// The name as it is shown: the blanks as in the key, the case as typed.
QString namensSchreibweise(const QString& name);

// The file in a results folder that keeps the teachers' joins of two spellings.
// It starts with a dot and does not end in ".tsv", so the game's reader and the
// listing of results pass it by.
inline constexpr const char* Zusammenfuehrungsdatei = ".namen-zusammengefuehrt";

// Spellings that the teachers joined, as groups of keys. Joins are kept as a
// list of pairs in the order they were made; each group answers with one key
// of its own, whatever order the pairs came in.
class Namen {
public:
    // The joins kept in `ordner`; none where there is no such file.
    static Namen lies(const QString& ordner);

    // Appends the join of two names to the folder's file (created with the
    // results files' permissions). Gives whether it was written.
    static bool merke(const QString& ordner, const QString& name, const QString& gleich);

    // Joins the groups of two names (spellings or keys) in this list only.
    void verbinde(const QString& name, const QString& gleich);

    // The key that stands for the group of `schluessel`: itself if it was never joined.
    QString gruppe(const QString& schluessel) const;

    bool leer() const { return eltern_.isEmpty(); }

private:
    QHash<QString, QString> eltern_; // key -> a key of the same group, nearer its head
};

} // namespace kb::erg
