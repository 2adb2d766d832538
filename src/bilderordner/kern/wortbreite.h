#pragma once

#include <QString>
#include <optional>

namespace kbb {

// Whether the word fits on a word button of the answer boards, measured in the
// board's own font. None without a QGuiApplication, which fonts need.
std::optional<bool> passtAufKnopf(const QString& wort);

} // namespace kbb
