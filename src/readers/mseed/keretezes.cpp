#include "keretezes.h"

#include "readers/mseed3.h"

#include <algorithm>
#include <cctype>
#include <climits>
#include <cstring>
#include <map>

namespace Rezgésjel::Mseed {

namespace {

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

// A SEED header's code: printable ASCII as it is, any other byte escaped ("\xF0"), so that
// a header written with a wrong code page never shows as garbage.
QString seedKód(const char* kód) {
    QString s;
    for (const char* p = kód; *p; ++p) {
        const auto b = static_cast<unsigned char>(*p);
        if (b >= 0x20 && b < 0x7F)
            s += QChar(b);
        else
            s += QStringLiteral("\\x") + QString::number(b, 16).toUpper().rightJustified(2, u'0');
    }
    return s;
}

Hiba hiba(Hiba::Fajta fajta, qint64 bájt, QString részlet = {}, QString csatorna = {}) {
    Hiba h;
    h.fajta = fajta;
    h.bájt = bájt;
    h.részlet = std::move(részlet);
    h.csatorna = std::move(csatorna);
    return h;
}

} // namespace

// A blank record of a SEED volume (its sequence number, then blanks), as volumes are padded.
// A SEED record's sequence number: six digits or blanks.
static bool sorszámmal(QByteArrayView b) {
    for (int i = 0; i < 6; ++i)
        if (!(std::isdigit(uchar(b[i])) || b[i] == ' '))
            return false;
    return true;
}

static bool üresRekord(QByteArrayView b) {
    if (b.size() < 48 || !sorszámmal(b))
        return false;
    for (int i = 6; i < 48; ++i)
        if (b[i] != ' ' && b[i] != '\0')
            return false;
    return true;
}

bool VezérlőRekord(QByteArrayView b) {
    if (b.size() < 8 || !sorszámmal(b))
        return false;
    return std::strchr("VAST", b[6]) && b[6] && (b[7] == ' ' || b[7] == '*');
}

std::variant<Keretek, Hiba> Keretez(QByteArray& bájtok, Dekódoló& dekódoló) {
    using F = Hiba::Fajta;
    Keretek k;
    char* adat = bájtok.data();
    const qsizetype méret = bájtok.size();
    std::map<QString, std::size_t> hol;
    qsizetype kötetHossz = 0; // a SEED volume's logical record length, once known
    qsizetype adatHossz = 0;  // the last data record's length
    qsizetype hely = 0;       // where the next record is looked for
    qsizetype vége = 0;       // the end of the last record read
    auto felvesz = [&](const Csatornakód& kód, Darab darab) {
        auto [i, új] = hol.try_emplace(kód.név(), k.csatornák.size());
        if (új)
            k.csatornák.push_back({kód, {}});
        k.csatornák[i->second].darabok.push_back(std::move(darab));
    };
    auto rekordnak = [&](qsizetype innen) { // a record of either version, or a control one
        const QByteArrayView itt(adat + innen, méret - innen);
        return ms_detect(adat + innen, int(std::min<qsizetype>(méret - innen, INT_MAX))) >= 0 ||
               VezérlőRekord(itt) || Mseed3::Kezdődik(itt);
    };
    while (méret - hely >= 48) {
        const QByteArrayView itt(adat + hely, méret - hely);
        if (Mseed3::Kezdődik(itt)) {
            auto fej = Mseed3::Fejléc(itt);
            if (Hiba* h = std::get_if<Hiba>(&fej)) {
                h->bájt = hely;
                return std::move(*h);
            }
            const Mseed3::Rekord& r = std::get<Mseed3::Rekord>(fej);
            if (hely != vége)
                return hiba(F::RekordokKözött, vége);
            vége = hely = hely + r.hossz;
            k.adatrekord = true;
            if (r.mintaszám == 0 || r.kódolás == DE_ASCII)
                continue;
            QString miért;
            std::optional<std::vector<double>> minták = dekódoló.Mseed3Minták(r, &miért);
            if (!minták)
                return hiba(F::HibásRekord, -1, miért, r.kód.név());
            const std::size_t mintaszám = minták->size();
            felvesz(r.kód, {r.kezdetMikro, r.mintavétel, CountKódolás(r.kódolás), mintaszám, -1, 0,
                            std::move(*minták)});
            continue;
        }
        const qsizetype maradék = std::min<qsizetype>(méret - hely, INT_MAX);
        const int hossz = ms_detect(adat + hely, int(maradék));
        if (hossz < 0) {
            if (kötetHossz && hely == vége && üresRekord(itt)) { // a volume's padding
                k.vezérlő = true;
                vége = hely = std::min(hely + kötetHossz, méret);
                continue;
            }
            if (adatHossz && hely == vége && üresRekord(itt)) {
                // a blank record of the data records' length after them: padding, no samples
                vége = hely = std::min(hely + adatHossz, méret);
                continue;
            }
            if (VezérlőRekord(itt)) { // a volume's control or header record: passed over
                k.vezérlő = true;
                if (const qsizetype h = kötetRekordHossz(itt))
                    kötetHossz = h;
                if (hely != vége)
                    return hiba(F::RekordokKözött, vége);
                hely += kötetHossz ? kötetHossz : LegrövidebbRekord;
                while (!kötetHossz && hely + 48 <= méret && !rekordnak(hely))
                    hely += LegrövidebbRekord;
                vége = hely = std::min(hely, méret);
                continue;
            }
            hely += Lépés; // not a record: step on, as libmseed's file reader does
            continue;
        }
        if (hossz > maradék)
            break; // a cut last record
        // the header first: samples that the record cannot hold are not decoded
        QString miért;
        int állapot = dekódoló.Rekord(adat + hely, int(maradék), hossz, false, &miért);
        if (állapot > 0) { // no length given, and no record after it: the rest, if it can be
            if (hossz != 0 || maradék < 128 || (maradék & (maradék - 1)) != 0)
                break;
            állapot = dekódoló.Rekord(adat + hely, int(maradék), int(maradék), false, &miért);
        }
        if (állapot == MS_NOERROR && !dekódoló.Elfér())
            return hiba(
                F::HibásRekord, hely,
                QStringLiteral("a rekord fejléce több mintát ír, mint amennyi elfér benne"));
        if (állapot != MS_NOERROR)
            return hiba(F::HibásRekord, vége, miért);
        if (hely != vége)
            return hiba(F::RekordokKözött, vége);
        const MSRecord* msr = dekódoló.Msr();
        vége = hely = hely + msr->reclen;
        adatHossz = msr->reclen;
        k.adatrekord = true;
        if (msr->samplecnt <= 0 || msr->encoding == DE_ASCII)
            continue; // a record with no samples or with text (a log channel)
        const Csatornakód kód{seedKód(msr->network), seedKód(msr->station), seedKód(msr->location),
                              seedKód(msr->channel), true};
        felvesz(kód, {qint64(msr->starttime) / (HPTMODULUS / 1000000),
                      msr->samprate,
                      CountKódolás(msr->encoding),
                      std::size_t(msr->samplecnt),
                      vége - msr->reclen,
                      msr->reclen,
                      {}});
    }
    if (vége != méret)
        return hiba(F::Csonka, -1,
                    QStringLiteral("csonka: az utolsó teljes rekord után %1 bájt marad (a fájl "
                                   "nem egész számú rekord)")
                        .arg(méret - vége));
    return k;
}

} // namespace Rezgésjel::Mseed
