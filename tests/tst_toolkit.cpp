// The forms toolkit driven through real clicks, keys, timers and close boxes on two
// screens of our own.
#include "shell/modSkalieren.h"
#include "support/spielumgebung.h"
#include "toolkit/zahlen.h"

#include <QApplication>
#include <QBuffer>
#include <QDir>
#include <QImageReader>
#include <QImageWriter>
#include <QLabel>
#include <QTest>

using namespace tk;
using namespace Qt::StringLiterals;
using kbtest::Spiel;
using Rechnung = std::function<QString()>;

namespace {

// clang-format off
const FormLayout layoutA{.name = "frmTestA", .caption = "Erster", .clientWidth = 6000, .clientHeight = 4500,
    .controls = {
        {.kind = Kind::TextBox, .name = "txtName", .left = 300, .top = 300, .width = 3000, .height = 450,
         .tabIndex = 0},
        {.kind = Kind::CommandButton, .name = "cmdWeiter", .left = 300, .top = 1200, .width = 1500,
         .height = 600, .caption = "&Weiter", .isDefault = true, .tabIndex = 2},
        {.kind = Kind::CommandButton, .name = "cmdEnde", .left = 2400, .top = 1200, .width = 1500,
         .height = 600, .caption = "&Ende", .isCancel = true, .tabIndex = 1},
        {.kind = Kind::CommandButton, .name = "cmdBlock", .index = 3, .left = 4500, .top = 1200,
         .width = 1500, .height = 600, .style = ButtonStyle::Graphical, .tabIndex = 3},
        {.kind = Kind::Label, .name = "lblAuto", .left = 600, .top = 2100, .width = 90, .height = 390,
         .font = {"Comic Sans MS", 14.25}, .autoSize = true, .transparent = true},
        {.kind = Kind::Image, .name = "imgBild", .left = 6000, .top = 3000},
        {.kind = Kind::FileListBox, .name = "File1", .visible = false},
        {.kind = Kind::Timer, .name = "Timer1", .enabled = true, .interval = 0}}};
const FormLayout layoutB{.name = "frmTestB", .caption = "Zweiter", .clientWidth = 3000, .clientHeight = 1500,
    .controls = {{.kind = Kind::CommandButton, .name = "cmdZurueck", .left = 300, .top = 300, .width = 1500,
                  .height = 600, .caption = "Zurück", .tabIndex = 0}}};
// clang-format on

int timerSwitches = 0;
QString typedName;
std::uintptr_t stackMark = 0;

struct TestForm : Form {
    using Form::Form;
    void unloadAndShow(const QString& next)
    {
        Unload();
        Show(next, vbModal);
    }
};

struct FrmTestA : TestForm {
    FrmTestA() : TestForm(layoutA)
    {
        control(u"cmdWeiter"_s).onClick = [this] {
            typedName = find<TextBox>(u"txtName"_s).Text();
            unloadAndShow(u"frmTestB"_s);
        };
        control(u"cmdEnde"_s).onClick = [this] { End(); };
        find<Timer>(u"Timer1"_s).onTimer = [this] { ++timerSwitches, unloadAndShow(u"frmTestB"_s); };
        onFormClick([] { throw RuntimeError::overflow(); });
    }
    void Form_Load() override { kb::FormSkalieren(*this); }
};

struct FrmTestB : TestForm {
    FrmTestB() : TestForm(layoutB)
    {
        control(u"cmdZurueck"_s).onClick = [this] {
            // The frame itself: a local's address may lie on a sanitizer's heap-backed stack.
            stackMark = reinterpret_cast<std::uintptr_t>(__builtin_frame_address(0));
            unloadAndShow(u"frmTestA"_s);
        };
    }
};

// What a step gives as text, or the number and message of its run-time error.
QString ergebnis(const Rechnung& step)
{
    try {
        return step();
    } catch (const RuntimeError& e) {
        return u"Fehler %1: %2"_s.arg(e.number()).arg(e.message());
    }
}

// A photo-like JPEG of odd size with an EXIF orientation (Qt writes none, so an
// APP1 segment with a one-entry IFD goes right after the start marker).
QString schreibeJpeg(const QString& folder, int lage, bool progressive, bool grey)
{
    QImage image(333, 251, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, qRgb((3 * x + (x * y) % 29) & 255, (2 * y + (x ^ y) % 31) & 255, 128));
    QByteArray jpeg;
    QBuffer buffer(&jpeg);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpeg");
    writer.setProgressiveScanWrite(progressive);
    writer.write(grey ? image.convertToFormat(QImage::Format_Grayscale8) : image);
    const QByteArray exif = QByteArray("Exif\0\0MM\0\x2A\0\0\0\x08\0\x01\x01\x12\0\x03\0\0\0\x01\0", 25) +
                            char(lage) + QByteArray(6, '\0');
    jpeg.insert(2, QByteArray("\xFF\xE1\0", 3) + char(exif.size() + 2) + exif);
    QFile file(folder + u"/lage.jpg"_s);
    if (!file.open(QIODevice::WriteOnly) || file.write(jpeg) != jpeg.size())
        qWarning() << "cannot write" << file.fileName();
    return file.fileName();
}

} // namespace

