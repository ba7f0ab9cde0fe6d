#include "szovegforras.h"

#include <QUtf8StringView>

#include <cstring>
#include <filesystem>
#include <system_error>

namespace Szöveg {

namespace {

// The encodings: their names in messages, byte order marks, and the converter that
// decodes and encodes them (none: the bytes are UTF-8 already).
struct KódolásAdat {
    Kódolás kódolás;
    const char* név;
    QByteArrayView bom;
    const char* átalakító;
};
constexpr KódolásAdat Kódolások[] = {
    {Kódolás::Utf8, "UTF-8", {}, nullptr},
    {Kódolás::Utf8Bom, "UTF-8 (BOM)", "\xEF\xBB\xBF", nullptr},
    {Kódolás::Utf16LE, "UTF-16LE", "\xFF\xFE", "UTF-16LE"},
    {Kódolás::Utf16BE, "UTF-16BE", "\xFE\xFF", "UTF-16BE"},
    {Kódolás::Windows1250, "Windows-1250", {}, "windows-1250"},
};

const KódolásAdat& adat(Kódolás kódolás) {
    for (const KódolásAdat& a : Kódolások)
        if (a.kódolás == kódolás)
            return a;
    return Kódolások[0];
}

} // namespace

namespace {

bool folytató(char c) {
    return (uchar(c) & 0xC0) == 0x80;
}

// The length of the sequence a lead byte opens; 1 for anything that opens none, so that
// Qt's check judges it.
qsizetype sorozatHossz(char c) {
    const uchar u = uchar(c);
    return u >= 0xF0 ? 4 : u >= 0xE0 ? 3 : u >= 0xC0 ? 2 : 1;
}

} // namespace

bool Utf8Ellenőr::ellenőriz(const char* p, qsizetype n) {
    if (!függő_.isEmpty()) { // the sequence the last block cut, finished from this one
        const qsizetype kell = sorozatHossz(függő_[0]) - függő_.size();
        qsizetype i = 0;
        while (i < std::min(kell, n) && folytató(p[i]))
            ++i;
        függő_.append(p, i);
        if (i == n && i < kell)
            return true; // still unfinished: the next block goes on with it
        if (!QUtf8StringView(függő_).isValidUtf8())
            return false;
        függő_.clear();
        p += i;
        n -= i;
    }
    // a sequence cut at the end waits for the next block
    qsizetype vég = n;
    for (qsizetype j = n - 1; j >= std::max<qsizetype>(0, n - 3); --j) {
        if (folytató(p[j]))
            continue;
        if (n - j < sorozatHossz(p[j]))
            vég = j;
        break;
    }
    if (!QUtf8StringView(p, vég).isValidUtf8())
        return false;
    függő_ = QByteArray(p + vég, n - vég);
    return true;
}

std::optional<Hiba> FájlMegnyit(const QString& fájl, QFile& be, QIODevice::OpenMode mód,
                                bool* szabályos) {
    Hiba h;
    h.fájl = fájl;
    std::error_code ec;
    const auto állapot = std::filesystem::status(std::filesystem::path(fájl.toStdU16String()), ec);
    if (ec) {
        h.fajta = ec == std::errc::no_such_file_or_directory ? Hiba::Fajta::NincsFájl
                                                             : Hiba::Fajta::NemOlvasható;
        h.részlet = QString::fromLocal8Bit(ec.message());
        return h;
    }
    if (állapot.type() == std::filesystem::file_type::directory) {
        h.fajta = Hiba::Fajta::Mappa;
        return h;
    }
    be.setFileName(fájl);
    if (!be.open(mód)) {
        h.fajta = Hiba::Fajta::NemOlvasható;
        h.részlet = be.errorString();
        return h;
    }
    if (szabályos)
        *szabályos = állapot.type() == std::filesystem::file_type::regular;
    return std::nullopt;
}

QString KódolásNeve(Kódolás kódolás) {
    return QString::fromLatin1(adat(kódolás).név);
}

std::optional<Hiba> Forrás::megnyit(const QString& fájl) {
    if (fájl == QLatin1String("-")) {
        if (!fájl_.open(stdin, QIODevice::ReadOnly | QIODevice::Unbuffered)) {
            Hiba h;
            h.fajta = Hiba::Fajta::NemOlvasható;
            h.fájl = fájl;
            h.részlet = fájl_.errorString();
            return h;
        }
        megnyit(&fájl_, false);
        return std::nullopt;
    }
    bool szabályos = false;
    if (auto h = FájlMegnyit(fájl, fájl_, QIODevice::ReadOnly | QIODevice::Unbuffered, &szabályos))
        return h;
    megnyit(&fájl_, szabályos);
    return std::nullopt;
}

void Forrás::hibás(Hiba::Fajta fajta, QString részlet) {
    Hiba h;
    h.fajta = fajta;
    h.részlet = std::move(részlet);
    hiba_ = std::move(h);
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
    hiba_.reset();
    dekóder_.reset();
    if (kódolás) {
        kódolás_ = *kódolás;
        rögzített_ = true;
    }
    return true;
}

bool Forrás::kódlapraVált() {
    return nemUtf8_ && elölről(Kódolás::Windows1250);
}

bool Forrás::nyersOlvas(QByteArray& cél) {
    cél.resize(Blokk);
    qint64 megvan = 0;
    while (megvan < Blokk) { // a pipe hands over less at a time
        const qint64 n = eszköz_->read(cél.data() + megvan, Blokk - megvan);
        if (n < 0) {
            hibás(Hiba::Fajta::NemOlvasható, eszköz_->errorString());
            cél.clear();
            return false;
        }
        if (n == 0)
            break;
        megvan += n;
    }
    cél.resize(megvan);
    return true;
}

bool Forrás::olvas(QByteArray& cél) {
    if (hiba_ || !nyersOlvas(nyers_))
        return false;
    if (első_) {
        első_ = false;
        // the byte order mark decides; without one UTF-8 until bytes say otherwise
        const std::optional<QStringConverter::Encoding> jel =
            QStringConverter::encodingForData(nyers_);
        if (jel == QStringConverter::Utf8)
            kódolás_ = Kódolás::Utf8Bom;
        else if (jel == QStringConverter::Utf16LE)
            kódolás_ = Kódolás::Utf16LE;
        else if (jel == QStringConverter::Utf16BE)
            kódolás_ = Kódolás::Utf16BE;
        else if (!rögzített_)
            kódolás_ = Kódolás::Utf8;
        const KódolásAdat& a = adat(kódolás_);
        if (nyers_.startsWith(a.bom))
            nyers_.remove(0, a.bom.size());
        if (a.átalakító)
            dekóder_.emplace(a.átalakító);
        utf8_ = Utf8Ellenőr();
        if (kódolás_ == Kódolás::Utf8 && !rögzített_) {
            if (utf8_.ellenőriz(nyers_.constData(), nyers_.size()) &&
                (nyers_.size() == Blokk || utf8_.lezárt()))
                return nyers_.isEmpty() ? false : dekódol(nyers_, cél, true);
            // not UTF-8 from the start: the Windows code page
            kódolás_ = Kódolás::Windows1250;
            dekóder_.emplace(adat(kódolás_).átalakító);
            utf8_ = Utf8Ellenőr();
        }
    }
    if (nyers_.isEmpty()) {
        if ((kódolás_ == Kódolás::Utf8 || kódolás_ == Kódolás::Utf8Bom) && !utf8_.lezárt()) {
            nemUtf8_ = true;
            hibás(Hiba::Fajta::NemSzöveg,
                  QStringLiteral("nem UTF-8 szöveg: a vége egy félbeszakadt karakter"));
        }
        return false;
    }
    return dekódol(nyers_, cél);
}

bool Forrás::dekódol(const QByteArray& nyers, QByteArray& cél, bool ellenőrzött) {
    const bool utf8 = kódolás_ == Kódolás::Utf8 || kódolás_ == Kódolás::Utf8Bom;
    if (utf8 || kódolás_ == Kódolás::Windows1250) {
        if (std::memchr(nyers.constData(), 0, std::size_t(nyers.size()))) {
            hibás(Hiba::Fajta::NemSzöveg, QStringLiteral("bináris adat, nem CSV szöveg"));
            return false;
        }
    }
    if (utf8) {
        if (!ellenőrzött && !utf8_.ellenőriz(nyers.constData(), nyers.size())) {
            nemUtf8_ = true;
            hibás(Hiba::Fajta::NemSzöveg,
                  újraolvasható_ || rögzített_
                      ? QStringLiteral("nem UTF-8 szöveg")
                      : QStringLiteral("az első %1 MiB UTF-8, utána nem UTF-8 bájtok jönnek: "
                                       "a bemenet kódolása nem egyértelmű (mentse UTF-8-ban)")
                            .arg(Blokk >> 20));
            return false;
        }
        cél += nyers;
        return true;
    }
    const QString szöveg = (*dekóder_)(nyers);
    if (dekóder_->hasError()) {
        hibás(Hiba::Fajta::NemSzöveg, QStringLiteral("hibás %1 szöveg").arg(KódolásNeve(kódolás_)));
        return false;
    }
    if (szöveg.contains(QChar(0))) {
        hibás(Hiba::Fajta::NemSzöveg, QStringLiteral("bináris adat, nem CSV szöveg"));
        return false;
    }
    cél += szöveg.toUtf8();
    return true;
}

Kódoló::Kódoló(Kódolás kódolás) : kódolás_(kódolás) {
    if (const char* átalakító = adat(kódolás).átalakító)
        kódoló_.emplace(átalakító);
}

QByteArray Kódoló::eleje() const {
    return adat(kódolás_).bom.toByteArray();
}

void Kódoló::kódol(QByteArrayView utf8, QByteArray& cél) {
    if (!kódoló_) {
        cél.append(utf8.data(), utf8.size());
        return;
    }
    cél += (*kódoló_)(QString::fromUtf8(utf8));
}

} // namespace Szöveg
