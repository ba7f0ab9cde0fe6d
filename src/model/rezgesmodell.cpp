#include "rezgesmodell.h"

#include "runtime/errors.h"
#include "runtime/int16.h"
#include "runtime/text.h"

#include <QStringList>

#include <cmath>

namespace {

// Double to single as the runtime stores it: too large a magnitude overflows.
float singleOf(double value) {
    if (std::isnan(value))
        throw rt::RuntimeError(rt::ErrorKind::FloatingPoint);
    const float single = static_cast<float>(value);
    if (std::isinf(single))
        throw rt::RuntimeError(rt::ErrorKind::Overflow);
    return single;
}

} // namespace

void RezgésModell::Számít() {
    if (Épülettípus >= 0 && Épülettípus < std::int16_t(Kategóriák.size())) {
        const Kategória& k = Kategóriák[std::size_t(Épülettípus)];
        double érték;
        if (Frekvencia < 10) {
            érték = k.állandó;
        } else if (Frekvencia <= 50) {
            const std::int16_t d = rt::Sub16(Frekvencia, 10);
            érték = double(d) * k.középMeredekség + k.középAlap;
        } else {
            const std::int16_t d = rt::Sub16(Frekvencia, 50);
            érték = double(d) * k.felsőMeredekség + k.felsőAlap;
        }
        MaxSebesség = singleOf(érték);
    }
    // Rounds to hundredths by cutting; the 0.002 allowance brings a single held just
    // below a hundredth back onto it (8.28 is held as 8.2799997 and stays 8.28).
    MaxSebesség = singleOf(std::floor((double(MaxSebesség) + 0.002) * 100.0) / 100.0);
}

QString RezgésModell::SzámSzöveg() const {
    const float v = MaxSebesség;
    if (static_cast<float>(std::floor(v)) == v)
        return rt::Right(u' ' + rt::Str(v), 3) + QStringLiteral(",00");
    const QString szám = rt::Trim(rt::Str(v)) + u'0';
    return rt::Left(szám, v < 10 ? 4 : 5);
}

void RezgésModell::CímkeFelirás() {
    CímkeMaxSebességFeliratÍr(0, SzámSzöveg());
    CímkeMaxSebességFeliratÍr(0, CímkeMaxSebességFelirat(0) + QStringLiteral(" mm/s"));
}

std::optional<QString> RezgésModell::FelsőFödémSzöveg(std::int16_t épülettípus) {
    if (épülettípus < 0 || épülettípus >= std::int16_t(Kategóriák.size()))
        return std::nullopt;
    return QString::fromUtf16(Kategóriák[std::size_t(épülettípus)].felsőFödém);
}

namespace {

// The model with its two result labels as plain texts.
class SzövegesModell : public RezgésModell {
public:
    QString címke[2];

protected:
    QString CímkeMaxSebességFelirat(std::int16_t index) const override { return címke[index]; }
    void CímkeMaxSebességFeliratÍr(std::int16_t index, const QString& felirat) override {
        címke[index] = felirat;
    }
};

} // namespace

Eredmény RezgésModell::Eredményszövegek(std::int16_t épülettípus, std::int16_t frekvencia) {
    SzövegesModell modell;
    modell.Épülettípus = épülettípus;
    modell.Frekvencia = frekvencia;
    modell.Számít();
    modell.CímkeFelirás();
    return {modell.címke[0], FelsőFödémSzöveg(épülettípus).value_or(QString()), modell.MaxSebesség};
}

QString RezgésModell::KategóriaNév(std::int16_t épülettípus) {
    if (épülettípus < 0 || épülettípus >= std::int16_t(Kategóriák.size()))
        return {};
    return QString::fromUtf16(Kategóriák[std::size_t(épülettípus)].felirat).remove(u'&');
}

std::optional<std::int16_t> RezgésModell::KategóriaKeres(const QString& szöveg) {
    const QString keresett = rt::NameKey(szöveg);
    for (std::size_t i = 0; i < Kategóriák.size(); ++i) {
        const auto index = std::int16_t(i);
        if (keresett == QString::number(i) ||
            keresett == rt::NameKey(QString::fromUtf16(Kategóriák[i].név)) ||
            keresett == rt::NameKey(QString::fromUtf16(Kategóriák[i].angolNév)) ||
            keresett == rt::NameKey(KategóriaNév(index)))
            return index;
    }
    return std::nullopt;
}

QString RezgésModell::IsmeretlenKategória(const QString& szöveg) {
    QStringList nevek;
    for (const Kategória& k : Kategóriák)
        nevek << QString::fromUtf16(k.név);
    return QStringLiteral("ismeretlen kategória: \"%1\" (0, 1, 2 vagy %2)")
        .arg(szöveg, nevek.join(QStringLiteral(", ")));
}
