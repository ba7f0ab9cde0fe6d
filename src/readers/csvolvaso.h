#pragma once

#include "szovegforras.h"

#include <QByteArray>
#include <QByteArrayView>

#include <vector>

// Records of a CSV or TSV text as spreadsheets write them (RFC 4180): fields separated by
// a semicolon, a comma or a TAB; a field may be enclosed in double quotes, and then hold
// separators, line breaks and doubled quotes. A record ends at LF, CRLF or CR (old Mac).
class CsvOlvasó {
public:
    static constexpr qsizetype LegnagyobbRekord = 1 << 20; // bytes, quoted line breaks included
    static constexpr char Elválasztók[] = {';', '\t', ','};

    explicit CsvOlvasó(Szöveg::Forrás& forrás) : forrás_(forrás) {}

    enum Állapot { Rekord, Vége, Hibás };
    // The next record; its bytes stay valid until the next call.
    Állapot következő();
    // Splits the current record at `elválasztó` (0: at any of Elválasztók) into fields,
    // quotes removed. The views stay valid until the next call of következő().
    void feloszt(char elválasztó, std::vector<QByteArrayView>& mezők);
    // From now on a quote opens a quoted field only after this separator.
    void elválasztótRögzít(char elválasztó) { elválasztó_ = elválasztó; }
    // The separator that splits the current record (a header) into the most fields, fixed
    // from now on; `mezők` then holds its fields.
    char elválasztótVálaszt(std::vector<QByteArrayView>& mezők);

    QByteArrayView rekord() const { return rekord_; }
    qint64 sor() const { return sor_; }               // the line the record starts on, from 1
    QByteArrayView sorvég() const { return sorvég_; } // the first line end met: "\n" if none
    // The fault of a record (Hibás), without its line (hibásSor), or of the input.
    const std::optional<Hiba>& hiba() const { return hiba_; }
    qint64 hibásSor() const { return hibásSor_; }

private:
    Állapot túlHosszú();
    static bool különleges(char c) { return c == '\n' || c == '\r' || c == '"'; }
    // Whether `c` separates fields: the separator, or while it is not known any of them.
    static bool mezőhatár(char c, char elválasztó) {
        return elválasztó ? c == elválasztó : (c == ';' || c == '\t' || c == ',');
    }

    Szöveg::Forrás& forrás_;
    QByteArray puffer_;
    qsizetype kezdet_ = 0; // the first byte not yet handed out
    bool vége_ = false;
    char elválasztó_ = 0;
    QByteArrayView rekord_;
    QByteArray mezőPuffer_;
    qint64 sor_ = 0;
    qint64 következőSor_ = 1;
    QByteArrayView sorvég_ = "\n";
    bool sorvégMegvan_ = false;
    std::optional<Hiba> hiba_;
    qint64 hibásSor_ = 0;
};
