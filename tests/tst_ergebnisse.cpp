// The school's configuration and the records of finished rounds: what a
// configuration file sets and what a broken one leaves alone, records that come
// back exactly as written, many writers at once, the drop box's permissions
// between plain users, deleting old records, and the table for a spreadsheet.
#include "bilderordner/fenster/bilderfenster.h"
#include "ergebnisse/bestand.h"
#include "ergebnisse/schreiber.h"
#include "regeln/einstellungen.h"
#include "support/ordnerhilfe.h"

#include <QProcess>
#include <QSysInfo>
#include <QTemporaryDir>
#include <sys/stat.h>
#include <unistd.h>

using kbtest::schreibeDatei;
namespace erg = kb::erg;

namespace {

erg::Datensatz beispiel(const QString& name, int stufe = 2, const QString& rechner = u"raum3-pc07"_s)
{
    return {QDateTime(QDate(2026, 12, 6), QTime(9, 15, 2)),
            rechner,
            u"anna"_s,
            name,
            stufe,
            {u"Affe"_s, u"Bär"_s, u"Zug"_s, u"Ei"_s},
            {u"Affe"_s, u"Hut"_s, u"Zug"_s, u"Ei"_s},
            3,
            1};
}

// Runs a shell command line as root would; gives its exit status.
int sh(const QString& befehl)
{
    return QProcess::execute(u"sh"_s, {u"-c"_s, befehl});
}

// This test program started again as a writer: `anzahl` records into `ordner`.
QProcess* starteSchreiber(const QString& ordner, const QString& rechner, int anzahl, const QString& als = {})
{
    auto* p = new QProcess;
    QStringList argumente{u"--schreibe"_s, ordner, rechner, QString::number(anzahl)};
    if (als.isEmpty())
        p->start(QCoreApplication::applicationFilePath(), argumente);
    else
        p->start(u"runuser"_s,
                 QStringList{u"-u"_s, als, u"--"_s, QCoreApplication::applicationFilePath()} + argumente);
    return p;
}

int schreibeAlsSchreiber(const QStringList& a)
{
    for (int i = 0; i < a[4].toInt(); ++i)
        erg::halteFest(a[2], beispiel(u"Kind %1"_s.arg(i), 1 + i % 5, a[3]));
    return erg::warteAufSchreiber(60000) ? 0 : 1;
}

} // namespace

