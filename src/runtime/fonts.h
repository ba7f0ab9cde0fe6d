#pragma once

#include <QFont>
#include <QString>

namespace rt {

// "MS Sans Serif" where the system has it, otherwise the metric-similar sans-serif
// that the program carries with it.
QString sansSerifFamily();
QFont sansSerifFont(double pointSize);

} // namespace rt
