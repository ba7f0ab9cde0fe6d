// The record window beside the main window: its table against the command line's figures,
// the category followed at once, place and method, opening by every door, faults in a
// message box, the report on paper.
#include "exportwriter.h"
#include "mseedwriter.h"
#include "testfile.h"
#include "testsupport.h"

#ifndef Q_MOC_RUN // moc's parser takes no accented namespace names
#include "ui/erzekenyseg.h"
#include "ui/mertekegyseg.h"
#include "ui/nyomlap.h"
#include "ui/rezgesjelablak.h"
#include "ui/rezgesjelbetoltes.h"
#endif

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QDropEvent>
#include <QElapsedTimer>
#include <QLabel>
#include <QMessageBox>
#include <QMimeData>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QStandardPaths>
#include <QTableWidget>
#include <QTimeZone>
#include <QTimer>
#include <QWheelEvent>

#include <cmath>
#include <functional>

namespace {

QString save(const QString& name, const QByteArray& bytes) {
    return saveFile(configDir(), name, bytes);
}

// Runs `handle` on the event loop until it has dealt with what it waits for: a modal dialog
// that comes up while a record opens (the opening runs an event loop of its own while the
// record is read, so a single shot could fire before the dialog is there). Gives up after
// 30 s.
void whenShown(std::function<bool()> handle) {
    auto* timer = new QTimer(qApp);
    auto* clock = new QElapsedTimer;
    clock->start();
    QObject::connect(timer, &QTimer::timeout, [timer, clock, handle] {
        if (handle() || clock->elapsed() > 30000) {
            timer->stop();
            timer->deleteLater();
            delete clock;
        }
    });
    timer->start(5);
}

// The unit question, answered as a user would for the floats these tests write (in mm/s):
// every dialog that asks it is answered with `answer` (none: left to the test), and the
// stations asked about are listed.
struct UnitAnswers {
    std::optional<double> answer = 1;
    QStringList asked;
    QTimer timer;
    UnitAnswers() {
        QObject::connect(&timer, &QTimer::timeout, [this] {
            auto* dialog = dynamic_cast<MértékegységPárbeszéd*>(QApplication::activeModalWidget());
            if (!dialog || !answer || dialog->property("answered").toBool())
                return;
            dialog->setProperty("answered", true);
            asked << dialog->Állomás();
            dialog->Választ(*answer);
            dialog->accept();
        });
        timer.start(5);
    }
};

// A station's three components HHZ, HHN, HHE: `n` samples each at `rate`, sample `i` of
// component `c` being `minta(c, i)`.
std::vector<MseedChannel> components(double rate, int n,
                                     const std::function<double(int, int)>& minta) {
    std::vector<MseedChannel> channels(3);
    const char* names[] = {"HHZ", "HHN", "HHE"};
    for (int c = 0; c < 3; ++c) {
        channels[std::size_t(c)].channel = names[c];
        channels[std::size_t(c)].rate = rate;
        channels[std::size_t(c)].samples.resize(std::size_t(n));
        for (int i = 0; i < n; ++i)
            channels[std::size_t(c)].samples[std::size_t(i)] = minta(c, i);
    }
    return channels;
}

// Bursts of 23, 14 and 31 Hz, in mm/s as floats.
QString record(const QString& name = QStringLiteral("robbantas.mseed")) {
    const double f[] = {23, 14, 31}, a[] = {6.1, 9.4, 4.2};
    return save(name,
                mseed(components(1000, 3000,
                                 [&](int c, int i) {
                                     const double t = i / 1000.0;
                                     return a[c] *
                                            std::exp(-std::pow((t - 1.2 - 0.05 * c) / 0.15, 2)) *
                                            std::sin(2 * M_PI * f[c] * t + c);
                                 }),
                      DE_FLOAT64));
}

// A monitoring record of 90 s: 3 mm/s at 25 Hz at 20 s, 11 mm/s at 9 Hz at 70 s.
std::vector<double> monitoringSamples(int component) {
    const double blasts[][3] = {{20, 3, 25}, {70, 11, 9}}; // s, mm/s, Hz
    std::vector<double> samples;
    for (int i = 0; i < 500 * 90; ++i) {
        const double t = i / 500.0;
        double v = 0.02 * std::sin(2 * M_PI * 17 * t + component);
        for (const auto& b : blasts)
            v += b[1] * std::exp(-std::pow((t - b[0]) / 0.08, 2)) *
                 std::cos(2 * M_PI * b[2] * (t - b[0]));
        samples.push_back(v);
    }
    return samples;
}
QString monitoringRecord() {
    const std::vector<double> v[] = {monitoringSamples(0), monitoringSamples(1),
                                     monitoringSamples(2)};
    return save(
        QStringLiteral("figyeles.mseed"),
        mseed(components(500, int(v[0].size()), [&](int c, int i) { return v[c][std::size_t(i)]; }),
              DE_FLOAT64));
}

// The command line's rows for the same file: per channel, its fields after the name.
QList<QStringList> cliRows(const QString& file, const QStringList& options) {
    QProcess p;
    p.start(QStringLiteral(VELORIX_PROGRAM),
            QStringList{"--elemez", file, "--egyseg", "mm/s"} + options);
    p.waitForFinished(60000);
    QList<QStringList> rows;
    for (const QByteArray& line : p.readAllStandardOutput().split('\n').mid(1))
        if (!line.isEmpty())
            rows << QString::fromUtf8(line).split(u';').mid(2);
    return rows;
}

// The table as the same fields: PPV, time, ZC, FFT, acceleration, displacement, limit,
// utilisation, verdict.
QList<QStringList> tableRows(const QTableWidget* table) {
    QList<QStringList> rows;
    for (int r = 0; r < table->rowCount(); ++r) {
        QStringList row;
        for (int c = 1; c < table->columnCount(); ++c)
            row << table->item(r, c)->text();
        rows << row;
    }
    return rows;
}

// The text of the window's report (pdftotext); empty where poppler-utils are missing.
QString reportText(const RezgésjelAblak* window, const QString& name) {
    const QString pdf = configDir().filePath(name);
    QString fault;
    if (!window->JelentésÍr(pdf, &fault))
        return QStringLiteral("fault: ") + fault;
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        return {};
    QProcess text;
    text.start(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
    text.waitForFinished(30000);
    return QString::fromUtf8(text.readAllStandardOutput());
}

} // namespace

class TestRecordWindow : public QObject {
    Q_OBJECT

