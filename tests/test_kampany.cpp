// The campaign window on a real catalogue: its filters and sorting by the figures, its
// statistics, a stored measurement opened from the catalogue's bytes alone (the file gone),
// an import with progress that stops between files, and what the main window takes for a
// catalogue.
#include "exportwriter.h"
#include "testfile.h"
#include "testsupport.h"

#ifndef Q_MOC_RUN // moc's parser takes no accented namespace names
#include "catalogue/behozatal.h"
#include "catalogue/kampanymodell.h"
#include "engine/hatarertek.h"
#include "engine/szovegek.h"
#include "readers/robbantasnaplo.h"
#include "ui/kampanyablak.h"
#include "ui/rezgesjelablak.h"
#include "ui/tervezeslap.h"
#endif

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTableView>
#include <QTableWidget>
#include <QTimer>

#include <cmath>

namespace {

// The campaign built here: three points, each at its own building, measured at every blast
// of six days; the first point's amplitude grows day by day past its limit.
constexpr int Napok = 6;
const char* const Pontok[] = {"UMK0001", "UMK0002", "UMK0003"};
const int Kategóriák[] = {1, 2, 0};

// The peak the point gets on the day: the residential point from 2 to 14.5 mm/s (its limit at
// 20 Hz is about 8 mm/s), the others small.
double csúcs(int pont, int nap) {
    return pont == 0 ? 2 + 2.5 * nap : 0.8 + 0.1 * nap;
}

QByteArray export_(int pont, int nap, double amplitúdó, double másodperc = 1) {
    FullWaveform w;
    w.serial = Pontok[pont];
    w.recordTime = másodperc;
    w.date = "September " + QByteArray::number(14 + nap) + ", 2026";
    w.time = "10:05:1" + QByteArray::number(pont);
    w.sample = FullWaveform::burst(amplitúdó);
    return w.bytes();
}

} // namespace

class TestCampaign : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    QString catalogue_;
    int exceeding_ = 0;

    KampányAblak* open() {
        auto* w = KampányAblak::Megnyit(catalogue_, nullptr);
        bool loaded = false;
        w->Betöltve([&loaded] { loaded = true; });
        if (!QTest::qWaitFor([&] { return loaded; }, 20000))
            return nullptr;
        w->Betöltve({});
        return w;
    }

