#include "parancssor.h"

#include "analysis/esemenyek.h"

#include "engine/hatarertek.h"
#include "engine/kategoriak.h"
#include "engine/szovegek.h"
#include "ertekeles.h"
#include "hibaszoveg.h"
#include "kampanyparancs.h"
#include "katalogusparancs.h"
#include "kilepes.h"
#include "kimenet.h"
#include "model/rezgesmodell.h"
#include "readers/cella.h"
#include "readers/stationxml.h"
#include "readers/szovegforras.h"
#include "rezgeselemzes.h"
#include "runtime/app.h"
#include "runtime/text.h"
#include "tablakimenet.h"
#include "terjedesparancs.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>
#include <QRegularExpression>
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

    const QCommandLineOption katalógus{
        {QStringLiteral("katalogus"), QStringLiteral("catalogue")},
        QStringLiteral("A kampány katalógusa: SQLite-fájl vagy postgresql:// cím; lásd fent."),
        QStringLiteral("KAT")};
    const QCommandLineOption felvétel{
        {QStringLiteral("felvesz"), QStringLiteral("import")},
        QStringLiteral("A --katalogus-ba felveendő fájlok; utána további fájlok is jöhetnek."),
        QStringLiteral("fájl")};
    const QCommandLineOption lista{{QStringLiteral("lista"), QStringLiteral("list")},
                                   QStringLiteral("A --katalogus méréseinek listája.")};
    const QCommandLineOption tól{{QStringLiteral("tol"), QStringLiteral("from")},
                                 QStringLiteral("A --lista ettől a naptól vagy időtől."),
                                 QStringLiteral("nap")};
    const QCommandLineOption ig{{QStringLiteral("ig"), QStringLiteral("to")},
                                QStringLiteral("A --lista eddig a napig (vele együtt) vagy időig."),
                                QStringLiteral("nap")};
    const QCommandLineOption pont{
        {QStringLiteral("pont"), QStringLiteral("point")},
        QStringLiteral("A --lista csak ennek a mérési pontnak a méréseivel; a --felvesz-nél az "
                       "állomást nem nevező felvételek pontja."),
        QStringLiteral("kód")};
    const QCommandLineOption robbantások{
        {QStringLiteral("robbantasok"), QStringLiteral("blasts")},
        QStringLiteral("Robbantási napló (CSV) a --katalogus-ba: azonosító; idő; töltet "
                       "késleltetésenként (kg); összes töltet (kg); késleltetések száma; EOV Y "
                       "(m); EOV X (m), vagy szélesség, hosszúság."),
        QStringLiteral("napló.csv")};
    const QCommandLineOption párosítás{
        {QStringLiteral("parositas"), QStringLiteral("match-window")},
        QStringLiteral("A robbantás ideje legfeljebb ennyi másodperccel előzheti meg a mérés "
                       "indítását (alapértelmezés 120)."),
        QStringLiteral("S")};
    const QCommandLineOption statisztika{
        {QStringLiteral("statisztika"), QStringLiteral("statistics")},
        QStringLiteral(
            "A --katalogus (szűrt) méréseinek számai pontonként és havonta: "
            "túllépések, legnagyobb kihasználtság, PPV- és kihasználtság-percentilisek.")};
    const QCommandLineOption kimenet{
        {QStringLiteral("kimenet"), QStringLiteral("output")},
        QStringLiteral("A --lista, a --statisztika, az --elemez vagy az --ertekel táblázata ebbe "
                       "a fájlba: .csv (a magyar Excelnek: UTF-8 BOM-mal, ;, tizedesvessző, CRLF) "
                       "vagy .xlsx munkafüzet; a bemenet nem lehet."),
        QStringLiteral("fájl")};
    const QCommandLineOption megítél{
        {QStringLiteral("megitel"), QStringLiteral("rejudge")},
        QStringLiteral("A --katalogus nem megítélt méréseinek újbóli megítélése a tárolt "
                       "bájtokból, a most megadott --egyseg, --erzekenyseg vagy --allomas "
                       "szerint (a --pont-tal csak e pont méréseié).")};
    const QCommandLineOption túllépő{{QStringLiteral("tullepi"), QStringLiteral("exceeding")},
                                     QStringLiteral("A --lista csak a túllépő mérésekkel.")};

    const QCommandLineOption terjedés{
        {QStringLiteral("terjedes"), QStringLiteral("attenuation")},
        QStringLiteral("A helyszín terjedési törvénye a --katalogus (szűrt) méréseiből, vagy a "
                       "megadott összesítő táblázatból; lásd fent.")};
    const QCommandLineOption gyök{{QStringLiteral("gyok"), QStringLiteral("root")},
                                  QStringLiteral("Az arányos távolság gyöke: 2 (D/√W, "
                                                 "alapértelmezés) vagy 3 (D/∛W)."),
                                  QStringLiteral("2|3")};
    const QCommandLineOption ppv{
        {QStringLiteral("ppv")},
        QStringLiteral("A --terjedes PPV-je: max (a legnagyobb sebességösszetevő, "
                       "alapértelmezés) vagy pvs."),
        QStringLiteral("max|pvs")};
    const QCommandLineOption kizár{{QStringLiteral("kizar"), QStringLiteral("exclude")},
                                   QStringLiteral("A --terjedes ezeket a méréseket hagyja ki "
                                                  "(a --lista azonosító oszlopa, táblázatnál a sor "
                                                  "száma); vesszővel vagy ismételve."),
                                   QStringLiteral("ID")};
    const QCommandLineOption pontonként{
        {QStringLiteral("pontonkent"), QStringLiteral("per-point")},
        QStringLiteral("A --terjedes pontonként is; a --max-toltet minden pontra.")};
    const QCommandLineOption előrejelzés{
        {QStringLiteral("elorejelzes"), QStringLiteral("predict")},
        QStringLiteral("A --tavolsag és --toltet mellett várható PPV50 és PPV95.")};
    const QCommandLineOption maxTöltet{
        {QStringLiteral("max-toltet"), QStringLiteral("max-charge")},
        QStringLiteral("A legnagyobb késleltetésenkénti töltet a --tavolsag-on, a --kategoria "
                       "határértékével a --frekvencia-n.")};
    const QCommandLineOption távolság{{QStringLiteral("tavolsag"), QStringLiteral("distance")},
                                      QStringLiteral("Távolság (m); --pontonkent: PONT=D."),
                                      QStringLiteral("D")};
    const QCommandLineOption töltet{{QStringLiteral("toltet"), QStringLiteral("charge")},
                                    QStringLiteral("Késleltetésenkénti töltet (kg)."),
                                    QStringLiteral("W")};
    const QCommandLineOption eov{{QStringLiteral("eov")},
                                 QStringLiteral("A tervezett robbantás EOV koordinátái "
                                                "(Y,X m) a --max-toltet --pontonkent-hez."),
                                 QStringLiteral("Y,X")};

    void felvesz(QCommandLineParser& elemző) const {
        for (const QCommandLineOption* o :
             {&súgó,        &verzió,    &kategória,   &frekvencia, &értékel,     &elemez,
              &hely,        &módszer,   &érzékenység, &egység,     &mintavétel,  &időzóna,
              &függőleges,  &állomás,   &adatok,      &jelentés,   &események,   &küszöb,
              &intervallum, &katalógus, &felvétel,    &lista,      &tól,         &ig,
              &pont,        &túllépő,   &robbantások, &párosítás,  &statisztika, &kimenet,
              &megítél,     &terjedés,  &gyök,        &ppv,        &kizár,       &pontonként,
              &előrejelzés, &maxTöltet, &távolság,    &töltet,     &eov})
            elemző.addOption(*o);
    }
};