    std::unique_ptr<Form1> form;
    std::unique_ptr<UnitAnswers> units;

private slots:
    void init() {
        units = std::make_unique<UnitAnswers>();
        form = std::make_unique<Form1>();
        form->show();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
    }
    void cleanup() {
        form.reset();
        units.reset();
    }

    // The table holds the figures the command line prints, for every category, place and
    // method, and follows the main window's category at once.
    void tableAgainstTheCommandLine_data() {
        QTest::addColumn<int>("category");
        QTest::addColumn<bool>("top");
        QTest::addColumn<bool>("fft");
        for (int k = 0; k < 3; ++k)
            for (const bool top : {false, true})
                for (const bool fft : {false, true})
                    QTest::addRow("k%d%s%s", k, top ? " top" : "", fft ? " fft" : "")
                        << k << top << fft;
    }
    void tableAgainstTheCommandLine() {
        QFETCH(int, category);
        QFETCH(bool, top);
        QFETCH(bool, fft);
        const QString file = record();
        const QList<RezgésjelAblak*> opened = form->RezgésjelMegnyit(file);
        QCOMPARE(opened.size(), 1);
        RezgésjelAblak* window = opened.first();
        QCOMPARE(window->windowTitle(), QStringLiteral("Rezgésjel – robbantas.mseed"));
        form->Választó[std::size_t(category)]->click();
        form->Választó[std::size_t((category + 1) % 3)]->click();
        form->Választó[std::size_t(category)]->click();
        QCOMPARE(window->Kategória(), category);
        window->HelyBeállít(top ? Elemzés::Hely::Födém : Elemzés::Hely::Alap);
        window->MódszerBeállít(fft ? Elemzés::Módszer::FFT : Elemzés::Módszer::ZC);
        const QList<QStringList> expected =
            cliRows(file, {"-k", QString::number(category), "--hely", top ? "fodem" : "alap",
                           "--modszer", fft ? "fft" : "zc"});
        const QList<QStringList> got = tableRows(window->Táblázat());
        QCOMPARE(got.size(), expected.size());
        for (qsizetype r = 0; r < got.size(); ++r) {
            QStringList want = expected[r];
            if (r + 1 == got.size()) // the PVS row: the PPV and its time
                want = want.mid(0, 2);
            for (qsizetype c = 0; c < want.size(); ++c) {
                QString cell = got[r][c];
                if (c == want.size() - 1 && r + 1 < got.size() && cell == u"nincs megítélve")
                    cell.clear(); // the vertical at the top floor slab
                QCOMPARE(cell, want[c]);
            }
        }
        // the verdict in words, as a screen reader gets it
        QLabel* verdict = window->ÍtéletCímke();
        const bool exceeds =
            std::any_of(expected.begin(), expected.end(),
                        [](const QStringList& row) { return row.value(8).startsWith(u"túllépi"); });
        QVERIFY2(verdict->text().startsWith(exceeds ? u"Túllépi: a legnagyobb kihasználtság "
                                                    : u"Megfelel: a legnagyobb kihasználtság "),
                 qPrintable(verdict->text()));
        QCOMPARE(verdict->accessibleName(), verdict->text());
    }

    // The window's place and method can be chosen with its own controls.
    void choosersDriveTheJudgement() {
        RezgésjelAblak* window = form->RezgésjelMegnyit(record()).first();
        auto* place = window->findChildren<QComboBox*>().value(0);
        auto* method = window->findChildren<QComboBox*>().value(1);
        QVERIFY(place && method);
        const QString limitBefore = window->Táblázat()->item(0, 7)->text();
        place->setCurrentIndex(1);
        QCOMPARE(window->Táblázat()->item(0, 7)->text(), QString()); // the vertical, unjudged
        QCOMPARE(window->Táblázat()->item(1, 7)->text(), QStringLiteral("15,00"));
        place->setCurrentIndex(0);
        QCOMPARE(window->Táblázat()->item(0, 7)->text(), limitBefore);
        method->setCurrentIndex(1);
        QCOMPARE(
            tableRows(window->Táblázat()).value(0).value(6),
            cliRows(window->Felvétel().fájl, {"-k", "1", "--modszer", "fft"}).value(0).value(6));
    }

