#include "parancssor.h"

#include "ertekeles.h"
#include "kozos.h"
#include "model/hatarertek.h"

#include <QCommandLineParser>
#include <QCoreApplication>

#include <cstdio>

namespace {

int hiba(const QString& szöveg) {
    SorKiír(stderr, QStringLiteral("Velorix: %1").arg(szöveg));
    SorKiír(stderr, QStringLiteral("Súgó: velorix --help"));
    return Értékelés::HibásBemenet;
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

int Parancssor(const QStringList& argumentumok) {
    QCommandLineParser elemző;
    elemző.setApplicationDescription(
        tördel(QStringLiteral("Épületek megengedhető rezgéssebessége az MSZ 13018 szerint.\n"
                              "Argumentum nélkül az ablak nyílik meg.\n\n") +
               Értékelés::Súgó()));
    const QCommandLineOption súgó({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Ez a súgó."));
    const QCommandLineOption verzió({QStringLiteral("v"), QStringLiteral("version")},
                                    QStringLiteral("A program verziója."));
    elemző.addOption(súgó);
    elemző.addOption(verzió);
    const QCommandLineOption kategória(
        {QStringLiteral("k"), QStringLiteral("kategoria"), QStringLiteral("category")},
        QStringLiteral("Az épület kategóriája: 0 vagy ipari (ipari objektum), 1 vagy lakó "
                       "(lakóépület), 2 vagy műemlék."),
        QStringLiteral("kategória"));
    const QCommandLineOption frekvencia(
        {QStringLiteral("f"), QStringLiteral("frekvencia"), QStringLiteral("frequency")},
        QStringLiteral("A mért domináns frekvencia egész Hz-ben, 0–100. A --kategoria "
                       "mellett kiírja az alapon és a legfelső födémszinten megengedhető "
                       "sebességet, ahogy az ablak mutatja, soronként egyet."),
        QStringLiteral("Hz"));
    const QCommandLineOption értékel(
        {QStringLiteral("e"), QStringLiteral("ertekel"), QStringLiteral("evaluate")},
        QStringLiteral("Mérések értékelése egy CSV fájlból (- a szabványos bemenet); "
                       "lásd fent."),
        QStringLiteral("fájl"));
    elemző.addOption(kategória);
    elemző.addOption(frekvencia);
    elemző.addOption(értékel);

    if (!elemző.parse(argumentumok))
        return hiba(elemző.errorText());
    if (elemző.isSet(súgó)) {
        std::fputs(elemző.helpText().toUtf8().constData(), stdout);
        return 0;
    }
    if (elemző.isSet(verzió)) {
        SorKiír(stdout, QStringLiteral("%1 %2").arg(QCoreApplication::applicationName(),
                                                    QCoreApplication::applicationVersion()));
        return 0;
    }
    if (!elemző.positionalArguments().isEmpty())
        return hiba(
            QStringLiteral("ismeretlen argumentum: %1").arg(elemző.positionalArguments().first()));

    if (elemző.isSet(értékel)) {
        if (elemző.isSet(kategória) || elemző.isSet(frekvencia))
            return hiba(QStringLiteral("az --ertekel mellett nem adható meg --kategoria vagy "
                                       "--frekvencia"));
        return Értékelés::Értékel(elemző.value(értékel), stdout, stderr);
    }
    if (!elemző.isSet(kategória) || !elemző.isSet(frekvencia))
        return hiba(QStringLiteral("a --kategoria és a --frekvencia együtt adandó meg"));

    const auto k = RezgésModell::KategóriaKeres(elemző.value(kategória));
    if (!k)
        return hiba(IsmeretlenKategória(elemző.value(kategória)));
    bool egész = false;
    const int f = elemző.value(frekvencia).trimmed().toInt(&egész);
    if (!egész || f < Határérték::LegkisebbFrekvencia || f > Határérték::LegnagyobbFrekvencia)
        return hiba(QStringLiteral("a frekvencia egész szám %1 és %2 között: \"%3\"")
                        .arg(Határérték::LegkisebbFrekvencia)
                        .arg(Határérték::LegnagyobbFrekvencia)
                        .arg(elemző.value(frekvencia)));
    const Eredmény e = RezgésModell::Eredményszövegek(*k, std::int16_t(f));
    SorKiír(stdout, e.alapon);
    SorKiír(stdout, e.felsőFödém);
    return 0;
}
