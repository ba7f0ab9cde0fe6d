#pragma once

// Records with known answers, shared by the analysis tests: three components sampled from
// signals, and a long record of quiet ground with blasts at known times and amplitudes.
#include "mseedwriter.h"

#include <QRandomGenerator>

#include <cmath>
#include <functional>
#include <vector>

// A test signal in mm/s.
using Signal = std::function<double(double t)>;

inline std::vector<double> sample(const Signal& s, int n, double rate, double scale = 1) {
    std::vector<double> v(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i)
        v[std::size_t(i)] = s(i / rate) * scale;
    return v;
}

// HHZ, HHN, HHE of station HU.BUD1.00 from three signals, times `scale` (counts per mm/s).
inline std::vector<MseedChannel> threeComponents(const Signal& z, const Signal& n, const Signal& e,
                                                 int samples, double scale, double rate) {
    std::vector<MseedChannel> c(3);
    const char* names[] = {"HHZ", "HHN", "HHE"};
    const Signal* waves[] = {&z, &n, &e};
    for (int i = 0; i < 3; ++i) {
        c[std::size_t(i)].channel = names[i];
        c[std::size_t(i)].rate = rate;
        c[std::size_t(i)].samples = sample(*waves[i], samples, rate, scale);
    }
    return c;
}

struct Blast {
    double time, amplitude, frequency; // s from the start, mm/s (its peak), Hz
};

// Ground noise between 3 and 60 Hz (no energy at 0 Hz, as a geophone sees it), about
// `noise` mm/s, with blasts: a Gaussian burst whose peak, at its time, is its amplitude on
// the vertical and 10 % less on each further component.
struct Ground {
    std::vector<double> f, a, phase;
    std::vector<Blast> blasts;
    explicit Ground(std::vector<Blast> b, quint32 seed = 7, double noise = 0.03)
        : blasts(std::move(b)) {
        QRandomGenerator random(seed);
        for (int k = 0; k < 12; ++k) {
            f.push_back(3 + 57 * random.generateDouble());
            a.push_back(noise / 12 * 2);
            phase.push_back(2 * M_PI * random.generateDouble());
        }
    }
    double operator()(double t, int component) const {
        double v = 0;
        for (std::size_t k = 0; k < f.size(); ++k)
            v += a[k] * std::sin(2 * M_PI * f[k] * t + phase[k] + component);
        for (const Blast& b : blasts)
            if (std::fabs(t - b.time) < 0.6)
                v += b.amplitude * std::exp(-std::pow((t - b.time) / 0.08, 2)) *
                     std::cos(2 * M_PI * b.frequency * (t - b.time)) * (1 - 0.1 * component);
        return v;
    }
};

// `seconds` of the ground as three components of counts (1000 per mm/s) from `start`.
inline std::vector<MseedChannel> groundChannels(const Ground& g, double seconds, double rate,
                                                hptime_t start) {
    std::vector<MseedChannel> c(3);
    const char* names[] = {"HHZ", "HHN", "HHE"};
    for (int i = 0; i < 3; ++i) {
        c[std::size_t(i)].channel = names[i];
        c[std::size_t(i)].rate = rate;
        c[std::size_t(i)].start = start;
        const auto n = std::size_t(seconds * rate);
        c[std::size_t(i)].samples.resize(n);
        for (std::size_t s = 0; s < n; ++s)
            c[std::size_t(i)].samples[s] = std::round(1000 * g(double(s) / rate, i));
    }
    return c;
}
