#include "toolkit/enlargement.h"

#include <algorithm>
#include <cstring>

namespace tk {

namespace {

// Mixes two pixels, `weight` 256ths of the second: red and blue in one word,
// alpha and green in another, each channel with 16 bits of room.
inline quint32 mix(quint32 a, quint32 b, int weight)
{
    const quint32 w = quint32(weight);
    const quint32 v = 256 - w;
    const quint32 rb = (((a & 0x00FF00FFu) * v + (b & 0x00FF00FFu) * w) >> 8) & 0x00FF00FFu;
    const quint32 ag = (((a >> 8) & 0x00FF00FFu) * v + ((b >> 8) & 0x00FF00FFu) * w) & 0xFF00FF00u;
    return rb | ag;
}

// The same for two whole rows, byte by byte, which the compiler turns into
// vector instructions.
void mixRows(const uchar* a, const uchar* b, int weight, uchar* out, int bytes)
{
    if (weight == 0) {
        std::memcpy(out, a, std::size_t(bytes));
        return;
    }
    const auto w = quint16(weight);
    const auto v = quint16(256 - weight);
    for (int k = 0; k < bytes; ++k)
        out[k] = uchar(quint16(a[k] * v + b[k] * w) >> 8);
}

// How many decoded rows the ring holds: several bands of the rows the decoding
// thread announces at a time (32 at most), so that it seldom waits, and never
// waits for rows it has written but not yet announced.
constexpr int RingRows = 96;
constexpr int NoLongerReading = 1 << 29;

} // namespace

Enlargement::Enlargement(const QImage& source, QSize to)
    : sourceBits_(source.constBits()), sourceStride_(source.bytesPerLine()), sourceRows_(source.height()),
      result_(to, source.format()), resultBits_(result_.bits()), across_(steps(source.width(), to.width())),
      down_(steps(source.height(), to.height()))
{
    for (auto& row : widened_)
        row.resize(std::size_t(to.width()));
}

Enlargement::Enlargement(QSize source, QSize to, qreal ratio)
    : ring_(std::size_t(RingRows) * std::size_t(std::max(source.width(), 0))),
      sourceBits_(reinterpret_cast<const uchar*>(ring_.data())), sourceStride_(qsizetype(source.width()) * 4),
      sourceRows_(RingRows), result_(to, QImage::Format_RGB32), resultBits_(result_.bits()),
      across_(steps(source.width(), to.width())), down_(steps(source.height(), to.height()))
{
    for (auto& row : widened_)
        row.resize(std::size_t(to.width()));
    // Set before the picture is ever shared, so that it is never copied for it.
    result_.setDevicePixelRatio(ratio);
}

// Where each of `target` new pixels lies among `source` old ones: the centre of
// the new pixel i is at (i + 1/2) * source / target old pixels, counted in 256ths.
std::vector<Enlargement::Step> Enlargement::steps(int source, int target)
{
    std::vector<Step> s(std::size_t(std::max(target, 0)));
    for (int i = 0; i < target; ++i) {
        const qint64 at =
            std::max<qint64>((qint64(2 * i + 1) * source * 256) / (qint64(2) * target) - 128, 0);
        const int from = int(at >> 8);
        if (from >= source - 1)
            s[std::size_t(i)] = {source - 1, source - 1, 0};
        else
            s[std::size_t(i)] = {from, from + 1, int(at & 255)};
    }
    return s;
}

quint32* Enlargement::rowToFill(int y)
{
    int doneWith = doneWith_.load(std::memory_order_acquire);
    while (y >= doneWith + RingRows) {
        doneWith_.wait(doneWith, std::memory_order_acquire);
        doneWith = doneWith_.load(std::memory_order_acquire);
    }
    if (doneWith == NoLongerReading)
        return nullptr;
    return ring_.data() + std::size_t(y % RingRows) * std::size_t(sourceStride_ / 4);
}

void Enlargement::rowsDoneWith(int rows)
{
    if (rows <= doneWith_.load(std::memory_order_relaxed))
        return;
    doneWith_.store(rows, std::memory_order_release);
    doneWith_.notify_one();
}

void Enlargement::rowsReady(int rows)
{
    ready_.store(rows, std::memory_order_release);
    ready_.notify_one();
}

void Enlargement::abandon()
{
    ready_.store(-1, std::memory_order_release);
    ready_.notify_one();
}

bool Enlargement::waitForRows(int rows)
{
    int have = ready_.load(std::memory_order_acquire);
    while (have >= 0 && have < rows) {
        ready_.wait(have, std::memory_order_acquire);
        have = ready_.load(std::memory_order_acquire);
    }
    return have >= 0;
}

const quint32* Enlargement::sourceRow(int y) const
{
    return reinterpret_cast<const quint32*>(sourceBits_ + (y % sourceRows_) * sourceStride_);
}

// The source row `y` widened to the new width. The two rows a new row is mixed
// from are neighbours, so an even and an odd one are kept.
const quint32* Enlargement::widenedRow(int y)
{
    const std::size_t slot = std::size_t(y & 1);
    std::vector<quint32>& out = widened_[slot];
    if (widenedRow_[slot] != y) {
        const quint32* in = sourceRow(y);
        for (std::size_t i = 0; i < across_.size(); ++i)
            out[i] = mix(in[across_[i].from], in[across_[i].next], across_[i].weight);
        widenedRow_[slot] = y;
    }
    return out.data();
}

void Enlargement::stopReading()
{
    rowsDoneWith(NoLongerReading);
}

bool Enlargement::run()
{
    const bool done = enlargeTo(result_.height());
    // Whatever happened, the decoding thread must never wait for this one again.
    stopReading();
    return done;
}

bool Enlargement::enlargeTo(int rows)
{
    if (result_.isNull())
        return false;
    const int bytes = result_.width() * 4;
    for (; made_ < std::min(rows, result_.height()); ++made_) {
        const Step& step = down_[std::size_t(made_)];
        if (!waitForRows(step.next + 1))
            return false;
        const auto* a = reinterpret_cast<const uchar*>(widenedRow(step.from));
        const auto* b = reinterpret_cast<const uchar*>(widenedRow(step.next));
        mixRows(a, b, step.weight, resultBits_ + made_ * result_.bytesPerLine(), bytes);
        rowsDoneWith(step.from);
    }
    return true;
}

QImage enlarged(const QImage& source, QSize to)
{
    Enlargement e(source, to);
    e.rowsReady(source.height());
    return e.run() ? e.result() : QImage();
}

} // namespace tk
