#include "kampanyparancs.h"

#include "hibaszoveg.h"
#include "katalogusparancs.h"
#include "kilepes.h"
#include "kimenet.h"
#include "runtime/app.h"

namespace KampányParancs {

int Jelentés(const Kérés& k, const RezgésElemzés::Jelentésíró* író, std::FILE* hibák) {
    auto hiba = [hibák](const QString& szöveg) {
        SorKiír(hibák, szöveg);
        return int(HibásBemenet);
    };
    if (!író || !író->kampány)
        return hiba(rt::App::Prefix() + QStringLiteral("ez a program nem ír jelentést"));
    auto m = KatalógusParancs::Megnyit(k.katalógus, false);
    if (const QString* h = std::get_if<QString>(&m))
        return hiba(*h);
    auto& katalógus = *std::get<0>(m);
    auto a = Kampány::Összeállít(katalógus, k.kampány);
    if (const auto* h = std::get_if<Katalógus::Hiba>(&a))
        return hiba(rt::App::Prefix() +
                    QStringLiteral("%1: %2").arg(katalógus.cím().név(), h->részlet));
    const Kampány::Adatok& adatok = std::get<Kampány::Adatok>(a);
    if (adatok.sorok.empty())
        return hiba(rt::App::Prefix() +
                    QStringLiteral("%1: nincs mérés, amely a szűrőn átmegy: nincs miről jelenteni")
                        .arg(katalógus.cím().név()));
    if (const std::optional<Hiba> h = író->kampány(k.jelentés, adatok))
        return hiba(Parancssori::FelvételHiba(*h));
    const std::size_t lapok = író->kampányOldalszám ? író->kampányOldalszám(adatok) : 0;
    SorKiír(hibák, rt::App::Prefix() + QStringLiteral("a kampányjelentés elkészült: %1 (%2 mérés, "
                                                      "%3 oldal)")
                                           .arg(k.jelentés)
                                           .arg(adatok.sorok.size())
                                           .arg(lapok));
    if (!adatok.illesztés.használható())
        SorKiír(hibák, rt::App::Prefix() +
                           QStringLiteral("a terjedési törvény megbízhatatlan, a jelentés nem "
                                          "közöl töltetet: %1")
                               .arg(adatok.illesztés.megbízhatatlan.join(QStringLiteral("; "))));
    bool túl = false;
    for (const Katalógus::ListaSor& s : adatok.sorok)
        túl = túl || s.mérés.ítélet == Katalógus::Ítélet::Túllépi;
    return túl ? Túllépi : Megfelel;
}

} // namespace KampányParancs
