#pragma once

#include "hiba.h"

#include <QSqlDatabase>

#include <optional>

// The catalogue's tables, the same on SQLite and PostgreSQL, and their versions: a catalogue
// is brought up to this program's version step by step, each step in its own transaction; one
// of a newer version is left as it is.
namespace Katalógus {

inline constexpr int SémaVerzió = 2;

// Creates the tables of an empty catalogue or brings an older one up to SémaVerzió; the
// version found (or made) in `verzió`. A database that holds tables that are not a
// catalogue's is refused, never added to.
std::optional<Hiba> Sémát(QSqlDatabase& db, bool postgres, bool írásra, int& verzió);

} // namespace Katalógus
