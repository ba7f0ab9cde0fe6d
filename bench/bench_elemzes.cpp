// Record analysis speed: a three-component Steim-2 miniSEED record of 3 x 4 M samples,
// written by libmseed, read and analysed (every figure of every component, the peak vector
// sum, the judgement) in a child process whose time and peak memory are printed beside
// NumPy's analysis of the same decoded samples (bench/elemzes_numpy.py).
// Then long records: an hour at 3 x 1000 sps and a day file at 3 x 200 sps, each through
// the program itself with --esemenyek and with --intervallum 60 (the whole process: read,
// find, analyse, write), beside NumPy doing the same on the decoded samples
// (bench/hosszu_numpy.py). Not a test.
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
#include <ctime>
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

extern char** environ;

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

struct Measured {
    double seconds = 0;
    double megabytes = 0; // peak resident memory
    bool ok = false;
};

// The program run whole, its output thrown away: wall time and peak memory of that process.
Measured runProgram(const QStringList& arguments) {
    QList<QByteArray> bytes{QByteArrayLiteral(VELORIX_PROGRAM)};
    for (const QString& a : arguments)
        bytes << a.toUtf8();
    std::vector<char*> argv;
    for (QByteArray& b : bytes)
        argv.push_back(b.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    QElapsedTimer timer;
    timer.start();
    pid_t pid = 0;
    Measured m;
    if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ) != 0)
        return m;
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    m.seconds = double(timer.nsecsElapsed()) / 1e9;
    m.megabytes = usage.ru_maxrss / 1024.0;
    m.ok = WIFEXITED(status) && WEXITSTATUS(status) <= 1;
    posix_spawn_file_actions_destroy(&actions);
    return m;
}

QString python() {
    // Debian's interpreter, whose NumPy script/bootstrap installs
    return QFile::exists(QStringLiteral("/usr/bin/python3")) ? QStringLiteral("/usr/bin/python3")
                                                             : QStringLiteral("python3");
}

// A long record: noise with a blast every `every` seconds, written as Steim-2 and as the
// decoded samples for NumPy. The start lies 12,25 s into a minute.
void longRecord(const QString& record, const QString& raw, double rate, double seconds,
                double every) {
    std::vector<MseedChannel> channels(3);
    const char* names[] = {"HHZ", "HHN", "HHE"};
    const auto n = std::size_t(rate * seconds);
    QFile decoded(raw);
    decoded.open(QIODevice::WriteOnly);
    std::uint32_t noise = 777;
    for (int c = 0; c < 3; ++c) {
        MseedChannel& ch = channels[std::size_t(c)];
        ch.channel = names[c];
        ch.rate = rate;
        ch.start = ms_time2hptime(2026, 338, 9, 41, 12, 250000);
        ch.samples.resize(n);
        std::vector<double> mm(n);
        for (std::size_t i = 0; i < n; ++i) {
            const double t = double(i) / rate;
            noise = noise * 1664525u + 1013904223u;
            double v = 0.12 * (double(noise >> 8) / double(1 << 24) - 0.5);
            const double blast = std::round(t / every) * every, d = t - blast;
            if (blast > 0 && std::fabs(d) < 0.5)
                v += (1.0 + std::fmod(blast, 7.0)) * std::exp(-std::pow(d / 0.08, 2)) *
                     std::sin(2 * M_PI * (8 + c * 6) * d + c);
            ch.samples[i] = std::round(Sensitivity * v);
            mm[i] = ch.samples[i] / Sensitivity;
        }
        decoded.write(reinterpret_cast<const char*>(mm.data()), qint64(n * sizeof(double)));
    }
    QFile file(record);
    file.open(QIODevice::WriteOnly);
    file.write(mseed(channels, DE_STEIM2, 4096));
}

// The record window opening `file` as the program does, offscreen, best of three: ms from
// the process's start to the first frame in its place, and to its full picture.
std::pair<double, double> windowTimes(const QString& file) {
    std::pair<double, double> best{0, 0};
    QTemporaryDir config;
    for (int round = 0; round < 3; ++round) {
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), config.path());
        p.setProcessEnvironment(env);
        timespec t{};
        clock_gettime(CLOCK_MONOTONIC, &t);
        p.start(QStringLiteral(VELORIX_BENCH_WINDOW),
                {QStringLiteral("rezgesjel"), file,
                 QString::number(qint64(t.tv_sec) * 1'000'000'000 + t.tv_nsec),
                 QString::number(Sensitivity)});
        p.waitForFinished(-1);
        const QStringList f = QString::fromUtf8(p.readAllStandardOutput()).trimmed().split(u' ');
        if (p.exitCode() != 0 || f.size() != 2)
            return {0, 0};
        const std::pair<double, double> m{f[0].toDouble(), f[1].toDouble()};
        if (round == 0 || m.second < best.second)
            best = m;
    }
    return best;
}

