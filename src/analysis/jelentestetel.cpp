#include "jelentestetel.h"

namespace Feldolgozás {

Jelentéstétel Jelentéstételt(const Nézet& részletes, std::span<const Nézet> események,
                             const Ítélés& ítélés, const Mérésadatok& adatok, double küszöb,
                             int sorszám, bool kijelölt) {
    Jelentéstétel t;
    t.felvétel = részletes.felvétel;
    t.megállapítás = részletes.megállapítás;
    Elemzés::Minősít(t.megállapítás, ítélés.kategória, ítélés.hely, ítélés.módszer);
    t.rajzok = részletes.rajzok;
    t.kategória = ítélés.kategória;
    t.hely = ítélés.hely;
    t.módszer = ítélés.módszer;
    t.adatok = adatok;
    if (const auto& műszer = részletes.felvétel.műszer) {
        // what the instrument's file says, under what the user gave; its remarks, and any
        // figure of its own the samples do not bear out, after the notes
        t.adatok = műszer->adatok.felülírva(adatok);
        const QStringList megjegyzések =
            Elemzés::MűszerMegjegyzések(részletes.felvétel, részletes.megállapítás);
        if (!megjegyzések.isEmpty())
            t.adatok.megjegyzés +=
                (t.adatok.megjegyzés.isEmpty() ? QString() : QStringLiteral("; ")) +
                megjegyzések.join(QStringLiteral("; "));
    }
    for (std::size_t i = 0; i < események.size(); ++i) {
        Elemzés::Esemény e;
        e.sorszám = int(i) + 1;
        e.ablak = események[i].ablak;
        e.felvétel = események[i].felvétel;
        e.megállapítás = események[i].megállapítás;
        Elemzés::Minősít(e.megállapítás, ítélés.kategória, ítélés.hely, ítélés.módszer);
        t.események.push_back(std::move(e));
    }
    t.részletes = sorszám;
    t.kijelölt = kijelölt;
    t.küszöb = küszöb;
    return t;
}

} // namespace Feldolgozás
