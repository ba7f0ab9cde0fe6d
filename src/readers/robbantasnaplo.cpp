#include "robbantasnaplo.h"

#include "cella.h"
#include "csvolvaso.h"
#include "runtime/text.h"
#include "szovegforras.h"

#include <QBuffer>
#include <QDateTime>
#include <QRegularExpression>
#include <QSet>
#include <QTimeZone>

#include <array>
#include <cmath>

namespace Robbantásnapló {

namespace {

constexpr int FejlécKeresés = 64; // non-empty lines searched for the header

enum Oszlop {
    Azonosító,
    Idő,
    Töltet,
    ÖsszesTöltet,
    Késleltetések,
    EovY,
    EovX,
    Szélesség,
    Hosszúság,
    Megjegyzés,
    OszlopokSzáma
};

// The names each column goes by, Hungarian first.
const std::array<std::vector<const char16_t*>, OszlopokSzáma> Nevek = {{
    {u"azonosító", u"robbantás", u"id", u"blast", u"identifier"},
    {u"idő", u"időpont", u"dátum és idő", u"time", u"date and time", u"datetime"},
    {u"töltet késleltetésenként", u"töltet/késleltetés", u"késleltetésenkénti töltet",
     u"charge per delay", u"max charge per delay", u"mic"},
    {u"összes töltet", u"teljes töltet", u"total charge"},
    {u"késleltetések száma", u"késleltetések", u"delays", u"number of delays"},
    {u"EOV Y", u"Y (EOV)"},
    {u"EOV X", u"X (EOV)"},
    {u"szélesség", u"latitude", u"lat"},
    {u"hosszúság", u"longitude", u"lon"},
    {u"megjegyzés", u"notes", u"note", u"comment"},
}};

Hiba naplóHiba(const QString& név, qint64 sor, QString részlet,
               Hiba::Fajta fajta = Hiba::Fajta::Tartalom) {
    Hiba h;
    h.fajta = fajta;
    h.fájl = név;
    h.sor = sor;
    h.részlet = std::move(részlet);
    return h;
}

std::variant<std::vector<Robbantás>, Hiba> olvas(Szöveg::Forrás& forrás, const QString& név) {
    CsvOlvasó csv(forrás);
    std::vector<QByteArrayView> mezők;
    std::array<int, OszlopokSzáma> hely;
    hely.fill(-1);
    char elválasztó = 0;
    std::vector<Robbantás> robbantások;
    QSet<QString> azonosítók;
    int fölötte = 0; // non-empty lines above the header (a title, a site's name)
    qint64 elsőSor = 0;
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
        if (!elválasztó) { // the header: the separator that names the identifier and the time
            for (const char jel : CsvOlvasó::Elválasztók) {
                csv.feloszt(jel, mezők);
                std::array<int, OszlopokSzáma> h;
                h.fill(-1);
                for (std::size_t i = 0; i < mezők.size(); ++i) {
                    const QString kulcs = rt::NameKey(Cella::OszlopNév(mezők[i]).név);
                    for (std::size_t o = 0; o < Nevek.size(); ++o)
                        for (const char16_t* n : Nevek[o])
                            if (kulcs == rt::NameKey(QString::fromUtf16(n))) {
                                if (h[o] >= 0)
                                    return naplóHiba(név, csv.sor(),
                                                     QStringLiteral("ez az oszlop kétszer "
                                                                    "szerepel: %1")
                                                         .arg(Cella::Idéz(mezők[i])),
                                                     Hiba::Fajta::OszlopKétszer);
                                h[o] = int(i);
                            }
                }
                if (h[Azonosító] >= 0 && h[Idő] >= 0) {
                    hely = h;
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
                return naplóHiba(név, elsőSor,
                                 QStringLiteral("a fejlécsor nem nevezi meg a robbantás "
                                                "azonosítóját és idejét (azonosító; idő, vagy "
                                                "id; time)"),
                                 Hiba::Fajta::NincsFejlécsor);
            continue;
        }
        auto cella = [&](Oszlop o) -> QString {
            const int i = hely[o];
            return i >= 0 && std::size_t(i) < mezők.size()
                       ? QString::fromUtf8(Cella::Levág(mezők[std::size_t(i)]))
                       : QString();
        };
        Robbantás r;
        r.sor = csv.sor();
        r.azonosító = cella(Azonosító);
        if (r.azonosító.isEmpty())
            return naplóHiba(név, r.sor, QStringLiteral("nincs azonosító"));
        if (azonosítók.contains(r.azonosító))
            return naplóHiba(név, r.sor,
                             QStringLiteral("a(z) %1 azonosító kétszer szerepel").arg(r.azonosító));
        azonosítók.insert(r.azonosító);
        const std::optional<qint64> idő = Időpont(cella(Idő));
        if (!idő)
            return naplóHiba(név, r.sor,
                             QStringLiteral("nem időpont: \"%1\" (ISO 8601, például "
                                            "2026-09-14T08:30:00+02:00)")
                                 .arg(cella(Idő)),
                             Hiba::Fajta::NemSzám);
        r.időMikro = *idő;
        for (const auto& [o, hova, előjeles] :
             {std::tuple{Töltet, &r.töltet, false},
              std::tuple{ÖsszesTöltet, &r.összesTöltet, false}, std::tuple{EovY, &r.eovY, false},
              std::tuple{EovX, &r.eovX, false}, std::tuple{Szélesség, &r.szélesség, true},
              std::tuple{Hosszúság, &r.hosszúság, true}}) {
            const QString c = cella(o);
            if (c.isEmpty())
                continue;
            QString miért;
            const std::optional<Cella::Szám> x = Cella::SzámOlvas(c.toUtf8(), &miért);
            if (!x || (!előjeles && x->érték < 0))
                return naplóHiba(név, r.sor,
                                 x ? QStringLiteral("negatív szám: \"%1\"").arg(c) : miért,
                                 Hiba::Fajta::NemSzám);
            *hova = x->érték;
        }
        if (const QString c = cella(Késleltetések); !c.isEmpty()) {
            bool egész = false;
            const int n = c.toInt(&egész);
            if (!egész || n < 1)
                return naplóHiba(
                    név, r.sor,
                    QStringLiteral("a késleltetések száma pozitív egész: \"%1\"").arg(c),
                    Hiba::Fajta::NemSzám);
            r.késleltetések = n;
        }
        r.megjegyzés = cella(Megjegyzés);
        robbantások.push_back(std::move(r));
    }
    if (!elválasztó)
        return naplóHiba(név, elsőSor,
                         QStringLiteral("nincs benne fejlécsor, amely megnevezi a robbantás "
                                        "azonosítóját és idejét (azonosító; idő, vagy id; time)"),
                         Hiba::Fajta::NincsFejlécsor);
    return robbantások;
}

} // namespace

std::optional<qint64> Időpont(const QString& szöveg) {
    static const QTimeZone magyar(QByteArrayLiteral("Europe/Budapest"));
    QString s = szöveg.trimmed();
    // "2026.09.14. 08:30:00" as Hungarian spreadsheets write it
    static const QRegularExpression pontos(
        QStringLiteral("^(\\d{4})\\.\\s*(\\d{1,2})\\.\\s*(\\d{1,2})\\.?\\s+(\\d{1,2}:\\d{2}(?::\\d{"
                       "2}(?:[.,]\\d+)?)?)$"));
    if (const QRegularExpressionMatch m = pontos.match(s); m.hasMatch())
        s = QStringLiteral("%1-%2-%3T%4")
                .arg(m.captured(1), m.captured(2).rightJustified(2, u'0'),
                     m.captured(3).rightJustified(2, u'0'),
                     m.captured(4).replace(u',', u'.').rightJustified(5, u'0'));
    s.replace(u' ', u'T');
    QDateTime t = QDateTime::fromString(s, Qt::ISODateWithMs);
    if (!t.isValid())
        return std::nullopt;
    if (t.timeSpec() == Qt::LocalTime) // no zone written: Hungarian local time
        t = QDateTime(t.date(), t.time(), magyar);
    return t.toMSecsSinceEpoch() * 1000;
}

std::variant<std::vector<Robbantás>, Hiba> Olvas(const QByteArray& bájtok, const QString& név) {
    return Szöveg::BájtokbólOlvas(bájtok, [&](Szöveg::Forrás& f) { return olvas(f, név); });
}

std::variant<std::vector<Robbantás>, Hiba> FájlOlvas(const QString& fájl) {
    QFile be;
    if (std::optional<Hiba> h = Szöveg::FájlMegnyit(fájl, be, QIODevice::ReadOnly)) {
        h->fájl = fájl;
        return *h;
    }
    return Olvas(be.readAll(), fájl);
}

} // namespace Robbantásnapló