// Whether the output file is one of the inputs: written, it would destroy what it was made from.
bool bemenetE(const QString& kimenet, const QStringList& bemenetek) {
    const QString ki = QFileInfo(kimenet).canonicalFilePath();
    return !ki.isEmpty() && std::any_of(bemenetek.begin(), bemenetek.end(), [&](const QString& b) {
        return QFileInfo(b).canonicalFilePath() == ki;
    });
}

// The name of the first of the options that is given; empty where none is.
QString megadott(const QCommandLineParser& elemző,
                 std::initializer_list<const QCommandLineOption*> opciók) {
    for (const QCommandLineOption* o : opciók)
        if (elemző.isSet(*o))
            return o->names().value(0);
    return {};
}

// A positive number given to the option, into `hova`; false where it is none.
bool pozitív(const QCommandLineParser& elemző, const QCommandLineOption& o,
             std::optional<double>& hova) {
    if (!elemző.isSet(o))
        return true;
    hova = Cella::Beírt(elemző.value(o));
    return hova.has_value();
}

// The place and the method judged by, and how to read the samples, as --elemez and --felvesz
// take them; the fault's words where an option does not hold.
std::optional<QString> olvasás(const QCommandLineParser& elemző, const Opciók& o,
                               std::optional<Elemzés::Hely>& hely, Elemzés::Módszer& módszer,
                               Rezgésjel::Beállítás& beállítás) {
    if (elemző.isSet(o.hely)) {
        const QString h = rt::NameKey(elemző.value(o.hely));
        if (h == u"alap" || h == u"foundation")
            hely = Elemzés::Hely::Alap;
        else if (h == u"fodem" || h == u"top")
            hely = Elemzés::Hely::Födém;
        else
            return QStringLiteral("ismeretlen hely: \"%1\" (alap vagy fodem)")
                .arg(elemző.value(o.hely));
    }
    if (elemző.isSet(o.módszer)) {
        const QString m = rt::NameKey(elemző.value(o.módszer));
        if (m == u"zc")
            módszer = Elemzés::Módszer::ZC;
        else if (m == u"fft")
            módszer = Elemzés::Módszer::FFT;
        else
            return QStringLiteral("ismeretlen módszer: \"%1\" (zc vagy fft)")
                .arg(elemző.value(o.módszer));
    }
    if (!pozitív(elemző, o.érzékenység, beállítás.érzékenység))
        return QStringLiteral("az érzékenység pozitív szám: \"%1\"")
            .arg(elemző.value(o.érzékenység));
    if (!pozitív(elemző, o.mintavétel, beállítás.mintavétel))
        return QStringLiteral("a mintavétel pozitív szám: \"%1\"").arg(elemző.value(o.mintavétel));
    if (elemző.isSet(o.egység)) {
        const auto e = Rezgésjel::EgységKeres(elemző.value(o.egység));
        if (!e || e->mennyiség != Rezgésjel::Mennyiség::Sebesség)
            return QStringLiteral("ismeretlen mértékegység: \"%1\" (%2)")
                .arg(elemző.value(o.egység),
                     Rezgésjel::EgységFelsorolás(Rezgésjel::Mennyiség::Sebesség));
        beállítás.egység = e->szorzó;
    }
    if (elemző.isSet(o.időzóna)) {
        const QByteArray zóna = elemző.value(o.időzóna).trimmed().toUtf8();
        if (!QTimeZone(zóna).isValid())
            return QStringLiteral("ismeretlen időzóna: \"%1\" (IANA név, például "
                                  "Europe/Budapest)")
                .arg(elemző.value(o.időzóna));
        beállítás.időzóna = zóna;
    }
    if (elemző.isSet(o.függőleges)) {
        bool egész = false;
        const int n = elemző.value(o.függőleges).trimmed().toInt(&egész);
        if (!egész || n < 1)
            return QStringLiteral("a függőleges csatorna száma pozitív egész: \"%1\"")
                .arg(elemző.value(o.függőleges));
        beállítás.függőleges = n;
    }
    if (elemző.isSet(o.állomás)) {
        auto adatok = Rezgésjel::StationXml::FájlOlvas(elemző.value(o.állomás));
        if (const Hiba* h = std::get_if<Hiba>(&adatok))
            return Parancssori::FelvételHiba(*h);
        beállítás.állomásadatok =
            std::get<std::shared_ptr<Rezgésjel::StationXml>>(std::move(adatok));
    }
    return std::nullopt;
}

