#include "support/spielumgebung.h"

#include "bildschirm.h"
#include "programmstart.h"
#include "regeln/einstellungen.h"
#include "toolkit/backdrop.h"
#include "toolkit/formwindow.h"

#include <QApplication>
#include <QDir>
#include <QDirIterator>
#include <QKeySequence>
#include <QTest>
#include <QWindow>
#include <cstdio>
#include <vector>

namespace kbtest {

QSize Anwendung::tafel()
{
    const QString wert = qEnvironmentVariable("KB_TAFEL");
    const QSize groesse = kbwerkzeug::leseGroesse(wert);
    if (!wert.isEmpty() && !groesse.isValid())
        qFatal("KB_TAFEL=%s is no screen size such as 1920x1080", qPrintable(wert));
    return groesse;
}

// At a board the game decides from its real system configuration, written here
// as for a computer that drives only a board (Tafel=ja, Zeiger=nein), exactly as
// the program does.
Anwendung::Anwendung(int& argc, char** argv)
{
    const QSize groesse = tafel();
    const QString konfiguration = dir_.filePath(QStringLiteral("kieselblick.conf"));
    if (groesse.isValid()) {
        QFile datei(konfiguration);
        if (!kbwerkzeug::bildschirmEinrichten(dir_.path(), groesse) || !datei.open(QIODevice::WriteOnly) ||
            datei.write("[Anzeige]\nTafel=ja\nZeiger=nein\n") < 0)
            qFatal("cannot set up a board of %dx%d in %s", groesse.width(), groesse.height(),
                   qPrintable(dir_.path()));
        datei.close();
        qputenv("KIESELBLICK_CONF", QFile::encodeName(konfiguration));
    }
    app_ = std::make_unique<tk::Application>(argc, argv);
    if (!groesse.isValid())
        return;
    kb::anzeigeEinrichten(*app_);
    qunsetenv("KIESELBLICK_CONF");
    kb::einstellungenNeuLesen();
    if (!app_->onBoard())
        qFatal("Tafel=ja did not show the game at a board");
}

float TestServices::rnd()
{
    ++rndCalls;
    if (scriptedNumbers.empty())
        return tk::Services::rnd();
    const float r = scriptedNumbers.front();
    scriptedNumbers.pop_front();
    return r;
}

void TestServices::prompt(const QString& text, const QString& title,
                          std::function<void(const QString&)> answer)
{
    promptTexts.append(title + QStringLiteral(": ") + text);
    if (promptAnswers.empty())
        return tk::Services::prompt(text, title, std::move(answer));
    const QString reply = promptAnswers.front();
    promptAnswers.pop_front();
    answer(reply);
}

void TestServices::messageBox(const QString& text, const QString& title, std::function<void()> closed)
{
    messages.append(text);
    echteMeldungen ? tk::Services::messageBox(text, title, std::move(closed)) : closed();
}

void TestServices::showError(const tk::RuntimeError& e, std::function<void()> closed)
{
    error = e;
    echteMeldungen ? tk::Services::showError(e, std::move(closed)) : closed();
}

Spiel::Spiel()
{
    tk::Program::instance().reset();
    kb::modVariablen::zuruecksetzen();
    services.folder = dir_.path();
    tk::setServices(&services);
    kb::einstellungenNeuLesen();
    kb::programmEinrichten();
}

Spiel::~Spiel()
{
    tk::Program::instance().reset();
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->inherits("QDialog"))
            w->deleteLater();
    ruhe();
    tk::setServices(nullptr);
}

void schreibeDatei(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY2(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size(), qPrintable(path));
}

void schreibeBild(const QString& path, QSize size, const char* format, QColor colour)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    QVERIFY2(image.save(path, format), qPrintable(path));
}

