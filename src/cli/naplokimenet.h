#pragma once

#include "engine/hatarertek.h"
#include "kimenet.h"
#include "readers/szovegforras.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// Writes the log back with three columns added to each row: határérték (the limit),
// kihasználtság (utilisation, %) and megítélés (the verdict), in the input's encoding,
// separator, line end and decimal style. Rows are gathered and handed to the output in
// whole rows.
class SorÍró {
public:
    static constexpr const char* ÚjOszlopok[] = {"határérték", "kihasználtság", "megítélés"};

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
