#include "rezgesmodell.h"

#include "engine/hatarertek.h"
#include "engine/szovegek.h"
#include "runtime/errors.h"
#include "runtime/text.h"

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
    if (Határérték::ÉrvényesKategória(Épülettípus))
        MaxSebesség = singleOf(Határérték::SávÉrték(Épülettípus, Frekvencia));
    MaxSebesség = singleOf(Határérték::SzázadraVág(MaxSebesség) / 100.0);
}

QString RezgésModell::SzámSzöveg() const {
    return Határérték::CímkeSzám(MaxSebesség);
}

void RezgésModell::CímkeFelirás() {
    CímkeMaxSebességFeliratÍr(0, SzámSzöveg());
    CímkeMaxSebességFeliratÍr(0, CímkeMaxSebességFelirat(0) + QStringLiteral(" mm/s"));
}

std::optional<QString> RezgésModell::FelsőFödémSzöveg(std::int16_t épülettípus) {
    if (!Határérték::ÉrvényesKategória(épülettípus))
        return std::nullopt;
    return Határérték::SzázadSzöveg(Határérték::FelsőFödémSzázad(épülettípus)) +
           QStringLiteral(" mm/s");
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

Ablakszövegek RezgésModell::Eredményszövegek(std::int16_t épülettípus, std::int16_t frekvencia) {
    SzövegesModell modell;
    modell.Épülettípus = épülettípus;
    modell.Frekvencia = frekvencia;
    modell.Számít();
    modell.CímkeFelirás();
    return {modell.címke[0], FelsőFödémSzöveg(épülettípus).value_or(QString()), modell.MaxSebesség};
}
