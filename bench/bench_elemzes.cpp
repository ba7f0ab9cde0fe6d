// Record analysis speed: a three-component Steim-2 miniSEED record of 3 x 4 M samples,
// written by libmseed, read and analysed (every figure of every component, the peak vector
// sum, the judgement) in a child process whose time and peak memory are printed beside
// NumPy's analysis of the same decoded samples (bench/elemzes_numpy.py). Not a test.
#include "analysis/elemzes.h"
#include "mseedwriter.h"
#include "readers/rezgesjel.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <cmath>
#include <cstdio>
#include <sys/resource.h>

namespace {

void print(const QString& line) {
    std::fputs((line + u'\n').toUtf8().constData(), stdout); // a point whatever the C locale
}

QString fixed(double value, int decimals) {
    return QString::number(value, 'f', decimals);
}

constexpr double Rate = 1000;
constexpr double Sensitivity = 1000; // counts per mm/s

// The job alone: read and analyse; prints the seconds.
int job(const QString& path) {
    QElapsedTimer timer;
    timer.start();
    Rezgésjel::Beállítás settings;
    settings.érzékenység = Sensitivity;
    Rezgésjel::Olvasás read = Rezgésjel::FájlOlvas(path, settings);
    if (read.hiba) {
        print(read.hiba->részlet);
        return 1;
    }
    const double readSeconds = double(timer.nsecsElapsed()) / 1e9;
    const Elemzés::Megállapítás e =
        Elemzés::Elemez(read.felvételek[0], 1, Elemzés::Hely::Alap, Elemzés::Módszer::ZC);
    const double seconds = double(timer.nsecsElapsed()) / 1e9;
    print(QStringLiteral("%1 %2 %3")
              .arg(fixed(readSeconds, 4), fixed(seconds, 4),
                   fixed(e.összetevők[0].jellemzők.ppv, 3)));
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc == 3 && QByteArray(argv[1]) == "--job")
        return job(QString::fromLocal8Bit(argv[2]));
    const int samples = argc > 1 ? QByteArray(argv[1]).toInt() : 4'000'000;

    QTemporaryDir dir;
    const QString record = dir.filePath(QStringLiteral("event.mseed"));
    const QString raw = dir.filePath(QStringLiteral("samples.f64"));
    {
        std::vector<MseedChannel> channels(3);
        const char* names[] = {"HHZ", "HHN", "HHE"};
        QFile decoded(raw);
        if (!decoded.open(QIODevice::WriteOnly))
            return 1;
        std::uint32_t noise = 12345;
        for (int c = 0; c < 3; ++c) {
            channels[std::size_t(c)].channel = names[c];
            channels[std::size_t(c)].rate = Rate;
            std::vector<double>& v = channels[std::size_t(c)].samples;
            v.resize(std::size_t(samples));
            for (int i = 0; i < samples; ++i) {
                const double t = i / Rate;
                noise = noise * 1664525u + 1013904223u;
                const double burst = std::exp(-std::pow((t - 1000.0 - c) / 0.4, 2));
                v[std::size_t(i)] = std::round(
                    Sensitivity * (0.05 * (double(noise >> 8) / double(1 << 24) - 0.5) +
                                   (4.0 + c) * burst * std::sin(2 * M_PI * (12 + 9 * c) * t)));
            }
            std::vector<double> mm(v.size());
            for (std::size_t i = 0; i < v.size(); ++i)
                mm[i] = v[i] / Sensitivity;
            decoded.write(reinterpret_cast<const char*>(mm.data()),
                          qint64(mm.size() * sizeof(double)));
        }
        QFile file(record);
        if (!file.open(QIODevice::WriteOnly))
            return 1;
        file.write(mseed(channels, DE_STEIM2, 4096));
    }
    const double total = 3.0 * samples;

    QProcess child;
    child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--job"), record});
    child.waitForFinished(-1);
    const QStringList figures = QString::fromUtf8(child.readAllStandardOutput()).split(u' ');
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    if (child.exitCode() != 0 || figures.size() < 3)
        return 1;
    const double readSeconds = figures[0].toDouble(), seconds = figures[1].toDouble();

    print(QStringLiteral("record: 3 x %1 samples at %2 sps, Steim-2, %3 MB")
              .arg(samples)
              .arg(Rate)
              .arg(fixed(double(QFile(record).size()) / 1e6, 1)));
    print(QStringLiteral("velorix read:              %1 s, %2 M samples/s")
              .arg(fixed(readSeconds, 3), fixed(total / readSeconds / 1e6, 1)));
    print(QStringLiteral("velorix read + analysis:   %1 s, %2 M samples/s")
              .arg(fixed(seconds, 3), fixed(total / seconds / 1e6, 1)));
    print(QStringLiteral("velorix peak memory:       %1 MB (the goal: at most 3 x the samples as "
                         "doubles, %2 MB)")
              .arg(fixed(usage.ru_maxrss / 1024.0, 0), fixed(3 * total * 8 / 1e6, 0)));

    QProcess numpy;
    // Debian's interpreter, whose NumPy script/bootstrap installs
    const QString python = QFile::exists(QStringLiteral("/usr/bin/python3"))
                               ? QStringLiteral("/usr/bin/python3")
                               : QStringLiteral("python3");
    numpy.start(python, {QStringLiteral(VELORIX_SOURCE_DIR "/bench/elemzes_numpy.py"), raw,
                         QString::number(samples), QString::number(Rate)});
    if (!numpy.waitForFinished(-1) || numpy.exitCode() != 0) {
        print(QStringLiteral("NumPy: not run (%1)")
                  .arg(QString::fromUtf8(numpy.readAllStandardError()).trimmed()));
        return 0;
    }
    const double numpySeconds =
        QString::fromUtf8(numpy.readAllStandardOutput()).trimmed().toDouble();
    print(QStringLiteral("NumPy analysis alone:      %1 s, %2 M samples/s (the same figures, "
                         "samples already decoded)")
              .arg(fixed(numpySeconds, 3), fixed(total / numpySeconds / 1e6, 1)));
    print(QStringLiteral("velorix / NumPy time:      %1").arg(fixed(seconds / numpySeconds, 2)));
    return 0;
}
