// The start screen, the instruction screen and the difficulty menu, through real
// typing, keys and clicks.
#include "shell/modVariablen.h"
#include "support/spielumgebung.h"

#include <QApplication>
#include <QLabel>
#include <QPointer>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>

using namespace tk;
using namespace Qt::StringLiterals;
using kbtest::Spiel;

namespace {

// Records the names of the windows shown while it lives.
struct FensterZeuge : QObject {
    QStringList gezeigt;
    FensterZeuge() { qApp->installEventFilter(this); }
    bool eventFilter(QObject* o, QEvent* e) override
    {
        if (e->type() == QEvent::Show && o->isWidgetType() && static_cast<QWidget*>(o)->isWindow())
            gezeigt << o->objectName();
        return false;
    }
};

struct Spalte {
    QString knopf;
    int left;
    QString wort, text, schirm;
};
const Spalte spalten[] = {
    {u"cmdschweins"_s, 40, u"leicht"_s, u"Hier werden dir 4 verschiedene Bilder gezeigt"_s, u"frmSchw1"_s},
    {u"cmdschwzwei"_s, 192, u"mittel"_s, u"Hier werden dir 7 verschiedene Bilder gezeigt"_s, u"frmSchw2"_s},
    {u"cmdschwdrei"_s, 344, u"schwer"_s, u"Hier werden dir 4 verschiedene Bilder automatisch gezeigt"_s,
     u"frmSchw3"_s},
    {u"cmdschwvier"_s, 496, u"schwerer"_s, u"Hier werden dir 7 verschiedene Bilder automatisch gezeigt"_s,
     u"frmSchw4"_s},
    {u"cmdschwfünf"_s, 648, u"wählbar"_s,
     u"Hier kannst du eine Zeit wählen, in der dir die Bilder automatisch angezeigt werden"_s, u"frmSchw5"_s},
};

const auto textBei = [](const Form* f, QPoint at) {
    const auto* l = qobject_cast<QLabel*>(f->window()->childAt(at));
    return l ? l->text() : QString();
};
// Keys, or a click on the current screen's button of that name.
const auto eingeben = [](const QString& eingabe) {
    eingabe.startsWith(u"cmd"_s) ? Spiel::klick(Program::instance().current()->button(eingabe))
                                 : Spiel::tasten(eingabe);
};

} // namespace

class tst_Shell : public QObject {
    Q_OBJECT

    // The menu, ready for keys, with pictures and a display time for every level.
    static Form* menue(Spiel& spiel)
    {
        spiel.bilderOrdner(kbtest::bilddateien(15));
        spiel.services.promptAnswers = {u"3"_s};
        Form* f = spiel.starte(u"frmSchwierigkeit"_s);
        Spiel::aktiviere(f);
        return f;
    }

private Q_SLOTS:
    void startScreenOpensReady()
    {
        Spiel spiel;
        Form* start = spiel.starte(u"frmStart"_s);
        Spiel::aktiviere(start);
        QCOMPARE(start->window()->windowTitle(), u"Kieselblick"_s);
        QCOMPARE(start->window()->frameGeometry().size(), QSize(800, 600));
        const QImage bild = start->window()->grab().toImage();
        QCOMPARE(bild.pixelColor(20, 150), QColor(255, 192, 255));
        const QWidget* leinwand = start->image(u"imgLeinwand"_s).widget();
        QCOMPARE(leinwand->geometry(), QRect(320, 80, 450, 461));
        const QColor orange = bild.pixelColor(420, 230);
        QVERIFY2(orange.red() > 220 && orange.green() > 100 && orange.green() < 190 && orange.blue() < 90,
                 qPrintable(orange.name()));
        // The prompt runs into the picture and lies above it; the title is not cut.
        const QWidget* aufforderung = start->label(u"lblNamenseingabe"_s).widget();
        const QRect beide = aufforderung->geometry() & leinwand->geometry();
        QVERIFY(!beide.isEmpty() && start->window()->childAt(beide.center()) == aufforderung);
        const auto* titel = qobject_cast<QLabel*>(start->label(u"lblSpielname"_s).widget());
        QCOMPARE(titel->text(), u"Kieselblick???"_s);
        QCOMPARE(titel->width(), titel->fontMetrics().horizontalAdvance(titel->text()));
        QCOMPARE(start->button(u"cmdStart"_s).widget()->toolTip(), u"Startet das Spiel"_s);
        QCOMPARE(start->button(u"cmdBeenden"_s).widget()->toolTip(), u"Beendet das Programm"_s);
        for (const QString& name :
             {u"txtBenutzername"_s, u"cmdBeenden"_s, u"cmdStart"_s, u"txtBenutzername"_s}) {
            QCOMPARE(QApplication::focusWidget(), start->control(name).widget());
            Spiel::tasten(u"Tab"_s);
        }
    }

