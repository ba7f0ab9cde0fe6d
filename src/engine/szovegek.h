#pragma once

#include "hatarertek.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <cstdint>

// The texts of results, as every output writes them: numbers with a fixed count of
// decimals, limits, percentages, verdict words with their remarks, the names of places and
// methods. None depends on the process's locale.
namespace Határérték {

// A whole count of 10^-tizedesek units as digits with the decimal mark: 1510, 2, ',' ->
// "15,10"; a minus sign before a negative value.
void TizedesÍr(QByteArray& cél, std::int64_t érték, int tizedesek, char tizedesjel);
QString Tizedes(std::int64_t érték, int tizedesek, char tizedesjel = ',');

// A limit in hundredths: "15,10".
QString SzázadSzöveg(int század, char tizedesjel = ',');
// A utilisation in tenths of a percent: "156,9".
QString Százalék(std::int64_t tized, char tizedesjel = ',');
// A measured figure with a decimal comma and a fixed count of decimals ("9,396"); never
// "-0,000".
QString Szám(double érték, int tizedesek);
// A fitted or computed figure with at least `jegyek` significant digits and a decimal comma:
// 0.0123456, 4 -> "0,01235"; 9.99996, 4 -> "10,00"; 123456, 4 -> "123456". No finite value:
// an empty text.
QString Jegyek(double érték, int jegyek = 5);

// The foundation label's number text of a value in whole hundredths, exactly as the window
// shows it: a whole value right-aligned in three characters with ",00" ("  5,00", "100,00"),
// a fractional one with the runtime's point and two decimals ("5.25", "40.20", "8.28").
QString CímkeSzám(float érték);

// A setting as the user would write it, up to three decimals: "0,5", "60", "0,25".
QString BeállításSzám(double érték);

// "megfelel" or "túllépi", as UTF-8.
QByteArrayView ÍtéletSzó(bool megfelel);
// The same with a capital, to open a sentence: "Megfelel".
QString NagyÍtéletSzó(bool megfelel);
// The remark of a judgement, with the blank before it, or nothing:
// " (100 Hz feletti: a 100 Hz-es érték)", " (nincs frekvencia: a legkisebb érték)".
QByteArrayView Megjegyzés(const Megítélés& megítélés);
// The verdict with its remark, appended as UTF-8: "megfelel (100 Hz feletti: a 100 Hz-es
// érték)".
void ÍtéletÍr(QByteArray& cél, const Megítélés& megítélés);
QString Ítélet(const Megítélés& megítélés);
// What a component that its place does not judge shows instead of a verdict.
QString NincsMegítélve();

// "alap" / "legfelső födém"; "nullátmenet (ZC)" / "spektrumcsúcs (FFT)".
QString HelyNév(Hely hely);
QString MódszerNév(Módszer módszer);

} // namespace Határérték