void longRecords(const QTemporaryDir& dir) {
    struct Case {
        const char* name;
        double rate, seconds, every;
    };
    for (const Case& c : {Case{"one hour", 1000, 3600, 300}, Case{"a day", 200, 86400, 600}}) {
        const QString record = dir.filePath(QStringLiteral("long.mseed"));
        const QString raw = dir.filePath(QStringLiteral("long.f64"));
        if (QProcess::execute(QCoreApplication::applicationFilePath(),
                              {QStringLiteral("--make-long"), record, raw, QString::number(c.rate),
                               QString::number(c.seconds), QString::number(c.every)}) != 0)
            return;
        const auto n = qint64(c.rate * c.seconds);
        print(QStringLiteral("\n%1: 3 x %2 samples at %3 sps, Steim-2, %4 MB")
                  .arg(QLatin1String(c.name))
                  .arg(n)
                  .arg(c.rate)
                  .arg(fixed(double(QFile(record).size()) / 1e6, 1)));
        if (c.seconds == 3600) {
            // the record window with it, next to the short example record
            const auto [shortFirst, shortFull] =
                windowTimes(QStringLiteral(VELORIX_SOURCE_DIR "/docs/pelda/robbantas.mseed"));
            const auto [first, full] = windowTimes(record);
            if (full > 0 && shortFull > 0)
                print(QStringLiteral("  record window (offscreen, from the process's start): first "
                                     "frame %1 ms, short example %2 ms, ratio %3 (goal: at most "
                                     "1,5); full picture %4 ms (goal: 2000), short example %5 ms")
                          .arg(fixed(first, 0), fixed(shortFirst, 0), fixed(first / shortFirst, 2),
                               fixed(full, 0), fixed(shortFull, 0)));
            else
                print(QStringLiteral("  record window: failed"));
        }
        for (const char* mode : {"events", "intervals"}) {
            const QStringList options =
                QByteArray(mode) == "events"
                    ? QStringList{QStringLiteral("--esemenyek")}
                    : QStringList{QStringLiteral("--intervallum"), QStringLiteral("60")};
            Measured best;
            for (int round = 0; round < 3; ++round) {
                const Measured m =
                    runProgram(options + QStringList{record, "-k", "1", "--erzekenyseg", "1000"});
                if (!m.ok) {
                    print(QStringLiteral("velorix %1: failed").arg(QLatin1String(mode)));
                    return;
                }
                if (!best.ok || m.seconds < best.seconds)
                    best = m;
            }
            QProcess numpy;
            numpy.start(python(), {QStringLiteral(VELORIX_SOURCE_DIR "/bench/hosszu_numpy.py"), raw,
                                   QString::number(n), QString::number(c.rate), QLatin1String(mode),
                                   QString::number(qint64(12.25 * c.rate))});
            numpy.waitForFinished(-1);
            const QStringList peer =
                QString::fromUtf8(numpy.readAllStandardOutput()).trimmed().split(u' ');
            const double numpySeconds = peer.value(0).toDouble();
            print(QStringLiteral("  %1: velorix whole process %2 s, peak %3 MB (%4 bytes per "
                                 "sample; goal 12)")
                      .arg(QLatin1String(mode), fixed(best.seconds, 3), fixed(best.megabytes, 0),
                           fixed(best.megabytes * 1024 * 1024 / double(3 * n), 1)));
            if (numpy.exitCode() != 0 || !(numpySeconds > 0)) {
                print(QStringLiteral("  NumPy: not run (%1)")
                          .arg(QString::fromUtf8(numpy.readAllStandardError()).trimmed()));
                continue;
            }
            print(QStringLiteral("  %1: NumPy on decoded samples %2 s (%3 found); velorix / NumPy "
                                 "%4 (goal: at most 0,5)")
                      .arg(QLatin1String(mode), fixed(numpySeconds, 3), peer.value(1),
                           fixed(best.seconds / numpySeconds, 2)));
        }
        QFile::remove(record);
        QFile::remove(raw);
    }
}

// The short record: noise and three bursts, as Steim-2 and as decoded samples.
int shortRecord(const QString& record, const QString& raw, int samples) {
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
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc == 3 && QByteArray(argv[1]) == "--job")
        return job(QString::fromLocal8Bit(argv[2]));
    if (argc == 5 && QByteArray(argv[1]) == "--make")
        return shortRecord(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]),
                           QByteArray(argv[4]).toInt());
    if (argc == 7 && QByteArray(argv[1]) == "--make-long") {
        longRecord(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]),
                   QByteArray(argv[4]).toDouble(), QByteArray(argv[5]).toDouble(),
                   QByteArray(argv[6]).toDouble());
        return 0;
    }
    const int samples = argc > 1 ? QByteArray(argv[1]).toInt() : 4'000'000;

    QTemporaryDir dir;
    const QString record = dir.filePath(QStringLiteral("event.mseed"));
    const QString raw = dir.filePath(QStringLiteral("samples.f64"));
    // the records are made by a child of their own, so that this process stays small: a
    // child's peak memory counts its parent's from before it starts the program
    if (QProcess::execute(QCoreApplication::applicationFilePath(),
                          {QStringLiteral("--make"), record, raw, QString::number(samples)}) != 0)
        return 1;
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
        longRecords(dir);
        return 0;
    }
    const double numpySeconds =
        QString::fromUtf8(numpy.readAllStandardOutput()).trimmed().toDouble();
    print(QStringLiteral("NumPy analysis alone:      %1 s, %2 M samples/s (the same figures, "
                         "samples already decoded)")
              .arg(fixed(numpySeconds, 3), fixed(total / numpySeconds / 1e6, 1)));
    print(QStringLiteral("velorix / NumPy time:      %1").arg(fixed(seconds / numpySeconds, 2)));
    QFile::remove(record);
    QFile::remove(raw);
    longRecords(dir);
    return 0;
}
