// The instruction screen: the greeting joined to the typed name, the
// instruction document in its box, and the way on to the menu.
#include "shell_hilfen.h"

#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTextBlock>
#include <QTextDocument>

using namespace tk;
using kbtest::Spiel;

namespace {

const QStringList anleitung{
    QStringLiteral("Bei diesem Spiel musst du dir Bilder merken. "),
    QStringLiteral("Zuerst siehst du nacheinander einige Bilder "),
    QStringLiteral("mit verschiedenen Motiven. "),
    QStringLiteral("Merke sie dir genau, denn danach musst "),
    QStringLiteral("du sie den passenden Begriffen wieder zuordnen. "),
    QString(),
    QStringLiteral("Wenn du die ersten Bilder richtig zugeordnet hast, "),
    QStringLiteral("geht es ein bisschen schwieriger weiter."),
    QString(),
    QStringLiteral("Aber keine Angst, das schaffst du schon."),
    QString(),
    QStringLiteral("Viel Spaß beim Spiel und viel Erfolg!"),
};

Form* spielBildschirm(Spiel& spiel, const QString& name)
{
    kbtest::nameEingeben(spiel, name);
    Form* f = spiel.geladen(QStringLiteral("frmSpiel"));
    if (f)
        Spiel::aktiviere(f);
    return f;
}

QLabel* dokument(const Form& f)
{
    return qobject_cast<QLabel*>(f.control(QStringLiteral("OLE1")).widget());
}

// The document as the box lays it out: its text in the box's font.
std::unique_ptr<QTextDocument> gesetzt(const QLabel* box)
{
    auto doc = std::make_unique<QTextDocument>();
    doc->setDefaultFont(box->font());
    doc->setHtml(box->text());
    return doc;
}

// Pixels of the image inside the rectangle that differ from the ground colour.
int bemalt(const QImage& bild, const QRect& bereich, QColor grund)
{
    int n = 0;
    for (int y = bereich.top(); y <= bereich.bottom(); ++y)
        for (int x = bereich.left(); x <= bereich.right(); ++x)
            n += bild.pixelColor(x, y) != grund;
    return n;
}

} // namespace

