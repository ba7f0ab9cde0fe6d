// The settings store as a user's machine treats it: full disks, links, locks held by
// other processes, two instances closing at once, files that editors, other programs and
// crashes have left behind.
#include "runtime/settings_store.h"
#include "settings/ablakhelyzet.h"
#include "settings/emlek.h"
#include "testlocale.h"
#include "testwindow.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLockFile>
#include <QProcess>
#include <QScopeGuard>
#include <QSettings>
#include <QTemporaryDir>
#include <QThread>
#include <QtTest>

#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QString app = QStringLiteral("Velorix");
const QString section = QStringLiteral("Form1");

// A valid store with the user's position, as a close writes it.
const QByteArray validStore = "[Form1]\nablak%U00E1llapot=0\nablak%20balsz%U00E9le=1440\n"
                              "ablak%20fels%U0151sz%U00E9le=2880\n";

QTemporaryDir& configDir() {
    static QTemporaryDir dir;
    return dir;
}

QString storePath() {
    return rt::settingsLocation(app);
}

QByteArray contentOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(bytes), bytes.size());
}

// The helper modes of this program, run as a second process.
int runHelper(const QByteArray& mode) {
    if (mode == "hold-lock") {
        QLockFile lock(storePath() + QStringLiteral(".lock"));
        if (!lock.lock())
            return 3;
        std::fputs("locked\n", stdout);
        std::fflush(stdout);
        QThread::sleep(30);
        return 0;
    }
    if (mode.startsWith("save:")) { // save:<left>, the top edge twice the left edge
        TestScreens screens(15360, 11520);
        TestWindow window;
        window.left = mode.mid(5).toFloat();
        window.top = window.left * 2;
        AblakHelyzet placement(screens);
        placement.setNumberFormat(QLocale::c());
        placement.AblakHelyzetMentés(window);
        return 0;
    }
    return 4;
}

} // namespace

class TestStore : public QObject {
    Q_OBJECT

    QStringList warnings;
    TestScreens screens{15360, 11520};

    AblakHelyzet placement() {
        AblakHelyzet p(screens);
        p.setNumberFormat(QLocale::c());
        p.setWarningSink([this](const QString& w) { warnings << w; });
        return p;
    }

    // Closes a window at (left, top) and says how long the close took.
    qint64 close(float left, float top) {
        TestWindow w;
        w.left = left;
        w.top = top;
        QElapsedTimer timer;
        timer.start();
        placement().AblakHelyzetMentés(w);
        return timer.elapsed();
    }

    TestWindow load() {
        TestWindow w;
        placement().AblakHelyzetBetöltés(w);
        return w;
    }

    QString warned() const { return warnings.join(u'\n'); }

    static QString run(const QByteArray& mode, QProcess& process) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("VELORIX_STORE_HELPER"), QString::fromLatin1(mode));
        process.setProcessEnvironment(env);
        process.start(QCoreApplication::applicationFilePath(), {});
        return process.program();
    }

