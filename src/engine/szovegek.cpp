#include "szovegek.h"

#include "runtime/text.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace Határérték {

void TizedesÍr(QByteArray& cél, std::int64_t érték, int tizedesek, char tizedesjel) {
    if (érték < 0) {
        cél += '-';
        érték = -érték;
    }
    std::int64_t osztó = 1;
    for (int i = 0; i < tizedesek; ++i)
        osztó *= 10;
    char jegyek[24];
    const auto vége = std::to_chars(jegyek, jegyek + sizeof jegyek, érték / osztó).ptr;
    cél.append(jegyek, vége - jegyek);
    if (tizedesek <= 0)
        return;
    cél += tizedesjel;
    std::int64_t tört = érték % osztó;
    for (std::int64_t hely = osztó / 10; hely > 0; hely /= 10) {
        cél += char('0' + tört / hely);
        tört %= hely;
    }
}

QString Tizedes(std::int64_t érték, int tizedesek, char tizedesjel) {
    QByteArray szöveg;
    TizedesÍr(szöveg, érték, tizedesek, tizedesjel);
    return QString::fromLatin1(szöveg);
}

QString SzázadSzöveg(int század, char tizedesjel) {
    return Tizedes(század, 2, tizedesjel);
}

QString Százalék(std::int64_t tized, char tizedesjel) {
    return Tizedes(tized, 1, tizedesjel);
}

QString Szám(double érték, int tizedesek) {
    char puffer[400];
    const auto [vége, hiba] =
        std::to_chars(puffer, puffer + sizeof puffer, érték, std::chars_format::fixed, tizedesek);
    if (hiba != std::errc())
        return {};
    QString szöveg = QString::fromLatin1(puffer, vége - puffer);
    szöveg.replace(u'.', u',');
    // a value that rounds to zero has no sign, with or without decimals
    if (szöveg.startsWith(u'-') && std::all_of(szöveg.begin() + 1, szöveg.end(),
                                               [](QChar c) { return c == u'0' || c == u','; }))
        szöveg.remove(0, 1);
    return szöveg;
}

QByteArrayView ÍtéletSzó(bool megfelel) {
    return megfelel ? QByteArrayView("megfelel") : QByteArrayView("túllépi");
}

QString NagyÍtéletSzó(bool megfelel) {
    QString szó = QString::fromUtf8(ÍtéletSzó(megfelel));
    szó[0] = szó[0].toUpper();
    return szó;
}

QByteArrayView Megjegyzés(const Megítélés& m) {
    if (m.frekvenciaNélkül)
        return " (nincs frekvencia: a legkisebb érték)";
    static const QByteArray fölötte =
        QStringLiteral(" (%1 Hz feletti: a %1 Hz-es érték)").arg(LegnagyobbFrekvencia).toUtf8();
    if (m.százHzFeletti)
        return fölötte;
    return {};
}

void ÍtéletÍr(QByteArray& cél, const Megítélés& m) {
    const QByteArrayView szó = ÍtéletSzó(m.megfelel), megjegyzés = Megjegyzés(m);
    cél.append(szó.data(), szó.size());
    cél.append(megjegyzés.data(), megjegyzés.size());
}

QString Ítélet(const Megítélés& m) {
    QByteArray szöveg;
    ÍtéletÍr(szöveg, m);
    return QString::fromUtf8(szöveg);
}

QString Jegyek(double érték, int jegyek) {
    if (!std::isfinite(érték))
        return QString();
    jegyek = std::clamp(jegyek, 1, 17);
    int tizedesek = 0;
    if (érték != 0) {
        // the exponent after rounding to the digits asked for: 9.99996 is 1.000e+01
        char puffer[64];
        const auto [vége, hiba] = std::to_chars(puffer, puffer + sizeof puffer, érték,
                                                std::chars_format::scientific, jegyek - 1);
        int kitevő = 0;
        if (hiba == std::errc()) {
            const char* e = std::find(puffer, vége, 'e');
            std::from_chars(e + (e < vége && e[1] == '+' ? 2 : 1), vége, kitevő);
        }
        tizedesek = std::clamp(jegyek - 1 - kitevő, 0, 40);
    }
    return Szám(érték, tizedesek);
}

QString CímkeSzám(float v) {
    if (static_cast<float>(std::floor(v)) == v)
        return rt::Right(u' ' + rt::Str(v), 3) + QStringLiteral(",00");
    const QString szám = rt::Trim(rt::Str(v)) + u'0';
    return rt::Left(szám, v < 10 ? 4 : 5);
}

QString BeállításSzám(double érték) {
    QString s = Szám(érték, 3);
    while (s.endsWith(u'0'))
        s.chop(1);
    if (s.endsWith(u','))
        s.chop(1);
    return s;
}

QString NincsMegítélve() {
    return QStringLiteral("nincs megítélve");
}

QString HelyNév(Hely hely) {
    return hely == Hely::Alap ? QStringLiteral("alap") : QStringLiteral("legfelső födém");
}

QString MódszerNév(Módszer módszer) {
    return módszer == Módszer::ZC ? QStringLiteral("nullátmenet (ZC)")
                                  : QStringLiteral("spektrumcsúcs (FFT)");
}

} // namespace Határérték
