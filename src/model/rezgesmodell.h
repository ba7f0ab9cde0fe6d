#pragma once

#include <QString>

#include <array>
#include <cstdint>
#include <optional>

// One building category of the vibration limit table: the foundation value below
// 10 Hz, the middle band (10..50 Hz) and the upper band (above 50 Hz) as slope and
// base, and the fixed text of the top floor slab level.
struct Kategória {
    const char16_t* felirat; // the option's caption, with its access key
    double állandó;          // below 10 Hz
    double középMeredekség;  // 10..50 Hz: (f - 10) * slope + base
    double középAlap;
    double felsőMeredekség; // above 50 Hz: (f - 50) * slope + base
    double felsőAlap;
    const char16_t* felsőFödém; // the top floor slab text
    double felsőFödémÉrték;     // the same value, mm/s
    const char16_t* név;        // short name, for the command line
    const char16_t* angolNév;   // the English name a log may use
};

inline constexpr std::array<Kategória, 3> Kategóriák{{
    {u"&Ipari objektum", 20, 0.5, 20, 0.2, 40, u"40,00 mm/s", 40, u"ipari", u"industrial"},
    {u"&Lakóépület", 5, 0.25, 5, 0.1, 15, u"15,00 mm/s", 15, u"lakó", u"residential"},
    {u"&Műemlék", 3, 0.125, 3, 0.04, 8, u"8,00 mm/s", 8, u"műemlék", u"monument"},
}};

// What the window shows for a category and a frequency: its result texts after a click on
// that category and the scroll bar moved to the frequency, and the foundation value.
struct Eredmény {
    QString alapon;      // the foundation label
    QString felsőFödém;  // the top floor slab label
    float MaxSebesség{}; // the foundation value, whole hundredths
};

// The vibration limit model of the main window: its three variables, the
// computation and the foundation label's text. The window supplies the result
// labels through the two accessors.
class RezgésModell {
public:
    virtual ~RezgésModell() = default;

    std::int16_t Épülettípus = 0; // 0 industrial, 1 residential, 2 historic monument
    std::int16_t Frekvencia = 0;  // Hz
    float MaxSebesség = 0.0f;     // mm/s at the foundation, whole hundredths

    // Computes MaxSebesség from Épülettípus and Frekvencia.
    void Számít();
    // Writes the foundation label: the number text, then " mm/s" after it.
    void CímkeFelirás();

    // The number text of MaxSebesség: whole values right-aligned in three characters
    // with ",00", fractional ones with a point and two decimals.
    QString SzámSzöveg() const;

    // The top floor slab text of a category; none outside 0..2.
    static std::optional<QString> FelsőFödémSzöveg(std::int16_t épülettípus);

    // The window's results for a category (0..2) and a frequency, computed by the same
    // steps as the window's handlers; for the limit curves, the command line and the
    // clipboard, so that they never differ from what the window shows.
    static Eredmény Eredményszövegek(std::int16_t épülettípus, std::int16_t frekvencia);

    // The category's caption without its access key mark ("Lakóépület").
    static QString KategóriaNév(std::int16_t épülettípus);
    // A category by its index ("1"), its short name ("lakó"), its caption ("Lakóépület")
    // or its English name ("residential"), ignoring case, accents and the Unicode normal
    // form; none for anything else.
    static std::optional<std::int16_t> KategóriaKeres(const QString& szöveg);
    // The message for a category text that KategóriaKeres does not know, naming the
    // accepted ones: ismeretlen kategória: "iroda" (0, 1, 2 vagy ipari, lakó, műemlék).
    static QString IsmeretlenKategória(const QString& szöveg);

protected:
    // Element `index` of the result label array CímkeMaxSebesség.
    virtual QString CímkeMaxSebességFelirat(std::int16_t index) const = 0;
    virtual void CímkeMaxSebességFeliratÍr(std::int16_t index, const QString& felirat) = 0;
};
