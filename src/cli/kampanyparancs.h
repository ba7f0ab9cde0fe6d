#pragma once

#include "rezgeselemzes.h"
#include "sitelaw/kampany.h"

#include <QString>

#include <cstdio>

// --katalogus KAT --jelentes KAMPANY.pdf: the campaign report of the (filtered) catalogue.
namespace KampányParancs {

struct Kérés {
    QString katalógus, jelentés;
    Kampány::Kérés kampány;
};

// Gathers the campaign and has the program's writer draw it; says on `hibák` what it wrote,
// what stayed out of the site's law and why it is unreliable where it is. Exit status: 2 for
// a fault, else 1 when a listed measurement exceeds, else 0.
int Jelentés(const Kérés& kérés, const RezgésElemzés::Jelentésíró* író, std::FILE* hibák);

} // namespace KampányParancs
