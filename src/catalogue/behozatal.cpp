#include "behozatal.h"

#include "engine/kategoriak.h"
#include "engine/szovegek.h"
#include "tablameres.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>

#include <map>

namespace Katalógus {

namespace {

// How the samples were read, kept with the file so that a measurement can be judged again.
QString beállításSzöveg(const Behozatal& b) {
    QJsonObject o;
    if (b.beállítás.egység)
        o.insert(QStringLiteral("egyseg_mm_s"), *b.beállítás.egység);
    if (b.beállítás.érzékenység)
        o.insert(QStringLiteral("erzekenyseg_count_mm_s"), *b.beállítás.érzékenység);
    if (b.beállítás.mintavétel)
        o.insert(QStringLiteral("mintavetel"), *b.beállítás.mintavétel);
    if (!b.beállítás.időzóna.isEmpty())
        o.insert(QStringLiteral("idozona"), QString::fromUtf8(b.beállítás.időzóna));
    if (b.beállítás.függőleges)
        o.insert(QStringLiteral("fuggoleges"), *b.beállítás.függőleges);
    o.insert(QStringLiteral("modszer"),
             b.módszer == Elemzés::Módszer::FFT ? QStringLiteral("fft") : QStringLiteral("zc"));
    return QString::fromUtf8(QJsonDocument(o).toJson(QJsonDocument::Compact));
}

FájlEredmény hibás(Hiba h) {
    FájlEredmény e;
    e.katalógus = std::move(h);
    return e;
}

// The point of a station's records (its code `kód`) put in `pontok`: the catalogue's, with the
// coordinates given now, or a new one with the category given for it; the fault otherwise.
std::optional<Hiba> pontFelvesz(Katalógusfájl& katalógus, const QString& kód,
                                const QString& állomás, const Behozatal& b,
                                std::map<QString, Pont>& pontok,
                                const Mérésadatok* exportáltak = nullptr) {
    if (pontok.count(kód))
        return std::nullopt;
    const Mérésadatok a = b.adatok.állomásra(állomás);
    const std::optional<int> kategória = a.kategória ? a.kategória : b.kategória;
    const std::optional<Elemzés::Hely> hely = a.hely ? a.hely : b.hely;
    std::optional<qint64> óra; // the instrument clock's offset, µs
    // the sensor, instrument and calibration: the particulars', else the export's own
    const auto adat = [&](QString Mérésadatok::*mi) {
        return !(a.*mi).isEmpty() || !exportáltak ? a.*mi : exportáltak->*mi;
    };
    if (a.óraEltérés)
        óra = std::llround(*a.óraEltérés * 1e6);
    auto tárolt = katalógus.pont(kód);
    if (Hiba* h = std::get_if<Hiba>(&tárolt))
        return *h;
    const std::optional<Pont>& p = std::get<std::optional<Pont>>(tárolt);
    if (p) {
        if ((kategória && *kategória != p->kategória) || (hely && int(*hely) != p->hely))
            return Hiba({Hiba::Fajta::Ellentmondás,
                         QStringLiteral("a(z) %1 pont a katalógusban %2, %3; a megadott "
                                        "%4, %5")
                             .arg(kód, Határérték::KategóriaNév(p->kategória),
                                  Határérték::HelyNév(Elemzés::Hely(p->hely)),
                                  Határérték::KategóriaNév(kategória.value_or(p->kategória)),
                                  Határérték::HelyNév(hely.value_or(Elemzés::Hely(p->hely))))});
        Pont ismert = *p; // with the coordinates given now, for one that had none
        ismert.eovY = a.eovY;
        ismert.eovX = a.eovX;
        ismert.szélesség = a.szélesség;
        ismert.hosszúság = a.hosszúság;
        ismert.óraEltérésMikro = óra;
        ismert.érzékelő = adat(&Mérésadatok::érzékelő);
        ismert.műszer = adat(&Mérésadatok::műszer);
        ismert.kalibrálás = adat(&Mérésadatok::kalibrálás);
        pontok[kód] = ismert;
    } else {
        if (!kategória)
            return Hiba{Hiba::Fajta::Ellentmondás,
                        QStringLiteral("a(z) %1 pont új a katalógusban: adja meg az "
                                       "épület kategóriáját (--kategoria, vagy az "
                                       "--adatok [%1] szakaszában)")
                            .arg(kód)};
        pontok[kód] = Pont{kód,
                           *kategória,
                           int(hely.value_or(Elemzés::Hely::Alap)),
                           a.eovY,
                           a.eovX,
                           a.szélesség,
                           a.hosszúság,
                           óra,
                           adat(&Mérésadatok::érzékelő),
                           adat(&Mérésadatok::műszer),
                           adat(&Mérésadatok::kalibrálás)};
    }
    return std::nullopt;
}

// The file's measurements stored whole with its bytes; `eredmény` says what became of them.
FájlEredmény tárol(Katalógusfájl& katalógus, const QString& fájl, const QByteArray& bájtok,
                   const Behozatal& b, const std::vector<Pont>& pontok, std::vector<Mérés> mérések,
                   FájlEredmény eredmény) {
    auto tárolás =
        katalógus.felvesz(QFileInfo(fájl).fileName(), bájtok, beállításSzöveg(b), pontok, mérések);
    if (Hiba* h = std::get_if<Hiba>(&tárolás))
        return hibás(*h);
    eredmény.mi = std::get<Katalógusfájl::Eredmény>(tárolás) == Katalógusfájl::Eredmény::Felvéve
                      ? FájlEredmény::Mi::Felvéve
                      : FájlEredmény::Mi::MárBenne;
    if (eredmény.mi == FájlEredmény::Mi::Felvéve)
        eredmény.mérések = std::move(mérések);
    return eredmény;
}

// A summary table: each row a measurement of its point (the table's, else the one given),
// judged by the point's building and place; stored whole or not at all.
FájlEredmény táblátFelvesz(Katalógusfájl& katalógus, const QString& fájl, const QByteArray& bájtok,
                           const Behozatal& b) {
    FájlEredmény eredmény;
    auto olvasott = Összesítő::Olvas(bájtok, fájl, b.beállítás.egység);
    if (::Hiba* h = std::get_if<::Hiba>(&olvasott)) {
        eredmény.olvasás = *h;
        return eredmény;
    }
    const std::vector<Összesítő::Sor>& sorok = std::get<std::vector<Összesítő::Sor>>(olvasott);
    std::map<QString, Pont> pontok;
    std::vector<Mérés> mérések;
    for (const Összesítő::Sor& sor : sorok) {
        const QString kód = sor.pont.isEmpty() ? b.pont : sor.pont;
        if (kód.isEmpty())
            return hibás({Hiba::Fajta::Ellentmondás,
                          QStringLiteral("a táblázat %1. sora nem nevez meg mérési pontot: adja "
                                         "meg a --pont kapcsolóval")
                              .arg(sor.sor)});
        if (std::optional<Hiba> h = pontFelvesz(katalógus, kód, sor.pont, b, pontok))
            return hibás(*h);
        const Pont& p = pontok[kód];
        mérések.push_back(TáblaMérés(sor, int(sor.sor), kód, p.kategória, p.hely));
    }
    std::vector<Pont> pontLista;
    for (const auto& [kód, p] : pontok)
        pontLista.push_back(p);
    eredmény.megjegyzések << QStringLiteral("összesítő táblázat: %1 sor").arg(sorok.size());
    return tárol(katalógus, fájl, bájtok, b, pontLista, std::move(mérések), std::move(eredmény));
}

struct Elemzett {
    std::vector<Pont> pontok;
    std::vector<Mérés> mérések;
    QStringList megjegyzések;
};

// A record file's measurements, each station judged by its point's building (the catalogue's
// for a known one, else the one given), with the points; or the fault.
std::variant<Elemzett, FájlEredmény> rekordMérései(Katalógusfájl& katalógus, const QString& fájl,
                                                   const QByteArray& bájtok, const Behozatal& b) {
    Elemzett ki;
    Feldolgozás::Kérés k;
    k.módszer = b.módszer;
    k.beállítás = b.beállítás;
    k.beállítás.érzékenységKésőbb = true;
    k.egész = true;
    k.egészHatár = Feldolgozás::HosszúFelvétel;
    k.küszöb = Elemzés::AlapKüszöb;
    k.csakHosszúEseményei = true;
    Feldolgozás::Feldolgozott feldolgozott = Feldolgozás::Bájtok(bájtok, fájl, k);
    if (feldolgozott.hiba && feldolgozott.hiba->fajta == ::Hiba::Fajta::ÉrzékenységKell) {
        // counts with no sensitivity: each record kept whole in counts, not judged (no events
        // found on a threshold in mm/s), until a sensitivity is given
        k.érzékenységNélkülIs = true;
        k.egészHatár.reset();
        k.küszöb.reset();
        k.csakHosszúEseményei = false;
        feldolgozott = Feldolgozás::Bájtok(bájtok, fájl, k);
    }
    if (feldolgozott.hiba) {
        FájlEredmény e;
        e.olvasás = feldolgozott.hiba;
        return e;
    }

    // each station's point: the catalogue's category for a known one, else the given one
    std::map<QString, Pont> pontok;
    for (Feldolgozás::ElemzettFelvétel& e : feldolgozott.felvételek) {
        const QString állomás = e.felvétel.állomás;
        const QString kód = állomás.isEmpty() ? b.pont : állomás;
        if (kód.isEmpty())
            return hibás({Hiba::Fajta::Ellentmondás,
                          QStringLiteral("a felvétel nem nevez meg állomást: adja meg a "
                                         "mérési pontot a --pont kapcsolóval")});
        if (std::optional<Hiba> h =
                pontFelvesz(katalógus, kód, állomás, b, pontok,
                            e.felvétel.műszer ? &e.felvétel.műszer->adatok : nullptr))
            return hibás(*h);
        // judged by its point's building
        const Pont& p = pontok[kód];
        e.felvétel.állomás = kód;
        if (e.egészElemezve)
            Elemzés::Minősít(e.megállapítás, p.kategória, Elemzés::Hely(p.hely), b.módszer);
        for (Elemzés::Esemény& es : e.események) {
            es.felvétel.állomás = kód;
            Elemzés::Minősít(es.megállapítás, p.kategória, Elemzés::Hely(p.hely), b.módszer);
        }
        if (e.felvétel.szakaszok > 0 && e.felvétel.szakasz == 1)
            ki.megjegyzések << QStringLiteral("a felvételben hézag van; folytonos "
                                              "szakaszonként felvéve (%1 szakasz)")
                                   .arg(e.felvétel.szakaszok);
        if (!e.felvétel.kihagyott.isEmpty())
            ki.megjegyzések << QStringLiteral("kihagyott csatornák (nem mérnek rezgést): %1")
                                   .arg(e.felvétel.kihagyott.join(QStringLiteral(", ")));
    }
    std::vector<Mérés> mérések = Mérések(feldolgozott, b.adatok);
    for (Mérés& m : mérések) {
        const Pont& p = pontok[m.pont];
        m.kategória = p.kategória;
        m.hely = p.hely;
    }
    for (const auto& [kód, p] : pontok)
        ki.pontok.push_back(p);
    ki.mérések = std::move(mérések);
    return ki;
}

} // namespace

Olvasásmód BeállításOlvas(const QString& tárolt) {
    const QJsonObject o = QJsonDocument::fromJson(tárolt.toUtf8()).object();
    Olvasásmód m;
    auto szám = [&](const char* kulcs) -> std::optional<double> {
        const QJsonValue v = o.value(QLatin1String(kulcs));
        return v.isDouble() ? std::optional<double>(v.toDouble()) : std::nullopt;
    };
    m.beállítás.egység = szám("egyseg_mm_s");
    m.beállítás.érzékenység = szám("erzekenyseg_count_mm_s");
    m.beállítás.mintavétel = szám("mintavetel");
    m.beállítás.időzóna = o.value(QStringLiteral("idozona")).toString().toUtf8();
    if (const std::optional<double> f = szám("fuggoleges"))
        m.beállítás.függőleges = int(*f);
    if (o.value(QStringLiteral("modszer")).toString() == QStringLiteral("fft"))
        m.módszer = Elemzés::Módszer::FFT;
    return m;
}

FájlEredmény FájltFelvesz(Katalógusfájl& katalógus, const QString& fájl, const Behozatal& b) {
    FájlEredmény eredmény;
    QFile f(fájl);
    const QFileInfo info(fájl);
    if (!info.exists() || info.isDir() || !f.open(QIODevice::ReadOnly)) {
        ::Hiba h;
        h.fájl = fájl;
        h.fajta = !info.exists() ? ::Hiba::Fajta::NincsFájl
                  : info.isDir() ? ::Hiba::Fajta::Mappa
                                 : ::Hiba::Fajta::NemOlvasható;
        h.részlet = f.errorString();
        eredmény.olvasás = h;
        return eredmény;
    }
    const QByteArray bájtok = f.readAll();
    auto benne = katalógus.benne(bájtok); // in already: not read again
    if (Hiba* h = std::get_if<Hiba>(&benne))
        return hibás(*h);
    if (std::get<bool>(benne)) {
        eredmény.mi = FájlEredmény::Mi::MárBenne;
        return eredmény;
    }
    if (Összesítő::Felismer(bájtok))
        return táblátFelvesz(katalógus, fájl, bájtok, b);
    auto elemzett = rekordMérései(katalógus, fájl, bájtok, b);
    if (FájlEredmény* e = std::get_if<FájlEredmény>(&elemzett))
        return *e;
    Elemzett& e = std::get<Elemzett>(elemzett);
    eredmény.megjegyzések = e.megjegyzések;
    std::vector<Mérés> mérések = std::move(e.mérések);
    return tárol(katalógus, fájl, bájtok, b, e.pontok, std::move(mérések), std::move(eredmény));
}

std::variant<std::vector<std::pair<QString, FájlEredmény>>, Hiba>
ÚjraMegítél(Katalógusfájl& katalógus, const QString& pont, const Behozatal& adott) {
    auto fájlok = katalógus.megítéletlenFájlok(pont);
    if (Hiba* h = std::get_if<Hiba>(&fájlok))
        return *h;
    // each file's point, for records that name no station of their own
    auto sorok = katalógus.lista({});
    if (Hiba* h = std::get_if<Hiba>(&sorok))
        return *h;
    std::map<qint64, QString> pontja;
    for (const ListaSor& s : std::get<std::vector<ListaSor>>(sorok))
        pontja.emplace(s.fájlId, s.mérés.pont);
    std::vector<std::pair<QString, FájlEredmény>> ki;
    for (const qint64 id : std::get<std::vector<qint64>>(fájlok)) {
        auto eredeti = katalógus.eredeti(id);
        if (Hiba* h = std::get_if<Hiba>(&eredeti)) {
            ki.push_back({QString::number(id), hibás(*h)});
            continue;
        }
        const Eredeti& e = std::get<Eredeti>(eredeti);
        // the stored reading, with what is given now in its place
        const Olvasásmód tárolt = BeállításOlvas(e.beállítás);
        Behozatal b = adott;
        b.módszer = tárolt.módszer;
        b.kategória.reset(); // the points are the catalogue's
        b.hely.reset();
        b.pont = pontja[id];
        Rezgésjel::Beállítás& r = b.beállítás;
        const Rezgésjel::Beállítás& t = tárolt.beállítás;
        if (!r.egység)
            r.egység = t.egység;
        if (!r.érzékenység)
            r.érzékenység = t.érzékenység;
        if (!r.mintavétel)
            r.mintavétel = t.mintavétel;
        if (r.időzóna.isEmpty())
            r.időzóna = t.időzóna;
        if (!r.függőleges)
            r.függőleges = t.függőleges;
        auto elemzett = rekordMérései(katalógus, e.név, e.bájtok, b);
        if (FájlEredmény* f = std::get_if<FájlEredmény>(&elemzett)) {
            ki.push_back({e.név, *f});
            continue;
        }
        Elemzett& m = std::get<Elemzett>(elemzett);
        FájlEredmény f;
        f.megjegyzések = m.megjegyzések;
        auto csere = katalógus.újraFelvesz(id, beállításSzöveg(b), m.mérések);
        if (Hiba* h = std::get_if<Hiba>(&csere)) {
            f.katalógus = *h;
        } else {
            f.mi = FájlEredmény::Mi::Felvéve;
            f.mérések = std::move(m.mérések);
        }
        ki.push_back({e.név, std::move(f)});
    }
    return ki;
}

} // namespace Katalógus
