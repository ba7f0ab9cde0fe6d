#pragma once

#include <QString>

#include <optional>

// Where a campaign's catalogue is: an SQLite file (the embedded default, for example
// "kofejto.velorix"), or a team's shared PostgreSQL database named by its address,
// "postgresql://[user[:password]@][host][:port]/database[?host=/socket/dir&port=N]".
namespace Katalógus {

struct Cím {
    enum class Fajta { SQLite, PostgreSQL };
    Fajta fajta = Fajta::SQLite;
    QString fájl;                // SQLite: the file
    QString gazda;               // PostgreSQL: host name, or the folder of its Unix socket
    int port = -1;               // -1: the driver's default
    QString felhasználó, jelszó; // empty: the driver's default
    QString adatbázis;           // the database's name

    // The address as a message names it: the file, or the address without its password.
    QString név() const;
};

// The address read from what the user gave; none, with the reason, for an address that does
// not hold together (an unknown scheme, no database name, a port that is no number).
std::optional<Cím> CímOlvas(const QString& szöveg, QString* miért);

} // namespace Katalógus
