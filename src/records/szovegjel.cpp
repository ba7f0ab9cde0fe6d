#include "szovegjel.h"

#include "cella.h"
#include "csvolvaso.h"
#include "runtime/text.h"
#include "szovegforras.h"

#include <QDateTime>
#include <QStringList>

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

// The next line of `szöveg` from `hely`, without its end (LF, CRLF or CR).
bool sor(const QByteArray& szöveg, qsizetype& hely, QByteArrayView& eredmény) {
    if (hely >= szöveg.size())
        return false;
    qsizetype i = hely;
    while (i < szöveg.size() && szöveg[i] != '\n' && szöveg[i] != '\r')
        ++i;
    eredmény = QByteArrayView(szöveg.constData() + hely, i - hely);
    if (i < szöveg.size() && szöveg[i] == '\r' && i + 1 < szöveg.size() && szöveg[i + 1] == '\n')
        ++i;
    hely = i + 1;
    return true;
}

// TIMESERIES NET_STA_LOC_CHA_Q, N samples, R sps, START, SLIST|TSPAIR, INTEGER|FLOAT, UNIT
Eredmény idősor(const QString& fájl, const QByteArray& szöveg, const Beállítás& beállítás) {
    Eredmény e;
    std::vector<NyersCsatorna> csatornák;
    qsizetype hely = 0;
    qint64 sorszám = 0;
    QByteArrayView s;
    auto hibás = [&](const QString& mi) {
        e.hiba = QStringLiteral("%1. sor: %2").arg(sorszám).arg(mi);
        return e;
    };
    bool vanSor = sor(szöveg, hely, s);
    ++sorszám;
    while (vanSor) {
        if (Cella::Levág(s).isEmpty()) {
            vanSor = sor(szöveg, hely, s);
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
        cs.állomás = QString::fromUtf8(forrás[0] + '.' + forrás[1] + '.' + forrás[2]);
        cs.név = cs.állomás + u'.' + QString::fromUtf8(forrás[3]);
        cs.kód = QString::fromUtf8(forrás[3]);
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
        QString kezdet = QString::fromUtf8(mezők[3].trimmed());
        if (kezdet.endsWith(u'Z'))
            kezdet.chop(1);
        const QDateTime idő = QDateTime::fromString(kezdet, Qt::ISODateWithMs);
        QDateTime utc = idő;
        utc.setTimeSpec(Qt::UTC); // the time as written, in UTC
        if (!idő.isValid())
            return hibás(QStringLiteral("a kezdőidő nem olvasható: %1")
                             .arg(Cella::Idéz(mezők[3].trimmed())));
        // microseconds beyond Qt's milliseconds
        qint64 mikro = utc.toMSecsSinceEpoch() * 1000;
        const qsizetype pont = kezdet.indexOf(u'.');
        if (pont > 0 && kezdet.size() - pont - 1 > 3)
            mikro += kezdet.mid(pont + 4, 3).leftJustified(3, u'0').toInt();
        cs.kezdetMikro = mikro;
        const QByteArray elrendezés = mezők[4].trimmed();
        const QByteArray típus = mezők[5].trimmed();
        const QByteArray egység = mezők.size() > 6 ? mezők[6].trimmed() : QByteArray();
        const bool párok = elrendezés == "TSPAIR";
        if (!párok && elrendezés != "SLIST")
            return hibás(QStringLiteral("ismeretlen elrendezés: %1").arg(Cella::Idéz(elrendezés)));
        if (típus != "INTEGER" && típus != "FLOAT")
            return hibás(QStringLiteral("ismeretlen mintatípus: %1").arg(Cella::Idéz(típus)));
        MintaFajta fajta;
        fajta.count = típus == "INTEGER";
        if (!egység.isEmpty()) {
            if (egység.compare("counts", Qt::CaseInsensitive) == 0 ||
                egység.compare("count", Qt::CaseInsensitive) == 0) {
                fajta.count = true;
            } else {
                fajta.egység = EgységKeres(QString::fromUtf8(egység));
                fajta.egységSzöveg = QString::fromUtf8(egység);
                if (!fajta.egység)
                    return hibás(QStringLiteral("ismeretlen mértékegység: %1 (m/s, mm/s, in/s "
                                                "vagy Counts)")
                                     .arg(Cella::Idéz(egység)));
            }
        }
        QString miért;
        const std::optional<double> szorzó = Szorzó(fajta, beállítás, &miért, &e.érzékenységKell);
        if (!szorzó) {
            e.hiba = QStringLiteral("%1: %2").arg(cs.név, miért);
            return e;
        }
        // the samples, up to the next block
        cs.minták.reserve(std::size_t(darab));
        while ((vanSor = sor(szöveg, hely, s))) {
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
                        QStringLiteral("idő és érték helyett: %1").arg(Cella::Idéz(maradék)));
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
                                         .arg(Cella::Idéz(maradék.sliced(i, j - i))));
                    if (fajta.count && típus == "INTEGER" && v != std::floor(v))
                        return hibás(QStringLiteral("nem egész szám: %1")
                                         .arg(Cella::Idéz(maradék.sliced(i, j - i))));
                    cs.minták.push_back(v * *szorzó);
                }
                i = j;
            }
        }
        if (double(cs.minták.size()) != darab) {
            e.hiba = QStringLiteral("%1: a fejléc szerint %2 minta, de %3 áll benne")
                         .arg(cs.név)
                         .arg(qint64(darab))
                         .arg(cs.minták.size());
            return e;
        }
        csatornák.push_back(std::move(cs));
    }
    return Összeállít(fájl, std::move(csatornák));
}

