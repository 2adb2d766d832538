#include "support/spielumgebung.h"

#include "shell/modVariablen.h"
#include "shell/programmstart.h"

#include <QApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QImage>
#include <QKeySequence>
#include <QTest>
#include <QWindow>
#include <cstdio>
#include <cstdlib>

namespace kbtest {

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
        schreibeBild(folder + QLatin1Char('/') + name, QSize(40 + n, 30), "PNG",
                     QColor::fromHsv((n * 23) % 360, 200, 200));
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

tk::Form* Spiel::starte(const QString& screen)
{
    tk::Program::instance().start(screen);
    ruhe();
    return aktuell();
}

tk::Form* Spiel::aktuell() const
{
    auto& p = tk::Program::instance();
    return p.loadedCount() == 1 ? p.current() : nullptr;
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

void Spiel::aktiviere(tk::Form* form)
{
    QVERIFY(form);
    QWidget* w = form->window();
    QApplication::setActiveWindow(w);
    w->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(w));
}

Wachhund::Wachhund(std::chrono::seconds frist)
    : frist_(frist), seit_(std::chrono::steady_clock::now()), thread_([this] {
          std::unique_lock lock(mutex_);
          while (!aufwachen_.wait_for(lock, std::chrono::milliseconds(250), [this] { return ende_; }))
              if (std::chrono::steady_clock::now() - seit_ > frist_) {
                  std::fprintf(stderr, "HÄNGT: '%s' läuft seit mehr als %d s\n", was_.c_str(),
                               int(frist_.count()));
                  std::_Exit(3);
              }
      })
{
}

Wachhund::~Wachhund()
{
    {
        std::lock_guard lock(mutex_);
        ende_ = true;
    }
    aufwachen_.notify_one();
    thread_.join();
}

void Wachhund::schritt(const QString& was)
{
    std::string text = was.toStdString();
    std::lock_guard lock(mutex_);
    was_ = std::move(text);
    seit_ = std::chrono::steady_clock::now();
}

void Spiel::klickImFenster(tk::Form* form, QPoint at)
{
    QVERIFY(form && form->window()->windowHandle());
    QTest::mouseClick(form->window()->windowHandle(), Qt::LeftButton, Qt::NoModifier, at);
    ruhe();
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

void Spiel::tippen(QWidget* target, const QString& text)
{
    // Qt's key codes of the Latin-1 letters are their upper-case code points.
    for (const QChar c : text)
        QTest::sendKeyEvent(QTest::Click, target, Qt::Key(c.toUpper().unicode()), QString(c), Qt::NoModifier);
}

void Spiel::wechsle(const QString& screen)
{
    tk::Program::instance().dispatch([screen] {
        if (tk::Form* now = tk::Program::instance().current())
            tk::Unload(*now);
        tk::Show(screen, tk::vbModal);
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
    for (int i = 0; i <= modVariablen::Bildnamen.UBound(); ++i)
        words.append(modVariablen::Bildnamen(i));
    return words;
}

void setzeBildnamen(const QStringList& words)
{
    modVariablen::Bildnamen.ReDimPreserve(int(words.size()) - 1);
    for (int i = 0; i < words.size(); ++i)
        modVariablen::Bildnamen(i) = words.at(i);
}

} // namespace kbtest