private slots:
    void initTestCase() {
        QVERIFY(dir_.isValid());
        catalogue_ = dir_.filePath(QStringLiteral("kofejto.velorix"));
        Katalógus::Cím cím;
        cím.fájl = catalogue_;
        auto m = Katalógus::Katalógusfájl::Megnyit(cím, true);
        QVERIFY(std::holds_alternative<std::unique_ptr<Katalógus::Katalógusfájl>>(m));
        auto& k = *std::get<std::unique_ptr<Katalógus::Katalógusfájl>>(m);
        QByteArray log = "azonosító;idő;töltet késleltetésenként (kg)\r\n";
        for (int nap = 0; nap < Napok; ++nap)
            log += "R-0" + QByteArray::number(nap + 1) + ";2026.09." +
                   QByteArray::number(14 + nap) + ". 10:04:50;" + QByteArray::number(20 + nap) +
                   "\r\n";
        auto blasts = Robbantásnapló::Olvas(log, QStringLiteral("napló.csv"));
        QVERIFY(std::holds_alternative<std::vector<Robbantásnapló::Robbantás>>(blasts));
        int already = 0;
        QVERIFY(std::holds_alternative<int>(k.robbantásokFelvesz(
            std::get<std::vector<Robbantásnapló::Robbantás>>(blasts), &already)));
        for (int pont = 0; pont < 3; ++pont) {
            Katalógus::Behozatal b;
            b.kategória = Kategóriák[pont];
            for (int nap = 0; nap < Napok; ++nap) {
                const QString f = saveFile(dir_, QStringLiteral("p%1n%2.TXT").arg(pont).arg(nap),
                                           export_(pont, nap, csúcs(pont, nap)));
                const Katalógus::FájlEredmény e = Katalógus::FájltFelvesz(k, f, b);
                QCOMPARE(int(e.mi), int(Katalógus::FájlEredmény::Mi::Felvéve));
                for (const Katalógus::Mérés& m : e.mérések)
                    exceeding_ += m.ítélet == Katalógus::Ítélet::Túllépi;
                QFile::remove(f); // the evidence lives on in the catalogue alone
            }
        }
        QVERIFY(exceeding_ > 0 && exceeding_ < Napok); // the residential point's later days
        QVERIFY(std::holds_alternative<Katalógus::Párosítás>(k.párosít(120'000'000)));
    }

    // Each filter takes what it says, alone and together; the statistics follow what is shown.
    void filters_data() {
        QTest::addColumn<QString>("point");
        QTest::addColumn<QString>("blast");
        QTest::addColumn<int>("firstDay"); // -1: no period
        QTest::addColumn<int>("lastDay");
        QTest::addColumn<int>("verdict"); // -1: any
        QTest::addColumn<int>("expected");
        QTest::addColumn<int>("pointsShown");
        const int exceeding = int(Katalógus::Ítélet::Túllépi);
        QTest::newRow("everything") << QString() << QString() << -1 << -1 << -1 << 3 * Napok << 3;
        QTest::newRow("one point") << "UMK0002" << QString() << -1 << -1 << -1 << Napok << 1;
        QTest::newRow("one blast, any case") << QString() << "r-03" << -1 << -1 << -1 << 3 << 3;
        QTest::newRow("two days, both whole") << QString() << QString() << 1 << 2 << -1 << 6 << 3;
        QTest::newRow("one day") << QString() << QString() << 4 << 4 << -1 << 3 << 3;
        QTest::newRow("exceeding") << QString() << QString() << -1 << -1 << exceeding << -2 << 1;
        QTest::newRow("exceeding elsewhere")
            << "UMK0003" << QString() << -1 << -1 << exceeding << 0 << 0;
        QTest::newRow("no such blast") << QString() << "R-99" << -1 << -1 << -1 << 0 << 0;
    }
    void filters() {
        QFETCH(QString, point);
        QFETCH(QString, blast);
        QFETCH(int, firstDay);
        QFETCH(int, lastDay);
        QFETCH(int, verdict);
        QFETCH(int, expected);
        QFETCH(int, pointsShown);
        if (expected == -2)
            expected = exceeding_;
        std::unique_ptr<KampányAblak> w(open());
        QVERIFY(w);
        QCOMPARE(w->Modell().rowCount(), 3 * Napok);
        QCOMPARE(w->PontVálasztó()->count(), 4); // every point, then each
        w->PontVálasztó()->setCurrentIndex(w->PontVálasztó()->findData(point));
        w->RobbantásMező()->setText(blast);
        w->ÍtéletVálasztó()->setCurrentIndex(w->ÍtéletVálasztó()->findData(verdict));
        if (firstDay >= 0)
            w->IdőszakBeállít(QDate(2026, 9, 14 + firstDay), QDate(2026, 9, 14 + lastDay));
        QCOMPARE(w->Táblázat()->model()->rowCount(), expected);
        // the statistics: a row a point shown, then the site's, counting what is shown
        QTableWidget* s = w->Statisztika();
        QCOMPARE(s->rowCount(), pointsShown ? pointsShown + 1 : 0);
        if (pointsShown) {
            QCOMPARE(s->item(s->rowCount() - 1, 2)->text(), QString::number(expected));
            int shownExceeding = 0;
            for (int r = 0; r < w->Táblázat()->model()->rowCount(); ++r)
                shownExceeding += w->Táblázat()
                                      ->model()
                                      ->index(r, Katalógus::KampányModell::ÍtéletOszlop)
                                      .data()
                                      .toString() == u"túllépi";
            QCOMPARE(s->item(s->rowCount() - 1, 4)->text(), QString::number(shownExceeding));
        }
        // the blasts were paired: each row shown names its own day's blast
        for (int r = 0; r < w->Táblázat()->model()->rowCount(); ++r) {
            const QString time = w->Táblázat()
                                     ->model()
                                     ->index(r, Katalógus::KampányModell::IdőOszlop)
                                     .data()
                                     .toString();
            const QString id = w->Táblázat()
                                   ->model()
                                   ->index(r, Katalógus::KampányModell::RobbantásOszlop)
                                   .data()
                                   .toString();
            QCOMPARE(id, QStringLiteral("R-0%1").arg(time.mid(8, 2).toInt() - 13));
        }
    }

    // Sorting goes by the figures: 12,5 mm/s after 9,5 mm/s (a text sort puts it before), and
    // equal values keep the catalogue's order.
    void sortsByFigures_data() {
        QTest::addColumn<int>("column");
        QTest::newRow("PPV") << int(Katalógus::KampányModell::PpvOszlop);
        QTest::newRow("utilisation") << int(Katalógus::KampányModell::KihasználtságOszlop);
        QTest::newRow("time") << int(Katalógus::KampányModell::IdőOszlop);
        QTest::newRow("charge") << int(Katalógus::KampányModell::TöltetOszlop);
    }
    void sortsByFigures() {
        QFETCH(int, column);
        std::unique_ptr<KampányAblak> w(open());
        QVERIFY(w);
        QAbstractItemModel* m = w->Táblázat()->model();
        for (const Qt::SortOrder order : {Qt::AscendingOrder, Qt::DescendingOrder}) {
            w->Táblázat()->sortByColumn(column, order);
            for (int r = 1; r < m->rowCount(); ++r) {
                const double before = m->index(r - 1, column)
                                          .data(Katalógus::KampányModell::RendezőSzerep)
                                          .toDouble();
                const double after =
                    m->index(r, column).data(Katalógus::KampányModell::RendezőSzerep).toDouble();
                QVERIFY2(order == Qt::AscendingOrder ? before <= after : before >= after,
                         qPrintable(m->index(r, column).data().toString()));
            }
        }
    }

    // A measurement opens in its record window from the catalogue alone (its file was deleted
    // after the import), judged by its point's building, with the figures the table lists.
    void opensStoredMeasurement_data() {
        QTest::addColumn<QString>("point");
        QTest::newRow("residential") << "UMK0001";
        QTest::newRow("monument") << "UMK0002";
    }
    void opensStoredMeasurement() {
        QFETCH(QString, point);
        std::unique_ptr<KampányAblak> w(open());
        QVERIFY(w);
        w->PontVálasztó()->setCurrentIndex(w->PontVálasztó()->findData(point));
        w->Táblázat()->sortByColumn(Katalógus::KampányModell::PpvOszlop, Qt::DescendingOrder);
        QAbstractItemModel* m = w->Táblázat()->model();
        const QString ppv =
            m->index(0, Katalógus::KampányModell::KihasználtságOszlop).data().toString() + u' ';
        const QString verdict =
            m->index(0, Katalógus::KampányModell::ÍtéletOszlop).data().toString();
        RezgésjelAblak* record = nullptr;
        bool done = false;
        w->MérésMegnyit(0, [&](RezgésjelAblak* a) {
            record = a;
            done = true;
        });
        QVERIFY(QTest::qWaitFor([&] { return done; }, 20000));
        QVERIFY(record);
        QCOMPARE(record->Felvétel().állomás, point);
        QCOMPARE(record->Kategória(), Kategóriák[point == u"UMK0001" ? 0 : 1]);
        QVERIFY2(record->ÍtéletCímke()->text().contains(ppv),
                 qPrintable(record->ÍtéletCímke()->text() + QStringLiteral(" / ") + ppv));
        QCOMPARE(
            record->ÍtéletCímke()->text().contains(QStringLiteral("túllépi"), Qt::CaseInsensitive),
            verdict == u"túllépi");
    }

    // Stored bytes that are not what was imported are refused by their SHA-256.
    void damagedEvidenceRefused() {
        const QString copy = dir_.filePath(QStringLiteral("damaged.velorix"));
        QVERIFY(QFile::copy(catalogue_, copy));
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), "damage");
            db.setDatabaseName(copy);
            QVERIFY(db.open());
            QSqlQuery q(db);
            QVERIFY(q.exec(QStringLiteral("UPDATE fajl SET tomoritett = ? WHERE id = 1")
                               .replace(u'?', QStringLiteral("X'00000004789c4b040000620062'"))));
        }
        QSqlDatabase::removeDatabase("damage");
        Katalógus::Cím cím;
        cím.fájl = copy;
        auto m = Katalógus::Katalógusfájl::Megnyit(cím, false);
        QVERIFY(std::holds_alternative<std::unique_ptr<Katalógus::Katalógusfájl>>(m));
        auto e = std::get<std::unique_ptr<Katalógus::Katalógusfájl>>(m)->eredeti(1);
        QVERIFY(std::holds_alternative<Katalógus::Hiba>(e));
        QCOMPARE(int(std::get<Katalógus::Hiba>(e).fajta),
                 int(Katalógus::Hiba::Fajta::Ellentmondás));
    }

    // An import runs beside the window: its progress moves, the window's timers keep firing,
    // "Mégse" stops it between two files, and the table then holds exactly what went in.
    void importStopsBetweenFiles() {
        const QString copy = dir_.filePath(QStringLiteral("import.velorix"));
        QVERIFY(QFile::copy(catalogue_, copy));
        QStringList files;
        for (int i = 0; i < 40; ++i)
            files << saveFile(dir_, QStringLiteral("uj%1.TXT").arg(i),
                              export_(2, i % Napok, 0.5 + 0.01 * i, 10));
        const QString saved = catalogue_;
        catalogue_ = copy;
        std::unique_ptr<KampányAblak> w(open());
        catalogue_ = saved;
        QVERIFY(w);
        QVERIFY(w->Felvesz(files, 0));
        QVERIFY(w->Haladás()->isVisible() || !w->isVisible());
        int ticks = 0;
        QTimer tick;
        QObject::connect(&tick, &QTimer::timeout, [&] { ++ticks; });
        tick.start(5);
        QVERIFY(QTest::qWaitFor([&] { return w->FolyóFelvétel()->Elkészült() >= 5; }, 20000));
        QTest::mouseClick(w->MégseGomb(), Qt::LeftButton);
        QVERIFY(QTest::qWaitFor([&] { return w->UtolsóFelvétel().has_value(); }, 60000));
        const KampányFelvétel::Összegzés ö = *w->UtolsóFelvétel();
        QVERIFY(ö.leállítva);
        QVERIFY(ö.felvéve >= 5 && ö.felvéve < files.size());
        QVERIFY2(ticks > 2, qPrintable(QString::number(ticks)));
        bool loaded = false;
        w->Betöltve([&loaded] { loaded = true; });
        QVERIFY(QTest::qWaitFor([&] { return loaded; }, 20000));
        QCOMPARE(w->Modell().rowCount(), 3 * Napok + ö.felvéve);
    }

    // The planning pane fits the rows shown (a filter takes a point's alone, as the command
    // line's --pont does), and its calculator gives the PPV and the charge of that law at the
    // figures typed, with a decimal comma or point, at the building and frequency chosen.
    void planningPane_data() {
        QTest::addColumn<QString>("point"); // the filter; empty: every point
        QTest::addColumn<int>("measure");   // Terjedés::Mérték
        QTest::addColumn<QString>("frequency");
        QTest::newRow("every point, largest component, 12,5 Hz")
            << QString() << int(Terjedés::Mérték::LegnagyobbÖsszetevő) << "12,5";
        QTest::newRow("one point, PVS, no frequency")
            << "TAB2" << int(Terjedés::Mérték::Pvs) << QString();
    }
    void planningPane() {
        QFETCH(QString, point);
        QFETCH(int, measure);
        QFETCH(QString, frequency);
        QTemporaryDir dir;
        QByteArray table = "Pont;Idő;Távolság (m);Töltet (kg);Tran (mm/s);Freq (Hz);Vert "
                           "(mm/s);Freq (Hz);Long (mm/s);Freq (Hz);PVS (mm/s)\r\n";
        for (int i = 0; i < 36; ++i) { // the law 700·SD^−1.45, a spread of ±30 %
            const double sd = 6 + 4.3 * i, w = 10 + i % 7;
            const double ppv = 700 * std::pow(sd, -1.45) * (1 + 0.3 * std::sin(i * 1.9));
            table += "TAB" + QByteArray::number(1 + i % 2) + ";2026-10-" +
                     QByteArray::number(1 + i / 3).rightJustified(2, '0') +
                     "T09:" + QByteArray::number(10 + i) + ":00+02:00;" +
                     QByteArray::number(sd * std::sqrt(w), 'f', 2) + ';' + QByteArray::number(w) +
                     ';' + QByteArray::number(ppv * 0.5, 'f', 4) + ";15;" +
                     QByteArray::number(ppv, 'f', 4) + ";15;" +
                     QByteArray::number(ppv * 0.7, 'f', 4) + ";15;" +
                     QByteArray::number(ppv * 1.3, 'f', 4) + "\r\n";
        }
        const QString address = dir.filePath(QStringLiteral("terv.velorix"));
        {
            Katalógus::Cím cím;
            cím.fájl = address;
            auto m = Katalógus::Katalógusfájl::Megnyit(cím, true);
            Katalógus::Behozatal b;
            b.kategória = 1;
            QCOMPARE(int(Katalógus::FájltFelvesz(*std::get<0>(m),
                                                 saveFile(dir, QStringLiteral("t.csv"), table), b)
                             .mi),
                     int(Katalógus::FájlEredmény::Mi::Felvéve));
        }
        auto* w = KampányAblak::Megnyit(address, nullptr);
        bool loaded = false;
        w->Betöltve([&loaded] { loaded = true; });
        QVERIFY(QTest::qWaitFor([&] { return loaded; }, 20000));
        TervezésLap* pane = w->Tervezés();
        pane->PpvVálasztó()->setCurrentIndex(pane->PpvVálasztó()->findData(measure));
        if (!point.isEmpty())
            w->PontVálasztó()->setCurrentIndex(w->PontVálasztó()->findData(point));
        // the law the command line fits to the same filter
        Katalógus::Cím cím;
        cím.fájl = address;
        auto m = Katalógus::Katalógusfájl::Megnyit(cím, false);
        Katalógus::Szűrő szűrő;
        szűrő.pont = point;
        const auto g =
            Terjedés::Katalógusból(*std::get<0>(m), szűrő, Terjedés::Mérték(measure), {});
        const Terjedés::Illesztés law = Terjedés::Illeszt(std::get<0>(g).pontok, 2);
        QCOMPARE(pane->Illesztés().n, point.isEmpty() ? 36 : 18);
        QCOMPARE(pane->Illesztés().K, law.K);
        QCOMPARE(pane->Illesztés().béta, law.béta);
        QVERIFY(pane->Illesztés().használható());

        QTest::keyClicks(pane->ElőrejelzésTávolság(), QStringLiteral("180"));
        QVERIFY(pane->ElőrejelzésSzöveg()->text().contains(QStringLiteral("Adja meg")));
        QTest::keyClicks(pane->ElőrejelzésTöltet(), QStringLiteral("12,5"));
        const auto e = std::get<Terjedés::Előrejelzés>(Terjedés::Előrejelez(law, 180, 12.5));
        QVERIFY2(pane->ElőrejelzésSzöveg()->text().contains(Határérték::Jegyek(e.ppv95, 4)),
                 qPrintable(pane->ElőrejelzésSzöveg()->text()));

        pane->TöltetKategória()->setCurrentIndex(2);
        QTest::keyClicks(pane->TöltetTávolság(), QStringLiteral("240.5"));
        QTest::keyClicks(pane->TöltetFrekvencia(), frequency);
        const double limit = (frequency.isEmpty() ? Határérték::LegkisebbAlaponSzázad(2)
                                                  : Határérték::AlaponSzázad(2, 12.5)) /
                             100.0;
        const auto t = std::get<Terjedés::Töltet>(Terjedés::MaxTöltet(law, 240.5, limit));
        const QString text = pane->TöltetSzöveg()->text();
        QVERIFY2(text.contains(Határérték::Szám(limit, 2) + QStringLiteral(" mm/s")) &&
                     text.contains(QStringLiteral("W95 = ") + Határérték::Jegyek(t.w95, 4)),
                 qPrintable(text));
        QCOMPARE(text.contains(QStringLiteral("legkisebb")), frequency.isEmpty());
        delete w;
    }

    // What the main window opens as a catalogue, by address, name or content.
    void knowsACatalogue_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<bool>("catalogue");
        QTest::newRow("a .velorix file") << "uj.velorix" << QByteArray() << true;
        QTest::newRow("upper case") << "KOFEJTO.VELORIX" << QByteArray() << true;
        QTest::newRow("an SQLite file")
            << "kampany.db" << QByteArray("SQLite format 3\0xx", 18) << true;
        QTest::newRow("a record") << "robbantas.mseed" << QByteArray("000001D 1234") << false;
        QTest::newRow("a log") << "naplo.csv" << QByteArray("SQLite;format") << false;
    }
    void knowsACatalogue() {
        QFETCH(QString, name);
        QFETCH(QByteArray, content);
        QFETCH(bool, catalogue);
        QCOMPARE(Form1::KatalógusE(saveFile(dir_, name, content)), catalogue);
        QVERIFY(Form1::KatalógusE(QStringLiteral("postgresql://velorix@localhost/kofejto")));
    }
};

VELORIX_TEST_MAIN(TestCampaign)
#include "test_kampany.moc"