// The listing's filter: --tol, --ig, --pont, --tullepi; the fault's words where one does not hold.
std::optional<QString> szűrőOlvas(const QCommandLineParser& elemző, const Opciók& o,
                                  Katalógus::Szűrő& szűrő) {
    for (const auto& [opció, vége] : {std::pair{&o.tól, false}, std::pair{&o.ig, true}}) {
        if (!elemző.isSet(*opció))
            continue;
        const std::optional<qint64> t = KatalógusParancs::Időpont(elemző.value(*opció), vége);
        if (!t)
            return QStringLiteral("a --%1 egy nap (2026-09-14) vagy ISO 8601 idő: \"%2\"")
                .arg(opció->names().value(0), elemző.value(*opció));
        (vége ? szűrő.igMikro : szűrő.tólMikro) = t;
    }
    szűrő.pont = elemző.value(o.pont).trimmed();
    szűrő.csakTúllépő = elemző.isSet(o.túllépő);
    return std::nullopt;
}

// The law's options: --gyok, --ppv, --kizar.
std::optional<QString> törvényOlvas(const QCommandLineParser& elemző, const Opciók& o, int& gyök,
                                    Terjedés::Mérték& mérték, QStringList& kizár) {
    if (elemző.isSet(o.gyök)) {
        const QString g = elemző.value(o.gyök).trimmed();
        if (g != u"2" && g != u"3")
            return QStringLiteral("a --gyok 2 vagy 3: \"%1\"").arg(g);
        gyök = g.toInt();
    }
    if (elemző.isSet(o.ppv)) {
        const QString p = rt::NameKey(elemző.value(o.ppv));
        if (p == u"pvs")
            mérték = Terjedés::Mérték::Pvs;
        else if (p != u"max")
            return QStringLiteral("a --ppv max vagy pvs: \"%1\"").arg(elemző.value(o.ppv));
    }
    for (const QString& v : elemző.values(o.kizár))
        for (const QString& id :
             v.split(QRegularExpression(QStringLiteral("[,;\\s]+")), Qt::SkipEmptyParts))
            kizár << id;
    return std::nullopt;
}

