#include "felvetel.h"

#include "runtime/text.h"

namespace Rezgésjel {

QString Csatornakód::állomásNév() const {
    return seed ? hálózat + u'.' + állomás + u'.' + hely : QString();
}

QString Csatornakód::név() const {
    return seed ? állomásNév() + u'.' + csatorna : csatorna;
}

std::optional<QDateTime> Felvétel::kezdet() const {
    if (!kezdetMikro)
        return std::nullopt;
    return QDateTime::fromMSecsSinceEpoch(*kezdetMikro / 1000, Qt::UTC);
}

void Felvétel::mintákElenged() {
    for (Csatorna& cs : csatornák)
        std::vector<double>().swap(cs.minták);
}

QString Felvétel::szakaszNév() const {
    return szakaszok > 0 ? QStringLiteral("%1/%2. folytonos szakasz").arg(szakasz).arg(szakaszok)
                         : QString();
}

Csatorna Csatorna::fejléc() const {
    Csatorna c;
    c.kód = kód;
    c.mennyiség = mennyiség;
    c.függőleges = függőleges;
    c.nyers = nyers;
    c.érzékenységreVár = érzékenységreVár;
    c.egységIsmeretlen = egységIsmeretlen;
    c.érzékenységből = érzékenységből;
    c.átváltás = átváltás;
    c.mintavétel = mintavétel;
    c.kezdetMikro = kezdetMikro;
    c.mintaszám = mintaszám;
    return c;
}

Felvétel Felvétel::fejléc() const {
    Felvétel f;
    f.fájl = fájl;
    f.állomás = állomás;
    f.kezdetMikro = kezdetMikro;
    f.mintavétel = mintavétel;
    f.mintaszám = mintaszám;
    f.kihagyott = kihagyott;
    f.műszer = műszer;
    f.szakasz = szakasz;
    f.szakaszok = szakaszok;
    f.csatornák.reserve(csatornák.size());
    for (const Csatorna& cs : csatornák)
        f.csatornák.push_back(cs.fejléc());
    return f;
}

std::optional<Egység> EgységKeres(const QString& szöveg) {
    QString k = rt::NameKey(szöveg); // "m/s²" is "m/s2", "µ" is "μ"
    k.remove(u' ');
    k.replace(QStringLiteral("**"), QStringLiteral("^")).remove(u'^');
    if (k.endsWith(QStringLiteral("/s/s")))
        k = k.chopped(4) + QStringLiteral("/s2");
    for (const IsmertEgység& e : IsmertEgységek)
        if (k == QStringView(e.kulcs))
            return Egység{e.mennyiség, e.szorzó};
    return std::nullopt;
}

QString EgységFelsorolás(std::optional<Mennyiség> csak, const QStringList& továbbiak) {
    QStringList nevek;
    for (const IsmertEgység& e : IsmertEgységek)
        if (e.felsorolt && (!csak || e.mennyiség == *csak))
            nevek << QString::fromUtf16(e.név);
    nevek += továbbiak;
    const QString utolsó = nevek.takeLast();
    return nevek.isEmpty() ? utolsó
                           : nevek.join(QStringLiteral(", ")) + QStringLiteral(" vagy ") + utolsó;
}

QString EgységNeve(Mennyiség mennyiség, double szorzó) {
    for (const IsmertEgység& e : IsmertEgységek)
        if (e.felsorolt && e.mennyiség == mennyiség && e.szorzó == szorzó)
            return QString::fromUtf16(e.név);
    return AlapEgység(mennyiség);
}

QString AlapEgység(Mennyiség mennyiség) {
    switch (mennyiség) {
    case Mennyiség::Gyorsulás:
        return QStringLiteral("m/s²");
    case Mennyiség::Nyomás:
        return QStringLiteral("Pa");
    default:
        return QStringLiteral("mm/s");
    }
}

std::optional<Mennyiség> MűszerMennyiség(const QString& kód) {
    if (kód.size() != 3)
        return Mennyiség::Sebesség;
    switch (kód[1].toUpper().unicode()) {
    case u'H':
    case u'L':
    case u'P':
        return Mennyiség::Sebesség;
    case u'N':
        return Mennyiség::Gyorsulás;
    case u'D':
        return Mennyiség::Nyomás;
    default:
        return std::nullopt;
    }
}

bool Felvétel::egyenlőAblakok() const {
    for (const Csatorna& cs : csatornák)
        if (cs.mintavétel != csatornák.front().mintavétel ||
            cs.kezdetMikro != csatornák.front().kezdetMikro ||
            cs.mintaszám != csatornák.front().mintaszám)
            return false;
    return true;
}

bool Függőleges(const QString& csatornaKód) {
    const QString kulcs = rt::NameKey(csatornaKód);
    if (kulcs == u"v" || kulcs == u"z" || kulcs == u"fuggoleges" || kulcs == u"vertical" ||
        kulcs == u"vert")
        return true;
    return csatornaKód.size() >= 2 && csatornaKód.endsWith(u'Z');
}

} // namespace Rezgésjel
