#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>

namespace Jelentés {

// What a filed PDF says about itself: its document information dictionary and, for PDF/A,
// the same properties in its XMP packet.
struct Dokumentumadatok {
    QString cím, szerző, tárgy, készítő, előállító;
    QDateTime készült; // UTC, to the second
};

// The XMP packet of a PDF/A-1b document carrying `a`.
QByteArray Xmp(const Dokumentumadatok& a);

// Appends to a finished PDF an incremental update whose document information dictionary
// carries every property of `a`, so that it agrees with the packet of Xmp(a). False, leaving
// `pdf` as it was, when the file's trailer cannot be read.
bool InfoFrissít(QByteArray& pdf, const Dokumentumadatok& a);

} // namespace Jelentés
