#pragma once

#include <QString>

#include <cstdio>

// What the command line's parts share: a line of text on an output.
inline void SorKiír(std::FILE* hova, const QString& szöveg) {
    std::fputs(szöveg.toUtf8().constData(), hova);
    std::fputc('\n', hova);
}