// --frekvencia as a real number of hertz, with a decimal comma or point.
std::optional<QString> frekvenciaOlvas(const QCommandLineParser& elemző, const Opciók& o,
                                       std::optional<double>& frekvencia) {
    if (elemző.isSet(o.frekvencia)) {
        frekvencia = Cella::Beírt(elemző.value(o.frekvencia), Cella::Előjel::NemNegatív);
        if (!frekvencia)
            return QStringLiteral("a frekvencia nem negatív szám (Hz): \"%1\"")
                .arg(elemző.value(o.frekvencia));
    }
    return std::nullopt;
}

// Where a planned blast is: each point's distance (--tavolsag PONT=D) or its EOV coordinates.
std::optional<QString> tervezettHelyOlvas(const QCommandLineParser& elemző, const Opciók& o,
                                          QMap<QString, double>& távolságok,
                                          std::optional<std::pair<double, double>>& eov) {
    for (const QString& v : elemző.values(o.távolság)) {
        const qsizetype eq = v.indexOf(u'=');
        const std::optional<double> d = eq > 0 ? Cella::Beírt(v.mid(eq + 1)) : std::nullopt;
        if (!d)
            return QStringLiteral("pontonként a --tavolsag PONT=D (m): \"%1\"").arg(v);
        távolságok.insert(v.left(eq).trimmed(), *d);
    }
    if (elemző.isSet(o.eov)) {
        // "Y;X", "Y X" (either may have a decimal comma) or "Y,X"
        const QString e = elemző.value(o.eov).trimmed();
        const QStringList yx = e.contains(u';')   ? e.split(u';')
                               : e.contains(u' ') ? e.split(u' ', Qt::SkipEmptyParts)
                                                  : e.split(u',');
        QString miért;
        const auto y = yx.size() == 2 ? Cella::SzámOlvas(yx[0].toUtf8(), &miért) : std::nullopt;
        const auto x = yx.size() == 2 ? Cella::SzámOlvas(yx[1].toUtf8(), &miért) : std::nullopt;
        if (!y || !x)
            return QStringLiteral("az --eov két szám, Y,X (m): \"%1\"").arg(elemző.value(o.eov));
        eov = std::pair{y->érték, x->érték};
    }
    return std::nullopt;
}

