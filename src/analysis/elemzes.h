#pragma once

#include "engine/hatarertek.h"
#include "readers/felvetel.h"

#include <optional>
#include <vector>

// The figures of a seismograph record, component by component, and its judgement on the
// limit engine. The definitions are fixed so that results can be reproduced:
//  - the samples in mm/s, less the mean of the whole component;
//  - PPV: the largest |v|; its time: the first sample that reaches it;
//  - zero-crossing frequency: with s(x) = (x > 0), a crossing lies between samples j and
//    j+1 where s differs, at (j + v_j / (v_j - v_j+1)) / rate; the last one before the peak
//    and the first one after it give the half period T, f = 1 / (2T);
//  - FFT frequency: the amplitude spectrum zero-padded to the next power of two M >= N, the
//    largest bin k (1 <= k <= M/2) refined by a parabola through k-1, k, k+1: (k + d) rate / M;
//  - peak acceleration by central differences (m/s^2); peak displacement (mm): the largest
//    |d| of the trapezoidal integral of the velocity with its least-squares straight line
//    removed (no drift over a long record); both shown, not judged;
//  - peak vector sum: the largest sqrt(x^2 + y^2 + z^2) of the velocity components, over
//    the span they share where their windows differ (samples aligned to within half a
//    sample); none where their rates differ.
// Times are from the record's start: its earliest component's first sample; they are written
// from an instrument export's trigger (Megállapítás::kiírt). Only velocity
// components are judged; an accelerometer's or a pressure sensor's peak is shown in its unit.
namespace Elemzés {

using Hely = Határérték::Hely;
using Módszer = Határérték::Módszer;

// mm/s: a velocity component's first sample at least this far from its mean triggers.
inline constexpr double IndításiKüszöb = 0.5;

// What a judgement needs of a velocity component: a rate that resolves the standard's scale
// up to its top (twice its highest frequency), and a peak that ground vibration near a
// building can have (above it, the unit or the sensitivity is wrong).
inline constexpr double LegkisebbMintavétel = 2.0 * Határérték::LegnagyobbFrekvencia; // /s
inline constexpr double LegnagyobbHihetőSebesség = 1000;                              // mm/s

// Why a velocity component of this rate and peak cannot be judged; none where it can. A
// component whose unit nothing states is never judged, whatever its figures.
std::optional<QString> NemÍtélhetőMiért(double mintavétel, double ppv,
                                        bool egységIsmeretlen = false);

// The largest share by which sampling at `mintavétel` may underestimate the peak of a sine of
// `frekvencia`: 1 - cos(pi f / fs), the peak falling halfway between two samples.
double LegnagyobbAlulbecslés(double frekvencia, double mintavétel);
// From this rate on the underestimate is small enough to go unremarked (below 5 % at 100 Hz).
inline constexpr double MegjegyzésNélküliMintavétel = 1000; // /s

struct Jellemzők {
    double ppv = 0;   // mm/s
    double átlag = 0; // the mean removed, in the samples' unit
    double idő = 0;   // s from the record's start
    std::size_t csúcsMinta = 0;
    std::optional<double> zc;      // Hz
    std::optional<double> fft;     // Hz
    double gyorsulás = 0;          // m/s^2
    double elmozdulás = 0;         // mm
    std::optional<double> indítás; // s: the first sample at IndításiKüszöb or above
};

// The mean of n samples, summed in long double.
double Átlag(const double* minták, std::size_t n);

// The zero-crossing frequency around the peak sample p of n samples less `átlag`.
std::optional<double> Nullátmenet(const double* minták, std::size_t n, double átlag, std::size_t p,
                                  double mintavétel);

// The samples less their mean (a copy; the input stays as it is).
std::vector<double> Középre(const std::vector<double>& minták);

// The figures of one component from its samples (mm/s); of a channel that measures no
// velocity the peak, its time and the frequencies only.
Jellemzők Számol(const std::vector<double>& minták, double mintavétel,
                 Rezgésjel::Mennyiség mennyiség = Rezgésjel::Mennyiség::Sebesség);

// The amplitude spectrum as the FFT figure uses it: bin k at k * rate / M, for k = 0..M/2.
std::vector<float> Spektrum(const std::vector<double>& középre, std::size_t* m = nullptr);

struct Összetevő {
    Rezgésjel::Csatornakód kód;
    Rezgésjel::Mennyiség mennyiség = Rezgésjel::Mennyiség::Sebesség;
    bool nyers = false;                // its peak is in counts (no sensitivity for its kind)
    bool egységIsmeretlen = false;     // velocity of a unit nothing states
    bool irányIsmeretlen = false;      // a numbered channel: vertical or horizontal, unknown
    std::optional<double> túlvezérelt; // mm/s: the instrument's range its peak reached
    bool függőleges = false;
    Jellemzők jellemzők;
    double mintavétel = 0; // its samples per second
    bool megítélt = false; // judged (the vertical is not, at the top floor slab)
    Határérték::Megítélés megítélés;
    QString nemÍtéltMiért; // why a velocity component could not be judged at all
    // The largest underestimate of its peak its rate allows at its frequency (a share), where
    // it was judged at a rate below MegjegyzésNélküliMintavétel.
    std::optional<double> alulbecslés;

