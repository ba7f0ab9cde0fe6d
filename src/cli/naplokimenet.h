#pragma once

#include "model/hatarertek.h"
#include "records/szovegforras.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <cstdio>

// Where the evaluated rows go. Every write is checked; the rows go out whole.
class Kimenet {
public:
    virtual ~Kimenet() = default;
    virtual bool ír(QByteArrayView bájtok) = 0;
    virtual QString hiba() const = 0;
};

// A C stream (standard output): written and flushed, each step checked.
class FájlKimenet : public Kimenet {
public:
    explicit FájlKimenet(std::FILE* fájl) : fájl_(fájl) {}
    bool ír(QByteArrayView bájtok) override;
    QString hiba() const override { return hiba_; }

private:
    std::FILE* fájl_;
    QString hiba_;
};

// In memory, for callers in the same process.
class PufferKimenet : public Kimenet {
public:
    bool ír(QByteArrayView bájtok) override {
        bájtok_.append(bájtok.data(), bájtok.size());
        return true;
    }
    QString hiba() const override { return {}; }
    const QByteArray& bájtok() const { return bájtok_; }

private:
    QByteArray bájtok_;
};

// Writes the log back with three columns added to each row: határérték (the limit),
// kihasználtság (utilisation, %) and megítélés (the verdict), in the input's encoding,
// separator, line end and decimal style. Rows are gathered and handed to the output in
// whole rows.
class SorÍró {
public:
    static constexpr const char* ÚjOszlopok[] = {"határérték", "kihasználtság", "megítélés"};
    static constexpr const char* Megfelel = "megfelel";
    static constexpr const char* Túllépi = "túllépi";
    static constexpr const char* SzázFeletti = " (100 Hz feletti: a 100 Hz-es érték)";

    SorÍró(Kimenet& ki, Szöveg::Kódolás kódolás, QByteArrayView sorvég, char elválasztó,
           char tizedesjel);

    bool fejléc(QByteArrayView sor);
    bool sor(QByteArrayView sor, const Határérték::Megítélés& m);
    // Hands over what is gathered; false when the output failed (hiba() says why).
    bool kiürít();
    QString hiba() const { return ki_.hiba(); }

private:
    void szám(std::int64_t egész, int tizedesek);
    bool sorVége();

    Kimenet& ki_;
    Szöveg::Kódoló kódoló_;
    QByteArray sorvég_;
    char elválasztó_;
    char tizedesjel_;
    QByteArray puffer_; // UTF-8, whole rows
    QByteArray kódolt_; // the same in the output's encoding
    bool eleje_ = true;
};