// --terjedes, with --elorejelzes or --max-toltet beside it.
int terjedésParancs(const QCommandLineParser& elemző, const Opciók& o, std::FILE* ki,
                    std::FILE* hibák) {
    auto hiba = [hibák](const QString& szöveg) { return hibaÍr(hibák, szöveg); };
    if (!elemző.isSet(o.terjedés))
        return hiba(QStringLiteral("az --elorejelzes és a --max-toltet a --terjedes mellett "
                                   "adható meg"));
    if (elemző.isSet(o.előrejelzés) && elemző.isSet(o.maxTöltet))
        return hiba(QStringLiteral("az --elorejelzes és a --max-toltet közül csak az egyik "
                                   "adható meg"));
    if (const QString m = megadott(elemző, {&o.elemez, &o.értékel, &o.felvétel, &o.lista,
                                            &o.statisztika, &o.robbantások, &o.megítél, &o.jelentés,
                                            &o.kimenet, &o.események, &o.intervallum});
        !m.isEmpty())
        return hiba(QStringLiteral("a --terjedes mellett nem adható meg a --%1").arg(m));
    TerjedésParancs::Kérés k;
    const QStringList táblák = elemző.positionalArguments();
    if (elemző.isSet(o.katalógus) == !táblák.isEmpty() || táblák.size() > 1)
        return hiba(QStringLiteral("a --terjedes a --katalogus méréseiből vagy egy összesítő "
                                   "táblázatból illeszt: pontosan az egyik kell"));
    if (elemző.isSet(o.katalógus)) {
        k.katalógus = elemző.value(o.katalógus);
        if (const std::optional<QString> h = szűrőOlvas(elemző, o, k.szűrő))
            return hiba(*h);
    } else {
        k.tábla = táblák.first();
        if (const QString m = megadott(elemző, {&o.tól, &o.ig, &o.túllépő}); !m.isEmpty())
            return hiba(QStringLiteral("a --%1 a --katalogus szűrője").arg(m));
        k.pont = elemző.value(o.pont).trimmed();
        if (elemző.isSet(o.egység)) {
            const auto e = Rezgésjel::EgységKeres(elemző.value(o.egység));
            if (!e || e->mennyiség != Rezgésjel::Mennyiség::Sebesség)
                return hiba(QStringLiteral("ismeretlen mértékegység: \"%1\" (%2)")
                                .arg(elemző.value(o.egység),
                                     Rezgésjel::EgységFelsorolás(Rezgésjel::Mennyiség::Sebesség)));
            k.egység = e->szorzó;
        }
    }
    if (const std::optional<QString> h = törvényOlvas(elemző, o, k.gyök, k.mérték, k.kizár))
        return hiba(*h);
    k.pontonként = elemző.isSet(o.pontonként);
    k.mit = elemző.isSet(o.előrejelzés) ? TerjedésParancs::Mit::Előrejelzés
            : elemző.isSet(o.maxTöltet) ? TerjedésParancs::Mit::MaxTöltet
                                        : TerjedésParancs::Mit::Illesztés;
    using Mit = TerjedésParancs::Mit;
    if (k.mit == Mit::Illesztés) {
        if (const QString m =
                megadott(elemző, {&o.távolság, &o.töltet, &o.kategória, &o.frekvencia, &o.eov});
            !m.isEmpty())
            return hiba(QStringLiteral("a --%1 az --elorejelzes vagy a --max-toltet "
                                       "kapcsolója")
                            .arg(m));
        return TerjedésParancs::Végrehajt(k, ki, hibák);
    }
    if (k.mit == Mit::Előrejelzés) {
        if (const QString m =
                megadott(elemző, {&o.kategória, &o.frekvencia, &o.eov, &o.pontonként});
            !m.isEmpty())
            return hiba(QStringLiteral("a --%1 nem az --elorejelzes kapcsolója").arg(m));
        if (elemző.values(o.távolság).size() != 1 || elemző.values(o.töltet).size() != 1)
            return hiba(QStringLiteral("az --elorejelzes mellé egy --tavolsag és egy --toltet "
                                       "kell"));
        k.távolság = Cella::Beírt(elemző.value(o.távolság));
        k.töltet = Cella::Beírt(elemző.value(o.töltet));
        if (!k.távolság || !k.töltet)
            return hiba(QStringLiteral("a --tavolsag és a --toltet pozitív szám: \"%1\", \"%2\"")
                            .arg(elemző.value(o.távolság), elemző.value(o.töltet)));
        return TerjedésParancs::Végrehajt(k, ki, hibák);
    }
    if (elemző.isSet(o.töltet))
        return hiba(QStringLiteral("a --max-toltet a töltetet számítja: --toltet nem adható meg"));
    if (const std::optional<QString> h = frekvenciaOlvas(elemző, o, k.frekvencia))
        return hiba(*h);
    if (k.pontonként) {
        if (elemző.isSet(o.kategória))
            return hiba(QStringLiteral("a --max-toltet --pontonkent minden pontot a saját "
                                       "kategóriájával számít: --kategoria nem adható meg"));
        if (k.katalógus.isEmpty())
            return hiba(QStringLiteral("a --max-toltet --pontonkent a --katalogus pontjaira "
                                       "számít"));
        if (const std::optional<QString> h = tervezettHelyOlvas(elemző, o, k.pontTávolságok, k.eov))
            return hiba(*h);
        if (k.pontTávolságok.isEmpty() && !k.eov)
            return hiba(QStringLiteral("a --max-toltet --pontonkent mellé --tavolsag PONT=D "
                                       "vagy --eov Y,X kell"));
        return TerjedésParancs::Végrehajt(k, ki, hibák);
    }
    if (elemző.isSet(o.eov))
        return hiba(QStringLiteral("az --eov a --max-toltet --pontonkent kapcsolója"));
    if (elemző.values(o.távolság).size() != 1 ||
        !(k.távolság = Cella::Beírt(elemző.value(o.távolság))))
        return hiba(QStringLiteral("a --max-toltet mellé egy --tavolsag kell (m, pozitív szám)"));
    if (elemző.isSet(o.kategória)) {
        k.kategória = Határérték::KategóriaKeres(elemző.value(o.kategória));
        if (!k.kategória)
            return hiba(Határérték::IsmeretlenKategória(elemző.value(o.kategória).trimmed()));
    } else {
        return hiba(QStringLiteral("a --max-toltet mellé a --kategoria is kell (vagy "
                                   "--pontonkent a katalógus pontjaira)"));
    }
    return TerjedésParancs::Végrehajt(k, ki, hibák);
}

