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
// done (rowsReady); run(), on another thread, makes every row of the enlargement
// as soon as the rows it needs are there. The decoded rows go round a small
// ring, so the decoded picture is never held whole. At a board, where a child's
// photo is shown 1.8 times as large, the enlargement thus costs hardly more
// than the decoding alone.
class Enlargement {
public:
    // Enlarges `source`, which must stay alive and keep its size while run()
    // runs; `to` is at least as large as the source in both directions.
    Enlargement(const QImage& source, QSize to);
    // Enlarges a picture of `source` pixels still to be decoded, as RGB32.
    Enlargement(QSize source, QSize to);
    Enlargement(const Enlargement&) = delete;
    Enlargement& operator=(const Enlargement&) = delete;

    // Called by the decoding thread: where row `y` goes. Waits while the ring
    // is full. The rows must be announced in bands of at most 32.
    quint32* rowToFill(int y);
    // Called by the decoding thread: the rows above `rows` are complete.
    void rowsReady(int rows);
    // Called by the decoding thread when it gives up: run() returns at once.
    void abandon();

    // Makes the enlargement, waiting for rows as they come; returns false when
    // the decoding was abandoned.
    bool run();
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
    bool enlarge();
    void rowsDoneWith(int rows);

    // Read through plain pointers: the decoding thread goes on writing later
    // rows meanwhile. Row y lies at (y % sourceRows_) * sourceStride_.
    std::vector<quint32> ring_;
    const uchar* sourceBits_;
    qsizetype sourceStride_;
    int sourceRows_;
    QImage result_;
    std::vector<Step> across_, down_;
    std::vector<quint32> widened_[2];
    int widenedRow_[2] = {-1, -1};
    std::atomic<int> ready_{0};
    std::atomic<int> doneWith_{0}; // the rows above it are no longer needed
};

// The whole picture enlarged at once, on this thread.
QImage enlarged(const QImage& source, QSize to);

} // namespace tk
