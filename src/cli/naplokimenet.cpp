#include "naplokimenet.h"

#include "engine/szovegek.h"

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
    Határérték::TizedesÍr(puffer_, érték, tizedesek, tizedesjel_);
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
    Határérték::ÍtéletÍr(puffer_, m);
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