Eredmény táblázat(const QString& fájl, Szöveg::Forrás& forrás, const Beállítás& beállítás) {
    Eredmény e;
    CsvOlvasó csv(forrás);
    std::vector<QByteArrayView> mezők;
    auto hibás = [&](qint64 sor, const QString& mi) {
        e.hiba = sor > 0 ? QStringLiteral("%1. sor: %2").arg(sor).arg(mi) : mi;
        return e;
    };
    // the header: the first line that is not empty
    CsvOlvasó::Eredmény r;
    while ((r = csv.következő()) == CsvOlvasó::Rekord) {
        csv.feloszt(0, mezők);
        if (!std::all_of(mezők.begin(), mezők.end(), Cella::Üres))
            break;
    }
    if (r == CsvOlvasó::Hiba)
        return hibás(csv.hibásSor(), csv.hiba());
    if (r == CsvOlvasó::Vége)
        return hibás(0, QStringLiteral("üres, nincs fejlécsora"));
    char elválasztó = ';';
    std::size_t legtöbb = 0;
    for (const char jel : CsvOlvasó::Elválasztók) {
        csv.feloszt(jel, mezők);
        if (mezők.size() > legtöbb) {
            legtöbb = mezők.size();
            elválasztó = jel;
        }
    }
    csv.elválasztótRögzít(elválasztó);
    csv.feloszt(elválasztó, mezők);
    const qint64 fejlécSor = csv.sor();
    int időOszlop = -1;
    std::vector<NyersCsatorna> csatornák;
    std::vector<int> oszlopok;
    std::vector<double> szorzók;
    for (std::size_t i = 0; i < mezők.size(); ++i) {
        const auto [név, egység] = Cella::OszlopNév(mezők[i]);
        const QString kulcs = rt::NameKey(név);
        if (kulcs == u"ido" || kulcs == u"time" || kulcs == u"t") {
            if (időOszlop >= 0)
                return hibás(fejlécSor, QStringLiteral("két időoszlop"));
            if (!egység.isEmpty() && rt::NameKey(egység) != u"s")
                return hibás(
                    fejlécSor,
                    QStringLiteral("az idő mértékegysége másodperc (s), nem %1").arg(egység));
            időOszlop = int(i);
            continue;
        }
        if (név.isEmpty())
            return hibás(fejlécSor, QStringLiteral("névtelen oszlop (%1.)").arg(i + 1));
        MintaFajta fajta;
        if (!egység.isEmpty()) {
            fajta.egység = EgységKeres(egység);
            fajta.egységSzöveg = egység;
            if (!fajta.egység)
                return hibás(fejlécSor, QStringLiteral("%1: ismeretlen mértékegység: \"%2\" (m/s, "
                                                       "mm/s vagy in/s)")
                                            .arg(név, egység));
        }
        QString miért;
        const std::optional<double> szorzó = Szorzó(fajta, beállítás, &miért);
        if (!szorzó)
            return hibás(0, QStringLiteral("%1: %2").arg(név, miért));
        NyersCsatorna cs;
        cs.név = név;
        cs.kód = név;
        csatornák.push_back(std::move(cs));
        oszlopok.push_back(int(i));
        szorzók.push_back(*szorzó);
    }
    if (csatornák.empty())
        return hibás(fejlécSor, QStringLiteral("nincs rezgésjel-oszlop"));
    if (időOszlop < 0 && !beállítás.mintavétel)
        return hibás(0, QStringLiteral("nincs időoszlop (idő, time vagy t): adja meg a "
                                       "mintavételi frekvenciát (--mintavetel)"));
    const std::size_t oszlopSzám = mezők.size();
    std::vector<double> idők;
    while ((r = csv.következő()) == CsvOlvasó::Rekord) {
        csv.feloszt(elválasztó, mezők);
        if (std::all_of(mezők.begin(), mezők.end(), Cella::Üres))
            continue;
        if (mezők.size() != oszlopSzám)
            return hibás(csv.sor(), QStringLiteral("%1 mező a fejléc %2 oszlopa helyett")
                                        .arg(mezők.size())
                                        .arg(oszlopSzám));
        QString miért;
        if (időOszlop >= 0) {
            const auto t = Cella::SzámOlvas(mezők[std::size_t(időOszlop)], &miért);
            if (!t)
                return hibás(csv.sor(), QStringLiteral("idő: %1").arg(miért));
            idők.push_back(t->érték);
        }
        for (std::size_t c = 0; c < csatornák.size(); ++c) {
            const auto v = Cella::SzámOlvas(mezők[std::size_t(oszlopok[c])], &miért);
            if (!v)
                return hibás(csv.sor(), QStringLiteral("%1: %2").arg(csatornák[c].név, miért));
            csatornák[c].minták.push_back(v->érték * szorzók[c]);
        }
    }
    if (r == CsvOlvasó::Hiba)
        return hibás(csv.hibásSor(), csv.hiba());
    double mintavétel = beállítás.mintavétel.value_or(0);
    if (időOszlop >= 0) {
        if (idők.size() < 2)
            return hibás(0, QStringLiteral("túl rövid: %1 minta").arg(idők.size()));
        const double lépés = (idők.back() - idők.front()) / double(idők.size() - 1);
        if (!(lépés > 0))
            return hibás(0, QStringLiteral("az idő nem növekszik"));
        for (std::size_t i = 1; i < idők.size(); ++i) {
            if (std::fabs((idők[i] - idők[i - 1]) - lépés) > 0.01 * lépés)
                return hibás(0, QStringLiteral("nem egyenletes mintavétel: %1 s után %2 s a "
                                               "%3 s-os lépés helyett")
                                    .arg(idők[i - 1])
                                    .arg(idők[i])
                                    .arg(lépés));
        }
        if (beállítás.mintavétel && std::fabs(*beállítás.mintavétel * lépés - 1) > 1e-3)
            return hibás(0, QStringLiteral("az időoszlop szerint %1 Hz a mintavétel, ez "
                                           "ellentmond a --mintavetel értékének")
                                .arg(1 / lépés));
        mintavétel = 1.0 / lépés;
    }
    for (NyersCsatorna& cs : csatornák)
        cs.mintavétel = mintavétel;
    return Összeállít(fájl, std::move(csatornák));
}

} // namespace

