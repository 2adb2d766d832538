#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

namespace tk {

// A configuration file in the INI form: "[Section]" lines, "Key=Value" lines,
// comments after "#" or ";" at a line's start; UTF-8. Reading never fails: a
// missing or unreadable file is an empty configuration, and every line that
// cannot be understood is noted with its number, so that a program can go on
// with its defaults and a tool for the administrator can say what was wrong.
class Configuration {
public:
    Configuration() = default;

    // Reads the file; keys outside `known` (section -> keys) are noted as problems.
    static Configuration read(const QString& file, const QHash<QString, QStringList>& known);

    // The file the system's administrator configures: the one the environment
    // variable KIESELBLICK_CONF names, else /etc/kieselblick/kieselblick.conf.
    static QString systemFile();

    QString file() const { return file_; }
    bool found() const { return found_; }

    // The value as written (blanks around it removed), or an empty string.
    QString value(const QString& section, const QString& key) const;
    bool contains(const QString& section, const QString& key) const;
    // The line a value was set on, for messages; 0 if it was not set.
    int line(const QString& section, const QString& key) const;

    // A path: "~" at the start becomes the home folder, "${USER}" the user's
    // login name and "${HOST}" the computer's name. Empty stays empty.
    static QString expandPath(const QString& path);

    // What could not be understood, one German sentence per line of the file.
    QStringList problems() const { return problems_; }
    void addProblem(int line, const QString& sentence);

private:
    QString file_;
    bool found_ = false;
    QHash<QString, QPair<QString, int>> values_; // "Section/Key" -> value and line
    QStringList problems_;
};

// The login name of the user running the program.
QString loginName();

} // namespace tk
