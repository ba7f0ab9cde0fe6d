#include "settings_store.h"

#include "errors.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>

#include <memory>

namespace rt {

namespace {

std::unique_ptr<QSettings> openStore(const QString& application) {
#ifdef Q_OS_WIN
    return std::make_unique<QSettings>(
        QStringLiteral("HKEY_CURRENT_USER\\Software\\VB and VBA Program Settings\\") + application,
        QSettings::NativeFormat);
#else
    return std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope, application);
#endif
}

// Why the store's file cannot be written, in words the user can act on.
QString writeFailureReason(const QString& path) {
    const QFileInfo info(path);
    const QString folder = info.absolutePath();
    if (!QDir().mkpath(folder))
        return QStringLiteral("a(z) %1 mappa nem hozható létre").arg(folder);
    QFile file(path);
    if (!file.open(QIODevice::Append))
        return file.errorString();
    return QStringLiteral("a fájl nem írható");
}

} // namespace

QString settingsLocation(const QString& application) {
    return openStore(application)->fileName();
}

QString GetSetting(const QString& application, const QString& section, const QString& key,
                   const QString& defaultValue) {
    auto store = openStore(application);
    if (store->status() != QSettings::NoError)
        throw RuntimeError(ErrorKind::SettingsStore,
                           QStringLiteral("%1: olvasási hiba").arg(store->fileName()));
    store->beginGroup(section);
    const QVariant value = store->value(key);
    if (!value.isValid())
        return defaultValue;
    // An unquoted comma would make a list of the value: put it back as written.
    if (value.metaType().id() == QMetaType::QStringList)
        return value.toStringList().join(u',');
    return value.toString();
}

void SaveSetting(const QString& application, const QString& section, const QString& key,
                 const QString& value) {
    auto store = openStore(application);
    store->beginGroup(section);
    store->setValue(key, value);
    store->endGroup();
    store->sync();
    if (store->status() != QSettings::NoError)
        throw RuntimeError(
            ErrorKind::SettingsStore,
            QStringLiteral("%1: %2").arg(store->fileName(), writeFailureReason(store->fileName())));
}

} // namespace rt
