#pragma once

// A private PostgreSQL cluster for a test: made in a temporary folder, listening on a Unix
// socket there alone, started and stopped by the test itself; run as the "postgres" user
// where the test runs as root (the server refuses root).
#include <QDir>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QUuid>

#include <pwd.h>
#include <unistd.h>

class PostgresCluster {
public:
    // Whether the server's programs are here at all.
    static QString binaries() {
        const QDir dir(QStringLiteral("/usr/lib/postgresql"));
        QStringList versions = dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
        for (auto v = versions.crbegin(); v != versions.crend(); ++v)
            if (QFile::exists(dir.filePath(*v + QStringLiteral("/bin/initdb"))))
                return dir.filePath(*v + QStringLiteral("/bin/"));
        return {};
    }

    bool start(QString* why) {
        bin_ = binaries();
        if (bin_.isEmpty()) {
            *why = QStringLiteral("no PostgreSQL server programs in /usr/lib/postgresql");
            return false;
        }
        if (!dir_.isValid()) {
            *why = QStringLiteral("no temporary folder");
            return false;
        }
        if (geteuid() == 0) {
            const passwd* pw = getpwnam("postgres");
            if (!pw || chown(dir_.path().toLocal8Bit().constData(), pw->pw_uid, pw->pw_gid) != 0) {
                *why =
                    QStringLiteral("running as root, and no \"postgres\" user to run the server");
                return false;
            }
            asUser_ = true;
        }
        const QString data = dir_.filePath(QStringLiteral("data"));
        if (!run(QStringLiteral("initdb"),
                 {"-D", data, "-A", "trust", "-U", "postgres", "-E", "UTF8", "--locale=C",
                  "--no-sync"},
                 why))
            return false;
        const QString options = QStringLiteral("-k %1 -c listen_addresses='' -c fsync=off -p %2")
                                    .arg(dir_.path())
                                    .arg(port_);
        if (!run(QStringLiteral("pg_ctl"),
                 {"-D", data, "-o", options, "-w", "-l", dir_.filePath(QStringLiteral("log")),
                  "start"},
                 why))
            return false;
        running_ = true;
        return true;
    }

    ~PostgresCluster() {
        if (running_) {
            QString why;
            run(QStringLiteral("pg_ctl"),
                {"-D", dir_.filePath(QStringLiteral("data")), "-m", "immediate", "-w", "stop"},
                &why);
        }
    }

    // A new database of its own, and its address.
    QString newDatabase(QString* why) {
        const QString name = QStringLiteral("k") + QUuid::createUuid().toString(QUuid::Id128);
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), name);
            db.setHostName(dir_.path());
            db.setPort(port_);
            db.setUserName(QStringLiteral("postgres"));
            db.setDatabaseName(QStringLiteral("postgres"));
            if (!db.open() || !QSqlQuery(db).exec(QStringLiteral("CREATE DATABASE ") + name))
                *why = db.lastError().text();
        }
        QSqlDatabase::removeDatabase(name);
        if (!why->isEmpty())
            return {};
        return QStringLiteral("postgresql://postgres@/%1?host=%2&port=%3")
            .arg(name, dir_.path())
            .arg(port_);
    }

private:
    bool run(const QString& program, const QStringList& arguments, QString* why) {
        QProcess p;
        if (asUser_)
            p.start(QStringLiteral("runuser"),
                    QStringList{"-u", "postgres", "--", bin_ + program} + arguments);
        else
            p.start(bin_ + program, arguments);
        if (!p.waitForFinished(120000) || p.exitStatus() != QProcess::NormalExit ||
            p.exitCode() != 0) {
            *why =
                program + QStringLiteral(": ") + QString::fromLocal8Bit(p.readAllStandardError());
            return false;
        }
        return true;
    }

    QTemporaryDir dir_;
    QString bin_;
    int port_ = 5432;
    bool asUser_ = false;
    bool running_ = false;
};
