#include "naplokimenet.h"

#include <cerrno>
#include <charconv>
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

SorÍró::SorÍró(Kimenet& ki, Szöveg::Kódolás kódolás, QByteArrayView sorvég, char elválasztó,
               char tizedesjel)
    : ki_(ki), kódoló_(kódolás), sorvég_(sorvég.toByteArray()), elválasztó_(elválasztó),
      tizedesjel_(tizedesjel) {
    puffer_.reserve(1 << 17);
}

void SorÍró::szám(std::int64_t érték, int tizedesek) {
    // a decimal mark that is also the separator needs quotes
    const bool idézőjel = tizedesjel_ == elválasztó_;
    if (idézőjel)
        puffer_ += '"';
    if (érték < 0) {
        puffer_ += '-';
        érték = -érték;
    }
    const std::int64_t osztó = tizedesek == 2 ? 100 : 10;
    char jegyek[24];
    const auto vége = std::to_chars(jegyek, jegyek + sizeof jegyek, érték / osztó).ptr;
    puffer_.append(jegyek, vége - jegyek);
    puffer_ += tizedesjel_;
    const std::int64_t tört = érték % osztó;
    if (tizedesek == 2)
        puffer_ += char('0' + tört / 10);
    puffer_ += char('0' + tört % 10);
    if (idézőjel)
        puffer_ += '"';
}

bool SorÍró::fejléc(QByteArrayView sor) {
    puffer_.append(sor.data(), sor.size());
    for (const char* új : ÚjOszlopok) {
        puffer_ += elválasztó_;
        puffer_ += új;
    }
    return sorVége();
}

bool SorÍró::sor(QByteArrayView sor, const Határérték::Megítélés& m) {
    puffer_.append(sor.data(), sor.size());
    puffer_ += elválasztó_;
    szám(m.határSzázad, 2);
    puffer_ += elválasztó_;
    szám(m.kihasználtságTized(), 1);
    puffer_ += elválasztó_;
    puffer_ += m.megfelel ? Megfelel : Túllépi;
    if (m.százHzFeletti)
        puffer_ += SzázFeletti;
    return sorVége();
}

bool SorÍró::sorVége() {
    puffer_ += sorvég_;
    return puffer_.size() < (1 << 16) || kiürít();
}

bool SorÍró::kiürít() {
    QByteArrayView ki = puffer_;
    if (eleje_ || kódoló_.átalakít()) { // UTF-8 in and out after the start: as they are
        kódolt_.clear();
        if (eleje_)
            kódolt_ += kódoló_.eleje();
        eleje_ = false;
        kódoló_.kódol(puffer_, kódolt_);
        ki = kódolt_;
    }
    const bool rendben = ki.isEmpty() || ki_.ír(ki);
    puffer_.clear();
    return rendben;
}
