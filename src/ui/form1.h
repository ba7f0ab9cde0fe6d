#pragma once

#include "model/rezgesmodell.h"
#include "settings/ablakhelyzet.h"
#include "ui/elokeszites.h"
#include "ui/hatargorbek.h"
#include "ui/screen.h"

#include <QElapsedTimer>
#include <QHash>
#include <QPointer>
#include <QWidget>

#include <array>
#include <cstdint>
#include <functional>

class QGroupBox;
class QLabel;
class QRadioButton;
class QScrollBar;
class QStatusBar;
class RezgésjelAblak;
class RezgésjelBetöltés;
class KampányAblak;

// moc reads base classes by ASCII names only.
using Form1Modell = RezgésModell;

// The one window: built once from its design-time description, then driven by its
// five event handlers. Its model is the window (its variables and methods are the window's);
// its placement is a helper it holds.
class Form1 : public QWidget, public Form1Modell {
    Q_OBJECT

public:
    explicit Form1(const rt::Screens& képernyő = systemScreens(), QWidget* parent = nullptr);
    ~Form1() override;

    // The controls.
    std::array<QRadioButton*, 3> Választó{};
    std::array<QLabel*, 2> CímkeMaxSebesség{};
    QLabel* CímkeFeliratFrekvencia = nullptr;
    QLabel* CímkeFrekvencia = nullptr;
    QScrollBar* GörgetőFrekvencia = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* Label5 = nullptr;
    QStatusBar* Állapotsor = nullptr;
    QLabel* ÁllapotsorPanel = nullptr;
    QGroupBox* Frame1 = nullptr;

    // The event handlers.
    void Form_Load();
    void Form_Unload(std::int16_t& Cancel);
    void GörgetőFrekvencia_Change();
    void GörgetőFrekvencia_Scroll();
    void Választó_Click(std::int16_t Index);

    static const rt::Screens& systemScreens();

    // Beyond the window's own job, on the same model: the limit curves (F2, or the result
    // frame's right-click menu) and the result as a line of text for the clipboard
    // (Ctrl+C, or the same menu).
    Határgörbék* HatárgörbékMegnyit();
    Határgörbék* NyitottHatárgörbék() const { return görbék_.data(); }
    QString VágólapSzöveg() const;
    void Másol();

    // Seismograph records beside the window, each in a window of its own that follows the
    // category chosen here: from a file dialog (Ctrl+O, or the result frame's menu), from
    // files dropped on the window, or from the command line. A file is read and analysed
    // while this window stays usable; its progress shows where its window will be. An
    // unreadable file opens none; a message box names the file and the reason.
    // RezgésjelBetölt starts it and returns at once (`utána` gets the windows opened);
    // RezgésjelMegnyit returns when it has ended, with the windows opened.
    RezgésjelBetöltés* RezgésjelBetölt(const QString& fájl,
                                       std::function<void(QList<RezgésjelAblak*>)> utána = {});
    QList<RezgésjelAblak*> RezgésjelMegnyit(const QString& fájl);
    void RezgésjelPárbeszéddel();
    QList<RezgésjelAblak*> NyitottRezgésjelek() const;
    // The file dialog's filter of the readable formats.
    static QString RezgésjelSzűrő();

    // A campaign's catalogue in a window of its own (Ctrl+Shift+O, the result frame's menu,
    // a dropped catalogue file, or the command line); none, with a message box, where it
    // cannot be opened. Whether an argument or a dropped file is a catalogue: a
    // postgresql:// address, a *.velorix file or an SQLite file.
    KampányAblak* KampányMegnyit(const QString& cím);
    void KampányPárbeszéddel();
    static bool KatalógusE(const QString& cím);
    // Opens a catalogue or a record file, as the argument is.
    void Megnyit(const QString& fájl);

protected:
    void closeEvent(QCloseEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool focusNextPrevChild(bool next) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

    QString CímkeMaxSebességFelirat(std::int16_t index) const override;
    void CímkeMaxSebességFeliratÍr(std::int16_t index, const QString& felirat) override;

private:
    void felépít();
    void bekapcsol();
    void görgetőVáltozott();
    void frekvenciaFrissít();
    void keretEllenőrzés();
    void görbékFrissít();
    void eredményMenü(const QPoint& hol);

    AblakHelyzet helyzet_;
    rt::WidgetWindow ablak_;
    int húzásKezdete_ = 0;
    QElapsedTimer megjelenésÓta_;
    QPointer<Határgörbék> görbék_;
    QList<QPointer<RezgésjelAblak>> rezgésjelek_;
    QList<QPointer<RezgésjelBetöltés>> betöltések_;
    QList<QPointer<KampányAblak>> kampányok_;
};
