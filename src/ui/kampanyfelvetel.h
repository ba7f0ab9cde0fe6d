#pragma once

#include "catalogue/behozatal.h"

#include <QObject>
#include <QStringList>

#include <atomic>
#include <functional>
#include <memory>

class QThread;

// Files taken into a catalogue on a thread of their own, one at a time, each whole or not at
// all, while the window goes on answering: how far it is, and a stop that takes effect
// between two files (a file begun is finished, so the catalogue holds only whole files).
class KampányFelvétel : public QObject {
public:
    struct Összegzés {
        int felvéve = 0, márBenne = 0, hibás = 0, mérések = 0;
        bool leállítva = false;
        QStringList sorok; // what became of each file, in words
    };
    using Kész = std::function<void(const Összegzés&)>;

    KampányFelvétel(Katalógus::Cím cím, QStringList fájlok, Katalógus::Behozatal behozatal,
                    Kész kész, QObject* szülő);
    // Stops and waits for the file being taken in.
    ~KampányFelvétel() override;

    void Indít();
    void Leállít() { megszakítva_ = true; }
    int Elkészült() const { return kész_; }
    int Összes() const { return int(fájlok_.size()); }
    bool Fut() const;

private:
    Katalógus::Cím cím_;
    QStringList fájlok_;
    Katalógus::Behozatal behozatal_;
    Kész utána_;
    std::unique_ptr<QThread> szál_;
    std::atomic<int> kész_{0};
    std::atomic<bool> megszakítva_{false};
    Összegzés összegzés_;
};
