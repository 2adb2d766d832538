// The difficulty menu: its five columns, the keyboard on a fresh menu, each
// button opening its own level, and the menu reached again after a round.
#include "shell_hilfen.h"

#include <QLabel>
#include <QPointer>
#include <QPushButton>

using namespace tk;
using kbtest::Spiel;

namespace {

struct Spalte {
    const char* knopf;
    const char* caption;
    int left; // pixels
    const char* wort;
    int wortIndex;
    const char* wortText;
    const char* text;
    int textIndex;
    const char* textText;
    const char* bildschirm;
};

const Spalte spalten[] = {
    {"cmdschweins", "1", 40, "lblLeicht", 0, "leicht", "lblSchw1", 0,
     "Hier werden dir 4 verschiedene Bilder gezeigt", "frmSchw1"},
    {"cmdschwzwei", "2", 192, "lblMittel", 1, "mittel", "lblSchw2", 1,
     "Hier werden dir 7 verschiedene Bilder gezeigt", "frmSchw2"},
    {"cmdschwdrei", "3", 344, "lblSchwer", 1, "schwer", "lblSchw3", 0,
     "Hier werden dir 4 verschiedene Bilder automatisch gezeigt", "frmSchw3"},
    {"cmdschwvier", "4", 496, "lblSchwersten", 1, "schwerer", "lblSchw3", 1,
     "Hier werden dir 7 verschiedene Bilder automatisch gezeigt", "frmSchw4"},
    {"cmdschwfünf", "5", 648, "lblausw", -1, "wählbar", "lblschw5", -1,
     "Hier kannst du eine Zeit wählen, in der dir die Bilder automatisch angezeigt werden", "frmSchw5"},
};

QString s(const char* text)
{
    return QString::fromUtf8(text);
}

Form* menue(Spiel& spiel)
{
    kbtest::stufenVorbereiten(spiel);
    spiel.starte(QStringLiteral("frmSchwierigkeit"));
    Form* f = spiel.aktuell();
    if (f)
        Spiel::aktiviere(f);
    return f;
}

// Everything a child could see or reach on a screen, one line per control.
QStringList beschreibung(const Form& f)
{
    QStringList zeilen{f.window()->windowTitle() + QLatin1Char(' ') + QString::number(f.window()->width()) +
                       QLatin1Char('x') + QString::number(f.window()->height())};
    for (const auto& c : f.controls()) {
        QWidget* w = c->widget();
        QString text;
        if (auto* l = qobject_cast<QLabel*>(w))
            text = l->text();
        else if (auto* b = qobject_cast<QPushButton*>(w))
            text = b->text();
        zeilen.append(QStringLiteral("%1(%2) %3,%4 %5x%6 '%7' %8 %9 %10 %11")
                          .arg(c->name())
                          .arg(c->index())
                          .arg(w->x())
                          .arg(w->y())
                          .arg(w->width())
                          .arg(w->height())
                          .arg(text)
                          .arg(w->isVisible())
                          .arg(w->font().toString())
                          .arg(w->palette().color(QPalette::Window).name())
                          .arg(w->hasFocus()));
    }
    return zeilen;
}

void klickenBisWechsel(Spiel& spiel, const char* knopfName)
{
    const QString von = spiel.aktuellerName();
    for (int i = 0; i < 20 && spiel.aktuellerName() == von; ++i)
        Spiel::klick(spiel.aktuell()->button(s(knopfName)));
}

} // namespace