    void enterOpensInstructionsWithTheName_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("plain") << u"Anna"_s;
        QTest::newRow("blanks kept") << u"  Anna Lena  "_s;
        QTest::newRow("empty") << QString();
        QTest::newRow("longer than the window") << u"Maximiliane"_s.repeated(8);
    }
    // "Hallo " with its blank, and right at its edge the name as typed with "!".
    void enterOpensInstructionsWithTheName()
    {
        QFETCH(QString, name);
        Spiel spiel;
        Spiel::aktiviere(spiel.starte(u"frmStart"_s));
        Spiel::tippen(QApplication::focusWidget(), name);
        Spiel::tasten(u"Return"_s);
        QCOMPARE(spiel.aktuellerName(), u"frmSpiel"_s);
        QCOMPARE(modVariablen::Benutzername, name);
        const Label& hallo = spiel.aktuell()->label(u"lblBegrüßung"_s);
        const Label& lblName = spiel.aktuell()->label(u"lblName"_s);
        QCOMPARE(qobject_cast<QLabel*>(hallo.widget())->text(), u"Hallo "_s);
        QCOMPARE(qobject_cast<QLabel*>(lblName.widget())->text(), name + u'!');
        QCOMPARE(lblName.Left(), hallo.Left() + hallo.Width());
        QCOMPARE(lblName.Top(), hallo.Top());
        const QFontMetrics fm(hallo.widget()->font());
        QCOMPARE(hallo.widget()->geometry(), QRect(136, 80, fm.horizontalAdvance(u"Hallo "_s), fm.height()));
        QCOMPARE(lblName.widget()->geometry(), QRect(hallo.widget()->geometry().topRight() + QPoint(1, 0),
                                                     QSize(fm.horizontalAdvance(name + u'!'), fm.height())));
    }

    void startButtonsAndKeys_data()
    {
        QTest::addColumn<QString>("eingabe"); // keys, or a button clicked with the mouse
        QTest::addColumn<QString>("weiter");  // empty: the end, and no other screen shown
        QTest::newRow("Esc") << u"Esc"_s << QString();
        QTest::newRow("Ende") << u"cmdBeenden"_s << QString();
        QTest::newRow("Alt+S") << u"Alt+S"_s << u"frmSpiel"_s;
        QTest::newRow("Start") << u"cmdStart"_s << u"frmSpiel"_s;
    }
    void startButtonsAndKeys()
    {
        QFETCH(QString, eingabe);
        QFETCH(QString, weiter);
        Spiel spiel;
        Spiel::aktiviere(spiel.starte(u"frmStart"_s));
        Spiel::tippen(QApplication::focusWidget(), u"Ben"_s);
        FensterZeuge zeuge;
        eingeben(eingabe);
        QTRY_COMPARE(spiel.aktuellerName(), weiter);
        QCOMPARE(zeuge.gezeigt, weiter.isEmpty() ? QStringList() : QStringList{weiter});
        QCOMPARE(modVariablen::Benutzername, weiter.isEmpty() ? QString() : u"Ben"_s);
        QCOMPARE(spiel.beendet(), weiter.isEmpty());
    }

    // The twelve paragraphs, black and left-aligned in the box's own Comic face, each
    // on one line within the box; the drawing stands beside the last ones.
    void instructionDocument()
    {
        Spiel spiel;
        Form* f = spiel.starte(u"frmSpiel"_s);
        auto* box = qobject_cast<QLabel*>(f->control(u"OLE1"_s).widget());
        QCOMPARE(box->geometry(), QRect(136, 136, 473, 273));
        QCOMPARE(QFontInfo(box->font()).family(), QFontInfo(toQFont({"Comic Sans MS", 12})).family());
        QTextDocument doc;
        doc.setDefaultFont(box->font());
        doc.setHtml(box->text());
        doc.setTextWidth(box->width());
        QVERIFY(doc.size().height() <= box->height());
        QStringList absaetze;
        for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
            absaetze << b.text().remove(QChar::ObjectReplacementCharacter);
            QCOMPARE(b.layout()->lineCount(), 1);
            QVERIFY(!(b.blockFormat().alignment() & (Qt::AlignRight | Qt::AlignHCenter | Qt::AlignJustify)));
            for (auto it = b.begin(); !it.atEnd(); ++it) {
                const QTextCharFormat cf = it.fragment().charFormat();
                QVERIFY(!cf.hasProperty(QTextFormat::FontFamilies) &&
                        !cf.hasProperty(QTextFormat::FontPointSize));
                QVERIFY(cf.isImageFormat() || cf.foreground().color() == Qt::black);
            }
        }
        QCOMPARE(absaetze,
                 (QStringList{"Bei diesem Spiel musst du dir Bilder merken. ",
                              "Zuerst siehst du nacheinander einige Bilder ", "mit verschiedenen Motiven. ",
                              "Merke sie dir genau, denn danach musst ",
                              "du sie den passenden Begriffen wieder zuordnen. ", "",
                              "Wenn du die ersten Bilder richtig zugeordnet hast, ",
                              "geht es ein bisschen schwieriger weiter.", "",
                              "Aber keine Angst, das schaffst du schon.", "",
                              "Viel Spaß beim Spiel und viel Erfolg!"}));
        // On the screen: bare ground right of the first paragraphs, the drawing beside the last.
        const QImage bild = box->grab().toImage();
        const auto bemalt = [&](int top, int bottom) {
            int n = 0;
            for (int y = top; y < bottom; ++y)
                for (int x = 400; x < bild.width(); ++x)
                    n += bild.pixelColor(x, y) != QColor(255, 255, 128);
            return n;
        };
        QCOMPARE(bemalt(0, bild.height() / 2 - 10), 0);
        QVERIFY(bemalt(bild.height() / 2, bild.height()) > 2000);
    }

    // The document and the greeting only show; "&Los geht's!!!" has the focus and
    // opens the menu, and the instruction screen is gone.
    void losGehtsOpensTheMenu()
    {
        Spiel spiel;
        Form* f = spiel.starte(u"frmSpiel"_s);
        Spiel::aktiviere(f);
        QCOMPARE(f->button(u"cmdweiter"_s).Caption(), u"&Los geht's!!!"_s);
        Spiel::klick(f->control(u"OLE1"_s).widget());
        Spiel::klick(f->label(u"lblBegrüßung"_s));
        QPointer<QWidget> fenster = f->window();
        Spiel::tasten(u"Tab, Return"_s);
        QCOMPARE(spiel.aktuellerName(), u"frmSchwierigkeit"_s);
        QVERIFY(fenster.isNull());
    }

    // Each column: its button, level word and description where the child sees them;
    // every label shows its whole text; the focus on "1", Tab through "1" to "5".
    void menuColumns()
    {
        Spiel spiel;
        Form* f = menue(spiel);
        QCOMPARE(f->window()->windowTitle(), u"Schwierigkeitsstufe auswählen"_s);
        QCOMPARE(f->window()->frameGeometry().size(), QSize(800, 600));
        QCOMPARE(f->window()->grab().toImage().pixelColor(10, 10), QColor(255, 255, 128));
        QCOMPARE(textBei(f, QPoint(400, 190)),
                 u"Jetzt mußt du nur noch schauen, in welcher Schwierigkeitsstufe du spielen willst!"_s);
        for (const Spalte& s : spalten) {
            const QWidget* knopf = f->button(s.knopf).widget();
            QCOMPARE(knopf->geometry(), QRect(s.left, 256, 105, 81));
            QVERIFY(knopf->font().bold() && knopf->font().pixelSize() == 16);
            QCOMPARE(f->button(s.knopf).Caption(), s.schirm.right(1));
            QCOMPARE(textBei(f, QPoint(s.left + 40, 360)), s.wort);
            QCOMPARE(textBei(f, QPoint(s.left + 40, 390)), s.text);
            QCOMPARE(QApplication::focusWidget(), knopf);
            Spiel::tasten(u"Tab"_s);
        }
        QCOMPARE(QApplication::focusWidget(), f->button(spalten[0].knopf).widget());
        for (const auto& c : f->controls())
            if (const auto* l = qobject_cast<QLabel*>(c->widget())) {
                const QRect noetig = l->fontMetrics().boundingRect(
                    QRect(0, 0, l->width(), 10000), int(l->alignment()) | Qt::TextWordWrap, l->text());
                QVERIFY2(noetig.width() <= l->width() && noetig.height() <= l->height(),
                         qPrintable(c->name()));
                QVERIFY(!l->font().bold());
            }
    }

    void menuOpensTheChosenLevel_data()
    {
        QTest::addColumn<QString>("eingabe"); // keys, or a button clicked with the mouse
        QTest::addColumn<QString>("stufe");
        for (const Spalte& s : spalten)
            QTest::newRow(qPrintable(s.knopf)) << s.knopf << s.schirm;
        QTest::newRow("Return") << u"Return"_s << u"frmSchw1"_s;
        QTest::newRow("Enter") << u"Enter"_s << u"frmSchw1"_s;
        QTest::newRow("Space") << u"Space"_s << u"frmSchw1"_s;
    }
    // Only the chosen level's screen opens; the menu itself changes no state.
    void menuOpensTheChosenLevel()
    {
        QFETCH(QString, eingabe);
        QFETCH(QString, stufe);
        Spiel spiel;
        menue(spiel);
        modVariablen::Benutzername = u"Lea"_s;
        modVariablen::Richtige = 3;
        FensterZeuge zeuge;
        eingeben(eingabe);
        QCOMPARE(spiel.aktuellerName(), stufe);
        QCOMPARE(zeuge.gezeigt, QStringList{stufe});
        QVERIFY(modVariablen::Benutzername == u"Lea"_s && modVariablen::Richtige == 3);
    }

    // The menu "Noch einmal" opens looks, to the pixel, like a fresh one, and keys
    // reach it the same way.
    void menuAfterNochEinmalIsTheSame()
    {
        Spiel spiel;
        const QImage vorher = menue(spiel)->window()->grab().toImage();
        Spiel::wechsle(u"frmAuswert1"_s);
        Spiel::klick(spiel.aktuell()->button(u"cmdNochmal"_s));
        Spiel::aktiviere(spiel.aktuell());
        QCOMPARE(spiel.aktuell()->window()->grab().toImage(), vorher);
        Spiel::tasten(u"Space"_s);
        QCOMPARE(spiel.aktuellerName(), u"frmSchw1"_s);
    }
};

QTEST_MAIN(tst_Shell)
#include "tst_shell.moc"
