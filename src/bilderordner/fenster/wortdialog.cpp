#include "bilderordner/fenster/wortdialog.h"

#include "bilderordner/fenster/lesepool.h"
#include "bilderordner/fenster/vorschaubilder.h"
#include "bilderordner/kern/hinzufuegen.h"

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
        new QLabel(QStringLiteral("Welches Wort gehört zu „%1“? So steht es später auf der Wahltafel.")
                       .arg(QFileInfo(quelle).fileName()),
                   this);
    frage->setWordWrap(true);
    bild_->setFixedSize(160, 120);
    bild_->setAlignment(Qt::AlignCenter);
    eingabe_->setText(wortVorschlag(QFileInfo(quelle).fileName()));
    eingabe_->selectAll();
    eingabe_->setAccessibleName(QStringLiteral("Wort"));
    fehler_->setStyleSheet(QStringLiteral("color: #b01010"));
    fehler_->setWordWrap(true);
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

void Wortdialog::pruefe()
{
    const QString fehler = wortFehler(eingabe_->text());
    fehler_->setText(fehler);
    fehler_->setVisible(!fehler.isEmpty());
    ok_->setEnabled(fehler.isEmpty());
}

} // namespace kbb::fenster
