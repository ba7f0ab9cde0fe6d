#pragma once

// A file of the test's own, written whole into a scratch folder.
#include <QByteArray>
#include <QFile>
#include <QTemporaryDir>

inline QString saveFile(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes) {
    const QString path = dir.filePath(name);
    QFile file(path);
    file.open(QIODevice::WriteOnly | QIODevice::Truncate);
    file.write(bytes);
    return path;
}
