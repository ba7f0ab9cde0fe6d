#pragma once

#include "rezgeselemzes.h"

#include <QStringList>

// The command line, the program's name first: with arguments the program opens no window
// (it runs with no display at all) and answers from the same model as the window.
// Returns the exit status. `jelentésíró` writes the reports (--jelentes); without it the
// command line writes none.
int Parancssor(const QStringList& argumentumok,
               const RezgésElemzés::Jelentésíró* jelentésíró = nullptr);
// Whether the arguments ask for a report, which is drawn (off screen, but with fonts).
bool JelentéstKér(const QStringList& argumentumok);
