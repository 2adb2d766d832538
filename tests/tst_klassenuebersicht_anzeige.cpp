// The class overview's display and exports, driven as a teacher would: the
// filters worked by keys, the chart of a child clicked in the table, and the
// CSV and PDF files written through the buttons and the save dialog.
#include "bilderordner/fenster/verlaufsdiagramm.h"
#include "klassenuebersicht_hilfen.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineSeries>
#include <QTableWidget>

using namespace kbtest::uebersicht;

class tst_KlassenuebersichtAnzeige : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void filter_data()
    {
        QTest::addColumn<int>("zeitraumTasten"); // Up keys from "Alle"
        QTest::addColumn<int>("rechnerTasten");  // Down keys from "Alle Rechner"
        QTest::addColumn<QStringList>("kinder");
        QTest::addColumn<int>("runden");
        QTest::addColumn<int>("igel"); // how often "Igel" was missed
        QTest::newRow("alle") << 0 << 0 << QStringList{u"Anna"_s, u"Ben"_s, u"Cem"_s} << 5 << 2;
        QTest::newRow("dieser Monat") << 1 << 0 << QStringList{u"Anna"_s, u"Ben"_s} << 3 << 1;
        QTest::newRow("pc1") << 0 << 1 << QStringList{u"Anna"_s, u"Cem"_s} << 3 << 2;
        QTest::newRow("pc2") << 0 << 2 << QStringList{u"Ben"_s, u"Cem"_s} << 2 << 0;
        QTest::newRow("dieser Monat, pc2") << 1 << 2 << QStringList{u"Ben"_s} << 1 << 0;
    }

    // The combo boxes, worked by keys, narrow the table, the count and the words
    // to the period and the computer.
    void filter()
    {
        QFETCH(int, zeitraumTasten);
        QFETCH(int, rechnerTasten);
        QFETCH(QStringList, kinder);
        QFETCH(int, runden);
        QFETCH(int, igel);
        QTemporaryDir dir;
        // "Anna " misses "Igel" today; Cem misses "Ei" and "Igel" 40 days ago.
        schreibe(dir.path(),
                 {runde(u"anna"_s, 0), runde(u"Anna "_s, 0, 1, 1), runde(u"Ben"_s, 0, 2, 0, u"pc2"_s),
                  runde(u"Cem"_s, 40, 1, 2), runde(u"Cem"_s, 45, 1, 0, u"pc2"_s)});
        auto f = oeffne(dir.path());
        QVERIFY(f);
        QCOMPARE(f->rechnerWahl()->count(), 3);
        for (int i = 0; i < zeitraumTasten; ++i)
            QTest::keyClick(f->zeitraumWahl(), Qt::Key_Up);
        for (int i = 0; i < rechnerTasten; ++i)
            QTest::keyClick(f->rechnerWahl(), Qt::Key_Down);
        QCOMPARE(zeilen(*f), kinder);
        QCOMPARE(f->auswahl().size(), runden);
        const QString stand =
            u"%1 von %2 "_s.arg(runden == 1 ? u"1 Ergebnis"_s : u"%1 Ergebnisse"_s.arg(runden),
                                kinder.size() == 1 ? u"1 Kind"_s : u"%1 Kindern"_s.arg(kinder.size()));
        QVERIFY2(f->stand()->text().startsWith(stand), qPrintable(f->stand()->text()));
        int gezaehlt = 0;
        for (int i = 0; i < f->fehlwoerter()->rowCount(); ++i)
            if (f->fehlwoerter()->item(i, 0)->text() == u"Igel")
                gezaehlt = f->fehlwoerter()->item(i, 1)->text().chopped(1).toInt();
        QCOMPARE(gezaehlt, igel);
    }

    void diagramm_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QStringList>("reihen"); // "Stufe 1:2": a line and its points
        QTest::addColumn<double>("zuletzt");     // the right picks of the last point of the last line
        QTest::newRow("eine Stufe") << u"Ben"_s << QStringList{u"Stufe 2:1"_s} << 4.0;
        QTest::newRow("drei Stufen") << u"Anna"_s
                                     << QStringList{u"Stufe 1:2"_s, u"Stufe 3:1"_s, u"Stufe 5:3"_s} << 7.0;
    }

    // A click on a child's row draws its rounds, one line per level played.
    void diagramm()
    {
        QFETCH(QString, kind);
        QFETCH(QStringList, reihen);
        QFETCH(double, zuletzt);
        QTemporaryDir dir;
        schreibe(dir.path(), {runde(u"Anna"_s, 6, 1), runde(u"Anna"_s, 5, 1), runde(u"Anna"_s, 4, 3, 1),
                              runde(u"Anna"_s, 3, 5, 2), runde(u"Anna"_s, 2, 5), runde(u"Anna"_s, 1, 5),
                              runde(u"Ben"_s, 0, 2, 3)});
        auto f = oeffne(dir.path());
        QVERIFY(f);
        klickeZeile(*f, kind == u"Anna" ? u"Ben"_s : u"Anna"_s);
        klickeZeile(*f, kind);
        QStringList gezeichnet;
        for (QLineSeries* r : f->diagramm()->reihen())
            gezeichnet.append(u"%1:%2"_s.arg(r->name()).arg(r->count()));
        QCOMPARE(gezeichnet, reihen);
        QVERIFY(f->diagramm()->chart()->title().startsWith(kind));
        const QLineSeries* letzte = f->diagramm()->reihen().constLast();
        QCOMPARE(letzte->at(letzte->count() - 1).y(), zuletzt);
    }

    void exporte_data()
    {
        QTest::addColumn<bool>("csv"); // else PDF
        QTest::addColumn<int>("zeitraumTasten");
        QTest::addColumn<int>("teile"); // records in the table, or pages: one per child
        QTest::newRow("CSV, alle") << true << 0 << 3;
        QTest::newRow("CSV, dieser Monat") << true << 1 << 2;
        QTest::newRow("PDF, alle") << false << 0 << 3;
        QTest::newRow("PDF, dieser Monat") << false << 1 << 2;
    }
    // The buttons write the records of the chosen period through the save dialog:
    // a table for a German spreadsheet (the UTF-8 mark, semicolons, German dates),
    // or for the parents' evening one page per child.
    void exporte()
    {
        QFETCH(bool, csv);
        QFETCH(int, zeitraumTasten);
        QFETCH(int, teile);
        QTemporaryDir dir, ziel;
        // The save dialog starts in the teacher's home, here a folder of the test's own.
        const QByteArray heim = qgetenv("HOME");
        qputenv("HOME", QFile::encodeName(ziel.path()));
        const auto zurueck = qScopeGuard([&] { qputenv("HOME", heim); });
        schreibe(dir.path(), {runde(u"Anna"_s, 0), runde(u"Jörg"_s, 0, 2), runde(u"Cem"_s, 40)});
        auto f = oeffne(dir.path());
        QVERIFY(f);
        for (int i = 0; i < zeitraumTasten; ++i)
            QTest::keyClick(f->zeitraumWahl(), Qt::Key_Up);
        klicke(*f, csv ? f->csvAktion() : f->pdfAktion());
        const QString pfad = speichere(*f);
        QCOMPARE(pfad, ziel.filePath(u"Kieselblick-Ergebnisse-%1.%2"_s.arg(Heute.toString(Qt::ISODate),
                                                                           csv ? u"csv"_s : u"pdf"_s)));
        const QByteArray inhalt = kbtest::fenster::inhalt(pfad);
        if (csv) {
            QVERIFY(inhalt.startsWith("\xEF\xBB\xBF"
                                      "Datum;Uhrzeit;Rechner;Name;Stufe;"));
            QCOMPARE(inhalt.count("\r\n"), teile + 1);
            QVERIFY(inhalt.contains(Heute.toString(u"dd.MM.yyyy"_s).toLatin1() +
                                    ";09:00:00;pc1;J\xC3\xB6rg;2;7;0;"));
        } else {
            QVERIFY(inhalt.startsWith("%PDF"));
            static const QRegularExpression seite(u"/Type\\s*/Page[^s]"_s);
            QCOMPARE(QString::fromLatin1(inhalt).count(seite), teile);
        }
    }

    void vorschlagsSpalte_data()
    {
        QTest::addColumn<QList<int>>("stufen");  // a round each, oldest first
        QTest::addColumn<QList<int>>("falsche"); // its wrong picks
        QTest::addColumn<QString>("vorschlag");
        QTest::newRow("höher") << QList<int>{1, 1} << QList<int>{0, 0} << u"Stufe 2, höher"_s;
        QTest::newRow("leichter") << QList<int>{1, 2, 2} << QList<int>{0, 5, 4} << u"Stufe 1, leichter"_s;
        QTest::newRow("bleiben") << QList<int>{3, 3} << QList<int>{0, 1} << u"Stufe 3"_s;
    }

    // The suggestion as the table says it, with the rule on the column's tooltip.
    void vorschlagsSpalte()
    {
        QFETCH(QList<int>, stufen);
        QFETCH(QList<int>, falsche);
        QFETCH(QString, vorschlag);
        QTemporaryDir dir;
        QList<erg::Datensatz> saetze;
        for (int i = 0; i < stufen.size(); ++i)
            saetze.append(runde(u"Anna"_s, int(stufen.size()) - i, stufen[i], falsche[i]));
        schreibe(dir.path(), saetze);
        auto f = oeffne(dir.path());
        QVERIFY(f);
        const int spalte = f->modell()->vorschlagSpalte();
        QCOMPARE(f->modell()->index(0, spalte).data().toString(), vorschlag);
        QVERIFY(f->modell()
                    ->headerData(spalte, Qt::Horizontal, Qt::ToolTipRole)
                    .toString()
                    .contains(u"Vorschlag"_s));
    }

    // "Ordner öffnen …" reads another folder and leaves old records in it alone; a
    // folder that is not there is named so, with nothing to export or delete.
    void andererOrdner()
    {
        QTemporaryDir dir;
        const QString alt = dir.filePath(u"Vorjahr"_s); // as the dialog shows it, beside the results
        QVERIFY(QDir().mkpath(alt));
        schreibe(dir.path(), {runde(u"Anna"_s, 0)});
        schreibe(alt, {runde(u"Ben"_s, 800), runde(u"Cem"_s, 900)});
        auto f = oeffne(dir.path(), 30);
        QVERIFY(f);
        klicke(*f, f->findChild<QToolBar*>()->actions().constFirst());
        QFileDialog* d = nullptr;
        QVERIFY((d = offen<QFileDialog>(*f, 5000)));
        auto* name = d->findChild<QLineEdit*>(u"fileNameEdit"_s);
        QVERIFY(name);
        QTest::keyClicks(name, u"Vorjahr"_s);
        QTest::keyClick(name, Qt::Key_Return);
        QVERIFY(QTest::qWaitFor([&] { return f->ordner() == alt && f->geladen(); }, 20000));
        QCOMPARE(zeilen(*f), (QStringList{u"Ben"_s, u"Cem"_s}));
        QVERIFY(!f->meldung()->isVisible());
        QCOMPARE(erg::lies(alt).saetze.size(), 2);

        f->oeffne(dir.filePath(u"fehlt"_s));
        QVERIFY(geladen(*f));
        QVERIFY2(f->stand()->text().contains(u"gibt es nicht"_s), qPrintable(f->stand()->text()));
        QCOMPARE(f->modell()->rowCount(), 0);
        QVERIFY(!f->csvAktion()->isEnabled() && !f->pdfAktion()->isEnabled() &&
                !f->alleLoeschenAktion()->isEnabled());
    }
};

QTEST_MAIN(tst_KlassenuebersichtAnzeige)
#include "tst_klassenuebersicht_anzeige.moc"
