#include "ertekeles.h"

#include "kozos.h"
#include "runtime/text.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <optional>
#include <vector>

namespace Értékelés {

namespace {

const char* const ÚjOszlopok[] = {"határérték", "kihasználtság", "megítélés"};

// The three columns the evaluation reads, by their Hungarian and English names.
enum Oszlop { Frekvencia, Sebesség, Kategória, OszlopokSzáma };
const std::array<std::array<const char16_t*, 2>, OszlopokSzáma> OszlopNevek{{
    {u"frekvencia", u"frequency"},
    {u"sebesség", u"ppv"},
    {u"kategória", u"category"},
}};

// A fault of the input: where (line 0: the file as a whole) and what.
struct Hiba {
    qint64 sor = 0;
    int oszlop = 0; // 1-based, 0: the whole line
    QString oszlopNév;
    QString mi;
};

// One line split at the separator; double quotes may enclose a field (a doubled quote
// inside stands for one). The fields are views into the line.
bool feloszt(const QByteArray& sor, char elválasztó, std::vector<QByteArray>& mezők) {
    mezők.clear();
    if (!sor.contains('"')) { // the common case, quickly
        qsizetype kezdet = 0;
        for (qsizetype i; (i = sor.indexOf(elválasztó, kezdet)) >= 0; kezdet = i + 1)
            mezők.push_back(sor.mid(kezdet, i - kezdet));
        mezők.push_back(sor.mid(kezdet));
        return true;
    }
    QByteArray mező;
    bool idézetben = false;
    for (qsizetype i = 0; i < sor.size(); ++i) {
        const char c = sor[i];
        if (idézetben) {
            if (c == '"') {
                if (i + 1 < sor.size() && sor[i + 1] == '"') {
                    mező += '"';
                    ++i;
                } else {
                    idézetben = false;
                }
            } else {
                mező += c;
            }
        } else if (c == '"') {
            idézetben = true;
        } else if (c == elválasztó) {
            mezők.push_back(mező);
            mező.clear();
        } else {
            mező += c;
        }
    }
    mezők.push_back(mező);
    return !idézetben;
}

// A number with a decimal point or a decimal comma, no group separators, no exponent.
std::optional<double> szám(QByteArray szöveg, QString* miért) {
    szöveg = szöveg.trimmed();
    if (szöveg.isEmpty()) {
        *miért = QStringLiteral("üres cella");
        return std::nullopt;
    }
    const QByteArray kisbetűs = szöveg.toLower();
    if (kisbetűs.contains("nan")) {
        *miért = QStringLiteral("NaN, nem szám");
        return std::nullopt;
    }
    if (kisbetűs.contains("inf")) {
        *miért = QStringLiteral("végtelen, nem mérhető érték");
        return std::nullopt;
    }
    if (szöveg.count(',') + szöveg.count('.') > 1) {
        *miért = QStringLiteral("nem szám: \"%1\"").arg(QString::fromUtf8(szöveg));
        return std::nullopt;
    }
    szöveg.replace(',', '.');
    double érték = 0;
    const char* vége = szöveg.constData() + szöveg.size();
    const char* eleje = szöveg.constData();
    if (*eleje == '+')
        ++eleje;
    const auto [hol, ec] = std::from_chars(eleje, vége, érték, std::chars_format::fixed);
    if (ec != std::errc() || hol != vége || !std::isfinite(érték)) {
        *miért = QStringLiteral("nem szám: \"%1\"").arg(QString::fromUtf8(szöveg.trimmed()));
        return std::nullopt;
    }
    return érték;
}

// A number in the output's decimal style.
QByteArray számSzöveg(double érték, int tizedesek, char tizedesjel) {
    char puffer[64];
    const auto vége =
        std::to_chars(puffer, puffer + sizeof puffer, érték, std::chars_format::fixed, tizedesek)
            .ptr;
    QByteArray szöveg(puffer, vége - puffer);
    szöveg.replace('.', tizedesjel);
    return szöveg;
}

class Értékelő {
public:
    // One pass over the input; writes only when `ki` is given. Returns false at the first
    // fault, which hiba() then tells.
    bool fut(QIODevice& be, std::FILE* ki) {
        *this = Értékelő();
        ki_ = ki;
        for (;;) {
            QByteArray sor = be.readLine(); // empty only at the end: a line keeps its newline
            if (sor.isEmpty())
                break;
            ++sorszám_;
            bájtok_ += sor.size();
            if (bájtok_ > FájlKorlát)
                return hibás(
                    {0,
                     0,
                     {},
                     QStringLiteral("túl nagy (legfeljebb %1 MiB)").arg(FájlKorlát / 1024 / 1024)});
            const bool crlf = sor.endsWith("\r\n");
            if (sor.endsWith('\n'))
                sor.chop(crlf ? 2 : 1);
            if (!sorVége_.size())
                sorVége_ = crlf ? "\r\n" : "\n";
            if (sor.contains('\0') || !utf8(sor))
                return hibás({sorszám_, 0, {}, QStringLiteral("bináris adat, nem CSV szöveg")});
            if (sor.trimmed().isEmpty())
                continue;
            if (!(fejléc_ ? adatsor(sor) : fejlécsor(sor)))
                return false;
        }
        if (!fejléc_)
            return hibás({0, 0, {}, QStringLiteral("üres, nincs fejlécsora")});
        kiír(true);
        return true;
    }