private slots:
    void init() {
        QDir(QFileInfo(storePath()).absolutePath()).removeRecursively();
        QDir().mkpath(QFileInfo(storePath()).absolutePath());
        warnings.clear();
    }

    // A store on a nearly full disk: the old file stays intact when the new one cannot
    // be written, and standard error says why; with room left, the new one is complete.
    void fullDisk_data() {
        QTest::addColumn<int>("free");
        QTest::addColumn<bool>("written");
        QTest::newRow("full") << 0 << false;
        QTest::newRow("4 KiB free: the lock, not the new file") << 4096 << false;
        QTest::newRow("8 KiB free") << 8192 << true;
    }
    void fullDisk() {
        QFETCH(int, free);
        QFETCH(bool, written);
        if (geteuid() != 0)
            QSKIP("mounting a small tmpfs needs root");
        QTemporaryDir mountPoint;
        const QByteArray where = QFile::encodeName(mountPoint.path());
        if (::mount("tmpfs", where.constData(), "tmpfs", 0, "size=24k") != 0)
            QSKIP("this machine cannot mount a tmpfs here");
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, mountPoint.path());
        const auto restore = qScopeGuard([&] { // also when a check below fails
            QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, configDir().path());
            ::umount(where.constData());
        });
        const QString path = storePath();
        writeFile(path, validStore);
        { // fill the rest, then give back what the row leaves free
            QFile filler(mountPoint.filePath(QStringLiteral("filler")));
            QVERIFY(filler.open(QIODevice::WriteOnly));
            const QByteArray page(4096, 'x');
            while (filler.write(page) == page.size() && filler.flush())
                ;
            filler.close();
            QVERIFY(filler.resize(filler.size() - free));
        }
        const qint64 took = close(3000, 4000);
        const QByteArray after = contentOf(path);
        TestWindow w = load();

        if (!written) {
            QCOMPARE(after, validStore);
            QVERIFY2(warned().contains(QStringLiteral("nem menthető")), qPrintable(warned()));
            QCOMPARE(w.left, 1440.0f);
        } else {
            QCOMPARE(w.left, 3000.0f);
            QCOMPARE(w.top, 4000.0f);
            QVERIFY2(warnings.isEmpty(), qPrintable(warned()));
        }
        QVERIFY(took < 2000);
    }

    // Stores that are not files, or far too large: defaults at once, left alone at close.
    void notAFileOrTooLarge_data() {
        QTest::addColumn<QString>("kind");
        QTest::newRow("FIFO") << "fifo";
        QTest::newRow("link to /dev/full") << "devfull";
        QTest::newRow("folder") << "folder";
        QTest::newRow("2 MB file") << "large";
    }
    void notAFileOrTooLarge() {
        QFETCH(QString, kind);
        const QString path = storePath();
        const QByteArray name = QFile::encodeName(path);
        if (kind == QLatin1String("fifo"))
            QCOMPARE(::mkfifo(name.constData(), 0600), 0);
        else if (kind == QLatin1String("devfull"))
            QVERIFY(QFile::link(QStringLiteral("/dev/full"), path));
        else if (kind == QLatin1String("folder"))
            QVERIFY(QDir().mkdir(path));
        else
            writeFile(path, validStore + QByteArray(2 * 1024 * 1024, '#'));
        const QFileInfo before(path);

        QElapsedTimer timer;
        timer.start();
        TestWindow w = load();
        QCOMPARE(w.left, 3840.0f); // the defaults
        QCOMPARE(w.top, 5120.0f);
        QVERIFY(warned().contains(path));
        warnings.clear();
        close(100, 200);
        QVERIFY(timer.elapsed() < 2000);
        QVERIFY2(warned().contains(QStringLiteral("érintetlenül")), qPrintable(warned()));
        const QFileInfo after(path);
        QCOMPARE(after.isSymLink(), before.isSymLink());
        QCOMPARE(after.isDir(), before.isDir());
        QCOMPARE(after.isFile(), before.isFile());
        QCOMPARE(after.size(), before.size());
    }

    // Another program's lock: a folder in its place, or a second process holding it.
    void lockedStoreDoesNotHoldTheClose() {
        const QString path = storePath();
        writeFile(path, validStore);
        QVERIFY(QDir().mkdir(path + QStringLiteral(".lock")));
        qint64 took = close(100, 200);
        QVERIFY2(took < 1800, QByteArray::number(took).constData());
        QVERIFY2(warned().contains(QStringLiteral("mappa")), qPrintable(warned()));
        QCOMPARE(contentOf(path), validStore);
        QVERIFY(QDir().rmdir(path + QStringLiteral(".lock")));

        warnings.clear();
        QProcess holder;
        run("hold-lock", holder);
        QVERIFY(holder.waitForReadyRead(10000));
        QCOMPARE(holder.readLine(), QByteArray("locked\n"));
        took = close(100, 200);
        holder.kill();
        holder.waitForFinished();
        QVERIFY2(took < 1800, QByteArray::number(took).constData());
        QVERIFY2(warned().contains(QStringLiteral("másik program")), qPrintable(warned()));
        QCOMPARE(contentOf(path), validStore);

        warnings.clear();
        close(100, 200); // the holder is gone: its stale lock does not stop the next close
        QVERIFY2(warnings.isEmpty(), qPrintable(warned()));
        QCOMPARE(load().left, 100.0f);
    }

    // Two instances closing at the same moment: the store holds one window's complete
    // placement, never the left edge of one and the top edge of the other.
    void twoInstancesClosingAtOnce() {
        for (int round = 0; round < 20; ++round) {
            QProcess first, second;
            run("save:" + QByteArray::number(1000 + round), first);
            run("save:" + QByteArray::number(5000 + round), second);
            QVERIFY(first.waitForFinished(10000));
            QVERIFY(second.waitForFinished(10000));
            QCOMPARE(first.exitCode(), 0);
            QCOMPARE(second.exitCode(), 0);
            const rt::SettingsReader store(app);
            const int left = store.GetSetting(section, AblakHelyzet::KulcsBalszél).toInt();
            QVERIFY2(left == 1000 + round || left == 5000 + round, QByteArray::number(left));
            QCOMPARE(store.GetSetting(section, AblakHelyzet::KulcsFelsőszél).toInt(), left * 2);
        }
    }

    // A store QSettings cannot parse goes aside, never over an earlier one, and a fresh
    // store takes the close's values.
    void unparseableStoreIsKeptAside_data() {
        QTest::addColumn<QByteArray>("bytes");
        QByteArray binary(300, '\0');
        for (int i = 0; i < binary.size(); ++i)
            binary[i] = char((i * 73 + 11) % 256);
        QTest::newRow("binary") << binary;
        QTest::newRow("broken header") << QByteArray("[Form1\nablak%U00E1llapot=0\n");
    }
    void unparseableStoreIsKeptAside() {
        QFETCH(QByteArray, bytes);
        const QString path = storePath();
        for (const QString& aside :
             {path + QStringLiteral(".hibás"), path + QStringLiteral(".hibás.1")}) {
            writeFile(path, bytes);
            warnings.clear();
            close(700, 800);
            QCOMPARE(contentOf(aside), bytes);
            QVERIFY2(warned().contains(aside) && warned().contains(path), qPrintable(warned()));
            const TestWindow w = load();
            QCOMPARE(w.left, 700.0f);
            QCOMPARE(w.top, 800.0f);
        }
        QCOMPARE(contentOf(path + QStringLiteral(".hibás")), bytes); // not overwritten
    }

    // One rule for a whole load: a file with a format error counts as unreadable for
    // every value, not only for the first one read.
    void formatErrorAppliesToTheWholeLoad() {
        writeFile(storePath(), "[Form1\nablak%U00E1llapot=1\n[Form1]\nablak%20balsz%U00E9le=100\n"
                               "ablak%20fels%U0151sz%U00E9le=200\n");
        const TestWindow w = load();
        QCOMPARE(int(w.state), 0);
        QCOMPARE(w.left, 3840.0f);
        QCOMPARE(w.top, 5120.0f);
    }

    // Typed by hand with an unquoted comma (a list to QSettings): the text as written,
    // read in the user's number format or with the other separator.
    void handTypedComma_data() {
        QTest::addColumn<QLocale>("format");
        QTest::newRow("comma format") << QLocale(QLocale::Hungarian, QLocale::Hungary);
        QTest::newRow("point format") << QLocale::c();
    }
    void handTypedComma() {
        QFETCH(QLocale, format);
        writeFile(storePath(), "[Form1]\nablak balszéle=1234,5\nablak felsőszéle=99\n");
        QCOMPARE(rt::GetSetting(app, section, QStringLiteral("ablak balszéle")),
                 QStringLiteral("1234,5"));
        AblakHelyzet p(screens);
        p.setNumberFormat(format);
        TestWindow w;
        p.AblakHelyzetBetöltés(w);
        QCOMPARE(w.left, 1234.5f);
        QCOMPARE(w.top, 99.0f);
    }

    // A store kept elsewhere behind a link (a dotfiles folder) is written where it lies,
    // the link stays, and so do the file's permissions.
    void linkedStoreStaysLinked() {
        const QString real = configDir().filePath(QStringLiteral("dotfiles/Velorix.ini"));
        QVERIFY(QDir().mkpath(QFileInfo(real).absolutePath()));
        writeFile(real, validStore);
        QVERIFY(QFile::setPermissions(real, QFile::ReadOwner | QFile::WriteOwner));
        QVERIFY(QFile::link(real, storePath()));
        close(10, 20);
        QVERIFY2(warnings.isEmpty(), qPrintable(warned()));
        QVERIFY(QFileInfo(storePath()).isSymLink());
        const QFile::Permissions kept = QFile::permissions(real);
        QVERIFY(kept.testFlag(QFile::WriteOwner));
        QVERIFY(!(kept & (QFile::ReadGroup | QFile::ReadOther))); // still private
        QCOMPARE(load().left, 10.0f);
        QFile::remove(real);
    }

    // What the user's file held besides the placement survives a close.
    // What the program remembers besides the placement: numbers and rectangles read back as
    // written, absent or garbled ones as nothing, and an unreadable store said, not ignored.
    void memoriesReadBack_data() {
        QTest::addColumn<QByteArray>("stored"); // the value as the file holds it
        QTest::addColumn<bool>("number");       // read back as a sensitivity
        QTest::addColumn<bool>("rectangle");    // read back as a place
        QTest::newRow("a sensitivity") << QByteArray("2500.5") << true << false;
        QTest::newRow("a place") << QByteArray("10 20 900 700") << false << true;
        QTest::newRow("a negative number") << QByteArray("-3") << false << false;
        QTest::newRow("a decimal comma") << QByteArray("\"2500,5\"") << false << false;
        QTest::newRow("three numbers") << QByteArray("10 20 900") << false << false;
        QTest::newRow("an empty place") << QByteArray("0 0 0 0") << false << false;
    }
    void memoriesReadBack() {
        QFETCH(QByteArray, stored);
        QFETCH(bool, number);
        QFETCH(bool, rectangle);
        writeFile(storePath(), "[Emlek]\nkulcs=" + stored + "\n");
        const Emlék e(QStringLiteral("Emlek"));
        QCOMPARE(e.Szám(QStringLiteral("kulcs")).has_value(), number);
        QCOMPARE(e.Téglalap(QStringLiteral("kulcs")).has_value(), rectangle);
        QVERIFY(!e.Szöveg(QStringLiteral("nincs")));
        QVERIFY(e.Szöveg(QStringLiteral("kulcs")));
        // what is written reads back
        QVERIFY(e.Ment({{QStringLiteral("szám"), Emlék::Szám(1234.5678)},
                        {QStringLiteral("hely"), Emlék::Téglalap(QRect(5, 6, 700, 500))}}));
        QCOMPARE(*e.Szám(QStringLiteral("szám")), 1234.5678);
        QCOMPARE(*e.Téglalap(QStringLiteral("hely")), QRect(5, 6, 700, 500));
        QCOMPARE(e.Szöveg(QStringLiteral("kulcs")).value_or(QString()).toUtf8(),
                 QByteArray(stored).replace("\"", ""));
    }
    void unreadableMemoriesAreSaid() {
        QStringList said;
        Emlék::FigyelmeztetésIde([&](const QString& s) { said << s; });
        writeFile(storePath(), QByteArray(2 << 20, 'x')); // over the size a store may have
        const Emlék e(QStringLiteral("Erzekenyseg"));
        QVERIFY(!e.Szám(QStringLiteral("HU.BUD1.00")));
        QCOMPARE(said.size(), 1);
        QVERIFY2(said.front().startsWith(QStringLiteral("Velorix: ")), qPrintable(said.front()));
        Emlék::FigyelmeztetésIde({});
    }

    void otherContentSurvives() {
        writeFile(storePath(), "[Other]\nsomething=kept\n" + validStore);
        close(10, 20);
        QSettings file(storePath(), QSettings::IniFormat);
        QCOMPARE(file.value(QStringLiteral("Other/something")).toString(), QStringLiteral("kept"));
        QCOMPARE(load().left, 10.0f);
    }
};

int main(int argc, char** argv) {
    const QByteArray helper = qgetenv("VELORIX_STORE_HELPER");
    if (helper.isEmpty()) // a helper shares the store of the test that started it
        qputenv("XDG_CONFIG_HOME", configDir().path().toUtf8());
    QCoreApplication app(argc, argv);
    checkExpectedLocale();
    if (!helper.isEmpty())
        return runHelper(helper);
    TestStore test;
    return QTest::qExec(&test, argc, argv);
}
#include "test_store.moc"
