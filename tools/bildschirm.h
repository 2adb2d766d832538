#pragma once

// A screen of a chosen size on Qt's offscreen platform, on which the tests, the
// screenshot tool and the benchmarks run the real game: a board of 1920 x 1080
// pixels, for example. The platform reads its screens from a configuration file
// named in the platform's name; without one it has a single screen of 800 x 800.
#include <QFile>
#include <QSize>
#include <QString>
#include <QStringList>

namespace kbwerkzeug {

// The offscreen platform, unless QT_QPA_PLATFORM asks for another (a real X
// screen, to watch). Comes before the application object.
inline void offscreenWennNichtGewaehlt()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
}

// "1920x1080" as a size; an invalid size for anything else.
inline QSize leseGroesse(const QString& text)
{
    const QStringList teile = text.split(QLatin1Char('x'));
    bool breit = false, hoch = false;
    const QSize groesse = teile.size() == 2 ? QSize(teile[0].toInt(&breit), teile[1].toInt(&hoch)) : QSize();
    return breit && hoch && !groesse.isEmpty() ? groesse : QSize();
}

// Writes the configuration of one screen of `groesse` at 96 dpi into `ordner`
// and makes the offscreen platform use it. Comes before the application object.
inline bool bildschirmEinrichten(const QString& ordner, QSize groesse)
{
    const QString datei = ordner + QStringLiteral("/bildschirm.json");
    QFile f(datei);
    const QString inhalt =
        QStringLiteral(R"({"synchronousWindowSystemEvents": false, "windowFrameMargins": true,
 "screens": [{"name": "Tafel", "x": 0, "y": 0, "width": %1, "height": %2,
              "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})")
            .arg(groesse.width())
            .arg(groesse.height());
    if (!f.open(QIODevice::WriteOnly) || f.write(inhalt.toUtf8()) < 0)
        return false;
    f.close();
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + QFile::encodeName(datei));
    return true;
}

} // namespace kbwerkzeug
