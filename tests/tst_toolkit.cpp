// The forms toolkit on two screens of its own, its controls, its number rules
// and its file list.
#include "shell/modSkalieren.h"
#include "support/spielumgebung.h"
#include "support/testbilder.h"
#include "toolkit/numbers.h"

#include <QDir>

namespace {

// clang-format off
const FormLayout layoutA{.name = "frmTestA", .caption = "Erster", .clientWidth = 6000, .clientHeight = 4500,
    .controls = {
        {.kind = Kind::CommandButton, .name = "cmdWeiter", .left = 300, .top = 1200, .width = 1500,
         .height = 600, .caption = "&Weiter", .tabIndex = 0},
        {.kind = Kind::CommandButton, .name = "cmdEnde", .left = 2400, .top = 1200, .width = 1500,
         .height = 600, .caption = "&Ende", .tabIndex = 1},
        {.kind = Kind::CommandButton, .name = "cmdBlock", .index = 3, .left = 4500, .top = 1200,
         .width = 1500, .height = 600, .style = ButtonStyle::Graphical, .tabIndex = 3},
        {.kind = Kind::Label, .name = "lblAuto", .left = 600, .top = 2100, .width = 90, .height = 390,
         .font = {"Comic Sans MS", 14.25}, .autoSize = true, .transparent = true},
        {.kind = Kind::Image, .name = "imgBild", .left = 6000, .top = 3000}}};
const FormLayout layoutB{.name = "frmTestB", .caption = "Zweiter", .clientWidth = 3000, .clientHeight = 1500,
    .controls = {{.kind = Kind::CommandButton, .name = "cmdWeiter", .left = 300, .top = 300, .width = 1500,
                  .height = 600, .caption = "Zurück", .tabIndex = 0}}};
// clang-format on

std::uintptr_t stackMark = 0;

// Each test screen hands over to the other with its button; a click on the
// screen itself fails.
struct FrmTest : Form {
    explicit FrmTest(const FormLayout& layout) : Form(layout)
    {
        control(u"cmdWeiter"_s).onClick = [this] {
            // The frame itself: a local's address may lie on a sanitizer's heap-backed stack.
            stackMark = reinterpret_cast<std::uintptr_t>(__builtin_frame_address(0));
            Unload();
            Show(name() == u"frmTestA"_s ? u"frmTestB"_s : u"frmTestA"_s, vbModal);
        };
        onFormClick([] { throw RuntimeError::overflow(); });
    }
    void Form_Load() override { kb::FormSkalieren(*this); }
};

// The value of an expression as text, or "Fehler" and the number of its run-time error.
#define ERGEBNIS(expr)                                                                                       \
    [] {                                                                                                     \
        try {                                                                                                \
            return QString::number(expr);                                                                    \
        } catch (const RuntimeError& e) {                                                                    \
            return u"Fehler %1"_s.arg(e.number());                                                           \
        }                                                                                                    \
    }()

} // namespace

class tst_Toolkit : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        Program::instance().registerForm(u"frmTestA"_s, [] { return std::make_unique<FrmTest>(layoutA); });
        Program::instance().registerForm(u"frmTestB"_s, [] { return std::make_unique<FrmTest>(layoutB); });
    }

    // Rounding half to even, and overflows and bounds as run-time errors.
    void numberRules()
    {
        const QStringList ergebnisse{ERGEBNIS(CInt(0.5)),
                                     ERGEBNIS(CInt(1.5)),
                                     ERGEBNIS(CInt(2.5)),
                                     ERGEBNIS(CInt(-2.5)),
                                     ERGEBNIS(CInt(32767.49)),
                                     ERGEBNIS(CInt(-32768.5)),
                                     ERGEBNIS(CInt(32767.5)),
                                     ERGEBNIS(Int(-0.5)),
                                     ERGEBNIS(Integer(32767) + Integer(1)),
                                     ERGEBNIS(Integer(-32768) - Integer(1)),
                                     ERGEBNIS(Integer(33) * Integer(1000)),
                                     ERGEBNIS(DynArray<int>()(1))};
        QCOMPARE(ergebnisse,
                 (QStringList{u"0"_s, u"2"_s, u"2"_s, u"-2"_s, u"32767"_s, u"-32768"_s, u"Fehler 6"_s,
                              u"-1"_s, u"Fehler 6"_s, u"Fehler 6"_s, u"Fehler 6"_s, u"Fehler 9"_s}));
    }

    // An AutoSize label grows to the right; a standard button ignores its colour, a
    // graphical one shows it; a picture takes its own size and shows what lies in
    // the screen; a click handler that fails ends the program with the standard message.
    void controls()
    {
        Spiel spiel;
        Form* f = spiel.starte(u"frmTestA"_s);
        Label& l = f->find<Label>(u"lblAuto"_s);
        l.setCaption(u"Hallo"_s);
        const double hallo = l.Width();
        l.setCaption(u"Hallo Anna, schön dass du da bist!"_s);
        QVERIFY(hallo > 90 && l.Width() > hallo && l.Left() == 600 && l.widget()->x() == 40);
        CommandButton& standard = f->find<CommandButton>(u"cmdEnde"_s);
        const QImage vorher = standard.widget()->grab().toImage();
        standard.setBackColor(255);
        QVERIFY(standard.BackColor() == 255 && standard.widget()->grab().toImage() == vorher);
        CommandButton& block = f->find<CommandButton>(u"cmdBlock"_s, 3);
        block.setBackColor(0x0000FF00);
        QCOMPARE(block.widget()->grab().toImage().pixelColor(20, 20), QColor(0, 255, 0));
        Image& img = f->find<Image>(u"imgBild"_s);
        kbtest::schreibeBild(spiel.programmOrdner() + u"/gross.jpg"_s, QSize(450, 300), "JPEG");
        img.setPicture(Picture::load(spiel.programmOrdner() + u"/gross.jpg"_s));
        QCOMPARE(QSizeF(img.Width(), img.Height()), QSizeF(6750, 4500));
        const QSize platz = f->window()->size() - QSize(400, 200);
        QCOMPARE(qobject_cast<QLabel*>(img.widget())->pixmap().size(), platz.boundedTo(QSize(450, 300)));
        QTest::mouseClick(f->window()->windowHandle(), Qt::LeftButton, {}, QPoint(20, 580));
        QVERIFY(spiel.services.error && spiel.services.error->number() == 6);
        QCOMPARE(spiel.services.exitStatus, 1);
        QCOMPARE(Program::instance().loadedCount(), 0);
    }

    void fileListSortsWithoutCaseAndSkipsHiddenFiles()
    {
        QTemporaryDir dir;
        QDir().mkpath(dir.path() + u"/Unterordner.png"_s);
        for (const char* name : {"birne.png", "Apfel.png", "Zebra.gif", "ähre.jpg", ".versteckt.png"})
            QFile(dir.path() + u'/' + QString::fromUtf8(name)).open(QIODevice::WriteOnly);
        QCOMPARE(listedFileNames(dir.path()),
                 (QStringList{"Apfel.png", "birne.png", "Zebra.gif", "ähre.jpg"}));
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
            Spiel::klick(spiel.aktuell()->find<CommandButton>(u"cmdWeiter"_s));
            Spiel::klick(spiel.aktuell()->find<CommandButton>(u"cmdWeiter"_s));
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
