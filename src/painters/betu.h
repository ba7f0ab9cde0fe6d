#pragma once

#include <QFont>
#include <QString>

namespace Rajz {

// "MS Sans Serif" where the system has it, otherwise the metric-similar sans-serif
// that the program carries with it.
QString Betűcsalád();
QFont Betű(double pointSize);

} // namespace Rajz
