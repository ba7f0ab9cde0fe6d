#include "ertekeles.h"

#include "engine/hatarertek.h"
#include "engine/kategoriak.h"
#include "engine/szovegek.h"
#include "hibaszoveg.h"
#include "naplokimenet.h"
#include "readers/naplo.h"
#include "readers/rezgesjel.h"
#include "readers/szovegforras.h"
#include "runtime/app.h"

#include <QFile>

#include <optional>
#include <vector>

namespace Értékelés {

namespace {

// Rows of a stream held back until a number shows the input's decimal style.
constexpr std::size_t FüggőSorok = 4096;

struct Számlálók {
    qint64 sorok = 0, túllépők = 0, százFeletti = 0;
    std::int64_t legnagyobbTized = 0;

    void hozzáad(const Határérték::Megítélés& m) {
        ++sorok;
        túllépők += m.megfelel ? 0 : 1;
        százFeletti += m.százHzFeletti ? 1 : 0;
        legnagyobbTized = std::max(legnagyobbTized, m.kihasználtságTized());
    }
};

// The decimal mark where no number of the input has one: the comma of a Hungarian
// spreadsheet with semicolons, the point with commas, and for TABs the header's language.
char alapTizedesjel(const Napló::Olvasó& olvasó) {
    if (olvasó.tizedesjel())
        return olvasó.tizedesjel();
    switch (olvasó.elválasztó()) {
    case ',':
        return '.';
    case '\t':
        return olvasó.magyarFejléc() ? ',' : '.';
    default:
        return ',';
    }
}

// The check pass over a file that can be read again: the whole input judged, nothing
// written. Returns the fault, if any; the decimal mark found through `tizedesjel`.
std::optional<Hiba> ellenőriz(Szöveg::Forrás& forrás, Számlálók& számlálók, char& tizedesjel) {
    Napló::Olvasó olvasó(forrás);
    if (!olvasó.fejléc())
        return olvasó.hiba();
    Napló::Mérés m;
    while (olvasó.következő(m))
        számlálók.hozzáad(Határérték::AlaponMegítél(m.kategória, m.frekvencia, m.sebesség));
    if (olvasó.hiba())
        return olvasó.hiba();
    tizedesjel = alapTizedesjel(olvasó);
    return std::nullopt;
}

// A judgement above the scale, for its remark.
Határérték::Megítélés fölötte() {
    Határérték::Megítélés m;
    m.százHzFeletti = true;
    return m;
}

} // namespace

QString Súgó() {
    const QString legfelső = QString::number(Határérték::LegnagyobbFrekvencia);
    constexpr double Példa = 49.5; // Hz, between two whole ones
    return QStringLiteral(
               "Mérések értékelése (--ertekel): a CSV vagy TSV fájl fejlécsora megnevezi a "
               "frekvencia (Hz), a sebesség (mm/s) és a kategória (%1) oszlopot (angolul: "
               "frequency, ppv, category); a kis- és nagybetű, az "
               "ékezet és a név mögötti zárójeles mértékegység (\"Frekvencia [Hz]\") mindegy. A "
               "fejléc fölötti, más sorokat (egy műszer fejrészét) a program átugorja; a többi "
               "oszlop változatlanul megmarad.\n"
               "Elválasztó a pontosvessző, a vessző vagy a tabulátor, tizedesjel a pont vagy a "
               "vessző; a kódolás UTF-8 (BOM-mal vagy anélkül), UTF-16 BOM-mal (az Excel "
               "\"Unicode szöveg\" mentése) vagy Windows-1250 (a magyar Excel CSV-je); a sorvég "
               "LF, "
               "CRLF vagy CR. Minden sor mögé három oszlop kerül: határérték (az alapon "
               "megengedhető sebesség), kihasználtság (a mért érték a határérték százalékában, egy "
               "tizedesre) és megítélés (megfelel / túllépi), a bemenet kódolásával, "
               "elválasztójával, sorvégével és tizedesjelével.\n"
               "A határérték a mért frekvencián érvényes, a folytonos határgörbéről (egész Hz-en "
               "ugyanaz, amit az ablak mutat; %2 Hz-en %3re %4 mm/s). %5 Hz fölött a "
               "%5 Hz-es érték érvényes, és a megítélés ezt jelzi: \"megfelel%6\". A negatív "
               "frekvencia hibás bemenet.\n"
               "Kilépési kód: 0, ha minden sor megfelel; 1, ha valamelyik túllépi; 2 hibás "
               "bemenetnél, adatsor nélküli fájlnál vagy írási hibánál (üzenet a fájl, a sor és az "
               "oszlop megnevezésével). Szabályos fájlnál hibás bemenet esetén semmi sem kerül a "
               "kimenetre; a szabványos bemenetről (-) a hiba előtti sorok egészben kiíródnak. A "
               "fájl mérete nincs korlátozva; egy sor legfeljebb 1 MiB.")
        .arg(Határérték::KategóriaVálaszték(), Határérték::Szám(Példa, 1),
             Határérték::KategóriaNév(Határérték::AlapKategória).toLower(),
             Határérték::SzázadSzöveg(Határérték::AlaponSzázad(Határérték::AlapKategória, Példa)),
             legfelső, QString::fromUtf8(Határérték::Megjegyzés(fölötte())));
}

int Értékel(Szöveg::Forrás& forrás, const QString& név, Kimenet& ki, QString* üzenet) {
    auto hibás = [&](Hiba h) {
        h.fájl = név;
        *üzenet = Parancssori::NaplóHiba(h);
        return HibásBemenet;
    };
    auto részlet = [](const QString& mi) {
        Hiba h;
        h.részlet = mi;
        return h;
    };
    const QString nincsAdatsor = QStringLiteral("nincs adatsor, csak fejléc");

    char tizedesjel = 0;
    if (forrás.újraolvasható()) {
        Számlálók próba;
        std::optional<Hiba> hiba = ellenőriz(forrás, próba, tizedesjel);
        if (hiba && forrás.kódlapraVált()) { // bytes that are not UTF-8 further on
            próba = {};
            hiba = ellenőriz(forrás, próba, tizedesjel);
        }
        if (hiba)
            return hibás(*hiba);
        if (próba.sorok == 0)
            return hibás(részlet(nincsAdatsor));
        if (!forrás.elölről(forrás.kódolás()))
            return hibás(részlet(QStringLiteral("nem olvasható újra")));
    }

    Napló::Olvasó olvasó(forrás);
    if (!olvasó.fejléc())
        return hibás(*olvasó.hiba());
    Számlálók számlálók;
    std::optional<SorÍró> író;
    std::vector<std::pair<QByteArray, Határérték::Megítélés>> függő;
    bool írásiHiba = false;
    auto írót = [&](char jel) {
        író.emplace(ki, forrás.kódolás(), olvasó.sorvég(), olvasó.elválasztó(), jel);
        írásiHiba = !író->fejléc(olvasó.fejlécSor());
        for (const auto& [sor, m] : függő)
            írásiHiba = írásiHiba || !író->sor(sor, m);
        függő.clear();
    };
    if (tizedesjel)
        írót(tizedesjel);
    Napló::Mérés m;
    while (!írásiHiba && olvasó.következő(m)) {
        const Határérték::Megítélés megítélés =
            Határérték::AlaponMegítél(m.kategória, m.frekvencia, m.sebesség);
        számlálók.hozzáad(megítélés);
        if (!író && (olvasó.tizedesjel() || függő.size() >= FüggőSorok))
            írót(alapTizedesjel(olvasó));
        if (író)
            írásiHiba = írásiHiba || !író->sor(m.sor, megítélés);
        else
            függő.emplace_back(m.sor.toByteArray(), megítélés);
    }
    if (!írásiHiba && olvasó.hiba()) {
        // the rows before the fault go out whole, nothing after it
        if (!író && !függő.empty())
            írót(alapTizedesjel(olvasó));
        if (író)
            író->kiürít();
        return hibás(*olvasó.hiba());
    }
    if (!írásiHiba && számlálók.sorok == 0)
        return hibás(részlet(nincsAdatsor));
    if (!írásiHiba && !író)
        írót(alapTizedesjel(olvasó));
    if (írásiHiba || !író->kiürít()) {
        *üzenet = Parancssori::FelvételHiba(ÍrásiHiba(QStringLiteral("kimenet"), ki.hiba()));
        return HibásBemenet;
    }

    const QString legnagyobb =
        Határérték::Százalék(számlálók.legnagyobbTized, alapTizedesjel(olvasó));
    *üzenet =
        QStringLiteral("%1: %2 mérés, %3 megfelel, %4 túllépi; a legnagyobb kihasználtság %5%")
            .arg(név)
            .arg(számlálók.sorok)
            .arg(számlálók.sorok - számlálók.túllépők)
            .arg(számlálók.túllépők)
            .arg(legnagyobb);
    if (számlálók.százFeletti > 0)
        *üzenet += QStringLiteral("; %1 mérés %2 Hz feletti (a %2 Hz-es értékkel)")
                       .arg(számlálók.százFeletti)
                       .arg(Határérték::LegnagyobbFrekvencia);
    return számlálók.túllépők > 0 ? Túllépi : Megfelel;
}

int Értékel(const QString& fájl, std::FILE* ki, std::FILE* hibák) {
    const bool bemenet = fájl == QLatin1String("-");
    const QString név = bemenet ? QStringLiteral("szabványos bemenet") : fájl;
    Szöveg::Forrás forrás;
    if (std::optional<Hiba> hiba = forrás.megnyit(fájl)) {
        hiba->fájl = név;
        SorKiír(hibák, rt::App::Prefix() + Parancssori::NaplóHiba(*hiba));
        return HibásBemenet;
    }
    if (!bemenet) { // a record is no log: said so, not that it lacks a log's columns
        QFile eleje(fájl);
        const QByteArray bájtok = eleje.open(QIODevice::ReadOnly) ? eleje.read(64) : QByteArray();
        if (Rezgésjel::RezgésjelKezdet(bájtok)) {
            SorKiír(hibák, rt::App::Prefix() +
                               QStringLiteral("%1: ez rezgésjel, nem mérési napló: az --elemez "
                                              "kapcsolóval elemezhető")
                                   .arg(név));
            return HibásBemenet;
        }
    }
    FájlKimenet kimenet(ki);
    QString üzenet;
    const int eredmény = Értékel(forrás, név, kimenet, &üzenet);
    SorKiír(hibák, rt::App::Prefix() + üzenet);
    return eredmény;
}

} // namespace Értékelés
