#include "feldolgozas.h"

#include "readers/rezgesjel.h"

namespace Feldolgozás {

namespace {

// An event's window, or a span, analysed with its samples: drawn, then the samples go.
Nézet nézetté(Elemzés::Esemény e) {
    Nézet n;
    n.rajzok = Rajz::Rajzadatok(e.felvétel);
    e.felvétel.mintákElenged();
    n.felvétel = std::move(e.felvétel);
    n.megállapítás = std::move(e.megállapítás);
    n.ablak = e.ablak;
    n.sorszám = e.sorszám;
    return n;
}

void lépés(const Kérés& kérés, Lépés l) {
    if (kérés.lépésre)
        kérés.lépésre(l);
}

ElemzettFelvétel felvételt(Rezgésjel::Felvétel felvétel, const Kérés& kérés) {
    ElemzettFelvétel e;
    const Elemzés::Szakasz teljes = Elemzés::Teljes(felvétel);
    e.hosszú =
        kérés.egészHatár && double(teljes.végMikro - teljes.kezdetMikro) / 1e6 > *kérés.egészHatár;
    e.egészElemezve = kérés.egész && !e.hosszú;
    if (e.egészElemezve)
        e.megállapítás = Elemzés::Elemez(felvétel, kérés.kategória, kérés.hely, kérés.módszer);
    if (kérés.küszöb && !(kérés.csakHosszúEseményei && e.egészElemezve)) {
        lépés(kérés, Lépés::Eseménykeresés);
        e.események = Elemzés::Események(felvétel, *kérés.küszöb, kérés.kategória, kérés.hely,
                                         kérés.módszer, kérés.rajzokkal);
        if (kérés.csakHosszúEseményei && e.események.empty()) {
            // none: the whole record is all there is to show
            e.megállapítás = Elemzés::Elemez(felvétel, kérés.kategória, kérés.hely, kérés.módszer);
            e.egészElemezve = true;
        }
    }
    if (kérés.intervallum)
        e.intervallumok =
            Elemzés::Intervallumok(felvétel, *kérés.intervallum, kérés.kategória, kérés.hely);
    if (kérés.rajzokkal) {
        lépés(kérés, Lépés::Rajzolás);
        Nézet egész;
        egész.rajzok = Rajz::Rajzadatok(felvétel, e.egészElemezve);
        egész.megállapítás = e.megállapítás;
        egész.ablak = teljes;
        egész.elemezve = e.egészElemezve;
        e.nézetek.push_back(std::move(egész));
        for (Elemzés::Esemény& es : e.események) {
            Nézet n = nézetté(std::move(es));
            es.felvétel = n.felvétel;
            es.megállapítás = n.megállapítás;
            e.nézetek.push_back(std::move(n));
        }
    }
    if (kérés.mintákMegtartva && e.hosszú) {
        e.felvétel = felvétel.fejléc();
        e.minták = std::make_shared<const Rezgésjel::Felvétel>(std::move(felvétel));
    } else {
        felvétel.mintákElenged();
        e.felvétel = std::move(felvétel);
    }
    if (kérés.rajzokkal)
        e.nézetek.front().felvétel = e.felvétel;
    return e;
}

Feldolgozott elemez(Rezgésjel::Olvasás olvasott, const Kérés& kérés) {
    Feldolgozott f;
    if (olvasott.hiba) {
        f.hiba = std::move(olvasott.hiba);
        return f;
    }
    // counts that still wait for their sensitivity are never analysed as velocities, nor
    // (when a unit is asked for) floats that wait for their unit
    for (const Rezgésjel::Felvétel& felvétel : olvasott.felvételek) {
        for (const Rezgésjel::Csatorna& cs : felvétel.csatornák) {
            const bool egység = kérés.egységetKér && cs.egységIsmeretlen &&
                                !kérés.egységNélkül.contains(cs.kód.állomásNév());
            if ((!cs.érzékenységreVár || kérés.érzékenységNélkülIs) && !egység)
                continue;
            Hiba h;
            h.fajta = egység ? Hiba::Fajta::EgységKell : Hiba::Fajta::ÉrzékenységKell;
            h.fájl = felvétel.fájl;
            h.csatorna = cs.kód.név();
            h.állomás = cs.kód.állomásNév();
            h.részlet = egység ? QStringLiteral("a minták mértékegységét semmi sem adja meg")
                               : QStringLiteral("a minták egész számok (count)");
            f.hiba = std::move(h);
            f.válaszraVár = std::move(olvasott.felvételek);
            return f;
        }
    }
    for (Rezgésjel::Felvétel& felvétel : olvasott.felvételek) {
        if (kérés.megszakítva && *kérés.megszakítva)
            return {};
        f.felvételek.push_back(felvételt(std::move(felvétel), kérés));
    }
    return f;
}

} // namespace

Feldolgozott Fájl(const QString& fájl, const Kérés& kérés) {
    lépés(kérés, Lépés::Olvasás);
    return elemez(Rezgésjel::FájlOlvas(fájl, kérés.beállítás), kérés);
}

Feldolgozott Felvételekből(std::vector<Rezgésjel::Felvétel> felvételek, const Kérés& kérés) {
    Rezgésjel::Olvasás o;
    for (Rezgésjel::Felvétel& felvétel : felvételek) {
        if (std::optional<Hiba> h = Rezgésjel::ÉrzékenységetAlkalmaz(felvétel, kérés.beállítás)) {
            o.hiba = std::move(h);
            Feldolgozott f = elemez(std::move(o), kérés);
            f.válaszraVár = std::move(felvételek);
            return f;
        }
    }
    o.felvételek = std::move(felvételek);
    return elemez(std::move(o), kérés);
}

Feldolgozott Bájtok(QByteArray bájtok, const QString& név, const Kérés& kérés) {
    return elemez(Rezgésjel::Olvas(std::move(bájtok), név, kérés.beállítás), kérés);
}

Nézet Egészet(const Rezgésjel::Felvétel& minták, int kategória, Elemzés::Hely hely,
              Elemzés::Módszer módszer) {
    Nézet n;
    n.megállapítás = Elemzés::Elemez(minták, kategória, hely, módszer);
    n.rajzok = Rajz::Rajzadatok(minták);
    n.felvétel = minták.fejléc();
    n.ablak = Elemzés::Teljes(minták);
    return n;
}

Nézet Szakaszt(const Rezgésjel::Felvétel& minták, const Elemzés::Szakasz& szakasz, int kategória,
               Elemzés::Hely hely, Elemzés::Módszer módszer) {
    return nézetté(Elemzés::SzakaszElemez(minták, szakasz, kategória, hely, módszer));
}

int LegrosszabbNézet(const ElemzettFelvétel& felvétel) {
    const int i = Elemzés::Legrosszabb(felvétel.események);
    return i < 0 ? -1 : i + 1;
}

} // namespace Feldolgozás
