#pragma once

#include <QString>

#include <cstdint>
#include <optional>

// What the window shows for a category and a frequency: its result texts after a click on
// that category and the scroll bar moved to the frequency, and the foundation value.
struct Ablakszövegek {
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

    // The top floor slab text of a category ("15,00 mm/s"); none outside 0..2.
    static std::optional<QString> FelsőFödémSzöveg(std::int16_t épülettípus);

    // The window's results for a category (0..2) and a frequency, computed by the same
    // steps as the window's handlers; for the limit curves, the command line and the
    // clipboard, so that they never differ from what the window shows.
    static Ablakszövegek Eredményszövegek(std::int16_t épülettípus, std::int16_t frekvencia);

protected:
    // Element `index` of the result label array CímkeMaxSebesség.
    virtual QString CímkeMaxSebességFelirat(std::int16_t index) const = 0;
    virtual void CímkeMaxSebességFeliratÍr(std::int16_t index, const QString& felirat) = 0;
};
