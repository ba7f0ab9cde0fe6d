#pragma once

#include "analysis/elemzes.h"
#include "analysis/esemenyek.h"
#include "painters/rajzadat.h"
#include "readers/felvetel.h"
#include "readers/meresadatok.h"

#include <QRectF>
#include <QWidget>

class Nyomlap;
class QComboBox;
class QLabel;
class QTableWidget;

// "Rezgésjel – FILE": one seismograph record with its traces, spectra, the limit chart with
// each component's point, the table of figures and the verdict in words. The category comes
// from the main window; the place and the method are chosen here.
class RezgésjelAblak : public QWidget {
public:
    // A record longer than this (s) is a monitoring record: the window shows it at a glance
    // with its events, and the chosen event in detail.
    static constexpr double HosszúFelvétel = 60;
    // ms after which opening a record shows its progress (and a way to stop it).
    static inline int HaladásKésleltetés = 400;

    // What the window shows in detail: the whole record, or one event's window of it.
    struct Nézet {
        Rezgésjel::Felvétel felvétel; // without its samples
        Elemzés::Megállapítás megállapítás;
        std::vector<Rajz::Rajzadat> rajzok;
        Elemzés::Szakasz ablak;
    };

    // Reads and analyses the file; a window for each of its records, the first returned. On
    // a fault none, and the fault.
    // A record whose velocity counts need a sensitivity gives that fault and is kept in
    // `olvasott`; given again with the sensitivity in `beállítás`, it is not read again.
    static RezgésjelAblak* Megnyit(const QString& fájl, const Rezgésjel::Beállítás& beállítás,
                                   int kategória, QWidget* szülő, std::optional<Hiba>* hiba,
                                   QList<RezgésjelAblak*>* mind = nullptr,
                                   std::vector<Rezgésjel::Felvétel>* olvasott = nullptr);

    // The main window's category, at once.
    void KategóriaBeállít(int kategória);
    void HelyBeállít(Elemzés::Hely hely);
    void MódszerBeállít(Elemzés::Módszer módszer);

    const Elemzés::Megállapítás& Megállapítás() const { return megállapítás_; }
    const Rezgésjel::Felvétel& Felvétel() const { return felvétel_; }
    int Kategória() const { return kategória_; }
    QTableWidget* Táblázat() const { return táblázat_; }
    QLabel* ÍtéletCímke() const { return ítélet_; }
    // The whole record (0) and its events (1…), when it is a monitoring record.
    int NézetekSzáma() const { return int(nézetek_.size()); }
    int AktívNézet() const { return nézet_; }
    void NézetBeállít(int nézet);
    QWidget* ÁttekintésLap() const { return áttekintés_; }
    Nyomlap* Nyomok() const { return nyomok_; }

    // Sizes the window to the screen it opens on (at most its preferred 1000 × 900) and
    // places it beside `főablak` where there is room, never wholly over it; `lépcső` steps
    // a station's further windows down and right of the first.
    void Elhelyez(const QWidget& főablak, int lépcső = 0);

    // The event report of this record; false with the reason.
    bool JelentésÍr(const QString& pdf, QString* hiba) const;
    void JelentésPárbeszéddel();
    // The measurement's particulars for the reports, remembered for the station; false with
    // the store's reason when they could not be stored.
    bool AdatokBeállít(const Mérésadatok& adatok, QString* hiba);
    const Mérésadatok& Adatok() const { return adatok_; }
    void AdatokPárbeszéddel();

protected:
    void closeEvent(QCloseEvent* esemény) override;

private:
    RezgésjelAblak(Rezgésjel::Felvétel felvétel, Elemzés::Megállapítás megállapítás,
                   std::vector<Rajz::Rajzadat> rajzok, std::vector<Nézet> események,
                   int legrosszabb, int kategória, QWidget* szülő);
    QString nézetNév(int nézet) const;
    void frissít();
    void táblázatMagasság();

    Rezgésjel::Felvétel felvétel_; // without its samples
    Elemzés::Megállapítás megállapítás_;
    Mérésadatok adatok_; // the particulars, kept per station
    std::vector<Rajz::Rajzadat> rajzok_;
    int kategória_;
    Elemzés::Hely hely_ = Elemzés::Hely::Alap;
    Elemzés::Módszer módszer_ = Elemzés::Módszer::ZC;
    QLabel* fejléc_ = nullptr;
    QComboBox* helyVálasztó_ = nullptr;
    QComboBox* módszerVálasztó_ = nullptr;
    Nyomlap* nyomok_ = nullptr;
    QWidget* spektrumok_ = nullptr;
    QWidget* ábra_ = nullptr;
    QTableWidget* táblázat_ = nullptr;
    QLabel* ítélet_ = nullptr;
    std::vector<Nézet> nézetek_; // a monitoring record's: the whole first, then its events
    int nézet_ = 0;
    QComboBox* eseményVálasztó_ = nullptr;
    QWidget* áttekintés_ = nullptr;
    QRectF áttekintésKeret_; // where the strip's time axis was drawn
};
