#include "support/spielumgebung.h"

#include "shell/modVariablen.h"
#include "shell/programmstart.h"

#include <QApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QImage>
#include <QTest>

namespace kbtest {

void TestServices::randomize()
{
    ++randomizeCalls;
    tk::Services::randomize();
}

float TestServices::rnd()
{
    ++rndCalls;
    if (!scriptedNumbers.empty()) {
        const float r = scriptedNumbers.front();
        scriptedNumbers.pop_front();
        return r;
    }
    return tk::Services::rnd();
}

void TestServices::prompt(const QString& text, const QString& title,
                          std::function<void(const QString&)> answer)
{
    promptTexts.append(text);
    promptTitles.append(title);
    if (promptAnswers.empty()) {
        tk::Services::prompt(text, title, std::move(answer));
        return;
    }
    const QString reply = promptAnswers.front();
    promptAnswers.pop_front();
    answer(reply);
}

void TestServices::messageBox(const QString& text, const QString& title, std::function<void()> closed)
{
    Q_UNUSED(title);
    messages.append(text);
    if (closed)
        tk::Program::instance().dispatch(closed);
}

void TestServices::showError(const tk::RuntimeError& e, std::function<void()> closed)
{
    error = e;
    closed();
}

void TestServices::exit(int status)
{
    exited = true;
    exitStatus = status;
}

Spiel::Spiel()
{
    tk::Program::instance().reset();
    modVariablen::zuruecksetzen();
    services.folder = dir_.path();
    tk::setServices(&services);
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

void schreibeBild(const QString& path, QSize size, const char* format, QColor colour)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    QVERIFY2(image.save(path, format), qPrintable(path));
}

void Spiel::bilderOrdner(const QStringList& names)
{
    const QString folder = dir_.path() + QStringLiteral("/bilder");
    QDir(folder).removeRecursively();
    QDir().mkpath(folder);
    int n = 0;
    for (const QString& name : names) {
        // Each picture gets its own shade, so tests can tell which one is shown.
        schreibeBild(folder + QLatin1Char('/') + name, QSize(40 + n, 30), "PNG", QColor::fromHsv((n * 23) % 360, 200, 200));
        ++n;
    }
}

void Spiel::standardBilder()
{
    const QString folder = dir_.path() + QStringLiteral("/bilder");
    QDir().mkpath(folder);
    QDirIterator it(QStringLiteral(KB_SOURCE_DIR "/assets/bilder"), QDir::Files);
    while (it.hasNext()) {
        it.next();
        QFile::copy(it.filePath(), folder + QLatin1Char('/') + it.fileName());
    }
}

void Spiel::starte(const QString& screen)
{
    tk::Program::instance().start(screen);
    ruhe();
}

tk::Form* Spiel::aktuell() const
{
    auto& p = tk::Program::instance();
    return p.loadedCount() == 1 ? p.current() : nullptr;
}

QString Spiel::aktuellerName() const
{
    tk::Form* f = aktuell();
    return f ? f->name() : QString();
}

void Spiel::ruhe()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void Spiel::klick(QWidget* widget, QPoint at)
{
    QVERIFY(widget);
    if (at.x() < 0)
        at = widget->rect().center();
    QTest::mouseClick(widget, Qt::LeftButton, Qt::NoModifier, at);
    ruhe();
}

void Spiel::klick(tk::Control& control) { klick(control.widget()); }

void Spiel::aktiviere(tk::Form* form)
{
    QVERIFY(form);
    QWidget* w = form->window();
    QApplication::setActiveWindow(w);
    w->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(w));
}

} // namespace kbtest
