#pragma once

#include <QDialog>

#include <optional>

class QAbstractButton;
class QButtonGroup;
class QDialogButtonBox;
class QDoubleSpinBox;

// "Mértékegység": asked when a record's velocity samples are numbers of a unit nothing
// states (a float miniSEED, a table without units). The user says which unit: m/s, mm/s,
// in/s, or counts with the instrument's sensitivity. Nothing is chosen for a station never
// seen; the last answer for that station is offered.
class MértékegységPárbeszéd : public QDialog {
public:
    MértékegységPárbeszéd(const QString& fájl, const QString& állomás, QWidget* szülő);

    // mm/s per unit of the samples, as chosen; none while nothing is.
    std::optional<double> Szorzó() const;
    // Chooses the unit of this factor (a count's: its sensitivity's inverse).
    void Választ(double szorzó);
    // The choices in order: m/s, mm/s, in/s, count; then the sensitivity's field.
    QList<QAbstractButton*> Választások() const;
    QDoubleSpinBox* ÉrzékenységMező() const { return érzékenység_; }
    // The station asked about (NET.STA.LOC; empty for a table's columns).
    const QString& Állomás() const { return állomás_; }

    // The factor last given for a station's samples; none where none was (or for samples
    // of no station). Megjegyez stores it.
    static std::optional<double> Megjegyzett(const QString& állomás);
    static void Megjegyez(const QString& állomás, double szorzó);

private:
    void frissít();

    QString állomás_;
    QButtonGroup* csoport_ = nullptr;
    QDoubleSpinBox* érzékenység_ = nullptr;
    QDialogButtonBox* gombok_ = nullptr;
};
