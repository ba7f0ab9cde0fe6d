#pragma once

#include "catalogue/kampanymodell.h"
#include "kampanyfelvetel.h"
#include "rajzlap.h"

#include <QMainWindow>
#include <QPointer>

#include <functional>
#include <memory>
#include <unordered_map>

class QCheckBox;
class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QTableView;
class QTableWidget;
class QThread;

class RezgésjelAblak;
class TervezésLap;
class RezgésjelBetöltés;

// "Kampány – NAME": a campaign's catalogue: its measurements in a table (sorted by any
// column, filtered by point, blast, period and verdict), their statistics, each point's PPV
// over time with the limits it was judged by, and every one on the limit chart. A double click
// opens the measurement's record window from the bytes the catalogue keeps. Files are taken in
// from a menu or a drop, with progress and a stop, the window answering meanwhile.
class KampányAblak : public QMainWindow {
public:
    // Opens a window on the catalogue, or says why it cannot (a message box over `főablak`)
    // and gives none. `kategória` is the main window's, offered for new points.
    static KampányAblak* Megnyit(const QString& cím, QWidget* főablak);

    // The measurements are read on a thread of their own; `betöltve` is called each time
    // they are in (the first time, and after each import).
    void Betöltve(std::function<void()> betöltve) { betöltve_ = std::move(betöltve); }
    void Frissít();

    // Takes the files in, as the menu does, with the category for new points (none: only
    // known points' files go in).
    KampányFelvétel* Felvesz(const QStringList& fájlok, std::optional<int> kategória);
    KampányFelvétel* FolyóFelvétel() const { return felvétel_.data(); }
    const std::optional<KampányFelvétel::Összegzés>& UtolsóFelvétel() const {
        return utolsóFelvétel_;
    }
    // A blast log taken in and the measurements paired; the outcome in words.
    QString RobbantásnaplóFelvesz(const QString& napló);

    // Opens the record window of the table's row (in the sorted and filtered order);
    // `utána` gets it (none on a fault).
    void MérésMegnyit(int sor, std::function<void(RezgésjelAblak*)> utána = {});

    const Katalógus::KampányModell& Modell() const { return *modell_; }
    const Katalógus::KampánySzűrő& Szűrő() const { return *szűrő_; }
    QTableView* Táblázat() const { return táblázat_; }
    QTableWidget* Statisztika() const { return statisztika_; }
    QComboBox* PontVálasztó() const { return pont_; }
    QComboBox* ÍtéletVálasztó() const { return ítélet_; }
    QLineEdit* RobbantásMező() const { return robbantás_; }
    QLabel* Állapot() const { return állapot_; }
    QProgressBar* Haladás() const { return haladás_; }
    QPushButton* MégseGomb() const { return mégse_; }
    QWidget* Idősor() const { return idősor_; }
    QWidget* Felhő() const { return felhő_; }
    TervezésLap* Tervezés() const { return tervezés_; }
    // The filter's fields, as a user sets them.
    void IdőszakBeállít(QDate tól, QDate ig);

    ~KampányAblak() override;

protected:
    void closeEvent(QCloseEvent* esemény) override;
    void dragEnterEvent(QDragEnterEvent* esemény) override;
    void dropEvent(QDropEvent* esemény) override;

private:
    KampányAblak(Katalógus::Cím cím, std::unique_ptr<Katalógus::Katalógusfájl> olvasó,
                 QWidget* főablak);
    void menük();
    void szűrőFrissít();
    void nézetekFrissít();
    void felvételPárbeszéddel();
    void naplóPárbeszéddel();
    // The category for the files' new points, asked (none: only known points); none if cancelled.
    std::optional<std::optional<int>> újPontokKategóriája();
    void elhelyez(const QWidget& főablak);

    Katalógus::Cím cím_;
    std::unique_ptr<Katalógus::Katalógusfájl> olvasó_; // this thread's, for the stored bytes
    QPointer<QWidget> főablak_;
    Katalógus::KampányModell* modell_ = nullptr;
    Katalógus::KampánySzűrő* szűrő_ = nullptr;
    QTableView* táblázat_ = nullptr;
    QTableWidget* statisztika_ = nullptr;
    QComboBox* pont_ = nullptr;
    QComboBox* ítélet_ = nullptr;
    QLineEdit* robbantás_ = nullptr;
    QCheckBox* időszak_ = nullptr;
    QDateEdit* tól_ = nullptr;
    QDateEdit* ig_ = nullptr;
    QComboBox* felhőHely_ = nullptr;
    Rajzlap* idősor_ = nullptr;
    Rajzlap* felhő_ = nullptr;
    TervezésLap* tervezés_ = nullptr;
    QLabel* állapot_ = nullptr;
    QProgressBar* haladás_ = nullptr;
    QPushButton* mégse_ = nullptr;
    std::vector<Katalógus::ListaSor> látható_; // what passes the filter, for the charts
    std::unique_ptr<QThread> betöltés_;
    std::vector<Katalógus::ListaSor> betöltött_;
    std::unordered_map<qint64, double> legnagyobb_, betöltöttLegnagyobb_; // velocity, by key
    QString betöltésHiba_;
    bool újraKell_ = false;
    std::function<void()> betöltve_;
    QPointer<KampányFelvétel> felvétel_;
    std::optional<KampányFelvétel::Összegzés> utolsóFelvétel_;
    QList<QPointer<RezgésjelAblak>> rezgésjelek_;
};
