#pragma once

#include "readers/felvetel.h"
#include "rezgesjelablak.h"

#include <QPointer>
#include <QSet>
#include <QWidget>

#include <atomic>
#include <functional>
#include <memory>
#include <optional>

class QLabel;
class QProgressBar;
class QPushButton;
class QThread;
class QTimer;

// A record file while it opens: a window in the record window's place, under its title
// marked as opening, with the step being done, a progress bar and "Mégse". The reading and
// analysis run on a thread of their own, so the main window stays usable meanwhile. Counts are read
// once: a sensitivity for counts, or the unit of samples nothing gives one for, is asked here
// station by station, and the records kept are analysed with the answers. When the work ends
// this window closes, and `kész` gets the record windows (none on a fault, which a message
// box over the main window names, or when stopped).
class RezgésjelBetöltés : public QWidget {
public:
    using Kész = std::function<void(const QList<RezgésjelAblak*>&)>;

    // `kategória` gives the main window's category when the windows are made.
    RezgésjelBetöltés(const QString& fájl, std::function<int()> kategória, QWidget* főablak,
                      int lépcső, Kész kész);
    // Stops the work and waits for it.
    ~RezgésjelBetöltés() override;

    // The file's bytes as a catalogue keeps them, read with the settings it was imported with
    // (under the file's name, not from the disc); before Indít.
    void Bájtokból(QByteArray bájtok, const Rezgésjel::Beállítás& beállítás);
    // Starts the work and shows the window.
    void Indít();
    // Stops the work; no window is made. (Closing the window does the same.)
    void Leállít();

    QLabel* Szöveg() const { return szöveg_; }
    QProgressBar* Haladás() const { return haladás_; }
    QPushButton* MégseGomb() const { return mégse_; }

protected:
    void closeEvent(QCloseEvent* esemény) override;

private:
    void futtat(std::vector<Rezgésjel::Felvétel> olvasott);
    void befejeződött();
    void lépésMutat();
    void vége(const QList<RezgésjelAblak*>& ablakok);

    QString fájl_;
    std::function<int()> kategória_;
    QPointer<QWidget> főablak_;
    int lépcső_;
    Kész kész_;
    // Whether what was asked was answered: the answer's station, shown in the window.
    bool kérdez(const Hiba& hiba);

    Rezgésjel::Beállítás beállítás_;   // with the answers given, by station
    std::optional<QByteArray> bájtok_; // read instead of the file
    QSet<QString> egységNélkül_;       // stations the user chose to go on with without a unit
    QLabel* szöveg_ = nullptr;
    QProgressBar* haladás_ = nullptr;
    QPushButton* mégse_ = nullptr;
    QTimer* óra_ = nullptr;
    std::unique_ptr<QThread> szál_;
    std::atomic<int> szakasz_{0};
    std::atomic<bool> megszakítva_{false};
    Feldolgozás::Feldolgozott eredmény_;
    bool lezárva_ = false;
};