    // A monitoring record opens on its worst event, with the strip of the whole record above;
    // the event's figures are the command line's for it, and a click on the strip near the
    // other event shows that one.
    void monitoring() {
        const QString file = monitoringRecord();
        RezgésjelAblak* window = form->RezgésjelMegnyit(file).first();
        QCOMPARE(window->NézetekSzáma(), 3); // the whole record and two events
        QCOMPARE(window->AktívNézet(), 2);   // 11 mm/s at 9 Hz: the worst
        QVERIFY(window->ÁttekintésLap() && window->ÁttekintésLap()->isVisibleTo(window));
        const auto eventRows = [&](int event) {
            QProcess p;
            p.start(QStringLiteral(VELORIX_PROGRAM),
                    {"--esemenyek", file, "-k", QString::number(window->Kategória()), "--egyseg",
                     "mm/s"});
            p.waitForFinished(60000);
            QList<QStringList> rows;
            for (const QByteArray& line : p.readAllStandardOutput().split('\n').mid(1)) {
                const QStringList f = QString::fromUtf8(line).split(u';');
                if (f.value(1) == QString::number(event))
                    rows << f.mid(4);
            }
            return rows;
        };
        const auto compare = [&](int event) {
            const QList<QStringList> shown = tableRows(window->Táblázat());
            const QList<QStringList> cli = eventRows(event);
            QCOMPARE(shown.size(), cli.size());
            for (int r = 0; r < cli.size(); ++r)
                for (int c : {0, 1, 2, 6, 7, 8}) // PPV, time, ZC, limit, utilisation, verdict
                    QCOMPARE(shown[r].value(c), cli[r].value(c));
        };
        compare(2);
        QVERIFY(window->ÍtéletCímke()->text().startsWith(u"Túllépi"));
        // a click on the strip at the first event's time
        QWidget* strip = window->ÁttekintésLap();
        window->resize(1000, 800);
        QVERIFY(QTest::qWaitForWindowExposed(window));
        strip->repaint(); // the time axis is where it was drawn
        // the first event lies at 20 of 90 s, the second at 70: each click takes the nearest
        QTest::mouseClick(strip, Qt::LeftButton, {},
                          QPoint(strip->width() / 5, strip->height() / 3));
        QCOMPARE(window->AktívNézet(), 1);
        compare(1);
        QVERIFY(window->ÍtéletCímke()->text().startsWith(u"Megfelel"));
        QTest::mouseClick(strip, Qt::LeftButton, {},
                          QPoint(strip->width() * 9 / 10, strip->height() / 3));
        QCOMPARE(window->AktívNézet(), 2);
        // its report: the event shown, then the summary of both
        const QString content = reportText(window, QStringLiteral("figyeles.pdf"));
        QVERIFY(!content.startsWith(QStringLiteral("fault")));
        if (!content.isEmpty()) {
            QVERIFY(content.contains(QStringLiteral("2. a felvétel 2 eseménye közül")));
            QVERIFY(content.contains(QStringLiteral("Események összesítése")));
            QVERIFY(content.contains(QStringLiteral("2/2. oldal")));
            QVERIFY(content.contains(QStringLiteral("(a legnagyobb kihasználtság)")));
        }
        // the first event shown is not called the worst
        window->NézetBeállít(1);
        const QString first = reportText(window, QStringLiteral("figyeles-1.pdf"));
        QVERIFY(!first.startsWith(QStringLiteral("fault")));
        if (!first.isEmpty())
            QVERIFY(first.contains(QStringLiteral("1. eseményt mutatja részletesen.")) &&
                    !first.contains(QStringLiteral("(a legnagyobb kihasználtság)")));
        // the whole record, analysed when first chosen: the command line's figures for it
        QComboBox* chooser = window->EseményVálasztó();
        chooser->setCurrentIndex(0);
        QCOMPARE(window->AktívNézet(), 1); // the view shown stays until it is ready
        QTRY_COMPARE(window->AktívNézet(), 0);
        QCOMPARE(chooser->currentIndex(), 0);
        const QList<QStringList> whole =
            cliRows(file, {"-k", QString::number(window->Kategória())});
        const QList<QStringList> shown = tableRows(window->Táblázat());
        QCOMPARE(shown.size(), whole.size());
        for (qsizetype r = 0; r < shown.size(); ++r) // the PVS row: its PPV and time
            QCOMPARE(shown[r].mid(0, r + 1 == shown.size() ? 2 : whole[r].size()),
                     r + 1 == shown.size() ? whole[r].mid(0, 2) : whole[r]);
        window->close();
    }

    // A span dragged on a monitoring record's strip, either way, is analysed and shown as an
    // event is: its peak is the largest |v| of the samples in it, less their mean, worked out
    // here from the record's own formula; it joins the chooser and its report says so.
    void chooseASpan_data() {
        QTest::addColumn<double>("from");
        QTest::addColumn<double>("to");
        QTest::newRow("the first blast") << 10.0 << 40.0;
        QTest::newRow("dragged leftwards") << 40.0 << 10.0;
        QTest::newRow("both blasts") << 5.0 << 85.0;
        QTest::newRow("quiet") << 40.0 << 60.0;
    }
    void chooseASpan() {
        QFETCH(double, from);
        QFETCH(double, to);
        const QString file = monitoringRecord();
        RezgésjelAblak* window = form->RezgésjelMegnyit(file).first();
        window->resize(1000, 800);
        QVERIFY(QTest::qWaitForWindowExposed(window));
        QWidget* strip = window->ÁttekintésLap();
        strip->repaint(); // the time axis is where it was drawn
        const QRectF axis = window->ÁttekintésTengely();
        const auto at = [&](double t) {
            return QPoint(int(std::lround(axis.left() + axis.width() * t / 90)),
                          strip->height() / 3);
        };
        QTest::mousePress(strip, Qt::LeftButton, {}, at(from));
        QTest::mouseMove(strip, at((from + to) / 2));
        QTest::mouseMove(strip, at(to));
        QTest::mouseRelease(strip, Qt::LeftButton, {}, at(to));
        QTRY_VERIFY(window->KijelöltNézet() > 0);
        QCOMPARE(window->AktívNézet(), window->KijelöltNézet());
        // the span's own start, within a pixel of where the drag began or ended
        const double pixel = 90 / axis.width();
        const qint64 recordStart =
            QDateTime(QDate(2026, 12, 8), QTime(10, 0), QTimeZone::utc()).toMSecsSinceEpoch() *
            1000;
        const double start = double(window->Felvétel().kezdetMikro.value_or(0) - recordStart) / 1e6;
        QVERIFY2(std::fabs(start - std::min(from, to)) <= pixel,
                 qPrintable(QString::number(start)));
        const double span = double(window->Felvétel().mintaszám) / 500;
        QVERIFY2(std::fabs(span - std::fabs(to - from)) <= 2 * pixel,
                 qPrintable(QString::number(span)));
        // each component's peak from the samples the record was made of
        const QList<QStringList> rows = tableRows(window->Táblázat());
        const QLocale hu(QLocale::Hungarian);
        for (int c = 0; c < 3; ++c) {
            const std::vector<double> v = monitoringSamples(c);
            const auto first = std::size_t(std::lround(start * 500));
            const auto n = std::size_t(std::lround(span * 500));
            double mean = 0, peak = 0;
            for (std::size_t i = first; i < first + n; ++i)
                mean += v[i] / double(n);
            for (std::size_t i = first; i < first + n; ++i)
                peak = std::max(peak, std::fabs(v[i] - mean));
            bool ok = false;
            const double shown = hu.toDouble(rows.value(c).value(0), &ok);
            QVERIFY2(
                ok && std::fabs(shown - peak) < 0.002,
                qPrintable(rows.value(c).value(0) + QStringLiteral(" / ") + QString::number(peak)));
        }
        // the report shows the span, and does not call it an event
        const QString content = reportText(window, QStringLiteral("szakasz.pdf"));
        QVERIFY(!content.startsWith(QStringLiteral("fault")));
        if (!content.isEmpty())
            QVERIFY(content.contains(QStringLiteral("kézzel kijelölt")) &&
                    !content.contains(QStringLiteral("Az előző oldal")));
        window->close();
    }

