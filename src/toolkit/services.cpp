#include "toolkit/services.h"

#include "toolkit/backdrop.h"
#include "toolkit/configuration.h"
#include "toolkit/dialogframe.h"

#include <QApplication>
#include <QDateTime>
#include <QDesktopServices>
#include <QInputDialog>
#include <QMessageBox>
#include <QUrl>

namespace tk {

namespace {

// At the board a dialog shows without the desktop's frame, which a child could
// drag away or close, and draws its own edge and title instead.
void frameForBoard(QDialog* dialog)
{
    if (Backdrop::current())
        new DialogFrame(dialog);
}

} // namespace

Services::~Services() = default;

QString Services::programFolder() const
{
    return QCoreApplication::applicationDirPath();
}

QString Services::configurationFile() const
{
    return Configuration::systemFile();
}

std::int64_t Services::clockMillis() const
{
    return QDateTime::currentMSecsSinceEpoch();
}

void Services::randomize()
{
    generator_.seed(static_cast<std::uint32_t>(clockMillis()));
}

float Services::rnd()
{
    // 24 random bits give every single-precision value of [0, 1) on a grid of 2^-24,
    // which can never round up to 1.0.
    return float(generator_() >> 8) / 16777216.0f;
}

void Services::openLink(const QString& target)
{
    if (!QDesktopServices::openUrl(QUrl(target)))
        throw RuntimeError(-2147467259,
                           QStringLiteral("Der Link konnte nicht geöffnet werden: %1").arg(target));
}

void Services::prompt(const QString& text, const QString& title, std::function<void(const QString&)> answer)
{
    // Not exec(): the dialog runs in the program's one event loop. On a board it
    // stands above the middle of the backdrop, in a frame of its own.
    auto* dialog = new QInputDialog(Backdrop::current());
    dialog->setObjectName(QStringLiteral("Eingabe"));
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setWindowTitle(title);
    dialog->setLabelText(text);
    dialog->setTextValue(QString());
    dialog->setOkButtonText(QStringLiteral("OK"));
    dialog->setCancelButtonText(QStringLiteral("Abbrechen"));
    frameForBoard(dialog);
    QObject::connect(dialog, &QDialog::finished, dialog, [dialog, answer](int result) {
        answer(result == QDialog::Accepted ? dialog->textValue() : QString());
    });
    dialog->open();
}

void Services::messageBox(const QString& text, const QString& title, std::function<void()> closed)
{
    auto* box = new QMessageBox(QMessageBox::Information, title, text, QMessageBox::Ok, Backdrop::current());
    box->setObjectName(QStringLiteral("Meldung"));
    box->setAttribute(Qt::WA_DeleteOnClose);
    frameForBoard(box);
    QObject::connect(box, &QDialog::finished, box, [closed] { closed(); });
    box->open();
}

void Services::showError(const RuntimeError& error, std::function<void()> closed)
{
    auto* box =
        new QMessageBox(QMessageBox::Critical, QCoreApplication::applicationName(),
                        QStringLiteral("Laufzeitfehler '%1':\n\n%2").arg(error.number()).arg(error.message()),
                        QMessageBox::Ok, Backdrop::current());
    box->setObjectName(QStringLiteral("Laufzeitfehler"));
    box->setAttribute(Qt::WA_DeleteOnClose);
    frameForBoard(box);
    QObject::connect(box, &QDialog::finished, box, [closed] { closed(); });
    box->open();
}

void Services::exit(int status)
{
    QCoreApplication::exit(status);
}

namespace {
Services* installed = nullptr;
}

Services& services()
{
    static Services real;
    return installed ? *installed : real;
}

void setServices(Services* s)
{
    installed = s;
}

} // namespace tk