#define RECHNUNG(expr, expected)                                                                             \
    QTest::newRow(#expr) << Rechnung([] { return QString::number(expr); }) << expected

class tst_Toolkit : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        Program::instance().registerForm(u"frmTestA"_s, [] { return std::make_unique<FrmTestA>(); });
        Program::instance().registerForm(u"frmTestB"_s, [] { return std::make_unique<FrmTestB>(); });
    }

    void numberRules_data()
    {
        QTest::addColumn<Rechnung>("rechnung");
        QTest::addColumn<QString>("expected");
        RECHNUNG(CInt(0.5), "0");
        RECHNUNG(CInt(1.5), "2");
        RECHNUNG(CInt(2.5), "2");
        RECHNUNG(CInt(-2.5), "-2");
        RECHNUNG(CInt(32767.49), "32767");
        RECHNUNG(CInt(-32768.5), "-32768");
        RECHNUNG(CInt(32767.5), "Fehler 6");
        RECHNUNG(Int(-0.5), "-1");
        RECHNUNG(Integer(32767) + Integer(1), "Fehler 6");
        RECHNUNG(Integer(-32768) - Integer(1), "Fehler 6");
        RECHNUNG(Integer(33) * Integer(1000), "Fehler 6");
        RECHNUNG(DynArray<int>()(1), "Fehler 9");
    }
    void numberRules()
    {
        QFETCH(Rechnung, rechnung);
        QFETCH(QString, expected);
        QCOMPARE(ergebnis(rechnung).section(u':', 0, 0), expected);
    }

    void autoSizeLabelGrowsToTheRight()
    {
        Spiel spiel;
        Label& l = spiel.starte(u"frmTestA"_s)->find<tk::Label>(u"lblAuto"_s);
        l.setCaption(u"Hallo"_s);
        const double hallo = l.Width();
        QVERIFY(hallo > 90);
        l.setCaption(u"Hallo Anna, schön dass du da bist!"_s);
        QVERIFY(l.Width() > hallo);
        QCOMPARE(l.Left(), 600.0);
        QCOMPARE(l.widget()->x(), 40);
    }

    void buttonsColoursArraysAndClicks()
    {
        Spiel spiel;
        Form* f = spiel.starte(u"frmTestA"_s);
        QWidget* standard = f->find<tk::CommandButton>(u"cmdEnde"_s).widget();
        const QImage before = standard->grab().toImage();
        f->find<tk::CommandButton>(u"cmdEnde"_s).setBackColor(255);
        QCOMPARE(f->find<tk::CommandButton>(u"cmdEnde"_s).BackColor(), OleColor(255));
        QCOMPARE(standard->grab().toImage(), before);
        CommandButton& block = f->find<tk::CommandButton>(u"cmdBlock"_s, 3);
        block.setBackColor(0x0000FF00);
        QCOMPARE(block.widget()->grab().toImage().pixelColor(20, 20), QColor(0, 255, 0));
        // The screen's own click handler fails: the standard message, then the end.
        Spiel::klickImFenster(f, QPoint(20, 580));
        QVERIFY(spiel.services.error && spiel.services.error->number() == 6);
        QCOMPARE(spiel.services.exitStatus, 1);
        QCOMPARE(Program::instance().loadedCount(), 0);
    }

    void imageTakesPictureSize()
    {
        Spiel spiel;
        Image& img = spiel.starte(u"frmTestA"_s)->find<tk::Image>(u"imgBild"_s);
        const QString file = spiel.programmOrdner() + u"/gross.jpg"_s;
        kbtest::schreibeBild(file, QSize(450, 300), "JPEG");
        img.setPicture(Picture::load(file));
        QCOMPARE(QSizeF(img.Width(), img.Height()), QSizeF(6750, 4500));
        const QSize room = img.form().window()->size() - QSize(400, 200);
        QCOMPARE(qobject_cast<QLabel*>(img.widget())->pixmap().size(), room.boundedTo(QSize(450, 300)));
    }

    void clippedDecodeEqualsFullDecode_data()
    {
        QTest::addColumn<int>("lage"); // 3 progressive, 6 grey
        for (int lage = 1; lage <= 8; ++lage)
            QTest::addRow("EXIF %d", lage) << lage;
    }
    void clippedDecodeEqualsFullDecode()
    {
        QFETCH(int, lage);
        QTemporaryDir dir;
        const QString path = schreibeJpeg(dir.path(), lage, lage == 3, lage == 6);
        QImageReader reader(path);
        reader.setAutoTransform(true);
        const QImage ganz = reader.read().convertToFormat(QImage::Format_RGB32);
        const Picture bild = Picture::load(path);
        QCOMPARE(bild.size(), lage >= 5 ? QSize(251, 333) : QSize(333, 251));
        for (const QRect teil : {QRect(0, 0, 100, 70), QRect(37, 21, 90, 50), QRect(16, 8, 32, 16),
                                 QRect(200, 100, 400, 400), ganz.rect()}) {
            const QImage part = bild.decode(teil).toImage().convertToFormat(QImage::Format_RGB32);
            QVERIFY2(part == ganz.copy(teil & ganz.rect()), qPrintable(QDebug::toString(teil)));
        }
    }

    void fileListSortsWithoutCaseAndSkipsHiddenFiles()
    {
        Spiel spiel;
        FileListBox& list = spiel.starte(u"frmTestA"_s)->find<tk::FileListBox>(u"File1"_s);
        const QString folder = spiel.programmOrdner() + u"/liste"_s;
        QDir().mkpath(folder + u"/Unterordner.png"_s);
        for (const char* name : {"birne.png", "Apfel.png", "Zebra.gif", "ähre.jpg", ".versteckt.png"})
            QFile(folder + u'/' + QString::fromUtf8(name)).open(QIODevice::WriteOnly);
        list.setPath(folder);
        QCOMPARE(list.entries(), (QStringList{"Apfel.png", "birne.png", "Zebra.gif", "ähre.jpg"}));
        list.setListIndex(2);
        QCOMPARE(list.FileName(), u"Zebra.gif"_s);
        QVERIFY(ergebnis([&] {
                    return list.setPath(folder + u"/fehlt"_s), QString();
                }).startsWith(u"Fehler 76:"_s));
    }

    // Real timers: interval 0 stays silent; a handler unloads its own screen and
    // shows the next, and its timer goes with it.
    void timerSilentAtZeroAndChangesScreens()
    {
        Spiel spiel;
        Timer& t = spiel.starte(u"frmTestA"_s)->find<tk::Timer>(u"Timer1"_s);
        timerSwitches = 0;
        QTest::qWait(100);
        QCOMPARE(timerSwitches, 0);
        t.setInterval(20);
        QTRY_COMPARE(spiel.aktuellerName(), u"frmTestB"_s);
        QTest::qWait(80);
        QCOMPARE(timerSwitches, 1);
    }

    void keysAndCloseBox_data()
    {
        QTest::addColumn<QString>("keys"); // none: the close box
        QTest::addColumn<QString>("next"); // none: the program ended
        QTest::newRow("Enter") << u"Return"_s << u"frmTestB"_s;
        QTest::newRow("Esc") << u"Esc"_s << QString();
        QTest::newRow("close box") << QString() << QString();
    }
    // Enter and Esc reach the default and cancel buttons from the text box; the close
    // box unloads the game screen (12000 x 9000 twips outside) and so ends the program.
    void keysAndCloseBox()
    {
        QFETCH(QString, keys);
        QFETCH(QString, next);
        Spiel spiel;
        Form* f = spiel.starte(u"frmTestA"_s);
        QCOMPARE(f->window()->frameGeometry().size() * 15, QSize(12000, 9000));
        Spiel::aktiviere(f);
        Spiel::tippen(f->find<tk::TextBox>(u"txtName"_s).widget(), u" Anna "_s);
        typedName.clear();
        keys.isEmpty() ? void(f->window()->close()) : Spiel::tasten(keys);
        QTRY_COMPARE(spiel.aktuellerName(), next);
        QCOMPARE(spiel.services.exitStatus, next.isEmpty() ? 0 : -1);
        QCOMPARE(typedName, next.isEmpty() ? QString() : u" Anna "_s);
    }

    // Ten thousand screen changes through real clicks: the stack depth at the
    // handler and the number of live widgets stay flat.
    void tenThousandScreenChangesStayFlat()
    {
        Spiel spiel;
        QPointer<QWidget> first = spiel.starte(u"frmTestA"_s)->window();
        std::uintptr_t firstMark = 0;
        qsizetype widgets = 0;
        for (int round = 0; round < 5000; ++round) {
            Spiel::klick(spiel.aktuell()->find<tk::CommandButton>(u"cmdWeiter"_s));
            Spiel::klick(spiel.aktuell()->find<tk::CommandButton>(u"cmdZurueck"_s));
            if (round == 0)
                firstMark = stackMark, widgets = QApplication::allWidgets().size();
        }
        QVERIFY(first.isNull());
        QCOMPARE(stackMark, firstMark);
        QCOMPARE(QApplication::allWidgets().size(), widgets);
    }
};

QTEST_MAIN(tst_Toolkit)
#include "tst_toolkit.moc"
