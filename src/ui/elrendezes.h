#pragma once

#include "engine/kategoriak.h"

#include <QRgb>

#include <array>

// The window's design-time description: every control once, in tab order. Lengths in
// twips, relative to the control's container.
enum class Fajta { Választó, Címke, Értékcímke, Görgető, Színsáv, Állapotsor, Keret };

struct Vezérlő {
    const char16_t* név;
    int index; // the element of a control array, -1 for a single control
    Fajta fajta;
    const char16_t* tároló; // nullptr: the window's client area
    int left, top, width, height;
    int tabIndex;
    const char16_t* felirat;
    const char16_t* tipp = nullptr; // tooltip
    QRgb háttér = 0;                // background of a colour strip
    QRgb előtér = 0;                // text colour, where not the default
};

inline constexpr const char16_t* Ablakfelirat = u"MSZ 13018 \"Rezgések épületre gyakorolt hatása\"";
inline constexpr int ÜgyfélSzélesség = 3825; // client area, twips
inline constexpr int ÜgyfélMagasság = 2790;

inline constexpr const char16_t* Mottó =
    u"Mottó: Mindig az a robbantás a nagy, amit nem mértek meg!";
// The publisher's details (placeholders).
inline constexpr const char16_t* KiadóAdatai =
    u"Minta Bt., 9999 Mintafalva, Fő u. 1., (99) 555-010";
inline constexpr const char16_t* KiadóElérhetősége = u"www.example.com   e-mail: info@example.com";

inline constexpr std::array<Vezérlő, 15> Elrendezés{{
    {u"Választó", 0, Fajta::Választó, nullptr, 120, 120, 1332, 252, 0,
     Határérték::Kategóriák[0].felirat},
    {u"Választó", 1, Fajta::Választó, nullptr, 1560, 120, 1092, 252, 1,
     Határérték::Kategóriák[1].felirat},
    {u"Választó", 2, Fajta::Választó, nullptr, 2760, 120, 972, 252, 2,
     Határérték::Kategóriák[2].felirat},
    {u"CímkeFeliratFrekvencia", -1, Fajta::Címke, nullptr, 120, 1680, 2892, 252, 3,
     u"Mért domináns frekvencia (Hz):"},
    {u"CímkeFrekvencia", -1, Fajta::Értékcímke, nullptr, 3120, 1680, 492, 252, 4, u"0"},
    {u"GörgetőFrekvencia", -1, Fajta::Görgető, nullptr, 120, 2040, 3372, 132, 5, nullptr},
    {u"Label1", -1, Fajta::Színsáv, nullptr, 480, 2280, 276, 132, 6, u"", nullptr, qRgb(255, 0, 0)},
    {u"Label2", -1, Fajta::Színsáv, nullptr, 720, 2280, 1092, 132, 7, u"", nullptr,
     qRgb(255, 255, 0)},
    {u"Label3", -1, Fajta::Színsáv, nullptr, 1800, 2280, 1380, 132, 8, u"", nullptr,
     qRgb(0, 192, 0)},
    {u"Állapotsor", -1, Fajta::Állapotsor, nullptr, 0, 2535, 3825, 255, 9, KiadóAdatai,
     KiadóElérhetősége},
    {u"Frame1", -1, Fajta::Keret, nullptr, 120, 480, 3492, 1092, 10,
     u"Megengedhető maximális rezgéssebesség"},
    {u"CímkeMaxSebesség", 0, Fajta::Értékcímke, u"Frame1", 1920, 264, 1212, 252, 11, u"5.00 mm/s",
     nullptr, 0, qRgb(255, 0, 0)},
    {u"Label4", -1, Fajta::Címke, u"Frame1", 120, 290, 612, 252, 12, u"Alapon:", Mottó},
    {u"Label5", -1, Fajta::Címke, u"Frame1", 120, 720, 1692, 252, 13, u"Legfelső födémszinten:",
     Mottó},
    {u"CímkeMaxSebesség", 1, Fajta::Értékcímke, u"Frame1", 1920, 720, 1212, 252, 14, u"15.00 mm/s",
     nullptr, 0, qRgb(255, 0, 0)},
}};

inline constexpr double AlapBetűméret = 8.25;  // the runtime's default font, points
inline constexpr double ÉrtékBetűméret = 9.75; // the value labels
inline constexpr double ÁllapotsorBetűméret = 8.25;
