#include "terjedesparancs.h"

#include "engine/hatarertek.h"
#include "engine/kategoriak.h"
#include "engine/szovegek.h"
#include "hibaszoveg.h"
#include "katalogusparancs.h"
#include "kilepes.h"
#include "kimenet.h"
#include "readers/szovegforras.h"
#include "runtime/app.h"
#include "sitelaw/kampany.h"

#include <QFile>

#include <cmath>

namespace TerjedésParancs {

const char* const IllesztésFejléc = "gyök;n;K;béta;R2;s;K95_1645s;SD_min;SD_max;megjegyzés";
const char* const ElőrejelzésFejléc = "távolság;töltet;SD;PPV50;PPV95";
const char* const TöltetFejléc = "távolság;kategória;frekvencia;határérték;W50;W95";

namespace {

using Határérték::Jegyek;

QString mező(QString s) {
    return s.replace(u';', u',').replace(u'\n', u' ');
}

// The remark of a fit: unreliable and why, what was taken out, the possible outliers.
QString megjegyzés(const Terjedés::Illesztés& i, const Terjedés::Gyűjtés& g) {
    QStringList m;
    if (!i.használható())
        m << QStringLiteral("megbízhatatlan: ") + i.megbízhatatlan.join(QStringLiteral(", "));
    if (!g.kizárva.isEmpty())
        m << QStringLiteral("kizárva: ") + g.kizárva.join(u' ');
    if (!i.kiugrók.empty()) {
        QStringList k;
        for (const Terjedés::Kiugró& o : i.kiugrók)
            k << o.pont.azonosító;
        m << QStringLiteral("lehetséges kiugró: ") + k.join(u' ');
    }
    if (g.kimaradt() > 0)
        m << QStringLiteral("%1 mérés nem vett részt").arg(g.kimaradt());
    return mező(m.join(QStringLiteral("; ")));
}

QString illesztésSor(const Terjedés::Illesztés& i, const Terjedés::Gyűjtés& g) {
    QStringList c{QString::number(i.gyök), QString::number(i.n)};
    if (i.illeszthető)
        c << Jegyek(i.K) << Jegyek(i.béta) << Jegyek(i.R2) << Jegyek(i.s) << Jegyek(i.K95_1645s());
    else
        c << QString() << QString() << QString() << QString() << QString();
    if (i.n > 0)
        c << Jegyek(i.sdMin) << Jegyek(i.sdMax);
    else
        c << QString() << QString();
    c << megjegyzés(i, g);
    return c.join(u';');
}

// What stayed out and why, and the possible outliers, one line each.
void elszámol(const Terjedés::Illesztés& i, const Terjedés::Gyűjtés& g, const QString& kié,
              std::FILE* hibák) {
    const QString e = rt::App::Prefix() + (kié.isEmpty() ? QString() : kié + QStringLiteral(": "));
    if (g.kimaradt() > 0)
        SorKiír(hibák, e + QStringLiteral("%1 mérés nem vett részt az illesztésben: %2 nem "
                                          "megítélt, %3 távolság vagy töltet nélküli, %4 PPV "
                                          "nélküli")
                               .arg(g.kimaradt())
                               .arg(g.megítéletlen)
                               .arg(g.adatNélkül)
                               .arg(g.ppvNélkül));
    if (!g.kizárva.isEmpty())
        SorKiír(hibák, e + QStringLiteral("a --kizar szerint kimaradt: %1")
                               .arg(g.kizárva.join(QStringLiteral(", "))));
    for (const Terjedés::Kiugró& o : i.kiugrók)
        SorKiír(hibák, e + QStringLiteral("lehetséges kiugró (a maradék %1 s, több mint %2 s): "
                                          "%3, pont %4, SD = %5, PPV = %6 mm/s; a --kizar %3 "
                                          "hagyja ki")
                               .arg(Határérték::Szám(o.maradék, 2))
                               .arg(Terjedés::KiugróHatár)
                               .arg(o.pont.azonosító, o.pont.pont, Jegyek(o.arányos, 4),
                                    Jegyek(o.pont.ppv, 4)));
    if (!i.használható())
        SorKiír(hibák, e + QStringLiteral("megbízhatatlan illesztés, nem jelez előre: %1")
                               .arg(i.megbízhatatlan.join(QStringLiteral("; "))));
}

std::variant<Terjedés::Gyűjtés, QString> gyűjt(const Kérés& k) {
    if (!k.katalógus.isEmpty()) {
        auto m = KatalógusParancs::Megnyit(k.katalógus, false);
        if (auto* h = std::get_if<QString>(&m))
            return *h;
        auto& kat = *std::get<0>(m);
        auto g = Terjedés::Katalógusból(kat, k.szűrő, k.mérték, k.kizár);
        if (auto* h = std::get_if<Katalógus::Hiba>(&g))
            return rt::App::Prefix() + QStringLiteral("%1: %2").arg(kat.cím().név(), h->részlet);
        return std::get<0>(std::move(g));
    }
    const QString név = k.tábla == u"-" ? QStringLiteral("szabványos bemenet") : k.tábla;
    QByteArray bájtok;
    QFile be;
    if (k.tábla == u"-") {
        if (!be.open(stdin, QIODevice::ReadOnly))
            return rt::App::Prefix() + QStringLiteral("a szabványos bemenet nem olvasható");
    } else if (std::optional<Hiba> h = Szöveg::FájlMegnyit(k.tábla, be, QIODevice::ReadOnly)) {
        h->fájl = név;
        return Parancssori::FelvételHiba(*h);
    }
    bájtok = be.readAll();
    auto g = Terjedés::Táblából(bájtok, név, k.egység, k.pont, k.mérték, k.kizár);
    if (auto* h = std::get_if<Hiba>(&g))
        return Parancssori::FelvételHiba(*h);
    return std::get<0>(std::move(g));
}

// The foundation limit (mm/s) at F or, without it, the category's lowest.
double határ(int kategória, const std::optional<double>& f) {
    return (f ? Határérték::AlaponSzázad(kategória, *f)
              : Határérték::LegkisebbAlaponSzázad(kategória)) /
           100.0;
}

QString töltetSor(const Terjedés::Illesztés& i, double d, int kategória,
                  const std::optional<double>& f, std::FILE* hibák, int& állapot,
                  const QString& kié) {
    const double h = határ(kategória, f);
    QStringList c{Jegyek(d), Határérték::KategóriaNév(kategória).toLower(),
                  f ? Határérték::Szám(*f, 2) : QStringLiteral("nincs megadva"),
                  Határérték::Szám(h, 2)};
    const auto w = Terjedés::MaxTöltet(i, d, h);
    if (const QString* miért = std::get_if<QString>(&w)) {
        SorKiír(hibák, rt::App::Prefix() + kié + QStringLiteral("nincs töltet: ") + *miért);
        állapot = HibásBemenet;
        return c.join(u';') + QStringLiteral(";;");
    }
    const Terjedés::Töltet& t = std::get<Terjedés::Töltet>(w);
    if (!t.megjegyzés.isEmpty())
        SorKiír(hibák, rt::App::Prefix() + kié + t.megjegyzés);
    c << (t.w50 ? Jegyek(*t.w50) : QString()) << Jegyek(t.w95);
    return c.join(u';');
}

} // namespace

int Végrehajt(const Kérés& k, std::FILE* ki, std::FILE* hibák) {
    auto gy = gyűjt(k);
    if (const QString* h = std::get_if<QString>(&gy)) {
        SorKiír(hibák, *h);
        return HibásBemenet;
    }
    const Terjedés::Gyűjtés& g = std::get<Terjedés::Gyűjtés>(gy);
    if (!g.nincsIlyen.isEmpty()) {
        SorKiír(hibák, rt::App::Prefix() + QStringLiteral("a --kizar ilyet nem talál: %1")
                                               .arg(g.nincsIlyen.join(QStringLiteral(", "))));
        return HibásBemenet;
    }
    const Terjedés::Illesztés i = Terjedés::Illeszt(g.pontok, k.gyök);
    int állapot = i.használható() ? Megfelel : HibásBemenet;
    SorKiír(hibák, rt::App::Prefix() +
                       QStringLiteral("SD = D/W^(1/%1); illesztés: log10 PPV = log10 K − béta · "
                                      "log10 SD, legkisebb négyzetek; a PPV %2")
                           .arg(k.gyök)
                           .arg(k.mérték == Terjedés::Mérték::Pvs
                                    ? QStringLiteral("a PVS")
                                    : QStringLiteral("a legnagyobb sebességösszetevőé")));
    if (k.mit == Mit::Illesztés) {
        const bool pontonként = k.pontonként;
        SorKiír(ki, (pontonként ? QStringLiteral("pont;") : QString()) +
                        QString::fromUtf8(IllesztésFejléc));
        SorKiír(ki, (pontonként ? QStringLiteral("összes;") : QString()) + illesztésSor(i, g));
        elszámol(i, g, QString(), hibák);
        if (pontonként) {
            std::map<QString, std::vector<Terjedés::Pont>> pontok;
            for (const Terjedés::Pont& p : g.pontok)
                pontok[p.pont].push_back(p);
            for (const auto& [pont, mérések] : pontok) {
                Terjedés::Gyűjtés egy;
                egy.pontok = mérések;
                const Terjedés::Illesztés pi = Terjedés::Illeszt(mérések, k.gyök);
                SorKiír(ki, mező(pont) + u';' + illesztésSor(pi, egy));
                elszámol(pi, egy, pont, hibák);
                if (!pi.használható())
                    állapot = HibásBemenet;
            }
        }
        return állapot;
    }
    elszámol(i, g, QString(), hibák);
    SorKiír(hibák, rt::App::Prefix() + QStringLiteral("a terjedési törvény: ") +
                       QString::fromUtf8(IllesztésFejléc) + QStringLiteral(" = ") +
                       illesztésSor(i, g));
    if (k.mit == Mit::Előrejelzés) {
        SorKiír(ki, QString::fromUtf8(ElőrejelzésFejléc));
        const auto e = Terjedés::Előrejelez(i, *k.távolság, *k.töltet);
        if (const QString* miért = std::get_if<QString>(&e)) {
            SorKiír(hibák, rt::App::Prefix() + QStringLiteral("nincs előrejelzés: ") + *miért);
            return HibásBemenet;
        }
        const Terjedés::Előrejelzés& p = std::get<Terjedés::Előrejelzés>(e);
        SorKiír(ki, QStringList{Jegyek(*k.távolság), Jegyek(*k.töltet), Jegyek(p.arányos),
                                Jegyek(p.ppv50), Jegyek(p.ppv95)}
                        .join(u';'));
        return állapot;
    }
    if (!k.frekvencia)
        SorKiír(hibák, rt::App::Prefix() +
                           QStringLiteral("frekvencia nélkül a kategória legkisebb határértéke "
                                          "(a 10 Hz alatti) számít"));
    if (!k.pontonként) {
        SorKiír(ki, QString::fromUtf8(TöltetFejléc));
        SorKiír(ki, töltetSor(i, *k.távolság, k.kategória.value_or(Határérték::AlapKategória),
                              k.frekvencia, hibák, állapot, QString()));
        return állapot;
    }
    // every point with its own category, at its distance to the planned blast
    SorKiír(ki, QStringLiteral("pont;") + QString::fromUtf8(TöltetFejléc));
    for (const auto& [kód, pont] : g.helyek) {
        const std::optional<double> d = Kampány::Távolság(pont, k.pontTávolságok, k.eov);
        const QString kié = kód + QStringLiteral(": ");
        if (!d) {
            SorKiír(hibák, rt::App::Prefix() + kié +
                               QStringLiteral("nincs távolsága (--tavolsag %1=D, vagy EOV "
                                              "koordináták és --eov)")
                                   .arg(kód));
            állapot = HibásBemenet;
            continue;
        }
        SorKiír(ki, mező(kód) + u';' +
                        töltetSor(i, *d, pont.kategória, k.frekvencia, hibák, állapot, kié));
    }
    for (auto it = k.pontTávolságok.begin(); it != k.pontTávolságok.end(); ++it)
        if (!g.helyek.count(it.key())) {
            SorKiír(hibák, rt::App::Prefix() +
                               QStringLiteral("nincs ilyen pont a katalógusban: %1").arg(it.key()));
            állapot = HibásBemenet;
        }
    return állapot;
}

QString Súgó() {
    return QStringLiteral(
        "Terjedési törvény (--terjedes), a --katalogus (szűrt) méréseiből vagy egy összesítő "
        "táblázatból (TÁBLA):\n"
        "  SD = D / W^(1/2) (m, kg/késleltetés; --gyok 3: D / W^(1/3)). A mérés PPV-je a "
        "legnagyobb sebességösszetevőé (--ppv pvs: a PVS).\n"
        "  Illesztés: legkisebb négyzetek, y = log10 PPV, x = log10 SD; béta = −meredekség, "
        "K = 10^tengelymetszet; s a maradék szórása (n − 2 szabadságfok).\n"
        "  PPV50 = K·SD^−béta. PPV95: az egyoldali 95 %-os előrejelzési korlát, log10 PPV95 = "
        "log10 K − béta·x + t(0,95; n − 2)·s·√(1 + 1/n + (x − x̄)²/Sxx). A szokásos "
        "K95_1645s = K·10^(1,645·s) összevetésre.\n"
        "  Megbízhatatlan (nem jelez előre, kilépési kód 2): n < 10, R² < 0,5, béta ≤ 0, az "
        "SD-tartomány kétszeresnél szűkebb, vagy a kért SD a tartományon kívül 1,5-szeresnél "
        "messzebb. A nem megítélt, a távolság vagy töltet nélküli mérések kimaradnak (számuk "
        "kiíródik); a 3 s-nál nagyobb maradékúak lehetséges kiugróként listázódnak, a --kizar "
        "ID hagyja ki őket.\n"
        "  --elorejelzes --tavolsag D --toltet W: a várható PPV50 és PPV95.\n"
        "  --max-toltet --tavolsag D [--kategoria K] [--frekvencia F]: a legnagyobb "
        "késleltetésenkénti töltet, amelynél a PPV95 épp eléri az alap határértékét F Hz-en "
        "(F nélkül a kategória legkisebbjét); --pontonkent minden pontra a saját kategóriájával, "
        "--tavolsag PONT=D vagy --eov Y,X (a tervezett robbantás helye) szerinti távolsággal.");
}

} // namespace TerjedésParancs
