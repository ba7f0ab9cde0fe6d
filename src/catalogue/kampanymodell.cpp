#include "kampanymodell.h"

#include "analysis/tablazat.h"
#include "engine/szovegek.h"

#include <QDateTime>
#include <QTimeZone>

#include <set>

namespace Katalógus {

namespace {

const QTimeZone& magyarIdő() {
    static const QTimeZone zóna(QByteArrayLiteral("Europe/Budapest"));
    return zóna;
}

std::optional<double> dB(const Mérés& m) {
    if (m.légnyomás && *m.légnyomás > 0)
        return Elemzés::DecibelL(*m.légnyomás);
    return std::nullopt;
}

QVariant szám(const std::optional<double>& v, int tizedesek) {
    return v ? QVariant(Határérték::Szám(*v, tizedesek)) : QVariant();
}

template <class T> QVariant kulcs(const std::optional<T>& v) {
    return v ? QVariant::fromValue(*v) : QVariant();
}

} // namespace

QString HelyiIdő(qint64 mikro) {
    return QDateTime::fromMSecsSinceEpoch(mikro / 1000, magyarIdő())
        .toString(QStringLiteral("yyyy.MM.dd. HH:mm:ss"));
}

QString ÍtéletSzöveg(const Mérés& m) {
    switch (m.ítélet) {
    case Ítélet::Megfelel:
        return QStringLiteral("megfelel");
    case Ítélet::Túllépi:
        return QStringLiteral("túllépi");
    case Ítélet::NincsMegítélve:
        break;
    }
    return Határérték::NincsMegítélve() +
           (m.miért.isEmpty() ? QString() : QStringLiteral(": ") + m.miért);
}

void KampányModell::Betölt(std::vector<ListaSor> sorok) {
    beginResetModel();
    sorok_ = std::move(sorok);
    endResetModel();
}

QStringList KampányModell::Pontok() const {
    std::set<QString> p;
    for (const ListaSor& s : sorok_)
        p.insert(s.mérés.pont);
    return QStringList(p.begin(), p.end());
}

int KampányModell::rowCount(const QModelIndex& szülő) const {
    return szülő.isValid() ? 0 : int(sorok_.size());
}

int KampányModell::columnCount(const QModelIndex& szülő) const {
    return szülő.isValid() ? 0 : OszlopokSzáma;
}

QVariant KampányModell::data(const QModelIndex& index, int szerep) const {
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const ListaSor& s = sorok_[std::size_t(index.row())];
    const Mérés& m = s.mérés;
    if (szerep == ÍtéletSzerep)
        return int(m.ítélet);
    if (szerep == Qt::ToolTipRole)
        return index.column() == ÍtéletOszlop ? QVariant(ÍtéletSzöveg(m)) : QVariant();
    if (szerep == Qt::TextAlignmentRole) {
        const bool szöveg = index.column() == PontOszlop || index.column() == RobbantásOszlop ||
                            index.column() == ÖsszetevőOszlop || index.column() == ÍtéletOszlop ||
                            index.column() == FájlOszlop || index.column() == IdőOszlop;
        return QVariant::fromValue(Qt::Alignment(szöveg ? Qt::AlignLeft | Qt::AlignVCenter
                                                        : Qt::AlignRight | Qt::AlignVCenter));
    }
    const bool rendez = szerep == RendezőSzerep;
    if (!rendez && szerep != Qt::DisplayRole)
        return {};
    switch (Oszlop(index.column())) {
    case PontOszlop:
        return m.pont;
    case RobbantásOszlop:
        return s.robbantás;
    case IdőOszlop: {
        const std::optional<qint64> idő = Időpontja(m);
        if (rendez)
            return kulcs(idő);
        return idő ? QVariant(HelyiIdő(*idő)) : QVariant();
    }
    case TávolságOszlop:
        return rendez ? kulcs(m.távolság) : szám(m.távolság, 1);
    case TöltetOszlop:
        return rendez ? kulcs(m.töltet) : szám(m.töltet, 2);
    case ArányosOszlop:
        return rendez ? kulcs(m.arányosTávolság) : szám(m.arányosTávolság, 2);
    case ÖsszetevőOszlop:
        return m.döntő;
    case PpvOszlop:
        return rendez ? kulcs(m.ppv) : szám(m.ppv, 3);
    case FrekvenciaOszlop:
        return rendez ? kulcs(m.frekvencia) : szám(m.frekvencia, 2);
    case PvsOszlop:
        return rendez ? kulcs(m.pvs) : szám(m.pvs, 3);
    case LégnyomásOszlop:
        return rendez ? kulcs(dB(m)) : szám(dB(m), 1);
    case HatárOszlop:
        if (rendez)
            return kulcs(m.határSzázad);
        return m.határSzázad ? QVariant(Határérték::SzázadSzöveg(int(*m.határSzázad))) : QVariant();
    case KihasználtságOszlop:
        if (rendez)
            return kulcs(m.kihasználtságTized);
        return m.kihasználtságTized ? QVariant(Határérték::Százalék(*m.kihasználtságTized))
                                    : QVariant();
    case ÍtéletOszlop:
        return rendez ? QVariant(int(m.ítélet)) : QVariant(ÍtéletSzöveg(m));
    case FájlOszlop:
        return s.fájl;
    case EseményOszlop:
        return m.esemény > 0 ? QVariant(m.esemény) : QVariant();
    case OszlopokSzáma:
        break;
    }
    return {};
}

QVariant KampányModell::headerData(int szakasz, Qt::Orientation irány, int szerep) const {
    if (irány != Qt::Horizontal || szerep != Qt::DisplayRole)
        return QAbstractTableModel::headerData(szakasz, irány, szerep);
    // two lines where a unit follows, so that the columns stay as narrow as their figures
    static const char16_t* const fejlécek[OszlopokSzáma] = {u"Pont",
                                                            u"Robbantás",
                                                            u"Idő (helyi)",
                                                            u"Összetevő",
                                                            u"PPV\n(mm/s)",
                                                            u"Frekvencia\n(Hz)",
                                                            u"Határérték\n(mm/s)",
                                                            u"Kihasználtság\n(%)",
                                                            u"Megítélés",
                                                            u"PVS\n(mm/s)",
                                                            u"Légnyomás\n(dB(L))",
                                                            u"Távolság\n(m)",
                                                            u"Töltet\n(kg)",
                                                            u"Arányos táv.\n(m/kg½)",
                                                            u"Fájl",
                                                            u"Esemény"};
    if (szakasz < 0 || szakasz >= OszlopokSzáma)
        return {};
    return QString::fromUtf16(fejlécek[szakasz]);
}

KampánySzűrő::KampánySzűrő(QObject* szülő) : QSortFilterProxyModel(szülő) {
    setSortRole(KampányModell::RendezőSzerep);
}

void KampánySzűrő::FeltételBeállít(const Feltétel& f) {
    if (f == feltétel_)
        return;
    // Qt 6.4 has no begin/endFilterChange: invalidating the filter is what there is
    feltétel_ = f;
    invalidateFilter();
}

bool KampánySzűrő::Átengedi(const ListaSor& s) const {
    const Mérés& m = s.mérés;
    if (!feltétel_.pont.isEmpty() && m.pont != feltétel_.pont)
        return false;
    if (!feltétel_.robbantás.isEmpty() &&
        !s.robbantás.contains(feltétel_.robbantás, Qt::CaseInsensitive))
        return false;
    if (feltétel_.ítélet && m.ítélet != *feltétel_.ítélet)
        return false;
    if (feltétel_.tólMikro || feltétel_.igMikro) {
        const std::optional<qint64> idő = Időpontja(m);
        if (!idő || (feltétel_.tólMikro && *idő < *feltétel_.tólMikro) ||
            (feltétel_.igMikro && *idő >= *feltétel_.igMikro))
            return false;
    }
    return true;
}

bool KampánySzűrő::filterAcceptsRow(int sor, const QModelIndex& szülő) const {
    const auto* modell = static_cast<const KampányModell*>(sourceModel());
    if (szülő.isValid() || !modell || sor >= modell->rowCount())
        return false;
    return Átengedi(modell->Sor(sor));
}

bool KampánySzűrő::lessThan(const QModelIndex& bal, const QModelIndex& jobb) const {
    const QVariant a = bal.data(sortRole()), b = jobb.data(sortRole());
    // empty cells after every figure, whichever way it is sorted: they are no small values
    if (a.isValid() != b.isValid())
        return (sortOrder() == Qt::AscendingOrder) == a.isValid();
    if (!a.isValid())
        return bal.row() < jobb.row();
    const QPartialOrdering r = QVariant::compare(a, b);
    if (r == QPartialOrdering::Equivalent)
        return bal.row() < jobb.row(); // stable: the catalogue's order among equals
    return r == QPartialOrdering::Less;
}

std::vector<ListaSor> KampánySzűrő::Látható() const {
    std::vector<ListaSor> látható;
    if (const auto* modell = static_cast<const KampányModell*>(sourceModel()))
        for (const ListaSor& s : modell->Sorok())
            if (Átengedi(s))
                látható.push_back(s);
    return látható;
}

} // namespace Katalógus
