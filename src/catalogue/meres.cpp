#include "meres.h"

#include "analysis/tablazat.h"
#include "engine/szovegek.h"

namespace Katalógus {

namespace {

Mérés mérés(const Rezgésjel::Felvétel& f, const Elemzés::Megállapítás& e, int sorszám, int esemény,
            const Mérésadatok& adatok) {
    Mérés m;
    m.pont = f.állomás;
    m.sorszám = sorszám;
    m.esemény = esemény;
    m.kezdetMikro = f.kezdetMikro;
    if (f.kezdetMikro) {
        const Elemzés::Szakasz sz = Elemzés::Teljes(f);
        m.végMikro = sz.végMikro;
        if (e.indítás)
            m.indításMikro = *f.kezdetMikro + qint64(std::llround(*e.indítás * 1e6));
    }
    m.mintavétel = f.mintavétel;
    m.mintaszám = qint64(f.mintaszám);
    m.módszer = int(e.módszer);
    for (const Elemzés::Összetevő& ö : e.összetevők) {
        Komponens k;
        k.csatorna = ö.név();
        k.mennyiség = int(ö.mennyiség);
        const Elemzés::Jellemzők& j = ö.jellemzők;
        if (!ö.nyers && !ö.egységIsmeretlen)
            k.ppv = j.ppv;
        k.idő = e.kiírt(j.idő);
        k.zc = j.zc;
        k.fft = j.fft;
        if (ö.sebesség() && !ö.egységIsmeretlen) {
            k.gyorsulás = j.gyorsulás;
            k.elmozdulás = j.elmozdulás;
        }
        if (ö.megítélt) {
            k.határSzázad = ö.megítélés.határSzázad;
            k.kihasználtságTized = ö.megítélés.kihasználtságTized();
            k.ítélet = Elemzés::ÍtéletCella(ö, e.módszer);
        } else if (!ö.sebesség()) {
            k.ítélet = Elemzés::NemSebesség(ö);
            if (ö.mennyiség == Rezgésjel::Mennyiség::Nyomás && !ö.nyers)
                m.légnyomás = std::max(m.légnyomás.value_or(0), j.ppv);
        } else {
            k.ítélet = ö.nemÍtéltMiért.isEmpty() ? Határérték::NincsMegítélve() : ö.nemÍtéltMiért;
        }
        m.komponensek.push_back(std::move(k));
    }
    if (e.pvsVan)
        m.pvs = e.pvs;
    if (e.döntő >= 0) {
        const Elemzés::Összetevő& d = e.összetevők[std::size_t(e.döntő)];
        m.ítélet = e.megfelel ? Ítélet::Megfelel : Ítélet::Túllépi;
        m.döntő = d.név();
        m.ppv = d.jellemzők.ppv;
        m.frekvencia = d.frekvencia(e.módszer);
        m.határSzázad = d.megítélés.határSzázad;
        m.kihasználtságTized = d.megítélés.kihasználtságTized();
    } else {
        m.miért = Elemzés::NemÍtéltMiért(e);
    }
    const Mérésadatok a = adatok.állomásra(f.állomás);
    m.távolság = a.távolság;
    m.töltet = a.töltet;
    m.arányosTávolság = a.arányosTávolság();
    return m;
}

} // namespace

std::vector<Mérés> Mérések(const Feldolgozás::Feldolgozott& feldolgozott,
                           const Mérésadatok& adatok) {
    std::vector<Mérés> ki;
    int sorszám = 0;
    for (const Feldolgozás::ElemzettFelvétel& e : feldolgozott.felvételek) {
        if (e.egészElemezve)
            ki.push_back(mérés(e.felvétel, e.megállapítás, sorszám, 0, adatok));
        else
            for (const Elemzés::Esemény& es : e.események)
                ki.push_back(mérés(es.felvétel, es.megállapítás, sorszám, es.sorszám, adatok));
        ++sorszám;
    }
    return ki;
}

} // namespace Katalógus
