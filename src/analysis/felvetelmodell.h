#pragma once

#include "feldolgozas.h"
#include "jelentestetel.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

// What a record window shows, without the window: the record's views (a monitoring record's
// whole, its events and a span chosen on its strip), the one shown, its judgement under the
// category, place and method chosen, and the texts of its header, table, verdict and views.
// Work that takes long (the whole of a monitoring record, a span) is handed out as a function
// to run away from the window system; its result comes back through EgészKész or SzakaszKész.
class FelvételModell {
public:
    using Nézet = Feldolgozás::Nézet;

    // A finished record of the pipeline (read by Kérése, drawn, a long one with its samples).
    FelvételModell(Feldolgozás::ElemzettFelvétel felvétel, int kategória);
    // The pipeline's request for the records a window shows.
    static Feldolgozás::Kérés Kérése(int kategória, const Rezgésjel::Beállítás& beállítás);

    // The judgement: each change judges the view shown again (its figures stay).
    bool KategóriaBeállít(int kategória); // false: not a category, or the same
    void HelyBeállít(Elemzés::Hely hely);
    void MódszerBeállít(Elemzés::Módszer módszer);
    int Kategória() const { return ítélés_.kategória; }
    Elemzés::Hely Hely() const { return ítélés_.hely; }
    Elemzés::Módszer Módszer() const { return ítélés_.módszer; }

    // The view shown.
    const Rezgésjel::Felvétel& Felvétel() const { return látott_.felvétel; }
    const Elemzés::Megállapítás& Megállapítás() const { return látott_.megállapítás; }
    const std::vector<Rajz::Rajzadat>& Rajzok() const { return látott_.rajzok; }

    // A monitoring record's views: the whole (0) and its events (1…); after them the span
    // last chosen, once analysed (KijelöltNézet, else -1). None for a short record.
    bool Figyelés() const { return !nézetek_.empty(); }
    int NézetekSzáma() const { return int(nézetek_.size()); }
    int AktívNézet() const { return nézet_; }
    int KijelöltNézet() const { return kijelölés_ ? int(nézetek_.size()) : -1; }
    const Nézet* NézetAdat(int nézet) const;
    // The view to open on: the worst event; the first where none is judged.
    int KezdőNézet() const { return kezdő_; }
    // Shows a view. False where that is a whole not analysed yet: run EgészMunka, hand its
    // result to EgészKész, then ask again. (False too for no such view.)
    bool NézetBeállít(int nézet);
    std::function<Nézet()> EgészMunka() const;
    void EgészKész(Nézet nézet);
    // The view's name in a chooser: "teljes felvétel (5 esemény)", "3. 09:51:11,875 UTC – PVS
    // 8,976 mm/s", "kijelölt szakasz: … – … UTC".
    QString NézetNév(int nézet) const;

    // A monitoring record's time line: its length (s), a time as s from its start, its events'
    // windows in those seconds, and the event nearest a time.
    double Hossz() const;
    double Másodperc(qint64 mikro) const;
    std::vector<std::pair<double, double>> Eseményablakok() const;
    int LegközelebbiEsemény(double másodperc) const;
    // A span chosen on the strip (s from the start, either order): where it is marked now,
    // and the work that analyses it (within the record); its result to SzakaszKész, which
    // makes it the span's view and returns that view.
    void KijelölésSáv(double eleje, double vége);
    const std::optional<std::pair<double, double>>& KijelölésSáv() const { return sáv_; }
    std::function<Nézet()> SzakaszMunka(double eleje, double vége);
    int SzakaszKész(Nézet nézet);

    // The texts the window shows: its header line, the table's rows (and whether a row
    // exceeds its limit), the verdict and whether it passes.
    QString Fejléc() const;
    QList<QStringList> TáblázatSorok() const;
    bool SorTúllépi(int sor) const;
    QString Ítélet() const;
    // What an instrument's export remarks on the verdict (an old calibration, a failed sensor
    // check) and its own figures the samples do not bear out; empty for other records.
    QStringList Megjegyzések() const;
    bool Megfelel() const { return látott_.megállapítás.megfelel; }
    // Whether any component was judged: where none was, the verdict is no "megfelel".
    bool Megítélt() const { return látott_.megállapítás.döntő >= 0; }

    // The report of the view shown; a monitoring record's events summed up after it.
    Feldolgozás::Jelentéstétel Jelentéstétel(const Mérésadatok& adatok) const;

private:
    Elemzés::Szakasz szakasz(double eleje, double vége) const;
    void megítél();

    Feldolgozás::Ítélés ítélés_;
    Nézet látott_;               // the view shown, judged by ítélés_
    std::vector<Nézet> nézetek_; // a monitoring record's: the whole first, then its events
    int nézet_ = 0;
    int kezdő_ = 0;
    std::optional<Nézet> kijelölés_;                    // the span chosen, analysed
    std::optional<std::pair<double, double>> sáv_;      // s, where it is marked on the strip
    std::shared_ptr<const Rezgésjel::Felvétel> minták_; // a monitoring record's samples
};
