#include "szovegforras.h"

#include <cstring>
#include <filesystem>
#include <system_error>

namespace Szöveg {

bool Utf8Ellenőr::ellenőriz(const char* p, qsizetype n) {
    for (qsizetype i = 0; i < n; ++i) {
        if (!hátra_) { // ASCII eight bytes at a time
            quint64 szó;
            while (i + 8 <= n && (std::memcpy(&szó, p + i, 8), (szó & 0x8080808080808080ULL) == 0))
                i += 8;
            if (i >= n)
                break;
        }
        const uchar c = uchar(p[i]);
        if (hátra_) {
            if (c < alsó_ || c > felső_)
                return false;
            alsó_ = 0x80;
            felső_ = 0xBF;
            --hátra_;
        } else if (c >= 0x80) {
            if (c < 0xC2) {
                return false; // a continuation byte, or an overlong two-byte form
            } else if (c < 0xE0) {
                hátra_ = 1;
            } else if (c < 0xF0) {
                hátra_ = 2;
                if (c == 0xE0)
                    alsó_ = 0xA0; // overlong
                else if (c == 0xED)
                    felső_ = 0x9F; // surrogates
            } else if (c < 0xF5) {
                hátra_ = 3;
                if (c == 0xF0)
                    alsó_ = 0x90; // overlong
                else if (c == 0xF4)
                    felső_ = 0x8F; // above U+10FFFF
            } else {
                return false;
            }
        }
    }
    return true;
}

bool FájlMegnyit(const QString& fájl, QFile& be, QIODevice::OpenMode mód, QString* hiba,
                 bool* szabályos) {
    std::error_code ec;
    const auto állapot = std::filesystem::status(std::filesystem::path(fájl.toStdU16String()), ec);
    if (ec) {
        *hiba = ec == std::errc::no_such_file_or_directory
                    ? QStringLiteral("nincs ilyen fájl")
                    : QStringLiteral("nem olvasható: %1").arg(QString::fromLocal8Bit(ec.message()));
        return false;
    }
    if (állapot.type() == std::filesystem::file_type::directory) {
        *hiba = QStringLiteral("mappa, nem fájl");
        return false;
    }
    be.setFileName(fájl);
    if (!be.open(mód)) {
        *hiba = QStringLiteral("nem olvasható: %1").arg(be.errorString());
        return false;
    }
    if (szabályos)
        *szabályos = állapot.type() == std::filesystem::file_type::regular;
    return true;
}

QString KódolásNeve(Kódolás kódolás) {
    switch (kódolás) {
    case Kódolás::Utf8:
        return QStringLiteral("UTF-8");
    case Kódolás::Utf8Bom:
        return QStringLiteral("UTF-8 (BOM)");
    case Kódolás::Utf16LE:
        return QStringLiteral("UTF-16LE");
    case Kódolás::Utf16BE:
        return QStringLiteral("UTF-16BE");
    case Kódolás::Windows1250:
        return QStringLiteral("Windows-1250");
    }
    return {};
}

bool Forrás::megnyit(const QString& fájl, QString* hiba) {
    if (fájl == QLatin1String("-")) {
        if (!fájl_.open(stdin, QIODevice::ReadOnly | QIODevice::Unbuffered)) {
            *hiba = QStringLiteral("nem olvasható: %1").arg(fájl_.errorString());
            return false;
        }
        megnyit(&fájl_, false);
        return true;
    }
    bool szabályos = false;
    if (!FájlMegnyit(fájl, fájl_, QIODevice::ReadOnly | QIODevice::Unbuffered, hiba, &szabályos))
        return false;
    megnyit(&fájl_, szabályos);
    return true;
}

void Forrás::megnyit(QIODevice* eszköz, bool újraolvasható) {
    eszköz_ = eszköz;
    újraolvasható_ = újraolvasható;
}

bool Forrás::elölről(std::optional<Kódolás> kódolás) {
    if (!újraolvasható_ || !eszköz_->seek(0))
        return false;
    első_ = true;
    nemUtf8_ = false;
    hiba_.clear();
    bájtok_ = 0;
    dekóder_.reset();
    if (kódolás) {
        kódolás_ = *kódolás;
        rögzített_ = true;
    }
    return true;
}

bool Forrás::nyersOlvas(QByteArray& cél) {
    cél.resize(Blokk);
    qint64 megvan = 0;
    while (megvan < Blokk) { // a pipe hands over less at a time
        const qint64 n = eszköz_->read(cél.data() + megvan, Blokk - megvan);
        if (n < 0) {
            hiba_ = QStringLiteral("olvasási hiba: %1").arg(eszköz_->errorString());
            cél.clear();
            return false;
        }
        if (n == 0)
            break;
        megvan += n;
    }
    cél.resize(megvan);
    bájtok_ += megvan;
    return true;
}

bool Forrás::olvas(QByteArray& cél) {
    if (!hiba_.isEmpty() || !nyersOlvas(nyers_))
        return false;
    if (első_) {
        első_ = false;
        qsizetype bom = 0;
        if (nyers_.startsWith("\xEF\xBB\xBF")) {
            kódolás_ = Kódolás::Utf8Bom;
            bom = 3;
        } else if (nyers_.startsWith("\xFF\xFE")) {
            kódolás_ = Kódolás::Utf16LE;
            bom = 2;
        } else if (nyers_.startsWith("\xFE\xFF")) {
            kódolás_ = Kódolás::Utf16BE;
            bom = 2;
        } else if (!rögzített_) {
            kódolás_ = Kódolás::Utf8;
        }
        nyers_.remove(0, bom);
        if (kódolás_ == Kódolás::Utf16LE)
            dekóder_.emplace(QStringConverter::Utf16LE);
        else if (kódolás_ == Kódolás::Utf16BE)
            dekóder_.emplace(QStringConverter::Utf16BE);
        else if (kódolás_ == Kódolás::Windows1250)
            dekóder_.emplace("windows-1250");
        utf8_ = Utf8Ellenőr();
        if (kódolás_ == Kódolás::Utf8 && !rögzített_) {
            if (utf8_.ellenőriz(nyers_.constData(), nyers_.size()) &&
                (nyers_.size() == Blokk || utf8_.lezárt()))
                return nyers_.isEmpty() ? false : dekódol(nyers_, cél, true);
            // not UTF-8 from the start: the Windows code page
            kódolás_ = Kódolás::Windows1250;
            dekóder_.emplace("windows-1250");
            utf8_ = Utf8Ellenőr();
        }
    }
    if (nyers_.isEmpty()) {
        if ((kódolás_ == Kódolás::Utf8 || kódolás_ == Kódolás::Utf8Bom) && !utf8_.lezárt()) {
            nemUtf8_ = true;
            hiba_ = QStringLiteral("nem UTF-8 szöveg: a vége egy félbeszakadt karakter");
        }
        return false;
    }
    return dekódol(nyers_, cél);
}

bool Forrás::dekódol(const QByteArray& nyers, QByteArray& cél, bool ellenőrzött) {
    const bool utf8 = kódolás_ == Kódolás::Utf8 || kódolás_ == Kódolás::Utf8Bom;
    if (utf8 || kódolás_ == Kódolás::Windows1250) {
        if (std::memchr(nyers.constData(), 0, std::size_t(nyers.size()))) {
            hiba_ = QStringLiteral("bináris adat, nem CSV szöveg");
            return false;
        }
    }
    if (utf8) {
        if (!ellenőrzött && !utf8_.ellenőriz(nyers.constData(), nyers.size())) {
            nemUtf8_ = true;
            hiba_ = újraolvasható_ || rögzített_
                        ? QStringLiteral("nem UTF-8 szöveg")
                        : QStringLiteral("az első %1 MiB UTF-8, utána nem UTF-8 bájtok jönnek: "
                                         "a bemenet kódolása nem egyértelmű (mentse UTF-8-ban)")
                              .arg(Blokk >> 20);
            return false;
        }
        cél += nyers;
        return true;
    }
    const QString szöveg = (*dekóder_)(nyers);
    if (dekóder_->hasError()) {
        hiba_ = QStringLiteral("hibás %1 szöveg").arg(KódolásNeve(kódolás_));
        return false;
    }
    if (szöveg.contains(QChar(0))) {
        hiba_ = QStringLiteral("bináris adat, nem CSV szöveg");
        return false;
    }
    cél += szöveg.toUtf8();
    return true;
}

Kódoló::Kódoló(Kódolás kódolás) : kódolás_(kódolás) {
    if (kódolás == Kódolás::Utf16LE)
        kódoló_.emplace(QStringConverter::Utf16LE);
    else if (kódolás == Kódolás::Utf16BE)
        kódoló_.emplace(QStringConverter::Utf16BE);
    else if (kódolás == Kódolás::Windows1250)
        kódoló_.emplace("windows-1250");
}

QByteArray Kódoló::eleje() const {
    switch (kódolás_) {
    case Kódolás::Utf8Bom:
        return QByteArrayLiteral("\xEF\xBB\xBF");
    case Kódolás::Utf16LE:
        return QByteArrayLiteral("\xFF\xFE");
    case Kódolás::Utf16BE:
        return QByteArrayLiteral("\xFE\xFF");
    default:
        return {};
    }
}

void Kódoló::kódol(QByteArrayView utf8, QByteArray& cél) {
    if (!kódoló_) {
        cél.append(utf8.data(), utf8.size());
        return;
    }
    cél += (*kódoló_)(QString::fromUtf8(utf8));
}

} // namespace Szöveg
