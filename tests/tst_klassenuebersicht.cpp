// The class overview driven as a teacher would: joining two spellings and that
// the join holds when the overview opens again, deleting a child's records or
// all, and old records deleted on opening from the companion's menu.
#include "klassenuebersicht_hilfen.h"
#include "regeln/einstellungen.h"

#include <QComboBox>
#include <QLabel>
#include <QMenuBar>

using namespace kbtest::uebersicht;

class tst_Klassenuebersicht : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void zusammenfuehren_data()
    {
        QTest::addColumn<QString>("antwort");
        QTest::addColumn<bool>("schreibgeschuetzt");
        QTest::addColumn<QStringList>("danach");
        QTest::addColumn<QStringList>("wiederGeoeffnet");
        const QStringList getrennt{u"Ana"_s, u"Anna"_s, u"Ben"_s}, eins{u"Anna"_s, u"Ben"_s};
        QTest::newRow("zusammengeführt") << u"Zusammenführen"_s << false << eins << eins;
        QTest::newRow("abgebrochen") << u"Abbrechen"_s << false << getrennt << getrennt;
        QTest::newRow("Ordner schreibgeschützt: nur bis zum Schließen")
            << u"Zusammenführen"_s << true << eins << getrennt;
    }
    // Two rows marked with the mouse and joined stay joined when the overview
    // opens again; the joined child's rounds are counted together. Where the
    // folder cannot take the note, the join holds until the window closes.
    void zusammenfuehren()
    {
        QFETCH(QString, antwort);
        QFETCH(bool, schreibgeschuetzt);
        QFETCH(QStringList, danach);
        QFETCH(QStringList, wiederGeoeffnet);
        QTemporaryDir dir;
        schreibe(dir.path(), {runde(u"Ana"_s, 1), runde(u"anna"_s, 1), runde(u" Anna"_s, 0),
                              runde(u"Anna"_s, 0), runde(u"Ben"_s, 0)});
        QVERIFY(!schreibgeschuetzt || kbtest::schreibschuetze(dir.path(), true));
        const auto frei = qScopeGuard([&] { kbtest::schreibschuetze(dir.path(), false); });
        auto f = oeffne(dir.path());
        QVERIFY(f);
        QCOMPARE(zeilen(*f), (QStringList{u"Ana"_s, u"Anna"_s, u"Ben"_s}));
        QVERIFY(!f->zusammenfuehrenAktion()->isEnabled());
        klickeZeile(*f, u"Ana"_s);
        klickeZeile(*f, u"Anna"_s, Qt::ControlModifier);
        klicke(*f, f->zusammenfuehrenAktion());
        QVERIFY(antworte(*f, antwort) && geladen(*f));
        QCOMPARE(zeilen(*f), danach);
        QCOMPARE(f->meldung()->text().contains(u"bis zum Schließen"_s), schreibgeschuetzt);
        f->aktualisiere();
        QVERIFY(geladen(*f));
        QCOMPARE(zeilen(*f), danach);
        f.reset();
        auto wieder = oeffne(dir.path());
        QVERIFY(wieder);
        QCOMPARE(zeilen(*wieder), wiederGeoeffnet);
        QCOMPARE(wieder->modell()->kinder().first().runden, wiederGeoeffnet.size() == 2 ? 4 : 1);
        QCOMPARE(erg::lies(dir.path()).saetze.size(), 5);
    }

    void loeschen_data()
    {
        QTest::addColumn<QString>("kind"); // empty: "Alle löschen …"
        QTest::addColumn<QString>("antwort");
        QTest::addColumn<QStringList>("bleiben");
        QTest::addColumn<bool>("schreibgeschuetzt");
        QTest::addColumn<QString>("meldung");
        const QStringList alle{u"Ana"_s, u"Anna"_s, u"Ben"_s, u"Ben"_s, u"anna"_s};
        QTest::newRow("ein Kind") << u"Ben"_s << u"Löschen"_s << QStringList{u"Ana"_s, u"Anna"_s, u"anna"_s}
                                  << false << u"2 Ergebnisse von „Ben“ wurden gelöscht."_s;
        QTest::newRow("zusammengeführt, mit anderer Schreibweise")
            << u"Anna"_s << u"Löschen"_s << QStringList{u"Ben"_s, u"Ben"_s} << false
            << u"3 Ergebnisse von „Anna“ wurden gelöscht."_s;
        QTest::newRow("abgebrochen") << u"Ben"_s << u"Abbrechen"_s << alle << false << QString();
        QTest::newRow("alle") << QString() << u"Alle löschen"_s << QStringList() << false
                              << u"5 Ergebnisse wurden gelöscht."_s;
        QTest::newRow("schreibgeschützt") << u"Ben"_s << u"Löschen"_s << alle << true
                                          << u"Es ließ sich kein Ergebnis von „Ben“ löschen: Du darfst im "
                                             u"Ergebnisordner nichts ändern."_s;
    }
    // A child's records go after the question is answered, in every file and
    // outside the chosen period too; the others stay.
    void loeschen()
    {
        QFETCH(QString, kind);
        QFETCH(QString, antwort);
        QFETCH(QStringList, bleiben);
        QFETCH(bool, schreibgeschuetzt);
        QFETCH(QString, meldung);
        QTemporaryDir dir;
        schreibe(dir.path(), {runde(u"Ana"_s, 40), runde(u"anna"_s, 1), runde(u"Anna"_s, 0),
                              runde(u"Ben"_s, 40), runde(u"Ben"_s, 0, 1, 0, u"pc2"_s)});
        QVERIFY(erg::Namen::merke(dir.path(), u"Anna"_s, u"Ana"_s));
        const QStringList dateien = QDir(dir.path()).entryList(QDir::Files) << QString();
        for (const QString& d : dateien)
            QVERIFY(!schreibgeschuetzt || kbtest::schreibschuetze(dir.filePath(d), true));
        const auto frei = qScopeGuard([&] {
            for (auto d = dateien.crbegin(); d != dateien.crend(); ++d)
                kbtest::schreibschuetze(dir.filePath(*d), false);
        });
        auto f = oeffne(dir.path());
        QVERIFY(f);
        QTest::keyClick(f->zeitraumWahl(), Qt::Key_Up);
        QCOMPARE(f->zeitraumWahl()->currentText(), u"Dieser Monat"_s);
        if (!kind.isEmpty())
            klickeZeile(*f, kind);
        klicke(*f, kind.isEmpty() ? f->alleLoeschenAktion() : f->loeschenAktion());
        QVERIFY(antworte(*f, antwort) && geladen(*f));
        QStringList namen;
        for (const erg::Datensatz& d : erg::lies(dir.path()).saetze)
            namen.append(d.name);
        namen.sort();
        QCOMPARE(namen, bleiben);
        QCOMPARE(f->meldung()->isVisible(), !meldung.isEmpty());
        QCOMPARE(f->meldung()->text(), meldung);
    }

    void ablaufBeimOeffnen_data()
    {
        QTest::addColumn<int>("tage");
        QTest::addColumn<QString>("meldung");
        QTest::addColumn<int>("bleiben");
        QTest::newRow("30 Tage") << 30 << u"3 Ergebnisse, älter als 30 Tage, wurden gelöscht."_s << 2;
        QTest::newRow("50 Tage") << 50 << u"1 Ergebnis, älter als 50 Tage, wurde gelöscht."_s << 4;
        QTest::newRow("365 Tage") << 365 << QString() << 5;
    }
    // The overview opened from the companion's menu on the configured folder
    // deletes what is older than the configured days and says how many; read
    // again, nothing more goes and the banner is gone.
    void ablaufBeimOeffnen()
    {
        QFETCH(int, tage);
        QFETCH(QString, meldung);
        QFETCH(int, bleiben);
        QTemporaryDir dir;
        const QString ergebnisse = dir.filePath(u"ergebnisse"_s);
        QVERIFY(QDir().mkpath(ergebnisse));
        schreibe(ergebnisse, {runde(u"Anna"_s, 60), runde(u"Anna"_s, 40), runde(u"Ben"_s, 31),
                              runde(u"Ben"_s, 30), runde(u"Ben"_s, 0)});
        Spiel spiel;
        spiel.standardBilder();
        spiel.services.konfiguration = dir.filePath(u"kieselblick.conf"_s);
        kbtest::schreibeDatei(spiel.services.konfiguration,
                              u"[Ergebnisse]\nOrdner=%1\nTage=%2\n"_s.arg(ergebnisse).arg(tage).toUtf8());
        kb::einstellungenNeuLesen();
        kbb::fenster::Bilderfenster bilder(spiel.bilder(), QString());
        bilder.show();
        QMenuBar* leiste = bilder.menuBar();
        QAction* menue = nullptr;
        for (QAction* a : leiste->actions())
            menue = a->text() == u"&Ergebnisse" ? a : menue;
        QVERIFY(menue);
        QTest::mouseClick(leiste, Qt::LeftButton, {}, leiste->actionGeometry(menue).center());
        QVERIFY(QTest::qWaitFor([&] { return menue->menu()->isVisible(); }, 5000));
        QTest::mouseClick(menue->menu(), Qt::LeftButton, {},
                          menue->menu()->actionGeometry(bilder.klassenuebersichtAktion()).center());
        QVERIFY(QTest::qWaitFor([&] { return bilder.offeneKlassenuebersicht(); }, 20000));
        Klassenuebersicht& f = *bilder.offeneKlassenuebersicht();
        QVERIFY(geladen(f));
        QCOMPARE(f.meldung()->isVisible(), !meldung.isEmpty());
        QCOMPARE(f.meldung()->text(), meldung);
        QCOMPARE(f.auswahl().size(), bleiben);
        QCOMPARE(erg::lies(ergebnisse).saetze.size(), bleiben);
        f.aktualisiere();
        QVERIFY(geladen(f) && !f.meldung()->isVisible());
    }
};

QTEST_MAIN(tst_Klassenuebersicht)
#include "tst_klassenuebersicht.moc"