// --katalogus KAT --jelentes KAMPANY.pdf, with the listing's filters and the law's options.
int kampányJelentés(const QCommandLineParser& elemző, const Opciók& o, std::FILE* hibák,
                    const RezgésElemzés::Jelentésíró* jelentésíró) {
    auto hiba = [hibák](const QString& szöveg) { return hibaÍr(hibák, szöveg); };
    if (const QString m = megadott(
            elemző, {&o.elemez,    &o.értékel,    &o.események, &o.intervallum, &o.küszöb,
                     &o.kimenet,   &o.kategória,  &o.hely,      &o.módszer,     &o.érzékenység,
                     &o.egység,    &o.mintavétel, &o.időzóna,   &o.függőleges,  &o.állomás,
                     &o.adatok,    &o.párosítás,  &o.töltet,    &o.előrejelzés, &o.maxTöltet,
                     &o.pontonként});
        !m.isEmpty())
        return hiba(QStringLiteral("a kampányjelentés mellett nem adható meg a --%1").arg(m));
    if (!elemző.positionalArguments().isEmpty())
        return hiba(
            QStringLiteral("ismeretlen argumentum: %1").arg(elemző.positionalArguments().first()));
    KampányParancs::Kérés k;
    k.katalógus = elemző.value(o.katalógus);
    k.jelentés = elemző.value(o.jelentés);
    Kampány::Kérés& kk = k.kampány;
    if (const std::optional<QString> h = szűrőOlvas(elemző, o, kk.szűrő))
        return hiba(*h);
    QStringList szűrő;
    for (const QCommandLineOption* m : {&o.tól, &o.ig, &o.pont})
        if (elemző.isSet(*m))
            szűrő << QStringLiteral("--%1 %2").arg(m->names().value(0), elemző.value(*m));
    if (elemző.isSet(o.túllépő))
        szűrő << QStringLiteral("csak a túllépők");
    kk.szűrőSzöveg = szűrő.join(QStringLiteral(", "));
    if (const std::optional<QString> h = törvényOlvas(elemző, o, kk.gyök, kk.mérték, kk.kizár))
        return hiba(*h);
    if (const std::optional<QString> h = frekvenciaOlvas(elemző, o, kk.frekvencia))
        return hiba(*h);
    if (const std::optional<QString> h = tervezettHelyOlvas(elemző, o, kk.távolságok, kk.eov))
        return hiba(*h);
    return KampányParancs::Jelentés(k, jelentésíró, hibák);
}

