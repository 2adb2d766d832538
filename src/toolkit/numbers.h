#pragma once

#include "toolkit/runtimeerror.h"

#include <QString>
#include <cstdint>
#include <optional>
#include <vector>

namespace tk {

// Floating point to integer: nearest whole number, an exact half to the even
// neighbour (0.5 -> 0, 1.5 -> 2, 2.5 -> 2). Outside the range: overflow.
std::int16_t CInt(double value);
std::int32_t CLng(double value);

// The integer part of a number, rounded down (toward minus infinity).
double Int(double value);

// Reading numbers typed by a person: blanks around the number are ignored, the
// decimal separator is that of the user's regional settings. Text that is not a
// number is a type mismatch, a number out of range an overflow.
double CDbl(const QString& text);
std::int16_t CIntText(const QString& text);

// A 16-bit signed integer whose arithmetic is checked: a result that leaves the
// range -32768..32767 is an overflow, exactly as the counters of the game expect.
class Integer {
public:
    constexpr Integer() = default;
    constexpr Integer(std::int16_t v) : value_(v) {}

    constexpr std::int16_t value() const { return value_; }
    constexpr operator std::int16_t() const { return value_; }

    friend Integer operator+(Integer a, Integer b) { return checked(int(a.value_) + int(b.value_)); }
    friend Integer operator-(Integer a, Integer b) { return checked(int(a.value_) - int(b.value_)); }
    friend Integer operator*(Integer a, Integer b) { return checked(int(a.value_) * int(b.value_)); }
    Integer& operator+=(Integer b) { return *this = *this + b; }
    Integer& operator-=(Integer b) { return *this = *this - b; }

    // Decimal digits, a minus sign only for negative numbers, no leading blank.
    QString str() const { return QString::number(value_); }

private:
    static Integer checked(int r)
    {
        if (r < INT16_MIN || r > INT16_MAX)
            throw RuntimeError::overflow();
        return Integer(static_cast<std::int16_t>(r));
    }
    std::int16_t value_ = 0;
};

// A dynamic array with lower bound 0 that may hold no array at all. Reading or
// writing outside the bounds, or any element while there is no array, is a
// "subscript out of range" error.
template <typename T> class DynArray {
public:
    bool hasArray() const { return data_.has_value(); }
    // Upper bound; only meaningful while an array is held.
    int UBound() const
    {
        if (!data_)
            throw RuntimeError::subscriptOutOfRange();
        return int(data_->size()) - 1;
    }
    // Re-dimensions to 0..upper, keeping the elements that remain in range.
    void ReDimPreserve(int upper)
    {
        if (upper < 0)
            throw RuntimeError::subscriptOutOfRange();
        if (!data_)
            data_.emplace();
        data_->resize(std::size_t(upper) + 1);
    }
    void Erase() { data_.reset(); }

    T& operator()(double index) { return at(index); }
    const T& operator()(double index) const { return const_cast<DynArray*>(this)->at(index); }

private:
    T& at(double index)
    {
        const std::int32_t i = CLng(index);
        if (!data_ || i < 0 || std::size_t(i) >= data_->size())
            throw RuntimeError::subscriptOutOfRange();
        return (*data_)[std::size_t(i)];
    }
    std::optional<std::vector<T>> data_;
};

} // namespace tk
