#pragma once

#include "readers/hiba.h"

// Faults as the command line words them: the remedy names the option that mends it.
namespace Parancssori {

// ", ez ellentmond a megadott --egyseg értéknek", ": adja meg … (--mintavetel)".
QString Orvoslás(Hiba::Fajta fajta);
// A record's fault: "robbantas.mseed: HU.KOV1.00.HHZ: …".
QString FelvételHiba(const Hiba& hiba);
// A log's fault: "meresek.csv, 3. sor, 2. oszlop (sebesség): …".
QString NaplóHiba(const Hiba& hiba);

} // namespace Parancssori