class tst_Spiel : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { kbtest::stufenSicherstellen(); }

    void greetingJoinsName_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("Anna") << QStringLiteral("Anna");
        QTest::newRow("blanks before and after") << QStringLiteral("  Anna  ");
        QTest::newRow("empty") << QString();
        QTest::newRow("umlauts") << QStringLiteral("Özlem Weiß");
        QTest::newRow("too long for the window") << QStringLiteral("Maximiliane").repeated(8);
    }

    void greetingJoinsName()
    {
        QFETCH(QString, name);
        Spiel spiel;
        Form* f = spielBildschirm(spiel, name);
        QVERIFY(f);
        QCOMPARE(f->window()->frameGeometry().size(), QSize(800, 600));
        const Label& hallo = f->label(QStringLiteral("lblBegrüßung"));
        const Label& nameLabel = f->label(QStringLiteral("lblName"));
        auto* halloText = qobject_cast<QLabel*>(hallo.widget());
        auto* nameText = qobject_cast<QLabel*>(nameLabel.widget());

        QCOMPARE(halloText->text(), QStringLiteral("Hallo "));
        QCOMPARE(nameLabel.Caption(), name + QStringLiteral("!"));
        QCOMPARE(nameText->text(), name + QStringLiteral("!"));

        // "Hallo " is as wide as its text with the trailing blank, and the name
        // starts right there, on the same line.
        const QFontMetrics fm(halloText->font());
        QCOMPARE(hallo.widget()->width(), fm.horizontalAdvance(QStringLiteral("Hallo ")));
        QVERIFY(fm.horizontalAdvance(QStringLiteral("Hallo ")) >
                fm.horizontalAdvance(QStringLiteral("Hallo")));
        QCOMPARE(nameLabel.Top(), hallo.Top());
        QCOMPARE(nameLabel.Left(), hallo.Left() + hallo.Width());
        QCOMPARE(hallo.widget()->pos(), QPoint(136, 80));
        QCOMPARE(nameLabel.widget()->pos(), QPoint(136 + hallo.widget()->width(), 80));

        // The name label grows to the right with its caption and is not cut.
        QCOMPARE(nameLabel.widget()->width(), fm.horizontalAdvance(name + QStringLiteral("!")));
        QCOMPARE(nameLabel.widget()->height(), hallo.widget()->height());
    }

    void documentHoldsTheTwelveParagraphs()
    {
        Spiel spiel;
        Form* f = spielBildschirm(spiel, QStringLiteral("Anna"));
        QVERIFY(f);
        auto doc = gesetzt(dokument(*f));
        QStringList absaetze;
        for (QTextBlock b = doc->begin(); b.isValid(); b = b.next())
            absaetze.append(b.text().remove(QChar::ObjectReplacementCharacter));
        QCOMPARE(absaetze, anleitung);

        // Black text, left-aligned, in the box's own face: no paragraph names a
        // face or colour of its own that would override it.
        for (QTextBlock b = doc->begin(); b.isValid(); b = b.next()) {
            QVERIFY(!(b.blockFormat().alignment() & (Qt::AlignRight | Qt::AlignHCenter | Qt::AlignJustify)));
            for (auto it = b.begin(); !it.atEnd(); ++it) {
                const QTextCharFormat cf = it.fragment().charFormat();
                QVERIFY(!cf.hasProperty(QTextFormat::FontFamilies));
                QVERIFY(!cf.hasProperty(QTextFormat::FontPixelSize));
                QVERIFY(!cf.hasProperty(QTextFormat::FontPointSize));
                if (!cf.isImageFormat())
                    QCOMPARE(cf.foreground().color(), QColor(Qt::black));
            }
        }
        const QFont comic = toQFont({"Comic Sans MS", 12});
        QCOMPARE(QFontInfo(dokument(*f)->font()).family(), QFontInfo(comic).family());
    }

    void drawingStandsBesideTheLastParagraphs()
    {
        Spiel spiel;
        Form* f = spielBildschirm(spiel, QStringLiteral("Anna"));
        QVERIFY(f);
        QLabel* box = dokument(*f);
        auto doc = gesetzt(box);

        // The drawing is anchored at the start of paragraph 8 and floats right.
        const QTextBlock achter = doc->findBlockByNumber(7);
        QCOMPARE(achter.text().at(0), QChar(QChar::ObjectReplacementCharacter));
        const QTextImageFormat zeichnung = achter.begin().fragment().charFormat().toImageFormat();
        QVERIFY(zeichnung.isValid());
        QCOMPARE(zeichnung.name(), QStringLiteral(":/detektiv.png"));

        // Seen on the screen: the right-hand side beside the first paragraphs is
        // bare ground, beside the last ones the drawing.
        const QImage bild = box->grab().toImage();
        const QColor gelb(255, 255, 128);
        QCOMPARE(bild.pixelColor(bild.width() - 1, 0), gelb);
        // Right of the longest line.
        const int rechts = 400;
        const int mitte = bild.height() / 2;
        QCOMPARE(bemalt(bild, QRect(rechts, 0, bild.width() - rechts, mitte - 10), gelb), 0);
        QVERIFY(bemalt(bild, QRect(rechts, mitte, bild.width() - rechts, bild.height() - mitte), gelb) >
                2000);
    }

    void everyParagraphFitsTheBox()
    {
        Spiel spiel;
        Form* f = spielBildschirm(spiel, QStringLiteral("Anna"));
        QVERIFY(f);
        QLabel* box = dokument(*f);
        QCOMPARE(box->geometry(), QRect(136, 136, 473, 273));
        QVERIFY2(box->heightForWidth(box->width()) <= box->height(),
                 qPrintable(QString::number(box->heightForWidth(box->width()))));
        // Each paragraph stays on one line, so none is broken in a child's reading.
        auto doc = gesetzt(box);
        doc->setTextWidth(box->width());
        QVERIFY(doc->size().height() <= box->height());
        for (QTextBlock b = doc->begin(); b.isValid(); b = b.next())
            QCOMPARE(b.layout()->lineCount(), 1);
        // The text is drawn black: the left half of the box holds dark ink.
        const QImage bild = box->grab().toImage();
        int tinte = 0;
        for (int y = 0; y < bild.height(); ++y)
            for (int x = 0; x < bild.width() / 2; ++x)
                tinte += qGray(bild.pixel(x, y)) < 40;
        QVERIFY(tinte > 1000);
    }

    void documentIsOnlyShown()
    {
        Spiel spiel;
        Form* f = spielBildschirm(spiel, QStringLiteral("Anna"));
        QVERIFY(f);
        QWidget* weiter = f->button(QStringLiteral("cmdweiter")).widget();
        QCOMPARE(kbtest::fokus(), weiter);
        Spiel::klick(dokument(*f));
        Spiel::klick(f->label(QStringLiteral("lblBegrüßung")));
        QCOMPARE(spiel.aktuellerName(), QStringLiteral("frmSpiel"));
        // The button is the only stop of the Tab key.
        QTest::keyClick(kbtest::fokus(), Qt::Key_Tab);
        QCOMPARE(kbtest::fokus(), weiter);
        QCOMPARE(spiel.aktuellerName(), QStringLiteral("frmSpiel"));
    }

    void losGehtsOpensMenu_data()
    {
        QTest::addColumn<int>("weg");
        QTest::newRow("mouse") << 0;
        QTest::newRow("Enter") << int(Qt::Key_Return);
        QTest::newRow("Space") << int(Qt::Key_Space);
    }

    void losGehtsOpensMenu()
    {
        QFETCH(int, weg);
        Spiel spiel;
        Form* f = spielBildschirm(spiel, QStringLiteral("Anna"));
        QVERIFY(f);
        QCOMPARE(f->button(QStringLiteral("cmdweiter")).Caption(), QStringLiteral("&Los geht's!!!"));
        QPointer<QWidget> fenster = f->window();
        if (weg == 0)
            Spiel::klick(f->button(QStringLiteral("cmdweiter")));
        else
            QTest::keyClick(kbtest::fokus(), Qt::Key(weg));
        Spiel::ruhe();
        QCOMPARE(spiel.aktuellerName(), QStringLiteral("frmSchwierigkeit"));
        QVERIFY(!spiel.geladen(QStringLiteral("frmSpiel")));
        QVERIFY2(fenster.isNull(), "the instruction screen's window is gone");
        QCOMPARE(modVariablen::Benutzername, QStringLiteral("Anna"));
    }
};

QTEST_MAIN(tst_Spiel)
#include "tst_spiel.moc"
