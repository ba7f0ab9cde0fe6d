#include "parancssor.h"

#include "analysis/esemenyek.h"

#include "engine/hatarertek.h"
#include "engine/kategoriak.h"
#include "engine/szovegek.h"
#include "ertekeles.h"
#include "hibaszoveg.h"
#include "kilepes.h"
#include "kimenet.h"
#include "model/rezgesmodell.h"
#include "readers/cella.h"
#include "readers/stationxml.h"
#include "rezgeselemzes.h"
#include "runtime/app.h"
#include "runtime/text.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>
#include <QTimeZone>

#include <cstdio>

namespace {

int hibaÍr(std::FILE* hibák, const QString& szöveg) {
    SorKiír(hibák, rt::App::Prefix() + szöveg);
    SorKiír(hibák, QStringLiteral("Súgó: velorix --help"));
    return HibásBemenet;
}

// Words wrapped at 79 columns, paragraph by paragraph.
QString tördel(const QString& szöveg) {
    QStringList sorok;
    for (const QString& bekezdés : szöveg.split(u'\n')) {
        QString sor;
        for (const QString& szó : bekezdés.split(u' ', Qt::SkipEmptyParts)) {
            if (!sor.isEmpty() && sor.size() + 1 + szó.size() > 79) {
                sorok << sor;
                sor.clear();
            }
            sor += (sor.isEmpty() ? QString() : QStringLiteral(" ")) + szó;
        }
        sorok << sor;
    }
    return sorok.join(u'\n');
}

} // namespace

