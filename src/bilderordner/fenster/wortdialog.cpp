#include "bilderordner/fenster/wortdialog.h"

#include "bilderordner/fenster/lesepool.h"
#include "bilderordner/fenster/vorschaubilder.h"
#include "bilderordner/kern/hinzufuegen.h"
#include "bilderordner/kern/wortbreite.h"

#include <QDialogButtonBox>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>
#include <QtConcurrent/QtConcurrentRun>

namespace kbb::fenster {

Wortdialog::Wortdialog(const QString& quelle, QWidget* parent)
    : QDialog(parent), eingabe_(new QLineEdit(this)), fehler_(new QLabel(this)), bild_(new QLabel(this))
{
    setWindowTitle(QStringLiteral("Bild hinzufügen"));
    setWindowModality(Qt::WindowModal);
    auto* frage =
        new QLabel(QStringLiteral("Welches Wort gehört zu „%1“? So steht es später in der Auswahlbox.")
                       .arg(QFileInfo(quelle).fileName()),
                   this);
    frage->setWordWrap(true);
    bild_->setFixedSize(160, 120);
    bild_->setAlignment(Qt::AlignCenter);
    eingabe_->setText(wortVorschlag(QFileInfo(quelle).fileName()));
    eingabe_->setPlaceholderText(QStringLiteral("Wort für die Auswahlbox"));
    eingabe_->selectAll();
    eingabe_->setAccessibleName(QStringLiteral("Wort"));
    fehler_->setObjectName(QStringLiteral("fehler"));
    fehler_->setWordWrap(true);
    // Room for a message of two lines from the start, so that the dialog does
    // not jump while the teacher types and no message covers the picture.
    fehler_->setMinimumHeight(2 * fehler_->fontMetrics().lineSpacing() + 4);
    fehler_->setMinimumWidth(360);
    fehler_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    auto* knoepfe = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    ok_ = knoepfe->button(QDialogButtonBox::Ok);
    ok_->setText(QStringLiteral("Hinzufügen"));
    knoepfe->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Abbrechen"));
    connect(knoepfe, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(knoepfe, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(eingabe_, &QLineEdit::textChanged, this, &Wortdialog::pruefe);

    auto* spalte = new QVBoxLayout(this);
    spalte->addWidget(bild_, 0, Qt::AlignHCenter);
    spalte->addWidget(frage);
    spalte->addWidget(eingabe_);
    spalte->addWidget(fehler_);
    spalte->addStretch();
    spalte->addWidget(knoepfe);
    pruefe();

    // The picture is shown as soon as a worker has made its thumbnail.
    connect(&vorschau_, &QFutureWatcher<QImage>::finished, this,
            [this] { bild_->setPixmap(QPixmap::fromImage(vorschau_.result())); });
    vorschau_.setFuture(QtConcurrent::run(&lesepool(), vorschau, quelle, bild_->size()));
}

QString Wortdialog::wort() const
{
    return eingabe_->text();
}

// A word that cannot be a file name is refused; one too long for a button of
// the Auswahlbox is allowed, but the teacher is warned while typing.
void Wortdialog::pruefe()
{
    const QString wort = eingabe_->text();
    QString fehler = wort.isEmpty() ? QString() : wortFehler(wort);
    const bool warnung = fehler.isEmpty() && !passtAufKnopf(wort).value_or(true);
    if (warnung)
        fehler = QStringLiteral("Das Wort ist zu lang für einen Knopf der Auswahlbox: das Kind sieht es "
                                "dort abgeschnitten.");
    fehler_->setText(fehler);
    fehler_->setStyleSheet(warnung ? QStringLiteral("color: #8a5a00") : QStringLiteral("color: #b01010"));
    ok_->setEnabled(!wort.isEmpty() && (warnung || fehler.isEmpty()));
}

} // namespace kbb::fenster
