#include "katalogusparancs.h"

#include "analysis/tablazat.h"
#include "catalogue/kampanymodell.h"
#include "catalogue/sema.h"
#include "catalogue/statisztika.h"
#include "engine/kategoriak.h"
#include "engine/szovegek.h"
#include "hibaszoveg.h"
#include "kilepes.h"
#include "kimenet.h"
#include "readers/robbantasnaplo.h"
#include "runtime/app.h"
#include "tablakimenet.h"

#include <QDateTime>
#include <QTimeZone>

namespace KatalógusParancs {

const char* const ListaFejléc =
    "pont;robbantás;idő_utc;idő_helyi;távolság;töltet;arányos_távolság;komponens;ppv;"
    "frekvencia;pvs;légnyomás_db;határérték;kihasználtság;megítélés;fájl;esemény;azonosító";

const char* const StatisztikaFejléc =
    "pont;hónap;mérések;robbantások;túllépések;nincs_megítélve;legnagyobb_kihasználtság;hol;"
    "ppv_p50;ppv_p95;kihasználtság_p50;kihasználtság_p95;50%_fölött;80%_fölött;100%_fölött";

namespace {

using O = Táblakimenet::Oszlop;
using F = Táblakimenet::Oszlop::Fajta;
const std::vector<O> ListaOszlopok = {
    {nullptr, F::Szöveg}, {nullptr, F::Szöveg}, {nullptr, F::Szöveg}, {nullptr, F::Időpont},
    {u"m", F::Szám},      {u"kg", F::Szám},     {u"m/kg½", F::Szám},  {nullptr, F::Szöveg},
    {u"mm/s", F::Szám},   {u"Hz", F::Szám},     {u"mm/s", F::Szám},   {u"dB(L)", F::Szám},
    {u"mm/s", F::Szám},   {u"%", F::Szám},      {nullptr, F::Szöveg}, {nullptr, F::Szöveg},
    {nullptr, F::Egész}};
const std::vector<O> StatisztikaOszlopok = {
    {nullptr, F::Szöveg}, {nullptr, F::Szöveg}, {nullptr, F::Egész}, {nullptr, F::Egész},
    {nullptr, F::Egész},  {nullptr, F::Egész},  {u"%", F::Szám},     {nullptr, F::Szöveg},
    {u"mm/s", F::Szám},   {u"mm/s", F::Szám},   {u"%", F::Szám},     {u"%", F::Szám},
    {nullptr, F::Egész},  {nullptr, F::Egész},  {nullptr, F::Egész}};

const QTimeZone& magyarIdő() {
    static const QTimeZone zóna(QByteArrayLiteral("Europe/Budapest"));
    return zóna;
}

QString katalógusHiba(const QString& katalógus, const Katalógus::Hiba& h) {
    return rt::App::Prefix() + QStringLiteral("%1: %2").arg(katalógus, h.részlet);
}

QByteArray szám(const std::optional<double>& v, int tizedesek) {
    return v ? Határérték::Szám(*v, tizedesek).toUtf8() : QByteArray();
}

QByteArray mező(const QString& s) {
    QString t = s;
    t.replace(u';', u',').replace(u'\n', u' ');
    return t.toUtf8();
}

QByteArray sor(const Katalógus::ListaSor& s) {
    const Katalógus::Mérés& m = s.mérés;
    const std::optional<qint64> idő = m.indításMikro ? m.indításMikro : m.kezdetMikro;
    QByteArray ki = mező(m.pont) + ';' + mező(s.robbantás) + ';';
    if (idő) {
        ki += Elemzés::UtcIdő(*idő).toUtf8() + ';' +
              QDateTime::fromMSecsSinceEpoch(*idő / 1000, magyarIdő())
                  .toString(QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz"))
                  .toUtf8() +
              ';';
    } else {
        ki += ";;";
    }
    ki += szám(m.távolság, 1) + ';' + szám(m.töltet, 2) + ';' + szám(m.arányosTávolság, 2) + ';' +
          mező(m.döntő) + ';' + szám(m.ppv, 3) + ';' + szám(m.frekvencia, 2) + ';' +
          szám(m.pvs, 3) + ';';
    if (m.légnyomás && *m.légnyomás > 0)
        ki += Határérték::Szám(Elemzés::DecibelL(*m.légnyomás), 1).toUtf8();
    ki += ';';
    if (m.határSzázad)
        ki += Határérték::SzázadSzöveg(int(*m.határSzázad)).toUtf8();
    ki += ';';
    if (m.kihasználtságTized)
        ki += Határérték::Százalék(*m.kihasználtságTized).toUtf8();
    ki += ';';
    ki += mező(Katalógus::ÍtéletSzöveg(m));
    ki += ';' + mező(s.fájl) + ';' + (m.esemény > 0 ? QByteArray::number(m.esemény) : QByteArray());
    ki += ';' + QByteArray::number(s.id); // the key --kizar names
    return ki + '\n';
}

} // namespace

std::variant<std::unique_ptr<Katalógus::Katalógusfájl>, QString> Megnyit(const QString& cím,
                                                                         bool írásra) {
    QString miért;
    const std::optional<Katalógus::Cím> c = Katalógus::CímOlvas(cím, &miért);
    if (!c)
        return rt::App::Prefix() + miért;
    auto k = Katalógus::Katalógusfájl::Megnyit(*c, írásra);
    if (auto* h = std::get_if<Katalógus::Hiba>(&k))
        return katalógusHiba(c->név(), *h);
    return std::move(std::get<std::unique_ptr<Katalógus::Katalógusfájl>>(k));
}

std::optional<qint64> Időpont(const QString& szöveg, bool vége) {
    const QString s = szöveg.trimmed();
    const QDate nap = QDate::fromString(s, Qt::ISODate);
    if (nap.isValid() && s.size() == 10)
        return QDateTime(vége ? nap.addDays(1) : nap, QTime(0, 0), magyarIdő())
                   .toMSecsSinceEpoch() *
               1000;
    return Robbantásnapló::Időpont(s); // a time, read as a blast log's
}

int Felvesz(const Felvétel& kérés, std::FILE* hibák) {
    auto megnyitott = Megnyit(kérés.katalógus, true);
    if (const QString* h = std::get_if<QString>(&megnyitott)) {
        SorKiír(hibák, *h);
        return HibásBemenet;
    }
    Katalógus::Katalógusfájl& k = *std::get<std::unique_ptr<Katalógus::Katalógusfájl>>(megnyitott);
    int állapot = Megfelel;
    // the site, where the particulars name it outside any point's section
    const Mérésadatok& hely = kérés.behozatal.adatok;
    if (const std::optional<Katalógus::Hiba> h =
            k.helyszínBeállít(hely.helyszín, hely.megrendelő, hely.megjegyzés)) {
        SorKiír(hibák, katalógusHiba(k.cím().név(), *h));
        return HibásBemenet;
    }
    bool újMérés = false, megítélt = false;
    if (!kérés.robbantások.isEmpty()) {
        auto napló = Robbantásnapló::FájlOlvas(kérés.robbantások);
        if (const Hiba* h = std::get_if<Hiba>(&napló)) {
            SorKiír(hibák, rt::App::Prefix() + Parancssori::FelvételHiba(*h));
            return HibásBemenet;
        }
        int márBenne = 0;
        auto felvett = k.robbantásokFelvesz(std::get<std::vector<Robbantásnapló::Robbantás>>(napló),
                                            &márBenne);
        if (const auto* h = std::get_if<Katalógus::Hiba>(&felvett)) {
            SorKiír(hibák,
                    rt::App::Prefix() +
                        QStringLiteral("%1: nincs felvéve: %2").arg(kérés.robbantások, h->részlet));
            return HibásBemenet;
        }
        SorKiír(hibák, rt::App::Prefix() + QStringLiteral("%1: %2 robbantás felvéve%3")
                                               .arg(kérés.robbantások)
                                               .arg(std::get<int>(felvett))
                                               .arg(márBenne ? QStringLiteral(", %1 már a "
                                                                              "katalógusban van")
                                                                   .arg(márBenne)
                                                             : QString()));
    }
    // what became of a file, said
    auto kiír = [&](const QString& fájl, const Katalógus::FájlEredmény& e, bool újra) {
        for (const QString& m : e.megjegyzések)
            SorKiír(hibák, rt::App::Prefix() + QStringLiteral("%1: %2").arg(fájl, m));
        switch (e.mi) {
        case Katalógus::FájlEredmény::Mi::Hibás:
            SorKiír(hibák, e.olvasás ? rt::App::Prefix() + Parancssori::FelvételHiba(*e.olvasás)
                                     : rt::App::Prefix() + QStringLiteral("%1: nincs felvéve: %2")
                                                               .arg(fájl, e.katalógus->részlet));
            állapot = KilépésÖsszesít(állapot, HibásBemenet);
            break;
        case Katalógus::FájlEredmény::Mi::MárBenne:
            SorKiír(hibák, rt::App::Prefix() +
                               QStringLiteral("%1: már a katalógusban van (ugyanezek a bájtok), "
                                              "kihagyva")
                                   .arg(fájl));
            break;
        case Katalógus::FájlEredmény::Mi::Felvéve: {
            int túl = 0, nincs = 0;
            for (const Katalógus::Mérés& m : e.mérések) {
                újMérés = true;
                túl += m.ítélet == Katalógus::Ítélet::Túllépi;
                nincs += m.ítélet == Katalógus::Ítélet::NincsMegítélve;
                megítélt = megítélt || m.ítélet != Katalógus::Ítélet::NincsMegítélve;
            }
            QString szöveg = (újra ? QStringLiteral("%1: újra megítélve, %2 mérés")
                                   : QStringLiteral("%1: felvéve, %2 mérés"))
                                 .arg(fájl)
                                 .arg(e.mérések.size());
            if (túl)
                szöveg += QStringLiteral(", %1 túllépi").arg(túl);
            if (nincs)
                szöveg += QStringLiteral(", %1 nincs megítélve").arg(nincs);
            SorKiír(hibák, rt::App::Prefix() + szöveg);
            if (túl)
                állapot = KilépésÖsszesít(állapot, Túllépi);
            break;
        }
        }
    };
    if (kérés.újraMegítél) {
        auto újra = Katalógus::ÚjraMegítél(k, kérés.behozatal.pont, kérés.behozatal);
        if (const auto* h = std::get_if<Katalógus::Hiba>(&újra)) {
            SorKiír(hibák, katalógusHiba(k.cím().név(), *h));
            return HibásBemenet;
        }
        const auto& fájlok =
            std::get<std::vector<std::pair<QString, Katalógus::FájlEredmény>>>(újra);
        if (fájlok.empty())
            SorKiír(hibák, rt::App::Prefix() +
                               QStringLiteral("%1: nincs nem megítélt mérés").arg(k.cím().név()));
        for (const auto& [fájl, e] : fájlok)
            kiír(fájl, e, true);
    }
    for (const QString& fájl : kérés.fájlok)
        kiír(fájl, Katalógus::FájltFelvesz(k, fájl, kérés.behozatal), false);
    if (újMérés && !megítélt)
        állapot = KilépésÖsszesít(állapot, NincsMegítélve);
    auto párosítás = k.párosít(kérés.párosításMikro);
    if (const auto* h = std::get_if<Katalógus::Hiba>(&párosítás)) {
        SorKiír(hibák, katalógusHiba(k.cím().név(), *h));
        return KilépésÖsszesít(állapot, HibásBemenet);
    }
    const Katalógus::Párosítás& p = std::get<Katalógus::Párosítás>(párosítás);
    if (!p.robbantásNélkül) {
        const QString ablak = Határérték::BeállításSzám(double(kérés.párosításMikro) / 1e6);
        SorKiír(hibák, rt::App::Prefix() + QStringLiteral("%1: %2 mérés párosítva robbantással")
                                               .arg(k.cím().név())
                                               .arg(p.párosítva));
        for (const QString& m : p.nincs)
            SorKiír(hibák, rt::App::Prefix() +
                               QStringLiteral("%1: nincs robbantás a mérés előtt %2 s-on belül: %3")
                                   .arg(k.cím().név(), ablak, m));
        for (const QString& m : p.kétértelmű)
            SorKiír(hibák, rt::App::Prefix() +
                               QStringLiteral("%1: több robbantás is lehet, nincs párosítva: %2")
                                   .arg(k.cím().név(), m));
    }
    return állapot;
}

int Listáz(const Lista& kérés, std::FILE* ki, std::FILE* hibák) {
    auto megnyitott = Megnyit(kérés.katalógus, false);
    if (const QString* h = std::get_if<QString>(&megnyitott)) {
        SorKiír(hibák, *h);
        return HibásBemenet;
    }
    Katalógus::Katalógusfájl& k = *std::get<std::unique_ptr<Katalógus::Katalógusfájl>>(megnyitott);
    if (k.séma() > Katalógus::SémaVerzió)
        SorKiír(hibák, rt::App::Prefix() +
                           QStringLiteral("%1: egy újabb Velorix-változat katalógusa (séma %2): "
                                          "csak olvasva")
                               .arg(k.cím().név())
                               .arg(k.séma()));
    auto lista = k.lista(kérés.szűrő);
    if (auto* h = std::get_if<Katalógus::Hiba>(&lista)) {
        SorKiír(hibák, katalógusHiba(k.cím().név(), *h));
        return HibásBemenet;
    }
    const std::vector<Katalógus::ListaSor>& sorok =
        std::get<std::vector<Katalógus::ListaSor>>(lista);
    QByteArray szöveg = QByteArray(kérés.statisztika ? StatisztikaFejléc : ListaFejléc) + '\n';
    bool túl = false, megítélt = false;
    for (const Katalógus::ListaSor& s : sorok) {
        if (!kérés.statisztika)
            szöveg += sor(s);
        túl = túl || s.mérés.ítélet == Katalógus::Ítélet::Túllépi;
        megítélt = megítélt || s.mérés.ítélet != Katalógus::Ítélet::NincsMegítélve;
    }
    if (kérés.statisztika) {
        auto tized = [](const std::optional<qint64>& t) {
            return t ? Határérték::Százalék(*t).toUtf8() : QByteArray();
        };
        for (const Katalógus::Statisztikasor& st : Katalógus::Statisztika(sorok))
            szöveg += mező(st.pont.isEmpty() ? QStringLiteral("(helyszín)") : st.pont) + ';' +
                      mező(st.hónap.isEmpty() ? QStringLiteral("(összesen)") : st.hónap) + ';' +
                      QByteArray::number(st.mérések) + ';' + QByteArray::number(st.robbantások) +
                      ';' + QByteArray::number(st.túllépések) + ';' +
                      QByteArray::number(st.nincsMegítélve) + ';' + tized(st.legnagyobbTized) +
                      ';' + mező(st.hol) + ';' + szám(st.ppv50, 3) + ';' + szám(st.ppv95, 3) + ';' +
                      tized(st.kihasználtság50) + ';' + tized(st.kihasználtság95) + ';' +
                      QByteArray::number(st.fölött50) + ';' + QByteArray::number(st.fölött80) +
                      ';' + QByteArray::number(st.fölött100) + '\n';
    }
    if (!kérés.kimenet.isEmpty()) {
        if (const std::optional<QString> h = Táblakimenet::Ír(
                kérés.kimenet, kérés.statisztika ? StatisztikaOszlopok : ListaOszlopok, szöveg)) {
            SorKiír(hibák, rt::App::Prefix() +
                               QStringLiteral("%1: nem írható: %2").arg(kérés.kimenet, *h));
            return HibásBemenet;
        }
        SorKiír(hibák,
                rt::App::Prefix() + QStringLiteral("a táblázat elkészült: %1").arg(kérés.kimenet));
    } else {
        std::fwrite(szöveg.constData(), 1, std::size_t(szöveg.size()), ki);
        std::fflush(ki);
    }
    QStringList szűrők;
    if (kérés.szűrő.tólMikro)
        szűrők << QStringLiteral("--tol %1").arg(Elemzés::UtcIdő(*kérés.szűrő.tólMikro));
    if (kérés.szűrő.igMikro)
        szűrők << QStringLiteral("--ig %1 előtt").arg(Elemzés::UtcIdő(*kérés.szűrő.igMikro));
    if (!kérés.szűrő.pont.isEmpty())
        szűrők << QStringLiteral("--pont %1").arg(kérés.szűrő.pont);
    if (kérés.szűrő.csakTúllépő)
        szűrők << QStringLiteral("--tullepi");
    SorKiír(hibák,
            rt::App::Prefix() + QStringLiteral("%1: %2 mérés (%3)")
                                    .arg(k.cím().név())
                                    .arg(sorok.size())
                                    .arg(szűrők.isEmpty() ? QStringLiteral("mind")
                                                          : szűrők.join(QStringLiteral(", "))));
    if (kérés.statisztika) // the rule, so that no figure is picked silently
        SorKiír(hibák, rt::App::Prefix() +
                           QStringLiteral("%1: a statisztika a fenti méréseket veszi; a "
                                          "percentilisek a megítélt mérések legközelebbi rangja "
                                          "szerint, a hónapok magyar idő szerint; a nem "
                                          "megítélt mérés csak a számokban szerepel")
                               .arg(k.cím().név()));
    return túl ? Túllépi : (!sorok.empty() && !megítélt) ? NincsMegítélve : Megfelel;
}

QString Súgó() {
    return QStringLiteral(
               "Kampánykatalógus (--katalogus KAT): egy helyszín minden mérése egy katalógusban, "
               "SQLite-fájlban (például kofejto.velorix) vagy a csapat közös "
               "PostgreSQL-adatbázisában "
               "(postgresql://felhasználó@gazda:port/adatbázis, Unix-socket mappája a ?host= "
               "paraméterben). --felvesz FÁJL…: a fájlok felvétele, mindegyik egészben vagy "
               "sehogy, "
               "egyszer (ugyanazok a bájtok másodszor kihagyva, két egyidejű felvevő mellett is), "
               "az "
               "eredeti bájtokkal és SHA-256-jukkal; a hosszú felvétel eseményenként; a mérési "
               "pont a "
               "felvétel állomása (NET.STA.LOC vagy a műszer sorozatszáma), állomás nélkül a "
               "--pont; "
               "új pont kategóriája a --kategoria vagy az --adatok [pont] szakasza, ismert pontét "
               "a "
               "katalógus tartja (eltérő megadás hiba). Összesítő táblázat (CSV, TSV, Excel-CSV: "
               "pont, dátum és idő, távolság, töltet, PPV és frekvenciája, vagy "
               "Tran;Freq;Vert;Freq;Long;Freq;PVS, légnyomás dB-ben; mértékegység a fejlécben "
               "vagy egységsorban): soronként egy mérés, a motor ítéletével. Az olvasási kapcsolók "
               "(--egyseg, "
               "--erzekenyseg, --allomas, --mintavetel, --idozona, --fuggoleges, --modszer) mint "
               "az "
               "--elemez-nél. --lista: mérésenként egy sor (%1), szűrhető: --tol és --ig (nap "
               "magyar idő szerint, vagy ISO 8601 idő), --pont, --tullepi. --statisztika: a szűrt "
               "mérések "
               "számai pontonként és a helyszínre, havonta és összesen: mérések, robbantások, "
               "túllépések, nem megítéltek, a legnagyobb kihasználtság és helye, a PPV és a "
               "kihasználtság 50. és 95. percentilise, az 50, 80 és 100 % fölöttiek száma. "
               "--robbantasok NAPLÓ: robbantási napló; a mérések a legfeljebb --parositas S (120) "
               "másodperccel előttük levő egyetlen robbantással párosulnak.")
        .arg(QString::fromUtf8(ListaFejléc));
}

} // namespace KatalógusParancs
