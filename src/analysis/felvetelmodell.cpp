#include "felvetelmodell.h"

#include "engine/kategoriak.h"
#include "engine/szovegek.h"
#include "tablazat.h"

#include <QDateTime>
#include <QFileInfo>
#include <QTimeZone>

#include <algorithm>
#include <cmath>

FelvételModell::FelvételModell(Feldolgozás::ElemzettFelvétel felvétel, int kategória) {
    ítélés_.kategória = kategória;
    minták_ = std::move(felvétel.minták);
    if (felvétel.nézetek.empty()) { // not drawn: its figures alone
        Nézet n;
        n.felvétel = felvétel.felvétel;
        n.megállapítás = felvétel.megállapítás;
        n.ablak = Elemzés::Teljes(felvétel.felvétel);
        n.elemezve = felvétel.egészElemezve;
        felvétel.nézetek.push_back(std::move(n));
    }
    if (felvétel.hosszú) {
        // the worst event; the first where none is judged (the whole is not analysed yet)
        kezdő_ =
            std::max(Feldolgozás::LegrosszabbNézet(felvétel), felvétel.nézetek.size() > 1 ? 1 : 0);
        nézetek_ = std::move(felvétel.nézetek);
        látott_ = nézetek_.front();
    } else {
        látott_ = std::move(felvétel.nézetek.front());
    }
    megítél();
    if (kezdő_ > 0)
        NézetBeállít(kezdő_);
}

Feldolgozás::Kérés FelvételModell::Kérése(int kategória, const Rezgésjel::Beállítás& beállítás) {
    Feldolgozás::Kérés k;
    k.kategória = kategória;
    k.beállítás = beállítás;
    k.beállítás.érzékenységKésőbb = true;       // counts are read once, before the question
    k.egészHatár = Feldolgozás::HosszúFelvétel; // a monitoring record's whole: when asked for
    k.küszöb = Elemzés::AlapKüszöb;
    k.csakHosszúEseményei = true;
    k.rajzokkal = true;
    k.mintákMegtartva = true; // for a span chosen on a monitoring record's strip
    return k;
}

void FelvételModell::megítél() {
    Elemzés::Minősít(látott_.megállapítás, ítélés_.kategória, ítélés_.hely, ítélés_.módszer);
}

bool FelvételModell::KategóriaBeállít(int kategória) {
    if (!Határérték::ÉrvényesKategória(kategória) || kategória == ítélés_.kategória)
        return false;
    ítélés_.kategória = kategória;
    megítél();
    return true;
}

void FelvételModell::HelyBeállít(Elemzés::Hely hely) {
    ítélés_.hely = hely;
    megítél();
}

void FelvételModell::MódszerBeállít(Elemzés::Módszer módszer) {
    ítélés_.módszer = módszer;
    megítél();
}

const FelvételModell::Nézet* FelvételModell::NézetAdat(int nézet) const {
    if (nézet >= 0 && nézet < int(nézetek_.size()))
        return &nézetek_[std::size_t(nézet)];
    if (kijelölés_ && nézet == int(nézetek_.size()))
        return &*kijelölés_;
    return nullptr;
}

bool FelvételModell::NézetBeállít(int nézet) {
    const Nézet* adat = NézetAdat(nézet);
    if (!adat || !adat->elemezve)
        return false;
    nézet_ = nézet;
    látott_ = *adat;
    megítél();
    return true;
}

std::function<FelvételModell::Nézet()> FelvételModell::EgészMunka() const {
    if (!minták_ || nézetek_.empty() || nézetek_.front().elemezve)
        return {};
    return [minták = minták_, í = ítélés_] {
        return Feldolgozás::Egészet(*minták, í.kategória, í.hely, í.módszer);
    };
}

void FelvételModell::EgészKész(Nézet nézet) {
    if (nézetek_.empty())
        return;
    Nézet& egész = nézetek_.front();
    egész.megállapítás = std::move(nézet.megállapítás);
    egész.rajzok = std::move(nézet.rajzok);
    egész.elemezve = true;
}

double FelvételModell::Másodperc(qint64 mikro) const {
    return nézetek_.empty() ? 0 : double(mikro - nézetek_.front().ablak.kezdetMikro) / 1e6;
}

double FelvételModell::Hossz() const {
    return nézetek_.empty() ? 0 : Másodperc(nézetek_.front().ablak.végMikro);
}

std::vector<std::pair<double, double>> FelvételModell::Eseményablakok() const {
    std::vector<std::pair<double, double>> ablakok;
    for (std::size_t i = 1; i < nézetek_.size(); ++i)
        ablakok.push_back(
            {Másodperc(nézetek_[i].ablak.kezdetMikro), Másodperc(nézetek_[i].ablak.végMikro)});
    return ablakok;
}

int FelvételModell::LegközelebbiEsemény(double t) const {
    if (nézetek_.size() < 2)
        return -1;
    int legközelebbi = 1;
    double távolság = 1e300;
    for (int i = 1; i < int(nézetek_.size()); ++i) {
        const double eleje = Másodperc(nézetek_[std::size_t(i)].ablak.kezdetMikro);
        const double vége = Másodperc(nézetek_[std::size_t(i)].ablak.végMikro);
        const double d = t < eleje ? eleje - t : t > vége ? t - vége : 0;
        if (d < távolság) {
            távolság = d;
            legközelebbi = i;
        }
    }
    return legközelebbi;
}

