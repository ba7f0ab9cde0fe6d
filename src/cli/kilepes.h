#pragma once

// The program's exit status on the command line.
enum Kilépés {
    Megfelel = 0,     // every measurement or record within its limit
    Túllépi = 1,      // one or more exceed
    HibásBemenet = 2, // a faulty input or option, no data, or the output failed
};