namespace {

// The categories as the option takes them: "0 vagy ipari (ipari objektum), …, 2 vagy műemlék".
QString kategóriák() {
    QStringList k;
    for (int i = 0; i < Határérték::KategóriákSzáma; ++i) {
        const QString név = QString::fromUtf16(Határérték::Kategóriák[std::size_t(i)].név);
        const QString felirat = Határérték::KategóriaNév(i).toLower();
        k << QStringLiteral("%1 vagy %2").arg(i).arg(név) +
                 (felirat == név ? QString() : QStringLiteral(" (%1)").arg(felirat));
    }
    return k.join(QStringLiteral(", "));
}

// The options, each once: for the run and for the look before it.
struct Opciók {
    const QCommandLineOption súgó{{QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Ez a súgó.")};
    const QCommandLineOption verzió{{QStringLiteral("v"), QStringLiteral("version")},
                                    QStringLiteral("A program verziója.")};
    const QCommandLineOption kategória{
        {QStringLiteral("k"), QStringLiteral("kategoria"), QStringLiteral("category")},
        QStringLiteral("Az épület kategóriája: %1.").arg(kategóriák()),
        QStringLiteral("kategória")};
    const QCommandLineOption frekvencia{
        {QStringLiteral("f"), QStringLiteral("frekvencia"), QStringLiteral("frequency")},
        QStringLiteral("A mért domináns frekvencia egész Hz-ben, %1–%2. A --kategoria "
                       "mellett kiírja az alapon és a legfelső födémszinten megengedhető "
                       "sebességet, ahogy az ablak mutatja, soronként egyet.")
            .arg(Határérték::LegkisebbFrekvencia)
            .arg(Határérték::LegnagyobbFrekvencia),
        QStringLiteral("Hz")};
    const QCommandLineOption értékel{
        {QStringLiteral("e"), QStringLiteral("ertekel"), QStringLiteral("evaluate")},
        QStringLiteral("Mérések értékelése egy CSV fájlból (- a szabványos bemenet); "
                       "lásd fent."),
        QStringLiteral("fájl")};
    const QCommandLineOption elemez{
        {QStringLiteral("elemez"), QStringLiteral("analyze")},
        QStringLiteral("Rezgésjel (miniSEED, TIMESERIES, CSV) elemzése és megítélése; utána "
                       "további fájlok is jöhetnek; lásd fent."),
        QStringLiteral("fájl")};
    const QCommandLineOption hely{
        {QStringLiteral("hely"), QStringLiteral("location")},
        QStringLiteral("Az --elemez megítélésének helye: alap (foundation, alapértelmezés) vagy "
                       "fodem (top, a legfelső födémszint)."),
        QStringLiteral("hely")};
    const QCommandLineOption módszer{
        {QStringLiteral("modszer"), QStringLiteral("method")},
        QStringLiteral("A megítélő frekvencia: zc (nullátmenetek, alapértelmezés) vagy fft."),
        QStringLiteral("módszer")};
    const QCommandLineOption érzékenység{
        {QStringLiteral("erzekenyseg"), QStringLiteral("sensitivity")},
        QStringLiteral("Egész (count) mintákhoz: count per mm/s."),
        QStringLiteral("N")};
    const QCommandLineOption egység{
        {QStringLiteral("egyseg"), QStringLiteral("unit")},
        QStringLiteral("A lebegőpontos minták mértékegysége, ha a fájl nem mondja: m/s, mm/s "
                       "vagy in/s (nélküle az ilyen minták nem ítélhetők meg)."),
        QStringLiteral("egység")};
    const QCommandLineOption mintavétel{
        {QStringLiteral("mintavetel"), QStringLiteral("sample-rate")},
        QStringLiteral("Időoszlop nélküli CSV mintavételi frekvenciája (Hz)."),
        QStringLiteral("Hz")};
    const QCommandLineOption időzóna{
        {QStringLiteral("idozona"), QStringLiteral("timezone")},
        QStringLiteral("A műszerexportok órájának IANA időzónája (alapértelmezés: "
                       "Europe/Budapest)."),
        QStringLiteral("zóna")};
    const QCommandLineOption függőleges{
        {QStringLiteral("fuggoleges"), QStringLiteral("vertical")},
        QStringLiteral("Csak számozott csatornájú exportnál: a függőleges csatorna száma (a "
                       "legfelső födém megítéléséhez)."),
        QStringLiteral("N")};
    const QCommandLineOption állomás{
        {QStringLiteral("allomas"), QStringLiteral("station")},
        QStringLiteral("FDSN StationXML fájl: a count csatornák érzékenysége csatornánként "
                       "(InstrumentSensitivity); ami hiányzik belőle, annak az --erzekenyseg."),
        QStringLiteral("fájl.xml")};
    const QCommandLineOption adatok{
        {QStringLiteral("adatok"), QStringLiteral("details")},
        QStringLiteral("A jelentés mérési adatai: UTF-8 szöveg, soronként „kulcs = érték” "
                       "(helyszín, megrendelő, mérést végezte, műszer, kalibrálás dátuma, "
                       "érzékelő helye, távolság a robbantástól, töltet késleltetésenként, "
                       "megjegyzés; angolul site, client, operator, instrument, calibrated, "
                       "sensor, distance, charge, notes), # után megjegyzés; [NET.STA.LOC] "
                       "szakasz: csak arra az állomásra, kategória és hely kulccsal is."),
        QStringLiteral("fájl")};
    const QCommandLineOption események{
        {QStringLiteral("esemenyek"), QStringLiteral("events")},
        QStringLiteral("Hosszú felvétel (cölöpözés, forgalom, állomás napi fájlja) eseményei "
                       "a teljes felvétel helyett, eseményenként egy-egy PVS sorral; lásd fent.")};
    const QCommandLineOption küszöb{
        {QStringLiteral("kuszob"), QStringLiteral("trigger")},
        QStringLiteral("Az --esemenyek indítási küszöbe mm/s-ban (alapértelmezés %1).")
            .arg(Határérték::Szám(Elemzés::AlapKüszöb, 1)),
        QStringLiteral("mm/s")};
    const QCommandLineOption intervallum{
        {QStringLiteral("intervallum"), QStringLiteral("interval")},
        QStringLiteral("Intervallumcsúcsok a teljes felvétel helyett: az UTC szerint egész "
                       "S másodpercekhez igazított szakaszonként és sebességkomponensenként a "
                       "PPV, a nullátmenetes frekvencia, a határérték és a megítélés."),
        QStringLiteral("S")};
    const QCommandLineOption jelentés{
        {QStringLiteral("jelentes"), QStringLiteral("report")},
        QStringLiteral("Az --elemez felvételeiről PDF eseményjelentés ebbe a fájlba."),
        QStringLiteral("fájl.pdf")};

    void felvesz(QCommandLineParser& elemző) const {
        for (const QCommandLineOption* o :
             {&súgó, &verzió, &kategória, &frekvencia, &értékel, &elemez, &hely, &módszer,
              &érzékenység, &egység, &mintavétel, &időzóna, &függőleges, &állomás, &adatok,
              &jelentés, &események, &küszöb, &intervallum})
            elemző.addOption(*o);
    }
};

} // namespace

bool JelentéstKér(const QStringList& argumentumok) {
    QCommandLineParser elemző;
    const Opciók o;
    o.felvesz(elemző);
    return elemző.parse(argumentumok) && elemző.isSet(o.jelentés);
}

int Parancssor(const QStringList& argumentumok, const RezgésElemzés::Jelentésíró* jelentésíró,
               std::FILE* ki, std::FILE* hibák) {
    auto hiba = [hibák](const QString& szöveg) { return hibaÍr(hibák, szöveg); };
    QCommandLineParser elemző;
    elemző.setApplicationDescription(
        tördel(QStringLiteral("Épületek megengedhető rezgéssebessége az MSZ 13018 szerint.\n"
                              "Kapcsoló nélkül az ablak nyílik meg, a megadott rezgésjel-fájlok "
                              "mindegyike a saját ablakában.\n\n") +
               Értékelés::Súgó() + QStringLiteral("\n\n") + RezgésElemzés::Súgó()));
    const Opciók opciók;
    opciók.felvesz(elemző);
    const QCommandLineOption& súgó = opciók.súgó;
    const QCommandLineOption& verzió = opciók.verzió;
    const QCommandLineOption& kategória = opciók.kategória;
    const QCommandLineOption& frekvencia = opciók.frekvencia;
    const QCommandLineOption& értékel = opciók.értékel;
    const QCommandLineOption& elemez = opciók.elemez;
    const QCommandLineOption& hely = opciók.hely;
    const QCommandLineOption& módszer = opciók.módszer;
    const QCommandLineOption& érzékenység = opciók.érzékenység;
    const QCommandLineOption& egység = opciók.egység;
    const QCommandLineOption& mintavétel = opciók.mintavétel;
    const QCommandLineOption& időzóna = opciók.időzóna;
    const QCommandLineOption& függőleges = opciók.függőleges;
    const QCommandLineOption& jelentés = opciók.jelentés;
    const QCommandLineOption& állomás = opciók.állomás;
    const QCommandLineOption& adatok = opciók.adatok;
    const QCommandLineOption& események = opciók.események;
    const QCommandLineOption& küszöb = opciók.küszöb;
    const QCommandLineOption& intervallum = opciók.intervallum;
    if (!elemző.parse(argumentumok))
        return hiba(elemző.errorText());
    if (elemző.isSet(súgó)) {
        // the usage line names the program, not the path it was started by
        QString súgó = elemző.helpText();
        const qsizetype sorvég = súgó.indexOf(u'\n');
        const QString indító = QCoreApplication::arguments().value(0);
        const qsizetype hol = indító.isEmpty() ? -1 : súgó.left(sorvég).indexOf(indító);
        if (hol >= 0)
            súgó.replace(hol, indító.size(), QFileInfo(indító).fileName());
        std::fputs(súgó.toUtf8().constData(), ki);
        return 0;
    }
    if (elemző.isSet(verzió)) {
        SorKiír(ki, QStringLiteral("%1 %2").arg(QCoreApplication::applicationName(),
                                                QCoreApplication::applicationVersion()));
        return 0;
    }
    if (elemző.isSet(elemez) || elemző.isSet(események) || elemző.isSet(intervallum)) {
        if (elemző.isSet(értékel) || elemző.isSet(frekvencia))
            return hiba(QStringLiteral("az --elemez mellett nem adható meg --ertekel vagy "
                                       "--frekvencia"));
        if (elemző.isSet(események) && elemző.isSet(intervallum))
            return hiba(QStringLiteral("az --esemenyek és az --intervallum közül csak az egyik "
                                       "adható meg"));
        if (elemző.isSet(küszöb) && !elemző.isSet(események))
            return hiba(QStringLiteral("a --kuszob csak az --esemenyek mellett adható meg"));
        RezgésElemzés::Kérés kérés;
        kérés.fájlok = elemző.values(elemez) + elemző.positionalArguments();
        if (!elemző.isSet(kategória))
            return hiba(QStringLiteral("az --elemez mellé a --kategoria is kell"));
        const auto k = Határérték::KategóriaKeres(elemző.value(kategória));
        if (!k)
            return hiba(Határérték::IsmeretlenKategória(elemző.value(kategória).trimmed()));
        kérés.kategória = *k;
        if (elemző.isSet(hely)) {
            const QString h = rt::NameKey(elemző.value(hely));
            if (h == u"alap" || h == u"foundation")
                kérés.hely = Elemzés::Hely::Alap;
            else if (h == u"fodem" || h == u"top")
                kérés.hely = Elemzés::Hely::Födém;
            else
                return hiba(QStringLiteral("ismeretlen hely: \"%1\" (alap vagy fodem)")
                                .arg(elemző.value(hely)));
        }
        if (elemző.isSet(módszer)) {
            const QString m = rt::NameKey(elemző.value(módszer));
            if (m == u"zc")
                kérés.módszer = Elemzés::Módszer::ZC;
            else if (m == u"fft")
                kérés.módszer = Elemzés::Módszer::FFT;
            else
                return hiba(QStringLiteral("ismeretlen módszer: \"%1\" (zc vagy fft)")
                                .arg(elemző.value(módszer)));
        }
        auto pozitív = [&](const QCommandLineOption& o, std::optional<double>& hova) {
            if (!elemző.isSet(o))
                return true;
            QString miért;
            const auto szám = Cella::SzámOlvas(elemző.value(o).toUtf8(), &miért);
            if (!szám || !(szám->érték > 0))
                return false;
            hova = szám->érték;
            return true;
        };
        if (elemző.isSet(események)) {
            kérés.küszöb = Elemzés::AlapKüszöb;
            if (!pozitív(küszöb, kérés.küszöb) || !std::isfinite(*kérés.küszöb))
                return hiba(QStringLiteral("a küszöb pozitív szám (mm/s): \"%1\"")
                                .arg(elemző.value(küszöb)));
        }
        if (!pozitív(intervallum, kérés.intervallum) ||
            (kérés.intervallum && !(*kérés.intervallum >= 1e-6 && *kérés.intervallum <= 1e9)))
            return hiba(QStringLiteral("az intervallum pozitív szám (másodperc): \"%1\"")
                            .arg(elemző.value(intervallum)));
        if (kérés.intervallum && kérés.módszer == Elemzés::Módszer::FFT)
            return hiba(QStringLiteral("az --intervallum a nullátmenetek frekvenciájával ítél; "
                                       "a --modszer fft nem adható meg mellette"));
        if (!pozitív(érzékenység, kérés.beállítás.érzékenység))
            return hiba(QStringLiteral("az érzékenység pozitív szám: \"%1\"")
                            .arg(elemző.value(érzékenység)));
        if (!pozitív(mintavétel, kérés.beállítás.mintavétel))
            return hiba(
                QStringLiteral("a mintavétel pozitív szám: \"%1\"").arg(elemző.value(mintavétel)));
        if (elemző.isSet(egység)) {
            const auto e = Rezgésjel::EgységKeres(elemző.value(egység));
            if (!e || e->mennyiség != Rezgésjel::Mennyiség::Sebesség)
                return hiba(QStringLiteral("ismeretlen mértékegység: \"%1\" (%2)")
                                .arg(elemző.value(egység),
                                     Rezgésjel::EgységFelsorolás(Rezgésjel::Mennyiség::Sebesség)));
            kérés.beállítás.egység = e->szorzó;
        }
        if (elemző.isSet(időzóna)) {
            const QByteArray zóna = elemző.value(időzóna).trimmed().toUtf8();
            if (!QTimeZone(zóna).isValid())
                return hiba(QStringLiteral("ismeretlen időzóna: \"%1\" (IANA név, például "
                                           "Europe/Budapest)")
                                .arg(elemző.value(időzóna)));
            kérés.beállítás.időzóna = zóna;
        }
        if (elemző.isSet(függőleges)) {
            bool egész = false;
            const int n = elemző.value(függőleges).trimmed().toInt(&egész);
            if (!egész || n < 1)
                return hiba(QStringLiteral("a függőleges csatorna száma pozitív egész: \"%1\"")
                                .arg(elemző.value(függőleges)));
            kérés.beállítás.függőleges = n;
        }
        if (elemző.isSet(állomás)) {
            auto adatok = Rezgésjel::StationXml::FájlOlvas(elemző.value(állomás));
            if (const Hiba* h = std::get_if<Hiba>(&adatok))
                return hiba(Parancssori::FelvételHiba(*h));
            kérés.beállítás.állomásadatok =
                std::get<std::shared_ptr<Rezgésjel::StationXml>>(std::move(adatok));
        }
        kérés.jelentés = elemző.value(jelentés);
        kérés.jelentésíró = jelentésíró;
        if (!kérés.jelentés.isEmpty() && !jelentésíró)
            return hiba(QStringLiteral("ez a program nem ír jelentést"));
        if (elemző.isSet(adatok)) {
            auto olvasott = Mérésadatok::FájlOlvas(elemző.value(adatok));
            if (const Hiba* h = std::get_if<Hiba>(&olvasott))
                return hiba(Parancssori::FelvételHiba(*h));
            kérés.adatok = std::get<Mérésadatok>(olvasott);
        }
        return RezgésElemzés::Elemez(kérés, ki, hibák);
    }
    for (const QCommandLineOption* o :
         {&hely, &módszer, &érzékenység, &egység, &mintavétel, &időzóna, &függőleges, &állomás,
          &adatok, &jelentés, &küszöb})
        if (elemző.isSet(*o))
            return hiba(QStringLiteral("a --%1 csak az --elemez mellett adható meg")
                            .arg(o->names().value(0)));
    if (!elemző.positionalArguments().isEmpty())
        return hiba(
            QStringLiteral("ismeretlen argumentum: %1").arg(elemző.positionalArguments().first()));

    if (elemző.isSet(értékel)) {
        if (elemző.isSet(kategória) || elemző.isSet(frekvencia))
            return hiba(QStringLiteral("az --ertekel mellett nem adható meg --kategoria vagy "
                                       "--frekvencia"));
        return Értékelés::Értékel(elemző.value(értékel), ki, hibák);
    }
    if (!elemző.isSet(kategória) || !elemző.isSet(frekvencia))
        return hiba(QStringLiteral("a --kategoria és a --frekvencia együtt adandó meg"));

    const auto k = Határérték::KategóriaKeres(elemző.value(kategória));
    if (!k)
        return hiba(Határérték::IsmeretlenKategória(elemző.value(kategória).trimmed()));
    bool egész = false;
    const int f = elemző.value(frekvencia).trimmed().toInt(&egész);
    if (!egész || f < Határérték::LegkisebbFrekvencia || f > Határérték::LegnagyobbFrekvencia)
        return hiba(QStringLiteral("a frekvencia egész szám %1 és %2 között: \"%3\"")
                        .arg(Határérték::LegkisebbFrekvencia)
                        .arg(Határérték::LegnagyobbFrekvencia)
                        .arg(elemző.value(frekvencia)));
    const Ablakszövegek e = RezgésModell::Eredményszövegek(*k, std::int16_t(f));
    SorKiír(ki, e.alapon);
    SorKiír(ki, e.felsőFödém);
    return 0;
}
