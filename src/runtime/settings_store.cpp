#include "settings_store.h"

#include "errors.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSaveFile>
#include <QSettings>
#include <QTemporaryDir>

namespace rt {

namespace {

#ifdef Q_OS_WIN

std::unique_ptr<QSettings> registry(const QString& application) {
    return std::make_unique<QSettings>(
        QStringLiteral("HKEY_CURRENT_USER\\Software\\VB and VBA Program Settings\\") + application,
        QSettings::NativeFormat);
}

#else

// The store's file, where QSettings keeps the user's INI files (which QSettings::setPath
// may have moved). A probe with a name of its own tells the folder without opening the
// store itself, which may be a FIFO or huge.
QString storeFile(const QString& application) {
    const QSettings probe(QSettings::IniFormat, QSettings::UserScope,
                          QStringLiteral(".velorix-folder-probe"));
    return QFileInfo(probe.fileName()).absolutePath() + u'/' + application + QStringLiteral(".ini");
}

// The store's bytes, read once; a problem where it is not a file that can be read.
struct FileContent {
    bool exists = false;
    QByteArray bytes;
    QString problem;
    QString target; // where the store's content really lies (a symbolic link's target)
};

FileContent readStoreFile(const QString& path) {
    FileContent content;
    const QFileInfo info(path);
    content.target = info.isSymLink() ? info.canonicalFilePath() : path;
    if (!info.exists() && !info.isSymLink())
        return content;
    content.exists = true;
    if (!info.exists()) {
        content.problem = QStringLiteral("a szimbolikus link célja nem létezik");
        return content;
    }
    if (!info.isFile()) {
        content.problem = QStringLiteral("nem szabályos fájl");
        return content;
    }
    if (info.size() > StoreSizeLimit) {
        content.problem = QStringLiteral("túl nagy (%1 bájt, legfeljebb %2)")
                              .arg(info.size())
                              .arg(StoreSizeLimit);
        return content;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        content.problem = QStringLiteral("nem olvasható: %1").arg(file.errorString());
        return content;
    }
    content.bytes = file.read(StoreSizeLimit + 1);
    if (content.bytes.size() > StoreSizeLimit)
        content.problem = QStringLiteral("túl nagy");
    return content;
}

// An INI text parsed by QSettings from a private copy: nothing else holds or caches it.
struct ParsedCopy {
    QTemporaryDir folder;
    std::unique_ptr<QSettings> settings;
    QString path;

    bool open(const QByteArray& bytes, QString* problem) {
        if (!folder.isValid()) {
            *problem = QStringLiteral("nincs ideiglenes mappa: %1").arg(folder.errorString());
            return false;
        }
        path = folder.filePath(QStringLiteral("store.ini"));
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
            *problem = QStringLiteral("ideiglenes fájl nem írható: %1").arg(file.errorString());
            return false;
        }
        file.close();
        settings = std::make_unique<QSettings>(path, QSettings::IniFormat);
        return true;
    }
};

// Why the lock could not be taken, in words the user can act on.
QString lockProblem(const QLockFile& lock, const QString& lockPath) {
    if (QFileInfo(lockPath).isDir())
        return QStringLiteral("a zárolófájl helyén egy mappa áll");
    if (lock.error() == QLockFile::LockFailedError)
        return QStringLiteral("egy másik program zárolja");
    // the folder may be full or read-only: a probe tells the system's reason
    QFile probe(lockPath + QStringLiteral(".probe"));
    QString reason = QStringLiteral("a zárolófájl nem hozható létre");
    if (!probe.open(QIODevice::WriteOnly | QIODevice::NewOnly))
        reason += QStringLiteral(": ") + probe.errorString();
    else if (probe.write(QByteArray(64, '\n')) != 64 || !probe.flush())
        reason += QStringLiteral(": ") + probe.errorString();
    probe.close();
    probe.remove();
    return reason;
}

QString hibásPath(const QString& path) {
    const QString base = path + QStringLiteral(".hibás");
    QString candidate = base;
    for (int n = 1; QFileInfo::exists(candidate) || QFileInfo(candidate).isSymLink(); ++n)
        candidate = base + u'.' + QString::number(n);
    return candidate;
}

#endif

} // namespace

#ifdef Q_OS_WIN

struct SettingsReader::Snapshot {
    std::unique_ptr<QSettings> settings;
    QSettings& store() { return *settings; }
};

SettingsReader::SettingsReader(const QString& application)
    : snapshot_(std::make_unique<Snapshot>()) {
    snapshot_->settings = registry(application);
    if (snapshot_->settings->status() != QSettings::NoError)
        problem_ = QStringLiteral("olvasási hiba");
}

QString settingsLocation(const QString& application) {
    return registry(application)->fileName();
}

SettingsWriter::Result SettingsWriter::commit(int) {
    auto store = registry(application_);
    for (const auto& [key, value] : keys_)
        store->setValue(key, value);
    store->sync();
    Result result;
    result.written = store->status() == QSettings::NoError;
    if (!result.written)
        result.messages << QStringLiteral("%1: írási hiba").arg(store->fileName());
    return result;
}

#else

struct SettingsReader::Snapshot {
    ParsedCopy copy;
    QSettings& store() { return *copy.settings; }
};

