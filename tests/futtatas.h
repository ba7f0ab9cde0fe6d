#pragma once

// The command line run in this process, as the program runs it, its output and messages
// read back. (A report is drawn by the program itself: --jelentes is for the built one.)
#include "cli/parancssor.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <cstdio>

struct Futás {
    int állapot = 0;
    QByteArray ki;
    QString hibák;

    // The output's lines without the last line end.
    QList<QByteArray> sorok() const {
        QList<QByteArray> s = ki.split('\n');
        if (!s.isEmpty() && s.last().isEmpty())
            s.removeLast();
        return s;
    }
};

inline QByteArray beolvas(std::FILE* f) {
    QByteArray b;
    std::rewind(f);
    char darab[65536];
    for (std::size_t n; (n = std::fread(darab, 1, sizeof darab, f)) > 0;)
        b.append(darab, qsizetype(n));
    std::fclose(f);
    return b;
}

inline Futás parancssor(const QStringList& argumentumok) {
    std::FILE* ki = std::tmpfile();
    std::FILE* hibák = std::tmpfile();
    Futás f;
    f.állapot =
        Parancssor(QStringList{QStringLiteral("velorix")} + argumentumok, nullptr, ki, hibák);
    f.ki = beolvas(ki);
    f.hibák = QString::fromUtf8(beolvas(hibák));
    return f;
}
