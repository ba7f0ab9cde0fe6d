#pragma once

#include <QString>

namespace Katalógus {

// What went wrong with a catalogue: the kind, and the words for the user.
struct Hiba {
    enum class Fajta {
        Cím,          // an address that does not hold together
        NincsIlyen,   // no such catalogue (to read)
        NemKatalógus, // a file or database that is something else, or damaged: never written
        ÚjabbSéma,    // written by a newer version: read only
        Kapcsolat,    // the server or the file could not be opened
        Lekérdezés,   // a statement failed (the driver's words)
        Ellentmondás, // what is asked contradicts what the catalogue holds
    };
    Fajta fajta = Fajta::Lekérdezés;
    QString részlet;
};

} // namespace Katalógus
