#pragma once

#include "analysis/feldolgozas.h"
#include "analysis/felvetelmodell.h"
#include "readers/meresadatok.h"

#include <QRectF>
#include <QWidget>

#include <functional>
#include <memory>

class Nyomlap;
class QComboBox;
class QLabel;
class QTableWidget;
class QThread;

// "Rezgésjel – FILE": one seismograph record with its traces, spectra, the limit chart with
// each component's point, the table of figures and the verdict in words. The category comes
// from the main window; the place and the method are chosen here. What it shows is its
// model's (FelvételModell); the window lays it out and wires it.
class RezgésjelAblak : public QWidget {
public:
    // A window for each record of the pipeline's result (FelvételModell::Kérése), in order.
    static QList<RezgésjelAblak*> Létrehoz(Feldolgozás::Feldolgozott& kész, int kategória,
                                           QWidget* szülő);

    // The main window's category, at once.
    void KategóriaBeállít(int kategória);
    void HelyBeállít(Elemzés::Hely hely);
    void MódszerBeállít(Elemzés::Módszer módszer);

    const FelvételModell& Modell() const { return modell_; }
    const Elemzés::Megállapítás& Megállapítás() const { return modell_.Megállapítás(); }
    const Rezgésjel::Felvétel& Felvétel() const { return modell_.Felvétel(); }
    int Kategória() const { return modell_.Kategória(); }
    QTableWidget* Táblázat() const { return táblázat_; }
    QLabel* ÍtéletCímke() const { return ítélet_; }
    QLabel* MegjegyzésCímke() const { return megjegyzések_; }
    // The whole record (0) and its events (1…), when it is a monitoring record; after them
    // the span last chosen on the strip, once it is analysed (KijelöltNézet, else -1).
    int NézetekSzáma() const { return modell_.NézetekSzáma(); }
    int AktívNézet() const { return modell_.AktívNézet(); }
    int KijelöltNézet() const { return modell_.KijelöltNézet(); }
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
    void keyPressEvent(QKeyEvent* esemény) override;

private:
    RezgésjelAblak(FelvételModell modell, QWidget* szülő);
    // Works out a view on a thread of its own, then hands it to `kész` (with a busy cursor
    // meanwhile); a later call supersedes an earlier one.
    void háttérben(std::function<FelvételModell::Nézet()> munka,
                   std::function<void(FelvételModell::Nézet)> kész);
    // The time under a point of the strip, s from the record's start.
    double áttekintésIdő(QPointF hol) const;
    void választóFrissít();
    void frissít();
    void táblázatMagasság();

    FelvételModell modell_;
    Mérésadatok adatok_; // the particulars, kept per station
    QLabel* fejléc_ = nullptr;
    QComboBox* helyVálasztó_ = nullptr;
    QComboBox* módszerVálasztó_ = nullptr;
    Nyomlap* nyomok_ = nullptr;
    QWidget* spektrumok_ = nullptr;
    QWidget* ábra_ = nullptr;
    QTableWidget* táblázat_ = nullptr;
    QLabel* ítélet_ = nullptr;
    QLabel* megjegyzések_ = nullptr; // an export's remarks, under the verdict
    QComboBox* eseményVálasztó_ = nullptr;
    QWidget* áttekintés_ = nullptr;
    QRectF áttekintésKeret_; // where the strip's time axis was drawn
    std::unique_ptr<QThread> háttérSzál_;
    int háttérSorszám_ = 0;
};
