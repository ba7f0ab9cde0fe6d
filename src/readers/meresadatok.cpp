#include "meresadatok.h"

#include "cella.h"
#include "engine/kategoriak.h"
#include "engine/szovegek.h"
#include "runtime/text.h"
#include "szovegforras.h"

#include <QFile>

#include <cmath>

namespace {

struct Kulcs {
    const char16_t* magyar;
    const char16_t* angol;
    QString Mérésadatok::*szöveg;
    std::optional<double> Mérésadatok::*szám;
    bool előjeles = false; // a coordinate: negative too
};

const Kulcs Kulcsok[] = {
    {u"helyszín", u"site", &Mérésadatok::helyszín, nullptr},
    {u"megrendelő", u"client", &Mérésadatok::megrendelő, nullptr},
    {u"mérést végezte", u"operator", &Mérésadatok::végezte, nullptr},
    {u"műszer", u"instrument", &Mérésadatok::műszer, nullptr},
    {u"kalibrálás dátuma", u"calibrated", &Mérésadatok::kalibrálás, nullptr},
    {u"érzékelő helye", u"sensor", &Mérésadatok::érzékelő, nullptr},
    {u"távolság a robbantástól", u"distance", nullptr, &Mérésadatok::távolság},
    {u"töltet késleltetésenként", u"charge", nullptr, &Mérésadatok::töltet},
    {u"megjegyzés", u"notes", &Mérésadatok::megjegyzés, nullptr},
    {u"EOV Y", u"EOV Y", nullptr, &Mérésadatok::eovY, false},
    {u"EOV X", u"EOV X", nullptr, &Mérésadatok::eovX, false},
    {u"szélesség", u"latitude", nullptr, &Mérésadatok::szélesség, true},
    {u"hosszúság", u"longitude", nullptr, &Mérésadatok::hosszúság, true},
    {u"óra eltérése", u"clock offset", nullptr, &Mérésadatok::óraEltérés, true},
};

} // namespace

std::optional<double> Mérésadatok::arányosTávolság() const {
    if (!távolság || !töltet || !(*töltet > 0))
        return std::nullopt;
    return *távolság / std::sqrt(*töltet);
}

QList<std::pair<QString, QString>> Mérésadatok::sorok() const {
    QList<std::pair<QString, QString>> s;
    auto szöveg = [&](const char16_t* cím, const QString& érték) {
        if (!érték.isEmpty())
            s.append({QString::fromUtf16(cím), érték});
    };
    szöveg(u"Helyszín", helyszín);
    szöveg(u"Megrendelő", megrendelő);
    szöveg(u"Mérést végezte", végezte);
    szöveg(u"Műszer", műszer);
    szöveg(u"Kalibrálás dátuma", kalibrálás);
    szöveg(u"Érzékelő helye", érzékelő);
    if (távolság)
        s.append({QStringLiteral("Távolság a robbantástól"),
                  Határérték::Szám(*távolság, 1) + QStringLiteral(" m")});
    if (töltet)
        s.append({QStringLiteral("Töltet késleltetésenként"),
                  Határérték::Szám(*töltet, 2) + QStringLiteral(" kg")});
    if (const auto d = arányosTávolság())
        s.append({QStringLiteral("Arányos távolság (D/√W)"),
                  Határérték::Szám(*d, 2) + QStringLiteral(" m/kg½")});
    szöveg(u"Megjegyzés", megjegyzés);
    return s;
}

Mérésadatok Mérésadatok::állomásra(const QString& állomás) const {
    Mérésadatok m = *this;
    m.állomásonként.clear();
    const auto hol = állomásonként.constFind(állomás);
    if (hol == állomásonként.cend())
        return m;
    m = m.felülírva(*hol);
    if (hol->kategória)
        m.kategória = hol->kategória;
    if (hol->hely)
        m.hely = hol->hely;
    return m;
}

QStringList Mérésadatok::KözösTávolság(const QStringList& állomások) const {
    if (állomások.size() < 2)
        return {};
    QStringList közös;
    for (const QString& á : állomások) {
        const Mérésadatok saját = állomásonként.value(á);
        if ((távolság && !saját.távolság) || (!érzékelő.isEmpty() && saját.érzékelő.isEmpty()))
            közös << á;
    }
    return közös;
}

