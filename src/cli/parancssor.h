#pragma once

#include "rezgeselemzes.h"

#include <QStringList>

#include <cstdio>

// The command line, the program's name first: with arguments the program opens no window
// (it runs with no display at all) and answers from the same model as the window.
// Returns the exit status. `jelentésíró` writes the reports (--jelentes); without it the
// command line writes none. The output goes to `ki`, the summaries and faults to `hibák`.
int Parancssor(const QStringList& argumentumok,
               const RezgésElemzés::Jelentésíró* jelentésíró = nullptr, std::FILE* ki = stdout,
               std::FILE* hibák = stderr);
// Whether the arguments ask for a report, which is drawn (off screen, but with fonts).
bool JelentéstKér(const QStringList& argumentumok);
