#pragma once

// What the screenshot tools share: the folder the PNG files go to, a fixed
// example folder that is made anew on every run, and saving a window.
#include "bildschirm.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QWidget>

namespace kbwerkzeug {

// --ziel FOLDER, by default the current folder.
inline QCommandLineOption zielOption(const QString& beschreibung)
{
    return {QStringLiteral("ziel"), beschreibung, QStringLiteral("folder"), QStringLiteral(".")};
}

// The folder named by --ziel, made if it is missing.
inline QDir zielOrdner(const QCommandLineParser& parser)
{
    const QDir ziel(parser.value(QStringLiteral("ziel")));
    QDir().mkpath(ziel.absolutePath());
    return ziel;
}

// Empties `wurzel` in the temporary folder for an example folder `name` inside it,
// and gives that folder's path; an empty one when it cannot. The example's path
// shows in the window, so it lies at the same place on every run and the pictures
// come out the same. A link there is never followed.
inline QString beispielordner(const QString& wurzel, const QString& name)
{
    if (QFileInfo(wurzel).isSymLink() || (QFileInfo::exists(wurzel) && !QDir(wurzel).removeRecursively())) {
        qCritical("cannot clear %s", qPrintable(wurzel));
        return {};
    }
    const QString ordner = wurzel + QLatin1Char('/') + name;
    QDir().mkpath(ordner);
    return ordner;
}

// Writes the window as `name` into `ziel` and says so; false when it cannot.
inline bool speichere(QWidget& fenster, const QDir& ziel, const QString& name)
{
    const QString datei = ziel.filePath(name);
    if (!fenster.grab().save(datei)) {
        qCritical("cannot write %s", qPrintable(datei));
        return false;
    }
    qInfo("%s", qPrintable(datei));
    return true;
}

} // namespace kbwerkzeug
