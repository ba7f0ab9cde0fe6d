#pragma once

#include <QString>
#include <QStringList>

#include <memory>
#include <utility>

class QSettings;

namespace rt {

// The per-user settings store: text values addressed by application, section and
// key. On Windows the values live where the forms runtime keeps them
// (HKEY_CURRENT_USER\Software\VB and VBA Program Settings\<application>\<section>);
// elsewhere in one INI file per application in the user's configuration folder.
//
// The file is a few hundred bytes. One that is not a regular file, or is larger than
// StoreSizeLimit, counts as unreadable and is never rewritten; one that QSettings cannot
// parse counts as unreadable as a whole and is kept aside when the store is next written.
inline constexpr qint64 StoreSizeLimit = 1024 * 1024;

// One load's reads: a snapshot of the store taken once, so that every value of the load
// follows one rule.
class SettingsReader {
public:
    explicit SettingsReader(const QString& application);
    ~SettingsReader();

    // The stored text, or the default where the key is absent. Raises the settings store
    // error when the store cannot be read.
    QString GetSetting(const QString& section, const QString& key,
                       const QString& defaultValue = {}) const;
    // Why the store cannot be read; empty when it can.
    const QString& problem() const { return problem_; }

private:
    struct Snapshot;
    std::unique_ptr<Snapshot> snapshot_;
    QString problem_;
};

// One close's writes, kept until commit() writes them as one transaction: the store then
// holds either its old content intact or the complete new one.
class SettingsWriter {
public:
    explicit SettingsWriter(const QString& application);

    void SaveSetting(const QString& section, const QString& key, const QString& value);

    struct Result {
        bool written = false;
        QStringList messages; // why it was not written, or what was done besides
    };
    // Waits at most lockTimeoutMs for another program writing the store.
    Result commit(int lockTimeoutMs = 1000);

private:
    QString application_;
    QList<std::pair<QString, QString>> keys_; // "section/key", value, in order
};

QString GetSetting(const QString& application, const QString& section, const QString& key,
                   const QString& defaultValue = {});

// Raises the settings store error, naming the store and the reason, when the value
// cannot be written.
void SaveSetting(const QString& application, const QString& section, const QString& key,
                 const QString& value);

// Where the values of an application are kept: a file path or a registry key.
QString settingsLocation(const QString& application);

} // namespace rt
