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
    // counts that still wait for their sensitivity are never analysed as velocities
    for (const Rezgésjel::Felvétel& felvétel : olvasott.felvételek) {
        for (const Rezgésjel::Csatorna& cs : felvétel.csatornák) {
            if (!cs.érzékenységreVár)
                continue;
            Hiba h;
            h.fajta = Hiba::Fajta::ÉrzékenységKell;
            h.fájl = felvétel.fájl;
            h.csatorna = cs.kód.név();
            h.állomás = cs.kód.állomásNév();
            h.részlet = QStringLiteral("a minták egész számok (count)");
            f.hiba = std::move(h);
            f.érzékenységreVár = std::move(olvasott.felvételek);
            return f;
        }
    }
    for (Rezgésjel::Felvétel& felvétel : olvasott.felvételek) {
        ElemzettFelvétel e;
        const Elemzés::Szakasz teljes = Elemzés::Teljes(felvétel);
        e.egészElemezve = kérés.egész &&
                          (!kérés.egészHatár ||
                           double(teljes.végMikro - teljes.kezdetMikro) / 1e6 <= *kérés.egészHatár);
        if (e.egészElemezve)
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

Feldolgozott Felvételekből(std::vector<Rezgésjel::Felvétel> felvételek, const Kérés& kérés) {
    Rezgésjel::Olvasás o;
    for (Rezgésjel::Felvétel& felvétel : felvételek) {
        if (std::optional<Hiba> h = Rezgésjel::ÉrzékenységetAlkalmaz(felvétel, kérés.beállítás)) {
            o.hiba = std::move(h);
            Feldolgozott f = elemez(std::move(o), kérés);
            f.érzékenységreVár = std::move(felvételek);
            return f;
        }
    }
    o.felvételek = std::move(felvételek);
    return elemez(std::move(o), kérés);
}

Feldolgozott Bájtok(QByteArray bájtok, const QString& név, const Kérés& kérés) {
    return elemez(Rezgésjel::Olvas(std::move(bájtok), név, kérés.beállítás), kérés);
}

} // namespace Feldolgozás
