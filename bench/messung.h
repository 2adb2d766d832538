#pragma once

// Small helpers shared by the benchmark programs: medians, memory readings and a
// uniform way to print a figure next to its target.
#include "bildschirm.h"

#include <QFile>
#include <QString>
#include <QtGlobal>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

namespace bench {

// The value below which the share p (0 to 1) of the values lie, nearest rank.
inline double percentile(std::vector<double> v, double p)
{
    if (v.empty())
        return 0;
    std::sort(v.begin(), v.end());
    const double rank = std::ceil(p * double(v.size()));
    const std::size_t i = rank < 1 ? 0 : std::size_t(rank) - 1;
    return v[std::min(i, v.size() - 1)];
}

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

// Prints one figure: what, the value, the target and whether it is met. Every
// line that carries a target starts with "figure", so that a run of all
// benchmarks can collect them.
inline void figure(const char* what, double value, const char* unit, const char* target, bool met)
{
    std::printf("figure  %-62s %9.2f %-5s target %-14s %s\n", what, value, unit, target,
                met ? "met" : "NOT MET");
    std::fflush(stdout);
}

// Prints a figure that has no target of its own: the other side of a comparison,
// or a detail that explains a figure.
inline void detail(const char* what, double value, const char* unit)
{
    std::printf("        %-62s %9.2f %s\n", what, value, unit);
    std::fflush(stdout);
}

// The offscreen platform says for every window shown that it cannot raise it or
// pass on size hints; those lines would bury the figures. Everything else is
// printed as before.
inline QtMessageHandler vorigeAusgabe = nullptr;

void stillePlattform();

// What every benchmark does before its application object exists: the
// offscreen platform unless another is asked for, and a quiet one.
inline void vorbereiten()
{
    kbwerkzeug::offscreenWennNichtGewaehlt();
    stillePlattform();
}

inline void stillePlattform()
{
    vorigeAusgabe =
        qInstallMessageHandler([](QtMsgType type, const QMessageLogContext& context, const QString& text) {
            if (text.startsWith(QLatin1String("This plugin does not support")) ||
                text.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR")))
                return;
            vorigeAusgabe(type, context, text);
        });
}

inline void detail(const char* what, long count)
{
    std::printf("        %-62s %6ld\n", what, count);
    std::fflush(stdout);
}

} // namespace bench
