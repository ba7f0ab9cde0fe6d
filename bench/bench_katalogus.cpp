// Catalogue speed. Import: N blast-monitor exports into a fresh SQLite catalogue, records/s
// and MB/s next to the same files only read and analysed (the --elemez work, its peer), and
// the peak memory. Listing and statistics: 100 000 measurements made in the catalogue, then
// listed and summed up, the seconds next to the one-second floor. Not a test: run it by hand,
// "bench_katalogus [files] [measurements]".
#include "catalogue/behozatal.h"
#include "catalogue/kampanymodell.h"
#include "catalogue/statisztika.h"
#include "exportwriter.h"
#include "sitelaw/adatpontok.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>
#include <sys/resource.h>

namespace {

void print(const QString& line) {
    std::fputs((line + u'\n').toUtf8().constData(), stdout); // a point whatever the C locale
}

QString fixed(double value, int decimals) {
    return QString::number(value, 'f', decimals);
}

double peakMegabytes() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return double(u.ru_maxrss) / 1024;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const int files = argc > 1 ? QByteArray(argv[1]).toInt() : 200;
    const int measurements = argc > 2 ? QByteArray(argv[2]).toInt() : 100'000;
    QTemporaryDir dir;
    QStringList paths;
    double megabytes = 0;
    for (int i = 0; i < files; ++i) { // 4 s at 1024/s, each of its own bytes
        FullWaveform w;
        w.recordTime = 4;
        w.time = QByteArray::number(10 + i / 3600 % 10) + ':' +
                 QByteArray::number(i / 60 % 60).rightJustified(2, '0') + ':' +
                 QByteArray::number(i % 60).rightJustified(2, '0');
        const QByteArray bytes = w.bytes();
        megabytes += double(bytes.size()) / 1e6;
        const QString path = dir.filePath(QStringLiteral("e%1.TXT").arg(i));
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly))
            return 1;
        f.write(bytes);
        paths << path;
    }

    // the peer: each file read and analysed as --elemez does
    QElapsedTimer timer;
    timer.start();
    Feldolgozás::Kérés k;
    for (const QString& p : paths)
        if (Feldolgozás::Fájl(p, k).hiba)
            return 1;
    const double analysed = double(timer.nsecsElapsed()) / 1e9;

    Katalógus::Cím cím;
    cím.fájl = dir.filePath(QStringLiteral("bench.velorix"));
    auto megnyitott = Katalógus::Katalógusfájl::Megnyit(cím, true);
    if (!std::holds_alternative<std::unique_ptr<Katalógus::Katalógusfájl>>(megnyitott))
        return 1;
    Katalógus::Katalógusfájl& kat =
        *std::get<std::unique_ptr<Katalógus::Katalógusfájl>>(megnyitott);
    Katalógus::Behozatal b;
    b.kategória = 1;
    const double before = peakMegabytes();
    timer.restart();
    for (const QString& p : paths)
        if (Katalógus::FájltFelvesz(kat, p, b).mi != Katalógus::FájlEredmény::Mi::Felvéve)
            return 1;
    const double imported = double(timer.nsecsElapsed()) / 1e9;
    print(QStringLiteral("import of %1 files (%2 MB): %3 records/s, %4 MB/s; read and analysed "
                         "alone (peer): %5 records/s, %6 MB/s; peak memory %7 MB (%8 MB before)")
              .arg(files)
              .arg(fixed(megabytes, 1), fixed(files / imported, 0), fixed(megabytes / imported, 1),
                   fixed(files / analysed, 0), fixed(megabytes / analysed, 1),
                   fixed(peakMegabytes(), 0), fixed(before, 0)));

    // the listing and the statistics of many measurements: a file's worth at a time
    std::vector<Katalógus::Mérés> batch;
    const int perFile = 1000;
    for (int done = files; done < measurements; done += perFile) {
        batch.clear();
        for (int i = 0; i < perFile; ++i) {
            Katalógus::Mérés m;
            m.pont = QStringLiteral("P%1").arg(i % 7);
            m.sorszám = i;
            m.kezdetMikro = 1'780'000'000'000'000 + qint64(done + i) * 3'600'000'000;
            m.mintavétel = 1024;
            m.mintaszám = 4096;
            m.kategória = 1;
            m.ítélet = (done + i) % 17 ? Katalógus::Ítélet::Megfelel : Katalógus::Ítélet::Túllépi;
            m.ppv = 0.5 + (done + i) % 97 * 0.1;
            m.frekvencia = 10 + (done + i) % 40;
            m.határSzázad = 750;
            m.kihasználtságTized = qint64(*m.ppv / 7.5 * 1000);
            m.döntő = QStringLiteral("Vert");
            m.távolság = 50 + (done + i) % 450;
            m.töltet = 5 + (done + i) % 23;
            for (const char* c : {"Tran", "Vert", "Long"})
                m.komponensek.push_back({QString::fromLatin1(c), 0, m.ppv, 0.1, m.frekvencia,
                                         m.frekvencia, 1.0, 0.01, 750, m.kihasználtságTized,
                                         QStringLiteral("megfelel")});
            batch.push_back(std::move(m));
        }
        std::vector<Katalógus::Pont> points;
        for (int p = 0; p < 7; ++p) {
            Katalógus::Pont pt;
            pt.kód = QStringLiteral("P%1").arg(p);
            pt.kategória = 1;
            points.push_back(pt);
        }
        if (!std::holds_alternative<Katalógus::Katalógusfájl::Eredmény>(kat.felvesz(
                QStringLiteral("batch"), QByteArray::number(done), QString(), points, batch)))
            return 1;
    }
    timer.restart();
    auto list = kat.lista({});
    if (!std::holds_alternative<std::vector<Katalógus::ListaSor>>(list))
        return 1;
    const auto& rows = std::get<std::vector<Katalógus::ListaSor>>(list);
    const double listed = double(timer.nsecsElapsed()) / 1e9;
    timer.restart();
    const std::size_t statistics = Katalógus::Statisztika(rows).size();
    const double summed = double(timer.nsecsElapsed()) / 1e9;
    print(QStringLiteral("%1 measurements: listed in %2 s, statistics (%3 rows) in %4 s; the "
                         "floor: 1 s each")
              .arg(rows.size())
              .arg(fixed(listed, 3))
              .arg(statistics)
              .arg(fixed(summed, 3)));

    // the campaign window's table over them: filtered to a point and verdict, sorted by PPV
    timer.restart();
    Katalógus::KampányModell model;
    model.Betölt(rows);
    Katalógus::KampánySzűrő filter;
    filter.setSourceModel(&model);
    filter.sort(Katalógus::KampányModell::PpvOszlop, Qt::DescendingOrder);
    const double sorted = double(timer.nsecsElapsed()) / 1e9;
    timer.restart();
    Katalógus::KampánySzűrő::Feltétel f;
    f.pont = QStringLiteral("P3");
    f.ítélet = Katalógus::Ítélet::Megfelel;
    filter.FeltételBeállít(f);
    const int shown = filter.rowCount();
    const double filtered = double(timer.nsecsElapsed()) / 1e9;
    print(QStringLiteral("the window's table of %1 rows: sorted by PPV in %2 s, filtered to %3 "
                         "rows in %4 s; the floor: 1 s each")
              .arg(model.rowCount())
              .arg(fixed(sorted, 3))
              .arg(shown)
              .arg(fixed(filtered, 3)));

    // a blast before each measurement, and every one paired
    std::vector<Robbantásnapló::Robbantás> blasts;
    for (const Katalógus::ListaSor& r : rows) {
        Robbantásnapló::Robbantás b;
        b.azonosító = QStringLiteral("R%1").arg(r.id);
        b.időMikro = *r.mérés.kezdetMikro - 30'000'000;
        b.töltet = 25;
        blasts.push_back(b);
    }
    int already = 0;
    if (!std::holds_alternative<int>(kat.robbantásokFelvesz(blasts, &already)))
        return 1;
    timer.restart();
    auto pairing = kat.párosít(120'000'000);
    if (!std::holds_alternative<Katalógus::Párosítás>(pairing))
        return 1;
    const double paired = double(timer.nsecsElapsed()) / 1e9;
    print(QStringLiteral("%1 measurements paired with %2 blasts in %3 s; beside the listing's "
                         "%4 s")
              .arg(std::get<Katalógus::Párosítás>(pairing).párosítva)
              .arg(blasts.size())
              .arg(fixed(paired, 3))
              .arg(fixed(listed, 3)));

    // the site's law over all of them, gathered from the catalogue
    timer.restart();
    auto gathered = Terjedés::Katalógusból(kat, {}, Terjedés::Mérték::LegnagyobbÖsszetevő, {});
    if (!std::holds_alternative<Terjedés::Gyűjtés>(gathered))
        return 1;
    const Terjedés::Illesztés law =
        Terjedés::Illeszt(std::get<Terjedés::Gyűjtés>(gathered).pontok, 2);
    print(QStringLiteral("the site's law fitted to %1 measurements of the catalogue in %2 s; "
                         "beside the listing's %3 s")
              .arg(law.n)
              .arg(fixed(double(timer.nsecsElapsed()) / 1e9, 3))
              .arg(fixed(listed, 3)));
    return 0;
}
