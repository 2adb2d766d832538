#include "bilderordner/fenster/bilddialog.h"

#include "bilderordner/fenster/lesepool.h"
#include "bilderordner/fenster/vorschaubilder.h"

#include <QDir>
#include <QFileDialog>
#include <QFutureWatcher>
#include <QGridLayout>
#include <QLabel>
#include <QtConcurrent/QtConcurrentRun>

namespace kbb::fenster {

namespace {

constexpr QSize VorschauGroesse{200, 150};

// Shows the picture the teacher points at; a worker decodes it, so that a large
// photo never holds up the dialog.
void baueVorschau(QFileDialog* d)
{
    auto* bild = new QLabel(QStringLiteral("Keine Vorschau"), d);
    bild->setObjectName(QStringLiteral("vorschau"));
    bild->setFixedSize(VorschauGroesse);
    bild->setAlignment(Qt::AlignCenter);
    bild->setFrameShape(QFrame::StyledPanel);
    bild->setToolTip(QStringLiteral("Vorschau des ausgewählten Bildes"));
    auto* laden = new QFutureWatcher<QImage>(d);
    QObject::connect(laden, &QFutureWatcher<QImage>::finished, bild, [bild, laden] {
        const QImage b = laden->result();
        if (b.isNull())
            bild->setText(QStringLiteral("Kein Bild"));
        else
            bild->setPixmap(QPixmap::fromImage(b));
    });
    QObject::connect(d, &QFileDialog::currentChanged, bild, [bild, laden](const QString& pfad) {
        bild->setPixmap({});
        bild->setText(QStringLiteral("Keine Vorschau"));
        if (QFileInfo(pfad).isFile())
            laden->setFuture(QtConcurrent::run(&lesepool(), vorschau, pfad, VorschauGroesse));
    });
    if (auto* raster = qobject_cast<QGridLayout*>(d->layout()))
        raster->addWidget(bild, 1, raster->columnCount(), 1, 1, Qt::AlignTop);
}

} // namespace

QFileDialog* bildDialog(QWidget* parent, const QString& titel, bool mehrere)
{
    auto* d = new QFileDialog(parent, titel, QDir::homePath(),
                              QStringLiteral("Bilder (*.jpg *.jpeg *.png *.gif *.bmp *.JPG *.JPEG *.PNG);;"
                                             "Alle Dateien (*)"));
    d->setAttribute(Qt::WA_DeleteOnClose);
    d->setOption(QFileDialog::DontUseNativeDialog);
    d->setFileMode(mehrere ? QFileDialog::ExistingFiles : QFileDialog::ExistingFile);
    baueVorschau(d);
    return d;
}

QFileDialog* ordnerDialog(QWidget* parent, const QString& titel, const QString& start)
{
    auto* d = new QFileDialog(parent, titel, start);
    d->setAttribute(Qt::WA_DeleteOnClose);
    d->setFileMode(QFileDialog::Directory);
    d->setOption(QFileDialog::ShowDirsOnly);
    return d;
}

} // namespace kbb::fenster
