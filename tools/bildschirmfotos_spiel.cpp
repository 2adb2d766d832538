// Renders screens of the game to PNG files. It starts the real program on the
// offscreen platform and drives it to each screen as a player would: keys on the
// about screen, a name typed into the start screen, clicks on the buttons. Each
// screen is reached by a path of steps from the first screen, so a new screen
// needs only one more row in the table of paths.
//
//   kb_bildschirmfotos_spiel [--ordner FOLDER] [--ziel FOLDER] [--tafel WxH] [screen ...]
//
// --ordner is the program folder (the one holding "bilder"), --ziel the folder
// for the PNG files; without screen names every reachable screen is rendered.
// --tafel shows the game at a board of that size, as "kieselblick --tafel" on
// such a screen does, and each picture shows the whole board.

#include "bildschirmfotos.h"
#include "programmstart.h"
#include "regeln/einstellungen.h"
#include "shell/modVariablen.h"
#include "toolkit/application.h"
#include "toolkit/backdrop.h"
#include "toolkit/controls.h"
#include "toolkit/program.h"
#include "toolkit/services.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QPixmap>
#include <QTemporaryDir>
#include <QTest>
#include <functional>
#include <optional>
#include <vector>

namespace {

// The world outside, made repeatable: a fixed clock for the random draw, the
// level-5 prompt answered with three seconds, errors and the end recorded
// instead of ending the tool.
class Dienste : public tk::Services {
public:
    QString ordner;
    std::optional<QString> fehler;
    bool beendet = false;

    QString programFolder() const override { return ordner.isEmpty() ? Services::programFolder() : ordner; }
    // No system configuration: the pictures are the same on every machine.
    QString configurationFile() const override { return QStringLiteral("/nonexistent/kieselblick.conf"); }
    std::int64_t clockMillis() const override { return 20240901; }
    void prompt(const QString&, const QString&, std::function<void(const QString&)> answer) override
    {
        answer(QStringLiteral("3"));
    }
    void openLink(const QString&) override {}
    void showError(const tk::RuntimeError& error, std::function<void()>) override
    {
        fehler = QStringLiteral("%1: %2").arg(error.number()).arg(error.message());
    }
    void exit(int) override { beendet = true; }
};

tk::Form* aktuell()
{
    return tk::Program::instance().current();
}

void ruhe()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

// ---- steps a player takes ---------------------------------------------------

using Schritt = std::function<void(tk::Form&)>;

Schritt taste(Qt::Key key)
{
    return [key](tk::Form& f) {
        QWidget* ziel = QApplication::focusWidget() ? QApplication::focusWidget() : f.window();
        QTest::keyClick(ziel, key);
    };
}

Schritt klick(const char* name, int index = -1)
{
    return [name, index](tk::Form& f) {
        QWidget* w = f.control(QString::fromUtf8(name), index).widget();
        QTest::mouseClick(w, Qt::LeftButton, Qt::NoModifier, w->rect().center());
    };
}

Schritt nameEingeben(const QString& name)
{
    return [name](tk::Form& f) {
        QWidget* box = f.find<tk::TextBox>(QStringLiteral("txtBenutzername")).widget();
        QTest::keyClicks(box, name);
        QTest::keyClick(box, Qt::Key_Return);
    };
}

// Clicks one button until another screen opens (the presentation screens lead
// to their board after their last picture).
Schritt klickBisWechsel(const char* name)
{
    return [name](tk::Form& f) {
        const QString von = f.name();
        for (int i = 0; i < 40 && aktuell() && aktuell()->name() == von; ++i) {
            klick(name)(*aktuell());
            ruhe();
        }
    };
}

// Lets every timer of the screen tick once, as the clock would.
Schritt ticken()
{
    return [](tk::Form& f) {
        for (const auto& c : f.controls())
            if (c->kind() == tk::Kind::Timer)
                static_cast<tk::Timer*>(c.get())->fire();
    };
}

Schritt folge(std::vector<Schritt> schritte)
{
    return [schritte](tk::Form&) {
        for (const Schritt& s : schritte) {
            if (!aktuell())
                return;
            s(*aktuell());
            ruhe();
        }
    };
}

// ---- the paths to the screens -----------------------------------------------

struct Weg {
    QString bildschirm;
    QString von; // the screen the steps start on
    Schritt schritte;
};

std::vector<Weg> wege()
{
    auto s = [](const char* t) { return QString::fromUtf8(t); };
    return {
        {s("frmStart"), s("frmSplash"), taste(Qt::Key_Space)},
        {s("frmSpiel"), s("frmStart"), nameEingeben(QStringLiteral("Anna"))},
        {s("frmSchwierigkeit"), s("frmSpiel"), klick("cmdweiter")},
        {s("frmSchw1"), s("frmSchwierigkeit"), folge({klick("cmdschweins"), klick("cmdweiter")})},
        {s("frmSchw2"), s("frmSchwierigkeit"), folge({klick("cmdschwzwei"), klick("cmdweiter")})},
        {s("frmSchw3"), s("frmSchwierigkeit"), folge({klick("cmdschwdrei"), ticken()})},
        {s("frmSchw4"), s("frmSchwierigkeit"), folge({klick("cmdschwvier"), ticken()})},
        {s("frmSchw5"), s("frmSchwierigkeit"), folge({klick("cmdschwfünf"), ticken()})},
        {s("frmAusw1"), s("frmSchw1"), klickBisWechsel("cmdweiter")},
        {s("frmAusw2"), s("frmSchw2"), klickBisWechsel("cmdweiter")},
        {s("frmAuswert1"), s("frmAusw1"),
         folge({klick("cmdeins", 0), klick("cmdeins", 1), klick("cmdeins", 2), klick("cmdeins", 3)})},
        {s("frmAuswert2"), s("frmAusw2"),
         folge({klick("cmdeins", 0), klick("cmdeins", 1), klick("cmdeins", 2), klick("cmdeins", 3),
                klick("cmdeins", 4), klick("cmdeins", 5), klick("cmdeins", 6)})},
    };
}

const Weg* wegZu(const QString& bildschirm)
{
    static const std::vector<Weg> alle = wege();
    for (const Weg& w : alle)
        if (w.bildschirm == bildschirm)
            return &w;
    return nullptr;
}

// Walks the path from the first screen; true when the screen is on display.
bool erreiche(const QString& bildschirm, Dienste& dienste)
{
    if (bildschirm == QLatin1String("frmSplash")) {
        tk::Program::instance().reset();
        kb::modVariablen::zuruecksetzen();
        kb::programmStarten();
    } else {
        const Weg* weg = wegZu(bildschirm);
        if (!weg || !erreiche(weg->von, dienste))
            return false;
        weg->schritte(*aktuell());
    }
    ruhe();
    return !dienste.fehler && !dienste.beendet && aktuell() && aktuell()->name() == bildschirm &&
           aktuell()->window()->isVisible();
}

// The board's size in its own pixels, when the game is shown at a board.
QSize& tafelGroesse()
{
    static QSize groesse;
    return groesse;
}

// The screen as a window shows it; at a board the whole board.
QImage bild()
{
    tk::Backdrop* tafel = tk::Backdrop::current();
    if (!tafel)
        return aktuell()->window()->grab().toImage();
    return tafel->grab().toImage().copy(QRect(QPoint(), tafelGroesse()));
}

// The size after --tafel, looked for before Qt reads the arguments.
QSize leseTafel(int argc, char* argv[])
{
    for (int i = 1; i + 1 < argc; ++i)
        if (qstrcmp(argv[i], "--tafel") == 0)
            return kbwerkzeug::leseGroesse(QString::fromLocal8Bit(argv[i + 1]));
    return {};
}

bool aufnehmen(const QString& bildschirm, const QDir& ziel, Dienste& dienste)
{
    dienste.fehler.reset();
    dienste.beendet = false;
    if (!tk::Program::instance().isRegistered(bildschirm)) {
        qWarning("%s: not part of the program yet, skipped", qPrintable(bildschirm));
        return true;
    }
    if (!erreiche(bildschirm, dienste)) {
        qCritical("%s: not reached (now on %s)%s", qPrintable(bildschirm),
                  aktuell() ? qPrintable(aktuell()->name()) : "no screen",
                  dienste.fehler ? qPrintable(QStringLiteral(", error ") + *dienste.fehler) : "");
        return false;
    }
    const QString datei = ziel.filePath(bildschirm + QStringLiteral(".png"));
    if (!bild().save(datei)) {
        qCritical("%s: cannot write %s", qPrintable(bildschirm), qPrintable(datei));
        return false;
    }
    qInfo("%s", qPrintable(datei));
    return true;
}

QStringList alleBildschirme()
{
    QStringList namen{QStringLiteral("frmSplash")};
    for (const Weg& w : wege())
        namen.append(w.bildschirm);
    return namen;
}

} // namespace

