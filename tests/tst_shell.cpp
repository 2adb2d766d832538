// The start screen, the instruction document and the difficulty menu.
#include "support/spielumgebung.h"

#include <QTextBlock>
#include <QTextDocument>

namespace {

// Records the names of the windows shown while it lives.
struct FensterZeuge : QObject {
    QStringList gezeigt;
    FensterZeuge() { qApp->installEventFilter(this); }
    bool eventFilter(QObject* o, QEvent* e) override
    {
        if (e->type() == QEvent::Show && kbtest::istFenster(o))
            gezeigt << o->objectName();
        return false;
    }
};

} // namespace

class tst_Shell : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void onlyTheChosenScreenOpens_data()
    {
        QTest::addColumn<QString>("schirm");
        QTest::addColumn<QString>("eingabe"); // keys, or a button clicked
        QTest::addColumn<QString>("weiter");  // empty: the end, and no other screen shown
        QTest::newRow("Esc") << u"frmStart"_s << u"Esc"_s << QString();
        QTest::newRow("Ende") << u"frmStart"_s << u"cmdBeenden"_s << QString();
        QTest::newRow("Alt+S") << u"frmStart"_s << u"Alt+S"_s << u"frmSpiel"_s;
        QTest::newRow("Start") << u"frmStart"_s << u"cmdStart"_s << u"frmSpiel"_s;
        const char* knoepfe[] = {"cmdschweins", "cmdschwzwei", "cmdschwdrei", "cmdschwvier", "cmdschwfünf"};
        for (int i = 0; i < 5; ++i)
            QTest::newRow(knoepfe[i])
                << u"frmSchwierigkeit"_s << QString::fromUtf8(knoepfe[i]) << u"frmSchw%1"_s.arg(i + 1);
        for (const char* taste : {"Return", "Enter", "Space"})
            QTest::newRow(taste) << u"frmSchwierigkeit"_s << QString::fromLatin1(taste) << u"frmSchw1"_s;
    }
    // The typed name is kept only when the game goes on; the menu changes no state.
    void onlyTheChosenScreenOpens()
    {
        QFETCH(QString, schirm);
        QFETCH(QString, eingabe);
        QFETCH(QString, weiter);
        Spiel spiel;
        spiel.bilderOrdner(kbtest::bilddateien(15));
        spiel.services.promptAnswers = {u"3"_s};
        Spiel::aktiviere(spiel.starte(schirm));
        if (schirm == u"frmStart"_s)
            Spiel::tippen(QApplication::focusWidget(), u"Ben"_s);
        else
            kb::modVariablen::Benutzername = u"Ben"_s;
        kb::modVariablen::Richtige = 3;
        FensterZeuge zeuge;
        eingabe.startsWith(u"cmd"_s) ? Spiel::klick(spiel.aktuell()->find<tk::CommandButton>(eingabe))
                                     : Spiel::tasten(eingabe);
        QTRY_COMPARE(spiel.aktuellerName(), weiter);
        QCOMPARE(zeuge.gezeigt, weiter.isEmpty() ? QStringList() : QStringList{weiter});
        QCOMPARE(kb::modVariablen::Benutzername, weiter.isEmpty() ? QString() : u"Ben"_s);
        QCOMPARE(spiel.beendet(), weiter.isEmpty());
        QVERIFY(weiter.isEmpty() || kb::modVariablen::Richtige == 3);
    }

    // The twelve paragraphs, each on one line, all within the box.
    void instructionDocument()
    {
        Spiel spiel;
        auto* box = qobject_cast<QLabel*>(spiel.starte(u"frmSpiel"_s)->control(u"OLE1"_s).widget());
        QTextDocument doc;
        doc.setDefaultFont(box->font());
        doc.setHtml(box->text());
        doc.setTextWidth(box->width());
        QVERIFY(doc.size().height() <= box->height());
        QCOMPARE(doc.blockCount(), 12);
        for (QTextBlock b = doc.begin(); b.isValid(); b = b.next())
            QCOMPARE(b.layout()->lineCount(), 1);
        QCOMPARE(doc.firstBlock().text(), u"Bei diesem Spiel musst du dir Bilder merken. "_s);
    }
};

KB_TEST_MAIN(tst_Shell)
#include "tst_shell.moc"