class tst_Schwierigkeit : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { kbtest::stufenSicherstellen(); }

    void fiveColumnsUnderTheHeading()
    {
        Spiel spiel;
        Form* f = menue(spiel);
        QVERIFY(f);
        QCOMPARE(f->window()->windowTitle(), QStringLiteral("Schwierigkeitsstufe auswählen"));
        QCOMPARE(f->window()->frameGeometry().size(), QSize(800, 600));
        QCOMPARE(f->window()->grab().toImage().pixelColor(10, 10), QColor(255, 255, 128));
        const Label& kopf = f->label(QStringLiteral("lblSchwierigkeit"));
        QCOMPARE(kopf.Caption(),
                 QStringLiteral(
                     "Jetzt mußt du nur noch schauen, in welcher Schwierigkeitsstufe du spielen willst!"));
        QVERIFY(!kopf.widget()->font().bold());

        for (const Spalte& sp : spalten) {
            const CommandButton& knopf = f->button(s(sp.knopf));
            QCOMPARE(knopf.Caption(), s(sp.caption));
            QCOMPARE(knopf.widget()->geometry(), QRect(sp.left, 256, 105, 81));
            // The buttons carry the window's bold font.
            QVERIFY(knopf.widget()->font().bold());
            QCOMPARE(knopf.widget()->font().pixelSize(), 16);
            const Label& wort = f->label(s(sp.wort), sp.wortIndex);
            const Label& text = f->label(s(sp.text), sp.textIndex);
            QCOMPARE(wort.Caption(), s(sp.wortText));
            QCOMPARE(text.Caption(), s(sp.textText));
            QCOMPARE(wort.widget()->y(), 352);
            QCOMPARE(text.widget()->y(), 384);
            QCOMPARE(text.widget()->x(), sp.left);
            QVERIFY(!wort.widget()->font().bold());
        }
    }

    // Every label shows its whole text inside its own box, wrapped at word
    // boundaries where it is narrow.
    void labelsShowTheirWholeText()
    {
        Spiel spiel;
        Form* f = menue(spiel);
        QVERIFY(f);
        int labels = 0;
        for (const auto& c : f->controls()) {
            auto* l = qobject_cast<QLabel*>(c->widget());
            if (!l)
                continue;
            ++labels;
            const QRect noetig = l->fontMetrics().boundingRect(
                QRect(0, 0, l->width(), 10000), int(l->alignment()) | Qt::TextWordWrap, l->text());
            QVERIFY2(noetig.width() <= l->width() && noetig.height() <= l->height(),
                     qPrintable(c->name() + QStringLiteral(" needs %1x%2 in %3x%4")
                                                .arg(noetig.width())
                                                .arg(noetig.height())
                                                .arg(l->width())
                                                .arg(l->height())));
        }
        QCOMPARE(labels, 11);
    }

    void focusOnOneAndTabVisitsOneToFive()
    {
        Spiel spiel;
        Form* f = menue(spiel);
        QVERIFY(f);
        QCOMPARE(kbtest::fokus(), f->button(QStringLiteral("cmdschweins")).widget());
        for (int i : {1, 2, 3, 4, 0}) {
            QTest::keyClick(kbtest::fokus(), Qt::Key_Tab);
            QCOMPARE(kbtest::fokus(), f->button(s(spalten[i].knopf)).widget());
        }
    }

    void eachButtonOpensItsOwnLevel_data()
    {
        QTest::addColumn<int>("stufe");
        for (int i = 0; i < 5; ++i)
            QTest::newRow(spalten[i].bildschirm) << i;
    }

    void eachButtonOpensItsOwnLevel()
    {
        QFETCH(int, stufe);
        Spiel spiel;
        Form* f = menue(spiel);
        QVERIFY(f);
        modVariablen::Benutzername = QStringLiteral("Lea");
        modVariablen::Richtige = 3;
        modVariablen::Falsche = 1;
        QPointer<QWidget> fenster = f->window();
        kbtest::FensterZeuge zeuge;
        Spiel::klick(f->button(s(spalten[stufe].knopf)));
        const QString ziel = s(spalten[stufe].bildschirm);
        QCOMPARE(spiel.aktuellerName(), ziel);
        QCOMPARE(zeuge.gezeigt, QStringList{ziel});
        QVERIFY(!spiel.geladen(QStringLiteral("frmSchwierigkeit")));
        QVERIFY(fenster.isNull());
        // The menu itself stores nothing and resets nothing.
        QCOMPARE(modVariablen::Benutzername, QStringLiteral("Lea"));
        QCOMPARE(int(modVariablen::Richtige), 3);
        QCOMPARE(int(modVariablen::Falsche), 1);
    }

    void enterOrSpaceOnFreshMenuChoosesLevelOne_data()
    {
        QTest::addColumn<int>("taste");
        QTest::newRow("Return") << int(Qt::Key_Return);
        QTest::newRow("Enter") << int(Qt::Key_Enter);
        QTest::newRow("Space") << int(Qt::Key_Space);
    }

    void enterOrSpaceOnFreshMenuChoosesLevelOne()
    {
        QFETCH(int, taste);
        Spiel spiel;
        Form* f = menue(spiel);
        QVERIFY(f);
        QTest::keyClick(kbtest::fokus(), Qt::Key(taste));
        Spiel::ruhe();
        QCOMPARE(spiel.aktuellerName(), QStringLiteral("frmSchw1"));
    }

    void closeBoxEndsProgram()
    {
        Spiel spiel;
        Form* f = menue(spiel);
        QVERIFY(f);
        f->window()->close();
        Spiel::ruhe();
        QVERIFY(spiel.beendet());
        QCOMPARE(spiel.services.exitStatus, 0);
        QCOMPARE(Program::instance().loadedCount(), 0);
    }

    // The menu that "Noch einmal" opens after a round looks, to the pixel, like
    // the one the instruction screen opened, and answers the keys the same way.
    void menuAfterARoundIsTheSame()
    {
        for (const char* b : {"frmSchw1", "frmAusw1", "frmAuswert1"})
            if (!Program::instance().isRegistered(s(b)))
                QSKIP("the round's screens are not part of the program yet");
        Spiel spiel;
        kbtest::stufenVorbereiten(spiel);
        kbtest::nameEingeben(spiel, QStringLiteral("Tom"));
        Spiel::klick(spiel.aktuell()->button(QStringLiteral("cmdweiter")));
        Form* erstes = spiel.aktuell();
        QVERIFY(erstes);
        Spiel::aktiviere(erstes);
        const QStringList vorher = beschreibung(*erstes);
        const QImage bildVorher = erstes->window()->grab().toImage();

        Spiel::klick(erstes->button(QStringLiteral("cmdschweins")));
        klickenBisWechsel(spiel, "cmdweiter");
        QCOMPARE(spiel.aktuellerName(), QStringLiteral("frmAusw1"));
        for (int i = 0; i < 4; ++i)
            Spiel::klick(spiel.aktuell()->button(QStringLiteral("cmdeins"), i));
        QCOMPARE(spiel.aktuellerName(), QStringLiteral("frmAuswert1"));
        Spiel::klick(spiel.aktuell()->button(QStringLiteral("cmdNochmal")));

        QCOMPARE(spiel.aktuellerName(), QStringLiteral("frmSchwierigkeit"));
        Form* zweites = spiel.aktuell();
        Spiel::aktiviere(zweites);
        QCOMPARE(beschreibung(*zweites), vorher);
        QVERIFY(zweites->window()->grab().toImage() == bildVorher);
        QTest::keyClick(kbtest::fokus(), Qt::Key_Space);
        Spiel::ruhe();
        QCOMPARE(spiel.aktuellerName(), QStringLiteral("frmSchw1"));
    }
};

QTEST_MAIN(tst_Schwierigkeit)
#include "tst_schwierigkeit.moc"
