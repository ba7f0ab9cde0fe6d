#pragma once

// A blast monitor's ASCII "Full Waveform" export, written as its PC software writes one:
// quoted "Key : value" lines, a blank line, a tab-separated Tran/Vert/Long (MicL) table; or as
// its newer version does, "key","value" lines and a quoted comma-separated table.
#include <QByteArray>

#include <cmath>
#include <functional>

struct FullWaveform {
    double rate = 1024;                        // sps
    double recordTime = 1.0;                   // s after the trigger
    double preTrigger = 0.25;                  // s before it
    QByteArray preTriggerText, recordTimeText; // the header's values as written, where set
    QByteArray units = "mm/s and ";
    QByteArray date = "June 26, 2026", time = "15:41:05";
    QByteArray serial = "UM99999";
    QByteArray calibration = "December 20, 2025 by Instantel";
    QByteArray testResult = "Passed";
    double range = 254;      // mm/s
    bool microphone = false; // a MicL column in Pa
    // sample i of channel c (0 Tran, 1 Vert, 2 Long, 3 MicL), in the stated unit
    std::function<double(int, int)> sample = [](int c, int i) {
        return (c + 1) * std::sin(2 * M_PI * 20 * i / 1024.0) * std::exp(-i / 400.0);
    };
    // a blast's 20 Hz burst, dying away: the vertical at `amplitude`, the others at half
    static std::function<double(int, int)> burst(double amplitude) {
        return [amplitude](int c, int i) {
            return amplitude * (c == 1 ? 1 : 0.5) * std::sin(2 * M_PI * 20 * i / 1024.0) *
                   std::exp(-i / 400.0);
        };
    }
    double statedFactor = 1; // the header's PPV and PVS against what the samples hold
    int rowsLeftOut = 0;     // rows the file lacks (a file cut short)
    int badRow = -1;         // a row whose Vert cell is no number
    QByteArray lineEnd = "\r\n";
    bool csv = false;

    QByteArray bytes() const {
        const int n = int(std::lround((recordTime + preTrigger) * rate));
        const int channels = microphone ? 4 : 3;
        const char* names[] = {"Tran", "Vert", "Long", "MicL"};
        double peak[4] = {0, 0, 0, 0}, pvs = 0;
        for (int i = 0; i < n; ++i) {
            double sum = 0;
            for (int c = 0; c < channels; ++c) {
                peak[c] = std::max(peak[c], std::fabs(sample(c, i)));
                if (c < 3)
                    sum += sample(c, i) * sample(c, i);
            }
            pvs = std::max(pvs, std::sqrt(sum));
        }
        auto line = [&](const QByteArray& key, const QByteArray& value) {
            return "\"" + key + (csv ? "\",\"" : " : ") + value + "\"" + lineEnd;
        };
        QByteArray out =
            line("Event Type", "Full Waveform") + line("Serial Number", serial) +
            line("Version", " V 10-89 Micromate ISEE") + line("Event Time", time) +
            line("Event Date", date) + line("Trigger", "Vert") +
            line("Geo Trigger Level", "1.000 mm/s") +
            line("Pre-trigger Length", preTriggerText.isEmpty()
                                           ? "-" + QByteArray::number(preTrigger, 'f', 3) + " sec"
                                           : preTriggerText) +
            line("Record Time", recordTimeText.isEmpty()
                                    ? QByteArray::number(recordTime, 'f', 1) + " sec"
                                    : recordTimeText) +
            line("Sample Rate", QByteArray::number(rate, 'f', 0) + " sps") +
            line("Calibration", calibration) + line("Units", units) +
            line("Operator", "Kiss Anna") + line("Location:", "Kővágóörs") + line("Client:", "") +
            line("Geo Range", QByteArray::number(range, 'f', 1) + " mm/s");
        for (int c = 0; c < 3; ++c)
            out += line(QByteArray(names[c]) + " PPV",
                        QByteArray::number(peak[c] * statedFactor, 'f', 3) + " mm/s");
        out += line("Peak Vector Sum", QByteArray::number(pvs * statedFactor, 'f', 3) + " mm/s");
        for (int c = 0; c < 3; ++c)
            out += line(QByteArray(names[c]) + "  Test Results", testResult);
        out += lineEnd;
        for (int c = 0; c < channels; ++c)
            out += csv ? QByteArray(c ? "," : "") + '"' + names[c] + '"'
                       : QByteArray(c ? "\t" : "") + "   " + names[c] + "   ";
        out += lineEnd;
        for (int i = 0; i < n - rowsLeftOut; ++i) {
            for (int c = 0; c < channels; ++c) {
                QByteArray cell = i == badRow && c == 1 ? QByteArray("n/a")
                                                        : QByteArray::number(sample(c, i), 'f', 3);
                out += csv ? (c ? "," : "") + ('"' + cell + '"')
                           : (c ? "\t" : "") + cell.leftJustified(10, ' ');
            }
            out += lineEnd;
        }
        return out;
    }
};

// A second vendor's CSV export: "key","value" lines, the zero-crossing block, then a quoted
// table of numbered channels and the instrument's vector sum, each row ending with a comma.
struct VendorCsv {
    double rate = 2048;
    int samples = 600;
    bool clockTime = true;       // else elapsed milliseconds
    QByteArray lineEnd = "\n\r"; // as the instrument writes it, reversed
    int badRow = -1;             // a row whose Channel 2 cell is no number
    QByteArray preTrigger = "40 ms";
    QByteArray bytes() const {
        QByteArray out;
        auto line = [&](const QByteArray& l) { out += l + lineEnd; };
        line("\"File\",\"20240709_124442.csv\"");
        line("\"Serial number\",\"SN 4711\"");
        line("\"Date of calibration\",\"2024-03-01\"");
        line("\"Date & Time\",\"2024-07-09 / 12:44:42\"");
        line("\"Time\",\"1 s\"");
        line("\"Pretrigger\",\"" + preTrigger + "\"");
        line("\"Sampling rate\",\"" + QByteArray::number(rate, 'f', 0) + " sps\"");
        line("\"Note 1\",\"Kővágóörs, kőfejtő\"");
        line("\"Frequency - Zero crossing\"");
        line("\"Channel: 1\",\"20 Hz\"");
        line("\"Time\",\"Channel 1 (mm/s)\",\"Channel 2 (mm/s)\",\"Channel 3 (mm/s)\","
             "\"Channel 4 (Pa)\",\"Vector sum 1 (mm/s)\",");
        for (int i = 0; i < samples; ++i) {
            const double t = i / rate;
            double v[4], sum = 0;
            for (int c = 0; c < 4; ++c) {
                v[c] = (c + 1) * std::sin(2 * M_PI * 20 * t);
                if (c < 3)
                    sum += v[c] * v[c];
            }
            // the clock from 12:44:41.96, its seconds unpadded below ten as the instrument has them
            const double clock = 41.96 + t;
            QByteArray row = clockTime ? "\"12:44:" + QByteArray::number(clock, 'f', 4) + "\""
                                       : "\"" + QByteArray::number(t * 1000, 'f', 2) + "\"";
            for (int c = 0; c < 4; ++c)
                row +=
                    ",\"" +
                    (i == badRow && c == 1 ? QByteArray("--") : QByteArray::number(v[c], 'f', 4)) +
                    "\"";
            row += ",\"" + QByteArray::number(std::sqrt(sum), 'f', 4) + "\",";
            line(row);
        }
        return out;
    }
};
