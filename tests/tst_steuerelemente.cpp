// The toolkit's controls as the screens rely on them: labels that size
// themselves, button colours, pictures at their own size, the hidden file list.
#include "support/spielumgebung.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTest>

using namespace tk;
using kbtest::Spiel;

namespace {

const FormLayout layout{
    .name = "frmTeile",
    .caption = "Teile",
    .backColor = 0x00FF8080,
    .clientWidth = 12000,
    .clientHeight = 9000,
    .controls = {
        {.kind = Kind::Label, .name = "lblAuto", .left = 600, .top = 300, .width = 90, .height = 390,
         .caption = "", .font = {"Comic Sans MS", 14.25}, .autoSize = true, .transparent = true},
        {.kind = Kind::Label, .name = "lblFest", .left = 600, .top = 1200, .width = 3000, .height = 1200,
         .caption = "Eins", .font = {"Arial", 9.75}},
        {.kind = Kind::CommandButton, .name = "cmdNormal", .left = 600, .top = 3000, .width = 1500,
         .height = 600, .caption = "Normal", .backColor = 0x00FF8080, .tabIndex = 0},
        {.kind = Kind::CommandButton, .name = "cmdBlock", .index = 3, .left = 2400, .top = 3000,
         .width = 1500, .height = 600, .style = ButtonStyle::Graphical, .tabIndex = 1},
        {.kind = Kind::Image, .name = "imgBild", .left = 2640, .top = 600, .width = 3375, .height = 1575},
        {.kind = Kind::FileListBox, .name = "File1", .visible = false},
    },
};

class FrmTeile : public Form {
public:
    FrmTeile() : Form(layout)
    {
        onFormClick([this] { ++formClicks; });
        onClickIndex(QStringLiteral("cmdBlock"), [this](std::int16_t i) { clickedIndex = i; });
    }
    int formClicks = 0;
    int clickedIndex = -1;
};

FrmTeile* open(Spiel& spiel)
{
    spiel.starte(QStringLiteral("frmTeile"));
    return static_cast<FrmTeile*>(spiel.aktuell());
}

QColor pixelAt(QWidget* w, QPoint p) { return w->grab().toImage().pixelColor(p); }

} // namespace

