#include "bilderordner/fenster/vorschaubilder.h"

#include "toolkit/filenames.h"

#include <QDateTime>
#include <QFileInfo>
#include <QImageIOHandler>
#include <QImageReader>
#include <algorithm>

namespace kbb::fenster {

namespace {

// Background loading stops short of the cache's bound, so that it never pushes
// out the thumbnails on screen.
constexpr double HintergrundAnteil = 0.9;

qsizetype kosten(const QImage& bild)
{
    return std::max<qsizetype>(1, bild.sizeInBytes() / 1024);
}

} // namespace

QImage vorschau(const QString& pfad, QSize kasten)
{
    if (!tk::isRegularFile(pfad))
        return {};
    QImageReader reader(pfad);
    reader.setAutoTransform(true);
    const QSize gespeichert = reader.size();
    if (gespeichert.isValid() && !gespeichert.isEmpty()) {
        // The reader scales in stored orientation and turns afterwards.
        const bool gedreht = reader.transformation() & QImageIOHandler::TransformationRotate90;
        const QSize rahmen = gedreht ? kasten.transposed() : kasten;
        if (gespeichert.width() > rahmen.width() || gespeichert.height() > rahmen.height())
            reader.setScaledSize(gespeichert.scaled(rahmen, Qt::KeepAspectRatio).expandedTo(QSize(1, 1)));
    }
    QImage bild = reader.read();
    if (bild.isNull())
        return {};
    if (bild.width() > kasten.width() || bild.height() > kasten.height())
        bild = bild.scaled(kasten, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    return bild.convertToFormat(bild.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied
                                                       : QImage::Format_RGB32);
}

Vorschaubilder::Vorschaubilder(QSize kasten, qsizetype grenzeBytes, QObject* parent)
    : QObject(parent), kasten_(kasten)
{
    cache_.setMaxCost(grenzeBytes / 1024);
    // The user-interface thread keeps a core of its own on small machines.
    pool_.setMaxThreadCount(std::max(1, QThread::idealThreadCount() - 1));
}

Vorschaubilder::~Vorschaubilder()
{
    vorrang_.clear();
    hintergrund_.clear();
    pool_.waitForDone();
}

QString Vorschaubilder::schluessel(const QString& pfad) const
{
    const auto it = schluessel_.constFind(pfad);
    if (it != schluessel_.constEnd())
        return *it;
    const QFileInfo info(pfad);
    return pfad + QLatin1Char('|') + QString::number(info.lastModified().toMSecsSinceEpoch()) +
           QLatin1Char('|') + QString::number(info.size());
}

void Vorschaubilder::setzeDateien(const QStringList& pfade)
{
    schluessel_.clear();
    for (const QString& pfad : pfade)
        schluessel_.insert(pfad, QString());
    for (auto it = schluessel_.begin(); it != schluessel_.end(); ++it) {
        const QFileInfo info(it.key());
        *it = it.key() + QLatin1Char('|') + QString::number(info.lastModified().toMSecsSinceEpoch()) +
              QLatin1Char('|') + QString::number(info.size());
    }
    keinBild_.clear();
    vorrang_.clear();
    hintergrund_ = pfade;
    naechster_ = 0;
    starteArbeit();
}

QImage Vorschaubilder::bild(const QString& pfad)
{
    if (const QImage* b = cache_.object(schluessel(pfad)))
        return *b;
    if (!keinBild_.contains(pfad) && !inArbeit_.contains(pfad) &&
        std::find(vorrang_.begin(), vorrang_.end(), pfad) == vorrang_.end()) {
        vorrang_.push_back(pfad);
        starteArbeit();
    }
    return {};
}

bool Vorschaubilder::keinBild(const QString& pfad) const
{
    return keinBild_.contains(pfad);
}

bool Vorschaubilder::fertig() const
{
    return inArbeit_.isEmpty() && vorrang_.empty() && (naechster_ >= hintergrund_.size() || !hatPlatz());
}

qsizetype Vorschaubilder::belegteBytes() const
{
    return cache_.totalCost() * 1024;
}

bool Vorschaubilder::hatPlatz() const
{
    return cache_.totalCost() < qsizetype(double(cache_.maxCost()) * HintergrundAnteil);
}

bool Vorschaubilder::nimmAuf(const QString& pfad) const
{
    return !inArbeit_.contains(pfad) && !keinBild_.contains(pfad) && !cache_.contains(schluessel(pfad));
}

// Hands out work until every worker has a file: first what the view asked for,
// then the next files of the folder while the cache has room for them.
void Vorschaubilder::starteArbeit()
{
    while (inArbeit_.size() < pool_.maxThreadCount()) {
        QString pfad;
        while (pfad.isEmpty() && !vorrang_.empty()) {
            QString p = std::move(vorrang_.front());
            vorrang_.pop_front();
            if (nimmAuf(p))
                pfad = std::move(p);
        }
        while (pfad.isEmpty() && hatPlatz() && naechster_ < hintergrund_.size()) {
            const QString& p = hintergrund_.at(naechster_++);
            if (nimmAuf(p))
                pfad = p;
        }
        if (pfad.isEmpty())
            break;
        inArbeit_.insert(pfad);
        const QString s = schluessel(pfad);
        const QSize kasten = kasten_;
        pool_.start([this, pfad, s, kasten] {
            const QImage b = vorschau(pfad, kasten);
            QMetaObject::invokeMethod(
                this, [this, pfad, s, b] { angekommen(pfad, s, b); }, Qt::QueuedConnection);
        });
    }
    if (fertig())
        Q_EMIT alleFertig();
}

void Vorschaubilder::angekommen(const QString& pfad, const QString& schluessel, const QImage& bild)
{
    inArbeit_.remove(pfad);
    if (bild.isNull())
        keinBild_.insert(pfad);
    else
        cache_.insert(schluessel, new QImage(bild), kosten(bild));
    Q_EMIT bereit(pfad);
    starteArbeit();
}

} // namespace kbb::fenster
