#include "mseedolvaso.h"

#include "osszeallitas.h"

#include <libmseed.h>

#include <cmath>
#include <map>
#include <mutex>

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

Csatornakód kódja(const char* net, const char* sta, const char* loc, const char* cha) {
    return {QString::fromLatin1(net), QString::fromLatin1(sta), QString::fromLatin1(loc),
            QString::fromLatin1(cha), true};
}

struct Olvasó {
    MSRecord* msr = nullptr;
    MSTraceGroup* mstg = mst_initgroup(nullptr);
    ~Olvasó() {
        msr_free(&msr);
        mst_freegroup(&mstg);
    }
};

} // namespace

bool MseedAdat(QByteArrayView eleje) {
    naplóBeállít();
    return eleje.size() >= 48 &&
           ms_detect(eleje.data(), int(std::min<qsizetype>(eleje.size(), 1 << 20))) != -1;
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
    Olvasó r;
    std::map<QString, bool> egészMinták; // by channel: integer samples (counts)
    std::vector<QString> sorrend;
    qsizetype hely = 0; // where the next record is looked for
    qsizetype vége = 0; // the end of the last record read
    utolsóÜzenet.clear();
    while (méret - hely >= 48) {
        const qsizetype maradék = std::min<qsizetype>(méret - hely, INT_MAX);
        const int hossz = ms_detect(adat + hely, int(maradék));
        if (hossz < 0) {
            hely += Lépés; // not a record: step on, as libmseed's file reader does
            continue;
        }
        if (hossz > maradék)
            break; // a cut last record
        int állapot = msr_parse(adat + hely, int(maradék), &r.msr, hossz, 1, 0);
        if (állapot > 0) { // no length given, and no record after it: the rest, if it can be
            if (hossz != 0 || maradék < 128 || (maradék & (maradék - 1)) != 0)
                break;
            állapot = msr_parse(adat + hely, int(maradék), &r.msr, int(maradék), 1, 0);
        }
        if (állapot != MS_NOERROR)
            return hibás(QStringLiteral("hibás miniSEED a(z) %1. bájtnál: %2")
                             .arg(vége)
                             .arg(utolsóÜzenet.isEmpty() ? QString::fromLatin1(ms_errorstr(állapot))
                                                         : utolsóÜzenet));
        if (hely != vége)
            return hibás(QStringLiteral("a(z) %1. bájtnál nem miniSEED adat áll").arg(vége));
        vége = hely = hely + r.msr->reclen;
        if (r.msr->samplecnt == 0 || r.msr->sampletype == 'a')
            continue; // a record with no samples or with text (a log channel)
        const QString csatorna =
            kódja(r.msr->network, r.msr->station, r.msr->location, r.msr->channel).név();
        if (!egészMinták.count(csatorna))
            sorrend.push_back(csatorna);
        egészMinták[csatorna] = egészMinták[csatorna] || r.msr->sampletype == 'i';
        if (!mst_addmsrtogroup(r.mstg, r.msr, 0, -1.0, -1.0))
            return hibás(QStringLiteral("a rekord nem illeszthető be (%1)").arg(utolsóÜzenet),
                         csatorna);
    }
    if (vége != méret)
        return hibás(QStringLiteral("csonka: az utolsó teljes rekord után %1 bájt marad (a fájl "
                                    "nem egész számú rekord)")
                         .arg(méret - vége));

    // Each channel must be one continuous trace.
    std::map<QString, MSTrace*> nyomok;
    for (MSTrace* t = r.mstg->traces; t; t = t->next) {
        const QString csatorna = kódja(t->network, t->station, t->location, t->channel).név();
        if (nyomok.count(csatorna)) {
            MSTrace* másik = nyomok[csatorna];
            const bool átfedés = !(t->starttime > másik->endtime || másik->starttime > t->endtime);
            const hptime_t idő = std::max(std::min(t->starttime, másik->starttime),
                                          std::min(t->endtime, másik->endtime));
            Olvasás h = hibás(átfedés ? QStringLiteral("átfedés a felvételben")
                                      : QStringLiteral("hézag a felvételben"),
                              csatorna);
            h.hiba->időMikro = qint64(idő) / (HPTMODULUS / 1000000);
            return h;
        }
        nyomok[csatorna] = t;
    }
    std::vector<NyersCsatorna> csatornák;
    for (const QString& csatorna : sorrend) {
        MSTrace* t = nyomok[csatorna];
        MintaFajta fajta;
        fajta.count = egészMinták[csatorna];
        std::variant<double, Hiba> szorzó = Szorzó(fajta, beállítás);
        if (Hiba* h = std::get_if<Hiba>(&szorzó)) {
            h->fájl = név;
            h->csatorna = csatorna;
            o.hiba = std::move(*h);
            return o;
        }
        NyersCsatorna cs;
        cs.kód = kódja(t->network, t->station, t->location, t->channel);
        cs.mintavétel = t->samprate;
        cs.kezdetMikro = qint64(t->starttime) / (HPTMODULUS / 1000000); // hptime: µs
        cs.minták.resize(std::size_t(t->numsamples));
        for (std::size_t i = 0; i < cs.minták.size(); ++i) {
            double v;
            switch (t->sampletype) {
            case 'i':
                v = static_cast<const int32_t*>(t->datasamples)[i];
                break;
            case 'f':
                v = static_cast<const float*>(t->datasamples)[i];
                break;
            default:
                v = static_cast<const double*>(t->datasamples)[i];
                break;
            }
            if (!std::isfinite(v))
                return hibás(QStringLiteral("nem véges minta (%1.)").arg(i + 1), csatorna);
            cs.minták[i] = v * std::get<double>(szorzó);
        }
        free(t->datasamples); // the doubles replace them
        t->datasamples = nullptr;
        t->numsamples = 0;
        csatornák.push_back(std::move(cs));
    }
    return Összeállít(név, std::move(csatornák));
}

} // namespace Rezgésjel