SettingsReader::SettingsReader(const QString& application)
    : snapshot_(std::make_unique<Snapshot>()) {
    const QString path = storeFile(application);
    const FileContent content = readStoreFile(path);
    if (!content.problem.isEmpty()) {
        problem_ = QStringLiteral("%1: %2").arg(path, content.problem);
        return;
    }
    if (!snapshot_->copy.open(content.bytes, &problem_))
        return;
    if (snapshot_->copy.settings->status() != QSettings::NoError)
        problem_ = QStringLiteral("%1: nem értelmezhető beállításfájl").arg(path);
}

QString settingsLocation(const QString& application) {
    return storeFile(application);
}

SettingsWriter::Result SettingsWriter::commit(int lockTimeoutMs) {
    Result result;
    const QString path = storeFile(application_);
    auto fail = [&](const QString& reason) {
        result.messages << QStringLiteral("%1: %2").arg(path, reason);
        return result;
    };

    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return fail(
            QStringLiteral("a(z) %1 mappa nem hozható létre").arg(QFileInfo(path).absolutePath()));

    // The lock QSettings itself takes, so that other writers of the store wait for us
    // and we for them, but never longer than the close may take.
    const QString lockPath = path + QStringLiteral(".lock");
    QLockFile lock(lockPath);
    if (!lock.tryLock(lockTimeoutMs))
        return fail(
            QStringLiteral("%1 (%2); nem mentve").arg(lockProblem(lock, lockPath), lockPath));

    const FileContent old = readStoreFile(path);
    if (!old.problem.isEmpty())
        return fail(old.problem + QStringLiteral(", ezért érintetlenül hagyva"));

    // The new content: the old one with this close's values, in a private copy.
    QString problem;
    ParsedCopy copy;
    if (!copy.open(old.bytes, &problem))
        return fail(problem);
    bool unparseable = copy.settings->status() != QSettings::NoError;
    auto apply = [this](QSettings& settings) {
        for (const auto& [key, value] : keys_)
            settings.setValue(key, value);
        settings.sync();
    };
    if (!unparseable) {
        apply(*copy.settings);
        unparseable = copy.settings->status() == QSettings::FormatError;
    }
    ParsedCopy fresh;
    ParsedCopy* made = &copy;
    if (unparseable) {
        if (!fresh.open({}, &problem))
            return fail(problem);
        apply(*fresh.settings);
        made = &fresh;
    }
    if (made->settings->status() != QSettings::NoError)
        return fail(QStringLiteral("az új tartalom nem állítható elő"));
    made->settings.reset();
    QFile madeFile(made->path);
    if (!madeFile.open(QIODevice::ReadOnly))
        return fail(madeFile.errorString());
    const QByteArray bytes = madeFile.readAll();

    // A file QSettings cannot parse goes aside, never over an earlier one.
    QString aside;
    if (unparseable && old.exists) {
        aside = hibásPath(path);
        QFile asideFile(aside);
        if (!asideFile.open(QIODevice::WriteOnly | QIODevice::NewOnly) ||
            asideFile.write(old.bytes) != old.bytes.size() || !asideFile.flush()) {
            const QString why = asideFile.errorString();
            asideFile.close();
            QFile::remove(aside);
            return fail(
                QStringLiteral("nem értelmezhető, és nem tehető félre (%1): %2").arg(aside, why));
        }
    }

    // Written beside the store and renamed over it only once complete.
    QSaveFile out(old.target);
    out.setDirectWriteFallback(false);
    // Unbuffered, so that a full disk shows at the write itself, before the rename: a
    // buffered write's late failure could otherwise go unseen and leave an empty store.
    if (!out.open(QIODevice::WriteOnly | QIODevice::Unbuffered) ||
        out.write(bytes) != bytes.size() || !out.flush() || !out.commit())
        return fail(
            QStringLiteral("nem írható, a régi tartalma megmaradt: %1").arg(out.errorString()));

    QFile check(old.target);
    if (!check.open(QIODevice::ReadOnly) || check.readAll() != bytes)
        return fail(QStringLiteral("a visszaolvasott tartalom eltér a kiírttól"));

    result.written = true;
    if (!aside.isEmpty())
        result.messages << QStringLiteral("%1: nem értelmezhető beállításfájl; félretéve ide: "
                                          "%2; új tároló: %1")
                               .arg(path, aside);
    return result;
}

#endif

SettingsReader::~SettingsReader() = default;

QString SettingsReader::GetSetting(const QString& section, const QString& key,
                                   const QString& defaultValue) const {
    if (!problem_.isEmpty())
        throw RuntimeError(ErrorKind::SettingsStore, problem_);
    QSettings& settings = snapshot_->store();
    settings.beginGroup(section);
    const QVariant value = settings.value(key);
    settings.endGroup();
    if (!value.isValid())
        return defaultValue;
    // An unquoted comma, typed by hand, makes a list of the value: put it back as written.
    if (value.metaType().id() == QMetaType::QStringList)
        return value.toStringList().join(u',');
    return value.toString();
}

SettingsWriter::SettingsWriter(const QString& application) : application_(application) {}

void SettingsWriter::SaveSetting(const QString& section, const QString& key, const QString& value) {
    keys_.append({section + u'/' + key, value});
}

QString GetSetting(const QString& application, const QString& section, const QString& key,
                   const QString& defaultValue) {
    return SettingsReader(application).GetSetting(section, key, defaultValue);
}

void SaveSetting(const QString& application, const QString& section, const QString& key,
                 const QString& value) {
    SettingsWriter writer(application);
    writer.SaveSetting(section, key, value);
    const SettingsWriter::Result result = writer.commit();
    if (!result.written)
        throw RuntimeError(ErrorKind::SettingsStore, result.messages.join(QStringLiteral("; ")));
}

} // namespace rt