    const Hiba& hiba() const { return hiba_; }
    qint64 sorok() const { return sorok_; }
    qint64 túllépők() const { return túllépők_; }
    double legnagyobb() const { return legnagyobb_; }
    char tizedesjel() const { return tizedesjel_; }

private:
    bool utf8(const QByteArray& sor) {
        if (std::all_of(sor.begin(), sor.end(), [](char c) { return uchar(c) < 0x80; }))
            return true;
        QStringDecoder dekóder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        [[maybe_unused]] const QString szöveg = dekóder(sor);
        return !dekóder.hasError();
    }

    bool hibás(Hiba hiba) {
        hiba_ = std::move(hiba);
        return false;
    }

    bool fejlécsor(QByteArray sor) {
        if (sor.startsWith("\xEF\xBB\xBF")) { // a spreadsheet's byte order mark
            bom_ = true;
            sor.remove(0, 3);
        }
        elválasztó_ = sor.contains(';') ? ';' : ',';
        if (!feloszt(sor, elválasztó_, mezők_))
            return hibás({sorszám_, 0, {}, QStringLiteral("lezáratlan idézőjel")});
        helyek_.fill(-1);
        for (int i = 0; i < int(mezők_.size()); ++i) {
            const QString név = QString::fromUtf8(mezők_[std::size_t(i)]).trimmed();
            for (int o = 0; o < OszlopokSzáma; ++o) {
                for (const char16_t* n : OszlopNevek[std::size_t(o)]) {
                    if (név.compare(QString::fromUtf16(n), Qt::CaseInsensitive) != 0)
                        continue;
                    if (helyek_[std::size_t(o)] >= 0)
                        return hibás({sorszám_, i + 1, név,
                                      QStringLiteral("ez az oszlop kétszer szerepel")});
                    helyek_[std::size_t(o)] = i;
                }
            }
        }
        for (int o = 0; o < OszlopokSzáma; ++o)
            if (helyek_[std::size_t(o)] < 0)
                return hibás({sorszám_,
                              0,
                              {},
                              QStringLiteral("hiányzik a(z) \"%1\" oszlop")
                                  .arg(QString::fromUtf16(OszlopNevek[std::size_t(o)][0]))});
        oszlopok_ = int(mezők_.size());
        fejléc_ = true;
        if (ki_) {
            if (bom_)
                puffer_ += "\xEF\xBB\xBF";
            puffer_ += sor;
            for (const char* új : ÚjOszlopok)
                puffer_ += elválasztó_ + QByteArray(új);
            puffer_ += sorVége_;
        }
        return true;
    }

