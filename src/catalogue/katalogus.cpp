#include "katalogus.h"

#include "runtime/app.h"
#include "sema.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QUuid>
#include <QVariant>

#include <QTimeZone>

#include <cmath>
#include <map>

namespace Katalógus {

namespace {

template <class T> QVariant érték(const std::optional<T>& o) {
    return o ? QVariant::fromValue(*o) : QVariant(QMetaType::fromType<T>());
}

template <class T> std::optional<T> opcionális(const QVariant& v) {
    if (v.isNull())
        return std::nullopt;
    return v.value<T>();
}

// A text for a NOT NULL column: an empty one is no NULL.
QVariant szöveg(const QString& s) {
    return s.isNull() ? QVariant(QStringLiteral("")) : QVariant(s);
}

Hiba lekérdezésHiba(const QSqlQuery& q) {
    return {Hiba::Fajta::Lekérdezés, q.lastError().text()};
}

// A writing transaction, begun where it is made (IMMEDIATE on SQLite: a second writer waits at
// its start and never fails at its commit) and rolled back where it ends uncommitted, so every
// way out of a writer leaves the catalogue as it was.
class Tranzakció {
public:
    Tranzakció(const QSqlDatabase& db, bool postgres) : db_(db) {
        QSqlQuery q(db_);
        if (!q.exec(postgres ? QStringLiteral("BEGIN") : QStringLiteral("BEGIN IMMEDIATE")))
            hiba = lekérdezésHiba(q);
    }
    ~Tranzakció() {
        if (!hiba && !kész_)
            QSqlQuery(db_).exec(QStringLiteral("ROLLBACK"));
    }
    Tranzakció(const Tranzakció&) = delete;
    Tranzakció& operator=(const Tranzakció&) = delete;

    // committed through the writer's own query, which that ends (SQLite commits nothing while
    // a statement is still in progress)
    std::optional<Hiba> véglegesít(QSqlQuery& q) {
        if (!q.exec(QStringLiteral("COMMIT")))
            return lekérdezésHiba(q);
        kész_ = true;
        return std::nullopt;
    }

