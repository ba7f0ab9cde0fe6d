#include "kimenet.h"

#include <cerrno>
#include <cstring>

bool FájlKimenet::ír(QByteArrayView bájtok) {
    errno = 0;
    const std::size_t n = std::fwrite(bájtok.data(), 1, std::size_t(bájtok.size()), fájl_);
    if (n != std::size_t(bájtok.size()) || std::fflush(fájl_) != 0 || std::ferror(fájl_)) {
        hiba_ = errno ? QString::fromLocal8Bit(std::strerror(errno))
                      : QStringLiteral("ismeretlen hiba");
        return false;
    }
    return true;
}

void SorKiír(std::FILE* hova, const QString& szöveg) {
    std::fputs(szöveg.toUtf8().constData(), hova);
    std::fputc('\n', hova);
}
