#pragma once

#include "csvolvaso.h"
#include "hiba.h"
#include "szovegforras.h"

#include <QByteArrayView>
#include <QString>

#include <array>
#include <optional>
#include <utility>
#include <vector>

// A measurement log: a CSV or TSV text whose header row names the frequency (Hz), the
// peak velocity (mm/s) and the building category of each measured event. Lines above the
// header that do not name the three columns (an instrument's preamble) are passed over;
// rows of nothing but separators are skipped. Yields one measurement per data row.
namespace Napló {

enum Oszlop { Frekvencia, Sebesség, Kategória, OszlopokSzáma };

// The names a header may give each column (compared by rt::NameKey; a unit in brackets
// or parentheses after the name is ignored).
const std::array<std::vector<QString>, OszlopokSzáma>& OszlopNevek();

struct Mérés {
    double frekvencia = 0; // Hz, finite, not negative
    double sebesség = 0;   // mm/s, finite, not negative
    int kategória = 0;     // 0..2
    QByteArrayView sor;    // the row as written (UTF-8), without its line end
    qint64 sorszám = 0;
};

class Olvasó {
public:
    static constexpr int FejlécKeresés = 64; // non-empty lines searched for the header

    explicit Olvasó(Szöveg::Forrás& forrás) : csv_(forrás) {}

    // Reads up to and including the header row.
    bool fejléc();
    // The next measurement; false at the end or on a fault (hiba() is then set).
    bool következő(Mérés& mérés);

    const std::optional<Hiba>& hiba() const { return hiba_; }
    char elválasztó() const { return elválasztó_; }
    QByteArrayView sorvég() const { return csv_.sorvég(); }
    QByteArray fejlécSor() const { return fejlécSor_; }
    // The decimal mark of the first number written with one; 0 while none was.
    char tizedesjel() const { return tizedesjel_; }
    // Whether the header names its columns in Hungarian.
    bool magyarFejléc() const { return magyar_; }

private:
    bool hibás(Hiba h) {
        hiba_ = std::move(h);
        return false;
    }
    int kategóriaKeres(QByteArrayView cella);

    CsvOlvasó csv_;
    std::vector<QByteArrayView> mezők_;
    std::array<int, OszlopokSzáma> helyek_{};
    std::size_t oszlopok_ = 0;
    char elválasztó_ = ';';
    char tizedesjel_ = 0;
    bool magyar_ = true;
    QByteArray fejlécSor_;
    // category cells as written, already looked up
    std::vector<std::pair<QByteArray, int>> kategóriák_;
    std::optional<Hiba> hiba_;
};

} // namespace Napló
