#pragma once

#include <QImage>
#include <QSize>
#include <atomic>
#include <vector>

namespace tk {

// Enlarges a picture of 32-bit pixels (RGB32 or premultiplied ARGB32) smoothly:
// every new pixel lies between the four nearest pixels of the picture and is
// mixed from them by its distance (bilinear, pixel centres on pixel centres), so
// no pixel is repeated and none is invented.
//
// The picture may also be enlarged while it is being decoded: the decoding
// thread writes each row where rowToFill() says and then says how many rows are
// done (rowsReady); the enlarging thread makes the rows of the enlargement with
// enlargeTo() as soon as the rows they need are there, and may show each band
// at once. The decoded rows go round a small ring, so the decoded picture is
// never held whole. At a board, where a child's photo is shown 1.8 times as
// large, the enlargement thus costs hardly more than the decoding alone.
class Enlargement {
public:
    // Enlarges `source`, which must stay alive and keep its size while the
    // enlargement is made; `to` is at least as large as the source in both
    // directions.
    Enlargement(const QImage& source, QSize to);
    // Enlarges a picture of `source` pixels still to be decoded, as RGB32, for a
    // screen of `ratio` device pixels to a pixel.
    Enlargement(QSize source, QSize to, qreal ratio = 1.0);
    Enlargement(const Enlargement&) = delete;
    Enlargement& operator=(const Enlargement&) = delete;

    // Called by the decoding thread: where row `y` goes. Waits while the ring
    // is full; null once no more rows are made. The rows must be announced in
    // bands of at most 32.
    quint32* rowToFill(int y);
    // Called by the decoding thread: the rows above `rows` are complete.
    void rowsReady(int rows);
    // Called by the decoding thread when it gives up: enlargeTo() returns false
    // at once.
    void abandon();

    // Makes the rows of the enlargement above `rows` that are not made yet,
    // waiting for the decoded rows they need; false when the decoding was
    // abandoned.
    bool enlargeTo(int rows);
    // Says that no more rows will be made: the decoding thread never waits for
    // room in the ring again.
    void stopReading();
    // Makes the whole enlargement and stops reading.
    bool run();
    // The enlargement. Its rows are written in place, so a copy taken early
    // shows each row as it is made; the rows above the last enlargeTo() are final.
    QImage result() const { return result_; }

private:
    struct Step {
        int from;   // the nearer pixel before the new one
        int next;   // the one after it, or `from` again at the edge
        int weight; // of `next`, in 256ths
    };
    static std::vector<Step> steps(int source, int target);
    const quint32* sourceRow(int y) const;
    const quint32* widenedRow(int y);
    bool waitForRows(int rows);
    void rowsDoneWith(int rows);

    // Read through plain pointers: the decoding thread goes on writing later
    // rows meanwhile. Row y lies at (y % sourceRows_) * sourceStride_.
    std::vector<quint32> ring_;
    const uchar* sourceBits_;
    qsizetype sourceStride_;
    int sourceRows_;
    QImage result_;
    uchar* resultBits_; // written through this, so that sharing result_ copies nothing
    int made_ = 0;      // the rows of the enlargement made so far
    std::vector<Step> across_, down_;
    std::vector<quint32> widened_[2];
    int widenedRow_[2] = {-1, -1};
    std::atomic<int> ready_{0};
    std::atomic<int> doneWith_{0}; // the rows above it are no longer needed
};

// The whole picture enlarged at once, on this thread.
QImage enlarged(const QImage& source, QSize to);

} // namespace tk
