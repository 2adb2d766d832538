#pragma once

#include <QCache>
#include <QHash>
#include <QImage>
#include <QObject>
#include <QSet>
#include <QSize>
#include <QStringList>
#include <QThreadPool>
#include <deque>

namespace kbb::fenster {

// Decodes a thumbnail in any thread: the picture turned as the camera says and
// scaled to fit `kasten`, never up. JPEG files are decoded at reduced size by
// libjpeg itself (an eighth of a 12-megapixel photo is 500 x 375 pixels), not
// decoded whole and then scaled. A null image for a file that is no picture;
// a pipe or a device is never opened.
QImage vorschau(const QString& pfad, QSize kasten);

// The thumbnails of a folder. They are decoded in worker threads, those asked
// for by the view (the ones it paints) before all others, and the rest in the
// folder's order while the cache has room. The cache is bounded in bytes; the
// least recently painted thumbnails leave it first and are decoded again when
// they come back into view. Everything but the decoding happens in the thread
// this object lives in.
class Vorschaubilder : public QObject {
    Q_OBJECT
public:
    Vorschaubilder(QSize kasten, qsizetype grenzeBytes, QObject* parent = nullptr);
    ~Vorschaubilder() override;

    QSize kasten() const { return kasten_; }

    // The files to load in the background, in this order. Thumbnails already
    // made stay in the cache as long as the file is unchanged.
    void setzeDateien(const QStringList& pfade);
    // The thumbnail if it is ready. If not, it is decoded ahead of the rest and
    // `bereit` says when. A null image both while waiting and for no picture:
    // `keinBild` tells them apart.
    QImage bild(const QString& pfad);
    bool keinBild(const QString& pfad) const;
    // Neither decoding nor waiting to be decoded.
    bool fertig() const;
    qsizetype belegteBytes() const;

Q_SIGNALS:
    void bereit(const QString& pfad);
    void alleFertig();

private:
    void starteArbeit();
    bool nimmAuf(const QString& pfad) const;
    bool hatPlatz() const;
    void angekommen(const QString& pfad, const QString& schluessel, const QImage& bild);
    QString schluessel(const QString& pfad) const;

    QSize kasten_;
    QThreadPool pool_;
    QCache<QString, QImage> cache_; // by path and modification time, cost in kilobytes
    QSet<QString> keinBild_;
    QSet<QString> inArbeit_;
    std::deque<QString> vorrang_;
    QStringList hintergrund_;
    qsizetype naechster_ = 0;
    QHash<QString, QString> schluessel_; // path to cache key for the current listing
};

} // namespace kbb::fenster
