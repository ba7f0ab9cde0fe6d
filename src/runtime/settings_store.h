#pragma once

#include <QString>

namespace rt {

// The per-user settings store: text values addressed by application, section and
// key. On Windows the values live where the forms runtime keeps them
// (HKEY_CURRENT_USER\Software\VB and VBA Program Settings\<application>\<section>);
// elsewhere in one INI file per application in the user's configuration folder.
QString GetSetting(const QString& application, const QString& section, const QString& key,
                   const QString& defaultValue = {});

// Raises the settings store error, naming the store and the reason, when the value
// cannot be written.
void SaveSetting(const QString& application, const QString& section, const QString& key,
                 const QString& value);

// Where the values of an application are kept: a file path or a registry key.
QString settingsLocation(const QString& application);

} // namespace rt
