#pragma once

// The program's exit status on the command line.
enum Kilépés {
    Megfelel = 0,       // every measurement or record within its limit
    Túllépi = 1,        // one or more exceed
    HibásBemenet = 2,   // a faulty input or option, no data, or the output failed
    NincsMegítélve = 3, // nothing could be judged (too slow a rate, an implausible peak…)
};

// The status of several: a fault wins, then an exceedance, then nothing judged, then within.
inline int KilépésÖsszesít(int a, int b) {
    auto rang = [](int k) {
        return k == HibásBemenet ? 3 : k == Túllépi ? 2 : k == NincsMegítélve ? 1 : 0;
    };
    return rang(a) >= rang(b) ? a : b;
}
