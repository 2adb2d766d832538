// Whatever a teacher drops into "bilder": each folder gives a level that plays,
// the refusal with its message, or the run-time error naming the folder or file.
#include "shell/modVariablen.h"
#include "support/spielumgebung.h"

#include <QDir>
#include <QFile>
#include <QSet>
#include <QTest>
#include <unistd.h>

using namespace Qt::StringLiterals;
using kbtest::Spiel;

namespace {

// A name may say what it is: "ordner:" a sub-folder, "leer:" a file of zero
// bytes, "gesperrt:" a file nobody may read, "link:" a link to nowhere,
// "latin1:" a name that is no UTF-8 (as copied from an old stick), "viele:" that
// many links to one picture.
void lege(const QString& bilder, const QString& eintrag)
{
    const QString art = eintrag.section(u':', 0, 0);
    const QString pfad = bilder + u'/' + eintrag.section(u':', -1);
    if (art == u"viele")
        for (int i = eintrag.section(u':', -1).toInt() - 1; i >= 0; --i)
            QVERIFY(QFile::link(u"../Bild.png"_s, bilder + u"/Bild%1.png"_s.arg(i, 6, 10, QLatin1Char('0'))));
    else if (art == u"ordner")
        QVERIFY(QDir().mkpath(pfad));
    else if (art == u"link")
        QVERIFY(QFile::link(bilder + u"/nirgends/weg.png"_s, pfad));
    else if (art == u"leer")
        QVERIFY(QFile(pfad).open(QIODevice::WriteOnly));
    else
        kbtest::schreibeBild(pfad, QSize(40, 30), "PNG");
    if (art == u"gesperrt")
        QVERIFY(QFile::setPermissions(pfad, {}));
    if (art == u"latin1")
        QVERIFY(::rename(QFile::encodeName(pfad),
                         QFile::encodeName(bilder) + '/' + pfad.section(u'/', -1).toLatin1()) == 0);
}

void zeile(const char* name, int stufe, const QStringList& dateien, const char* erwartet)
{
    QTest::newRow(name) << stufe << dateien << QString::fromUtf8(erwartet);
}

} // namespace

