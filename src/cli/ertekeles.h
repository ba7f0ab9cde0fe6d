#pragma once

#include "kilepes.h"

#include <QString>

#include <cstdio>

class Kimenet;
namespace Szöveg {
class Forrás;
}

// Evaluates measured events against the foundation limit: a CSV or TSV log whose header
// row names the columns frekvencia (Hz), sebesség (mm/s) and kategória, each row written
// out again with the limit, the utilisation and the verdict. See Értékelés::Súgó.
namespace Értékelés {

// What the help says of the evaluation: the columns, the curve, the formats.
QString Súgó();

// Reads the file (or standard input for "-"), writes the rows to `ki` and a one-line
// summary or the error to `hibák`. A regular file is checked whole before anything is
// written, so a file that cannot be evaluated leaves the output empty; a stream is
// written in whole rows, up to the row before a fault.
int Értékel(const QString& fájl, std::FILE* ki, std::FILE* hibák);

// The same from an open source, for callers in the same process: the rows to `ki`, the
// summary or the error (without the program's name) to `üzenet`.
int Értékel(Szöveg::Forrás& forrás, const QString& név, Kimenet& ki, QString* üzenet);

} // namespace Értékelés
