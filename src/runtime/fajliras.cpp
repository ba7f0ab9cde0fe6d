#include "fajliras.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace rt {

std::optional<QString> FájlbaÍr(const QString& fájl, const QByteArray& bájtok) {
    const QFileInfo cél(fájl);
    if ((cél.exists() || cél.isSymLink()) && !cél.isFile())
        return QStringLiteral("nem szabályos fájl (%1), a program nem írja felül")
            .arg(cél.isDir() ? QStringLiteral("mappa")
                             : QStringLiteral("eszköz, FIFO vagy foglalat"));
    QSaveFile ki(fájl);
    if (!ki.open(QIODevice::WriteOnly))
        return ki.errorString();
    if (ki.write(bájtok) != bájtok.size() || !ki.flush()) {
        const QString miért = ki.errorString();
        ki.cancelWriting();
        return miért;
    }
    if (!ki.commit())
        return ki.errorString();
    // read back: what is there now is what was meant
    QFile vissza(fájl);
    if (!vissza.open(QIODevice::ReadOnly) || vissza.readAll() != bájtok)
        return QStringLiteral("a kiírt fájl nem olvasható vissza");
    return std::nullopt;
}

} // namespace rt
