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

double MilliméterreVált(Egység egység) {
    switch (egység) {
    case Egység::MéterPerSec:
        return 1000.0;
    case Egység::HüvelykPerSec:
        return 25.4;
    default:
        return 1.0;
    }
}

std::optional<Egység> EgységKeres(const QString& szöveg) {
    QString kulcs = rt::NameKey(szöveg);
    kulcs.remove(u' ');
    if (kulcs == u"mm/s")
        return Egység::MilliméterPerSec;
    if (kulcs == u"m/s")
        return Egység::MéterPerSec;
    if (kulcs == u"in/s" || kulcs == u"ips")
        return Egység::HüvelykPerSec;
    return std::nullopt;
}

bool Függőleges(const QString& csatornaKód) {
    const QString kulcs = rt::NameKey(csatornaKód);
    if (kulcs == u"v" || kulcs == u"z" || kulcs == u"fuggoleges" || kulcs == u"vertical")
        return true;
    return csatornaKód.size() >= 2 && csatornaKód.endsWith(u'Z');
}

} // namespace Rezgésjel
