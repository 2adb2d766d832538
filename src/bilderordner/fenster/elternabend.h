#pragma once

#include "ergebnisse/auswertung.h"

namespace kbb::fenster {

// Writes a PDF for a parents' evening: one A4 page per child, so that each
// family sees its own child only. A page holds the child's rounds per level,
// the suggested level, its results over time and the words to practise.
// `auswahl` names the period and the computers the records were taken from.
// `weiter` is asked before each page (its number from 0) and may stop the
// writing. Gives whether the file was written whole.
bool schreibeElternabend(const QString& pfad, const QList<kb::erg::Kind>& kinder,
                         const QList<kb::erg::Datensatz>& saetze, const QString& auswahl,
                         const std::function<bool(int)>& weiter = {});

} // namespace kbb::fenster