// --katalogus with --felvesz or --lista.
int katalógusParancs(const QCommandLineParser& elemző, const Opciók& o, std::FILE* hibák,
                     std::FILE* ki, const RezgésElemzés::Jelentésíró* jelentésíró) {
    auto hiba = [hibák](const QString& szöveg) { return hibaÍr(hibák, szöveg); };
    if (!elemző.isSet(o.katalógus))
        return hiba(QStringLiteral("a --felvesz és a --lista mellé a --katalogus is kell"));
    const bool felvesz = elemző.isSet(o.felvétel) || elemző.isSet(o.robbantások) ||
                         elemző.isSet(o.megítél),
               listáz = elemző.isSet(o.lista) || elemző.isSet(o.statisztika);
    if (elemző.isSet(o.jelentés) && !felvesz && !listáz)
        return kampányJelentés(elemző, o, hibák, jelentésíró);
    if (felvesz == listáz)
        return hiba(QStringLiteral("a --katalogus mellé a --felvesz (vagy --robbantasok, "
                                   "--megitel) vagy a --lista kell, egyszerre csak az egyik"));
    if (const QString m = megadott(elemző, {&o.elemez, &o.értékel, &o.frekvencia, &o.események,
                                            &o.intervallum, &o.küszöb, &o.jelentés});
        !m.isEmpty())
        return hiba(QStringLiteral("a --katalogus mellett nem adható meg a --%1").arg(m));
    if (listáz) {
        if (const QString m = megadott(elemző, {&o.kategória, &o.hely, &o.módszer, &o.érzékenység,
                                                &o.egység, &o.mintavétel, &o.időzóna, &o.függőleges,
                                                &o.állomás, &o.adatok, &o.párosítás});
            !m.isEmpty())
            return hiba(QStringLiteral("a --%1 a --felvesz kapcsolója, nem a --lista-é").arg(m));
        if (!elemző.positionalArguments().isEmpty())
            return hiba(QStringLiteral("ismeretlen argumentum: %1")
                            .arg(elemző.positionalArguments().first()));
        KatalógusParancs::Lista kérés;
        kérés.katalógus = elemző.value(o.katalógus);
        if (const std::optional<QString> h = szűrőOlvas(elemző, o, kérés.szűrő))
            return hiba(*h);
        kérés.statisztika = elemző.isSet(o.statisztika);
        kérés.kimenet = elemző.value(o.kimenet);
        if (elemző.isSet(o.kimenet) && !Táblakimenet::Ismert(kérés.kimenet))
            return hiba(
                QStringLiteral("a --kimenet .csv vagy .xlsx fájl: \"%1\"").arg(kérés.kimenet));
        return KatalógusParancs::Listáz(kérés, ki, hibák);
    }
    if (const QString m = megadott(elemző, {&o.tól, &o.ig, &o.túllépő, &o.kimenet}); !m.isEmpty())
        return hiba(QStringLiteral("a --%1 a --lista kapcsolója, nem a --felvesz-é").arg(m));
    KatalógusParancs::Felvétel kérés;
    kérés.katalógus = elemző.value(o.katalógus);
    kérés.fájlok = elemző.values(o.felvétel) + elemző.positionalArguments();
    kérés.újraMegítél = elemző.isSet(o.megítél);
    if (kérés.újraMegítél && !kérés.fájlok.isEmpty())
        return hiba(QStringLiteral("a --megitel a katalógus tárolt fájljait ítéli meg újra: "
                                   "fájl nem adható meg mellette"));
    Katalógus::Behozatal& b = kérés.behozatal;
    if (elemző.isSet(o.kategória)) {
        b.kategória = Határérték::KategóriaKeres(elemző.value(o.kategória));
        if (!b.kategória)
            return hiba(Határérték::IsmeretlenKategória(elemző.value(o.kategória).trimmed()));
    }
    if (const std::optional<QString> h = olvasás(elemző, o, b.hely, b.módszer, b.beállítás))
        return hiba(*h);
    if (elemző.isSet(o.adatok)) {
        auto olvasott = Mérésadatok::FájlOlvas(elemző.value(o.adatok));
        if (const Hiba* h = std::get_if<Hiba>(&olvasott))
            return hiba(Parancssori::FelvételHiba(*h));
        b.adatok = std::get<Mérésadatok>(olvasott);
    }
    b.pont = elemző.value(o.pont).trimmed();
    kérés.robbantások = elemző.value(o.robbantások);
    if (elemző.isSet(o.párosítás)) {
        std::optional<double> s;
        if (!pozitív(elemző, o.párosítás, s) || !s || *s > 86400)
            return hiba(QStringLiteral("a --parositas pozitív szám (másodperc, legfeljebb egy "
                                       "nap): \"%1\"")
                            .arg(elemző.value(o.párosítás)));
        kérés.párosításMikro = std::llround(*s * 1e6);
    }
    return KatalógusParancs::Felvesz(kérés, hibák);
}

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
               Értékelés::Súgó() + QStringLiteral("\n\n") + RezgésElemzés::Súgó() +
               QStringLiteral("\n\n") + KatalógusParancs::Súgó() + QStringLiteral("\n\n") +
               TerjedésParancs::Súgó()));
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
    if (elemző.isSet(opciók.terjedés) || elemző.isSet(opciók.előrejelzés) ||
        elemző.isSet(opciók.maxTöltet))
        return terjedésParancs(elemző, opciók, ki, hibák);
    if (elemző.isSet(opciók.katalógus) || elemző.isSet(opciók.felvétel) ||
        elemző.isSet(opciók.megítél) || elemző.isSet(opciók.lista) ||
        elemző.isSet(opciók.statisztika) || elemző.isSet(opciók.robbantások))
        return katalógusParancs(elemző, opciók, hibák, ki, jelentésíró);
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
        std::optional<Elemzés::Hely> adottHely;
        if (const std::optional<QString> h =
                olvasás(elemző, opciók, adottHely, kérés.módszer, kérés.beállítás))
            return hiba(*h);
        kérés.hely = adottHely.value_or(Elemzés::Hely::Alap);
        auto pozitív = [&](const QCommandLineOption& o, std::optional<double>& hova) {
            return ::pozitív(elemző, o, hova);
        };
        if (elemző.isSet(események)) {
            kérés.küszöb = Elemzés::AlapKüszöb;
            if (!pozitív(küszöb, kérés.küszöb))
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
        kérés.jelentés = elemző.value(jelentés);
        kérés.jelentésíró = jelentésíró;
        if (elemző.isSet(opciók.kimenet)) {
            kérés.kimenet = elemző.value(opciók.kimenet);
            if (!Táblakimenet::Ismert(kérés.kimenet))
                return hiba(
                    QStringLiteral("a --kimenet .csv vagy .xlsx fájl: \"%1\"").arg(kérés.kimenet));
            if (bemenetE(kérés.kimenet, kérés.fájlok))
                return hiba(
                    QStringLiteral("a --kimenet nem lehet a bemenet: %1").arg(kérés.kimenet));
        }
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
    if (const QString m =
            megadott(elemző, {&opciók.tól, &opciók.ig, &opciók.pont, &opciók.túllépő});
        !m.isEmpty())
        return hiba(QStringLiteral("a --%1 csak a --katalogus mellett adható meg").arg(m));
    if (const QString m =
            megadott(elemző, {&hely, &módszer, &érzékenység, &egység, &mintavétel, &időzóna,
                              &függőleges, &állomás, &adatok, &jelentés, &küszöb});
        !m.isEmpty())
        return hiba(QStringLiteral("a --%1 csak az --elemez mellett adható meg").arg(m));
    if (!elemző.positionalArguments().isEmpty())
        return hiba(
            QStringLiteral("ismeretlen argumentum: %1").arg(elemző.positionalArguments().first()));

    if (elemző.isSet(értékel)) {
        if (elemző.isSet(kategória) || elemző.isSet(frekvencia))
            return hiba(QStringLiteral("az --ertekel mellett nem adható meg --kategoria vagy "
                                       "--frekvencia"));
        if (!elemző.isSet(opciók.kimenet))
            return Értékelés::Értékel(elemző.value(értékel), ki, hibák);
        // the rows into a spreadsheet: evaluated as ever, then typed
        const QString táblázat = elemző.value(opciók.kimenet);
        if (!Táblakimenet::Ismert(táblázat))
            return hiba(QStringLiteral("a --kimenet .csv vagy .xlsx fájl: \"%1\"").arg(táblázat));
        const QString fájl = elemző.value(értékel);
        if (bemenetE(táblázat, {fájl}))
            return hiba(QStringLiteral("a --kimenet nem lehet a bemenet: %1").arg(táblázat));
        const QString név = fájl == u"-" ? QStringLiteral("szabványos bemenet") : fájl;
        Szöveg::Forrás forrás;
        if (std::optional<Hiba> h = forrás.megnyit(fájl)) {
            h->fájl = név;
            return hiba(Parancssori::NaplóHiba(*h));
        }
        PufferKimenet sorok;
        QString üzenet;
        const int állapot = Értékelés::Értékel(forrás, név, sorok, &üzenet);
        SorKiír(hibák, rt::App::Prefix() + üzenet);
        if (állapot == HibásBemenet)
            return állapot;
        if (const std::optional<QString> h = Táblakimenet::SzövegbőlÍr(táblázat, sorok.bájtok()))
            return hiba(QStringLiteral("%1: nem írható: %2").arg(táblázat, *h));
        SorKiír(hibák,
                rt::App::Prefix() + QStringLiteral("a táblázat elkészült: %1").arg(táblázat));
        return állapot;
    }
    if (elemző.isSet(opciók.kimenet))
        return hiba(QStringLiteral("a --kimenet a --lista, a --statisztika, az --elemez vagy az "
                                   "--ertekel kapcsolója"));
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
