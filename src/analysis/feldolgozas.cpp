#include "feldolgozas.h"

#include "readers/rezgesjel.h"

namespace Feldolgozás {

namespace {

Feldolgozott elemez(Rezgésjel::Olvasás olvasott, const Kérés& kérés) {
    Feldolgozott f;
    if (olvasott.hiba) {
        f.hiba = std::move(olvasott.hiba);
        return f;
    }
    for (Rezgésjel::Felvétel& felvétel : olvasott.felvételek) {
        ElemzettFelvétel e;
        if (kérés.egész)
            e.megállapítás = Elemzés::Elemez(felvétel, kérés.kategória, kérés.hely, kérés.módszer);
        if (kérés.küszöb)
            e.események = Elemzés::Események(felvétel, *kérés.küszöb, kérés.kategória, kérés.hely,
                                             kérés.módszer, kérés.mintákkal);
        if (kérés.intervallum)
            e.intervallumok =
                Elemzés::Intervallumok(felvétel, *kérés.intervallum, kérés.kategória, kérés.hely);
        if (!kérés.mintákkal)
            felvétel.mintákElenged();
        e.felvétel = std::move(felvétel);
        f.felvételek.push_back(std::move(e));
    }
    return f;
}

} // namespace

Feldolgozott Fájl(const QString& fájl, const Kérés& kérés) {
    return elemez(Rezgésjel::FájlOlvas(fájl, kérés.beállítás), kérés);
}

Feldolgozott Bájtok(QByteArray bájtok, const QString& név, const Kérés& kérés) {
    return elemez(Rezgésjel::Olvas(std::move(bájtok), név, kérés.beállítás), kérés);
}

} // namespace Feldolgozás
