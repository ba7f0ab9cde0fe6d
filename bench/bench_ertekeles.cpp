// Evaluation speed: one million measured events, semicolon and decimal comma, as a
// Hungarian spreadsheet saves them; prints rows per second. Not a test: run it by hand.
#include "cli/ertekeles.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>

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
    std::FILE* devnull = std::fopen("/dev/null", "w");
    QElapsedTimer timer;
    timer.start();
    const int status = Értékelés::Értékel(path, devnull, devnull);
    const double seconds = double(timer.nsecsElapsed()) / 1e9;
    std::fclose(devnull);
    // figures with a point whatever the C locale says
    const QString line = QStringLiteral("%1 rows in %2 s: %3 rows/s (exit status %4)\n")
                             .arg(rows)
                             .arg(QString::number(seconds, 'f', 2))
                             .arg(QString::number(double(rows) / seconds, 'f', 0))
                             .arg(status);
    std::fputs(line.toUtf8().constData(), stdout);
    return status == Értékelés::HibásBemenet ? 1 : 0;
}
