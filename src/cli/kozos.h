#pragma once

#include "model/rezgesmodell.h"

#include <QString>

#include <cstdio>

// What the command line's parts share: a line of text on an output, and the message for
// a category it does not know, naming the ones it does from the model's table.
inline void SorKiír(std::FILE* hova, const QString& szöveg) {
    std::fputs(szöveg.toUtf8().constData(), hova);
    std::fputc('\n', hova);
}

inline QString IsmeretlenKategória(const QString& szöveg) {
    return RezgésModell::IsmeretlenKategória(szöveg.trimmed());
}
