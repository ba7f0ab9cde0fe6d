#include "naplo.h"

#include "cella.h"
#include "engine/kategoriak.h"
#include "runtime/text.h"

#include <QStringList>

namespace Napló {

namespace {

// A fault of the log: where (line 0: the file as a whole; column 0: the whole line), what.
Hiba naplóHiba(qint64 sor, int oszlop, QString oszlopNév, QString mi,
               Hiba::Fajta fajta = Hiba::Fajta::Tartalom) {
    Hiba h;
    h.fajta = fajta;
    h.sor = sor;
    h.oszlop = oszlop;
    h.oszlopNév = std::move(oszlopNév);
    h.részlet = std::move(mi);
    return h;
}

// The table's own fault (its line, if it has one).
Hiba csvHiba(const CsvOlvasó& csv) {
    Hiba h = *csv.hiba();
    h.sor = csv.hibásSor();
    return h;
}

} // namespace

const std::array<std::vector<QString>, OszlopokSzáma>& OszlopNevek() {
    static const std::array<std::vector<QString>, OszlopokSzáma> nevek{{
        {QStringLiteral("frekvencia"), QStringLiteral("frequency")},
        {QStringLiteral("sebesség"), QStringLiteral("ppv")},
        {QStringLiteral("kategória"), QStringLiteral("category")},
    }};
    return nevek;
}

bool Olvasó::fejléc() {
    const auto& nevek = OszlopNevek();
    int legjobb = -1; // the most columns a line named
    qint64 legjobbSor = 0;
    QStringList legjobbMezők;
    int sorok = 0;
    for (;;) {
        const CsvOlvasó::Állapot e = csv_.következő();
        if (e == CsvOlvasó::Hibás)
            return hibás(csvHiba(csv_));
        if (e == CsvOlvasó::Vége || sorok >= FejlécKeresés)
            break;
        csv_.feloszt(0, mezők_);
        if (std::all_of(mezők_.begin(), mezők_.end(), Cella::Üres))
            continue;
        ++sorok;
        for (const char elválasztó : CsvOlvasó::Elválasztók) {
            if (!csv_.rekord().contains(elválasztó) && elválasztó != ';')
                continue;
            csv_.feloszt(elválasztó, mezők_);
            std::array<int, OszlopokSzáma> helyek;
            helyek.fill(-1);
            int talált = 0;
            bool magyar = false;
            std::optional<Hiba> kétszer;
            for (std::size_t i = 0; i < mezők_.size(); ++i) {
                const QString kulcs = rt::NameKey(Cella::OszlopNév(mezők_[i]).név);
                for (std::size_t o = 0; o < nevek.size(); ++o) {
                    for (std::size_t j = 0; j < nevek[o].size(); ++j) {
                        if (kulcs != rt::NameKey(nevek[o][j]))
                            continue;
                        if (helyek[o] >= 0 && !kétszer)
                            kétszer = naplóHiba(csv_.sor(), int(i) + 1,
                                                QString::fromUtf8(Cella::Levág(mezők_[i])),
                                                QStringLiteral("ez az oszlop kétszer szerepel"),
                                                Hiba::Fajta::OszlopKétszer);
                        if (helyek[o] < 0)
                            ++talált;
                        helyek[o] = int(i);
                        magyar = magyar || j == 0;
                    }
                }
            }
            if (talált == OszlopokSzáma) {
                if (kétszer)
                    return hibás(*kétszer);
                helyek_ = helyek;
                oszlopok_ = mezők_.size();
                elválasztó_ = elválasztó;
                magyar_ = magyar;
                fejlécSor_ = csv_.rekord().toByteArray();
                csv_.elválasztótRögzít(elválasztó);
                return true;
            }
            if (talált > legjobb) {
                legjobb = talált;
                legjobbSor = csv_.sor();
                legjobbMezők.clear();
                for (const QByteArrayView m : mezők_)
                    legjobbMezők << Cella::Idéz(m);
            }
        }
    }
    if (legjobb < 0)
        return hibás(naplóHiba(0, 0, {}, QStringLiteral("üres, nincs fejlécsora"),
                               Hiba::Fajta::NincsFejlécsor));
    QStringList elfogadott;
    for (const auto& n : nevek)
        elfogadott << QStringLiteral("%1 (%2)").arg(n[0], n[1]);
    return hibás(naplóHiba(
        0, 0, {},
        QStringLiteral("nincs fejlécsor, amely megnevezné a frekvencia, a sebesség és "
                       "a kategória oszlopát (az első %1 nem üres sorban keresve); a "
                       "legtöbbet a(z) %2. sor nevezi meg, mezői: %3; elfogadott "
                       "nevek, kis- és nagybetűtől, ékezettől és zárójeles "
                       "mértékegységtől függetlenül: %4")
            .arg(FejlécKeresés)
            .arg(legjobbSor)
            .arg(legjobbMezők.join(QStringLiteral(", ")), elfogadott.join(QStringLiteral(", "))),
        Hiba::Fajta::NincsFejlécsor));
}

int Olvasó::kategóriaKeres(QByteArrayView cella) {
    for (const auto& [szöveg, index] : kategóriák_)
        if (QByteArrayView(szöveg) == cella)
            return index;
    const auto k = Határérték::KategóriaKeres(QString::fromUtf8(cella));
    const int index = k ? *k : -1;
    if (kategóriák_.size() < 64)
        kategóriák_.emplace_back(cella.toByteArray(), index);
    return index;
}

bool Olvasó::következő(Mérés& mérés) {
    for (;;) {
        const CsvOlvasó::Állapot e = csv_.következő();
        if (e == CsvOlvasó::Hibás)
            return hibás(csvHiba(csv_));
        if (e == CsvOlvasó::Vége)
            return false;
        csv_.feloszt(elválasztó_, mezők_);
        if (std::all_of(mezők_.begin(), mezők_.end(), Cella::Üres))
            continue; // an empty line, or a row of nothing but separators
        if (mezők_.size() != oszlopok_)
            return hibás(naplóHiba(csv_.sor(), 0, {},
                                   QStringLiteral("%1 mező a fejléc %2 oszlopa helyett")
                                       .arg(mezők_.size())
                                       .arg(oszlopok_),
                                   Hiba::Fajta::MezőszámEltér));
        auto hol = [&](Oszlop o, QString mi, Hiba::Fajta fajta = Hiba::Fajta::NemSzám) {
            return naplóHiba(csv_.sor(), helyek_[o] + 1, OszlopNevek()[o][0], std::move(mi), fajta);
        };
        QString miért;
        const QByteArrayView fCella = mezők_[std::size_t(helyek_[Frekvencia])];
        const std::optional<Cella::Szám> f = Cella::SzámOlvas(fCella, &miért);
        if (!f)
            return hibás(hol(Frekvencia, miért));
        if (f->érték < 0)
            return hibás(
                hol(Frekvencia, QStringLiteral("negatív frekvencia: %1").arg(Cella::Idéz(fCella))));
        const QByteArrayView vCella = mezők_[std::size_t(helyek_[Sebesség])];
        const std::optional<Cella::Szám> v = Cella::SzámOlvas(vCella, &miért);
        if (!v)
            return hibás(hol(Sebesség, miért));
        if (v->érték < 0)
            return hibás(
                hol(Sebesség, QStringLiteral("negatív sebesség: %1").arg(Cella::Idéz(vCella))));
        const QByteArrayView kCella = mezők_[std::size_t(helyek_[Kategória])];
        const int k = kategóriaKeres(kCella);
        if (k < 0)
            return hibás(hol(Kategória, Határérték::IsmeretlenKategória(QString::fromUtf8(kCella)),
                             Hiba::Fajta::Tartalom));
        if (!tizedesjel_)
            tizedesjel_ = f->tizedesjel ? f->tizedesjel : v->tizedesjel;
        mérés.frekvencia = f->érték;
        mérés.sebesség = v->érték;
        mérés.kategória = k;
        mérés.sor = csv_.rekord();
        mérés.sorszám = csv_.sor();
        return true;
    }
}

} // namespace Napló