std::variant<Mérésadatok, Hiba> Mérésadatok::Olvas(const QByteArray& szöveg, const QString& név) {
    Mérésadatok alap;
    Mérésadatok* cél = &alap; // the section being read
    qint64 sorszám = 0;
    for (const QByteArray& nyers : szöveg.split('\n')) {
        ++sorszám;
        QString sor = QString::fromUtf8(nyers).trimmed();
        if (sor.startsWith(QChar(0xFEFF)))
            sor.remove(0, 1);
        if (sor.isEmpty() || sor.startsWith(u'#'))
            continue;
        Hiba h;
        h.fájl = név;
        h.sor = sorszám;
        if (sor.startsWith(u'[') && sor.endsWith(u']')) { // a station's section
            const QString állomás = sor.mid(1, sor.size() - 2).trimmed();
            const bool seed = állomás.count(u'.') == 2;
            const bool sorozatszám = !állomás.contains(u'.') && !állomás.contains(u' ');
            if (állomás.isEmpty() || (!seed && !sorozatszám)) {
                h.részlet =
                    QStringLiteral("a szakasz neve NET.STA.LOC vagy a műszer sorozatszáma: \"%1\"")
                        .arg(sor);
                return h;
            }
            cél = &alap.állomásonként[állomás];
            continue;
        }
        Mérésadatok& a = *cél;
        const qsizetype egyenlő = sor.indexOf(u'=');
        if (egyenlő < 0) {
            h.részlet = QStringLiteral("„kulcs = érték” helyett: \"%1\"").arg(sor);
            return h;
        }
        const QString kulcs = rt::NameKey(Cella::OszlopNév(sor.left(egyenlő).toUtf8()).név);
        const QString érték = sor.mid(egyenlő + 1).trimmed();
        if (kulcs == rt::NameKey(QStringLiteral("kategória")) ||
            kulcs == QStringLiteral("category")) {
            const std::optional<int> k = Határérték::KategóriaKeres(érték);
            if (!k) {
                h.fajta = Hiba::Fajta::NemSzám;
                h.részlet = Határérték::IsmeretlenKategória(érték);
                return h;
            }
            a.kategória = k;
            continue;
        }
        if (kulcs == rt::NameKey(QStringLiteral("hely")) || kulcs == QStringLiteral("place")) {
            const QString v = rt::NameKey(érték);
            if (v == QStringLiteral("alap") || v == QStringLiteral("foundation"))
                a.hely = Határérték::Hely::Alap;
            else if (v == rt::NameKey(QStringLiteral("födém")) || v == QStringLiteral("fodem") ||
                     v == QStringLiteral("top"))
                a.hely = Határérték::Hely::Födém;
            else {
                h.részlet = QStringLiteral("a hely alap vagy födém: \"%1\"").arg(érték);
                return h;
            }
            continue;
        }
        const Kulcs* talált = nullptr;
        for (const Kulcs& k : Kulcsok)
            if (kulcs == rt::NameKey(QString::fromUtf16(k.magyar)) ||
                kulcs == rt::NameKey(QString::fromUtf16(k.angol)))
                talált = &k;
        if (!talált) {
            h.fajta = Hiba::Fajta::IsmeretlenKulcs;
            h.részlet = QStringLiteral("ismeretlen kulcs: \"%1\"").arg(sor.left(egyenlő).trimmed());
            return h;
        }
        if (talált->szöveg) {
            a.*(talált->szöveg) = érték;
            continue;
        }
        QString miért;
        const auto szám = Cella::SzámOlvas(érték.toUtf8(), &miért);
        if (!szám || (szám->érték < 0 && !talált->előjeles)) {
            h.fajta = Hiba::Fajta::NemSzám;
            h.részlet = szám ? QStringLiteral("negatív szám: \"%1\"").arg(érték) : miért;
            return h;
        }
        a.*(talált->szám) = szám->érték;
    }
    return alap;
}

std::variant<Mérésadatok, Hiba> Mérésadatok::FájlOlvas(const QString& fájl) {
    QFile be;
    if (std::optional<Hiba> h = Szöveg::FájlMegnyit(fájl, be, QIODevice::ReadOnly)) {
        h->fájl = fájl;
        return *h;
    }
    return Olvas(be.readAll(), fájl);
}

Mérésadatok Mérésadatok::felülírva(const Mérésadatok& fölé) const {
    Mérésadatok m = *this;
    for (auto [ide, innen] :
         {std::pair{&m.helyszín, &fölé.helyszín}, std::pair{&m.megrendelő, &fölé.megrendelő},
          std::pair{&m.végezte, &fölé.végezte}, std::pair{&m.műszer, &fölé.műszer},
          std::pair{&m.kalibrálás, &fölé.kalibrálás}, std::pair{&m.érzékelő, &fölé.érzékelő},
          std::pair{&m.megjegyzés, &fölé.megjegyzés}})
        if (!innen->isEmpty())
            *ide = *innen;
    if (fölé.távolság)
        m.távolság = fölé.távolság;
    if (fölé.töltet)
        m.töltet = fölé.töltet;
    for (auto [ide, innen] :
         {std::pair{&m.eovY, &fölé.eovY}, std::pair{&m.eovX, &fölé.eovX},
          std::pair{&m.szélesség, &fölé.szélesség}, std::pair{&m.hosszúság, &fölé.hosszúság},
          std::pair{&m.óraEltérés, &fölé.óraEltérés}})
        if (*innen)
            *ide = *innen;
    return m;
}
