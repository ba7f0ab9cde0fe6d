#include "csvolvaso.h"

#include <cstring>

CsvOlvasó::Állapot CsvOlvasó::következő() {
    if (hiba_)
        return Hibás;
    qsizetype i = kezdet_;  // where the scan goes on
    bool idézetben = false; // inside a quoted field
    qint64 sorok = 0;       // line breaks inside quotes
    for (;;) {
        const char* p = puffer_.constData();
        const qsizetype n = puffer_.size();
        for (; i < n; ++i) {
            if (!idézetben) { // to the next line end or quote
                while (i < n && !különleges(p[i]))
                    ++i;
                if (i >= n)
                    break;
            }
            const char c = p[i];
            if (idézetben) {
                if (c == '"') {
                    if (i + 1 >= n && !vége_)
                        break; // a doubled quote may follow in the next block
                    if (i + 1 < n && p[i + 1] == '"')
                        ++i;
                    else
                        idézetben = false;
                } else if (c == '\n' || (c == '\r' && (i + 1 >= n || p[i + 1] != '\n'))) {
                    ++sorok;
                }
                continue;
            }
            if (c == '"') { // opens a quoted field at the start of a field only
                idézetben = i == kezdet_ || mezőhatár(p[i - 1], elválasztó_);
                continue;
            }
            if (c == '\r' && i + 1 >= n && !vége_)
                break; // CR LF may be split between blocks
            const qsizetype vég = c == '\r' && i + 1 < n && p[i + 1] == '\n' ? i + 2 : i + 1;
            if (!sorvégMegvan_) {
                sorvég_ = vég - i == 2 ? "\r\n" : (c == '\r' ? "\r" : "\n");
                sorvégMegvan_ = true;
            }
            if (i - kezdet_ > LegnagyobbRekord)
                return túlHosszú();
            rekord_ = QByteArrayView(p + kezdet_, i - kezdet_);
            kezdet_ = vég;
            sor_ = következőSor_;
            következőSor_ += 1 + sorok;
            return Rekord;
        }
        if (i - kezdet_ > LegnagyobbRekord)
            return túlHosszú();
        if (vége_) {
            if (idézetben) {
                hibásSor_ = következőSor_;
                hiba_ = Hiba{};
                hiba_->részlet = QStringLiteral("lezáratlan idézőjel");
                return Hibás;
            }
            if (i == kezdet_)
                return Vége;
            rekord_ = QByteArrayView(p + kezdet_, i - kezdet_); // the last line, no line end
            kezdet_ = i;
            sor_ = következőSor_;
            következőSor_ += 1 + sorok;
            return Rekord;
        }
        // more text: keep what is not handed out yet at the front
        const qsizetype átvitt = i - kezdet_;
        puffer_.remove(0, kezdet_);
        kezdet_ = 0;
        i = átvitt;
        if (!forrás_.olvas(puffer_)) {
            if (forrás_.hiba()) {
                hibásSor_ = 0;
                hiba_ = forrás_.hiba();
                return Hibás;
            }
            vége_ = true;
        }
    }
}

CsvOlvasó::Állapot CsvOlvasó::túlHosszú() {
    hibásSor_ = következőSor_;
    hiba_ = Hiba{};
    hiba_->részlet =
        QStringLiteral("túl hosszú sor (több mint %1 MiB)").arg(LegnagyobbRekord >> 20);
    return Hibás;
}

void CsvOlvasó::feloszt(char elválasztó, std::vector<QByteArrayView>& mezők) {
    mezők.clear();
    const char* p = rekord_.data();
    const qsizetype n = rekord_.size();
    auto határ = [elválasztó](char c) { return mezőhatár(c, elválasztó); };
    if (!std::memchr(p, '"', std::size_t(n))) { // the common case: views into the record
        qsizetype kezdet = 0;
        if (elválasztó) {
            while (const void* hol = std::memchr(p + kezdet, elválasztó, std::size_t(n - kezdet))) {
                const qsizetype i = static_cast<const char*>(hol) - p;
                mezők.emplace_back(p + kezdet, i - kezdet);
                kezdet = i + 1;
            }
            mezők.emplace_back(p + kezdet, n - kezdet);
            return;
        }
        for (qsizetype i = 0; i < n; ++i) {
            if (határ(p[i])) {
                mezők.emplace_back(p + kezdet, i - kezdet);
                kezdet = i + 1;
            }
        }
        mezők.emplace_back(p + kezdet, n - kezdet);
        return;
    }
    // Quoted fields are copied without their quotes into one buffer, sized first so that
    // the views into it stay put.
    mezőPuffer_.resize(n);
    char* ki = mezőPuffer_.data();
    qsizetype hossz = 0, kezdet = 0;
    bool idézetben = false, mezőElején = true;
    for (qsizetype i = 0; i < n; ++i) {
        const char c = p[i];
        if (idézetben) {
            if (c == '"') {
                if (i + 1 < n && p[i + 1] == '"') {
                    ki[hossz++] = '"';
                    ++i;
                } else {
                    idézetben = false;
                }
            } else {
                ki[hossz++] = c;
            }
            continue;
        }
        if (határ(c)) {
            mezők.emplace_back(ki + kezdet, hossz - kezdet);
            kezdet = hossz;
            mezőElején = true;
            continue;
        }
        if (c == '"' && mezőElején)
            idézetben = true;
        else
            ki[hossz++] = c;
        mezőElején = false;
    }
    mezők.emplace_back(ki + kezdet, hossz - kezdet);
}

char CsvOlvasó::elválasztótVálaszt(std::vector<QByteArrayView>& mezők) {
    char elválasztó = Elválasztók[0];
    std::size_t legtöbb = 0;
    for (const char jel : Elválasztók) {
        feloszt(jel, mezők);
        if (mezők.size() > legtöbb) {
            legtöbb = mezők.size();
            elválasztó = jel;
        }
    }
    elválasztótRögzít(elválasztó);
    feloszt(elválasztó, mezők);
    return elválasztó;
}
