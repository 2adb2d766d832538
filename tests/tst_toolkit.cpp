// The forms toolkit: number rules, controls, pictures and the screen flow, driven
// through real clicks, keys, timers and close boxes on two screens of our own.
#include "shell/modSkalieren.h"
#include "shell/toolkit/zahlen.h"
#include "support/spielumgebung.h"

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

int timerSwitches = 0, clickedIndex = -1;
QString typedName;
std::uintptr_t stackMark = 0;

void unloadAndShow(Form& from, const QString& next)
{
    Unload(from);
    Show(next, vbModal);
}

struct FrmTestA : Form {
    FrmTestA() : Form(layoutA)
    {
        onClick(u"cmdWeiter"_s, [this] {
            typedName = textBox(u"txtName"_s).Text();
            unloadAndShow(*this, u"frmTestB"_s);
        });
        onClick(u"cmdEnde"_s, [] { End(); });
        onClickIndex(u"cmdBlock"_s, [](std::int16_t i) { clickedIndex = i; });
        onTimer(u"Timer1"_s, [this] {
            ++timerSwitches;
            unloadAndShow(*this, u"frmTestB"_s);
        });
        onFormClick([] { throw RuntimeError::overflow(); });
    }
    void Form_Load() override { modSkalieren::FormSkalieren(*this); }
};

struct FrmTestB : Form {
    FrmTestB() : Form(layoutB)
    {
        onClick(u"cmdZurueck"_s, [this] {
            // The frame itself: a local's address may lie on a sanitizer's heap-backed stack.
            stackMark = reinterpret_cast<std::uintptr_t>(__builtin_frame_address(0));
            unloadAndShow(*this, u"frmTestA"_s);
        });
    }
};

Form* open(Spiel& spiel)
{
    spiel.starte(u"frmTestA"_s);
    return spiel.aktuell();
}

// What a step gives as text, or the number and message of its run-time error.
QString ergebnis(const Rechnung& step)
{
    try {
        return step();
    } catch (const RuntimeError& e) {
        return u"Fehler %1: %2"_s.arg(e.number()).arg(e.message());
    }
}

// A JPEG whose pixels tell where they lie, stored with an EXIF orientation (1 to 8).
// Qt writes none, so an APP1 segment with a one-entry IFD goes after the start marker.
QString schreibeJpeg(const QString& folder, int orientierung)
{
    QImage image(240, 160, QImage::Format_RGB32);
    for (int y = 0; y < 160; ++y)
        for (int x = 0; x < 240; ++x)
            image.setPixel(x, y, qRgb(x, y, 128));
    QByteArray jpeg;
    QBuffer buffer(&jpeg);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter(&buffer, "jpeg").write(image);
    const QByteArray exif = QByteArray("Exif\0\0MM\0\x2A\0\0\0\x08\0\x01\x01\x12\0\x03\0\0\0\x01\0", 25) +
                            char(orientierung) + QByteArray(6, '\0');
    jpeg.insert(2, QByteArray("\xFF\xE1\0", 3) + char(exif.size() + 2) + exif);
    QFile file(folder + u"/lage.jpg"_s);
    if (!file.open(QIODevice::WriteOnly) || file.write(jpeg) != jpeg.size())
        qWarning() << "cannot write" << file.fileName();
    return file.fileName();
}

// A round's array after a long round and a short one: only its first element is kept.
DynArray<int> gekuerzt()
{
    DynArray<int> a;
    a.ReDimPreserve(14);
    a(0) = 7;
    a(1) = 8;
    a.ReDimPreserve(0);
    return a;
}

} // namespace

