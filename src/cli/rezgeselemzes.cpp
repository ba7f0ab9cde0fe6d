#include "rezgeselemzes.h"

#include "tablakimenet.h"

#include "analysis/feldolgozas.h"
#include "analysis/tablazat.h"
#include "engine/szovegek.h"
#include "hibaszoveg.h"
#include "kilepes.h"
#include "kimenet.h"
#include "runtime/app.h"

#include <QStringList>

#include <atomic>
#include <thread>
#include <vector>

namespace RezgésElemzés {

const char* const Fejléc = "fájl;csatorna;ppv;idő;zc_frekvencia;fft_frekvencia;gyorsulás;"
                           "elmozdulás;határérték;kihasználtság;megítélés";
const char* const EseményFejléc =
    "fájl;esemény;kezdet;csatorna;ppv;idő;zc_frekvencia;fft_frekvencia;gyorsulás;elmozdulás;"
    "határérték;kihasználtság;megítélés";
const char* const IntervallumFejléc =
    "fájl;kezdet;csatorna;ppv;zc_frekvencia;határérték;kihasználtság;megítélés";

namespace {

// A number with a decimal comma and a fixed count of decimals, as the windows show it.
QByteArray szám(double érték, int tizedesek) {
    return Határérték::Szám(érték, tizedesek).toUtf8();
}

QByteArray mező(const QString& szöveg) {
    QByteArray bájtok = szöveg.toUtf8();
    if (bájtok.contains(';') || bájtok.contains('"') || bájtok.contains('\n') ||
        bájtok.contains('\r'))
        bájtok = '"' + bájtok.replace("\"", "\"\"") + '"';
    return bájtok;
}

struct Munka {
    QByteArray sorok;
    QStringList üzenetek;
    int állapot = 0;
    std::vector<Feldolgozás::Jelentéstétel> tételek; // for the report
    bool érzékenységHasznált = false;                // a channel was made mm/s with --erzekenyseg
};

// The file, and its station and continuous segment where it has them: "a.mseed (HU.BUD1.00,
// 2/3. folytonos szakasz, 2026-12-04T09:41:12.250Z-tól)".
QString névvel(const Rezgésjel::Felvétel& f) {
    QStringList mi;
    if (!f.állomás.isEmpty())
        mi << f.állomás;
    if (f.szakaszok > 0) {
        mi << f.szakaszNév();
        if (f.kezdetMikro)
            mi << QStringLiteral("%1-tól").arg(Elemzés::UtcIdő(*f.kezdetMikro));
    }
    return mi.isEmpty() ? f.fájl
                        : QStringLiteral("%1 (%2)").arg(f.fájl, mi.join(QStringLiteral(", ")));
}

Feldolgozás::Ítélés ítélés(const Kérés& kérés) {
    return {kérés.kategória, kérés.hely, kérés.módszer};
}

QByteArray kezdetMező(const Rezgésjel::Felvétel& f, qint64 mikro) {
    return f.kezdetMikro ? Elemzés::UtcIdő(mikro).toUtf8() : QByteArray();
}

void eseményekről(const Kérés& kérés, Feldolgozás::Feldolgozott& f, Munka& m) {
    for (Feldolgozás::ElemzettFelvétel& e : f.felvételek) {
        int túl = 0;
        for (const Elemzés::Esemény& es : e.események) {
            m.sorok += Sorok(es.felvétel, es.megállapítás,
                             QByteArray::number(es.sorszám) + ';' +
                                 kezdetMező(e.felvétel, es.ablak.kezdetMikro) + ';');
            túl += !es.megállapítás.megfelel;
        }
        const QString név = névvel(e.felvétel);
        const int legrosszabb = Elemzés::Legrosszabb(e.események);
        if (e.események.empty()) {
            m.üzenetek << (rt::App::Prefix() + QStringLiteral("%1: nincs esemény (küszöb %2 mm/s)"))
                              .arg(név, Határérték::BeállításSzám(*kérés.küszöb));
        } else {
            QString ü = (rt::App::Prefix() +
                         QStringLiteral("%1: %2 esemény (küszöb %3 mm/s), ebből %4 túllépi"))
                            .arg(név)
                            .arg(e.események.size())
                            .arg(Határérték::BeállításSzám(*kérés.küszöb))
                            .arg(túl);
            if (legrosszabb >= 0) {
                const Elemzés::Esemény& es = e.események[std::size_t(legrosszabb)];
                const Elemzés::Összetevő& d =
                    es.megállapítás.összetevők[std::size_t(es.megállapítás.döntő)];
                ü += QStringLiteral("; a legnagyobb kihasználtság a(z) %1. eseményé%2: %3 % (%4)")
                         .arg(es.sorszám)
                         .arg(e.felvétel.kezdetMikro ? QStringLiteral(" (%1)").arg(
                                                           Elemzés::UtcIdő(es.ablak.kezdetMikro))
                                                     : QString())
                         .arg(Határérték::Százalék(d.megítélés.kihasználtságTized()), d.név());
            }
            m.üzenetek << ü;
        }
        if (túl > 0)
            m.állapot = KilépésÖsszesít(m.állapot, Túllépi);
        else if (!e.események.empty() && legrosszabb < 0)
            m.állapot = KilépésÖsszesít(m.állapot, NincsMegítélve);
        if (!kérés.jelentés.isEmpty() && legrosszabb >= 0) {
            // the worst event's page, then the summary of them all
            const std::span<const Feldolgozás::Nézet> nézetek(e.nézetek);
            const int sorszám = legrosszabb + 1;
            m.tételek.push_back(Feldolgozás::Jelentéstételt(
                nézetek[std::size_t(sorszám)], nézetek.subspan(1), ítélés(kérés),
                kérés.adatok.állomásra(e.felvétel.állomás), *kérés.küszöb, sorszám));
        }
    }
}

void intervallumokról(const Kérés& kérés, const Feldolgozás::Feldolgozott& f, Munka& m) {
    for (const Feldolgozás::ElemzettFelvétel& e : f.felvételek) {
        const QByteArray fájl = mező(e.felvétel.fájl) + ';';
        int túl = 0;
        double legnagyobb = -1;
        QString hol;
        for (const Elemzés::Intervallum& iv : e.intervallumok) {
            const QByteArray kezdet = kezdetMező(e.felvétel, iv.kezdetMikro) + ';';
            for (const Elemzés::IntervallumCsúcs& cs : iv.csúcsok) {
                const Rezgésjel::Csatorna& csatorna = e.felvétel.csatornák[cs.csatorna];
                m.sorok += fájl + kezdet + mező(csatorna.kód.név()) + ';' + szám(cs.ppv, 3) + ';' +
                           (cs.zc ? szám(*cs.zc, 2) : QByteArray()) + ';';
                if (cs.megítélt) {
                    m.sorok += Határérték::SzázadSzöveg(cs.megítélés.határSzázad).toUtf8() + ';' +
                               Határérték::Százalék(cs.megítélés.kihasználtságTized()).toUtf8() +
                               ';';
                    Határérték::ÍtéletÍr(m.sorok, cs.megítélés);
                    túl += !cs.megítélés.megfelel;
                    if (cs.megítélés.kihasználtság > legnagyobb) {
                        legnagyobb = cs.megítélés.kihasználtság;
                        hol = QStringLiteral("%1 % (%2%3)")
                                  .arg(Határérték::Százalék(cs.megítélés.kihasználtságTized()),
                                       csatorna.kód.név(),
                                       e.felvétel.kezdetMikro
                                           ? QStringLiteral(", ") + Elemzés::UtcIdő(iv.kezdetMikro)
                                           : QString());
                    }
                } else {
                    m.sorok += ";;" + mező(cs.nemÍtéltMiért);
                }
                m.sorok += '\n';
            }
        }
        QString ü = (rt::App::Prefix() +
                     QStringLiteral("%1: %2 intervallum (%3 s), ebből %4 túllépő érték"))
                        .arg(névvel(e.felvétel))
                        .arg(e.intervallumok.size())
                        .arg(Határérték::BeállításSzám(*kérés.intervallum))
                        .arg(túl);
        if (!hol.isEmpty())
            ü += QStringLiteral("; a legnagyobb kihasználtság ") + hol;
        m.üzenetek << ü;
        if (túl > 0)
            m.állapot = KilépésÖsszesít(m.állapot, Túllépi);
        else if (!e.intervallumok.empty() && legnagyobb < 0)
            m.állapot = KilépésÖsszesít(m.állapot, NincsMegítélve);
    }
}

Munka egyFájl(const Kérés& kérés, const QString& fájl) {
    Munka m;
    const bool jelentés = !kérés.jelentés.isEmpty();
    Feldolgozás::Kérés k;
    k.kategória = kérés.kategória;
    k.hely = kérés.hely;
    k.módszer = kérés.módszer;
    k.beállítás = kérés.beállítás;
    k.rajzokkal = jelentés;
    k.egész = !kérés.küszöb && !kérés.intervallum;
    k.küszöb = kérés.küszöb;
    if (kérés.intervallum)
        k.intervallum = std::llround(*kérés.intervallum * 1e6);
    Feldolgozás::Feldolgozott f = Feldolgozás::Fájl(fájl, k);
    if (f.hiba) {
        m.üzenetek << rt::App::Prefix() + Parancssori::FelvételHiba(*f.hiba);
        m.állapot = HibásBemenet;
        return m;
    }
    int szakaszok = 0;
    for (const Feldolgozás::ElemzettFelvétel& e : f.felvételek) {
        szakaszok = std::max(szakaszok, e.felvétel.szakaszok);
        for (const Rezgésjel::Csatorna& cs : e.felvétel.csatornák)
            m.érzékenységHasznált = m.érzékenységHasznált || cs.érzékenységből;
    }
    if (szakaszok > 0) // never joined over a gap: each continuous segment is a record
        m.üzenetek << (rt::App::Prefix() +
                       QStringLiteral("%1: a felvételben hézag van; folytonos szakaszonként "
                                      "elemezve (%2 szakasz)"))
                          .arg(fájl)
                          .arg(szakaszok);
    // the particulars per station: one distance or sensor place for several is a fault, and a
    // section's own category or place judges whole records only
    QStringList állomások;
    bool sajátÍtélés = false;
    for (const Feldolgozás::ElemzettFelvétel& e : f.felvételek) {
        if (!e.felvétel.állomás.isEmpty() && !állomások.contains(e.felvétel.állomás))
            állomások << e.felvétel.állomás;
        const Mérésadatok a = kérés.adatok.állomásra(e.felvétel.állomás);
        sajátÍtélés = sajátÍtélés || a.kategória || a.hely;
    }
    auto hibás = [&](const QString& miért) {
        m.sorok.clear();
        m.üzenetek << (rt::App::Prefix() + QStringLiteral("%1: %2")).arg(fájl, miért);
        m.állapot = HibásBemenet;
        return m;
    };
    if (const QStringList közös = kérés.adatok.KözösTávolság(állomások); !közös.isEmpty())
        return hibás(QStringLiteral("több állomás felvétele, de az --adatok távolsága vagy az "
                                    "érzékelő helye csak közösen adott (%1): adja meg "
                                    "állomásonként, [NET.STA.LOC] szakaszban")
                         .arg(közös.join(QStringLiteral(", "))));
    if (sajátÍtélés && (kérés.küszöb || kérés.intervallum))
        return hibás(QStringLiteral("az --adatok szakaszának kategóriája vagy helye csak az "
                                    "--elemez egész felvételeire érvényes"));
    if (kérés.küszöb) {
        eseményekről(kérés, f, m);
        return m;
    }
    if (kérés.intervallum) {
        intervallumokról(kérés, f, m);
        return m;
    }
    for (Feldolgozás::ElemzettFelvétel& e : f.felvételek) {
        const Mérésadatok adatok = kérés.adatok.állomásra(e.felvétel.állomás);
        Feldolgozás::Ítélés saját = ítélés(kérés);
        saját.kategória = adatok.kategória.value_or(saját.kategória);
        saját.hely = adatok.hely.value_or(saját.hely);
        if (adatok.kategória || adatok.hely) // the station's section judges it
            Elemzés::Minősít(e.megállapítás, saját.kategória, saját.hely, saját.módszer);
        m.sorok += Sorok(e.felvétel, e.megállapítás);
        m.üzenetek << Összegzés(e.felvétel, e.megállapítás) +
                          (adatok.kategória ? QStringLiteral("; kategória az --adatok szerint: %1")
                                                  .arg(Határérték::KategóriaNév(saját.kategória))
                                            : QString());
        for (const QString& megjegyzés : Elemzés::MűszerMegjegyzések(e.felvétel, e.megállapítás))
            m.üzenetek << (rt::App::Prefix() + QStringLiteral("%1: %2"))
                              .arg(névvel(e.felvétel), megjegyzés);
        if (!e.felvétel.kihagyott.isEmpty())
            m.üzenetek << (rt::App::Prefix() +
                           QStringLiteral("%1: kihagyott csatornák (nem mérnek rezgést): %2"))
                              .arg(fájl, e.felvétel.kihagyott.join(QStringLiteral(", ")));
        if (!e.megállapítás.megfelel)
            m.állapot = KilépésÖsszesít(m.állapot, Túllépi);
        else if (e.megállapítás.döntő < 0)
            m.állapot = KilépésÖsszesít(m.állapot, NincsMegítélve);
        if (jelentés)
            m.tételek.push_back(
                Feldolgozás::Jelentéstételt(e.nézetek.front(), {}, saját, adatok, 0));
    }
    return m;
}

} // namespace

QByteArray Sorok(const Rezgésjel::Felvétel& f, const Elemzés::Megállapítás& e,
                 const QByteArray& elé) {
    QByteArray ki;
    const QByteArray fájl = mező(f.fájl) + ';' + elé;
    for (const Elemzés::Összetevő& ö : e.összetevők) {
        const Elemzés::Jellemzők& j = ö.jellemzők;
        if (!ö.sebesség()) { // listed, never judged against the vibration limit
            const bool gyorsulás = ö.mennyiség == Rezgésjel::Mennyiség::Gyorsulás && !ö.nyers;
            ki += fájl + mező(ö.név()) + ";;" + szám(e.kiírt(j.idő), 4) + ';' +
                  (j.zc ? szám(*j.zc, 2) : QByteArray()) + ';' +
                  (j.fft ? szám(*j.fft, 2) : QByteArray()) + ';' +
                  (gyorsulás ? szám(j.ppv, 3) : QByteArray()) + ";;;;" +
                  mező(Elemzés::NemSebesség(ö)) + '\n';
            continue;
        }
        // figures of an unknown unit are not written in mm/s, m/s² and mm
        const bool mm = !ö.egységIsmeretlen;
        ki += fájl + mező(ö.név()) + ';' + (mm ? szám(j.ppv, 3) : QByteArray()) + ';' +
              szám(e.kiírt(j.idő), 4) + ';' + (j.zc ? szám(*j.zc, 2) : QByteArray()) + ';' +
              (j.fft ? szám(*j.fft, 2) : QByteArray()) + ';' +
              (mm ? szám(j.gyorsulás, 3) : QByteArray()) + ';' +
              (mm ? szám(j.elmozdulás, 4) : QByteArray()) + ';';
        if (ö.megítélt) {
            const std::int64_t t = ö.megítélés.kihasználtságTized();
            ki += Határérték::SzázadSzöveg(ö.megítélés.határSzázad).toUtf8() + ';' +
                  Határérték::Százalék(t).toUtf8() + ';';
            Határérték::ÍtéletÍr(ki, ö.megítélés);
            ki +=
                (Elemzés::TúlvezérlésSzöveg(ö) + Elemzés::AlulbecslésSzöveg(ö, e.módszer)).toUtf8();
        } else {
            ki += ";;" + mező(ö.nemÍtéltMiért);
        }
        ki += '\n';
    }
    if (e.pvsVan)
        ki += fájl + "PVS;" + szám(e.pvs, 3) + ';' + szám(e.kiírt(e.pvsIdő), 4) + ";;;;;;;\n";
    else
        ki += fájl + "PVS;;;;;;;;;\n";
    return ki;
}

QString Összegzés(const Rezgésjel::Felvétel& f, const Elemzés::Megállapítás& e) {
    const QString név = névvel(f);
    if (e.döntő < 0) {
        const QString miért = Elemzés::NemÍtéltMiért(e);
        return (rt::App::Prefix() + QStringLiteral("%1: nincs megítélt összetevő%2"))
            .arg(név, miért.isEmpty() ? QString() : QStringLiteral(": ") + miért);
    }
    const Elemzés::Összetevő& d = e.összetevők[std::size_t(e.döntő)];
    return (rt::App::Prefix() + QStringLiteral("%1: %2: a legnagyobb kihasználtság %3 % (%4); %5"))
        .arg(név, QString::fromUtf8(Határérték::ÍtéletSzó(e.megfelel)),
             Határérték::Százalék(d.megítélés.kihasználtságTized()), d.név(),
             Elemzés::PvsSzöveg(e));
}

int Elemez(const Kérés& kérés, std::FILE* ki, std::FILE* hibák) {
    const std::size_t n = std::size_t(kérés.fájlok.size());
    std::vector<Munka> munkák(n);
    std::atomic<std::size_t> következő{0};
    auto dolgozó = [&] {
        for (std::size_t i; (i = következő++) < n;)
            munkák[i] = egyFájl(kérés, kérés.fájlok[qsizetype(i)]);
    };
    const std::size_t szálak =
        std::min<std::size_t>(n, std::max(1u, std::thread::hardware_concurrency()));
    std::vector<std::thread> futók;
    for (std::size_t i = 1; i < szálak; ++i)
        futók.emplace_back(dolgozó);
    dolgozó();
    for (std::thread& t : futók)
        t.join();

    FájlKimenet kimenet(ki);
    QByteArray szöveg = QByteArray(kérés.küszöb        ? EseményFejléc
                                   : kérés.intervallum ? IntervallumFejléc
                                                       : Fejléc) +
                        '\n';
    int állapot = 0;
    for (const Munka& m : munkák) {
        szöveg += m.sorok;
        állapot = KilépésÖsszesít(állapot, m.állapot);
    }
    if (!kérés.kimenet.isEmpty()) { // a spreadsheet instead of standard output
        if (const std::optional<QString> h = Táblakimenet::SzövegbőlÍr(kérés.kimenet, szöveg)) {
            SorKiír(hibák, rt::App::Prefix() +
                               QStringLiteral("%1: nem írható: %2").arg(kérés.kimenet, *h));
            return HibásBemenet;
        }
        SorKiír(hibák,
                rt::App::Prefix() + QStringLiteral("a táblázat elkészült: %1").arg(kérés.kimenet));
    } else if (!kimenet.ír(szöveg)) {
        SorKiír(hibák, rt::App::Prefix() + Parancssori::FelvételHiba(ÍrásiHiba(
                                               QStringLiteral("kimenet"), kimenet.hiba())));
        return HibásBemenet;
    }
    for (const Munka& m : munkák)
        for (const QString& ü : m.üzenetek)
            SorKiír(hibák, ü);
    // a sensitivity that no file's counts took: the user meant another file, or floats
    if (kérés.beállítás.érzékenység &&
        std::none_of(munkák.begin(), munkák.end(), [](const Munka& m) {
            return m.érzékenységHasznált || m.állapot == HibásBemenet;
        }))
        SorKiír(hibák, rt::App::Prefix() +
                           QStringLiteral("az --erzekenyseg értékét egyik felvétel sem használta "
                                          "(egyikben sincs count sebességminta)"));
    if (!kérés.jelentés.isEmpty()) {
        if (állapot == HibásBemenet) {
            SorKiír(hibák, (rt::App::Prefix() +
                            QStringLiteral("%1: a jelentés nem készült el, mert nem minden "
                                           "felvétel volt megítélhető"))
                               .arg(kérés.jelentés));
            return HibásBemenet;
        }
        std::vector<Feldolgozás::Jelentéstétel> tételek;
        for (Munka& m : munkák)
            for (Feldolgozás::Jelentéstétel& t : m.tételek)
                tételek.push_back(std::move(t));
        if (const std::optional<Hiba> h = kérés.jelentésíró->ír(kérés.jelentés, tételek)) {
            SorKiír(hibák, rt::App::Prefix() + Parancssori::FelvételHiba(*h));
            return HibásBemenet;
        }
        SorKiír(hibák, (rt::App::Prefix() + QStringLiteral("a jelentés elkészült: %1 (%2 oldal)"))
                           .arg(kérés.jelentés)
                           .arg(kérés.jelentésíró->oldalszám(tételek)));
    }
    return állapot;
}

} // namespace RezgésElemzés
