#pragma once

#include "readers/felvetel.h"

#include <QDialog>

class QDoubleSpinBox;
class QLabel;

// "Érzékenység": asked when a record holds counts. Either the instrument's sensitivity
// (count per mm/s) typed in, or an FDSN StationXML file with each channel's.
class ÉrzékenységPárbeszéd : public QDialog {
public:
    ÉrzékenységPárbeszéd(const QString& fájl, const QString& csatorna, QWidget* szülő);

    // What was given: the sensitivity, and the StationXML's channels if one was opened.
    double Érzékenység() const;
    const std::shared_ptr<const Rezgésjel::Állomásadatok>& Állomásadatok() const {
        return állomásadatok_;
    }
    // Opens the StationXML file (the button's dialog chooses it); false with a message box
    // when it cannot be read.
    bool StationXmlMegnyit(const QString& xml);

    QDoubleSpinBox* Mező() const { return mező_; }

    // The sensitivity last given for a station's counts, from the user's settings store;
    // 0 where none was. Megjegyez stores it (a store that cannot be written is let be).
    static double Megjegyzett(const QString& állomás);
    static void Megjegyez(const QString& állomás, double érzékenység);

private:
    QDoubleSpinBox* mező_ = nullptr;
    QLabel* xmlCímke_ = nullptr;
    std::shared_ptr<const Rezgésjel::Állomásadatok> állomásadatok_;
};