Eredmény SzövegOlvas(const QString& fájl, const Beállítás& beállítás) {
    Eredmény e;
    Szöveg::Forrás forrás;
    if (!forrás.megnyit(fájl, &e.hiba))
        return e;
    // The first text decides: TIMESERIES blocks, or a table.
    QByteArray eleje;
    if (!forrás.olvas(eleje) && !forrás.hiba().isEmpty()) {
        e.hiba = forrás.hiba();
        return e;
    }
    if (Cella::Levág(eleje.left(64)).startsWith("TIMESERIES")) {
        QByteArray szöveg = eleje;
        while (forrás.olvas(szöveg)) {
        }
        if (!forrás.hiba().isEmpty()) {
            e.hiba = forrás.hiba();
            return e;
        }
        return idősor(fájl, szöveg, beállítás);
    }
    if (!forrás.újraolvasható() || !forrás.elölről(forrás.kódolás())) {
        e.hiba = QStringLiteral("nem olvasható újra");
        return e;
    }
    e = táblázat(fájl, forrás, beállítás);
    if (!e.hiba.isEmpty() && forrás.nemUtf8() && forrás.elölről(Szöveg::Kódolás::Windows1250))
        e = táblázat(fájl, forrás, beállítás);
    return e;
}

} // namespace Rezgésjel
