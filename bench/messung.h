#pragma once

// Small helpers shared by the benchmark programs: medians, memory readings and a
// uniform way to print a figure next to its target.
#include <QFile>
#include <QString>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace bench {

inline double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    if (v.empty())
        return 0;
    const std::size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2.0;
}

// A field of /proc/self/status in kilobytes (VmRSS, VmHWM, ...); 0 where unknown.
inline long statusKb(const char* field)
{
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    const QByteArray key = QByteArray(field) + ':';
    for (const QByteArray& line : f.readAll().split('\n'))
        if (line.startsWith(key))
            return line.mid(key.size()).trimmed().split(' ').value(0).toLong();
    return 0;
}

// Prints one figure: what, the value, the target and whether it is met.
inline void figure(const char* what, double value, const char* unit, const char* target, bool met)
{
    std::printf("%-58s %10.2f %-4s target %-18s %s\n", what, value, unit, target, met ? "met" : "NOT MET");
    std::fflush(stdout);
}

} // namespace bench