void schreibePng(const QString& path, QSize size, int farbtyp, int tiefe, bool verschachtelt,
                 bool durchsichtig, const std::function<void(int, uchar*, std::size_t)>& zeile)
{
    std::FILE* datei = std::fopen(QFile::encodeName(path).constData(), "wb");
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    QVERIFY(datei && png && info);
    if (setjmp(png_jmpbuf(png)))
        QFAIL("libpng could not write the file");
    png_init_io(png, datei);
    png_set_IHDR(png, info, png_uint_32(size.width()), png_uint_32(size.height()), tiefe, farbtyp,
                 verschachtelt ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    std::vector<png_color> farben(farbtyp == PNG_COLOR_TYPE_PALETTE ? 1 << tiefe : 0);
    std::vector<png_byte> alpha(farben.size());
    for (std::size_t i = 0; i < farben.size(); ++i)
        farben[i] = {png_byte(i * 97), png_byte(255 - i * 31), png_byte(i * i)}, alpha[i] = png_byte(i * 53);
    const png_color_16 null{};
    if (!farben.empty())
        png_set_PLTE(png, info, farben.data(), int(farben.size()));
    if (durchsichtig)
        png_set_tRNS(png, info, alpha.data(), int(alpha.size()), &null);
    png_write_info(png, info);
    std::vector<uchar> puffer(png_get_rowbytes(png, info));
    for (int durchgang = png_set_interlace_handling(png); durchgang > 0; --durchgang)
        for (int y = 0; y < size.height(); ++y)
            zeile(y, puffer.data(), puffer.size()), png_write_row(png, puffer.data());
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    std::fclose(datei);
}

void Spiel::bilderOrdner(const QStringList& names)
{
    QDir(bilder()).removeRecursively();
    QDir().mkpath(bilder());
    for (int n = 0; n < names.size(); ++n)
        schreibeBild(bilder() + u'/' + names.at(n), QSize(40 + n, 30), "PNG",
                     QColor::fromHsv((n * 23) % 360, 200, 200));
}

void Spiel::standardBilder(int anzahl)
{
    QDir().mkpath(bilder());
    const QDir quelle(QStringLiteral(KB_SOURCE_DIR "/assets/bilder"));
    QStringList namen = quelle.entryList(QDir::Files, QDir::Name);
    if (anzahl >= 0)
        namen = namen.mid(0, anzahl);
    for (const QString& name : namen)
        QFile::copy(quelle.filePath(name), bilder() + u'/' + name);
}

tk::Form* Spiel::starte(const QString& screen)
{
    tk::Program::instance().start(screen);
    ruhe();
    return aktuell();
}

void Spiel::ruhe()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void Spiel::klick(const tk::Control& control)
{
    QTest::mouseClick(control.widget(), Qt::LeftButton, Qt::NoModifier, control.widget()->rect().center());
    ruhe();
}

void Spiel::klickAnStelle(const tk::Control& c)
{
    klickAnStelle(c.widget(), c.widget()->rect().center());
}

void Spiel::klickAnStelle(const QWidget* w, QPoint p)
{
    QTest::mouseClick(w->window()->windowHandle(), Qt::LeftButton, Qt::NoModifier, w->mapTo(w->window(), p));
    ruhe();
}

void Spiel::schliessfeld(const tk::Form* form)
{
    QVERIFY(form);
    form->window()->window()->windowHandle()->close();
}

bool istFenster(const QObject* object)
{
    return qobject_cast<const tk::FormWindow*>(object) ||
           (object->isWidgetType() && static_cast<const QWidget*>(object)->isWindow() &&
            object != tk::Backdrop::current());
}

void Spiel::aktiviere(QWidget* window)
{
    QVERIFY(window);
    QApplication::setActiveWindow(window);
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window));
}

void Spiel::tasten(const QString& keys)
{
    const QKeySequence sequence(keys);
    for (int i = 0; i < sequence.count(); ++i) {
        QWidget* focus =
            QApplication::focusWidget() ? QApplication::focusWidget() : QApplication::activeWindow();
        QVERIFY2(focus, qPrintable(keys));
        QTest::keyClick(focus, sequence[i].key(), sequence[i].keyboardModifiers());
    }
    ruhe();
}

void Spiel::halte(Qt::Key key, const QString& text, int wiederholungen, Qt::KeyboardModifiers mods) const
{
    const auto sende = [&](QEvent::Type type, bool wiederholt) {
        if (!aktuell())
            return;
        aktiviere(aktuell());
        qt_handleKeyEvent(aktuell()->window()->window()->windowHandle(), type, key, mods, text, wiederholt);
        ruhe();
    };
    sende(QEvent::KeyPress, false);
    for (int i = 0; i < wiederholungen; ++i) {
        sende(QEvent::KeyRelease, true);
        sende(QEvent::KeyPress, true);
    }
    sende(QEvent::KeyRelease, false);
}

void Spiel::tippen(QWidget* target, const QString& text)
{
    // Qt's key codes of the Latin-1 letters are their upper-case code points.
    for (const QChar c : text)
        QTest::sendKeyEvent(QTest::Click, target, Qt::Key(c.toUpper().unicode()), QString(c), Qt::NoModifier);
}

void Spiel::wechsle(const QString& screen)
{
    tk::Program& program = tk::Program::instance();
    program.dispatch([&program, screen] {
        if (tk::Form* now = program.current())
            program.unload(*now);
        program.show(screen, tk::vbModal);
    });
    ruhe();
}

QStringList bilddateien(int count)
{
    QStringList names;
    for (int i = 1; i <= count; ++i)
        names.append(QStringLiteral("Bild%1.png").arg(i, 2, 10, QLatin1Char('0')));
    return names;
}

QStringList bildnamen()
{
    QStringList words;
    for (int i = 0; i <= kb::modVariablen::Bildnamen.UBound(); ++i)
        words.append(kb::modVariablen::Bildnamen(i));
    return words;
}

void setzeBildnamen(const QStringList& words)
{
    kb::modVariablen::Bildnamen.ReDimPreserve(int(words.size()) - 1);
    for (int i = 0; i < words.size(); ++i)
        kb::modVariablen::Bildnamen(i) = words.at(i);
}

} // namespace kbtest
