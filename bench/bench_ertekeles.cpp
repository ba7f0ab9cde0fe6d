// Evaluation speed: one million measured events, semicolon and decimal comma, accents in
// every row, as a Hungarian spreadsheet saves them. Prints the evaluation's MB/s and
// rows/s, end to end with the check pass, next to a plain read() of the same file, and
// the peak memory. Not a test: run it by hand.
#include "cli/ertekeles.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>
#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>
#include <vector>

namespace {

void print(const QString& line) {
    std::fputs((line + u'\n').toUtf8().constData(), stdout); // a point whatever the C locale
}

QString fixed(double value, int decimals) {
    return QString::number(value, 'f', decimals);
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const int rows = argc > 1 ? QByteArray(argv[1]).toInt() : 1'000'000;
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("meresek.csv"));
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly))
            return 1;
        QByteArray text = "azonosító;frekvencia;sebesség;kategória;hely\n";
        for (int i = 0; i < rows; ++i) {
            text += QByteArray::number(i) + ';' + QByteArray::number(i % 100) + ',' +
                    QByteArray::number(i % 10) + ';' + QByteArray::number(3 + i % 40) + ',' +
                    QByteArray::number(i % 7) + ';' + QByteArray::number(i % 3) + ";Fő u. " +
                    QByteArray::number(i % 50) + '\n';
            if (text.size() > (1 << 20)) {
                file.write(text);
                text.clear();
            }
        }
        file.write(text);
    }
    const double megabytes = double(QFile(path).size()) / 1e6;

    // the floor: the same bytes through read() alone
    QElapsedTimer timer;
    timer.start();
    const int fd = ::open(path.toLocal8Bit().constData(), O_RDONLY);
    std::vector<char> buffer(1 << 20);
    while (::read(fd, buffer.data(), buffer.size()) > 0) {
    }
    ::close(fd);
    const double readSeconds = double(timer.nsecsElapsed()) / 1e9;

    std::FILE* devnull = std::fopen("/dev/null", "w");
    timer.restart();
    const int status = Értékelés::Értékel(path, devnull, devnull);
    const double seconds = double(timer.nsecsElapsed()) / 1e9;
    std::fclose(devnull);
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);

    print(QStringLiteral("file: %1 rows, %2 MB").arg(rows).arg(fixed(megabytes, 1)));
    print(QStringLiteral("read() alone:    %1 s, %2 MB/s")
              .arg(fixed(readSeconds, 3), fixed(megabytes / readSeconds, 0)));
    print(
        QStringLiteral("velorix --ertekel: %1 s, %2 MB/s, %3 rows/s (check pass included, "
                       "exit status %4)")
            .arg(fixed(seconds, 3), fixed(megabytes / seconds, 0), fixed(double(rows) / seconds, 0))
            .arg(status));
    print(QStringLiteral("peak memory of the whole run: %1 MB")
              .arg(fixed(usage.ru_maxrss / 1024.0, 1)));
    return status == Kilépés::HibásBemenet ? 1 : 0;
}
