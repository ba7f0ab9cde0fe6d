#pragma once

#include "catalogue/katalogus.h"
#include "sitelaw/adatpontok.h"

#include <QWidget>

#include <unordered_map>
#include <vector>

class QComboBox;
class QLabel;
class QLineEdit;
class Rajzlap;

// The campaign window's planning pane: the site's law fitted to the measurements shown, on a
// log–log chart of PPV against scaled distance with the 50 % line, the 95 % prediction bound
// and the buildings' limits; beside it a calculator: the PPV expected at a distance and
// charge, and the largest charge per delay at a distance within a building's limit.
class TervezésLap : public QWidget {
public:
    // The rows shown and each measurement's largest velocity component, both the window's.
    TervezésLap(const std::vector<Katalógus::ListaSor>* sorok,
                const std::unordered_map<qint64, double>* legnagyobb, QWidget* szülő = nullptr);

    // Fits again to the rows (after a filter or a load).
    void Frissít();

    const Terjedés::Illesztés& Illesztés() const { return illesztés_; }
    QWidget* Ábra() const;
    QComboBox* GyökVálasztó() const { return gyök_; }
    QComboBox* PpvVálasztó() const { return ppv_; }
    QLineEdit* ElőrejelzésTávolság() const { return dElőre_; }
    QLineEdit* ElőrejelzésTöltet() const { return wElőre_; }
    QLineEdit* TöltetTávolság() const { return dTöltet_; }
    QComboBox* TöltetKategória() const { return kategória_; }
    QLineEdit* TöltetFrekvencia() const { return frekvencia_; }
    QLabel* IllesztésSzöveg() const { return összegzés_; }
    QLabel* ElőrejelzésSzöveg() const { return előre_; }
    QLabel* TöltetSzöveg() const { return töltet_; }

private:
    void számol();
    void rajzol(QPainter& festő, const QRectF& r);
    double határ() const; // the calculator's building's limit, mm/s

    const std::vector<Katalógus::ListaSor>* sorok_;
    const std::unordered_map<qint64, double>* legnagyobb_;
    Terjedés::Gyűjtés gyűjtés_;
    Terjedés::Illesztés illesztés_;
    Rajzlap* ábra_ = nullptr;
    QComboBox* gyök_ = nullptr;
    QComboBox* ppv_ = nullptr;
    QLabel* összegzés_ = nullptr;
    QLineEdit* dElőre_ = nullptr;
    QLineEdit* wElőre_ = nullptr;
    QLabel* előre_ = nullptr;
    QLineEdit* dTöltet_ = nullptr;
    QComboBox* kategória_ = nullptr;
    QLineEdit* frekvencia_ = nullptr;
    QLabel* töltet_ = nullptr;
    std::vector<std::pair<double, double>> számított_; // (SD, PPV95) the calculator gave
};