    bool adatsor(const QByteArray& sor) {
        if (!feloszt(sor, elválasztó_, mezők_))
            return hibás({sorszám_, 0, {}, QStringLiteral("lezáratlan idézőjel")});
        if (int(mezők_.size()) != oszlopok_)
            return hibás({sorszám_,
                          0,
                          {},
                          QStringLiteral("%1 mező a fejléc %2 oszlopa helyett")
                              .arg(mezők_.size())
                              .arg(oszlopok_)});
        if (!tizedesjelEldöntve_) {
            // the input's decimal style, from its first row: a point where a number has
            // one, otherwise a comma with the semicolon of a Hungarian spreadsheet
            const QByteArray& f = mezők_[std::size_t(helyek_[Frekvencia])];
            const QByteArray& v = mezők_[std::size_t(helyek_[Sebesség])];
            tizedesjel_ = f.contains('.') || v.contains('.') || elválasztó_ == ',' ? '.' : ',';
            tizedesjelEldöntve_ = true;
        }
        auto cella = [&](Oszlop o) -> const QByteArray& {
            return mezők_[std::size_t(helyek_[std::size_t(o)])];
        };
        auto hol = [&](Oszlop o, QString mi) {
            const int i = helyek_[std::size_t(o)];
            return Hiba{sorszám_, i + 1, QString::fromUtf16(OszlopNevek[std::size_t(o)][0]),
                        std::move(mi)};
        };

        QString miért;
        const std::optional<double> f = szám(cella(Frekvencia), &miért);
        if (!f)
            return hibás(hol(Frekvencia, miért));
        const double kerekített = std::nearbyint(*f); // halves to the even whole number
        if (*f < 0 || kerekített > 100)
            return hibás(hol(Frekvencia, QStringLiteral("%1 Hz a 0–100 Hz tartományon kívül esik")
                                             .arg(QString::fromUtf8(cella(Frekvencia).trimmed()))));
        const std::optional<double> v = szám(cella(Sebesség), &miért);
        if (!v)
            return hibás(hol(Sebesség, miért));
        if (*v < 0)
            return hibás(hol(Sebesség, QStringLiteral("negatív sebesség")));
        const auto k = RezgésModell::KategóriaKeres(QString::fromUtf8(cella(Kategória)));
        if (!k)
            return hibás(hol(Kategória, IsmeretlenKategória(QString::fromUtf8(cella(Kategória)))));

        const double határérték = határ(*k, int(kerekített));
        const double kihasználtság = *v / határérték * 100.0;
        const bool megfelel = *v <= határérték;
        ++sorok_;
        if (!megfelel)
            ++túllépők_;
        legnagyobb_ = std::max(legnagyobb_, kihasználtság);
        if (ki_) {
            puffer_ += sor;
            puffer_ += elválasztó_;
            puffer_ += számSzöveg(határérték, 2, tizedesjel_);
            puffer_ += elválasztó_;
            puffer_ += számSzöveg(kihasználtság, 1, tizedesjel_);
            puffer_ += elválasztó_;
            puffer_ += megfelel ? "megfelel" : "túllépi";
            puffer_ += sorVége_;
            kiír(false);
        }
        return true;
    }

    // The limit as the window shows it (two decimals), for each category and frequency
    // taken once from the window's model.
    double határ(std::int16_t k, int f) {
        double& érték = határok_[std::size_t(k)][std::size_t(f)];
        if (érték == 0) {
            const Eredmény e = RezgésModell::Eredményszövegek(k, std::int16_t(f));
            QByteArray szöveg = rt::Trim(e.alapon).section(u' ', 0, 0).toUtf8();
            szöveg.replace(',', '.');
            érték = szöveg.toDouble();
        }
        return érték;
    }

    void kiír(bool mind) {
        if (!ki_ || (!mind && puffer_.size() < 1 << 16))
            return;
        std::fwrite(puffer_.constData(), 1, std::size_t(puffer_.size()), ki_);
        puffer_.clear();
    }