Elemzés::Szakasz FelvételModell::szakasz(double eleje, double vége) const {
    const Elemzés::Szakasz egész = nézetek_.front().ablak;
    auto mikro = [&](double t) {
        return std::clamp(egész.kezdetMikro + qint64(std::llround(t * 1e6)), egész.kezdetMikro,
                          egész.végMikro);
    };
    return {mikro(std::min(eleje, vége)), mikro(std::max(eleje, vége))};
}

void FelvételModell::KijelölésSáv(double eleje, double vége) {
    sáv_ = {std::min(eleje, vége), std::max(eleje, vége)};
}

std::function<FelvételModell::Nézet()> FelvételModell::SzakaszMunka(double eleje, double vége) {
    if (!minták_ || nézetek_.empty())
        return {};
    const Elemzés::Szakasz sz = szakasz(eleje, vége);
    sáv_ = {Másodperc(sz.kezdetMikro), Másodperc(sz.végMikro)};
    return [minták = minták_, sz, í = ítélés_] {
        return Feldolgozás::Szakaszt(*minták, sz, í.kategória, í.hely, í.módszer);
    };
}

int FelvételModell::SzakaszKész(Nézet nézet) {
    kijelölés_ = std::move(nézet);
    return int(nézetek_.size());
}

QString FelvételModell::NézetNév(int nézet) const {
    const Nézet* adat = NézetAdat(nézet);
    if (!adat)
        return {};
    const Nézet& n = *adat;
    if (nézet == 0)
        return QStringLiteral("teljes felvétel (%1 esemény)").arg(nézetek_.size() - 1);
    const bool kijelölt = nézet == int(nézetek_.size());
    const bool óra = n.felvétel.kezdetMikro && nézetek_.front().felvétel.kezdetMikro;
    auto idő = [&](qint64 mikro) {
        if (óra)
            return QDateTime::fromMSecsSinceEpoch(mikro / 1000, QTimeZone::utc())
                .toString(QStringLiteral("HH:mm:ss,zzz"));
        return Határérték::Szám(Másodperc(mikro), 3);
    };
    QString szöveg = kijelölt ? QStringLiteral("kijelölt szakasz: %1 – %2")
                                    .arg(idő(n.ablak.kezdetMikro), idő(n.ablak.végMikro))
                              : QStringLiteral("%1. %2").arg(nézet).arg(idő(n.ablak.kezdetMikro));
    szöveg += óra ? QStringLiteral(" UTC") : QStringLiteral(" s");
    if (n.megállapítás.pvsVan)
        szöveg += QStringLiteral(" – PVS %1 mm/s").arg(Határérték::Szám(n.megállapítás.pvs, 3));
    return szöveg;
}

QString FelvételModell::Fejléc() const {
    const Rezgésjel::Felvétel& f = látott_.felvétel;
    QStringList csatornák;
    for (const Rezgésjel::Csatorna& c : f.csatornák)
        csatornák << c.kód.név();
    const QString idők = látott_.megállapítás.időNulla != 0
                             ? QStringLiteral("   •   idők a műszer indításától")
                             : QString();
    return QStringLiteral("%1   •   %2   •   kezdet: %3   •   %4 Hz   •   %5%6")
        .arg(QFileInfo(f.fájl).fileName(),
             f.állomás.isEmpty() ? csatornák.join(QStringLiteral(", ")) : f.állomás,
             f.kezdet()
                 ? f.kezdet()->toString(nézet_ > 0 ? QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz")
                                                   : QStringLiteral("yyyy-MM-dd HH:mm:ss")) +
                       QStringLiteral(" UTC")
                 : QStringLiteral("–"),
             Határérték::Szám(f.mintavétel, 0), Határérték::KategóriaNév(ítélés_.kategória), idők);
}

QList<QStringList> FelvételModell::TáblázatSorok() const {
    return Elemzés::TáblázatSorok(látott_.megállapítás);
}

bool FelvételModell::SorTúllépi(int sor) const {
    const auto& összetevők = látott_.megállapítás.összetevők;
    return sor >= 0 && sor < int(összetevők.size()) && összetevők[std::size_t(sor)].megítélt &&
           !összetevők[std::size_t(sor)].megítélés.megfelel;
}

QString FelvételModell::Ítélet() const {
    return Elemzés::ÍtéletMondat(látott_.megállapítás);
}

QStringList FelvételModell::Megjegyzések() const {
    return Elemzés::MűszerMegjegyzések(látott_.felvétel, látott_.megállapítás);
}

Feldolgozás::Jelentéstétel FelvételModell::Jelentéstétel(const Mérésadatok& adatok) const {
    const std::span<const Nézet> események = nézetek_.size() > 1
                                                 ? std::span<const Nézet>(nézetek_).subspan(1)
                                                 : std::span<const Nézet>();
    const int részletes = nézet_ < int(nézetek_.size()) ? nézet_ : 0;
    const bool kijelölt = kijelölés_ && nézet_ == int(nézetek_.size());
    return Feldolgozás::Jelentéstételt(látott_, események, ítélés_, adatok, Elemzés::AlapKüszöb,
                                       részletes, kijelölt);
}
