#include "sema.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>
#include <QVariant>

namespace Katalógus {

namespace {

// Each version's statements over the one before it; version 1 from nothing. "$ID" is an
// identity key and "$BLOB" bytes, as each dialect spells them.
const char* const Lépések[SémaVerzió][8] = {
    {
        "CREATE TABLE velorix_sema (verzio INTEGER NOT NULL)",
        "CREATE TABLE helyszin (id INTEGER PRIMARY KEY, nev TEXT NOT NULL DEFAULT '', "
        "megrendelo TEXT NOT NULL DEFAULT '', megjegyzes TEXT NOT NULL DEFAULT '')",
        "CREATE TABLE pont (id $ID, kod TEXT NOT NULL UNIQUE, kategoria INTEGER NOT NULL, "
        "hely INTEGER NOT NULL, erzekelo TEXT, muszer TEXT, kalibralas TEXT, "
        "eov_y DOUBLE PRECISION, eov_x DOUBLE PRECISION, szelesseg DOUBLE PRECISION, "
        "hosszusag DOUBLE PRECISION)",
        "CREATE TABLE robbantas (id $ID, azonosito TEXT NOT NULL UNIQUE, ido_mikro BIGINT NOT "
        "NULL, toltet DOUBLE PRECISION, osszes_toltet DOUBLE PRECISION, kesleltetesek INTEGER, "
        "eov_y DOUBLE PRECISION, eov_x DOUBLE PRECISION, szelesseg DOUBLE PRECISION, "
        "hosszusag DOUBLE PRECISION, megjegyzes TEXT)",
        "CREATE TABLE fajl (id $ID, sha256 TEXT NOT NULL UNIQUE, nev TEXT NOT NULL, "
        "meret BIGINT NOT NULL, tomoritett $BLOB NOT NULL, felveve_mikro BIGINT NOT NULL, "
        "beallitas TEXT NOT NULL, verzio TEXT NOT NULL)",
        "CREATE TABLE meres (id $ID, fajl_id BIGINT NOT NULL REFERENCES fajl(id), "
        "pont_id BIGINT NOT NULL REFERENCES pont(id), robbantas_id BIGINT REFERENCES "
        "robbantas(id), sorszam INTEGER NOT NULL, esemeny INTEGER NOT NULL, "
        "kezdet_mikro BIGINT, vege_mikro BIGINT, inditas_mikro BIGINT, "
        "mintavetel DOUBLE PRECISION NOT NULL, mintaszam BIGINT NOT NULL, "
        "kategoria INTEGER NOT NULL, hely INTEGER NOT NULL, modszer INTEGER NOT NULL, "
        "itelet INTEGER NOT NULL, miert TEXT NOT NULL, donto TEXT NOT NULL, "
        "ppv DOUBLE PRECISION, frekvencia DOUBLE PRECISION, hatar_szazad BIGINT, "
        "kihasznaltsag_tized BIGINT, pvs DOUBLE PRECISION, legnyomas DOUBLE PRECISION, "
        "tavolsag DOUBLE PRECISION, toltet DOUBLE PRECISION, aranyos_tavolsag DOUBLE PRECISION)",
        "CREATE TABLE komponens (meres_id BIGINT NOT NULL REFERENCES meres(id), "
        "sorszam INTEGER NOT NULL, csatorna TEXT NOT NULL, mennyiseg INTEGER NOT NULL, "
        "ppv DOUBLE PRECISION, ido DOUBLE PRECISION, zc DOUBLE PRECISION, fft DOUBLE PRECISION, "
        "gyorsulas DOUBLE PRECISION, elmozdulas DOUBLE PRECISION, hatar_szazad BIGINT, "
        "kihasznaltsag_tized BIGINT, itelet TEXT NOT NULL, PRIMARY KEY (meres_id, sorszam))",
        "CREATE INDEX meres_ido ON meres (kezdet_mikro, pont_id)",
    },
    {
        // how far a point's instrument clock is ahead of true time, for the pairing
        "ALTER TABLE pont ADD COLUMN ora_elteres_mikro BIGINT",
    },
};

QString dialektus(const char* sql, bool postgres) {
    return QString::fromUtf8(sql)
        .replace(QStringLiteral("$ID"), postgres ? QStringLiteral("BIGSERIAL PRIMARY KEY")
                                                 : QStringLiteral("INTEGER PRIMARY KEY"))
        .replace(QStringLiteral("$BLOB"),
                 postgres ? QStringLiteral("BYTEA") : QStringLiteral("BLOB"));
}

Hiba lekérdezésHiba(const QSqlQuery& q) {
    return {Hiba::Fajta::Lekérdezés, q.lastError().text()};
}

} // namespace

std::optional<Hiba> Sémát(QSqlDatabase& db, bool postgres, bool írásra, int& verzió) {
    QSqlQuery q(db);
    auto fut = [&](const QString& sql) { return q.exec(sql); };
    // the tables there are: none (a new catalogue), a catalogue's, or another database's
    auto táblák = [&]() -> std::optional<QStringList> {
        if (!fut(postgres ? QStringLiteral("SELECT table_name FROM information_schema.tables "
                                           "WHERE table_schema = current_schema()")
                          : QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table'")))
            return std::nullopt;
        QStringList t;
        while (q.next())
            t << q.value(0).toString();
        return t;
    };
    auto olvas = [&]() -> std::optional<Hiba> {
        const std::optional<QStringList> t = táblák();
        if (!t)
            return Hiba{Hiba::Fajta::NemKatalógus, q.lastError().text()};
        verzió = 0;
        if (t->isEmpty())
            return std::nullopt;
        if (!t->contains(QStringLiteral("velorix_sema")))
            return Hiba{Hiba::Fajta::NemKatalógus,
                        QStringLiteral("más adatokat tartalmaz (%1 tábla), nem Velorix-katalógus")
                            .arg(t->size())};
        if (!fut(QStringLiteral("SELECT verzio FROM velorix_sema")) || !q.next())
            return Hiba{Hiba::Fajta::NemKatalógus,
                        QStringLiteral("a séma változata nem olvasható")};
        verzió = q.value(0).toInt();
        return std::nullopt;
    };
    if (std::optional<Hiba> h = olvas())
        return h;
    if (verzió >= SémaVerzió || !írásra)
        return std::nullopt;
    // up to this version, under a lock that a second importer waits for
    if (!fut(postgres ? QStringLiteral("BEGIN") : QStringLiteral("BEGIN IMMEDIATE")))
        return lekérdezésHiba(q);
    if (postgres && !fut(QStringLiteral("SELECT pg_advisory_xact_lock(1313018)"))) {
        const Hiba h = lekérdezésHiba(q);
        fut(QStringLiteral("ROLLBACK"));
        return h;
    }
    if (std::optional<Hiba> h = olvas()) { // another may have done it meanwhile
        fut(QStringLiteral("ROLLBACK"));
        return h;
    }
    for (int v = verzió; v < SémaVerzió; ++v) {
        for (const char* sql : Lépések[v]) {
            if (sql && !fut(dialektus(sql, postgres))) {
                const Hiba h = lekérdezésHiba(q);
                fut(QStringLiteral("ROLLBACK"));
                return h;
            }
        }
    }
    const bool új = verzió == 0;
    if (!fut(új ? QStringLiteral("INSERT INTO velorix_sema (verzio) VALUES (%1)").arg(SémaVerzió)
                : QStringLiteral("UPDATE velorix_sema SET verzio = %1").arg(SémaVerzió)) ||
        (új && !fut(QStringLiteral("INSERT INTO helyszin (id) VALUES (1)"))) ||
        !fut(QStringLiteral("COMMIT"))) {
        const Hiba h = lekérdezésHiba(q);
        fut(QStringLiteral("ROLLBACK"));
        return h;
    }
    verzió = SémaVerzió;
    return std::nullopt;
}

} // namespace Katalógus
