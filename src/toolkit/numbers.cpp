#include "toolkit/numbers.h"

#include <QLocale>
#include <cmath>
#include <limits>

namespace tk {

namespace {

// Rounds to the nearest whole number with ties to even, independent of the
// floating-point environment the caller left behind.
double roundHalfEven(double value)
{
    const double floor = std::floor(value);
    const double diff = value - floor;
    if (diff > 0.5)
        return floor + 1.0;
    if (diff < 0.5)
        return floor;
    return std::fmod(floor, 2.0) == 0.0 ? floor : floor + 1.0;
}

template <typename I> I toInteger(double value)
{
    if (!std::isfinite(value))
        throw RuntimeError::overflow();
    const double r = roundHalfEven(value);
    if (r < double(std::numeric_limits<I>::min()) || r > double(std::numeric_limits<I>::max()))
        throw RuntimeError::overflow();
    return static_cast<I>(r);
}

} // namespace

std::int16_t CInt(double value)
{
    return toInteger<std::int16_t>(value);
}

std::int32_t CLng(double value)
{
    return toInteger<std::int32_t>(value);
}

double Int(double value)
{
    return std::floor(value);
}

double CDbl(const QString& text)
{
    const QString trimmed = text.trimmed();
    bool ok = false;
    const double value = QLocale().toDouble(trimmed, &ok);
    if (ok && std::isfinite(value))
        return value;
    throw RuntimeError::typeMismatch();
}

std::int16_t CIntText(const QString& text)
{
    return CInt(CDbl(text));
}

} // namespace tk
