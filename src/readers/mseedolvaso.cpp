#include "mseedolvaso.h"

#include "mseed3.h"
#include "osszeallitas.h"

#include <QtEndian>

#include <libmseed.h>

#include <algorithm>
#include <cctype>
#include <climits>
#include <cmath>
#include <cstring>
#include <map>
#include <mutex>
#include <optional>
#include <type_traits>

namespace Rezgésjel {

namespace {

// libmseed's messages, kept for the thread that caused them instead of printed.
thread_local QString utolsóÜzenet;

void üzenet(char* szöveg) {
    utolsóÜzenet = QString::fromLocal8Bit(szöveg).trimmed();
}

void naplóBeállít() {
    static std::once_flag egyszer;
    std::call_once(egyszer, [] { ms_loginit(üzenet, nullptr, üzenet, nullptr); });
}

// How far libmseed's own file reader steps over bytes that start no record.
constexpr qsizetype Lépés = 128;
// The shortest logical record of a SEED volume.
constexpr qsizetype LegrövidebbRekord = 256;

// Every encoding but the two floating-point ones holds counts: the integers, the Steim
// frames, and the gain-ranged encodings even where they decode to floating-point numbers.
bool countKódolás(int kódolás) {
    return kódolás != DE_FLOAT32 && kódolás != DE_FLOAT64;
}

// Whether the samples the header counts fit in the record (the compressed encodings are
// bounded by their frames).
bool elfér(const MSRecord* msr) {
    int bájt;
    switch (msr->encoding) {
    case DE_ASCII:
        bájt = 1;
        break;
    case DE_INT16:
    case DE_GEOSCOPE163:
    case DE_GEOSCOPE164:
    case DE_CDSN:
    case DE_SRO:
    case DE_DWWSSN:
        bájt = 2;
        break;
    case DE_GEOSCOPE24:
        bájt = 3;
        break;
    case DE_INT32:
    case DE_FLOAT32:
        bájt = 4;
        break;
    case DE_FLOAT64:
        bájt = 8;
        break;
    default:
        return true;
    }
    if (!msr->fsdh || msr->samplecnt < 0)
        return false;
    const int64_t hely = msr->reclen - int64_t(msr->fsdh->data_offset);
    return msr->samplecnt * bájt <= hely;
}

// A SEED control or volume header record: a sequence number, then V, A, S or T.
bool vezérlőRekord(QByteArrayView b) {
    if (b.size() < 8)
        return false;
    for (int i = 0; i < 6; ++i)
        if (!(std::isdigit(uchar(b[i])) || b[i] == ' '))
            return false;
    return std::strchr("VAST", b[6]) && b[6] && (b[7] == ' ' || b[7] == '*');
}

// The logical record length that a volume identifier (blockette 005, 008 or 010) gives.
qsizetype kötetRekordHossz(QByteArrayView b) {
    if (b.size() < 21 || b[6] != 'V')
        return 0;
    const QByteArrayView típus = b.sliced(8, 3);
    if (típus != "005" && típus != "008" && típus != "010")
        return 0;
    bool jó = false;
    const int kitevő = b.sliced(19, 2).toByteArray().toInt(&jó);
    return jó && kitevő >= 8 && kitevő <= 20 ? qsizetype(1) << kitevő : 0;
}

// One data record: a version-2 record where it lies in the bytes, decoded only when its
// channel is put together (so that a long record is never held twice); a version-3 record
// decoded.
struct Darab {
    qint64 kezdetMikro = 0;
    double mintavétel = 0;
    bool count = false;
    std::size_t mintaszám = 0;
    qsizetype hely = -1; // the version-2 record's offset, or -1
    int hossz = 0;       // its length
    std::vector<double> minták;
};

struct Csatornaadat {
    Csatornakód kód;
    std::vector<Darab> darabok;
};

// Calls `f(minták, n)` with the decoded record's samples, as the type libmseed gave them.
template <typename F> auto mintatípussal(const MSRecord* msr, F&& f) {
    const auto n = std::size_t(std::max<int64_t>(msr->numsamples, 0));
    switch (msr->sampletype) {
    case 'i':
        return f(static_cast<const int32_t*>(msr->datasamples), n);
    case 'f':
        return f(static_cast<const float*>(msr->datasamples), n);
    default:
        return f(static_cast<const double*>(msr->datasamples), n);
    }
}

std::vector<double> mintákból(const MSRecord* msr) {
    return mintatípussal(msr, [](const auto* minták, std::size_t n) {
        return std::vector<double>(minták, minták + n);
    });
}

// Appends `n` samples times `szorzó` to `ki`; where one is not finite, appends none and gives
// its index.
template <typename T>
std::optional<std::size_t> hozzáfűz(const T* minták, std::size_t n, double szorzó,
                                    std::vector<double>& ki) {
    const std::size_t eleje = ki.size();
    ki.resize(eleje + n);
    double* cél = ki.data() + eleje;
    for (std::size_t i = 0; i < n; ++i) {
        const double v = double(minták[i]);
        if constexpr (!std::is_integral_v<T>)
            if (!std::isfinite(v)) {
                ki.resize(eleje);
                return i;
            }
        cél[i] = v * szorzó;
    }
    return std::nullopt;
}

// The samples of a version-3 record: the plain encodings read here (little endian), the
// compressed ones by libmseed from a version-2 record made around them.
std::optional<std::vector<double>> mseed3Minták(const Mseed3::Rekord& r, MSRecord** msr,
                                                QString* miért) {
    const qsizetype n = r.mintaszám;
    // the plain encodings: little-endian words of a fixed size
    auto olvas = [&](auto minta) -> std::optional<std::vector<double>> {
        using T = decltype(minta);
        if (r.adat.size() < n * qsizetype(sizeof(T))) {
            *miért = QStringLiteral("a miniSEED 3 rekord adatai rövidebbek a mintaszámnál");
            return std::nullopt;
        }
        std::vector<double> v(static_cast<std::size_t>(n));
        for (qsizetype i = 0; i < n; ++i)
            v[std::size_t(i)] = double(qFromLittleEndian<T>(r.adat.data() + sizeof(T) * i));
        return v;
    };
    switch (r.kódolás) {
    case DE_INT16:
        return olvas(qint16());
    case DE_INT32:
        return olvas(qint32());
    case DE_FLOAT32:
        return olvas(float());
    case DE_FLOAT64:
        return olvas(double());
    default:
        break;
    }
    if (n > 65535) {
        *miért = QStringLiteral("túl sok minta egy miniSEED 3 rekordban (%1)").arg(n);
        return std::nullopt;
    }
    qsizetype hossz = 128;
    while (hossz < 64 + r.adat.size())
        hossz <<= 1;
    if (hossz > MAXRECLEN) {
        *miért = QStringLiteral("túl hosszú miniSEED 3 rekord");
        return std::nullopt;
    }
    QByteArray b(hossz, '\0');
    std::memcpy(b.data(), "000001D WRAP   HHZXX", 20);
    qToBigEndian<quint16>(2000, b.data() + 20); // the time is the version-3 header's
    qToBigEndian<quint16>(1, b.data() + 22);
    qToBigEndian<quint16>(quint16(n), b.data() + 30);
    qToBigEndian<qint16>(1, b.data() + 32);
    qToBigEndian<qint16>(1, b.data() + 34);
    b[39] = 1; // one blockette
    qToBigEndian<quint16>(64, b.data() + 44);
    qToBigEndian<quint16>(48, b.data() + 46);
    qToBigEndian<quint16>(1000, b.data() + 48);
    b[52] = char(r.kódolás);
    b[53] = 1; // big endian, as compressed frames are
    int kitevő = 0;
    while ((qsizetype(1) << kitevő) < hossz)
        ++kitevő;
    b[54] = char(kitevő);
    std::memcpy(b.data() + 64, r.adat.data(), std::size_t(r.adat.size()));
    utolsóÜzenet.clear();
    const int állapot = msr_parse(b.data(), int(hossz), msr, int(hossz), 1, 0);
    if (állapot != MS_NOERROR || (*msr)->numsamples != n) {
        *miért = QStringLiteral("a miniSEED 3 rekord mintái nem olvashatók (%1)")
                     .arg(utolsóÜzenet.isEmpty() ? QString::fromLatin1(ms_errorstr(állapot))
                                                 : utolsóÜzenet);
        return std::nullopt;
    }
    return mintákból(*msr);
}

} // namespace

bool MseedAdat(QByteArrayView eleje) {
    naplóBeállít();
    return Mseed3::Kezdődik(eleje) || vezérlőRekord(eleje) ||
           (eleje.size() >= 48 &&
            ms_detect(eleje.data(), int(std::min<qsizetype>(eleje.size(), 1 << 20))) != -1);
}

Olvasás MseedOlvas(QByteArray bájtok, const QString& név, const Beállítás& beállítás) {
    naplóBeállít();
    Olvasás o;
    auto hibás = [&](QString részlet, QString csatorna = {}) {
        Hiba h;
        h.fájl = név;
        h.csatorna = std::move(csatorna);
        h.részlet = std::move(részlet);
        o.hiba = std::move(h);
        return std::move(o);
    };
    char* adat = bájtok.data(); // libmseed takes the bytes to change
    const qsizetype méret = bájtok.size();
    MSRecord* msr = nullptr;
    struct Felszabadító {
        MSRecord** msr;
        ~Felszabadító() { msr_free(msr); }
    } felszabadító{&msr};
    std::vector<Csatornaadat> csatornák; // in the order they first appear
    std::map<QString, std::size_t> hol;
    qsizetype kötetHossz = 0; // a SEED volume's logical record length, once known
    bool vezérlő = false, adatrekord = false;
    qsizetype hely = 0; // where the next record is looked for
    qsizetype vége = 0; // the end of the last record read
    auto felvesz = [&](const Csatornakód& kód, Darab darab) {
        const QString kulcs = kód.név();
        auto [i, új] = hol.try_emplace(kulcs, csatornák.size());
        if (új)
            csatornák.push_back({kód, {}});
        csatornák[i->second].darabok.push_back(std::move(darab));
    };
    while (méret - hely >= 48) {
        const QByteArrayView itt(adat + hely, méret - hely);
        if (Mseed3::Kezdődik(itt)) {
            const auto fej = Mseed3::Fejléc(itt);
            if (const QString* miért = std::get_if<QString>(&fej))
                return hibás(
                    QStringLiteral("hibás miniSEED a(z) %1. bájtnál: %2").arg(hely).arg(*miért));
            const Mseed3::Rekord& r = std::get<Mseed3::Rekord>(fej);
            if (hely != vége)
                return hibás(QStringLiteral("a(z) %1. bájtnál nem miniSEED adat áll").arg(vége));
            vége = hely = hely + r.hossz;
            adatrekord = true;
            if (r.mintaszám == 0 || r.kódolás == DE_ASCII)
                continue;
            QString miért;
            std::optional<std::vector<double>> minták = mseed3Minták(r, &msr, &miért);
            if (!minták)
                return hibás(miért, r.kód.név());
            const bool count = countKódolás(r.kódolás);
            const std::size_t mintaszám = minták->size();
            felvesz(r.kód,
                    {r.kezdetMikro, r.mintavétel, count, mintaszám, -1, 0, std::move(*minták)});
            continue;
        }
        const qsizetype maradék = std::min<qsizetype>(méret - hely, INT_MAX);
        const int hossz = ms_detect(adat + hely, int(maradék));
        if (hossz < 0) {
            if (vezérlőRekord(itt)) { // a volume's control or header record: passed over
                vezérlő = true;
                if (const qsizetype h = kötetRekordHossz(itt))
                    kötetHossz = h;
                if (hely != vége)
                    return hibás(
                        QStringLiteral("a(z) %1. bájtnál nem miniSEED adat áll").arg(vége));
                hely += kötetHossz ? kötetHossz : LegrövidebbRekord;
                while (!kötetHossz && hely + 48 <= méret &&
                       ms_detect(adat + hely, int(std::min<qsizetype>(méret - hely, INT_MAX))) <
                           0 &&
                       !vezérlőRekord(QByteArrayView(adat + hely, méret - hely)) &&
                       !Mseed3::Kezdődik(QByteArrayView(adat + hely, méret - hely)))
                    hely += LegrövidebbRekord;
                vége = hely = std::min(hely, méret);
                continue;
            }
            hely += Lépés; // not a record: step on, as libmseed's file reader does
            continue;
        }
        if (hossz > maradék)
            break; // a cut last record
        utolsóÜzenet.clear();
        // the header first: samples that the record cannot hold are not decoded
        int rekordHossz = hossz;
        int állapot = msr_parse(adat + hely, int(maradék), &msr, rekordHossz, 0, 0);
        if (állapot > 0) { // no length given, and no record after it: the rest, if it can be
            if (hossz != 0 || maradék < 128 || (maradék & (maradék - 1)) != 0)
                break;
            rekordHossz = int(maradék);
            állapot = msr_parse(adat + hely, int(maradék), &msr, rekordHossz, 0, 0);
        }
        if (állapot == MS_NOERROR && !elfér(msr)) {
            Hiba h;
            h.fájl = név;
            h.részlet = QStringLiteral("hibás miniSEED a(z) %1. bájtnál: a rekord fejléce több "
                                       "mintát ír, mint amennyi elfér benne")
                            .arg(hely);
            o.hiba = std::move(h);
            return o;
        }
        if (állapot != MS_NOERROR)
            return hibás(QStringLiteral("hibás miniSEED a(z) %1. bájtnál: %2")
                             .arg(vége)
                             .arg(utolsóÜzenet.isEmpty() ? QString::fromLatin1(ms_errorstr(állapot))
                                                         : utolsóÜzenet));
        if (hely != vége)
            return hibás(QStringLiteral("a(z) %1. bájtnál nem miniSEED adat áll").arg(vége));
        vége = hely = hely + msr->reclen;
        adatrekord = true;
        if (msr->samplecnt <= 0 || msr->encoding == DE_ASCII)
            continue; // a record with no samples or with text (a log channel)
        const Csatornakód kód{QString::fromLatin1(msr->network), QString::fromLatin1(msr->station),
                              QString::fromLatin1(msr->location), QString::fromLatin1(msr->channel),
                              true};
        const bool count = countKódolás(msr->encoding);
        Darab d{qint64(msr->starttime) / (HPTMODULUS / 1000000),
                msr->samprate,
                count,
                std::size_t(msr->samplecnt),
                vége - msr->reclen,
                msr->reclen,
                {}};
        felvesz(kód, std::move(d));
    }
    if (vége != méret)
        return hibás(QStringLiteral("csonka: az utolsó teljes rekord után %1 bájt marad (a fájl "
                                    "nem egész számú rekord)")
                         .arg(méret - vége));

    // Each channel's records in time order, joined where they meet within half a sample.
    std::vector<NyersCsatorna> kész;
    QStringList kihagyott;
    for (Csatornaadat& cs : csatornák) {
        const QString csatorna = cs.kód.név();
        std::stable_sort(cs.darabok.begin(), cs.darabok.end(), [](const Darab& a, const Darab& b) {
            return a.kezdetMikro < b.kezdetMikro;
        });
        const Darab& első = cs.darabok.front();
        std::size_t összes = 0;
        bool count = false;
        for (std::size_t i = 0; i < cs.darabok.size(); ++i) {
            const Darab& d = cs.darabok[i];
            összes += d.mintaszám;
            count = count || d.count;
            if (!(d.mintavétel > 0) ||
                std::fabs(d.mintavétel - első.mintavétel) > 1e-4 * első.mintavétel)
                return hibás(
                    QStringLiteral("a mintavételi frekvencia rekordonként eltér (%1 és %2 Hz)")
                        .arg(első.mintavétel)
                        .arg(d.mintavétel),
                    csatorna);
            if (i == 0)
                continue;
            const Darab& előző = cs.darabok[i - 1];
            const double lépés = 1e6 / első.mintavétel;
            const double várt = double(előző.kezdetMikro) + double(előző.mintaszám) * lépés;
            const double eltérés = double(d.kezdetMikro) - várt;
            if (std::fabs(eltérés) > lépés / 2) {
                Olvasás h = hibás(eltérés > 0 ? QStringLiteral("hézag a felvételben")
                                              : QStringLiteral("átfedés a felvételben"),
                                  csatorna);
                h.hiba->időMikro =
                    előző.kezdetMikro +
                    qint64(double(std::max<std::size_t>(előző.mintaszám, 1) - 1) * lépés);
                return h;
            }
        }
        MintaFajta fajta;
        fajta.count = count;
        std::variant<std::monostate, Átváltás, Hiba> átváltás =
            Átvált(cs.kód, fajta, beállítás, első.kezdetMikro);
        if (Hiba* h = std::get_if<Hiba>(&átváltás)) {
            h->fájl = név;
            h->csatorna = csatorna;
            h->állomás = cs.kód.állomásNév();
            o.hiba = std::move(*h);
            return o;
        }
        if (std::holds_alternative<std::monostate>(átváltás)) {
            kihagyott << csatorna;
            continue;
        }
        NyersCsatorna n;
        n.kód = cs.kód;
        n.átváltás = std::get<Átváltás>(átváltás);
        n.mintavétel = első.mintavétel;
        n.kezdetMikro = első.kezdetMikro;
        n.minták.reserve(összes);
        for (Darab& d : cs.darabok) {
            if (d.hely >= 0) { // decoded now, straight into the channel
                utolsóÜzenet.clear();
                const int állapot = msr_parse(adat + d.hely, d.hossz, &msr, d.hossz, 1, 0);
                if (állapot != MS_NOERROR || msr->numsamples != int64_t(d.mintaszám))
                    return hibás(
                        QStringLiteral("hibás miniSEED a(z) %1. bájtnál: %2")
                            .arg(d.hely)
                            .arg(állapot != MS_NOERROR
                                     ? (utolsóÜzenet.isEmpty()
                                            ? QString::fromLatin1(ms_errorstr(állapot))
                                            : utolsóÜzenet)
                                     : QStringLiteral("a mintaszám nem egyezik a fejlécével")),
                        csatorna);
            }
            // the record just decoded, or the samples decoded before (version 3)
            const std::size_t eddig = n.minták.size();
            const double szorzó = n.átváltás.szorzó;
            const std::optional<std::size_t> nemVéges =
                d.hely < 0 ? hozzáfűz(d.minták.data(), d.minták.size(), szorzó, n.minták)
                           : mintatípussal(msr, [&](const auto* minták, std::size_t szám) {
                                 return hozzáfűz(minták, szám, szorzó, n.minták);
                             });
            if (nemVéges)
                return hibás(QStringLiteral("nem véges minta (%1.)").arg(eddig + *nemVéges + 1),
                             csatorna);
            std::vector<double>().swap(d.minták);
        }
        kész.push_back(std::move(n));
    }
    QString formátum;
    if (!adatrekord)
        formátum = vezérlő ? QStringLiteral("SEED-kötet adatrekord nélkül, csak vezérlő- és "
                                            "fejlécrekordokkal")
                           : QStringLiteral("miniSEED adatrekord nélkül");
    else if (kész.empty() && kihagyott.isEmpty())
        formátum = QStringLiteral("miniSEED, csak szöveges vagy üres rekordokkal");
    return Összeállít(név, std::move(kész), kihagyott, formátum);
}

} // namespace Rezgésjel
