#pragma once

#include "model/hatarertek.h"
#include "records/rezgesjel.h"

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
//  - peak acceleration by central differences (m/s^2), peak displacement by the trapezoidal
//    integral of the velocity (mm); shown, not judged;
//  - peak vector sum: the largest sqrt(x^2 + y^2 + z^2) over the samples.
namespace Elemzés {

enum class Hely { Alap, Födém }; // the foundation, the top floor slab
enum class Módszer { ZC, FFT };  // which frequency judges

struct Jellemzők {
    double ppv = 0; // mm/s
    double idő = 0; // s from the record's start
    std::size_t csúcsMinta = 0;
    std::optional<double> zc;  // Hz
    std::optional<double> fft; // Hz
    double gyorsulás = 0;      // m/s^2
    double elmozdulás = 0;     // mm
};

// What a window or a report draws of a component, reduced to a few thousand points.
struct Rajzadat {
    std::vector<float> legkisebb, legnagyobb; // the trace's envelope, mm/s, in equal columns
    double hossz = 0;                         // s, the record's length
    std::vector<float> spektrum;              // amplitude, the largest in each step
    double spektrumLépés = 0;                 // Hz per point
};

// The figures of one component. Takes the samples (mm/s) and leaves them less their mean.
// With `rajz` also what is drawn of it.
Jellemzők Számol(std::vector<double>& minták, double mintavétel, Rajzadat* rajz = nullptr);

// The amplitude spectrum as the FFT figure uses it: bin k at k * rate / M, for k = 0..M/2.
std::vector<float> Spektrum(const std::vector<double>& középre, std::size_t* m = nullptr);

struct Összetevő {
    QString név;
    bool függőleges = false;
    Jellemzők jellemzők;
    bool megítélt = false;         // judged (the vertical is not, at the top floor slab)
    bool frekvenciaNélkül = false; // no frequency: the category's lowest value applied
    Határérték::Megítélés megítélés;
    Rajzadat rajz; // only when asked for
};

struct Eredmény {
    std::vector<Összetevő> összetevők;
    double pvs = 0;    // mm/s
    double pvsIdő = 0; // s
    int döntő = -1;    // the component with the largest utilisation
    bool megfelel = true;
};

// The figures of every component and its judgement. Leaves the record's samples less their
// means.
Eredmény Elemez(Rezgésjel::Felvétel& felvétel, int kategória, Hely hely, Módszer módszer,
                bool rajzadatok = false);

inline constexpr std::size_t RajzOszlopok = 2048;    // envelope columns
inline constexpr double SpektrumHatár = 250;          // Hz, the highest drawn

// Judges figures already computed (another category, place or method) without redoing them.
void Megítél(Eredmény& eredmény, int kategória, Hely hely, Módszer módszer);

} // namespace Elemzés
