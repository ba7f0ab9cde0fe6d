#include "rezgesjel.h"

#include "cella.h"
#include "csatornaexport.h"
#include "idosorolvaso.h"
#include "mseedolvaso.h"
#include "muszerexport.h"
#include "szovegforras.h"
#include "tablazatjel.h"

#include <QBuffer>
#include <QFile>
#include <QStringConverter>

namespace Rezgésjel {

namespace {

Olvasás hibás(const QString& név, Hiba h) {
    h.fájl = név;
    Olvasás o;
    o.hiba = std::move(h);
    return o;
}

Olvasás hibás(const QString& név, Hiba::Fajta fajta, const QString& részlet) {
    Hiba h;
    h.fajta = fajta;
    h.részlet = részlet;
    return hibás(név, std::move(h));
}

// A text: the first decoded block decides between TIMESERIES blocks and a table.
Olvasás szöveg(const QByteArray& bájtok, const QString& név, const Beállítás& beállítás) {
    QByteArray másolat = bájtok; // shared, not copied
    QBuffer puffer(&másolat);
    puffer.open(QIODevice::ReadOnly);
    Szöveg::Forrás forrás;
    forrás.megnyit(&puffer, true);
    QByteArray eleje;
    if (!forrás.olvas(eleje) && forrás.hiba())
        return hibás(név, *forrás.hiba());
    const bool idősor = Cella::Levág(eleje.left(64)).startsWith("TIMESERIES");
    const bool csatornás = CsatornaExport(eleje.left(64));
    if (idősor || csatornás || MűszerExport(eleje.left(64))) {
        QByteArray szöveg = eleje;
        while (forrás.olvas(szöveg)) {
        }
        if (forrás.hiba())
            return hibás(név, *forrás.hiba());
        return idősor      ? IdősorOlvas(szöveg, név, beállítás)
               : csatornás ? CsatornaExportOlvas(szöveg, név, beállítás)
                           : MűszerExportOlvas(szöveg, név, beállítás);
    }
    if (!forrás.elölről(forrás.kódolás()))
        return hibás(név, Hiba::Fajta::Tartalom, QStringLiteral("nem olvasható újra"));
    Olvasás o = TáblázatOlvas(forrás, név, beállítás);
    if (o.hiba && forrás.kódlapraVált())
        o = TáblázatOlvas(forrás, név, beállítás);
    return o;
}

// Bytes that no text holds: a NUL, or many control characters, near the start (a text in
// UTF-16 says so with its byte order mark).
bool bináris(const QByteArray& bájtok) {
    if (QStringConverter::encodingForData(bájtok))
        return false;
    const QByteArrayView eleje =
        QByteArrayView(bájtok).first(std::min<qsizetype>(bájtok.size(), 1 << 16));
    qsizetype vezérlő = 0;
    for (const char c : eleje) {
        if (c == '\0')
            return true;
        if (uchar(c) < 0x20 && c != '\t' && c != '\n' && c != '\r' && c != '\f')
            ++vezérlő;
    }
    return vezérlő * 20 > eleje.size();
}

} // namespace

bool RezgésjelKezdet(QByteArrayView eleje) {
    const QByteArrayView szöveg = Cella::Levág(eleje.first(std::min<qsizetype>(eleje.size(), 64)));
    return MseedAdat(eleje) || szöveg.startsWith("TIMESERIES") || MűszerExport(szöveg) ||
           CsatornaExport(szöveg);
}

Olvasás Olvas(QByteArray bájtok, const QString& név, const Beállítás& beállítás) {
    if (!MseedAdat(bájtok) && bináris(bájtok))
        return hibás(név, Hiba::Fajta::IsmeretlenFormátum,
                     QStringLiteral("ismeretlen bináris formátum (nem miniSEED, nem szöveg)"));
    Olvasás o = MseedAdat(bájtok) ? MseedOlvas(std::move(bájtok), név, beállítás)
                                  : szöveg(bájtok, név, beállítás);
    if (o.hiba)
        o.felvételek.clear(); // a fault in one record is a fault of the input
    return o;
}

Olvasás Olvas(QIODevice& eszköz, const QString& név, const Beállítás& beállítás) {
    return Olvas(eszköz.readAll(), név, beállítás);
}

Olvasás FájlOlvas(const QString& fájl, const Beállítás& beállítás) {
    QFile be;
    if (std::optional<Hiba> h = Szöveg::FájlMegnyit(fájl, be, QIODevice::ReadOnly))
        return hibás(fájl, std::move(*h));
    QByteArray bájtok = be.readAll();
    if (be.error() != QFileDevice::NoError) {
        Hiba h;
        h.fajta = Hiba::Fajta::NemOlvasható;
        h.részlet = be.errorString();
        return hibás(fájl, std::move(h));
    }
    be.close();
    return Olvas(std::move(bájtok), fájl, beállítás);
}

} // namespace Rezgésjel
