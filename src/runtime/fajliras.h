#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace rt {

// Writes `bájtok` to `fájl` whole or not at all: into a temporary file beside it, read back
// and checked, then renamed over it, so that an earlier file of that name stays intact when
// the write fails (a full disk). A target that exists and is not a regular file (a device, a
// FIFO, a folder, a socket) is refused and left as it is. The reason, where it fails.
std::optional<QString> FájlbaÍr(const QString& fájl, const QByteArray& bájtok);

} // namespace rt