class tst_Bilderordner : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void ordner_data()
    {
        QTest::addColumn<int>("stufe");
        QTest::addColumn<QStringList>("dateien"); // none at all: the folder is missing
        QTest::addColumn<QString>("erwartet");    // the file of an error is drawn first
        const QStringList acht = kbtest::bilddateien(8);
        const QStringList neun = kbtest::bilddateien(9);
        const char* const nur8 = "nur 8 verwendbare Bilder";
        zeile("fehlt", 1, {}, "Fehler 76 /bilder");
        zeile("leer", 2, {u"ordner:."_s}, "kein verwendbares Bild");
        zeile("zu wenige", 1, acht, nur8);
        zeile("genau 9", 1, neun, "spielt");
        zeile("genau 15", 2, kbtest::bilddateien(15), "spielt");
        zeile("kurze Namen, 8 Wörter", 1, QStringList(acht) << u"abcd"_s << u"a.pn"_s << u"x"_s, nur8);
        zeile("kurze Namen, 9 Wörter", 1, QStringList(neun) << u"Ohr"_s << u"Uhr."_s, "spielt");
        zeile("ein Wort, zwei Endungen", 1, QStringList(acht) << u"Bild01.jpg"_s << u"Bild02.gif"_s, nur8);
        zeile("Umlaute, Leerzeichen, Emoji", 1,
              {u"Bär.png"_s, u"Größe.png"_s, u"Ölfass.jpg"_s, u"rote Rübe.png"_s, u" .png.png"_s,
               u"Fisch🐟.png"_s, u"🐳.png"_s, u"Kuh🐄abc"_s, u"ß  ß.bmp"_s},
              "spielt");
        zeile("Unterordner", 1, QStringList(acht) << u"ordner:Baum.png"_s, nur8);
        zeile("null Bytes", 1, QStringList(acht) << u"leer:Null.png"_s, "Fehler 481 /bilder/Null.png");
        zeile("nicht lesbar", 1, QStringList(acht) << u"gesperrt:Zu.png"_s, "Fehler 481 /bilder/Zu.png");
        zeile("Name nicht UTF-8", 1, QStringList(acht) << u"latin1:Bär.png"_s, nur8);
        zeile("Link ins Leere", 1, QStringList(acht) << u"link:Weg.png"_s, nur8);
        zeile("100000 Bilder", 2, {u"viele:100000"_s}, "spielt");
    }
    void ordner()
    {
        QFETCH(int, stufe);
        QFETCH(QStringList, dateien);
        QFETCH(QString, erwartet);
        kbtest::Wachhund wachhund(std::chrono::seconds(60));
        Spiel spiel;
        const QString bilder = spiel.programmOrdner() + u"/bilder"_s;
        // Qt cannot name the file that is no UTF-8, nor remove it with its folder.
        const auto weg = qScopeGuard([&bilder] { ::unlink(QFile::encodeName(bilder) + "/B\xe4r.png"); });
        if (!dateien.isEmpty())
            QVERIFY(QDir().mkpath(bilder));
        kbtest::schreibeBild(spiel.programmOrdner() + u"/Bild.png"_s, QSize(40, 30), "PNG");
        for (const QString& eintrag : dateien)
            lege(bilder, eintrag);
        if (QFile lesen(bilder + u"/Zu.png"_s); lesen.exists() && lesen.open(QIODevice::ReadOnly)) {
            qInfo("Als root liest das Programm auch eine Datei ohne Rechte: sie wird gezeigt.");
            erwartet = u"spielt"_s;
        }

        const QString schirm = u"frmSchw%1"_s.arg(stufe);
        spiel.starte(schirm);
        if (tk::Form* f = spiel.geladen(schirm); f && erwartet.startsWith(u"Fehler")) {
            const tk::FileListBox& File1 = f->fileList(u"File1"_s);
            const qsizetype stelle = File1.entries().indexOf(erwartet.section(u'/', -1));
            spiel.services.scriptedNumbers = {(float(stelle) + 0.5f) / float(File1.ListCount())};
        }
        for (int klick = 0; spiel.geladen(schirm) && klick < 20; ++klick) {
            wachhund.schritt(u"Klick %1"_s.arg(klick));
            Spiel::klick(spiel.geladen(schirm)->button(u"cmdweiter"_s));
        }

        const auto& fehler = spiel.services.error;
        if (erwartet.startsWith(u"Fehler")) {
            QVERIFY(fehler && spiel.beendet() && spiel.services.exitStatus == 1);
            QCOMPARE(fehler->number(), erwartet.section(u' ', 1, 1).toInt());
            QCOMPARE(fehler->message().section(u' ', -1), spiel.programmOrdner() + erwartet.section(u' ', 2));
        } else if (erwartet != u"spielt") {
            QCOMPARE(spiel.aktuellerName(), u"frmSchwierigkeit"_s);
            QCOMPARE(spiel.services.messages.size(), 1);
            QVERIFY2(spiel.services.messages[0].contains(erwartet), qPrintable(spiel.services.messages[0]));
        } else {
            QVERIFY2(!fehler, qPrintable(fehler ? fehler->message() : QString()));
            QCOMPARE(spiel.aktuellerName(), stufe == 1 ? u"frmAusw1"_s : u"frmAusw2"_s);
            // The board's words: all different, all from the first 32767 files by name.
            QSet<QString> moeglich;
            for (const QString& datei :
                 QDir(bilder).entryList(QDir::Files, QDir::Name | QDir::IgnoreCase).mid(0, 32767))
                if (datei.size() > 4)
                    moeglich.insert(datei.left(datei.size() - 4));
            QSet<QString> tafel;
            for (int i = 0; i < (stufe == 1 ? 9 : 15); ++i)
                tafel.insert(spiel.aktuell()->button(u"cmdeins"_s, i).Caption());
            QCOMPARE(tafel.size(), stufe == 1 ? 9 : 15);
            QVERIFY(moeglich.contains(tafel));
            if (moeglich.size() == tafel.size())
                QCOMPARE(tafel, moeglich);
        }
    }
};

QTEST_MAIN(tst_Bilderordner)
#include "tst_bilderordner.moc"
