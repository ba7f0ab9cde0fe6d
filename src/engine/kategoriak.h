#pragma once

#include <QString>

#include <array>
#include <optional>

// The building categories of the vibration limit table: their names as the window, the
// command line and a log write them, the foundation value below 10 Hz, the middle band
// (10..50 Hz) and the upper band (above 50 Hz) as slope and base, and the value at the top
// floor slab.
namespace Határérték {

struct Kategória {
    const char16_t* felirat;  // the window's caption, with its access key
    const char16_t* név;      // short name, for the command line
    const char16_t* angolNév; // the English name a log may use
    double állandó;           // below 10 Hz
    double középMeredekség;   // 10..50 Hz: (f - 10) * slope + base
    double középAlap;
    double felsőMeredekség; // above 50 Hz: (f - 50) * slope + base
    double felsőAlap;
    double felsőFödém; // mm/s at the top floor slab, at any frequency
};

inline constexpr std::array<Kategória, 3> Kategóriák{{
    {u"&Ipari objektum", u"ipari", u"industrial", 20, 0.5, 20, 0.2, 40, 40},
    {u"&Lakóépület", u"lakó", u"residential", 5, 0.25, 5, 0.1, 15, 15},
    {u"&Műemlék", u"műemlék", u"monument", 3, 0.125, 3, 0.04, 8, 8},
}};
inline constexpr int KategóriákSzáma = int(Kategóriák.size());
// The category the window opens with and a request takes unless told: residential.
inline constexpr int AlapKategória = 1;

bool ÉrvényesKategória(int kategória);

// The caption without its access key mark ("Lakóépület"); empty outside the table.
QString KategóriaNév(int kategória);
// A category by its index ("1"), its short name ("lakó"), its caption ("Lakóépület") or
// its English name ("residential"), ignoring case, accents, blanks around it and the
// Unicode normal form; none for anything else.
std::optional<int> KategóriaKeres(const QString& szöveg);
// The texts KategóriaKeres takes, as messages and help name them: "0, 1, 2 vagy ipari, lakó,
// műemlék".
QString KategóriaVálaszték();
// The message for a category text that KategóriaKeres does not know, naming the accepted
// ones: ismeretlen kategória: "iroda" (0, 1, 2 vagy ipari, lakó, műemlék).
QString IsmeretlenKategória(const QString& szöveg);

} // namespace Határérték
