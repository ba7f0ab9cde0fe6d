#pragma once

#include "readers/meresadatok.h"

#include <QDialog>

#include <array>
#include <optional>

class QLineEdit;

// "Mérés adatai": the particulars of a measurement for its report, remembered per station
// (NET.STA.LOC) in the user's settings store.
class MérésadatokPárbeszéd : public QDialog {
public:
    MérésadatokPárbeszéd(const QString& állomás, const Mérésadatok& adatok, QWidget* szülő);

    // What the fields hold; a distance or charge that is not a number is left out.
    Mérésadatok Adatok() const;
    QLineEdit* Mező(int i) const { return mezők_[std::size_t(i)]; }

    // The particulars stored for a station; none stored gives empty ones.
    static Mérésadatok Betölt(const QString& állomás);
    // Stores them; false with the store's reason when it cannot.
    static std::optional<Hiba> Ment(const QString& állomás, const Mérésadatok& adatok);

    static constexpr int Mezőszám = 9;

private:
    std::array<QLineEdit*, Mezőszám> mezők_{};
};