    // The traces zoom and pan from the keyboard, the wheel and the pointer; Home shows the
    // whole record; the time under the pointer stays put as the wheel zooms.
    void zoomAndPan() {
        RezgésjelAblak* window = form->RezgésjelMegnyit(record()).first();
        window->resize(1000, 800);
        QVERIFY(QTest::qWaitForWindowExposed(window));
        Nyomlap* traces = window->Nyomok();
        traces->repaint();
        QVERIFY(!traces->Látható());
        const double whole = 3.0; // s: the record's length
        QTest::keyClick(traces, Qt::Key_Plus);
        QVERIFY(traces->Látható());
        QCOMPARE(traces->Látható()->first, whole / 4);
        QCOMPARE(traces->Látható()->second, 3 * whole / 4);
        QTest::keyClick(traces, Qt::Key_Left); // a fifth of the span earlier
        QCOMPARE(traces->Látható()->first, whole / 4 - whole / 10);
        for (int i = 0; i < 10; ++i) // never before the start
            QTest::keyClick(traces, Qt::Key_Left);
        QCOMPARE(traces->Látható()->first, 0.0);
        QTest::keyClick(traces, Qt::Key_Home);
        QVERIFY(!traces->Látható());
        // the wheel about a point two thirds across the axis: that time stays where it is
        traces->repaint();
        const QPointF at(traces->width() * 2 / 3.0, traces->height() / 2.0);
        const Nyomlap::Tartomány before{0, whole};
        QWheelEvent wheel(at, traces->mapToGlobal(at), {}, QPoint(0, 240), Qt::NoButton, {},
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(traces, &wheel);
        const auto after = traces->Látható().value();
        QVERIFY(after.second - after.first < 0.7 * (before.second - before.first));
        // the fixed time lies at the same fraction of the span before and after
        const double fixed = (after.first * (before.second - before.first) -
                              before.first * (after.second - after.first)) /
                             ((before.second - before.first) - (after.second - after.first));
        QVERIFY(fixed > whole / 2 && fixed < whole);
        // dragging to the left shows later times
        QTest::mousePress(traces, Qt::LeftButton, {}, at.toPoint());
        QTest::mouseMove(traces, (at - QPointF(100, 0)).toPoint());
        QTest::mouseRelease(traces, Qt::LeftButton, {}, (at - QPointF(100, 0)).toPoint());
        QVERIFY(traces->Látható()->first > after.first);
        QTest::keyClick(traces, Qt::Key_Minus);
        QTest::keyClick(traces, Qt::Key_Minus);
        QTest::keyClick(traces, Qt::Key_Minus);
        QVERIFY(!traces->Látható()); // zoomed out to the whole record, no further
        window->close();
    }

    // A record opens while the main window stays usable: its window's place shows the file
    // and the step at once, with a progress bar and "Mégse". Stopped, nothing opens and no
    // message comes; let run, the window comes where its progress was, with the category
    // chosen meanwhile.
    void progressAndCancel_data() {
        QTest::addColumn<bool>("cancel");
        QTest::newRow("stopped") << true;
        QTest::newRow("let run") << false;
    }
    void progressAndCancel() {
        QFETCH(bool, cancel);
        const QString file = save(
            QStringLiteral("tiz-perc.mseed"),
            mseed(components(1000, 1000 * 600,
                             [](int c, int i) { return 0.05 * std::sin(0.3 * double(i) + c); }),
                  DE_FLOAT32, 4096));
        form->Választó[0]->click();
        bool ended = false;
        QList<RezgésjelAblak*> opened;
        QPointer<RezgésjelBetöltés> loading =
            form->RezgésjelBetölt(file, [&](QList<RezgésjelAblak*> windows) {
                opened = windows;
                ended = true;
            });
        QVERIFY(loading && loading->isVisible() && !ended);
        QCOMPARE(loading->windowTitle(), QStringLiteral("Rezgésjel – tiz-perc.mseed (megnyitás…)"));
        QVERIFY2(loading->Szöveg()->text().contains(QStringLiteral("tiz-perc.mseed")),
                 qPrintable(loading->Szöveg()->text()));
        QVERIFY(loading->Haladás()->isVisible());
        const QPoint place = loading->pos();
        // the main window takes a click meanwhile, as a user gives it
        QTest::mouseClick(form->Választó[2], Qt::LeftButton);
        QVERIFY(form->Választó[2]->isChecked());
        if (cancel) {
            QTest::mouseClick(loading->MégseGomb(), Qt::LeftButton);
            QVERIFY(!loading->isVisible());
        }
        QTRY_VERIFY_WITH_TIMEOUT(ended, 30000);
        QTRY_VERIFY(!loading);
        for (QWidget* w : QApplication::topLevelWidgets())
            QVERIFY(!qobject_cast<QMessageBox*>(w) || !w->isVisible());
        if (cancel) {
            QVERIFY(opened.isEmpty());
            QVERIFY(form->NyitottRezgésjelek().isEmpty());
            return;
        }
        QCOMPARE(opened.size(), qsizetype(1));
        QVERIFY(opened.first()->isVisible());
        QCOMPARE(opened.first()->Kategória(), 2);
        QCOMPARE(opened.first()->pos(), place);
        opened.first()->close();
    }

    // Closing the record changes nothing in the main window; closing the main window closes
    // the records.
    void closing() {
        const QStringList before{form->CímkeMaxSebesség[0]->text(),
                                 form->CímkeMaxSebesség[1]->text()};
        QPointer<RezgésjelAblak> first = form->RezgésjelMegnyit(record()).first();
        QPointer<RezgésjelAblak> second = form->RezgésjelMegnyit(record()).first();
        first->close();
        QTRY_VERIFY(!first);
        QCOMPARE(
            (QStringList{form->CímkeMaxSebesség[0]->text(), form->CímkeMaxSebesség[1]->text()}),
            before);
        QCOMPARE(form->NyitottRezgésjelek().size(), 1);
        form->close();
        QTRY_VERIFY(!second);
    }

    // A record too slow for the scale is shown but not judged: its verdict says so, in the
    // text's own colour, never the green of a pass; the report's says so too.
    void nothingJudgedIsNotGreen() {
        const QString slow =
            save(QStringLiteral("lassu.mseed"),
                 mseed(components(
                           100, 1000,
                           [](int c, int i) { return 2 * std::sin(2 * M_PI * 5 * i / 100.0 + c); }),
                       DE_FLOAT64));
        RezgésjelAblak* window = form->RezgésjelMegnyit(slow).first();
        QVERIFY(
            window->ÍtéletCímke()->text().startsWith(QStringLiteral("Nincs megítélt összetevő")));
        const QColor shown = window->ÍtéletCímke()->palette().color(QPalette::WindowText);
        QCOMPARE(shown, window->palette().color(QPalette::WindowText));
        const QString text = reportText(window, QStringLiteral("lassu.pdf"));
        QVERIFY2(text.isEmpty() || text.contains(QStringLiteral("Nincs megítélt összetevő")),
                 qPrintable(text));
    }

    // Esc with a list dropped down closes the list only; the next Esc closes the window.
    void escapeClosesAnOpenListFirst() {
        QPointer<RezgésjelAblak> window = form->RezgésjelMegnyit(record()).first();
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window));
        auto* place = window->findChild<QComboBox*>();
        QVERIFY(place);
        // on a real X server the key comes from the keyboard, as the user presses it
        const bool x11 = QGuiApplication::platformName() == u"xcb" &&
                         !QStandardPaths::findExecutable(QStringLiteral("xdotool")).isEmpty();
        auto escape = [&](QWidget* to) {
            if (x11)
                QProcess::execute(QStringLiteral("xdotool"), {"key", "Escape"});
            else
                QTest::keyClick(to, Qt::Key_Escape);
        };
        window->activateWindow();
        QTRY_VERIFY(window->isActiveWindow());
        place->showPopup();
        QTRY_VERIFY(QApplication::activePopupWidget());
        escape(QApplication::activePopupWidget());
        QTRY_VERIFY(!QApplication::activePopupWidget());
        QTest::qWait(200);
        QVERIFY(window && window->isVisible());
        escape(window);
        QTRY_VERIFY(!window);
    }

