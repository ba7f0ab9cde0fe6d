#pragma once

#include "analysis/elemzes.h"
#include "records/rezgesjel.h"

#include <QWidget>

class QComboBox;
class QLabel;
class QTableWidget;

// "Rezgésjel – FILE": one seismograph record with its traces, spectra, the limit chart with
// each component's point, the table of figures and the verdict in words. The category comes
// from the main window; the place and the method are chosen here.
class RezgésjelAblak : public QWidget {
public:
    // Reads and analyses the file; a window for each of its records, the first returned. On
    // a fault none, the reader's reason, and whether a sensitivity would help.
    static RezgésjelAblak* Megnyit(const QString& fájl, const Rezgésjel::Beállítás& beállítás,
                                   int kategória, QWidget* szülő, QString* hiba,
                                   bool* érzékenységKell = nullptr,
                                   QList<RezgésjelAblak*>* mind = nullptr);

    // The main window's category, at once.
    void KategóriaBeállít(int kategória);
    void HelyBeállít(Elemzés::Hely hely);
    void MódszerBeállít(Elemzés::Módszer módszer);

    const Elemzés::Eredmény& Eredmény() const { return eredmény_; }
    const Rezgésjel::Felvétel& Felvétel() const { return felvétel_; }
    int Kategória() const { return kategória_; }
    QTableWidget* Táblázat() const { return táblázat_; }
    QLabel* ÍtéletCímke() const { return ítélet_; }

    // The event report of this record; false with the reason.
    bool JelentésÍr(const QString& pdf, QString* hiba) const;
    void JelentésPárbeszéddel();

private:
    RezgésjelAblak(Rezgésjel::Felvétel felvétel, Elemzés::Eredmény eredmény, int kategória,
                   QWidget* szülő);
    void frissít();

    Rezgésjel::Felvétel felvétel_; // without its samples
    Elemzés::Eredmény eredmény_;
    int kategória_;
    Elemzés::Hely hely_ = Elemzés::Hely::Alap;
    Elemzés::Módszer módszer_ = Elemzés::Módszer::ZC;
    QLabel* fejléc_ = nullptr;
    QComboBox* helyVálasztó_ = nullptr;
    QComboBox* módszerVálasztó_ = nullptr;
    QWidget* nyomok_ = nullptr;
    QWidget* spektrumok_ = nullptr;
    QWidget* ábra_ = nullptr;
    QTableWidget* táblázat_ = nullptr;
    QLabel* ítélet_ = nullptr;
};