// A number rule: the expression, and its result as text or the error's number.
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
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    void numberRules_data()
    {
        QTest::addColumn<Rechnung>("rechnung");
        QTest::addColumn<QString>("expected");
        RECHNUNG(CInt(0.5), "0");
        RECHNUNG(CInt(1.5), "2");
        RECHNUNG(CInt(2.5), "2");
        RECHNUNG(CInt(-2.5), "-2");
        RECHNUNG(CInt(0.0624999 * 8), "0");
        RECHNUNG(CInt(32767.49), "32767");
        RECHNUNG(CInt(-32768.5), "-32768");
        RECHNUNG(CInt(32767.5), "Fehler 6");
        RECHNUNG(CInt(qQNaN()), "Fehler 6");
        RECHNUNG(CLng(40001.5), "40002");
        RECHNUNG(CLng(2147483648.0), "Fehler 6");
        RECHNUNG(Int(-0.5), "-1");
        RECHNUNG(Int(15.0 * 0.9999999f), "14");
        RECHNUNG(Integer(32767) + Integer(1), "Fehler 6");
        RECHNUNG(Integer(-32768) - Integer(1), "Fehler 6");
        RECHNUNG(Integer(32) * Integer(1000), "32000");
        RECHNUNG(Integer(33) * Integer(1000), "Fehler 6");
        RECHNUNG(CIntText(u" 2,5 "_s), "2");
        RECHNUNG(CIntText(u"3 Sekunden"_s), "Fehler 13");
        RECHNUNG(CIntText(u"32768"_s), "Fehler 6");
        RECHNUNG((QLocale::setDefault(QLocale::English), CDbl(u"2.5"_s)), "2.5");
        RECHNUNG(DynArray<int>()(0), "Fehler 9");
        RECHNUNG(gekuerzt()(0), "7");
        RECHNUNG(gekuerzt()(1), "Fehler 9");
        RECHNUNG(gekuerzt()(-1), "Fehler 9");
    }
    // Under German settings, where typed numbers take a decimal comma.
    void numberRules()
    {
        QFETCH(Rechnung, rechnung);
        QFETCH(QString, expected);
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        QCOMPARE(ergebnis(rechnung).section(u':', 0, 0), expected);
    }

    void autoSizeLabelGrowsToTheRight()
    {
        Spiel spiel;
        Label& l = open(spiel)->label(u"lblAuto"_s);
        QCOMPARE(l.Width(), 90.0);
        l.setCaption(u"Hallo "_s);
        const double hallo = l.Width();
        l.setCaption(u"Hallo"_s);
        QVERIFY(90 < l.Width() && l.Width() < hallo);
        l.setCaption(u"Hallo Anna, schön dass du da bist!"_s);
        QVERIFY(l.Width() > hallo);
        QCOMPARE(l.Left(), 600.0);
        QCOMPARE(l.widget()->x(), 40);
        const double oneLine = l.Height();
        l.setCaption(u"eins\rzwei"_s);
        QCOMPARE(l.Height(), 2 * oneLine);
        QCOMPARE(qobject_cast<QLabel*>(l.widget())->text(), u"eins\nzwei"_s);
        l.setLeft(1492.5);
        QCOMPARE(l.Left(), 1492.5);
        QCOMPARE(l.widget()->x(), 100);
    }

    void buttonsColoursArraysAndClicks()
    {
        Spiel spiel;
        Form* f = open(spiel);
        QWidget* standard = f->button(u"cmdEnde"_s).widget();
        const QImage before = standard->grab().toImage();
        f->button(u"cmdEnde"_s).setBackColor(255);
        QCOMPARE(f->button(u"cmdEnde"_s).BackColor(), OleColor(255));
        QCOMPARE(standard->grab().toImage(), before);
        CommandButton& block = f->button(u"cmdBlock"_s, 3);
        block.setBackColor(0x0000FF00);
        QCOMPARE(block.BackColor(), OleColor(0x0000FF00));
        QCOMPARE(block.widget()->grab().toImage().pixelColor(20, 20), QColor(0, 255, 0));
        QVERIFY(ergebnis([&] { return f->button(u"cmdBlock"_s, 4).Caption(); }).startsWith(u"Fehler 340:"_s));
        Spiel::klick(block);
        QCOMPARE(clickedIndex, 3);
        Spiel::klick(f->label(u"lblAuto"_s)); // a label without handler keeps its click
        QVERIFY(!spiel.beendet());
        // The screen's own click handler fails: the standard message, then the end.
        Spiel::klickImFenster(f, QPoint(20, 580));
        QVERIFY(spiel.services.error && spiel.services.error->number() == 6);
        QCOMPARE(spiel.services.exitStatus, 1);
        QCOMPARE(Program::instance().loadedCount(), 0);
    }

    void imageTakesPictureSizeAndDecodesVisiblePart()
    {
        Spiel spiel;
        Image& img = open(spiel)->image(u"imgBild"_s);
        const QString file = spiel.programmOrdner() + u"/gross.jpg"_s;
        kbtest::schreibeBild(file, QSize(450, 300), "JPEG");
        img.setPicture(Picture::load(file));
        QCOMPARE(QSizeF(img.Width(), img.Height()), QSizeF(6750, 4500));
        const QSize room = img.form().window()->size() - QSize(400, 200);
        QCOMPARE(qobject_cast<QLabel*>(img.widget())->pixmap().size(), room.boundedTo(QSize(450, 300)));
        kbtest::schreibeBild(file, QSize(20, 10), "PNG");
        img.setPicture(Picture::load(file));
        QCOMPARE(img.Width(), 300.0);
    }

    void decodedPartsFollowTheStoredOrientation_data()
    {
        QTest::addColumn<int>("orientierung");
        for (int o = 1; o <= 8; ++o)
            QTest::addRow("EXIF %d", o) << o;
    }
    void decodedPartsFollowTheStoredOrientation()
    {
        QFETCH(int, orientierung);
        QTemporaryDir dir;
        const QString path = schreibeJpeg(dir.path(), orientierung);
        QImageReader reader(path);
        reader.setAutoTransform(true);
        const QImage ganz = reader.read();
        QCOMPARE(ganz.size(), orientierung >= 5 ? QSize(160, 240) : QSize(240, 160));
        const Picture bild = Picture::load(path);
        QCOMPARE(bild.size(), ganz.size());
        for (const QRect teil : {QRect(0, 0, 100, 70), QRect(37, 21, 90, 50), QRect(60, 60, 240, 240)}) {
            const QImage part = bild.decode(teil).toImage();
            const QRect r = teil & ganz.rect();
            QCOMPARE(part.size(), r.size());
            // Corners and middle; JPEG blocks at a cut may differ by a shade.
            const QPoint end = r.bottomRight() - r.topLeft();
            for (const QPoint p : {QPoint(), end, end / 2}) {
                const QRgb a = part.pixel(p), b = ganz.pixel(p + r.topLeft());
                const int d = std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b));
                QVERIFY2(d < 12, qPrintable(QDebug::toString(r)));
            }
        }
    }

    void fileListSortsWithoutCaseAndSkipsHiddenFiles()
    {
        Spiel spiel;
        FileListBox& list = open(spiel)->fileList(u"File1"_s);
        const QString folder = spiel.programmOrdner() + u"/liste"_s;
        QDir().mkpath(folder + u"/Unterordner.png"_s);
        for (const char* name :
             {"birne.png", "Apfel.png", "Zebra.gif", "ähre.jpg", ".versteckt.png", "apfel2.png"})
            QFile(folder + u'/' + QString::fromUtf8(name)).open(QIODevice::WriteOnly);
        list.setPath(folder);
        QCOMPARE(list.entries(),
                 (QStringList{"Apfel.png", "apfel2.png", "birne.png", "Zebra.gif", "ähre.jpg"}));
        QCOMPARE(int(list.ListCount()), 5);
        QCOMPARE(list.FileName(), QString());
        list.setListIndex(3);
        QCOMPARE(list.FileName(), u"Zebra.gif"_s);
        QVERIFY(ergebnis([&] { return list.setListIndex(5), QString(); }).startsWith(u"Fehler 380:"_s));
        QCOMPARE(list.Path(), QDir(folder).absolutePath());
        list.setPath(folder);
        QCOMPARE(int(list.ListIndex()), -1);
    }

    // Real timers: interval 0 stays silent; a handler unloads its own screen and
    // shows the next, and its timer goes with it.
    void timerSilentAtZeroAndChangesScreens()
    {
        Spiel spiel;
        Timer& t = open(spiel)->timer(u"Timer1"_s);
        timerSwitches = 0;
        QVERIFY(t.TimerEnabled() && !t.isRunning());
        QVERIFY(ergebnis([&] { return t.setInterval(65536), QString(); }).startsWith(u"Fehler 380:"_s));
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
        QTest::newRow("access key") << u"Alt+W"_s << u"frmTestB"_s;
        QTest::newRow("tab order") << u"Tab, Tab, Space"_s << u"frmTestB"_s;
        QTest::newRow("tab order 2") << u"Tab, Space"_s << QString();
        QTest::newRow("close box") << QString() << QString();
    }
    // Enter and Esc reach the default and cancel buttons from the text box; the close
    // box unloads the game screen (12000 x 9000 twips outside) and so ends the program.
    void keysAndCloseBox()
    {
        QFETCH(QString, keys);
        QFETCH(QString, next);
        Spiel spiel;
        Form* f = open(spiel);
        QCOMPARE(f->window()->frameGeometry().size() * 15, QSize(12000, 9000));
        QCOMPARE(QSizeF(f->Width(), f->Height()), QSizeF(12000, 9000));
        Spiel::aktiviere(f);
        QCOMPARE(QApplication::focusWidget(), f->textBox(u"txtName"_s).widget());
        QTest::keyClicks(QApplication::focusWidget(), u" Anna "_s);
        typedName.clear();
        keys.isEmpty() ? void(f->window()->close()) : Spiel::tasten(keys);
        QTRY_COMPARE(spiel.aktuellerName(), next);
        QCOMPARE(spiel.beendet(), next.isEmpty());
        QCOMPARE(spiel.services.exitStatus, next.isEmpty() ? 0 : -1);
        QCOMPARE(typedName, next.isEmpty() ? QString() : u" Anna "_s);
    }

    // Ten thousand screen changes through real clicks: each old window goes, and
    // the stack depth at the handler and the number of live widgets stay flat.
    void tenThousandScreenChangesStayFlat()
    {
        Spiel spiel;
        QPointer<QWidget> first = open(spiel)->window();
        std::uintptr_t firstMark = 0;
        qsizetype widgets = 0;
        for (int round = 0; round < 5000; ++round) {
            Spiel::klick(spiel.aktuell()->button(u"cmdWeiter"_s));
            Spiel::klick(spiel.aktuell()->button(u"cmdZurueck"_s));
            if (round == 0) {
                firstMark = stackMark;
                widgets = QApplication::allWidgets().size();
            }
        }
        QVERIFY(first.isNull());
        QCOMPARE(spiel.aktuellerName(), u"frmTestA"_s);
        QCOMPARE(stackMark, firstMark);
        QCOMPARE(QApplication::allWidgets().size(), widgets);
    }
};

QTEST_MAIN(tst_Toolkit)
#include "tst_toolkit.moc"