    // An unreadable file: no window, a message box naming the file and the reason, with a
    // remedy worded for the window: never a command-line option.
    void unreadableFiles_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("reason");
        QByteArray random;
        for (int i = 0; i < 300; ++i)
            random += char((i * 37) % 256);
        QTest::newRow("random bytes") << random << "ismeretlen bináris formátum";
        const QByteArray whole = [] {
            QFile f(record(QStringLiteral("whole.mseed")));
            f.open(QIODevice::ReadOnly);
            return f.readAll();
        }();
        QTest::newRow("a cut record") << whole.left(whole.size() - 100) << "csonka";
        QTest::newRow("a table without time") << QByteArray("Z;N\n1;2\n") << "nincs időoszlop";
    }
    void unreadableFiles() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, reason);
        const QString file = save(QStringLiteral("rossz.dat"), bytes);
        QString text;
        whenShown([&text] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box)
                return false;
            text = box->text();
            box->accept();
            return true;
        });
        QVERIFY(form->RezgésjelMegnyit(file).isEmpty());
        QVERIFY2(text.contains(QDir::toNativeSeparators(file)) && text.contains(reason),
                 qPrintable(text));
        QVERIFY2(!text.contains(QStringLiteral("--")), qPrintable(text));
        QVERIFY(form->NyitottRezgésjelek().isEmpty());
        QVERIFY(form->isVisible());
    }

    // A narrow window keeps every column in sight: the remark of a component above 100 Hz
    // wraps in its cell, whole, instead of the table scrolling sideways.
    void narrowTableWraps() {
        const double f[] = {30, 120, 150};
        const std::vector<MseedChannel> channels = components(
            2000, 4000, [&](int c, int i) { return 3 * std::sin(2 * M_PI * f[c] * i / 2000.0); });
        RezgésjelAblak* window =
            form->RezgésjelMegnyit(save(QStringLiteral("magas.mseed"), mseed(channels, DE_FLOAT64)))
                .first();
        window->resize(700, window->height());
        QVERIFY(QTest::qWaitForWindowExposed(window));
        QTableWidget* table = window->Táblázat();
        QTRY_COMPARE(table->horizontalScrollBar()->maximum(), 0);
        const int last = table->columnCount() - 1;
        int wrapped = 0;
        for (int r = 0; r < table->rowCount(); ++r) {
            const QTableWidgetItem* item = table->item(r, last);
            if (!item || item->text().isEmpty())
                continue;
            const QFontMetrics fm(table->font());
            const QRect need = fm.boundingRect(QRect(0, 0, table->columnWidth(last) - 8, 10000),
                                               Qt::TextWordWrap, item->text());
            QVERIFY2(need.height() <= table->rowHeight(r), qPrintable(item->text()));
            wrapped += need.height() > fm.height();
        }
        QVERIFY(wrapped >= 2); // both components above 100 Hz carry the remark
        QTRY_VERIFY(table->y() + table->height() <= window->ÍtéletCímke()->y());
        window->close();
    }

    // On a laptop's 1366 × 768 the window fits the screen beside the main window: its table
    // and verdict in sight, every category button of the main window still free to click;
    // Esc closes it.
    void fitsALaptop_data() {
        QTest::addColumn<bool>("monitoring");
        QTest::newRow("a blast") << false;
        QTest::newRow("a monitoring record, with its strip and events") << true;
    }
    void fitsALaptop() {
        QFETCH(bool, monitoring);
        if (QGuiApplication::primaryScreen()->size() != QSize(1366, 768))
            QSKIP("needs the 1366 × 768 screen (the laptop run of this test)");
        RezgésjelAblak* window =
            form->RezgésjelMegnyit(monitoring ? monitoringRecord() : record()).first();
        QCOMPARE(window->ÁttekintésLap() != nullptr, monitoring);
        QVERIFY(QTest::qWaitForWindowExposed(window));
        const QRect area = window->screen()->availableGeometry();
        QVERIFY2(area.contains(window->frameGeometry()), qPrintable(QStringLiteral("%1,%2 %3×%4")
                                                                        .arg(window->x())
                                                                        .arg(window->y())
                                                                        .arg(window->width())
                                                                        .arg(window->height())));
        for (QWidget* w : {static_cast<QWidget*>(window->Táblázat()),
                           static_cast<QWidget*>(window->ÍtéletCímke())}) {
            const QRect global(w->mapToGlobal(QPoint(0, 0)), w->size());
            QVERIFY(w->isVisible() && area.contains(global));
        }
        for (QRadioButton* button : form->findChildren<QRadioButton*>()) {
            const QPoint centre = button->mapToGlobal(button->rect().center());
            QVERIFY(!window->frameGeometry().contains(centre));
        }
        QPointer<RezgésjelAblak> open = window;
        QTest::keyClick(window, Qt::Key_Escape);
        QTRY_VERIFY(!open);
    }

    // The next record window opens where the user left the last one, and a count record's
    // station offers the sensitivity given before.
    void remembersPlaceAndSensitivity() {
        if (QGuiApplication::primaryScreen()->size() != QSize(1366, 768))
            QSKIP("needs the 1366 × 768 screen (the laptop run of this test)");
        RezgésjelAblak* window = form->RezgésjelMegnyit(record()).first();
        const QRect place(40, 4, 900, window->minimumSizeHint().height());
        window->setGeometry(place);
        QTRY_COMPARE(window->geometry(), place); // the window system has placed it
        window->close();
        window = form->RezgésjelMegnyit(record()).first();
        QCOMPARE(window->geometry(), place);
        window->close();

        const QString file = save(
            QStringLiteral("szamlalo.mseed"),
            mseed(components(200, 600,
                             [](int c, int i) { return std::round(900 * std::sin(i * 0.2 + c)); }),
                  DE_STEIM2));
        QList<double> offered;
        auto answer = [&](double value) {
            whenShown([&offered, value] {
                auto* dialog =
                    dynamic_cast<ÉrzékenységPárbeszéd*>(QApplication::activeModalWidget());
                if (!dialog)
                    return false;
                offered << dialog->Mező()->value();
                dialog->Mező()->setValue(value);
                dialog->accept();
                return true;
            });
        };
        answer(1234.5);
        QCOMPARE(form->RezgésjelMegnyit(file).size(), qsizetype(1));
        answer(1234.5);
        QCOMPARE(form->RezgésjelMegnyit(file).size(), qsizetype(1));
        QCOMPARE(offered.size(), qsizetype(2));
        QCOMPARE(offered[1], 1234.5); // the station's, offered the second time
    }

    // A file of two stations: a window each, titled with its station, the second not on top
    // of the first.
    void aWindowPerStation() {
        std::vector<MseedChannel> channels(6);
        const char* names[] = {"HHZ", "HHN", "HHE"};
        for (int c = 0; c < 6; ++c) {
            channels[std::size_t(c)].channel = names[c % 3];
            channels[std::size_t(c)].station = c < 3 ? "KOV1" : "KOV2";
            channels[std::size_t(c)].rate = 500;
            for (int i = 0; i < 1000; ++i)
                channels[std::size_t(c)].samples.push_back(std::sin(i * 0.2 + c) * (1 + c));
        }
        const QString file = save(QStringLiteral("ket-allomas.mseed"), mseed(channels, DE_FLOAT64));
        const QList<RezgésjelAblak*> opened = form->RezgésjelMegnyit(file);
        QCOMPARE(opened.size(), qsizetype(2));
        QCOMPARE(opened[0]->windowTitle(),
                 QStringLiteral("Rezgésjel – ket-allomas.mseed – HU.KOV1.00"));
        QCOMPARE(opened[1]->windowTitle(),
                 QStringLiteral("Rezgésjel – ket-allomas.mseed – HU.KOV2.00"));
        QVERIFY(opened[1]->pos() != opened[0]->pos());
        // the unit given for one station is never taken for the other's
        QCOMPARE(units->asked, (QStringList{"HU.KOV1.00", "HU.KOV2.00"}));
        // nor a sensitivity: counts of two stations ask twice
        for (MseedChannel& c : channels)
            for (double& x : c.samples)
                x = std::round(x * 1000);
        const QString counts = save(QStringLiteral("ket-count.mseed"), mseed(channels, DE_STEIM2));
        QStringList asked;
        whenShown([&] {
            auto* dialog = dynamic_cast<ÉrzékenységPárbeszéd*>(QApplication::activeModalWidget());
            if (!dialog || dialog->property("answered").toBool())
                return asked.size() == 2;
            dialog->setProperty("answered", true);
            asked << dialog->findChild<QLabel*>()->text();
            dialog->Mező()->setValue(asked.size() == 1 ? 1000 : 2000);
            dialog->accept();
            return asked.size() == 2;
        });
        const QList<RezgésjelAblak*> read = form->RezgésjelMegnyit(counts);
        QCOMPARE(asked.size(), 2);
        QVERIFY(asked[0].contains(u"KOV1") && asked[1].contains(u"KOV2"));
        QCOMPARE(read.size(), qsizetype(2));
        // each station's samples with its own sensitivity: the second's HHZ, four times the
        // first's in counts, at twice the sensitivity
        const double first = read[0]->Táblázat()->item(0, 1)->text().replace(u',', u'.').toDouble();
        const double second =
            read[1]->Táblázat()->item(0, 1)->text().replace(u',', u'.').toDouble();
        QVERIFY2(std::fabs(second / first - 2) < 0.01,
                 qPrintable(QStringLiteral("%1 / %2").arg(first).arg(second)));
    }

    // A blast monitor's export opens as any record, its units its own (nothing asked); its
    // remarks (an old calibration, a failed sensor check) stand under the verdict.
    void exportOpensWithItsRemarks() {
        FullWaveform w;
        w.calibration = "December 20, 2019 by Instantel";
        w.testResult = "Failed";
        const QList<RezgésjelAblak*> opened =
            form->RezgésjelMegnyit(save(QStringLiteral("UM99999.TXT"), w.bytes()));
        QCOMPARE(opened.size(), qsizetype(1));
        QVERIFY(units->asked.isEmpty());
        QVERIFY(opened[0]->ÍtéletCímke()->text().startsWith(u"Megfelel"));
        const QString remarks = opened[0]->MegjegyzésCímke()->text();
        QVERIFY2(opened[0]->MegjegyzésCímke()->isVisibleTo(opened[0]) &&
                     remarks.contains(u"kalibrálása a mérés idején egy évnél régebbi") &&
                     remarks.contains(u"a(z) Vert érzékelő önellenőrzése: Failed"),
                 qPrintable(remarks));
        // a record without them shows no empty line for them
        RezgésjelAblak* plain = form->RezgésjelMegnyit(record()).first();
        QVERIFY(!plain->MegjegyzésCímke()->isVisibleTo(plain));
    }

    // Floats of no stated unit: the window asks, nothing chosen for a station never seen, the
    // last answer offered for one seen; going on without one shows the record, not judged.
    void asksForTheUnit() {
        {
            MértékegységPárbeszéd fresh(QStringLiteral("a.mseed"), QStringLiteral("HU.NEW1.00"),
                                        nullptr);
            QVERIFY(!fresh.Szorzó());
            for (QAbstractButton* b : fresh.Választások())
                QVERIFY(!b->isChecked());
            MértékegységPárbeszéd::Megjegyez(QStringLiteral("HU.OLD1.00"), 25.4);
            MértékegységPárbeszéd seen(QStringLiteral("a.mseed"), QStringLiteral("HU.OLD1.00"),
                                       nullptr);
            QCOMPARE(seen.Szorzó().value_or(0), 25.4);
            QVERIFY(seen.Választások()[2]->isChecked()); // in/s
            seen.Választások()[3]->click();              // counts: the sensitivity's inverse
            seen.ÉrzékenységMező()->setValue(500);
            QCOMPARE(seen.Szorzó().value_or(0), 1.0 / 500);
        }
        units->answer.reset();
        whenShown([] {
            auto* dialog = dynamic_cast<MértékegységPárbeszéd*>(QApplication::activeModalWidget());
            if (!dialog)
                return false;
            dialog->reject(); // "Megítélés nélkül"
            return true;
        });
        const QList<RezgésjelAblak*> opened = form->RezgésjelMegnyit(record());
        QCOMPARE(opened.size(), qsizetype(1));
        QVERIFY2(opened[0]->ÍtéletCímke()->text().startsWith(
                     u"Nincs megítélt összetevő: ismeretlen mértékegység"),
                 qPrintable(opened[0]->ÍtéletCímke()->text()));
    }

    // Counts: the window asks for the sensitivity, or a StationXML file, and opens with it.
    void asksForTheSensitivity_data() {
        QTest::addColumn<bool>("xml");
        QTest::newRow("typed") << false;
        QTest::newRow("StationXML") << true;
    }
    void asksForTheSensitivity() {
        QFETCH(bool, xml);
        const QString file = save(
            QStringLiteral("counts.mseed"),
            mseed(components(500, 1000,
                             [](int c, int i) { return std::round(4000 * std::sin(i * 0.3 + c)); }),
                  DE_STEIM2));
        const char* names[] = {"HHZ", "HHN", "HHE"};
        QByteArray station = "<FDSNStationXML><Network code=\"HU\"><Station code=\"BUD1\">";
        for (const char* c : names)
            station +=
                QByteArray("<Channel code=\"") + c +
                "\" locationCode=\"00\"><Response><InstrumentSensitivity><Value>2E6</Value>"
                "<InputUnits><Name>M/S</Name></InputUnits></InstrumentSensitivity></Response>"
                "</Channel>";
        const QString stationFile =
            save(QStringLiteral("bud1.xml"), station + "</Station></Network></FDSNStationXML>");
        bool asked = false;
        whenShown([&] {
            auto* dialog = dynamic_cast<ÉrzékenységPárbeszéd*>(QApplication::activeModalWidget());
            if (!dialog)
                return false;
            asked = true;
            if (xml)
                dialog->StationXmlMegnyit(stationFile);
            else
                dialog->Mező()->setValue(2000);
            // the record was read before the question and is not read again
            QFile::rename(file, file + QStringLiteral(".el"));
            dialog->accept();
            return true;
        });
        const QList<RezgésjelAblak*> opened = form->RezgésjelMegnyit(file);
        QFile::rename(file + QStringLiteral(".el"), file);
        QVERIFY(asked);
        QCOMPARE(opened.size(), qsizetype(1));
        // 2000 counts per mm/s either way, as the command line reads them with it
        QCOMPARE(opened[0]->Táblázat()->item(0, 1)->text(),
                 cliRows(file, {"-k", "1", "--erzekenyseg", "2000"}).value(0).value(0));
    }

    // A record dropped on the main window opens, as does one from the result frame's menu
    // (its dialog is Qt's, not tested here).
    void dropOpens() {
        const QString file = record(QStringLiteral("dropped.mseed"));
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(file)});
        QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton,
                              Qt::NoModifier);
        QApplication::sendEvent(form.get(), &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(form.get(), &drop);
        QTRY_COMPARE(form->NyitottRezgésjelek().size(), 1);
        QCOMPARE(form->NyitottRezgésjelek().first()->windowTitle(),
                 QStringLiteral("Rezgésjel – dropped.mseed"));
    }

    // The report: A4, its text extractable, every figure and the verdict in it, no pictures.
    void report() {
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
            QSKIP("pdftotext (poppler-utils) is not installed");
        RezgésjelAblak* first = form->RezgésjelMegnyit(record()).first();
        Mérésadatok particulars;
        particulars.helyszín = QStringLiteral("Kővágóörs, kőfejtő");
        particulars.végezte = QStringLiteral("Kiss Anna");
        particulars.távolság = 250;
        particulars.töltet = 25;
        QString stored;
        QVERIFY2(first->AdatokBeállít(particulars, &stored), qPrintable(stored));
        first->close();
        // the station's next record offers them again, from the settings store
        RezgésjelAblak* window = form->RezgésjelMegnyit(record()).first();
        QCOMPARE(window->Adatok().végezte, particulars.végezte);
        const QString pdf = configDir().filePath(QStringLiteral("jelentes.pdf"));
        QString why;
        QVERIFY2(window->JelentésÍr(pdf, &why), qPrintable(why));
        QProcess text;
        text.start(QStringLiteral("pdftotext"),
                   {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
        QVERIFY(text.waitForFinished(30000));
        const QString content =
            QString::fromUtf8(text.readAllStandardOutput()).replace(QChar(0xA0), u' ');
        QStringList expected{QStringLiteral("robbantas.mseed"), QStringLiteral("Lakóépület"),
                             QStringLiteral("HU.BUD1.00.HHZ"),  QStringLiteral("HU.BUD1.00.HHN"),
                             QStringLiteral("HU.BUD1.00.HHE"),  window->ÍtéletCímke()->text(),
                             QStringLiteral("Velorix 1.00")};
        // the start in UTC and in Hungary's clock time, the page's number, grouped counts
        const QDateTime start = *window->Felvétel().kezdet();
        expected << start.toString(QStringLiteral("yyyy. MM. dd. HH:mm:ss.zzz")) +
                        QStringLiteral(" UTC (") +
                        start.toTimeZone(QTimeZone(QByteArrayLiteral("Europe/Budapest")))
                            .toString(QStringLiteral("HH:mm:ss"))
                 << QStringLiteral("1/1. oldal") << QStringLiteral("3 000 minta")
                 << particulars.helyszín << particulars.végezte << QStringLiteral("250,0 m")
                 << QStringLiteral("50,00 m/kg½") << QStringLiteral("Aláírás:");
        for (const QStringList& row : cliRows(window->Felvétel().fájl, {"-k", "1"}))
            expected << row.value(0) << row.value(6); // every PPV and limit
        for (const QString& e : expected)
            if (!e.isEmpty())
                QVERIFY2(content.contains(e), qPrintable(e));
        QProcess images;
        images.start(QStringLiteral("pdfimages"), {QStringLiteral("-list"), pdf});
        QVERIFY(images.waitForFinished(30000));
        QCOMPARE(images.readAllStandardOutput().count('\n'), 2); // the heading lines only
        // A4; title, author (the operator) and subject in the information dictionary, read
        // without a complaint, and the same properties in the XMP packet that says PDF/A-1b
        QProcess info;
        info.start(QStringLiteral("pdfinfo"), {QStringLiteral("-isodates"), pdf});
        QVERIFY(info.waitForFinished(30000));
        const QString details = QString::fromUtf8(info.readAllStandardOutput());
        QVERIFY2(info.readAllStandardError().isEmpty(), qPrintable(details));
        const auto field = [&details](const char* name) {
            const QRegularExpression re(QStringLiteral("^%1:\\s+(.*)$").arg(QLatin1String(name)),
                                        QRegularExpression::MultilineOption);
            return re.match(details).captured(1).trimmed();
        };
        QVERIFY2(details.contains(QStringLiteral(" pts (A4)")), qPrintable(details));
        QCOMPARE(field("Title"), QStringLiteral("Rezgésmérési jelentés"));
        QCOMPARE(field("Author"), particulars.végezte);
        QVERIFY2(field("Subject").contains(window->Felvétel().állomás) &&
                     field("Subject").contains(particulars.helyszín),
                 qPrintable(details));
        QProcess meta;
        meta.start(QStringLiteral("pdfinfo"), {QStringLiteral("-meta"), pdf});
        QVERIFY(meta.waitForFinished(30000));
        const QString xmp = QString::fromUtf8(meta.readAllStandardOutput());
        QVERIFY(xmp.contains(QStringLiteral("<pdfaid:part>1</pdfaid:part>")) &&
                xmp.contains(QStringLiteral("<pdfaid:conformance>B</pdfaid:conformance>")));
        for (const char* name : {"Title", "Author", "Subject"})
            QVERIFY2(xmp.contains(field(name).toHtmlEscaped()), name);
        QVERIFY(xmp.contains(
            QStringLiteral("<xmp:CreateDate>%1</xmp:CreateDate>").arg(field("CreationDate"))));
    }
};

VELORIX_TEST_MAIN(TestRecordWindow)
#include "test_rezgesjelablak.moc"