class tst_Ergebnisse : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void einstellungen_data()
    {
        QTest::addColumn<QByteArray>("datei"); // "-": no file at all
        QTest::addColumn<QString>("bilder");   // "*" the default beside the program
        QTest::addColumn<bool>("aufheben");
        QTest::addColumn<QString>("ergebnisse");
        QTest::addColumn<int>("tage");
        QTest::addColumn<int>("probleme");
        const QString std = QString::fromLatin1(kb::StandardErgebnisordner);
        QTest::newRow("keine Datei") << QByteArray("-") << u"*"_s << false << std << 365 << 0;
        QTest::newRow("leer") << QByteArray("") << u"*"_s << false << std << 365 << 0;
        QTest::newRow("vollständig")
            << QByteArray("# Kommentar\n[Bilder]\nOrdner = /srv/bilder/\n[Ergebnisse]\nAufheben=Ja\n"
                          "Ordner=/srv/erg\nTage=30\n[Anzeige]\nTafel=nein\n")
            << u"/srv/bilder"_s << true << u"/srv/erg"_s << 30 << 0;
        QTest::newRow("Tippfehler überall")
            << QByteArray("[Bilder]\nOrdnr=/x\n[Ergebnis]\nAufheben=ja\n[Ergebnisse]\nAufheben=vielleicht\n"
                          "Tage=-3\nOrdner=relativ/weg\nkaputte Zeile\n")
            << u"*"_s << false << std << 365 << 6;
        QTest::newRow("halb geschrieben") << QByteArray("[Ergebnisse]\nAufheben=ja\nOrdner=/srv/er") << u"*"_s
                                          << true << u"/srv/er"_s << 365 << 0;
        QTest::newRow("halb geschrieben mitten im Wert")
            << QByteArray("[Ergebnisse]\nAufheben=j") << u"*"_s << false << std << 365 << 1;
        QTest::newRow("kein UTF-8") << QByteArray("[Bilder]\nOrdner=/srv/B\xe4r\n") << u"/srv/B\uFFFDr"_s
                                    << false << std << 365 << 1;
        QTest::newRow("Variablen") << QByteArray("[Bilder]\nOrdner=~/Tausch/${USER}/bilder\n[Ergebnisse]\n"
                                                 "Ordner=/srv/${HOST}/erg\n")
                                   << u"~/Tausch/${USER}/bilder"_s << false << u"/srv/${HOST}/erg"_s << 365
                                   << 0;
        QTest::newRow("ein Ordner statt Datei") << QByteArray("/") << u"*"_s << false << std << 365 << 1;
    }
    // Whatever the file holds, the settings are usable, and every line that is not
    // is named with what holds instead.
    void einstellungen()
    {
        QFETCH(QByteArray, datei);
        QFETCH(QString, bilder);
        QFETCH(bool, aufheben);
        QFETCH(QString, ergebnisse);
        QFETCH(int, tage);
        QFETCH(int, probleme);
        QTemporaryDir dir;
        QString pfad = dir.filePath(u"kieselblick.conf"_s);
        if (datei == "/")
            QVERIFY(QDir().mkpath(pfad));
        else if (datei != "-")
            schreibeDatei(pfad, datei);
        const kb::Einstellungen e = kb::leseEinstellungen(pfad, u"/opt/spiel"_s);
        const auto erweitert = [](QString p) {
            return p.replace(u"~"_s, QDir::homePath())
                .replace(u"${USER}"_s, tk::loginName())
                .replace(u"${HOST}"_s, QSysInfo::machineHostName());
        };
        QCOMPARE(e.bilderordner, bilder == u"*" ? u"/opt/spiel/bilder"_s : erweitert(bilder));
        QCOMPARE(e.aufheben, aufheben);
        QCOMPARE(e.ergebnisordner, erweitert(ergebnisse));
        QCOMPARE(e.tage, tage);
        QVERIFY2(e.probleme.size() == probleme, qPrintable(e.probleme.join(u'\n')));
        for (const QString& p : e.probleme)
            QVERIFY2(p.startsWith(u"Zeile "_s) || !p.contains(u"Zeile"_s), qPrintable(p));
    }

    void hinUndZurueck_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("Leerzeichen") << u"  Anna  "_s;
        QTest::newRow("leer") << QString();
        QTest::newRow("Steuerzeichen") << u"A\tB\nC\rD\x1b[2J\x7f"_s;
        QTest::newRow("Rückstriche") << u"C:\\Schule\\n\\t\\x41"_s;
        QTest::newRow("Schrägstrich und Emoji") << u"Mia/Lea 👧🏽 שלום"_s;
    }
    // A record read back equals the one written, whatever the name holds, and is one line.
    void hinUndZurueck()
    {
        QFETCH(QString, name);
        erg::Datensatz d = beispiel(name);
        d.gezeigt.append(u"Tab\tWort\\"_s);
        const QByteArray zeile = erg::alsZeile(d);
        QCOMPARE(zeile.count('\n'), 1);
        QVERIFY(zeile.endsWith('\n'));
        QCOMPARE(erg::ausZeile(zeile), std::optional(d));
        QCOMPARE(erg::ausZeile(zeile.left(zeile.size() / 2)), std::nullopt); // torn
    }

    // 25 writers, each its own computer, in one folder at once: every record there, none torn.
    void vieleSchreiberZugleich()
    {
        QTemporaryDir dir;
        QList<QProcess*> schreiber;
        for (int i = 0; i < 25; ++i)
            schreiber.append(starteSchreiber(dir.path(), u"pc%1"_s.arg(i), 40));
        for (QProcess* p : schreiber) {
            QVERIFY(p->waitForFinished(60000));
            QCOMPARE(p->exitCode(), 0);
            delete p;
        }
        const erg::Bestand b = erg::lies(dir.path());
        QCOMPARE(b.saetze.size(), 25 * 40);
        QCOMPARE(b.dateien, 25);
        QCOMPARE(b.unlesbareZeilen, 0);
    }

    void begleitprogramm_data()
    {
        QTest::addColumn<QByteArray>("konfiguration");
        QTest::addColumn<QStringList>("argumente"); // "@" stands for the results folder
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("ausgabe"); // a line the output must hold
        QTest::newRow("Ergebnisse aus der Einstellung")
            << QByteArray("[Ergebnisse]\nOrdner=@\n") << QStringList{u"--ergebnisse"_s} << 0
            << u"06.12.2026;09:15:02;raum3-pc07;Anna;2;3;1;Affe, Bär, Zug, Ei;Affe, Hut, Zug, Ei;anna"_s;
        QTest::newRow("Ergebnisordner angegeben")
            << QByteArray() << QStringList{u"--ergebnisse"_s, u"@"_s} << 0
            << u"Datum;Uhrzeit;Rechner;Name;Stufe;Richtige;Falsche;Gezeigt"_s;
        QTest::newRow("Ergebnisordner fehlt")
            << QByteArray() << QStringList{u"--ergebnisse"_s, u"/nonexistent/weg"_s} << 2 << QString();
        QTest::newRow("zwei Aufgaben")
            << QByteArray() << QStringList{u"--ergebnisse"_s, u"--check"_s, u"@"_s} << 2 << QString();
        QTest::newRow("Fehler in den Einstellungen")
            << QByteArray("[Bilder]\nOrdner=@\nFarbe=blau\n") << QStringList{u"--check"_s} << 1
            << u"Einstellungen in „%1“: Zeile 3: „Farbe“ gibt es im Abschnitt „[Bilder]“ nicht."_s;
    }

    // The teachers' program on the command line reads the same configuration: the
    // folders it names, and what in it is wrong, line by line.
    void begleitprogramm()
    {
        QFETCH(QByteArray, konfiguration);
        QFETCH(QStringList, argumente);
        QFETCH(int, status);
        QFETCH(QString, ausgabe);
        QTemporaryDir dir;
        const QString conf = dir.filePath(u"kieselblick.conf"_s);
        schreibeDatei(conf, QByteArray(konfiguration).replace('@', QFile::encodeName(dir.path())));
        erg::halteFest(dir.path(), beispiel(u"Anna"_s));
        QVERIFY(erg::warteAufSchreiber(5000));
        QProcessEnvironment umgebung = QProcessEnvironment::systemEnvironment();
        umgebung.insert(u"KIESELBLICK_CONF"_s, conf);
        const Lauf lauf = starte(argumente.replaceInStrings(u"@"_s, dir.path()), umgebung);
        QCOMPARE(lauf.status, status);
        QVERIFY2(lauf.ausgabe.contains(ausgabe.arg(conf)), qPrintable(lauf.ausgabe));
    }

    // The teachers' window says, above the pictures, which lines of the system
    // configuration it could not use; with a good configuration it says nothing.
    void fensterNenntFehler()
    {
        QTemporaryDir dir;
        const QString conf = dir.filePath(u"kieselblick.conf"_s);
        qputenv("KIESELBLICK_CONF", QFile::encodeName(conf));
        const auto zurueck = qScopeGuard([] {
            qunsetenv("KIESELBLICK_CONF");
            kb::einstellungenNeuLesen();
        });
        for (const QByteArray& inhalt :
             {QByteArray("[Ergebnisse]\nAufheben=ja\n"), QByteArray("[Ergebnisse]\nTage=nie\n")}) {
            schreibeDatei(conf, inhalt);
            kb::einstellungenNeuLesen();
            kbb::fenster::Bilderfenster fenster(dir.path(), {});
            fenster.show();
            const QLabel* fehler = fenster.einstellungsfehler();
            const bool kaputt = inhalt.contains("nie");
            QCOMPARE(fehler->isVisible(), kaputt);
            if (kaputt)
                QVERIFY2(fehler->text().contains(
                             u"Zeile 2: „Tage=nie“: erlaubt ist eine Zahl von 1 bis 3650; es gilt 365."_s),
                         qPrintable(fehler->text()));
        }
    }

    // The package's drop box: any user's game can add records, only the teachers'
    // group can list and read them, and nobody can change or remove another's.
    void ablageRechte()
    {
        if (::geteuid() != 0) {
            if (qEnvironmentVariableIsSet("CI"))
                QFAIL("CI must run as root to create the test users.");
            QSKIP("Creating users needs root.");
        }
        const auto aufraeumen = [] {
            sh(u"userdel -r kbkind1 2>/dev/null; userdel -r kbkind2 2>/dev/null; userdel -r kblehrer "
               u"2>/dev/null; "
               "groupdel kbtestlehrer 2>/dev/null; true"_s);
        };
        aufraeumen();
        const auto weg = qScopeGuard(aufraeumen);
        QCOMPARE(sh(u"groupadd kbtestlehrer && useradd -m kbkind1 && useradd -m kbkind2 && "
                    "useradd -m -G kbtestlehrer kblehrer"_s),
                 0);
        QTemporaryDir dir(u"/var/tmp/kb-ablage-XXXXXX"_s);
        QVERIFY(::chmod(QFile::encodeName(dir.path()).constData(), 0755) == 0);
        const QString ablage = dir.filePath(u"ergebnisse"_s);
        QCOMPARE(sh(u"install -d -o root -g kbtestlehrer -m 3773 '%1'"_s.arg(ablage)), 0);
        for (const QString& kind : {u"kbkind1"_s, u"kbkind2"_s}) {
            std::unique_ptr<QProcess> p(starteSchreiber(ablage, kind, 2, kind));
            QVERIFY(p->waitForFinished(30000));
            QCOMPARE(p->exitCode(), 0);
        }
        const QString datei1 = ablage + u'/' + erg::dateiname(QDate(2026, 12, 6), u"kbkind1"_s, u"anna"_s);
        const auto als = [](const char* wer, const QString& befehl) {
            return sh(u"runuser -u %1 -- sh -c \"%2\" 2>/dev/null"_s.arg(QLatin1String(wer), befehl));
        };
        QVERIFY(als("kbkind2", u"ls '%1'"_s.arg(ablage)) != 0);
        QVERIFY(als("kbkind2", u"cat '%1'"_s.arg(datei1)) != 0);
        QVERIFY(als("kbkind2", u"echo x >> '%1'"_s.arg(datei1)) != 0);
        QVERIFY(als("kbkind2", u"rm -f '%1' && test ! -e '%1'"_s.arg(datei1)) != 0);
        QCOMPARE(als("kblehrer", u"ls '%1' | grep -c tsv | grep -qx 2"_s.arg(ablage)), 0);
        QCOMPARE(als("kblehrer", u"grep -c Kind '%1' | grep -qx 2"_s.arg(datei1)), 0);
        QVERIFY(als("kblehrer", u"rm -f '%1' && test ! -e '%1'"_s.arg(datei1)) != 0);
        struct stat st {};
        QCOMPARE(::stat(QFile::encodeName(datei1).constData(), &st), 0);
        QCOMPARE(st.st_mode & 07777, mode_t(0660));
    }

    // Records of days older than the configured number go; the rest stay untouched.
    void alteLoeschen()
    {
        QTemporaryDir dir;
        const QDate heute(2026, 12, 6);
        for (int tage : {0, 29, 30, 31, 400}) {
            erg::Datensatz d = beispiel(u"Tag %1"_s.arg(tage));
            d.zeit.setDate(heute.addDays(-tage));
            erg::halteFest(dir.path(), d);
            erg::halteFest(dir.path(), d);
        }
        QVERIFY(erg::warteAufSchreiber(10000));
        schreibeDatei(dir.filePath(u"notizen.txt"_s), "bleibt\n");
        QCOMPARE(erg::loescheAlte(dir.path(), 30, heute), 4);
        QStringList namen;
        for (const erg::Datensatz& d : erg::lies(dir.path()).saetze)
            namen.append(d.name);
        QCOMPARE(namen,
                 (QStringList{u"Tag 30"_s, u"Tag 30"_s, u"Tag 29"_s, u"Tag 29"_s, u"Tag 0"_s, u"Tag 0"_s}));
        QVERIFY(QFile::exists(dir.filePath(u"notizen.txt"_s)));
        QCOMPARE(erg::loesche(dir.path(), [](const erg::Datensatz& d) { return d.name == u"Tag 29"; }), 2);
        QCOMPARE(erg::lies(dir.path()).saetze.size(), 4);
    }

    void csv_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("zeile");
        QTest::newRow("einfach") << u"Anna"_s
                                 << QByteArray("06.12.2026;09:15:02;raum3-pc07;Anna;2;3;1;Affe, Bär, Zug, Ei;"
                                               "Affe, Hut, Zug, Ei;anna\r\n");
        QTest::newRow("Semikolon und Anführung")
            << u"Li;\"Lu\""_s << QByteArray("06.12.2026;09:15:02;raum3-pc07;\"Li;\"\"Lu\"\"\";2;3;1;");
        QTest::newRow("Formel") << u"=HYPERLINK(1)"_s
                                << QByteArray("06.12.2026;09:15:02;raum3-pc07;'=HYPERLINK(1);");
        QTest::newRow("Leerzeichen") << u" Jörg "_s
                                     << QByteArray("06.12.2026;09:15:02;raum3-pc07;\" Jörg \";");
    }

    // The table opens in a German spreadsheet as it is: its header, German dates,
    // quoted texts, no formulas from names.
    void csv()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, zeile);
        const QByteArray csv = erg::alsCsv({beispiel(name)}, true);
        QVERIFY(csv.startsWith("\xEF\xBB\xBF"
                               "Datum;Uhrzeit;Rechner;Name;Stufe;Richtige;Falsche;"));
        const QByteArray zweite = csv.mid(csv.indexOf('\n') + 1);
        QVERIFY2(zweite.startsWith(zeile), zweite.constData());
        QVERIFY(!erg::alsCsv({}, false).startsWith("\xEF"));
    }
};

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    if (argc == 5 && QByteArray(argv[1]) == "--schreibe")
        return schreibeAlsSchreiber(QApplication::arguments());
    tst_Ergebnisse test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}
#include "tst_ergebnisse.moc"
