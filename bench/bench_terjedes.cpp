// The site law's fit over 100 000 measurements, beside NumPy's polyfit on the same numbers
// (bench/terjedes_numpy.py): the best of several runs each, the scaled distances and
// logarithms included on both sides. Not a test.
#include "sitelaw/illesztes.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextStream>

#include <cmath>
#include <random>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    constexpr int n = 100'000, runs = 15;
    std::mt19937_64 g(2026);
    std::uniform_real_distribution<double> hol(std::log10(3.0), std::log10(300.0));
    std::uniform_real_distribution<double> töltet(2, 400);
    std::normal_distribution<double> szórás(0, 0.2);
    std::vector<Terjedés::Pont> pontok(n);
    std::vector<double> nyers(3 * n);
    for (int i = 0; i < n; ++i) {
        const double sd = std::pow(10.0, hol(g)), w = töltet(g);
        Terjedés::Pont& p = pontok[std::size_t(i)];
        p.azonosító = QString::number(i);
        p.távolság = sd * std::sqrt(w);
        p.töltet = w;
        p.ppv = 1200 * std::pow(sd, -1.6) * std::pow(10.0, szórás(g));
        nyers[std::size_t(i)] = p.távolság;
        nyers[std::size_t(n + i)] = p.töltet;
        nyers[std::size_t(2 * n + i)] = p.ppv;
    }
    double legjobb = 1e9;
    Terjedés::Illesztés i;
    for (int r = 0; r < runs; ++r) {
        QElapsedTimer t;
        t.start();
        i = Terjedés::Illeszt(pontok, 2);
        legjobb = std::min(legjobb, t.nsecsElapsed() / 1e9);
    }
    out << QStringLiteral("fit of %1 measurements: %2 ms (K %3, béta %4, R² %5)\n")
               .arg(n)
               .arg(legjobb * 1e3, 0, 'f', 2)
               .arg(i.K, 0, 'g', 10)
               .arg(i.béta, 0, 'g', 10)
               .arg(i.R2, 0, 'f', 4);
    QTemporaryDir dir;
    const QString fájl = dir.filePath(QStringLiteral("pontok.f64"));
    QFile f(fájl);
    if (!f.open(QIODevice::WriteOnly) ||
        f.write(reinterpret_cast<const char*>(nyers.data()), qint64(nyers.size() * 8)) !=
            qint64(nyers.size() * 8))
        return 1;
    f.close();
    QProcess numpy;
    numpy.start(QFile::exists(QStringLiteral("/usr/bin/python3"))
                    ? QStringLiteral("/usr/bin/python3")
                    : QStringLiteral("python3"),
                {QStringLiteral(VELORIX_SOURCE_DIR "/bench/terjedes_numpy.py"), fájl,
                 QString::number(n), QString::number(runs)});
    numpy.waitForFinished(-1);
    const QStringList peer = QString::fromUtf8(numpy.readAllStandardOutput()).trimmed().split(u' ');
    const double numpyMp = peer.value(0).toDouble();
    if (numpy.exitCode() != 0 || !(numpyMp > 0)) {
        out << QStringLiteral("NumPy peer did not run: %1\n")
                   .arg(QString::fromUtf8(numpy.readAllStandardError()).trimmed());
        return 1;
    }
    out << QStringLiteral("NumPy polyfit of the same numbers: %1 ms (K %2, béta %3); ratio %4\n")
               .arg(numpyMp * 1e3, 0, 'f', 2)
               .arg(peer.value(1), peer.value(2))
               .arg(legjobb / numpyMp, 0, 'f', 2);
    return 0;
}
