#include "idosorolvaso.h"

#include "cella.h"
#include "osszeallitas.h"

#include <QDateTime>

#include <cmath>

namespace Rezgésjel {

namespace {

// A number of a TIMESERIES header or sample.
bool szám(QByteArrayView szöveg, double& érték) {
    QString miért;
    const std::optional<Cella::Szám> sz = Cella::SzámOlvas(szöveg, &miért);
    if (sz)
        érték = sz->érték;
    return sz.has_value();
}

// TIMESERIES NET_STA_LOC_CHA_Q, N samples, R sps, START, SLIST|TSPAIR, INTEGER|FLOAT, UNIT
} // namespace

std::optional<qint64> KezdetMikro(const QString& szöveg) {
    QString idő = szöveg;
    if (idő.endsWith(u'Z'))
        idő.chop(1);
    // the seconds' fraction read from its digits; Qt keeps milliseconds only
    qint64 mikro = 0;
    const qsizetype pont = idő.indexOf(u'.');
    if (pont >= 0) {
        qsizetype vég = pont + 1;
        qint64 hely = 100000;
        while (vég < idő.size() && idő[vég].isDigit() && idő[vég].unicode() < 128) {
            mikro += hely * (idő[vég].unicode() - u'0');
            hely /= 10;
            ++vég;
        }
        if (vég == pont + 1)
            return std::nullopt;
        idő.remove(pont, vég - pont);
    }
    QDateTime dátum = QDateTime::fromString(idő, Qt::ISODate);
    if (!dátum.isValid())
        return std::nullopt;
    dátum.setTimeSpec(Qt::UTC); // the time as written, in UTC
    return dátum.toSecsSinceEpoch() * 1000000 + mikro;
}

Olvasás IdősorOlvas(const QByteArray& szöveg, const QString& fájl, const Beállítás& beállítás) {
    Olvasás e;
    std::vector<NyersCsatorna> csatornák;
    QStringList kihagyott; // channels that measure no motion
    qsizetype hely = 0;
    qint64 sorszám = 0;
    QByteArrayView s;
    // most faults are of a block's header; the others say their kind
    auto hibás = [&](const QString& mi, const QString& csatorna = {}, qint64 sor = -1,
                     Hiba::Fajta fajta = Hiba::Fajta::HibásFejléc) {
        Hiba h;
        h.fajta = fajta;
        h.fájl = fájl;
        h.sor = sor < 0 ? sorszám : sor;
        h.csatorna = csatorna;
        h.részlet = mi;
        e.hiba = std::move(h);
        return std::move(e);
    };
    bool vanSor = Cella::Sor(szöveg, hely, s);
    ++sorszám;
    while (vanSor) {
        if (Cella::Levág(s).isEmpty()) {
            vanSor = Cella::Sor(szöveg, hely, s);
            ++sorszám;
            continue;
        }
        if (!s.startsWith("TIMESERIES "))
            return hibás(QStringLiteral("TIMESERIES fejléc helyett: %1")
                             .arg(Cella::Idéz(s.first(std::min<qsizetype>(60, s.size())))));
        const QList<QByteArray> mezők = s.toByteArray().split(',');
        if (mezők.size() < 6)
            return hibás(QStringLiteral("hiányos TIMESERIES fejléc"));
        const QList<QByteArray> forrás = mezők[0].mid(11).trimmed().split('_');
        if (forrás.size() < 4)
            return hibás(QStringLiteral("a csatorna nem NET_STA_LOC_CHA alakú: %1")
                             .arg(Cella::Idéz(mezők[0].mid(11).trimmed())));
        NyersCsatorna cs;
        cs.kód = {QString::fromUtf8(forrás[0]), QString::fromUtf8(forrás[1]),
                  QString::fromUtf8(forrás[2]), QString::fromUtf8(forrás[3]), true};
        const QByteArray darabSzöveg = mezők[1].trimmed();
        const QByteArray rátaSzöveg = mezők[2].trimmed();
        double darab = 0;
        if (!darabSzöveg.endsWith(" samples") ||
            !szám(Cella::Levág(darabSzöveg.chopped(8)), darab) || darab < 0 ||
            darab != std::floor(darab) || darab > 1e9)
            return hibás(
                QStringLiteral("a mintaszám nem olvasható: %1").arg(Cella::Idéz(darabSzöveg)));
        if (!rátaSzöveg.endsWith(" sps") ||
            !szám(Cella::Levág(rátaSzöveg.chopped(4)), cs.mintavétel))
            return hibás(
                QStringLiteral("a mintavétel nem olvasható: %1").arg(Cella::Idéz(rátaSzöveg)));
        cs.kezdetMikro = KezdetMikro(QString::fromUtf8(mezők[3].trimmed()));
        if (!cs.kezdetMikro)
            return hibás(QStringLiteral("a kezdőidő nem olvasható: %1")
                             .arg(Cella::Idéz(mezők[3].trimmed())));
        const QByteArray elrendezés = mezők[4].trimmed();
        const QByteArray típus = mezők[5].trimmed();
        const QByteArray egység = mezők.size() > 6 ? mezők[6].trimmed() : QByteArray();
        const bool párok = elrendezés == "TSPAIR";
        if (!párok && elrendezés != "SLIST")
            return hibás(QStringLiteral("ismeretlen elrendezés: %1").arg(Cella::Idéz(elrendezés)));
        if (típus != "INTEGER" && típus != "FLOAT")
            return hibás(QStringLiteral("ismeretlen mintatípus: %1").arg(Cella::Idéz(típus)));
        MintaFajta fajta;
        fajta.nyers = típus == "INTEGER";
        if (!egység.isEmpty()) {
            if (egység.compare("counts", Qt::CaseInsensitive) == 0 ||
                egység.compare("count", Qt::CaseInsensitive) == 0) {
                fajta.nyers = true;
            } else {
                fajta.egység = EgységKeres(QString::fromUtf8(egység));
                fajta.egységSzöveg = QString::fromUtf8(egység);
                if (!fajta.egység)
                    return hibás(
                        QStringLiteral("ismeretlen mértékegység: %1 (%2)")
                            .arg(Cella::Idéz(egység),
                                 EgységFelsorolás(std::nullopt, {QStringLiteral("Counts")})),
                        {}, -1, Hiba::Fajta::IsmeretlenEgység);
            }
        }
        std::variant<std::monostate, Átváltás, Hiba> átváltás =
            Átvált(cs.kód, fajta, beállítás, cs.kezdetMikro);
        if (Hiba* h = std::get_if<Hiba>(&átváltás)) {
            h->fájl = fájl;
            h->csatorna = cs.kód.név();
            h->állomás = cs.kód.állomásNév();
            e.hiba = std::move(*h);
            return e;
        }
        const bool kihagy = std::holds_alternative<std::monostate>(átváltás);
        if (!kihagy)
            cs.átváltás = std::get<Átváltás>(átváltás);
        const double szorzó = cs.átváltás.szorzó;
        // the samples, up to the next block
        // room for what the header says, but never more than the rest of the text can hold
        // (a digit and a separator a sample): a false count cannot ask for gigabytes
        cs.minták.reserve(
            std::size_t(std::min<double>(darab, double(szöveg.size() - hely) / 2 + 1)));
        while ((vanSor = Cella::Sor(szöveg, hely, s))) {
            ++sorszám;
            if (s.startsWith("TIMESERIES"))
                break;
            QByteArrayView maradék = s;
            if (párok) {
                maradék = Cella::Levág(maradék);
                if (maradék.isEmpty())
                    continue;
                const qsizetype köz =
                    maradék.indexOf(' ') >= 0 ? maradék.indexOf(' ') : maradék.indexOf('\t');
                if (köz < 0)
                    return hibás(
                        QStringLiteral("idő és érték helyett: %1").arg(Cella::Idéz(maradék)), {},
                        -1, Hiba::Fajta::Tartalom);
                maradék = maradék.sliced(köz);
            }
            qsizetype i = 0;
            while (i < maradék.size()) {
                while (i < maradék.size() && QChar::isSpace(uchar(maradék[i])))
                    ++i;
                qsizetype j = i;
                while (j < maradék.size() && !QChar::isSpace(uchar(maradék[j])))
                    ++j;
                if (j > i) {
                    double v;
                    if (!szám(maradék.sliced(i, j - i), v))
                        return hibás(QStringLiteral("nem szám: %1")
                                         .arg(Cella::Idéz(maradék.sliced(i, j - i))),
                                     {}, -1, Hiba::Fajta::NemSzám);
                    if (fajta.nyers && típus == "INTEGER" && v != std::floor(v))
                        return hibás(QStringLiteral("nem egész szám: %1")
                                         .arg(Cella::Idéz(maradék.sliced(i, j - i))),
                                     {}, -1, Hiba::Fajta::NemSzám);
                    cs.minták.push_back(v * szorzó);
                }
                i = j;
            }
        }
        if (double(cs.minták.size()) != darab)
            return hibás(QStringLiteral("a fejléc szerint %1 minta, de %2 áll benne")
                             .arg(qint64(darab))
                             .arg(cs.minták.size()),
                         cs.kód.név(), 0, Hiba::Fajta::Csonka);
        if (kihagy)
            kihagyott << cs.kód.név();
        else
            csatornák.push_back(std::move(cs));
    }
    return Összeállít(fájl, std::move(csatornák), kihagyott);
}

} // namespace Rezgésjel