    QString név() const { return kód.név(); }
    bool sebesség() const { return mennyiség == Rezgésjel::Mennyiség::Sebesség; }
    // The channel code alone: "HHZ", or the column's name.
    const QString& rövidNév() const { return kód.csatorna; }
    // The frequency the method judges by, if the component has one.
    std::optional<double> frekvencia(Módszer módszer) const;
};

// What the analysis finds in one record: each component's figures and judgement, the peak
// vector sum, and the record's verdict.
struct Megállapítás {
    std::vector<Összetevő> összetevők;
    bool pvsVan = true;            // a peak vector sum could be taken
    double pvs = 0;                // mm/s
    double pvsIdő = 0;             // s
    double pvsSzakasz = 0;         // s: the span it was taken over, where the windows differ
    QString pvsMegjegyzés;         // why there is none, or over what span it was taken
    Módszer módszer = Módszer::ZC; // the frequency it was judged by
    int döntő = -1;                // the component with the largest utilisation
    bool megfelel = true;
    std::optional<double> indítás; // s: the trigger, the earliest of the velocity components'
    // s from the record's start that the times are written from: an instrument export's own
    // trigger, so that they compare with its printout; 0 for any other record
    double időNulla = 0;

    // A time from the record's start as it is written.
    double kiírt(double idő) const { return idő - időNulla; }
};

// The figures of every component of the record and their judgement.
Megállapítás Elemez(const Rezgésjel::Felvétel& felvétel, int kategória, Hely hely, Módszer módszer);

// Where an instrument's export states its own figures (PPV, zero-crossing frequency, PVS):
// each one that differs from the recomputed one beyond its rounding and the offset removed
// (for a frequency, beyond a tenth of it as well: instruments count crossings their own
// way), as a warning naming both values.
QStringList FejlécEltérések(const Rezgésjel::Felvétel& felvétel, const Megállapítás& megállapítás);
// What an instrument's export remarks on the verdict (an old calibration, a failed sensor
// check), then its figures the samples do not bear out, each marked "figyelmeztetés: ";
// empty for any other record.
QStringList MűszerMegjegyzések(const Rezgésjel::Felvétel& felvétel,
                               const Megállapítás& megállapítás);

// The record's largest utilisation (its deciding component's); none if nothing was judged.
std::optional<double> LegnagyobbKihasználtság(const Megállapítás& megállapítás);

// Judges figures already computed (another category, place or method) without redoing them.
void Minősít(Megállapítás& megállapítás, int kategória, Hely hely, Módszer módszer);

} // namespace Elemzés
