#include "cim.h"

#include <QUrl>
#include <QUrlQuery>

namespace Katalógus {

QString Cím::név() const {
    if (fajta == Fajta::SQLite)
        return fájl;
    QUrl u;
    u.setScheme(QStringLiteral("postgresql"));
    u.setUserName(felhasználó);
    u.setPath(u'/' + adatbázis);
    if (gazda.startsWith(u'/')) { // a Unix socket's folder, and its port, as parameters
        QUrlQuery q;
        q.addQueryItem(QStringLiteral("host"), gazda);
        if (port > 0)
            q.addQueryItem(QStringLiteral("port"), QString::number(port));
        u.setQuery(q);
    } else {
        u.setHost(gazda);
        if (port > 0)
            u.setPort(port);
    }
    return u.toString();
}

std::optional<Cím> CímOlvas(const QString& szöveg, QString* miért) {
    Cím c;
    const QString s = szöveg.trimmed();
    const bool postgres = s.startsWith(QStringLiteral("postgresql://"), Qt::CaseInsensitive) ||
                          s.startsWith(QStringLiteral("postgres://"), Qt::CaseInsensitive);
    if (!postgres) {
        if (s.isEmpty() || s.contains(QStringLiteral("://"))) {
            *miért = QStringLiteral("a katalógus egy fájl vagy egy postgresql:// cím: \"%1\"")
                         .arg(szöveg);
            return std::nullopt;
        }
        c.fájl = s;
        return c;
    }
    c.fajta = Cím::Fajta::PostgreSQL;
    const QUrl u(s, QUrl::StrictMode);
    if (!u.isValid()) {
        *miért = QStringLiteral("hibás postgresql:// cím: \"%1\"").arg(szöveg);
        return std::nullopt;
    }
    c.felhasználó = u.userName();
    c.jelszó = u.password();
    c.gazda = u.host();
    c.port = u.port(-1);
    c.adatbázis = u.path().mid(1);
    const QUrlQuery q(u);
    if (q.hasQueryItem(QStringLiteral("host")))
        c.gazda = q.queryItemValue(QStringLiteral("host"), QUrl::FullyDecoded);
    if (q.hasQueryItem(QStringLiteral("port"))) {
        bool szám = false;
        c.port = q.queryItemValue(QStringLiteral("port")).toInt(&szám);
        if (!szám || c.port <= 0 || c.port > 65535) {
            *miért = QStringLiteral("a postgresql:// cím portja nem szám: \"%1\"").arg(szöveg);
            return std::nullopt;
        }
    }
    if (c.adatbázis.isEmpty() || c.adatbázis.contains(u'/')) {
        *miért =
            QStringLiteral("a postgresql:// címből hiányzik az adatbázis neve: \"%1\"").arg(szöveg);
        return std::nullopt;
    }
    return c;
}

} // namespace Katalógus
