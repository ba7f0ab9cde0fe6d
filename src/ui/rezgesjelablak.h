#pragma once

#include "analysis/elemzes.h"
#include "analysis/esemenyek.h"
#include "analysis/feldolgozas.h"
#include "painters/rajzadat.h"
#include "readers/felvetel.h"
#include "readers/meresadatok.h"

#include <QRectF>
#include <QWidget>

#include <atomic>
#include <functional>
#include <memory>
#include <optional>

class Nyomlap;
class QComboBox;
class QLabel;
class QTableWidget;
class QThread;

// "Rezgésjel – FILE": one seismograph record with its traces, spectra, the limit chart with
// each component's point, the table of figures and the verdict in words. The category comes
// from the main window; the place and the method are chosen here.
class RezgésjelAblak : public QWidget {
public:
    // A record longer than this (s) is a monitoring record: the window shows it at a glance
    // with its events, and the chosen event in detail.
    static constexpr double HosszúFelvétel = 60;

    // What the window shows in detail: the whole record, or one event's window of it.
    struct Nézet {
        Rezgésjel::Felvétel felvétel; // without its samples
        Elemzés::Megállapítás megállapítás;
        std::vector<Rajz::Rajzadat> rajzok;
        Elemzés::Szakasz ablak;
        bool elemezve = true; // a monitoring record's whole is analysed when first shown
    };

    // What is worked out for one file away from the window system: each record analysed and
    // drawn, with a monitoring record's events; or the fault.
    struct Előkészített {
        Feldolgozás::ElemzettFelvétel elemzett;
        std::vector<Rajz::Rajzadat> rajzok;
        std::vector<Nézet> események;
        int legrosszabb = 0; // the worst event's view (from 1), 0 for none
        // a monitoring record's samples, for a span chosen on its strip
        std::shared_ptr<const Rezgésjel::Felvétel> minták;
    };
    struct Előkészítés {
        std::vector<Előkészített> felvételek;
        std::optional<Hiba> hiba;
        // the records whose velocity counts wait for a sensitivity (with that fault)
        std::vector<Rezgésjel::Felvétel> érzékenységreVár;
    };
    // The steps of the work, for its progress.
    enum Szakasz { Olvasás, Rajzolás, Eseménykeresés, SzakaszokSzáma };

    // Reads and analyses the file (off the main thread); `szakasz` tells the step it is at,
    // `megszakítva` stops it between steps. Records kept from an earlier run in `olvasott`
    // (their counts waiting for the sensitivity now in `beállítás`) are not read again.
    static Előkészítés Előkészít(const QString& fájl, const Rezgésjel::Beállítás& beállítás,
                                 int kategória, std::vector<Rezgésjel::Felvétel> olvasott,
                                 std::atomic<int>& szakasz, const std::atomic<bool>& megszakítva);
    // A window for each record worked out, in the file's order.
    static QList<RezgésjelAblak*> Létrehoz(Előkészítés& kész, int kategória, QWidget* szülő);

    // The main window's category, at once.
    void KategóriaBeállít(int kategória);
    void HelyBeállít(Elemzés::Hely hely);
    void MódszerBeállít(Elemzés::Módszer módszer);

    const Elemzés::Megállapítás& Megállapítás() const { return megállapítás_; }
    const Rezgésjel::Felvétel& Felvétel() const { return felvétel_; }
    int Kategória() const { return kategória_; }
    QTableWidget* Táblázat() const { return táblázat_; }
    QLabel* ÍtéletCímke() const { return ítélet_; }
    // The whole record (0) and its events (1…), when it is a monitoring record; after them
    // the span last chosen on the strip, once it is analysed (KijelöltNézet, else -1).
    int NézetekSzáma() const { return int(nézetek_.size()); }
    int AktívNézet() const { return nézet_; }
    int KijelöltNézet() const { return kijelölés_ ? int(nézetek_.size()) : -1; }
    void NézetBeállít(int nézet);
    // A span of a monitoring record (s from its start), as when dragged on the strip: shown
    // there at once, analysed on a thread of its own, then shown in detail. (The whole record
    // of one is analysed so too, when first chosen.)
    void SzakaszKijelöl(double eleje, double vége);
    QWidget* ÁttekintésLap() const { return áttekintés_; }
    QComboBox* EseményVálasztó() const { return eseményVálasztó_; }
    // Where the strip's time axis was last drawn in it (its left edge the record's start).
    QRectF ÁttekintésTengely() const { return áttekintésKeret_; }
    Nyomlap* Nyomok() const { return nyomok_; }

    // Sizes the window to the screen it opens on (at most its preferred 1000 × 900) and
    // places it beside `főablak` where there is room, never wholly over it; `lépcső` steps
    // a station's further windows down and right of the first.
    void Elhelyez(const QWidget& főablak, int lépcső = 0) { Elhelyez(*this, főablak, lépcső); }
    // The same for another window in a record window's place (its progress while it opens).
    static void Elhelyez(QWidget& ablak, const QWidget& főablak, int lépcső);

    // The event report of this record; false with the reason.
    bool JelentésÍr(const QString& pdf, QString* hiba) const;
    void JelentésPárbeszéddel();
    // The measurement's particulars for the reports, remembered for the station; false with
    // the store's reason when they could not be stored.
    bool AdatokBeállít(const Mérésadatok& adatok, QString* hiba);
    const Mérésadatok& Adatok() const { return adatok_; }
    void AdatokPárbeszéddel();

    ~RezgésjelAblak() override;

protected:
    void closeEvent(QCloseEvent* esemény) override;

private:
    RezgésjelAblak(Rezgésjel::Felvétel felvétel, Elemzés::Megállapítás megállapítás,
                   std::vector<Rajz::Rajzadat> rajzok, std::vector<Nézet> események,
                   int legrosszabb, bool egészElemezve, int kategória, QWidget* szülő);
    // Works out a view on a thread of its own, then hands it to `kész` (with a busy cursor
    // meanwhile); a later call supersedes an earlier one.
    void háttérben(std::function<Nézet()> munka, std::function<void(Nézet)> kész);
    const Nézet* nézetAdat(int nézet) const;
    // A monitoring record's time: s from its start; and the time under a point of the strip.
    double másodperc(qint64 mikro) const;
    double áttekintésIdő(QPointF hol) const;
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
    QRectF áttekintésKeret_;                                // where the strip's time axis was drawn
    std::shared_ptr<const Rezgésjel::Felvétel> minták_;     // a monitoring record's samples
    std::optional<std::pair<double, double>> kijelölésSáv_; // s, on the strip
    std::optional<Nézet> kijelölés_;                        // that span, analysed
    std::unique_ptr<QThread> háttérSzál_;
    int háttérSorszám_ = 0;
};
