#pragma once

#include <QString>

#include <cstdio>

// Evaluates measured events against the foundation limit: a CSV file with a header row
// naming the columns frekvencia (Hz), sebesség (mm/s) and kategória, each row written
// out again with the limit, the utilisation and the verdict. See Értékelés::Súgó.
namespace Értékelés {

inline constexpr qint64 FájlKorlát = 64LL * 1024 * 1024; // the largest input accepted

enum Kilépés { Megfelel = 0, Túllépi = 1, HibásBemenet = 2 };

// What the help says of the evaluation: the columns, the rounding, the range.
QString Súgó();

// Reads the file (or standard input for "-"), writes the rows to `ki` and a one-line
// summary or the error to `hibák`. A regular file is checked whole before anything is
// written, so a file that cannot be evaluated leaves the output empty.
int Értékel(const QString& fájl, std::FILE* ki, std::FILE* hibák);

} // namespace Értékelés
