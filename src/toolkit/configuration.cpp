#include "toolkit/configuration.h"

#include <QDir>
#include <QFile>
#include <QStringDecoder>
#include <QSysInfo>

#ifdef Q_OS_UNIX
#include <pwd.h>
#include <unistd.h>
#endif

namespace tk {

namespace {

// A configuration is a few lines; a larger file is not one.
constexpr qint64 LargestFile = 64 * 1024;

QString key(const QString& section, const QString& name)
{
    return section + QLatin1Char('/') + name;
}

} // namespace

QString loginName()
{
#ifdef Q_OS_UNIX
    if (const passwd* pw = ::getpwuid(::geteuid()))
        return QString::fromLocal8Bit(pw->pw_name);
#endif
    const QString user = qEnvironmentVariable("USER");
    return user.isEmpty() ? qEnvironmentVariable("USERNAME") : user;
}

QString Configuration::systemFile()
{
    const QString named = qEnvironmentVariable("KIESELBLICK_CONF");
    return named.isEmpty() ? QStringLiteral("/etc/kieselblick/kieselblick.conf") : named;
}

Configuration Configuration::read(const QString& file, const QHash<QString, QStringList>& known)
{
    Configuration c;
    c.file_ = file;
    QFile f(file);
    if (!f.exists())
        return c;
    c.found_ = true;
    if (!f.open(QIODevice::ReadOnly)) {
        c.addProblem(0, QStringLiteral("Die Datei lässt sich nicht lesen."));
        return c;
    }
    const QByteArray bytes = f.read(LargestFile + 1);
    if (bytes.size() > LargestFile) {
        c.addProblem(0, QStringLiteral("Die Datei ist zu groß für eine Einstellungsdatei."));
        return c;
    }
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString text = utf8(bytes);
    if (utf8.hasError())
        c.addProblem(0,
                     QStringLiteral("Die Datei ist kein gültiges UTF-8; unlesbare Zeichen werden ersetzt."));
    QString section;
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (int n = 1; n <= lines.size(); ++n) {
        const QString line = lines[n - 1].trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')) || line.startsWith(QLatin1Char(';')))
            continue;
        if (line.startsWith(QLatin1Char('[')) && line.endsWith(QLatin1Char(']'))) {
            section = line.mid(1, line.size() - 2).trimmed();
            if (!known.contains(section))
                c.addProblem(n, QStringLiteral("Den Abschnitt „[%1]“ gibt es nicht.").arg(section));
            continue;
        }
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        if (equals < 0) {
            c.addProblem(n, QStringLiteral("Die Zeile hat die Form „Name=Wert“ nicht."));
            continue;
        }
        const QString name = line.left(equals).trimmed();
        if (!known.value(section).contains(name)) {
            if (known.contains(section))
                c.addProblem(n, QStringLiteral("„%1“ gibt es im Abschnitt „[%2]“ nicht.").arg(name, section));
            continue;
        }
        c.values_.insert(key(section, name), {line.mid(equals + 1).trimmed(), n});
    }
    return c;
}

QString Configuration::value(const QString& section, const QString& name) const
{
    return values_.value(key(section, name)).first;
}

bool Configuration::contains(const QString& section, const QString& name) const
{
    return values_.contains(key(section, name));
}

int Configuration::line(const QString& section, const QString& name) const
{
    return values_.value(key(section, name)).second;
}

QString Configuration::expandPath(const QString& path)
{
    QString p = path;
    if (p == QLatin1String("~") || p.startsWith(QLatin1String("~/")))
        p.replace(0, 1, QDir::homePath());
    p.replace(QLatin1String("${USER}"), loginName());
    p.replace(QLatin1String("${HOST}"), QSysInfo::machineHostName());
    return p;
}

void Configuration::addProblem(int line, const QString& sentence)
{
    problems_.append(line > 0 ? QStringLiteral("Zeile %1: %2").arg(line).arg(sentence) : sentence);
}

} // namespace tk