class tst_Steuerelemente : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        Program::instance().registerForm(QStringLiteral("frmTeile"), [] { return std::make_unique<FrmTeile>(); });
    }

    void autoSizeLabelGrowsToTheRight()
    {
        Spiel spiel;
        Form* f = open(spiel);
        Label& l = f->label(QStringLiteral("lblAuto"));
        QCOMPARE(l.Width(), 90.0); // an empty caption leaves a sliver
        l.setCaption(QStringLiteral("Hallo "));
        const double hallo = l.Width();
        QVERIFY(hallo > 90);
        l.setCaption(QStringLiteral("Hallo Anna, schön dass du da bist!"));
        QVERIFY(l.Width() > hallo);
        QCOMPARE(l.Left(), 600.0);
        QCOMPARE(l.Top(), 300.0);
        QCOMPARE(l.widget()->x(), 40);
        // The trailing blank counts: "Hallo " is wider than "Hallo".
        l.setCaption(QStringLiteral("Hallo"));
        QVERIFY(l.Width() < hallo);
        // A carriage return alone breaks the line.
        const double oneLine = l.Height();
        l.setCaption(QStringLiteral("eins\rzwei"));
        QCOMPARE(l.Height(), 2 * oneLine);
        QCOMPARE(l.Caption(), QStringLiteral("eins\rzwei"));
        QCOMPARE(qobject_cast<QLabel*>(l.widget())->text(), QStringLiteral("eins\nzwei"));
    }

    void geometryKeepsHalves()
    {
        Spiel spiel;
        Form* f = open(spiel);
        Label& l = f->label(QStringLiteral("lblFest"));
        l.setLeft(1492.5);
        QCOMPARE(l.Left(), 1492.5);
        QCOMPARE(l.widget()->x(), 100);
    }

    void standardButtonIgnoresBackColourButReadsItBack()
    {
        Spiel spiel;
        Form* f = open(spiel);
        CommandButton& b = f->button(QStringLiteral("cmdNormal"));
        const QColor before = pixelAt(b.widget(), QPoint(10, 10));
        b.setBackColor(255);
        QCOMPARE(b.BackColor(), OleColor(255));
        QCOMPARE(pixelAt(b.widget(), QPoint(10, 10)), before);
    }

    void graphicalButtonShowsItsColour()
    {
        Spiel spiel;
        Form* f = open(spiel);
        CommandButton& b = f->button(QStringLiteral("cmdBlock"), 3);
        b.setBackColor(0x0000FF00);
        QCOMPARE(b.BackColor(), OleColor(0x0000FF00));
        QCOMPARE(pixelAt(b.widget(), b.widget()->rect().center()), QColor(0, 255, 0));
        b.setBackColor(0x000000FF);
        QCOMPARE(pixelAt(b.widget(), b.widget()->rect().center()), QColor(255, 0, 0));
    }

    void controlArrayHandlerGetsTheIndex()
    {
        Spiel spiel;
        FrmTeile* f = open(spiel);
        Spiel::klick(f->button(QStringLiteral("cmdBlock"), 3));
        QCOMPARE(f->clickedIndex, 3);
        QVERIFY_THROWS_EXCEPTION(RuntimeError, f->button(QStringLiteral("cmdBlock"), 4));
    }

    void clickOnLabelDoesNotReachTheScreen()
    {
        Spiel spiel;
        FrmTeile* f = open(spiel);
        Spiel::klick(f->label(QStringLiteral("lblFest")));
        QCOMPARE(f->formClicks, 0);
        Spiel::klick(f->window(), QPoint(700, 500));
        QCOMPARE(f->formClicks, 1);
    }

    void imageTakesThePicturesOwnSize()
    {
        Spiel spiel;
        Form* f = open(spiel);
        const QString file = spiel.programmOrdner() + QStringLiteral("/gross.jpg");
        kbtest::schreibeBild(file, QSize(450, 300), "JPEG");
        Image& img = f->image(QStringLiteral("imgBild"));
        img.setPicture(Picture::load(file));
        QCOMPARE(img.Width(), 6750.0);
        QCOMPARE(img.Height(), 4500.0);
        QCOMPARE(img.Left(), 2640.0);
        QCOMPARE(img.Top(), 600.0);
        QCOMPARE(img.widget()->size(), QSize(450, 300));
        // Not stretched: a small picture afterwards shrinks the control again.
        kbtest::schreibeBild(file, QSize(20, 10), "PNG");
        img.setPicture(Picture::load(file));
        QCOMPARE(img.Width(), 300.0);
    }

    void largePictureIsCutAtTheScreenEdge()
    {
        Spiel spiel;
        Form* f = open(spiel);
        const QString file = spiel.programmOrdner() + QStringLiteral("/riesig.jpg");
        kbtest::schreibeBild(file, QSize(2000, 1500), "JPEG", Qt::blue);
        Image& img = f->image(QStringLiteral("imgBild"));
        img.setPicture(Picture::load(file));
        QCOMPARE(img.Width(), 30000.0);
        const QPixmap shown = qobject_cast<QLabel*>(img.widget())->pixmap();
        QCOMPARE(shown.size(), QSize(800 - 176, 600 - 40));
    }

    void unreadablePicturesAreErrorsNamingTheFile()
    {
        Spiel spiel;
        const QString missing = spiel.programmOrdner() + QStringLiteral("/fehlt.jpg");
        try {
            Picture::load(missing);
            QFAIL("loaded a missing file");
        } catch (const RuntimeError& e) {
            QCOMPARE(e.number(), 53);
            QVERIFY(e.message().contains(missing));
        }
        const QString junk = spiel.programmOrdner() + QStringLiteral("/kaputt.jpg");
        QFile out(junk);
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write("das ist kein Bild");
        out.close();
        try {
            Picture::load(junk);
            QFAIL("loaded a file that is no picture");
        } catch (const RuntimeError& e) {
            QCOMPARE(e.number(), 481);
            QVERIFY(e.message().contains(junk));
        }
    }

    void fileListSortsWithoutCaseAndSkipsHiddenFiles()
    {
        Spiel spiel;
        Form* f = open(spiel);
        const QString folder = spiel.programmOrdner() + QStringLiteral("/liste");
        QDir().mkpath(folder + QStringLiteral("/Unterordner.png"));
        for (const char* name : {"birne.png", "Apfel.png", "Zebra.gif", "ähre.jpg", ".versteckt.png", "apfel2.png"}) {
            QFile file(folder + QLatin1Char('/') + QString::fromUtf8(name));
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
        FileListBox& list = f->fileList(QStringLiteral("File1"));
        list.setPath(folder);
        const QStringList expected{QStringLiteral("Apfel.png"), QStringLiteral("apfel2.png"),
                                   QStringLiteral("birne.png"), QStringLiteral("Zebra.gif"),
                                   QStringLiteral("ähre.jpg")};
        QCOMPARE(list.entries(), expected);
        QCOMPARE(int(list.ListCount()), 5);
        QCOMPARE(list.FileName(), QString()); // nothing selected after reading
        list.setListIndex(3);
        QCOMPARE(list.FileName(), QStringLiteral("Zebra.gif"));
        QVERIFY_THROWS_EXCEPTION(RuntimeError, list.setListIndex(5));
        QCOMPARE(list.Path(), QDir(folder).absolutePath());
        list.setPath(folder);
        QCOMPARE(int(list.ListIndex()), -1);
    }

    void fileListOnMissingFolderIsAnError()
    {
        Spiel spiel;
        Form* f = open(spiel);
        const QString folder = spiel.programmOrdner() + QStringLiteral("/gibtsnicht");
        try {
            f->fileList(QStringLiteral("File1")).setPath(folder);
            QFAIL("no error");
        } catch (const RuntimeError& e) {
            QCOMPARE(e.number(), 76);
            QVERIFY(e.message().contains(folder));
        }
    }
};

QTEST_MAIN(tst_Steuerelemente)
#include "tst_steuerelemente.moc"
