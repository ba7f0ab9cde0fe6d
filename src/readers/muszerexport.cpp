#include "muszerexport.h"

#include "cella.h"
#include "exportfejlec.h"
#include "osszeallitas.h"

#include <QDateTime>
#include <QLocale>
#include <QRegularExpression>
#include <QTimeZone>

#include <cmath>

namespace Rezgésjel {

namespace {

constexpr QByteArrayView Elsőkulcs = "\"Event Type";

// A header line's key, its blanks made single: "Tran  Test Results" is "Tran Test Results".
QString kulcsa(QByteArrayView kulcs) {
    return QString::fromUtf8(kulcs).simplified();
}

// A line's fields: split at TABs (the ASCII form) or at commas outside quotes (the CSV form),
// each without its blanks and the quotes around it; the empty ones after the last dropped.
QList<QByteArrayView> mezők(QByteArrayView sor, bool csv) {
    QList<QByteArrayView> ki;
    qsizetype eleje = 0;
    bool idézetben = false;
    for (qsizetype i = 0; i <= sor.size(); ++i) {
        if (i < sor.size() && csv && sor[i] == '"')
            idézetben = !idézetben; // a doubled quote inside toggles twice
        if (i == sor.size() || (!idézetben && sor[i] == (csv ? ',' : '\t'))) {
            QByteArrayView m = Cella::Levág(sor.sliced(eleje, i - eleje));
            if (csv && m.size() >= 2 && m.front() == '"' && m.back() == '"')
                m = m.sliced(1, m.size() - 2);
            ki << m;
            eleje = i + 1;
        }
    }
    while (!ki.isEmpty() && ki.last().isEmpty())
        ki.removeLast();
    return ki;
}

// A quoted field's text: a doubled quote is one.
QString szövege(QByteArrayView mező) {
    return QString::fromUtf8(mező).replace(QStringLiteral("\"\""), QStringLiteral("\"")).trimmed();
}

} // namespace

bool MűszerExport(QByteArrayView eleje) {
    return Cella::Levág(eleje).startsWith(Elsőkulcs);
}

Olvasás MűszerExportOlvas(const QByteArray& szöveg, const QString& fájl, const Beállítás& b) {
    // the header: "Key : value" lines up to the first blank one; in the CSV form "key","value"
    // lines up to a blank one or to the table's row of names
    Export::Fejléc fejléc;
    qsizetype hely = 0;
    qint64 sorszám = 0;
    QByteArrayView s;
    bool csv = false;
    QList<QByteArrayView> nevek; // the table's columns, where no blank line came before them
    while (Cella::Sor(szöveg, hely, s)) {
        ++sorszám;
        const QByteArrayView t = Cella::Levág(s);
        if (t.isEmpty())
            break;
        if (sorszám == 1)
            csv = t.startsWith("\"Event Type\",");
        if (csv) {
            const QList<QByteArrayView> kv = mezők(t, true);
            if (kv.size() > 2) {
                nevek = kv;
                break;
            }
            fejléc.sorok.append({kulcsa(kv.value(0)), szövege(kv.value(1))});
            continue;
        }
        if (t.size() < 2 || !t.startsWith('"') || !t.endsWith('"'))
            return HibásOlvasás(
                fájl, Hiba::Fajta::HibásFejléc, sorszám,
                QStringLiteral("nem \"kulcs : érték\" sor: %1").arg(Cella::Idéz(t)));
        const QByteArrayView belül = t.sliced(1, t.size() - 2);
        const qsizetype kettőspont = belül.indexOf(QByteArrayView(" : "));
        if (kettőspont < 0)
            return HibásOlvasás(
                fájl, Hiba::Fajta::HibásFejléc, sorszám,
                QStringLiteral("nem \"kulcs : érték\" sor: %1").arg(Cella::Idéz(t)));
        fejléc.sorok.append({kulcsa(belül.first(kettőspont)),
                             QString::fromUtf8(belül.sliced(kettőspont + 3)).trimmed()});
    }
    auto érték = [&](const QString& kulcs) { return fejléc.érték(kulcs); };
    const qint64 fejlécVége = sorszám;
    auto hiányzik = [&](const QString& kulcs) {
        return HibásOlvasás(fájl, Hiba::Fajta::HibásFejléc, fejlécVége,
                            QStringLiteral("a fejlécből hiányzik: \"%1\"").arg(kulcs));
    };
    auto képtelen = [&](const QString& kulcs, const QString& szöveg) {
        return HibásOlvasás(fájl, Hiba::Fajta::HibásFejléc, fejlécVége,
                            QStringLiteral("képtelen időtartam: \"%1 : %2\"").arg(kulcs, szöveg));
    };

    auto műszer = std::make_shared<Műszeradatok>();
    műszer->formátum =
        csv ? QStringLiteral("Full Waveform CSV") : QStringLiteral("Full Waveform ASCII");
    const std::optional<Export::Szám> ráta =
        Export::SzámÉrték(érték(QStringLiteral("Sample Rate")));
    if (!ráta || !(ráta->érték > 0))
        return hiányzik(QStringLiteral("Sample Rate"));
    const double mintavétel = ráta->érték;

    // the units: "mm/s and " (no microphone), "in/s and dB", "mm/s and Pa"
    const QStringList egységek =
        érték(QStringLiteral("Units"))
            .split(QRegularExpression(QStringLiteral("\\s+and(?:\\s+|$)")));
    const QString sebességEgység = egységek.value(0).trimmed();
    const QString nyomásEgység = egységek.value(1).trimmed();
    const std::optional<Egység> sebesség = EgységKeres(sebességEgység);
    if (!sebesség || sebesség->mennyiség != Mennyiség::Sebesség) {
        return HibásOlvasás(fájl, Hiba::Fajta::IsmeretlenEgység, fejlécVége,
                            QStringLiteral("ismeretlen mértékegység: \"%1\" (%2)")
                                .arg(sebességEgység, EgységFelsorolás(Mennyiség::Sebesség)));
    }

    // the clock: the trigger's date and time, in the instrument's zone
    const QTimeZone zóna = Export::Zóna(b, műszer->időzóna);
    const QDate nap =
        QLocale::c().toDate(érték(QStringLiteral("Event Date")), QStringLiteral("MMMM d, yyyy"));
    const QTime óra =
        QTime::fromString(érték(QStringLiteral("Event Time")), QStringLiteral("H:mm:ss"));
    std::optional<double> előindítás;
    const QString előindításSzöveg = érték(QStringLiteral("Pre-trigger Length"));
    if (const auto p = Export::IdőtartamÉrték(előindításSzöveg)) {
        if (p->képtelen)
            return képtelen(QStringLiteral("Pre-trigger Length"), előindításSzöveg);
        előindítás = std::fabs(p->másodperc);
    }
    műszer->indítás = előindítás;
    std::optional<qint64> kezdetMikro;
    if (nap.isValid() && óra.isValid() && zóna.isValid())
        kezdetMikro = QDateTime(nap, óra, zóna).toMSecsSinceEpoch() * 1000 -
                      std::llround(előindítás.value_or(0) * 1e6);

    // the table: its header row, then the samples
    while (nevek.isEmpty() && Cella::Sor(szöveg, hely, s)) {
        ++sorszám;
        if (!Cella::Üres(s))
            nevek = mezők(s, csv);
    }
    if (nevek.isEmpty())
        return HibásOlvasás(fájl, Hiba::Fajta::NincsFejlécsor, sorszám,
                            QStringLiteral("a fejléc után nincs Tran, Vert, Long táblázat"));
    std::vector<NyersCsatorna> csatornák;
    QStringList kihagyott;
    std::vector<int> hová; // each column's channel, or -1 for one left out
    for (const QByteArrayView n : nevek) {
        const QString név = QString::fromUtf8(n);
        MintaFajta fajta;
        Csatornakód kód;
        kód.csatorna = név;
        const bool mikrofon = név.startsWith(QStringLiteral("Mic"), Qt::CaseInsensitive);
        if (mikrofon) {
            fajta.egység = EgységKeres(nyomásEgység);
            fajta.egységSzöveg = nyomásEgység;
            if (!fajta.egység || fajta.egység->mennyiség != Mennyiség::Nyomás) {
                // a level in dB is no pressure to take a peak of
                kihagyott << QStringLiteral("%1 (%2)").arg(
                    név,
                    nyomásEgység.isEmpty() ? QStringLiteral("mértékegység nélkül") : nyomásEgység);
                hová.push_back(-1);
                continue;
            }
        } else if (név == u"Tran" || név == u"Vert" || név == u"Long") {
            fajta.egység = sebesség;
            fajta.egységSzöveg = sebességEgység;
        } else {
            return HibásOlvasás(fájl, Hiba::Fajta::HibásFejléc, sorszám,
                                QStringLiteral("ismeretlen oszlop: %1 (Tran, Vert, Long vagy MicL)")
                                    .arg(Cella::Idéz(n)));
        }
        std::variant<std::monostate, Átváltás, Hiba> á = Átvált(kód, fajta, b, kezdetMikro);
        if (Hiba* h = std::get_if<Hiba>(&á)) {
            h->fájl = fájl;
            h->csatorna = név;
            Olvasás o;
            o.hiba = std::move(*h);
            return o;
        }
        NyersCsatorna cs;
        cs.kód = kód;
        cs.átváltás = std::get<Átváltás>(á);
        cs.mintavétel = mintavétel;
        cs.kezdetMikro = kezdetMikro;
        hová.push_back(int(csatornák.size()));
        csatornák.push_back(std::move(cs));
    }
    qint64 utolsóSor = sorszám;
    while (Cella::Sor(szöveg, hely, s)) {
        ++sorszám;
        if (Cella::Üres(s))
            continue;
        const QList<QByteArrayView> m = mezők(s, csv);
        if (m.size() != nevek.size()) {
            return MezőszámHiba(fájl, sorszám, m.size(), nevek.size());
        }
        for (qsizetype c = 0; c < m.size(); ++c) {
            if (hová[std::size_t(c)] < 0)
                continue;
            QString miért;
            const std::optional<Cella::Szám> x = Cella::SzámOlvas(m[c], &miért);
            if (!x) {
                return HibásOlvasás(fájl, Hiba::Fajta::NemSzám, sorszám, miért, int(c + 1),
                                    QString::fromUtf8(nevek[c]));
            }
            NyersCsatorna& cs = csatornák[std::size_t(hová[std::size_t(c)])];
            cs.minták.push_back(x->érték * cs.átváltás.szorzó);
        }
        utolsóSor = sorszám;
    }
    // the stated length: the record time and the pre-trigger
    const std::size_t n = csatornák.empty() ? 0 : csatornák.front().minták.size();
    const QString hosszSzöveg = érték(QStringLiteral("Record Time"));
    if (const auto hossz = Export::IdőtartamÉrték(hosszSzöveg)) {
        if (hossz->képtelen)
            return képtelen(QStringLiteral("Record Time"), hosszSzöveg);
        const double várt = (hossz->másodperc + előindítás.value_or(0)) * mintavétel;
        if (double(n) + 1 < std::floor(várt))
            return HibásOlvasás(
                fájl, Hiba::Fajta::Csonka, utolsóSor,
                QStringLiteral("a táblázat %1 minta után véget ér, a fejléc szerint %2 "
                               "kell (Record Time, Pre-trigger Length)")
                    .arg(n)
                    .arg(QString::number(std::floor(várt), 'f', 0)));
    }

    // the particulars the header fills
    Mérésadatok& a = műszer->adatok;
    QStringList műszerSzöveg;
    const QString verzió = érték(QStringLiteral("Version")).simplified();
    const QString sorozatszám = érték(QStringLiteral("Serial Number"));
    műszerSzöveg << (verzió.isEmpty() ? sorozatszám
                                      : QStringLiteral("%1, %2").arg(sorozatszám, verzió));
    if (const QString r = érték(QStringLiteral("Geo Range")); !r.isEmpty())
        műszerSzöveg << QStringLiteral("méréshatár %1").arg(r);
    if (const QString t = érték(QStringLiteral("Geo Trigger Level")); !t.isEmpty())
        műszerSzöveg << QStringLiteral("indítási szint %1").arg(t);
    if (előindítás)
        műszerSzöveg << QStringLiteral("előindítás %1 s")
                            .arg(QLocale(QLocale::Hungarian).toString(*előindítás, 'f', 3));
    műszerSzöveg << QStringLiteral("órája: %1").arg(műszer->időzóna);
    a.műszer = műszerSzöveg.join(QStringLiteral("; "));
    a.végezte = érték(QStringLiteral("Operator"));
    a.helyszín = érték(QStringLiteral("Location:"));
    a.megrendelő = érték(QStringLiteral("Client:"));
    a.megjegyzés = érték(QStringLiteral("General:"));
    if (const auto r = Export::SzámÉrték(érték(QStringLiteral("Geo Range")))) {
        if (const std::optional<Egység> e = EgységKeres(r->egység);
            e && e->mennyiség == Mennyiség::Sebesség)
            műszer->méréshatár = r->érték * e->szorzó;
    }
    const QString kalibrálás = érték(QStringLiteral("Calibration"));
    const qsizetype by = kalibrálás.indexOf(QStringLiteral(" by "));
    const QDate kalibrálva = QLocale::c().toDate(by < 0 ? kalibrálás : kalibrálás.left(by),
                                                 QStringLiteral("MMMM d, yyyy"));
    if (kalibrálva.isValid())
        Export::Kalibrálás(*műszer, kalibrálva, nap,
                           by < 0 ? QString() : kalibrálás.mid(by + 4).trimmed());
    else
        a.kalibrálás = kalibrálás;
    // the sensor check and the instrument's own figures, per channel
    for (std::size_t c = 0; c < csatornák.size(); ++c) {
        const QString név = csatornák[c].kód.csatorna;
        const QString eredmény = érték(név + QStringLiteral(" Test Results"));
        if (!eredmény.isEmpty() &&
            eredmény.compare(QStringLiteral("Passed"), Qt::CaseInsensitive) != 0 &&
            eredmény.compare(QStringLiteral("Disabled"), Qt::CaseInsensitive) != 0)
            műszer->megjegyzések
                << QStringLiteral("a(z) %1 érzékelő önellenőrzése: %2").arg(név, eredmény);
        if (csatornák[c].átváltás.mennyiség != Mennyiség::Sebesség)
            continue;
        for (const auto& [mi, kulcs] : {std::pair{Állított::Mi::Ppv, QStringLiteral(" PPV")},
                                        std::pair{Állított::Mi::Zc, QStringLiteral(" ZC Freq")}}) {
            const QString k = név + kulcs;
            const auto e = Export::SzámÉrték(érték(k));
            if (!e)
                continue;
            Állított á;
            á.mi = mi;
            á.csatorna = int(c);
            const double szorzó = mi == Állított::Mi::Ppv ? csatornák[c].átváltás.szorzó : 1;
            á.érték = e->érték * szorzó;
            á.kerekítés = e->kerekítés * szorzó;
            á.szöveg = QStringLiteral("%1 : %2").arg(k, érték(k));
            műszer->állított.push_back(á);
        }
    }
    if (const auto e = Export::SzámÉrték(érték(QStringLiteral("Peak Vector Sum")))) {
        Állított á;
        á.mi = Állított::Mi::Pvs;
        á.érték = e->érték * sebesség->szorzó;
        á.kerekítés = e->kerekítés * sebesség->szorzó;
        á.szöveg =
            QStringLiteral("Peak Vector Sum : %1").arg(érték(QStringLiteral("Peak Vector Sum")));
        műszer->állított.push_back(á);
    }

    Olvasás o = Összeállít(fájl, std::move(csatornák), kihagyott, QStringLiteral("Full Waveform"));
    for (Felvétel& f : o.felvételek) {
        f.állomás = sorozatszám;
        f.műszer = műszer;
        for (Csatorna& cs : f.csatornák)
            cs.függőleges = cs.kód.csatorna == u"Vert";
    }
    return o;
}

} // namespace Rezgésjel
