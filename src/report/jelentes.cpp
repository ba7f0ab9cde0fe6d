#include "jelentes.h"

#include "oldalak.h"
#include "runtime/fajliras.h"

#include "dokumentumadatok.h"

#include "analysis/tablazat.h"
#include "engine/kategoriak.h"
#include "engine/szovegek.h"
#include "painters/betu.h"
#include "painters/hatargorbe.h"
#include "painters/jelrajz.h"
#include "readers/meresadatok.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDateTime>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QLocale>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QStringList>
#include <QTimeZone>

namespace Jelentés {

namespace {

// The document's own description: its title, the operator as author, and as subject what was
// measured where.
Dokumentumadatok dokumentumadatok(const std::vector<Tétel>& tételek) {
    Dokumentumadatok a;
    a.cím = QStringLiteral("Rezgésmérési jelentés");
    QStringList mi, hol;
    for (const Tétel& t : tételek) {
        if (a.szerző.isEmpty())
            a.szerző = t.adatok.végezte;
        const QString név = t.felvétel.állomás.isEmpty() ? QFileInfo(t.felvétel.fájl).fileName()
                                                         : t.felvétel.állomás;
        if (!mi.contains(név))
            mi << név;
        if (!t.adatok.helyszín.isEmpty() && !hol.contains(t.adatok.helyszín))
            hol << t.adatok.helyszín;
    }
    a.tárgy = QStringLiteral("Rezgésmérés: %1").arg(mi.join(QStringLiteral(", ")));
    if (!hol.isEmpty())
        a.tárgy += QStringLiteral(" – ") + hol.join(QStringLiteral(", "));
    return a;
}

} // namespace

std::size_t Oldalszám(const std::vector<Tétel>& tételek) {
    std::size_t lapok = 0;
    for (const Tétel& t : tételek)
        lapok += 1 + összesítőLapok(t);
    return lapok;
}

QRectF Lapkeret() {
    const QPageLayout l(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(15, 15, 15, 15),
                        QPageLayout::Millimeter);
    return QRectF(QPointF(0, 0), l.paintRectPixels(Felbontás).size());
}

std::optional<Hiba> PdfÍr(const QString& pdf, Dokumentumadatok adatok,
                          const std::function<void(QPdfWriter&, QPainter&, const QRectF&)>& lapok) {
    auto nemÍrható = [&](const QString& miért = {}) { return ÍrásiHiba(pdf, miért); };
    adatok.készítő = QStringLiteral("%1 %2").arg(QCoreApplication::applicationName(),
                                                 QCoreApplication::applicationVersion());
    adatok.előállító = QStringLiteral("Qt ") + QString::fromLatin1(qVersion());
    const QDateTime most = QDateTime::currentDateTimeUtc();
    adatok.készült = most.addMSecs(-most.time().msec());
    QBuffer tár;
    tár.open(QIODevice::WriteOnly);
    {
        QPdfWriter író(&tár);
        író.setResolution(Felbontás);
        író.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                      QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter));
        író.setPdfVersion(QPagedPaintDevice::PdfVersion_A1b); // for filing: fonts embedded
        író.setTitle(adatok.cím);
        író.setCreator(adatok.készítő);
        író.setDocumentXmpMetadata(Xmp(adatok));
        QPainter festő;
        if (!festő.begin(&író))
            return nemÍrható();
        lapok(író, festő,
              QRectF(QPointF(0, 0), író.pageLayout().paintRectPixels(Felbontás).size()));
        if (!festő.end())
            return nemÍrható();
    }
    QByteArray bájtok = tár.data();
    if (!InfoFrissít(bájtok, adatok))
        return nemÍrható(QStringLiteral("a PDF nem egészíthető ki"));
    if (const std::optional<QString> miért = rt::FájlbaÍr(pdf, bájtok))
        return nemÍrható(*miért);
    return std::nullopt;
}

std::optional<Hiba> Ír(const QString& pdf, const std::vector<Tétel>& tételek) {
    return PdfÍr(pdf, dokumentumadatok(tételek),
                 [&](QPdfWriter& író, QPainter& festő, const QRectF& keret) {
                     const std::size_t lapok = Oldalszám(tételek);
                     std::size_t lap = 0;
                     for (const Tétel& t : tételek) {
                         if (lap > 0)
                             író.newPage();
                         oldal(festő, keret, t, ++lap, lapok);
                         for (std::size_t rész = 0; rész < összesítőLapok(t); ++rész) {
                             író.newPage();
                             összesítő(festő, keret, t, rész, ++lap, lapok);
                         }
                     }
                 });
}

} // namespace Jelentés
