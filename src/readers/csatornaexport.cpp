#include "csatornaexport.h"

#include "cella.h"
#include "exportfejlec.h"
#include "osszeallitas.h"

#include <QDateTime>
#include <QRegularExpression>
#include <QTimeZone>

#include <cmath>

namespace Rezgésjel {

namespace {

// A line's quoted, comma-separated fields; the empty one after a row's last comma dropped.
QList<QString> mezők(QByteArrayView sor) {
    QList<QString> ki;
    QByteArray mező;
    bool idézetben = false, volt = false;
    for (qsizetype i = 0; i < sor.size(); ++i) {
        const char c = sor[i];
        if (idézetben) {
            if (c == '"' && i + 1 < sor.size() && sor[i + 1] == '"') {
                mező += '"';
                ++i;
            } else if (c == '"') {
                idézetben = false;
            } else {
                mező += c;
            }
        } else if (c == '"') {
            idézetben = true;
        } else if (c == ',') {
            ki << QString::fromUtf8(mező).trimmed();
            mező.clear();
            volt = false;
            continue;
        } else {
            mező += c;
        }
        volt = true;
    }
    if (volt || !mező.isEmpty())
        ki << QString::fromUtf8(mező).trimmed();
    return ki;
}

// A clock time "12:44:42.2608" (seconds not always padded: "12:44:2.5"), in µs from midnight.
std::optional<qint64> óraidő(const QString& szöveg) {
    static const QRegularExpression minta(
        QStringLiteral("^(\\d{1,2}):(\\d{1,2}):(\\d{1,2})(?:\\.(\\d{1,6}))?$"));
    const QRegularExpressionMatch m = minta.match(szöveg);
    if (!m.hasMatch())
        return std::nullopt;
    const QString tört = m.captured(4).leftJustified(6, u'0');
    const qint64 óra = m.captured(1).toLongLong(), perc = m.captured(2).toLongLong(),
                 mp = m.captured(3).toLongLong();
    if (óra > 23 || perc > 59 || mp > 60)
        return std::nullopt;
    return ((óra * 60 + perc) * 60 + mp) * 1'000'000 + tört.toLongLong();
}

} // namespace

bool CsatornaExport(QByteArrayView eleje) {
    return Cella::Levág(eleje).startsWith("\"File\",");
}

Olvasás CsatornaExportOlvas(const QByteArray& szöveg, const QString& fájl, const Beállítás& b) {
    // lines end in LF, CRLF, CR or LF CR: every run of them is one end, and blank lines
    // carry nothing here; each keeps its number as an editor counts LFs
    struct Sor {
        QByteArrayView szöveg;
        qint64 szám;
    };
    QList<Sor> sorok;
    qint64 szám = 1;
    qsizetype eleje = 0;
    for (qsizetype i = 0; i <= szöveg.size(); ++i) {
        if (i == szöveg.size() || szöveg[i] == '\n' || szöveg[i] == '\r') {
            if (i > eleje)
                sorok << Sor{QByteArrayView(szöveg).sliced(eleje, i - eleje), szám};
            if (i < szöveg.size() && szöveg[i] == '\n')
                ++szám;
            eleje = i + 1;
        }
    }
    Export::Fejléc fejléc;
    QList<std::pair<int, double>> zc; // channel number, Hz
    qsizetype táblázat = -1;
    for (qsizetype i = 0; i < sorok.size(); ++i) {
        const QList<QString> m = mezők(sorok[i].szöveg);
        if (m.value(0) == u"Time" && m.size() > 1 && m.value(1).startsWith(u"Channel")) {
            táblázat = i;
            break;
        }
        if (m.value(0).startsWith(u"Channel:")) {
            const auto f = Export::SzámÉrték(m.value(1));
            bool jó = false;
            const int n = m.value(0).mid(8).trimmed().toInt(&jó);
            if (jó && f)
                zc << std::pair{n, f->érték};
            continue;
        }
        if (m.size() >= 2)
            fejléc.sorok << std::pair{m[0], m[1]};
    }
    if (táblázat < 0)
        return HibásOlvasás(fájl, Hiba::Fajta::NincsFejlécsor,
                            sorok.isEmpty() ? 0 : sorok.last().szám,
                            QStringLiteral("nincs \"Time\",\"Channel 1 (…)\" táblázat"));
    auto érték = [&](const QString& kulcs) { return fejléc.érték(kulcs); };
    const auto ráta = Export::SzámÉrték(érték(QStringLiteral("Sampling rate")));
    if (!ráta || !(ráta->érték > 0))
        return HibásOlvasás(fájl, Hiba::Fajta::HibásFejléc, sorok[táblázat].szám,
                            QStringLiteral("a fejlécből hiányzik: \"Sampling rate\""));
    const double mintavétel = ráta->érték;

    auto műszer = std::make_shared<Műszeradatok>();
    műszer->formátum = QStringLiteral("CSV export");
    const QTimeZone zóna = Export::Zóna(b, műszer->időzóna);
    // "2024-07-09 / 12:44:42": the trigger
    const QStringList dátumIdő = érték(QStringLiteral("Date & Time")).split(u'/');
    const QDate nap = QDate::fromString(dátumIdő.value(0).trimmed(), Qt::ISODate);
    const std::optional<qint64> indításÓra = óraidő(dátumIdő.value(1).trimmed());
    std::optional<double> előindítás;
    const QString előindításSzöveg = érték(QStringLiteral("Pretrigger"));
    if (const auto p = Export::IdőtartamÉrték(előindításSzöveg)) {
        if (p->képtelen)
            return HibásOlvasás(
                fájl, Hiba::Fajta::HibásFejléc, sorok[táblázat].szám,
                QStringLiteral("képtelen időtartam: \"Pretrigger\",\"%1\"").arg(előindításSzöveg));
        előindítás = p->másodperc;
    }
    műszer->indítás = előindítás;

    // the table's columns
    const QList<QString> nevek = mezők(sorok[táblázat].szöveg);
    struct Oszlop {
        int csatorna = -1; // its place among the channels; -1: the vector sum, or left out
        bool vektor = false;
    };
    std::vector<Oszlop> oszlopok(std::size_t(nevek.size()));
    std::vector<NyersCsatorna> csatornák;
    std::vector<int> számok; // each channel's number
    QStringList kihagyott;
    static const QRegularExpression oszlopMinta(
        QStringLiteral("^(Channel|Vector sum)\\s+(\\d+)\\s*\\(([^)]*)\\)$"));
    for (qsizetype c = 1; c < nevek.size(); ++c) {
        const QRegularExpressionMatch m = oszlopMinta.match(nevek[c]);
        if (!m.hasMatch())
            return HibásOlvasás(fájl, Hiba::Fajta::HibásFejléc, sorok[táblázat].szám,
                                QStringLiteral("ismeretlen oszlop: \"%1\"").arg(nevek[c]),
                                int(c + 1));
        if (m.captured(1) == u"Vector sum") {
            oszlopok[std::size_t(c)].vektor = true;
            continue;
        }
        MintaFajta fajta;
        fajta.egységSzöveg = m.captured(3);
        fajta.egység = EgységKeres(fajta.egységSzöveg);
        if (!fajta.egység)
            return HibásOlvasás(fájl, Hiba::Fajta::IsmeretlenEgység, sorok[táblázat].szám,
                                QStringLiteral("ismeretlen mértékegység: \"%1\" (%2)")
                                    .arg(fajta.egységSzöveg, EgységFelsorolás()),
                                int(c + 1));
        NyersCsatorna cs;
        cs.kód.csatorna = QStringLiteral("Channel %1").arg(m.captured(2));
        std::variant<std::monostate, Átváltás, Hiba> á = Átvált(cs.kód, fajta, b, std::nullopt);
        if (Hiba* h = std::get_if<Hiba>(&á)) {
            h->fájl = fájl;
            h->csatorna = cs.kód.csatorna;
            Olvasás o;
            o.hiba = std::move(*h);
            return o;
        }
        cs.átváltás = std::get<Átváltás>(á);
        cs.mintavétel = mintavétel;
        oszlopok[std::size_t(c)].csatorna = int(csatornák.size());
        számok.push_back(m.captured(2).toInt());
        csatornák.push_back(std::move(cs));
    }
    if (csatornák.empty())
        return HibásOlvasás(fájl, Hiba::Fajta::NincsHullámforma, sorok[táblázat].szám,
                            QStringLiteral("a táblázatnak nincs csatornaoszlopa"));
    double vektorCsúcs = -1;
    QString vektorEgység;
    std::optional<qint64> elsőIdő;
    bool órás = false;
    for (qsizetype i = táblázat + 1; i < sorok.size(); ++i) {
        const QList<QString> m = mezők(sorok[i].szöveg);
        if (m.size() != nevek.size()) {
            return MezőszámHiba(fájl, sorok[i].szám, m.size(), nevek.size());
        }
        if (!elsőIdő) {
            if (const std::optional<qint64> t = óraidő(m[0])) {
                elsőIdő = t;
                órás = true;
            } else if (const auto ms = Export::SzámÉrték(m[0]); ms && ms->egység.isEmpty()) {
                elsőIdő = std::llround(ms->érték * 1000);
            } else {
                return HibásOlvasás(
                    fájl, Hiba::Fajta::NemSzám, sorok[i].szám,
                    QStringLiteral("az idő nem óraidő és nem ezredmásodperc: \"%1\"").arg(m[0]), 1);
            }
        }
        for (qsizetype c = 1; c < m.size(); ++c) {
            QString miért;
            const QByteArray cella = m[c].toUtf8();
            const std::optional<Cella::Szám> x = Cella::SzámOlvas(cella, &miért);
            if (!x) {
                return HibásOlvasás(fájl, Hiba::Fajta::NemSzám, sorok[i].szám, miért, int(c + 1),
                                    nevek[c]);
            }
            const Oszlop& o = oszlopok[std::size_t(c)];
            if (o.vektor)
                vektorCsúcs = std::max(vektorCsúcs, std::fabs(x->érték));
            else
                csatornák[std::size_t(o.csatorna)].minták.push_back(
                    x->érték * csatornák[std::size_t(o.csatorna)].átváltás.szorzó);
        }
    }
    // the start: the first row's clock time on the trigger's day, or the trigger less the
    // pre-trigger where the time is elapsed
    std::optional<qint64> kezdetMikro;
    if (nap.isValid() && zóna.isValid()) {
        const qint64 éjfél = QDateTime(nap, QTime(0, 0), zóna).toMSecsSinceEpoch() * 1000;
        if (órás && elsőIdő)
            kezdetMikro = éjfél + *elsőIdő;
        else if (indításÓra)
            kezdetMikro = éjfél + *indításÓra - std::llround(előindítás.value_or(0) * 1e6);
    }
    for (NyersCsatorna& cs : csatornák)
        cs.kezdetMikro = kezdetMikro;

    Mérésadatok& a = műszer->adatok;
    a.műszer = QStringLiteral("%1; előindítás %2; órája: %3")
                   .arg(érték(QStringLiteral("Serial number")), érték(QStringLiteral("Pretrigger")),
                        műszer->időzóna);
    const QDate kalibrálva =
        QDate::fromString(érték(QStringLiteral("Date of calibration")).trimmed(), Qt::ISODate);
    if (kalibrálva.isValid())
        Export::Kalibrálás(*műszer, kalibrálva, nap);
    else
        a.kalibrálás = érték(QStringLiteral("Date of calibration"));
    QStringList jegyzetek;
    for (int n = 1; n <= 3; ++n)
        if (const QString j = érték(QStringLiteral("Note %1").arg(n)); !j.isEmpty())
            jegyzetek << j;
    const QString hossz = érték(QStringLiteral("Longitude")),
                  szél = érték(QStringLiteral("Latitude"));
    if (!hossz.isEmpty() || !szél.isEmpty())
        jegyzetek << QStringLiteral("hely: %1 É, %2 K").arg(szél, hossz);
    a.megjegyzés = jegyzetek.join(QStringLiteral("; "));
    for (const auto& [n, f] : zc) {
        const auto hol = std::find(számok.begin(), számok.end(), n);
        if (hol == számok.end() ||
            csatornák[std::size_t(hol - számok.begin())].átváltás.mennyiség != Mennyiség::Sebesség)
            continue;
        Állított á;
        á.mi = Állított::Mi::Zc;
        á.csatorna = int(hol - számok.begin());
        á.érték = f;
        á.kerekítés = 0.5;
        á.szöveg = QStringLiteral("Channel: %1 : %2 Hz").arg(n).arg(f);
        műszer->állított.push_back(á);
    }
    if (vektorCsúcs >= 0) {
        Állított á;
        á.mi = Állított::Mi::Pvs;
        á.érték = vektorCsúcs;
        á.kerekítés = 0.0005;
        á.szöveg = QStringLiteral("Vector sum : %1 mm/s").arg(vektorCsúcs);
        műszer->állított.push_back(á);
    }

    Olvasás o = Összeállít(fájl, std::move(csatornák), kihagyott, QStringLiteral("CSV export"));
    for (Felvétel& f : o.felvételek) {
        f.állomás = érték(QStringLiteral("Serial number"));
        f.műszer = műszer;
        for (std::size_t c = 0; c < f.csatornák.size(); ++c) {
            Csatorna& cs = f.csatornák[c];
            if (cs.mennyiség != Mennyiség::Sebesség)
                continue;
            cs.függőleges = b.függőleges && *b.függőleges == számok[c];
            cs.irányIsmeretlen = !b.függőleges;
        }
    }
    return o;
}

} // namespace Rezgésjel