int main(int argc, char* argv[])
{
    kbwerkzeug::offscreenWennNichtGewaehlt();
    QTemporaryDir bildschirmOrdner;
    const QSize tafel = tafelGroesse() = leseTafel(argc, argv);
    if (tafel.isValid() && !kbwerkzeug::bildschirmEinrichten(bildschirmOrdner.path(), tafel))
        return 1;
    tk::Application app(argc, argv);
    Dienste dienste;
    tk::setServices(&dienste);
    kb::anzeigeEinrichten(app);
    QCommandLineParser parser;
    parser.addOption({QStringLiteral("ordner"), QStringLiteral("Program folder holding \"bilder\"."),
                      QStringLiteral("folder")});
    parser.addOption(kbwerkzeug::zielOption(QStringLiteral("Folder for the PNG files.")));
    parser.addOption({QStringLiteral("tafel"), QStringLiteral("Show the game at a board of this size."),
                      QStringLiteral("WxH")});
    parser.addPositionalArgument(QStringLiteral("screen"),
                                 QStringLiteral("Screens to render (default: all)."));
    parser.addHelpOption();
    parser.process(QCoreApplication::arguments());
    if (parser.isSet(QStringLiteral("tafel")) && !app.onBoard())
        parser.showHelp(1);

    dienste.ordner = parser.value(QStringLiteral("ordner"));
    kb::einstellungenNeuLesen(); // the picture folder is the one given, not the tool's own
    kb::programmEinrichten();

    const QDir ziel = kbwerkzeug::zielOrdner(parser);
    const QStringList namen =
        parser.positionalArguments().isEmpty() ? alleBildschirme() : parser.positionalArguments();
    bool gut = true;
    for (const QString& name : namen)
        gut = aufnehmen(name, ziel, dienste) && gut;
    tk::Program::instance().reset();
    ruhe();
    tk::setServices(nullptr);
    return gut ? 0 : 1;
}
