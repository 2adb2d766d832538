// kieselblick-bilder: the teachers' companion for the game's picture folder.
// With --check or --repair it judges or repairs a folder on the command line;
// without either it opens its window.
#include "bilderordner/kern/pruefung.h"
#include "bilderordner/kern/reparatur.h"
#include "bilderordner/kern/texte.h"
#include "ergebnisse/bestand.h"
#include "regeln/einstellungen.h"
#include "toolkit/language.h"
#include "toolkit/terminal.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QTextStream>
#include <cstdio>

#if __has_include("bilderordner/fenster/bilderfenster.h")
#include "bilderordner/fenster/bilderfenster.h"
#define KBB_MIT_FENSTER 1
#endif

namespace {

constexpr int Fehlbedienung = 2;

// The command-line modes measure words in the board's font, which needs a GUI
// application; without a display they run on Qt's offscreen platform.
bool kommandozeile(int argc, char* argv[])
{
    for (int i = 1; i < argc; ++i)
        if (QByteArray(argv[i]).startsWith("-"))
            return true;
    return false;
}

void ohneBildschirmMoeglich(int argc, char* argv[])
{
    if (kommandozeile(argc, argv) && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") &&
        qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
}

void schreibe(const QStringList& zeilen)
{
    QTextStream aus(stdout);
    for (const QString& z : zeilen)
        aus << z << '\n';
}

// What in the system configuration could not be used, and what holds instead.
QStringList einstellungsZeilen()
{
    const kb::Einstellungen& e = kb::einstellungen();
    QStringList zeilen;
    for (const QString& problem : e.probleme)
        zeilen.append(QStringLiteral("Einstellungen in %1: %2")
                          .arg(kbb::texte::genannt(QDir::toNativeSeparators(e.datei)), problem));
    return zeilen;
}

// Prints the findings and the summary; the exit status says whether the game can
// play the folder.
int berichte(const QString& ordner)
{
    schreibe(einstellungsZeilen());
    const kbb::Ordnerbericht b = kbb::pruefeOrdner(ordner);
    schreibe(b.befundZeilen());
    schreibe(b.zusammenfassung().zeilen());
    if (!b.gefunden)
        return Fehlbedienung;
    return b.inOrdnung() ? 0 : 1;
}

// The records of a results folder as a table for a spreadsheet.
int ergebnisse(const QString& ordner)
{
    const kb::erg::Bestand b = kb::erg::lies(ordner);
    if (!b.gefunden) {
        QTextStream(tk::errorOutput())
            << QStringLiteral("Den Ergebnisordner %1 gibt es nicht, oder er lässt sich nicht lesen.\n")
                   .arg(kbb::texte::genannt(ordner));
        return Fehlbedienung;
    }
    const QByteArray csv = kb::erg::alsCsv(b.saetze, false);
    std::fwrite(csv.constData(), 1, std::size_t(csv.size()), stdout);
    return 0;
}

int fehler(const QString& text, const QCommandLineParser& parser)
{
    QTextStream(tk::errorOutput()) << text << "\n\n" << parser.helpText();
    return Fehlbedienung;
}

} // namespace

int main(int argc, char* argv[])
{
    ohneBildschirmMoeglich(argc, argv);
    if (kommandozeile(argc, argv))
        tk::quietTerminal();
    QApplication app(argc, argv);
    tk::useGermanQtTexts();
    QApplication::setApplicationName(QStringLiteral("kieselblick-bilder"));
    QApplication::setApplicationVersion(QStringLiteral(KB_VERSION_STRING));

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Kieselblick – Bilder: prüft und repariert den Bilderordner des Spiels."));
    const QCommandLineOption hilfe = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    const QCommandLineOption pruefen(
        QStringLiteral("check"),
        QStringLiteral("Prüft den Ordner: eine Zeile je Befund, dann die Übersicht."));
    const QCommandLineOption reparieren(
        QStringLiteral("repair"),
        QStringLiteral("Repariert den Ordner, sagt was geschah, und prüft ihn dann."));
    const QCommandLineOption auflisten(
        QStringLiteral("ergebnisse"),
        QStringLiteral("Gibt die aufgehobenen Ergebnisse als Tabelle (CSV) aus; ORDNER ist dann der "
                       "Ergebnisordner, ohne Angabe der eingestellte."));
    parser.addOptions({pruefen, reparieren, auflisten});
    parser.addPositionalArgument(
        QStringLiteral("ORDNER"),
        QStringLiteral("Der Bilderordner; ohne Angabe der Ordner „bilder“ des Spiels."),
        QStringLiteral("[ORDNER]"));

    if (!parser.parse(QApplication::arguments()))
        return fehler(parser.errorText(), parser);
    if (parser.isSet(hilfe)) {
        QTextStream(stdout) << parser.helpText();
        return 0;
    }
    if (parser.isSet(version)) {
        QTextStream(stdout) << QApplication::applicationName() << ' ' << QApplication::applicationVersion()
                            << '\n';
        return 0;
    }
    const QStringList rest = parser.positionalArguments();
    const int aufgaben =
        int(parser.isSet(pruefen)) + int(parser.isSet(reparieren)) + int(parser.isSet(auflisten));
    if (rest.size() > 1 || aufgaben > 1)
        return fehler(QStringLiteral("Bitte nur einen Ordner und nur eine der Aufgaben angeben."), parser);
    if (parser.isSet(auflisten))
        return ergebnisse(rest.isEmpty() ? kb::einstellungen().ergebnisordner : rest.first());
    // The game reads the configured folder, or "bilder" beside its program; both
    // programs are installed in the same folder.
    const QString ordner = rest.isEmpty() ? kb::einstellungen().bilderordner : rest.first();

    if (parser.isSet(reparieren)) {
        if (!QFileInfo(ordner).isDir())
            return berichte(ordner);
        schreibe(kbb::repariere(ordner));
        return berichte(ordner);
    }
    if (parser.isSet(pruefen))
        return berichte(ordner);
#ifdef KBB_MIT_FENSTER
    return kbb::fenster::starte(app, ordner);
#else
    return fehler(QStringLiteral("Das Fenster gibt es noch nicht: bitte --check oder --repair angeben."),
                  parser);
#endif
}
