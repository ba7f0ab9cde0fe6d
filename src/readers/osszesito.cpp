#include "osszesito.h"

#include "cella.h"
#include "csvolvaso.h"
#include "robbantasnaplo.h"
#include "runtime/text.h"
#include "szovegforras.h"

#include <QBuffer>

#include <array>
#include <cmath>

namespace Összesítő {

namespace {

constexpr int FejlécKeresés = 64; // non-empty lines searched for the header

enum Oszlop {
    Pont,
    Idő,
    Dátum,
    Távolság,
    Töltet,
    Ppv,
    Tran,
    Vert,
    Long,
    Pvs,
    Légnyomás,
    Frekvencia, // several: each belongs to the velocity column before it
    OszlopokSzáma
};

// The names each column goes by, Hungarian first.
const std::array<std::vector<const char16_t*>, OszlopokSzáma> Nevek = {{
    {u"pont", u"mérési pont", u"mérőpont", u"állomás", u"point", u"measuring point", u"station",
     u"monitor"},
    {u"idő", u"időpont", u"dátum és idő", u"time", u"date and time", u"datetime"},
    {u"dátum", u"nap", u"date", u"day"},
    {u"távolság", u"distance", u"dist"},
    {u"töltet késleltetésenként", u"töltet/késleltetés", u"töltet", u"/késleltetés",
     u"charge per delay", u"max charge per delay", u"charge", u"mic", u"mcpd", u"/delay",
     u"per delay", u"kg/delay"},
    {u"ppv", u"sebesség", u"rezgéssebesség", u"csúcssebesség", u"peak particle velocity"},
    {u"tran", u"trans", u"transverse", u"keresztirányú"},
    {u"vert", u"vertical", u"függőleges"},
    {u"long", u"longitudinal", u"hosszirányú", u"radial"},
    {u"pvs", u"peak vector sum", u"vektorösszeg"},
    {u"légnyomás", u"túlnyomás", u"air overpressure", u"overpressure", u"air blast", u"pspl"},
    {u"frekvencia", u"freq", u"frequency", u"f", u"zc freq", u"zc frequency"},
}};

bool sebesség(int o) {
    return o == Ppv || o == Tran || o == Vert || o == Long || o == Pvs;
}

Hiba táblaHiba(const QString& név, qint64 sor, QString részlet,
               Hiba::Fajta fajta = Hiba::Fajta::Tartalom) {
    Hiba h;
    h.fajta = fajta;
    h.fájl = név;
    h.sor = sor;
    h.részlet = std::move(részlet);
    return h;
}

// A column of the header: what it is, the velocity column a frequency belongs to, its unit.
struct Fejoszlop {
    int mi = -1;
    int sebességOszlop = -1; // for a frequency: the index of its velocity column
    QString egység;
};

// The column a name is of, or -1.
int oszlop(const QString& név) {
    const QString kulcs = rt::NameKey(név);
    if (kulcs.isEmpty())
        return -1;
    for (int o = 0; o < OszlopokSzáma; ++o)
        for (const char16_t* n : Nevek[std::size_t(o)])
            if (kulcs == rt::NameKey(QString::fromUtf16(n)))
                return o;
    return -1;
}

QString egységKulcs(QString e);

// Whether a cell is nothing but a unit of length in brackets: "( mtr )", "[m]".
bool hossz(const QString& cella) {
    const QString c = cella.trimmed();
    if (!((c.startsWith(u'(') && c.endsWith(u')')) || (c.startsWith(u'[') && c.endsWith(u']'))))
        return false;
    const QString e = egységKulcs(c);
    return e == u"m" || e == u"mtr" || e == u"méter" || e == u"km" || e == u"ft";
}

// The header's columns, if this row names a velocity column and one more that a summary has.
std::optional<std::vector<Fejoszlop>> fejléc(const std::vector<QByteArrayView>& mezők,
                                             QString* kétszer) {
    std::vector<Fejoszlop> f(mezők.size());
    std::array<int, OszlopokSzáma> hol;
    hol.fill(-1);
    int utolsóSebesség = -1;
    for (std::size_t i = 0; i < mezők.size(); ++i) {
        Cella::NévÉsEgység n = Cella::OszlopNév(mezők[i]);
        f[i].mi = oszlop(n.név);
        if (f[i].mi < 0) {
            // "PPV_mm_s", "Distance_m": the unit after the name, its slash an underscore
            const QStringList részek = n.név.split(u'_', Qt::SkipEmptyParts);
            for (qsizetype k = részek.size() - 1; k > 0 && f[i].mi < 0 && n.egység.isEmpty(); --k)
                if (const int o = oszlop(részek.mid(0, k).join(u' '));
                    o >= 0 && egységKulcs(részek.mid(k).join(u'/')).size() <= 5) {
                    f[i].mi = o;
                    n.egység = részek.mid(k).join(u'/');
                }
        }
        if (f[i].mi < 0 && hossz(n.név)) { // a nameless "( mtr )": only a distance is in metres
            f[i].mi = Távolság;
            n.egység = n.név;
        }
        if (f[i].mi < 0)
            continue;
        f[i].egység = n.egység.trimmed();
        if (f[i].mi == Frekvencia) {
            f[i].sebességOszlop = utolsóSebesség;
        } else {
            if (hol[std::size_t(f[i].mi)] >= 0 && kétszer->isEmpty())
                *kétszer = Cella::Idéz(mezők[i]);
            hol[std::size_t(f[i].mi)] = int(i);
            if (sebesség(f[i].mi) && f[i].mi != Pvs)
                utolsóSebesség = int(i);
        }
    }
    const bool v = hol[Ppv] >= 0 || hol[Tran] >= 0 || hol[Vert] >= 0 || hol[Long] >= 0;
    const bool más = hol[Pont] >= 0 || hol[Távolság] >= 0 || hol[Töltet] >= 0 ||
                     std::any_of(f.begin(), f.end(), [](const Fejoszlop& o) {
                         return o.mi == Frekvencia && o.sebességOszlop >= 0;
                     });
    if (!v || !más)
        return std::nullopt;
    return f;
}

// A units row: no cell a number, and every filled one a unit ("(mm/s)", "[Hz]", "kg").
bool egységsor(const std::vector<QByteArrayView>& mezők) {
    bool van = false;
    for (QByteArrayView m : mezők) {
        const QByteArrayView c = Cella::Levág(m);
        if (c.isEmpty())
            continue;
        QString miért;
        if (Cella::SzámOlvas(c, &miért))
            return false;
        const QString s = QString::fromUtf8(c).trimmed();
        if (!(s.startsWith(u'(') || s.startsWith(u'[')) || s.size() > 16)
            return false;
        van = true;
    }
    return van;
}

QString egységKulcs(QString e) {
    e = e.trimmed();
    if (e.startsWith(u'(') || e.startsWith(u'['))
        e = e.mid(1);
    if (e.endsWith(u')') || e.endsWith(u']'))
        e.chop(1);
    return e.trimmed().toLower().remove(u' ');
}

// The factor to the program's unit of a column's stated unit; none where it is not known.
std::optional<double> szorzó(int mi, const QString& egység, std::optional<double> adott) {
    const QString e = egységKulcs(egység);
    if (sebesség(mi)) {
        if (e.isEmpty())
            return adott; // only as given: never guessed
        if (e == u"mm/s")
            return 1.0;
        if (e == u"cm/s")
            return 10.0;
        if (e == u"m/s")
            return 1000.0;
        if (e == u"in/s" || e == u"ips")
            return 25.4;
        return std::nullopt;
    }
    switch (mi) {
    case Frekvencia:
        return e.isEmpty() || e == u"hz" ? std::optional<double>(1.0) : std::nullopt;
    case Távolság:
        if (e.isEmpty() || e == u"m" || e == u"mtr" || e == u"méter")
            return 1.0;
        if (e == u"km")
            return 1000.0;
        if (e == u"ft")
            return 0.3048;
        return std::nullopt;
    case Töltet:
        if (e.isEmpty() || e == u"kg")
            return 1.0;
        if (e == u"lb" || e == u"lbs")
            return 0.45359237;
        return std::nullopt;
    case Légnyomás: // 0: decibels (dB(L)), else the factor to Pa
        if (e == u"db" || e == u"db(l)" || e == u"dbl")
            return 0.0;
        if (e == u"pa")
            return 1.0;
        if (e == u"kpa")
            return 1000.0;
        return std::nullopt;
    default:
        return 1.0;
    }
}

std::variant<std::vector<Sor>, Hiba> olvas(Szöveg::Forrás& forrás, const QString& név,
                                           std::optional<double> adottEgység) {
    CsvOlvasó csv(forrás);
    std::vector<QByteArrayView> mezők;
    std::vector<Fejoszlop> oszlopok;
    char elválasztó = 0;
    int fölötte = 0;
    qint64 elsőSor = 0;
    std::vector<std::pair<qint64, std::vector<QString>>> sorok; // the rows, read
    for (;;) {
        const CsvOlvasó::Állapot e = csv.következő();
        if (e == CsvOlvasó::Hibás) {
            Hiba h = csv.hiba().value_or(Hiba{});
            h.fájl = név;
            if (h.sor == 0)
                h.sor = csv.hibásSor();
            return h;
        }
        if (e == CsvOlvasó::Vége)
            break;
        csv.feloszt(elválasztó, mezők);
        if (std::all_of(mezők.begin(), mezők.end(), Cella::Üres))
            continue;
        if (!elválasztó) {
            for (const char jel : CsvOlvasó::Elválasztók) {
                csv.feloszt(jel, mezők);
                QString kétszer;
                if (std::optional<std::vector<Fejoszlop>> f = fejléc(mezők, &kétszer)) {
                    if (!kétszer.isEmpty())
                        return táblaHiba(
                            név, csv.sor(),
                            QStringLiteral("ez az oszlop kétszer szerepel: %1").arg(kétszer),
                            Hiba::Fajta::OszlopKétszer);
                    oszlopok = std::move(*f);
                    elválasztó = jel;
                    csv.elválasztótRögzít(jel);
                    break;
                }
            }
            if (!elválasztó && (elsőSor == 0 || ++fölötte < FejlécKeresés)) {
                if (elsőSor == 0)
                    elsőSor = csv.sor();
                continue;
            }
            if (!elválasztó)
                break;
            continue;
        }
        if (egységsor(mezők)) { // under the header or after the last row
            for (std::size_t i = 0; i < mezők.size() && i < oszlopok.size(); ++i)
                if (oszlopok[i].egység.isEmpty())
                    oszlopok[i].egység = QString::fromUtf8(Cella::Levág(mezők[i]));
            continue;
        }
        std::vector<QString> cellák;
        for (std::size_t i = 0; i < oszlopok.size(); ++i)
            cellák.push_back(i < mezők.size() ? QString::fromUtf8(Cella::Levág(mezők[i]))
                                              : QString());
        sorok.push_back({csv.sor(), std::move(cellák)});
    }
    if (!elválasztó)
        return táblaHiba(név, elsőSor,
                         QStringLiteral("nincs benne fejlécsor, amely megnevez egy sebesség "
                                        "(PPV, Tran, Vert, Long) és egy frekvencia, távolság, "
                                        "töltet vagy pont oszlopot"),
                         Hiba::Fajta::NincsFejlécsor);

    // each column's factor, once its unit is known from the header or the units row
    std::vector<double> szorzók(oszlopok.size(), 1.0);
    for (std::size_t i = 0; i < oszlopok.size(); ++i) {
        const Fejoszlop& o = oszlopok[i];
        if (o.mi < 0 || o.mi == Pont || o.mi == Idő || o.mi == Dátum)
            continue;
        const std::optional<double> sz = szorzó(o.mi, o.egység, adottEgység);
        const QString oszlopNév = QString::fromUtf16(Nevek[std::size_t(o.mi)].front());
        if (!sz)
            return táblaHiba(
                név, 0,
                o.egység.isEmpty()
                    ? QStringLiteral("a(z) %1 oszlop mértékegysége nincs megadva (például "
                                     "\"%1 (mm/s)\", egy egységsor, vagy --egyseg)")
                          .arg(oszlopNév)
                    : QStringLiteral("a(z) %1 oszlop mértékegysége ismeretlen: %2")
                          .arg(oszlopNév, o.egység),
                o.egység.isEmpty() ? Hiba::Fajta::EgységKell : Hiba::Fajta::IsmeretlenEgység);
        szorzók[i] = *sz;
    }
    const auto oszlop = [&](int mi) -> int {
        for (std::size_t i = 0; i < oszlopok.size(); ++i)
            if (oszlopok[i].mi == mi)
                return int(i);
        return -1;
    };

    std::vector<Sor> eredmény;
    for (const auto& beolvasott : sorok) {
        const qint64 sorszám = beolvasott.first;
        const std::vector<QString>& cellák = beolvasott.second;
        Sor s;
        s.sor = sorszám;
        auto szám = [&](int i, bool előjeles) -> std::variant<std::optional<double>, Hiba> {
            if (i < 0 || cellák[std::size_t(i)].isEmpty())
                return std::optional<double>{};
            QString miért;
            const std::optional<Cella::Szám> x =
                Cella::SzámOlvas(cellák[std::size_t(i)].toUtf8(), &miért);
            if (!x || (!előjeles && x->érték < 0))
                return táblaHiba(
                    név, sorszám,
                    x ? QStringLiteral("negatív szám: \"%1\"").arg(cellák[std::size_t(i)]) : miért,
                    Hiba::Fajta::NemSzám);
            return std::optional<double>(x->érték);
        };
        // a figure no double holds once in its unit (1e308 in/s, 55210 dB) is no figure
        auto véges = [&](int i, const std::optional<double>& v) -> std::optional<Hiba> {
            if (v && !std::isfinite(*v))
                return táblaHiba(
                    név, sorszám,
                    QStringLiteral("átváltva túl nagy szám: \"%1\"").arg(cellák[std::size_t(i)]),
                    Hiba::Fajta::NemSzám);
            return std::nullopt;
        };
        auto érték = [&](int i, std::optional<double>& hova) -> std::optional<Hiba> {
            auto v = szám(i, false);
            if (Hiba* h = std::get_if<Hiba>(&v))
                return *h;
            hova = std::get<std::optional<double>>(v);
            if (hova && oszlopok[std::size_t(i)].mi != Légnyomás)
                *hova *= szorzók[std::size_t(i)];
            return véges(i, hova);
        };
        if (const int i = oszlop(Pont); i >= 0)
            s.pont = cellák[std::size_t(i)];
        const int idő = oszlop(Idő), dátum = oszlop(Dátum);
        QString időSzöveg = idő >= 0 ? cellák[std::size_t(idő)] : QString();
        if (dátum >= 0 && !cellák[std::size_t(dátum)].isEmpty())
            időSzöveg = időSzöveg.isEmpty() ? cellák[std::size_t(dátum)]
                                            : cellák[std::size_t(dátum)] + u' ' + időSzöveg;
        if (!időSzöveg.isEmpty()) {
            s.időMikro = Robbantásnapló::Időpont(időSzöveg);
            if (!s.időMikro) // a day alone: its start, Hungarian local time
                s.időMikro =
                    Robbantásnapló::Időpont(időSzöveg.trimmed() + QStringLiteral(" 00:00"));
            if (!s.időMikro)
                return táblaHiba(név, sorszám,
                                 QStringLiteral("nem időpont: \"%1\" (ISO 8601, például "
                                                "2026-09-14T08:30:00+02:00)")
                                     .arg(időSzöveg),
                                 Hiba::Fajta::NemSzám);
        }
        for (const auto& [mi, hova] :
             {std::pair{int(Távolság), &s.távolság}, std::pair{int(Töltet), &s.töltet},
              std::pair{int(Pvs), &s.pvs}})
            if (std::optional<Hiba> h = érték(oszlop(mi), *hova))
                return *h;
        if (const int i = oszlop(Légnyomás); i >= 0) {
            if (std::optional<Hiba> h = érték(i, s.légnyomás))
                return *h;
            if (s.légnyomás && szorzók[std::size_t(i)] == 0.0) // dB(L) over 20 µPa
                *s.légnyomás = 20e-6 * std::pow(10.0, *s.légnyomás / 20.0);
            else if (s.légnyomás)
                *s.légnyomás *= szorzók[std::size_t(i)];
            if (std::optional<Hiba> h = véges(i, s.légnyomás))
                return *h;
        }
        for (std::size_t i = 0; i < oszlopok.size(); ++i) {
            const int mi = oszlopok[i].mi;
            if (mi != Ppv && mi != Tran && mi != Vert && mi != Long)
                continue;
            Összetevő ö;
            ö.név = mi == Ppv ? QStringLiteral("PPV")
                              : QString::fromUtf16(mi == Tran   ? u"Tran"
                                                   : mi == Vert ? u"Vert"
                                                                : u"Long");
            ö.függőleges = mi == Vert;
            if (std::optional<Hiba> h = érték(int(i), ö.ppv))
                return *h;
            for (std::size_t j = 0; j < oszlopok.size(); ++j)
                if (oszlopok[j].mi == Frekvencia && oszlopok[j].sebességOszlop == int(i))
                    if (std::optional<Hiba> h = érték(int(j), ö.frekvencia))
                        return *h;
            if (ö.ppv)
                s.összetevők.push_back(ö);
        }
        if (s.összetevők.empty())
            return táblaHiba(név, sorszám, QStringLiteral("a sorban nincs PPV"),
                             Hiba::Fajta::Tartalom);
        eredmény.push_back(std::move(s));
    }
    return eredmény;
}

std::variant<std::vector<Sor>, Hiba> bájtokból(const QByteArray& bájtok, const QString& név,
                                               std::optional<double> egység) {
    return Szöveg::BájtokbólOlvas(bájtok, [&](Szöveg::Forrás& f) { return olvas(f, név, egység); });
}

} // namespace

bool Felismer(const QByteArray& bájtok) {
    // the header is among the first lines: a record's megabytes are not read for it (a cut
    // last line may be a fault, but never no header where one was)
    constexpr qsizetype Eleje = 16 * 1024;
    const auto o = bájtokból(bájtok.left(Eleje), QString(), 1.0);
    if (const Hiba* h = std::get_if<Hiba>(&o))
        return h->fajta != Hiba::Fajta::NincsFejlécsor && h->fajta != Hiba::Fajta::NemSzöveg &&
               h->fajta != Hiba::Fajta::IsmeretlenFormátum;
    return true;
}

std::variant<std::vector<Sor>, Hiba> Olvas(const QByteArray& bájtok, const QString& név,
                                           std::optional<double> egység) {
    return bájtokból(bájtok, név, egység);
}

} // namespace Összesítő
