#pragma once

#include "dokumentumadatok.h"
#include "jelentes.h"

#include <QDateTime>
#include <QPainter>
#include <QPalette>
#include <QPdfWriter>
#include <QRectF>

#include <functional>

// The report's pages, each drawn inside `keret` as page `lap` of `lapok`: a record's page,
// a monitoring record's summary of its events, and what every page shares.
namespace Jelentés {

// The PDF's coordinates at the resolution that fonts are measured at, so that the painters
// measure text as it will be drawn.
inline constexpr int Felbontás = 96;

QPalette nyomtatóPaletta();

// A time as Hungarian paper has it: "2026. 12. 04. 09:41:12".
QString magyarIdő(const QDateTime& idő, const QString& másodpercek);

// A record's start: UTC, and beside it the clock time in Hungary with its zone (CET/CEST).
QString kezdőidő(const QDateTime& utc);

// A line to sign, then the footer: the program, when the report was made, the page.
void lábléc(QPainter& festő, const QRectF& keret, std::size_t lap, std::size_t lapok);

// A PDF/A-1b document on A4 with 15 mm margins, its description `adatok` (the program as
// its creator, now as its time filled in), its pages drawn by `lapok` into the page's
// rectangle (a new page by the writer's newPage); the fault (Írás) where it cannot be written.
std::optional<Hiba> PdfÍr(const QString& pdf, Dokumentumadatok adatok,
                          const std::function<void(QPdfWriter&, QPainter&, const QRectF&)>& lapok);

// The rectangle a page is drawn in.
QRectF Lapkeret();

// One record's page.
void oldal(QPainter& festő, const QRectF& keret, const Tétel& t, std::size_t lap,
           std::size_t lapok);

// The pages a monitoring record's summary of its events takes, and its page `rész`.
std::size_t összesítőLapok(const Tétel& t);
void összesítő(QPainter& festő, const QRectF& keret, const Tétel& t, std::size_t rész,
               std::size_t lap, std::size_t lapok);

} // namespace Jelentés
