#pragma once

#include "readers/hiba.h"

// Faults as the windows word them: the remedy names what a person can do in the window,
// never a command-line option.
namespace Ablak {

QString Orvoslás(Hiba::Fajta fajta);
// The fault without the file's name (the message names the file before it).
QString HibaSzöveg(const Hiba& hiba);

} // namespace Ablak