    std::optional<Hiba> hiba; // it could not begin

private:
    QSqlDatabase db_;
    bool kész_ = false;
};

// A file's measurements and their components written (within the caller's transaction); a
// measurement of a record and event in `megtartott` keeps the distance and charge it had.
std::optional<Hiba> mérésekBeír(QSqlDatabase& db, qint64 fájlId,
                                const std::map<QString, qint64>& pontId,
                                const std::vector<Mérés>& mérések,
                                const std::map<std::pair<int, int>, Mérés>& megtartott) {
    QSqlQuery mq(db), kq(db);
    mq.prepare(QStringLiteral(
        "INSERT INTO meres (fajl_id, pont_id, sorszam, esemeny, kezdet_mikro, vege_mikro, "
        "inditas_mikro, mintavetel, mintaszam, kategoria, hely, modszer, itelet, miert, donto, "
        "ppv, frekvencia, hatar_szazad, kihasznaltsag_tized, pvs, legnyomas, tavolsag, toltet, "
        "aranyos_tavolsag) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, "
        "?, ?, ?) RETURNING id"));
    kq.prepare(QStringLiteral(
        "INSERT INTO komponens (meres_id, sorszam, csatorna, mennyiseg, ppv, ido, zc, fft, "
        "gyorsulas, elmozdulas, hatar_szazad, kihasznaltsag_tized, itelet) VALUES (?, ?, ?, ?, "
        "?, ?, ?, ?, ?, ?, ?, ?, ?)"));
    for (const Mérés& eredeti : mérések) {
        Mérés m = eredeti;
        if (const auto i = megtartott.find({m.sorszám, m.esemény}); i != megtartott.end()) {
            if (i->second.távolság || i->second.töltet) { // what it had before, where it had it
                m.távolság = i->second.távolság;
                m.töltet = i->second.töltet;
                m.arányosTávolság = i->second.arányosTávolság;
            }
        }
        for (const QVariant& v : {QVariant(fájlId),
                                  QVariant(pontId.at(m.pont)),
                                  QVariant(m.sorszám),
                                  QVariant(m.esemény),
                                  érték(m.kezdetMikro),
                                  érték(m.végMikro),
                                  érték(m.indításMikro),
                                  QVariant(m.mintavétel),
                                  QVariant(m.mintaszám),
                                  QVariant(m.kategória),
                                  QVariant(m.hely),
                                  QVariant(m.módszer),
                                  QVariant(int(m.ítélet)),
                                  szöveg(m.miért),
                                  szöveg(m.döntő),
                                  érték(m.ppv),
                                  érték(m.frekvencia),
                                  érték(m.határSzázad),
                                  érték(m.kihasználtságTized),
                                  érték(m.pvs),
                                  érték(m.légnyomás),
                                  érték(m.távolság),
                                  érték(m.töltet),
                                  érték(m.arányosTávolság)})
            mq.addBindValue(v);
        if (!mq.exec() || !mq.next())
            return lekérdezésHiba(mq);
        const qint64 mérésId = mq.value(0).toLongLong();
        mq.finish();
        for (std::size_t i = 0; i < m.komponensek.size(); ++i) {
            const Komponens& c = m.komponensek[i];
            for (const QVariant& v :
                 {QVariant(mérésId), QVariant(int(i)), szöveg(c.csatorna), QVariant(c.mennyiség),
                  érték(c.ppv), érték(c.idő), érték(c.zc), érték(c.fft), érték(c.gyorsulás),
                  érték(c.elmozdulás), érték(c.határSzázad), érték(c.kihasználtságTized),
                  szöveg(c.ítélet)})
                kq.addBindValue(v);
            if (!kq.exec())
                return lekérdezésHiba(kq);
        }
    }
    return std::nullopt;
}

// What an SQLite file must begin with, unless it is empty.
constexpr char SQLiteFejléc[] = "SQLite format 3";

} // namespace

QString Katalógusfájl::Ujjlenyomat(const QByteArray& bájtok) {
    return QString::fromLatin1(
        QCryptographicHash::hash(bájtok, QCryptographicHash::Sha256).toHex());
}

std::variant<std::unique_ptr<Katalógusfájl>, Hiba> Katalógusfájl::Megnyit(const Cím& cím,
                                                                          bool írásra) {
    std::unique_ptr<Katalógusfájl> k(new Katalógusfájl);
    k->cím_ = cím;
    k->postgres_ = cím.fajta == Cím::Fajta::PostgreSQL;
    k->kapcsolat_ = QStringLiteral("katalogus-") + QUuid::createUuid().toString(QUuid::Id128);
    if (!k->postgres_) {
        const QFileInfo i(cím.fájl);
        if (i.exists()) {
            if (!i.isFile())
                return Hiba{Hiba::Fajta::NemKatalógus, QStringLiteral("nem fájl")};
            QFile f(cím.fájl);
            if (!f.open(QIODevice::ReadOnly))
                return Hiba{Hiba::Fajta::Kapcsolat, f.errorString()};
            const QByteArray eleje = f.read(16);
            if (!eleje.isEmpty() && !eleje.startsWith(SQLiteFejléc))
                return Hiba{Hiba::Fajta::NemKatalógus,
                            QStringLiteral("nem Velorix-katalógus (sérült vagy más fájl); a "
                                           "program nem írja felül")};
        } else if (!írásra) {
            return Hiba{Hiba::Fajta::NincsIlyen, QStringLiteral("nincs ilyen katalógus")};
        }
    }
    QSqlDatabase db = QSqlDatabase::addDatabase(
        k->postgres_ ? QStringLiteral("QPSQL") : QStringLiteral("QSQLITE"), k->kapcsolat_);
    if (!db.isValid())
        return Hiba{Hiba::Fajta::Kapcsolat, QStringLiteral("a Qt SQL %1 meghajtója nincs telepítve")
                                                .arg(k->postgres_ ? QStringLiteral("PostgreSQL")
                                                                  : QStringLiteral("SQLite"))};
    if (k->postgres_) {
        db.setHostName(cím.gazda);
        if (cím.port > 0)
            db.setPort(cím.port);
        db.setUserName(cím.felhasználó);
        db.setPassword(cím.jelszó);
        db.setDatabaseName(cím.adatbázis);
        db.setConnectOptions(QStringLiteral("connect_timeout=10"));
    } else {
        db.setDatabaseName(cím.fájl);
        // a second importer's transaction is waited for, not failed
        db.setConnectOptions(írásra ? QStringLiteral("QSQLITE_BUSY_TIMEOUT=120000")
                                    : QStringLiteral("QSQLITE_BUSY_TIMEOUT=120000;"
                                                     "QSQLITE_OPEN_READONLY"));
    }
    if (!db.open())
        return Hiba{Hiba::Fajta::Kapcsolat, db.lastError().text()};
    QSqlQuery q(db);
    if (!k->postgres_) {
        // a file the driver cannot read as a database is damaged or something else
        if (!q.exec(QStringLiteral("PRAGMA schema_version")))
            return Hiba{Hiba::Fajta::NemKatalógus,
                        QStringLiteral("nem olvasható adatbázisként (%1); a program nem írja "
                                       "felül")
                            .arg(q.lastError().databaseText())};
        q.exec(QStringLiteral("PRAGMA foreign_keys = ON"));
    }
    int verzió = 0;
    if (std::optional<Hiba> h = Sémát(db, k->postgres_, írásra, verzió))
        return *h;
    if (verzió > SémaVerzió && írásra)
        return Hiba{Hiba::Fajta::ÚjabbSéma,
                    QStringLiteral("a katalógus egy újabb Velorix-változaté (séma %1, ez a "
                                   "program a %2-est ismeri): csak olvasható, nem írja")
                        .arg(verzió)
                        .arg(SémaVerzió)};
    if (!k->postgres_ && írásra) { // readers meanwhile see the last whole import
        q.exec(QStringLiteral("PRAGMA journal_mode = WAL"));
        // in WAL a commit is whole after a crash of the program; only a power cut may take
        // back the last ones, never leave half of one
        q.exec(QStringLiteral("PRAGMA synchronous = NORMAL"));
        q.finish();
    }
    k->séma_ = verzió;
    return k;
}

Katalógusfájl::~Katalógusfájl() {
    {
        QSqlDatabase db = QSqlDatabase::database(kapcsolat_, false);
        if (db.isOpen())
            db.close();
    }
    QSqlDatabase::removeDatabase(kapcsolat_);
}

std::variant<bool, Hiba> Katalógusfájl::benne(const QByteArray& bájtok) {
    QSqlQuery q(QSqlDatabase::database(kapcsolat_));
    q.prepare(QStringLiteral("SELECT 1 FROM fajl WHERE sha256 = ?"));
    q.addBindValue(Ujjlenyomat(bájtok));
    if (!q.exec())
        return lekérdezésHiba(q);
    return q.next();
}

std::variant<std::vector<Pont>, Hiba> Katalógusfájl::pontok(const QString& kód) {
    QSqlQuery q(QSqlDatabase::database(kapcsolat_));
    // the clock offset came with the second schema: an older catalogue read as it is
    q.prepare(QStringLiteral("SELECT kod, kategoria, hely, eov_y, eov_x, szelesseg, hosszusag, "
                             "erzekelo, muszer, kalibralas, %1 FROM pont%2 ORDER BY kod")
                  .arg(séma_ >= 2 ? QStringLiteral("ora_elteres_mikro") : QStringLiteral("NULL"),
                       kód.isNull() ? QString() : QStringLiteral(" WHERE kod = ?")));
    if (!kód.isNull())
        q.addBindValue(kód);
    if (!q.exec())
        return lekérdezésHiba(q);
    std::vector<Pont> pontok;
    while (q.next()) {
        Pont p;
        p.kód = q.value(0).toString();
        p.kategória = q.value(1).toInt();
        p.hely = q.value(2).toInt();
        p.eovY = opcionális<double>(q.value(3));
        p.eovX = opcionális<double>(q.value(4));
        p.szélesség = opcionális<double>(q.value(5));
        p.hosszúság = opcionális<double>(q.value(6));
        p.érzékelő = q.value(7).toString();
        p.műszer = q.value(8).toString();
        p.kalibrálás = q.value(9).toString();
        p.óraEltérésMikro = opcionális<qint64>(q.value(10));
        pontok.push_back(std::move(p));
    }
    return pontok;
}

std::variant<std::optional<Pont>, Hiba> Katalógusfájl::pont(const QString& kód) {
    auto p = pontok(kód.isNull() ? QStringLiteral("") : kód);
    if (auto* h = std::get_if<Hiba>(&p))
        return *h;
    auto& v = std::get<std::vector<Pont>>(p);
    return v.empty() ? std::optional<Pont>{} : std::optional<Pont>{std::move(v.front())};
}

std::variant<Helyszín, Hiba> Katalógusfájl::helyszín() {
    QSqlQuery q(QSqlDatabase::database(kapcsolat_));
    if (!q.exec(QStringLiteral("SELECT nev, megrendelo, megjegyzes FROM helyszin WHERE id = 1")))
        return lekérdezésHiba(q);
    Helyszín h;
    if (q.next()) {
        h.név = q.value(0).toString();
        h.megrendelő = q.value(1).toString();
        h.megjegyzés = q.value(2).toString();
    }
    return h;
}

std::variant<Katalógusfájl::Eredmény, Hiba>
Katalógusfájl::felvesz(const QString& név, const QByteArray& bájtok, const QString& beállítás,
                       const std::vector<Pont>& pontok, const std::vector<Mérés>& mérések) {
    QSqlDatabase db = QSqlDatabase::database(kapcsolat_);
    Tranzakció t(db, postgres_);
    if (t.hiba)
        return *t.hiba;
    QSqlQuery q(db);
    const QString ujjlenyomat = Ujjlenyomat(bájtok);
    q.prepare(QStringLiteral("SELECT id FROM fajl WHERE sha256 = ?"));
    q.addBindValue(ujjlenyomat);
    if (!q.exec())
        return lekérdezésHiba(q);
    if (q.next())
        return Eredmény::MárBenne;

    // the points, made where new (a second importer making the same one meanwhile is waited
    // for, and its row taken); one that has another category than the one judged by is a
    // contradiction
    std::map<QString, qint64> pontId;
    for (const Pont& p : pontok) {
        q.prepare(QStringLiteral("INSERT INTO pont (kod, kategoria, hely, eov_y, eov_x, szelesseg, "
                                 "hosszusag, ora_elteres_mikro, erzekelo, muszer, kalibralas) "
                                 "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?) "
                                 "ON CONFLICT (kod) DO NOTHING"));
        for (const QVariant& v :
             {QVariant(p.kód), QVariant(p.kategória), QVariant(p.hely), érték(p.eovY),
              érték(p.eovX), érték(p.szélesség), érték(p.hosszúság), érték(p.óraEltérésMikro),
              szöveg(p.érzékelő), szöveg(p.műszer), szöveg(p.kalibrálás)})
            q.addBindValue(v);
        if (!q.exec())
            return lekérdezésHiba(q);
        // coordinates given later for a point that had none; a clock offset as last given
        q.prepare(QStringLiteral("UPDATE pont SET eov_y = COALESCE(eov_y, ?), eov_x = "
                                 "COALESCE(eov_x, ?), szelesseg = COALESCE(szelesseg, ?), "
                                 "hosszusag = COALESCE(hosszusag, ?), ora_elteres_mikro = "
                                 "COALESCE(?, ora_elteres_mikro), erzekelo = COALESCE(NULLIF(?, "
                                 "''), erzekelo), muszer = COALESCE(NULLIF(?, ''), muszer), "
                                 "kalibralas = COALESCE(NULLIF(?, ''), kalibralas) WHERE kod = ?"));
        for (const QVariant& v : {érték(p.eovY), érték(p.eovX), érték(p.szélesség),
                                  érték(p.hosszúság), érték(p.óraEltérésMikro), szöveg(p.érzékelő),
                                  szöveg(p.műszer), szöveg(p.kalibrálás), QVariant(p.kód)})
            q.addBindValue(v);
        if (!q.exec())
            return lekérdezésHiba(q);
        q.prepare(QStringLiteral("SELECT id, kategoria, hely FROM pont WHERE kod = ?"));
        q.addBindValue(p.kód);
        if (!q.exec() || !q.next())
            return lekérdezésHiba(q);
        if (q.value(1).toInt() != p.kategória || q.value(2).toInt() != p.hely)
            return Hiba{Hiba::Fajta::Ellentmondás,
                        QStringLiteral("a(z) %1 pont kategóriája vagy helye a "
                                       "katalógusban más")
                            .arg(p.kód)};
        pontId[p.kód] = q.value(0).toLongLong();
    }

    q.prepare(QStringLiteral("INSERT INTO fajl (sha256, nev, meret, tomoritett, felveve_mikro, "
                             "beallitas, verzio) VALUES (?, ?, ?, ?, ?, ?, ?) "
                             "ON CONFLICT (sha256) DO NOTHING RETURNING id"));
    q.addBindValue(ujjlenyomat);
    q.addBindValue(szöveg(név));
    q.addBindValue(qint64(bájtok.size()));
    q.addBindValue(qCompress(bájtok, 1)); // fast: the evidence is kept whole, its size comes second
    q.addBindValue(QDateTime::currentMSecsSinceEpoch() * 1000);
    q.addBindValue(szöveg(beállítás));
    q.addBindValue(rt::App::Version());
    if (!q.exec())
        return lekérdezésHiba(q);
    if (!q.next()) // a second importer of the same bytes was first
        return Eredmény::MárBenne;
    const qint64 fájlId = q.value(0).toLongLong();

    if (std::optional<Hiba> h = mérésekBeír(db, fájlId, pontId, mérések, {}))
        return *h;
    if (std::optional<Hiba> h = t.véglegesít(q))
        return *h;
    return Eredmény::Felvéve;
}

std::variant<int, Hiba>
Katalógusfájl::robbantásokFelvesz(const std::vector<Robbantásnapló::Robbantás>& robbantások,
                                  int* márBenne) {
    QSqlDatabase db = QSqlDatabase::database(kapcsolat_);
    Tranzakció t(db, postgres_);
    if (t.hiba)
        return *t.hiba;
    QSqlQuery q(db);
    int új = 0;
    *márBenne = 0;
    for (const Robbantásnapló::Robbantás& r : robbantások) {
        q.prepare(QStringLiteral(
            "INSERT INTO robbantas (azonosito, ido_mikro, toltet, osszes_toltet, kesleltetesek, "
            "eov_y, eov_x, szelesseg, hosszusag, megjegyzes) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, "
            "?) ON CONFLICT (azonosito) DO NOTHING RETURNING id"));
        for (const QVariant& v :
             {szöveg(r.azonosító), QVariant(r.időMikro), érték(r.töltet), érték(r.összesTöltet),
              érték(r.késleltetések), érték(r.eovY), érték(r.eovX), érték(r.szélesség),
              érték(r.hosszúság), szöveg(r.megjegyzés)})
            q.addBindValue(v);
        if (!q.exec())
            return lekérdezésHiba(q);
        if (q.next()) {
            ++új;
            continue;
        }
        q.prepare(QStringLiteral("SELECT ido_mikro, toltet FROM robbantas WHERE azonosito = ?"));
        q.addBindValue(r.azonosító);
        if (!q.exec() || !q.next())
            return lekérdezésHiba(q);
        if (q.value(0).toLongLong() != r.időMikro || opcionális<double>(q.value(1)) != r.töltet)
            return Hiba{Hiba::Fajta::Ellentmondás,
                        QStringLiteral("a(z) %1 robbantás a katalógusban más idővel vagy "
                                       "töltettel szerepel (%2. sor)")
                            .arg(r.azonosító)
                            .arg(r.sor)};
        ++*márBenne;
    }
    if (std::optional<Hiba> h = t.véglegesít(q))
        return *h;
    return új;
}

std::variant<Párosítás, Hiba> Katalógusfájl::párosít(qint64 ablakMikro) {
    QSqlDatabase db = QSqlDatabase::database(kapcsolat_);
    Tranzakció t(db, postgres_);
    if (t.hiba)
        return *t.hiba;
    QSqlQuery q(db), r(db), u(db);
    Párosítás p;
    if (!q.exec(QStringLiteral("SELECT count(*) FROM robbantas")) || !q.next())
        return lekérdezésHiba(q);
    if (q.value(0).toLongLong() == 0) {
        p.robbantásNélkül = true;
        return p;
    }
    if (!q.exec(QStringLiteral(
            "SELECT m.id, COALESCE(m.inditas_mikro, m.kezdet_mikro) - "
            "COALESCE(p.ora_elteres_mikro, 0), p.kod, p.eov_y, p.eov_x, p.szelesseg, "
            "p.hosszusag, m.tavolsag, m.toltet FROM meres m JOIN pont p ON p.id = m.pont_id "
            "WHERE m.robbantas_id IS NULL AND COALESCE(m.inditas_mikro, m.kezdet_mikro) IS NOT "
            "NULL ORDER BY 2")))
        return lekérdezésHiba(q);
    struct Mérésadat {
        qint64 id, idő;
        QString pont;
        std::optional<double> y, x, szél, hossz, távolság, töltet;
    };
    std::vector<Mérésadat> mérések;
    while (q.next())
        mérések.push_back({q.value(0).toLongLong(), q.value(1).toLongLong(), q.value(2).toString(),
                           opcionális<double>(q.value(3)), opcionális<double>(q.value(4)),
                           opcionális<double>(q.value(5)), opcionális<double>(q.value(6)),
                           opcionális<double>(q.value(7)), opcionális<double>(q.value(8))});
    // the blasts by their time, searched for each measurement's window in memory
    struct Robbantásadat {
        qint64 idő, id;
        QString azonosító;
        std::optional<double> töltet, y, x, szél, hossz;
    };
    std::vector<Robbantásadat> robbantások;
    if (!r.exec(QStringLiteral("SELECT ido_mikro, id, azonosito, toltet, eov_y, eov_x, "
                               "szelesseg, hosszusag FROM robbantas ORDER BY ido_mikro, id")))
        return lekérdezésHiba(r);
    while (r.next())
        robbantások.push_back({r.value(0).toLongLong(), r.value(1).toLongLong(),
                               r.value(2).toString(), opcionális<double>(r.value(3)),
                               opcionális<double>(r.value(4)), opcionális<double>(r.value(5)),
                               opcionális<double>(r.value(6)), opcionális<double>(r.value(7))});
    u.prepare(QStringLiteral("UPDATE meres SET robbantas_id = ?, tavolsag = ?, toltet = ?, "
                             "aranyos_tavolsag = ? WHERE id = ?"));
    for (const Mérésadat& m : mérések) {
        const auto elől = [](const Robbantásadat& a, qint64 t) { return a.idő < t; };
        const auto tól =
            std::lower_bound(robbantások.begin(), robbantások.end(), m.idő - ablakMikro, elől);
        const auto ig =
            std::upper_bound(robbantások.begin(), robbantások.end(), m.idő,
                             [](qint64 t, const Robbantásadat& a) { return t < a.idő; });
        QStringList jelöltek;
        qint64 robbantás = 0;
        std::optional<double> töltet, y, x, szél, hossz;
        for (auto i = tól; i < ig; ++i) {
            jelöltek << i->azonosító;
            robbantás = i->id;
            töltet = i->töltet;
            y = i->y;
            x = i->x;
            szél = i->szél;
            hossz = i->hossz;
        }
        const QString melyik = QStringLiteral("%1 %2").arg(
            m.pont, QDateTime::fromMSecsSinceEpoch(m.idő / 1000, QTimeZone::utc())
                        .toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss.zzzZ")));
        if (jelöltek.isEmpty()) {
            p.nincs << melyik;
            continue;
        }
        if (jelöltek.size() > 1) {
            p.kétértelmű << QStringLiteral("%1 (%2)").arg(melyik,
                                                          jelöltek.join(QStringLiteral(", ")));
            continue;
        }
        std::optional<double> távolság = m.távolság;
        if (m.y && m.x && y && x) {
            távolság = std::hypot(*m.y - *y, *m.x - *x);
        } else if (m.szél && m.hossz && szél && hossz) { // on the sphere of the earth's mean radius
            constexpr double R = 6371008.8, fok = M_PI / 180;
            const double a = std::pow(std::sin((*szél - *m.szél) * fok / 2), 2) +
                             std::cos(*m.szél * fok) * std::cos(*szél * fok) *
                                 std::pow(std::sin((*hossz - *m.hossz) * fok / 2), 2);
            távolság = 2 * R * std::asin(std::min(1.0, std::sqrt(a)));
        }
        if (!töltet)
            töltet = m.töltet;
        std::optional<double> arányos;
        if (távolság && töltet && *töltet > 0)
            arányos = *távolság / std::sqrt(*töltet);
        for (const QVariant& v :
             {QVariant(robbantás), érték(távolság), érték(töltet), érték(arányos), QVariant(m.id)})
            u.addBindValue(v);
        if (!u.exec())
            return lekérdezésHiba(u);
        ++p.párosítva;
    }
    if (std::optional<Hiba> h = t.véglegesít(q))
        return *h;
    return p;
}

std::variant<std::vector<ListaSor>, Hiba> Katalógusfájl::lista(const Szűrő& szűrő) {
    QSqlQuery q(QSqlDatabase::database(kapcsolat_));
    q.setForwardOnly(true);
    QStringList feltételek;
    QVariantList értékek;
    if (szűrő.tólMikro) {
        feltételek << QStringLiteral("m.kezdet_mikro >= ?");
        értékek << *szűrő.tólMikro;
    }
    if (szűrő.igMikro) {
        feltételek << QStringLiteral("m.kezdet_mikro < ?");
        értékek << *szűrő.igMikro;
    }
    if (!szűrő.pont.isEmpty()) {
        feltételek << QStringLiteral("p.kod = ?");
        értékek << szűrő.pont;
    }
    if (szűrő.csakTúllépő)
        feltételek << QStringLiteral("m.itelet = %1").arg(int(Ítélet::Túllépi));
    q.prepare(QStringLiteral(
                  "SELECT p.kod, m.sorszam, m.esemeny, m.kezdet_mikro, m.vege_mikro, "
                  "m.inditas_mikro, m.mintavetel, m.mintaszam, m.kategoria, m.hely, m.modszer, "
                  "m.itelet, m.miert, m.donto, m.ppv, m.frekvencia, m.hatar_szazad, "
                  "m.kihasznaltsag_tized, m.pvs, m.legnyomas, m.tavolsag, m.toltet, "
                  "m.aranyos_tavolsag, f.nev, r.azonosito, m.id, m.fajl_id FROM meres m JOIN pont "
                  "p ON p.id = "
                  "m.pont_id JOIN fajl f ON f.id = m.fajl_id LEFT JOIN robbantas r ON r.id = "
                  "m.robbantas_id") +
              (feltételek.isEmpty()
                   ? QString()
                   : QStringLiteral(" WHERE ") + feltételek.join(QStringLiteral(" AND "))) +
              QStringLiteral(" ORDER BY m.kezdet_mikro, p.kod, m.id"));
    for (const QVariant& v : értékek)
        q.addBindValue(v);
    if (!q.exec())
        return lekérdezésHiba(q);
    std::vector<ListaSor> sorok;
    while (q.next()) {
        ListaSor s;
        Mérés& m = s.mérés;
        m.pont = q.value(0).toString();
        m.sorszám = q.value(1).toInt();
        m.esemény = q.value(2).toInt();
        m.kezdetMikro = opcionális<qint64>(q.value(3));
        m.végMikro = opcionális<qint64>(q.value(4));
        m.indításMikro = opcionális<qint64>(q.value(5));
        m.mintavétel = q.value(6).toDouble();
        m.mintaszám = q.value(7).toLongLong();
        m.kategória = q.value(8).toInt();
        m.hely = q.value(9).toInt();
        m.módszer = q.value(10).toInt();
        m.ítélet = Ítélet(q.value(11).toInt());
        m.miért = q.value(12).toString();
        m.döntő = q.value(13).toString();
        m.ppv = opcionális<double>(q.value(14));
        m.frekvencia = opcionális<double>(q.value(15));
        m.határSzázad = opcionális<qint64>(q.value(16));
        m.kihasználtságTized = opcionális<qint64>(q.value(17));
        m.pvs = opcionális<double>(q.value(18));
        m.légnyomás = opcionális<double>(q.value(19));
        m.távolság = opcionális<double>(q.value(20));
        m.töltet = opcionális<double>(q.value(21));
        m.arányosTávolság = opcionális<double>(q.value(22));
        s.fájl = q.value(23).toString();
        s.robbantás = q.value(24).toString();
        s.id = q.value(25).toLongLong();
        s.fájlId = q.value(26).toLongLong();
        sorok.push_back(std::move(s));
    }
    return sorok;
}

std::variant<std::unordered_map<qint64, double>, Hiba> Katalógusfájl::legnagyobbSebességek() {
    QSqlQuery q(QSqlDatabase::database(kapcsolat_));
    q.setForwardOnly(true);
    q.prepare(QStringLiteral("SELECT meres_id, MAX(ppv) FROM komponens WHERE mennyiseg = ? AND "
                             "ppv IS NOT NULL GROUP BY meres_id"));
    q.addBindValue(int(Rezgésjel::Mennyiség::Sebesség));
    if (!q.exec())
        return lekérdezésHiba(q);
    std::unordered_map<qint64, double> legnagyobb;
    while (q.next())
        legnagyobb.emplace(q.value(0).toLongLong(), q.value(1).toDouble());
    return legnagyobb;
}

std::variant<Eredeti, Hiba> Katalógusfájl::eredeti(qint64 fájlId) {
    QSqlQuery q(QSqlDatabase::database(kapcsolat_));
    q.prepare(
        QStringLiteral("SELECT nev, tomoritett, beallitas, sha256, meret FROM fajl WHERE id = ?"));
    q.addBindValue(fájlId);
    if (!q.exec())
        return lekérdezésHiba(q);
    if (!q.next())
        return Hiba{Hiba::Fajta::NincsIlyen, QStringLiteral("nincs ilyen fájl a katalógusban")};
    Eredeti e{q.value(0).toString(), qUncompress(q.value(1).toByteArray()), q.value(2).toString()};
    if (e.bájtok.size() != q.value(4).toLongLong() ||
        Ujjlenyomat(e.bájtok) != q.value(3).toString())
        return Hiba{
            Hiba::Fajta::Ellentmondás,
            QStringLiteral("a(z) %1 tárolt bájtjai sérültek (az SHA-256 nem egyezik)").arg(e.név)};
    return e;
}

std::variant<std::vector<qint64>, Hiba> Katalógusfájl::megítéletlenFájlok(const QString& pont) {
    QSqlQuery q(QSqlDatabase::database(kapcsolat_));
    q.prepare(QStringLiteral("SELECT DISTINCT m.fajl_id FROM meres m JOIN pont p ON p.id = "
                             "m.pont_id WHERE m.itelet = ? AND m.mintaszam > 0") +
              (pont.isEmpty() ? QString() : QStringLiteral(" AND p.kod = ?")) +
              QStringLiteral(" ORDER BY m.fajl_id"));
    q.addBindValue(int(Ítélet::NincsMegítélve));
    if (!pont.isEmpty())
        q.addBindValue(pont);
    if (!q.exec())
        return lekérdezésHiba(q);
    std::vector<qint64> ki;
    while (q.next())
        ki.push_back(q.value(0).toLongLong());
    return ki;
}

std::variant<bool, Hiba> Katalógusfájl::újraFelvesz(qint64 fájlId, const QString& beállítás,
                                                    const std::vector<Mérés>& mérések) {
    QSqlDatabase db = QSqlDatabase::database(kapcsolat_);
    Tranzakció t(db, postgres_);
    if (t.hiba)
        return *t.hiba;
    QSqlQuery q(db);
    // what the measurements had beside their reading: the blast paired, distance and charge
    std::map<std::pair<int, int>, Mérés> megtartott;
    std::map<std::pair<int, int>, QVariant> robbantás;
    q.prepare(QStringLiteral("SELECT sorszam, esemeny, tavolsag, toltet, aranyos_tavolsag, "
                             "robbantas_id FROM meres WHERE fajl_id = ?"));
    q.addBindValue(fájlId);
    if (!q.exec())
        return lekérdezésHiba(q);
    while (q.next()) {
        Mérés m;
        m.távolság = opcionális<double>(q.value(2));
        m.töltet = opcionális<double>(q.value(3));
        m.arányosTávolság = opcionális<double>(q.value(4));
        megtartott[{q.value(0).toInt(), q.value(1).toInt()}] = m;
        robbantás[{q.value(0).toInt(), q.value(1).toInt()}] = q.value(5);
    }
    if (megtartott.empty())
        return Hiba{Hiba::Fajta::NincsIlyen, QStringLiteral("nincs ilyen fájl a katalógusban")};
    std::map<QString, qint64> pontId;
    for (const Mérés& m : mérések) {
        q.prepare(QStringLiteral("SELECT id FROM pont WHERE kod = ?"));
        q.addBindValue(m.pont);
        if (!q.exec() || !q.next())
            return Hiba{Hiba::Fajta::Ellentmondás,
                        QStringLiteral("a(z) %1 pont nincs a katalógusban").arg(m.pont)};
        pontId[m.pont] = q.value(0).toLongLong();
    }
    for (const QString& sql :
         {QStringLiteral("DELETE FROM komponens WHERE meres_id IN (SELECT id FROM meres WHERE "
                         "fajl_id = ?)"),
          QStringLiteral("DELETE FROM meres WHERE fajl_id = ?")}) {
        q.prepare(sql);
        q.addBindValue(fájlId);
        if (!q.exec())
            return lekérdezésHiba(q);
    }
    if (std::optional<Hiba> h = mérésekBeír(db, fájlId, pontId, mérések, megtartott))
        return *h;
    // each keeps the blast it was paired with
    for (const auto& [kulcs, id] : robbantás) {
        if (id.isNull())
            continue;
        q.prepare(QStringLiteral("UPDATE meres SET robbantas_id = ? WHERE fajl_id = ? AND "
                                 "sorszam = ? AND esemeny = ?"));
        for (const QVariant& v :
             {id, QVariant(fájlId), QVariant(kulcs.first), QVariant(kulcs.second)})
            q.addBindValue(v);
        if (!q.exec())
            return lekérdezésHiba(q);
    }
    q.prepare(QStringLiteral("UPDATE fajl SET beallitas = ? WHERE id = ?"));
    q.addBindValue(szöveg(beállítás));
    q.addBindValue(fájlId);
    if (!q.exec())
        return lekérdezésHiba(q);
    if (std::optional<Hiba> h = t.véglegesít(q))
        return *h;
    return true;
}

std::optional<Hiba> Katalógusfájl::helyszínBeállít(const QString& név, const QString& megrendelő,
                                                   const QString& megjegyzés) {
    QSqlQuery q(QSqlDatabase::database(kapcsolat_));
    q.prepare(QStringLiteral("UPDATE helyszin SET nev = COALESCE(NULLIF(?, ''), nev), megrendelo "
                             "= COALESCE(NULLIF(?, ''), megrendelo), megjegyzes = "
                             "COALESCE(NULLIF(?, ''), megjegyzes) WHERE id = 1"));
    for (const QString& v : {név, megrendelő, megjegyzés})
        q.addBindValue(szöveg(v));
    if (!q.exec())
        return lekérdezésHiba(q);
    return std::nullopt;
}

} // namespace Katalógus
