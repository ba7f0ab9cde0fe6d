#include "naplo.h"

#include "model/rezgesmodell.h"
#include "runtime/text.h"

#include <QStringList>

#include <charconv>
#include <cmath>

namespace Napló {

namespace {

bool üres(QByteArrayView v) {
    for (const char c : v)
        if (c != ' ' && c != '\t')
            return false;
    return true;
}

QByteArrayView levág(QByteArrayView v) {
    while (!v.isEmpty() && (v.front() == ' ' || v.front() == '\t'))
        v = v.sliced(1);
    while (!v.isEmpty() && (v.back() == ' ' || v.back() == '\t'))
        v.chop(1);
    return v;
}

// A header name without the unit after it: "Frekvencia [Hz]", "PPV (mm/s)".
QString fejlécKulcs(QByteArrayView mező) {
    QString név = QString::fromUtf8(mező).trimmed();
    if (név.endsWith(u']') || név.endsWith(u')')) {
        const qsizetype nyit = név.lastIndexOf(név.endsWith(u']') ? u'[' : u'(');
        if (nyit > 0)
            név.truncate(nyit);
    }
    return rt::NameKey(név);
}

QString idéz(QByteArrayView cella) {
    return u'"' + QString::fromUtf8(cella) + u'"';
}

} // namespace

const std::array<std::vector<QString>, OszlopokSzáma>& OszlopNevek() {
    static const std::array<std::vector<QString>, OszlopokSzáma> nevek{{
        {QStringLiteral("frekvencia"), QStringLiteral("frequency")},
        {QStringLiteral("sebesség"), QStringLiteral("ppv")},
        {QStringLiteral("kategória"), QStringLiteral("category")},
    }};
    return nevek;
}

std::optional<Szám> SzámOlvas(QByteArrayView cella, QString* miért) {
    const QByteArrayView szöveg = levág(cella);
    if (szöveg.isEmpty()) {
        *miért = QStringLiteral("üres cella");
        return std::nullopt;
    }
    char puffer[64] = {};
    Szám szám;
    bool számjegy = false, kitevő = false;
    if (szöveg.size() >= qsizetype(sizeof puffer))
        return *miért = QStringLiteral("nem szám: %1").arg(idéz(cella)), std::nullopt;
    qsizetype n = 0;
    quint64 mantissza = 0; // the digits as one whole number, while they fit
    int jegyek = 0, tizedesek = 0;
    for (qsizetype i = 0; i < szöveg.size(); ++i) {
        char c = szöveg[i];
        if (c >= '0' && c <= '9') {
            számjegy = true;
            if (!kitevő) {
                mantissza = mantissza * 10 + quint64(c - '0');
                ++jegyek;
                tizedesek += szám.tizedesjel ? 1 : 0;
            }
        } else if ((c == '.' || c == ',') && !szám.tizedesjel && !kitevő) {
            szám.tizedesjel = c;
            c = '.';
        } else if ((c == 'e' || c == 'E') && számjegy && !kitevő) {
            kitevő = true;
        } else if ((c == '+' || c == '-') &&
                   (i == 0 || szöveg[i - 1] == 'e' || szöveg[i - 1] == 'E')) {
            if (c == '+')
                continue; // from_chars takes no plus sign
        } else {
            *miért = QStringLiteral("nem szám: %1").arg(idéz(cella));
            return std::nullopt;
        }
        puffer[n++] = c;
    }
    // Up to 15 digits and 22 decimals both the digits and the power of ten are exact
    // doubles, so one division is the correctly rounded value, as from_chars gives it.
    static constexpr double Hatványok[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                           1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                           1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
    if (számjegy && !kitevő && jegyek <= 15) {
        szám.érték = double(mantissza) / Hatványok[tizedesek];
        if (puffer[0] == '-')
            szám.érték = -szám.érték;
        return szám;
    }
    const auto [hol, ec] = std::from_chars(puffer, puffer + n, szám.érték);
    if (számjegy && ec == std::errc::result_out_of_range) {
        *miért = QStringLiteral("nem ábrázolható szám: %1").arg(idéz(cella));
        return std::nullopt;
    }
    if (!számjegy || ec != std::errc() || hol != puffer + n) {
        *miért = QStringLiteral("nem szám: %1").arg(idéz(cella));
        return std::nullopt;
    }
    if (!std::isfinite(szám.érték)) {
        *miért = QStringLiteral("nem ábrázolható szám: %1").arg(idéz(cella));
        return std::nullopt;
    }
    return szám;
}

bool Olvasó::fejléc() {
    const auto& nevek = OszlopNevek();
    int legjobb = -1; // the most columns a line named
    qint64 legjobbSor = 0;
    QStringList legjobbMezők;
    int sorok = 0;
    for (;;) {
        const CsvOlvasó::Eredmény e = csv_.következő();
        if (e == CsvOlvasó::Hiba)
            return hibás({csv_.hibásSor(), 0, {}, csv_.hiba()});
        if (e == CsvOlvasó::Vége || sorok >= FejlécKeresés)
            break;
        csv_.feloszt(0, mezők_);
        if (std::all_of(mezők_.begin(), mezők_.end(), üres))
            continue;
        ++sorok;
        for (const char elválasztó : CsvOlvasó::Elválasztók) {
            if (!csv_.rekord().contains(elválasztó) && elválasztó != ';')
                continue;
            csv_.feloszt(elválasztó, mezők_);
            std::array<int, OszlopokSzáma> helyek;
            helyek.fill(-1);
            int talált = 0;
            bool magyar = false;
            std::optional<Hiba> kétszer;
            for (std::size_t i = 0; i < mezők_.size(); ++i) {
                const QString kulcs = fejlécKulcs(mezők_[i]);
                for (std::size_t o = 0; o < nevek.size(); ++o) {
                    for (std::size_t j = 0; j < nevek[o].size(); ++j) {
                        if (kulcs != rt::NameKey(nevek[o][j]))
                            continue;
                        if (helyek[o] >= 0 && !kétszer)
                            kétszer =
                                Hiba{csv_.sor(), int(i) + 1, QString::fromUtf8(levág(mezők_[i])),
                                     QStringLiteral("ez az oszlop kétszer szerepel")};
                        if (helyek[o] < 0)
                            ++talált;
                        helyek[o] = int(i);
                        magyar = magyar || j == 0;
                    }
                }
            }
            if (talált == OszlopokSzáma) {
                if (kétszer)
                    return hibás(*kétszer);
                helyek_ = helyek;
                oszlopok_ = mezők_.size();
                elválasztó_ = elválasztó;
                magyar_ = magyar;
                fejlécSor_ = csv_.rekord().toByteArray();
                csv_.elválasztótRögzít(elválasztó);
                return true;
            }
            if (talált > legjobb) {
                legjobb = talált;
                legjobbSor = csv_.sor();
                legjobbMezők.clear();
                for (const QByteArrayView m : mezők_)
                    legjobbMezők << idéz(m);
            }
        }
    }
    if (legjobb < 0)
        return hibás({0, 0, {}, QStringLiteral("üres, nincs fejlécsora")});
    QStringList elfogadott;
    for (const auto& n : nevek)
        elfogadott << QStringLiteral("%1 (%2)").arg(n[0], n[1]);
    return hibás(
        {0,
         0,
         {},
         QStringLiteral("nincs fejlécsor, amely megnevezné a frekvencia, a sebesség és "
                        "a kategória oszlopát (az első %1 nem üres sorban keresve); a "
                        "legtöbbet a(z) %2. sor nevezi meg, mezői: %3; elfogadott "
                        "nevek, kis- és nagybetűtől, ékezettől és zárójeles "
                        "mértékegységtől függetlenül: %4")
             .arg(FejlécKeresés)
             .arg(legjobbSor)
             .arg(legjobbMezők.join(QStringLiteral(", ")), elfogadott.join(QStringLiteral(", ")))});
}

int Olvasó::kategóriaKeres(QByteArrayView cella) {
    for (const auto& [szöveg, index] : kategóriák_)
        if (QByteArrayView(szöveg) == cella)
            return index;
    const auto k = RezgésModell::KategóriaKeres(QString::fromUtf8(cella));
    const int index = k ? *k : -1;
    if (kategóriák_.size() < 64)
        kategóriák_.emplace_back(cella.toByteArray(), index);
    return index;
}

bool Olvasó::következő(Mérés& mérés) {
    for (;;) {
        const CsvOlvasó::Eredmény e = csv_.következő();
        if (e == CsvOlvasó::Hiba)
            return hibás({csv_.hibásSor(), 0, {}, csv_.hiba()});
        if (e == CsvOlvasó::Vége)
            return false;
        csv_.feloszt(elválasztó_, mezők_);
        if (std::all_of(mezők_.begin(), mezők_.end(), üres))
            continue; // an empty line, or a row of nothing but separators
        if (mezők_.size() != oszlopok_)
            return hibás({csv_.sor(),
                          0,
                          {},
                          QStringLiteral("%1 mező a fejléc %2 oszlopa helyett")
                              .arg(mezők_.size())
                              .arg(oszlopok_)});
        auto hol = [&](Oszlop o, QString mi) {
            return Hiba{csv_.sor(), helyek_[o] + 1, OszlopNevek()[o][0], std::move(mi)};
        };
        QString miért;
        const QByteArrayView fCella = mezők_[std::size_t(helyek_[Frekvencia])];
        const std::optional<Szám> f = SzámOlvas(fCella, &miért);
        if (!f)
            return hibás(hol(Frekvencia, miért));
        if (f->érték < 0)
            return hibás(
                hol(Frekvencia, QStringLiteral("negatív frekvencia: %1").arg(idéz(fCella))));
        const QByteArrayView vCella = mezők_[std::size_t(helyek_[Sebesség])];
        const std::optional<Szám> v = SzámOlvas(vCella, &miért);
        if (!v)
            return hibás(hol(Sebesség, miért));
        if (v->érték < 0)
            return hibás(hol(Sebesség, QStringLiteral("negatív sebesség: %1").arg(idéz(vCella))));
        const QByteArrayView kCella = mezők_[std::size_t(helyek_[Kategória])];
        const int k = kategóriaKeres(kCella);
        if (k < 0)
            return hibás(
                hol(Kategória, RezgésModell::IsmeretlenKategória(QString::fromUtf8(kCella))));
        if (!tizedesjel_)
            tizedesjel_ = f->tizedesjel ? f->tizedesjel : v->tizedesjel;
        mérés.frekvencia = f->érték;
        mérés.sebesség = v->érték;
        mérés.kategória = k;
        mérés.sor = csv_.rekord();
        mérés.sorszám = csv_.sor();
        return true;
    }
}

} // namespace Napló
