#pragma once

#include "katalogus.h"

#include <QAbstractTableModel>
#include <QSortFilterProxyModel>

#include <optional>
#include <vector>

// What the campaign window's table shows, without widgets: the catalogue's measurements a row
// each (their figures, never their stored bytes), and a filter by point, blast, period and
// verdict that sorts by the figures themselves, not by their texts.
namespace Katalógus {

class KampányModell : public QAbstractTableModel {
public:
    enum Oszlop {
        PontOszlop,
        RobbantásOszlop,
        IdőOszlop,
        ÖsszetevőOszlop,
        PpvOszlop,
        FrekvenciaOszlop,
        HatárOszlop,
        KihasználtságOszlop,
        ÍtéletOszlop,
        PvsOszlop,
        LégnyomásOszlop,
        TávolságOszlop,
        TöltetOszlop,
        ArányosOszlop,
        FájlOszlop,
        EseményOszlop,
        OszlopokSzáma
    };
    // What a cell sorts by (a number, a time in µs, a text); none where it is empty.
    static constexpr int RendezőSzerep = Qt::UserRole;
    // The row's verdict (Ítélet as an int), for a view that marks exceedances.
    static constexpr int ÍtéletSzerep = Qt::UserRole + 1;

    using QAbstractTableModel::QAbstractTableModel;

    void Betölt(std::vector<ListaSor> sorok);
    const std::vector<ListaSor>& Sorok() const { return sorok_; }
    const ListaSor& Sor(int sor) const { return sorok_[std::size_t(sor)]; }
    // The points' codes, in order.
    QStringList Pontok() const;

    int rowCount(const QModelIndex& szülő = {}) const override;
    int columnCount(const QModelIndex& szülő = {}) const override;
    QVariant data(const QModelIndex& index, int szerep = Qt::DisplayRole) const override;
    QVariant headerData(int szakasz, Qt::Orientation irány,
                        int szerep = Qt::DisplayRole) const override;

private:
    std::vector<ListaSor> sorok_;
};

// A measurement's time as the window writes it: Hungarian local time, to the second.
QString HelyiIdő(qint64 mikro);
// A measurement's verdict in words: "megfelel", "túllépi", or not judged with why.
QString ÍtéletSzöveg(const Mérés& m);

class KampánySzűrő : public QSortFilterProxyModel {
public:
    struct Feltétel {
        QString pont;                            // a point's code; empty: every point
        QString robbantás;                       // part of a blast's identifier
        std::optional<qint64> tólMikro, igMikro; // the trigger (start), [tól, ig)
        std::optional<Ítélet> ítélet;
        bool operator==(const Feltétel&) const = default;
    };

    explicit KampánySzűrő(QObject* szülő = nullptr);
    void FeltételBeállít(const Feltétel& f);
    const Feltétel& Feltételek() const { return feltétel_; }
    // The rows that pass, in the model's order (for the statistics and the charts).
    std::vector<ListaSor> Látható() const;
    bool Átengedi(const ListaSor& s) const;

protected:
    bool filterAcceptsRow(int sor, const QModelIndex& szülő) const override;
    bool lessThan(const QModelIndex& bal, const QModelIndex& jobb) const override;

private:
    Feltétel feltétel_;
};

// A measurement's time: its trigger, else its start.
inline std::optional<qint64> Időpontja(const Mérés& m) {
    return m.indításMikro ? m.indításMikro : m.kezdetMikro;
}

} // namespace Katalógus
