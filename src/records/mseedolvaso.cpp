#include "mseedolvaso.h"

#include <QFile>
#include <QFileInfo>

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

QString forrásNév(const char* net, const char* sta, const char* loc, const char* cha) {
    return QStringLiteral("%1.%2.%3.%4")
        .arg(QLatin1String(net), QLatin1String(sta), QLatin1String(loc), QLatin1String(cha));
}

QString időSzöveg(hptime_t idő) {
    char puffer[64];
    return QString::fromLatin1(ms_hptime2isotimestr(idő, puffer, 1));
}

struct Olvasó {
    MSFileParam* msfp = nullptr;
    MSRecord* msr = nullptr;
    MSTraceGroup* mstg = nullptr;
    ~Olvasó() {
        ms_readmsr_r(&msfp, &msr, nullptr, 0, nullptr, nullptr, 0, 0, 0); // frees both
        mst_freegroup(&mstg);
    }
};

} // namespace

bool MseedFájl(const QByteArray& eleje) {
    naplóBeállít();
    return eleje.size() >= 48 && ms_detect(eleje.constData(), int(eleje.size())) != -1;
}

Eredmény MseedOlvas(const QString& fájl, const Beállítás& beállítás) {
    naplóBeállít();
    Eredmény e;
    const QByteArray név = QFile::encodeName(fájl);
    const qint64 méret = QFileInfo(fájl).size();
    Olvasó o;
    o.mstg = mst_initgroup(nullptr);
    std::map<QString, bool> egészMinták; // by channel: integer samples (counts)
    std::vector<QString> sorrend;
    off_t hely = 0;
    int utolsó = 0;
    qint64 vége = 0;
    int állapot;
    utolsóÜzenet.clear();
    // Data between records is skipped by libmseed and caught by the offsets below.
    while ((állapot = ms_readmsr_r(&o.msfp, &o.msr, név.constData(), 0, &hely, &utolsó, 1, 1, 0)) ==
           MS_NOERROR) {
        if (qint64(hely) != vége) {
            e.hiba = QStringLiteral("a(z) %1. bájtnál nem miniSEED adat áll").arg(vége);
            return e;
        }
        vége = qint64(hely) + o.msr->reclen;
        if (o.msr->samplecnt == 0 || o.msr->sampletype == 'a')
            continue; // a record with no samples or with text (a log channel)
        const QString csatorna =
            forrásNév(o.msr->network, o.msr->station, o.msr->location, o.msr->channel);
        if (!egészMinták.count(csatorna))
            sorrend.push_back(csatorna);
        egészMinták[csatorna] = egészMinták[csatorna] || o.msr->sampletype == 'i';
        if (!mst_addmsrtogroup(o.mstg, o.msr, 0, -1.0, -1.0)) {
            e.hiba =
                QStringLiteral("%1: a rekord nem illeszthető be (%2)").arg(csatorna, utolsóÜzenet);
            return e;
        }
    }
    if (állapot != MS_ENDOFFILE) {
        e.hiba = QStringLiteral("hibás miniSEED a(z) %1. bájtnál: %2")
                     .arg(vége)
                     .arg(utolsóÜzenet.isEmpty() ? QString::fromLatin1(ms_errorstr(állapot))
                                                 : utolsóÜzenet);
        return e;
    }
    if (vége != méret) {
        e.hiba = QStringLiteral("csonka: az utolsó teljes rekord után %1 bájt marad (a fájl "
                                "nem egész számú rekord)")
                     .arg(méret - vége);
        return e;
    }

    // Each channel must be one continuous trace.
    std::map<QString, MSTrace*> nyomok;
    for (MSTrace* t = o.mstg->traces; t; t = t->next) {
        const QString csatorna = forrásNév(t->network, t->station, t->location, t->channel);
        if (nyomok.count(csatorna)) {
            MSTrace* másik = nyomok[csatorna];
            const bool átfedés = !(t->starttime > másik->endtime || másik->starttime > t->endtime);
            const hptime_t idő = std::max(std::min(t->starttime, másik->starttime),
                                          std::min(t->endtime, másik->endtime));
            e.hiba =
                QStringLiteral("%1: %2 a felvételben %3 körül")
                    .arg(csatorna, átfedés ? QStringLiteral("átfedés") : QStringLiteral("hézag"),
                         időSzöveg(idő));
            return e;
        }
        nyomok[csatorna] = t;
    }
    std::vector<NyersCsatorna> csatornák;
    for (const QString& csatorna : sorrend) {
        MSTrace* t = nyomok[csatorna];
        MintaFajta fajta;
        fajta.count = egészMinták[csatorna];
        QString hiba;
        const std::optional<double> szorzó = Szorzó(fajta, beállítás, &hiba, &e.érzékenységKell);
        if (!szorzó) {
            e.hiba = QStringLiteral("%1: %2").arg(csatorna, hiba);
            return e;
        }
        NyersCsatorna cs;
        cs.állomás = csatorna.section(u'.', 0, 2);
        cs.név = csatorna;
        cs.kód = QString::fromLatin1(t->channel);
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
            if (!std::isfinite(v)) {
                e.hiba = QStringLiteral("%1: nem véges minta (%2.)").arg(csatorna).arg(i + 1);
                return e;
            }
            cs.minták[i] = v * *szorzó;
        }
        free(t->datasamples); // the doubles replace them
        t->datasamples = nullptr;
        t->numsamples = 0;
        csatornák.push_back(std::move(cs));
    }
    return Összeállít(fájl, std::move(csatornák));
}

} // namespace Rezgésjel