    std::FILE* ki_ = nullptr;
    QByteArray puffer_;
    std::vector<QByteArray> mezők_;
    std::array<int, OszlopokSzáma> helyek_{};
    std::array<std::array<double, 101>, 3> határok_{};
    int oszlopok_ = 0;
    char elválasztó_ = ',';
    char tizedesjel_ = '.';
    bool tizedesjelEldöntve_ = false;
    bool fejléc_ = false;
    bool bom_ = false;
    QByteArray sorVége_;
    qint64 sorszám_ = 0, sorok_ = 0, túllépők_ = 0, bájtok_ = 0;
    double legnagyobb_ = 0;
    Hiba hiba_;
};

QString hibaSzöveg(const QString& név, const Hiba& h) {
    QString hely = név;
    if (h.sor > 0)
        hely += QStringLiteral(", %1. sor").arg(h.sor);
    if (h.oszlop > 0)
        hely += QStringLiteral(", %1. oszlop (%2)").arg(h.oszlop).arg(h.oszlopNév);
    return QStringLiteral("Velorix: %1: %2").arg(hely, h.mi);
}

} // namespace

QString Súgó() {
    return QStringLiteral(
               "Mérések értékelése (--ertekel): a CSV fájl fejlécsorral kezdődik, amely "
               "megnevezi a frekvencia (Hz), a sebesség (mm/s) és a kategória (0, 1, 2 vagy "
               "ipari, lakó, műemlék) oszlopot (angolul: frequency, ppv, category; a kis- és "
               "nagybetű mindegy); a többi oszlop változatlanul megmarad.\n"
               "Elválasztó a vessző vagy a pontosvessző, tizedesjel a pont vagy (pontosvessző "
               "mellett) a vessző. Minden sor mögé három oszlop kerül: határérték (az alapon "
               "megengedhető sebesség), kihasználtság (a mért érték a határérték százalékában, "
               "egy tizedesre) és megítélés (megfelel / túllépi), a bemenet elválasztójával és "
               "tizedesjelével.\n"
               "A frekvenciát a program egész Hz-re kerekíti, ahogy a görgetősáv tartja: a "
               "legközelebbire, a pontos felet a párosra (50,5 -> 50; 51,5 -> 52). A görgetősáv "
               "0–100 Hz-et fog át, a program ezen kívül nem ad határértéket: a 100,5 Hz fölötti "
               "és a negatív frekvencia hibás bemenet.\n"
               "Kilépési kód: 0, ha minden sor megfelel; 1, ha valamelyik túllépi; 2 hibás "
               "bemenetnél (üzenet a fájl, a sor és az oszlop megnevezésével; szabályos fájlnál "
               "ilyenkor semmi sem kerül a kimenetre). Legfeljebb %1 MiB.")
        .arg(FájlKorlát / 1024 / 1024);
}

int Értékel(const QString& fájl, std::FILE* ki, std::FILE* hibák) {
    const bool bemenet = fájl == QLatin1String("-");
    const QString név = bemenet ? QStringLiteral("szabványos bemenet") : fájl;
    QFile be;
    bool szabályos = false;
    if (bemenet) {
        be.open(stdin, QIODevice::ReadOnly);
    } else {
        const QFileInfo info(fájl);
        if (!info.exists()) {
            SorKiír(hibák, hibaSzöveg(név, {0, 0, {}, QStringLiteral("nincs ilyen fájl")}));
            return HibásBemenet;
        }
        if (info.isDir()) {
            SorKiír(hibák, hibaSzöveg(név, {0, 0, {}, QStringLiteral("mappa, nem fájl")}));
            return HibásBemenet;
        }
        szabályos = info.isFile();
        if (szabályos && info.size() > FájlKorlát) {
            SorKiír(hibák, hibaSzöveg(név, {0,
                                            0,
                                            {},
                                            QStringLiteral("túl nagy: %1 bájt (legfeljebb %2 MiB)")
                                                .arg(info.size())
                                                .arg(FájlKorlát / 1024 / 1024)}));
            return HibásBemenet;
        }
        be.setFileName(fájl);
        if (!be.open(QIODevice::ReadOnly)) {
            SorKiír(
                hibák,
                hibaSzöveg(név,
                           {0, 0, {}, QStringLiteral("nem olvasható: %1").arg(be.errorString())}));
            return HibásBemenet;
        }
    }

    Értékelő értékelő;
    // A regular file is checked whole first, so that a fault leaves the output empty;
    // anything else is read once, as it comes.
    if (szabályos) {
        if (!értékelő.fut(be, nullptr)) {
            SorKiír(hibák, hibaSzöveg(név, értékelő.hiba()));
            return HibásBemenet;
        }
        be.seek(0);
    }
    const bool rendben = értékelő.fut(be, ki);
    std::fflush(ki);
    if (!rendben) {
        SorKiír(hibák, hibaSzöveg(név, értékelő.hiba()));
        return HibásBemenet;
    }
    const QString legnagyobb =
        QString::fromLatin1(számSzöveg(értékelő.legnagyobb(), 1, értékelő.tizedesjel()));
    SorKiír(hibák, QStringLiteral("Velorix: %1: %2 mérés, %3 megfelel, %4 túllépi; a legnagyobb "
                                  "kihasználtság %5%")
                       .arg(név)
                       .arg(értékelő.sorok())
                       .arg(értékelő.sorok() - értékelő.túllépők())
                       .arg(értékelő.túllépők())
                       .arg(legnagyobb));
    return értékelő.túllépők() > 0 ? Túllépi : Megfelel;
}

} // namespace Értékelés
