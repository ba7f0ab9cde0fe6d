#include "runtime/errors.h"
#include "runtime/settings_store.h"
#include "runtime/text.h"
#include "testsupport.h"
#include "testwindow.h"

#include <QDir>
#include <QFile>
#include <QScreen>
#include <QSettings>

namespace {

const QString app = QStringLiteral("Velorix");
const QString section = QStringLiteral("Form1");

QString storeFile() {
    return rt::settingsLocation(app);
}

// The stored texts, read from the store's file directly.
QMap<QString, QString> stored() {
    QSettings file(storeFile(), QSettings::IniFormat);
    file.beginGroup(section);
    QMap<QString, QString> values;
    for (const QString& key : file.childKeys())
        values[key] = rt::GetSetting(app, section, key);
    return values;
}

void store(const QString& key, const QString& text) {
    rt::SaveSetting(app, section, key, text);
}

const QLocale hungarian(QLocale::Hungarian, QLocale::Hungary);
const QLocale english(QLocale::English, QLocale::UnitedStates);

} // namespace

class TestPlacement : public QObject {
    Q_OBJECT

    QStringList warnings;

    AblakHelyzet placement(const rt::Screens& screens, const QLocale& format = english) {
        AblakHelyzet p(screens);
        p.setNumberFormat(format);
        p.setWarningSink([this](const QString& w) { warnings << w; });
        return p;
    }

private slots:
    void init() {
        QFile::remove(storeFile());
        warnings.clear();
    }

    void storeKeepsTextsLetterForLetter_data() {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("text");
        QTest::newRow("state") << AblakHelyzet::KulcsÁllapot << "0";
        QTest::newRow("comma") << AblakHelyzet::KulcsBalszél << "1234,5";
        QTest::newRow("two commas") << AblakHelyzet::KulcsFelsőszél << "1,2,3";
        QTest::newRow("blanks and quotes") << AblakHelyzet::KulcsSzélesség << " \"a\" = b; ";
        QTest::newRow("accents") << AblakHelyzet::KulcsMagasság << "ő";
        QTest::newRow("empty") << AblakHelyzet::KulcsBalszél << "";
    }
    void storeKeepsTextsLetterForLetter() {
        QFETCH(QString, key);
        QFETCH(QString, text);
        QCOMPARE(rt::GetSetting(app, section, key, QStringLiteral("default")),
                 QStringLiteral("default"));
        store(key, QStringLiteral("earlier"));
        store(key, text);
        QCOMPARE(rt::GetSetting(app, section, key, QStringLiteral("default")), text);
        QVERIFY(storeFile().startsWith(configDir().path())); // the user's configuration folder
        QVERIFY(storeFile().endsWith(QStringLiteral("/Velorix.ini")));
        QCOMPARE(stored().keys(), QStringList{key}); // the key letter for letter
    }

    void firstStarts_data() {
        QTest::addColumn<float>("screenWidth");
        QTest::addColumn<float>("screenHeight");
        QTest::addColumn<int>("border");
        QTest::addColumn<float>("left");
        QTest::addColumn<float>("top");
        QTest::addColumn<float>("width");
        QTest::addColumn<float>("height");
        QTest::newRow("fixed, 15360")
            << 15360.0f << 11520.0f << 1 << 3840.0f << 5120.0f << 3885.0f << 3135.0f;
        QTest::newRow("sizable, 1024 x 768")
            << 15360.0f << 11520.0f << 2 << 3840.0f << 5120.0f << 7680.0f << 5120.0f;
        QTest::newRow("sizable tool window")
            << 15360.0f << 11520.0f << 5 << 3840.0f << 5120.0f << 7680.0f << 5120.0f;
        // the default would put the lower edge at 19200 twips: it is brought onto the screen
        QTest::newRow("sizable, 1920 x 1080")
            << 28800.0f << 16200.0f << 2 << 7200.0f << 6600.0f << 14400.0f << 9600.0f;
        QTest::newRow("fixed, 20490")
            << 20490.0f << 15360.0f << 1 << 5122.5f << 6830.0f << 3885.0f << 3135.0f;
    }
    void firstStarts() {
        QFETCH(float, screenWidth);
        QFETCH(float, screenHeight);
        QFETCH(int, border);
        QFETCH(float, left);
        QFETCH(float, top);
        QFETCH(float, width);
        QFETCH(float, height);
        TestScreens screens(screenWidth, screenHeight);
        TestWindow w;
        w.border = std::int16_t(border);
        for (const QLocale& format : {english, hungarian}) {
            w.left = w.top = 0;
            w.width = 3885, w.height = 3135;
            placement(screens, format).AblakHelyzetBetöltés(w);
            QCOMPARE(int(w.state), 0);
            QCOMPARE(w.left, left);
            QCOMPARE(w.top, top);
            QCOMPARE(w.width, width);
            QCOMPARE(w.height, height);
        }
        QVERIFY(stored().isEmpty()); // loading writes nothing
    }

    void saveAndRestore_data() {
        QTest::addColumn<int>("border");
        QTest::addColumn<QStringList>("keys");
        QTest::newRow("fixed") << 1
                               << QStringList{"ablak balszéle", "ablak felsőszéle", "ablakállapot"};
        QTest::newRow("sizable") << 2
                                 << QStringList{"ablak balszéle", "ablak felsőszéle",
                                                "ablak magassága", "ablak szélessége",
                                                "ablakállapot"};
    }
    void saveAndRestore() {
        QFETCH(int, border);
        QFETCH(QStringList, keys);
        TestScreens screens(28800, 16200);
        TestWindow w;
        w.border = std::int16_t(border);
        w.left = 1440, w.top = 1234.5f, w.width = 6000, w.height = 4500.25f;
        placement(screens, hungarian).AblakHelyzetMentés(w);
        QMap<QString, QString> texts = stored();
        QCOMPARE(QStringList(texts.keys()), keys);
        QCOMPARE(texts[AblakHelyzet::KulcsÁllapot], QStringLiteral("0"));
        QCOMPARE(texts[AblakHelyzet::KulcsBalszél], QStringLiteral("1440"));
        QCOMPARE(texts[AblakHelyzet::KulcsFelsőszél], QStringLiteral("1234,5"));

        TestWindow again;
        again.border = w.border;
        placement(screens, hungarian).AblakHelyzetBetöltés(again);
        QCOMPARE(again.left, 1440.0f);
        QCOMPARE(again.top, 1234.5f);
        if (border == 2) {
            QCOMPARE(texts[AblakHelyzet::KulcsMagasság], QStringLiteral("4500,25"));
            QCOMPARE(again.width, 6000.0f);
            QCOMPARE(again.height, 4500.25f);
            QCOMPARE(again.assigned,
                     (QStringList{"WindowState", "Left", "Top", "Width", "Height"}));
        } else {
            QCOMPARE(again.width, 3885.0f);
            QCOMPARE(again.assigned, (QStringList{"WindowState", "Left", "Top"}));
        }
    }

    void fixedWindowIgnoresAStoredSize() {
        store(AblakHelyzet::KulcsSzélesség, QStringLiteral("9000"));
        store(AblakHelyzet::KulcsMagasság, QStringLiteral("9000"));
        TestScreens screens(15360, 11520);
        TestWindow w;
        placement(screens).AblakHelyzetBetöltés(w);
        QCOMPARE(w.width, 3885.0f);
        QCOMPARE(w.height, 3135.0f);
    }

    void minimizedOrMaximizedStoresOnlyTheState_data() {
        QTest::addColumn<int>("state");
        QTest::newRow("minimized") << 1;
        QTest::newRow("maximized") << 2;
    }
    void minimizedOrMaximizedStoresOnlyTheState() {
        QFETCH(int, state);
        TestScreens screens(15360, 11520);
        TestWindow w;
        w.border = rt::vbSizable;
        w.left = 100, w.top = 200;
        placement(screens).AblakHelyzetMentés(w);
        w.state = std::int16_t(state);
        w.left = 5000, w.top = 6000, w.width = 1, w.height = 1;
        placement(screens).AblakHelyzetMentés(w);
        const QMap<QString, QString> texts = stored();
        QCOMPARE(texts[AblakHelyzet::KulcsÁllapot], QString::number(state));
        QCOMPARE(texts[AblakHelyzet::KulcsBalszél], QStringLiteral("100"));
        QCOMPARE(texts[AblakHelyzet::KulcsSzélesség], QStringLiteral("3885"));

        TestWindow next;
        next.left = -1;
        placement(screens).AblakHelyzetBetöltés(next);
        QCOMPARE(int(next.state), state);
        QCOMPARE(next.assigned, QStringList{"WindowState"});
    }

    // A value that cannot be read counts as absent; the others are still used.
    void unreadableValues_data() {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("text");
        QTest::addColumn<float>("left");
        QTest::addColumn<int>("state");
        const QString left = AblakHelyzet::KulcsBalszél, state = AblakHelyzet::KulcsÁllapot;
        QTest::newRow("empty left") << left << "" << 3840.0f << 0;
        QTest::newRow("letters") << left << "bal" << 3840.0f << 0;
        QTest::newRow("other separator") << left << "1234,5" << 1234.5f << 0;
        QTest::newRow("group separator") << left << "1,234" << 1.234f << 0;
        QTest::newRow("past single") << left << "1e39" << 3840.0f << 0;
        QTest::newRow("nan") << left << "nan" << 3840.0f << 0;
        QTest::newRow("infinity") << left << "inf" << 3840.0f << 0;
        QTest::newRow("state empty") << state << "" << 2000.0f << 0;
        QTest::newRow("state letters") << state << "max" << 2000.0f << 0;
        QTest::newRow("state 7") << state << "7" << 2000.0f << 0;
        QTest::newRow("state -1") << state << "-1" << 2000.0f << 0;
        QTest::newRow("state past 16 bits") << state << "70000" << 2000.0f << 0;
        QTest::newRow("state 2") << state << "2" << 0.0f << 2;
    }
    void unreadableValues() {
        QFETCH(QString, key);
        QFETCH(QString, text);
        QFETCH(float, left);
        QFETCH(int, state);
        store(AblakHelyzet::KulcsBalszél, QStringLiteral("2000"));
        store(AblakHelyzet::KulcsFelsőszél, QStringLiteral("300"));
        store(key, text);
        TestScreens screens(15360, 11520);
        TestWindow w;
        placement(screens).AblakHelyzetBetöltés(w);
        QCOMPARE(int(w.state), state);
        QCOMPARE(w.left, left);
        QCOMPARE(w.top, state == 0 ? 300.0f : 0.0f);
        QVERIFY(warnings.isEmpty()); // nothing is shown
    }

    void offScreenPositionsComeBack_data() {
        QTest::addColumn<float>("left");
        QTest::addColumn<float>("top");
        QTest::addColumn<float>("expectedLeft");
        QTest::addColumn<float>("expectedTop");
        QTest::newRow("wholly on the screen") << 100.0f << 200.0f << 100.0f << 200.0f;
        QTest::newRow("at the edges") << 11475.0f << 8385.0f << 11475.0f << 8385.0f;
        QTest::newRow("beyond the right edge") << 20000.0f << 200.0f << 11475.0f << 200.0f;
        QTest::newRow("partly over the bottom") << 100.0f << 10000.0f << 100.0f << 8385.0f;
        QTest::newRow("far left") << -12000.0f << 200.0f << 0.0f << 200.0f;
        QTest::newRow("above") << 100.0f << -9000.0f << 100.0f << 0.0f;
        QTest::newRow("on the second screen") << 20000.0f << 1000.0f << 20000.0f << 1000.0f;
        QTest::newRow("over the second's right edge") << 30000.0f << 1000.0f << 26835.0f << 1000.0f;
    }
    void offScreenPositionsComeBack() {
        QFETCH(float, left);
        QFETCH(float, top);
        QFETCH(float, expectedLeft);
        QFETCH(float, expectedTop);
        TestScreens screens(15360, 11520);
        if (QByteArray(QTest::currentDataTag()).contains("second"))
            screens.areas << QRectF(15360, 0, 15360, 11520);
        store(AblakHelyzet::KulcsBalszél, rt::NumberText(left, english));
        store(AblakHelyzet::KulcsFelsőszél, rt::NumberText(top, english));
        TestWindow w;
        placement(screens).AblakHelyzetBetöltés(w);
        QCOMPARE(w.left, expectedLeft);
        QCOMPARE(w.top, expectedTop);
    }

    // A corner exactly on a screen's left or top edge belongs to that screen.
    void cornerOnTheEdgeOfTheNextScreen_data() {
        QTest::addColumn<QRectF>("second");
        QTest::addColumn<QPointF>("corner");
        QTest::newRow("left edge") << QRectF(15360, 0, 19200, 11520) << QPointF(15360, 1000);
        QTest::newRow("top edge") << QRectF(0, 11520, 15360, 11520) << QPointF(1000, 11520);
        QTest::newRow("both") << QRectF(15360, 11520, 15360, 11520) << QPointF(15360, 11520);
    }
    void cornerOnTheEdgeOfTheNextScreen() {
        QFETCH(QRectF, second);
        QFETCH(QPointF, corner);
        const QRectF window(corner, QSizeF(3885, 3135));
        QCOMPARE(AblakHelyzet::KépernyőreIgazít(window, {QRectF(0, 0, 15360, 11520), second}),
                 window);
        TestScreens screens(15360, 11520);
        screens.areas << second;
        store(AblakHelyzet::KulcsBalszél, rt::NumberText(float(corner.x()), english));
        store(AblakHelyzet::KulcsFelsőszél, rt::NumberText(float(corner.y()), english));
        TestWindow w;
        placement(screens).AblakHelyzetBetöltés(w);
        QCOMPARE(QPointF(w.left, w.top), corner);
    }

    void largerThanTheScreenGoesToItsCorner() {
        const QRectF area(15360, 300, 15360, 11220);
        QCOMPARE(AblakHelyzet::KépernyőreIgazít(QRectF(16000, 500, 16000, 12000),
                                                {QRectF(0, 0, 15360, 11520), area}),
                 QRectF(15360, 300, 16000, 12000));
        // a corner on no screen: the first (primary) screen's area
        QCOMPARE(AblakHelyzet::KépernyőreIgazít(QRectF(-50000, -50000, 3885, 3135), {area}),
                 QRectF(15360, 300, 3885, 3135));
    }

    // As root a read-only file does not stop writes: a folder that cannot be created does.
    void unwritableStoreDoesNotStopClosing() {
        QTemporaryDir dir;
        QFile blocker(dir.filePath(QStringLiteral("file")));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        const QString unwritable = dir.filePath(QStringLiteral("file/config"));
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, unwritable);
        bool raised = false;
        try {
            store(AblakHelyzet::KulcsÁllapot, QStringLiteral("0"));
        } catch (const rt::RuntimeError& e) {
            raised = e.kind() == rt::ErrorKind::SettingsStore && e.detail().contains(unwritable);
        }
        QVERIFY(raised);

        TestScreens screens(15360, 11520);
        TestWindow w;
        placement(screens).AblakHelyzetMentés(w); // does not throw
        QCOMPARE(warnings.size(), 1);
        QVERIFY2(warnings[0].contains(unwritable + QStringLiteral("/Velorix.ini")),
                 qPrintable(warnings[0]));
        QVERIFY2(warnings[0].contains(QStringLiteral("nem hozható létre")),
                 qPrintable(warnings[0]));
        placement(screens).AblakHelyzetBetöltés(w); // and the window still opens, at the defaults
        QCOMPARE(w.left, 3840.0f);
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, configDir().path());
    }

    void withoutPositionsOnlyTheStateIsKept() {
        store(AblakHelyzet::KulcsBalszél, QStringLiteral("700"));
        TestScreens screens(15360, 11520);
        TestWindow w;
        w.reportsPosition = false;
        w.left = 5;
        placement(screens).AblakHelyzetMentés(w);
        QCOMPARE(stored()[AblakHelyzet::KulcsBalszél], QStringLiteral("700"));
        QCOMPARE(stored()[AblakHelyzet::KulcsÁllapot], QStringLiteral("0"));
        placement(screens).AblakHelyzetBetöltés(w);
        QCOMPARE(w.assigned, QStringList{"WindowState"});
    }

    // The real window: closed, then a new one opens at the same place.
    void realWindowRoundTrip() {
        QPoint where;
        {
            Form1 form;
            form.show();
            QVERIFY(QTest::qWaitForWindowExposed(&form));
            form.move(120, 90);
            QTRY_COMPARE(form.frameGeometry().topLeft(), QPoint(120, 90));
            where = form.frameGeometry().topLeft();
            QVERIFY(form.close());
        }
        QCOMPARE(stored()[AblakHelyzet::KulcsBalszél], rt::NumberText(1800));
        QCOMPARE(stored()[AblakHelyzet::KulcsÁllapot], QStringLiteral("0"));
        Form1 form;
        QCOMPARE(form.pos(), where); // before it is first shown
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QCOMPARE(form.frameGeometry().topLeft(), where);
    }

    // A position that is a number but lies far beyond any screen, on the real window.
    void hugeStoredPositionComesBack() {
        store(AblakHelyzet::KulcsBalszél, QStringLiteral("1e30"));
        store(AblakHelyzet::KulcsFelsőszél, QStringLiteral("-3E+38"));
        Form1 form;
        const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
        QCOMPARE(form.frameGeometry().right(), area.right());
        QCOMPARE(form.frameGeometry().top(), area.top());
    }

    // The frame is known only once the window is shown: then all of it comes onto the screen.
    void frameComesOntoTheScreenOnceKnown() {
        const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
        const int top = area.bottom() + 1 - 188; // the client area fits, its frame does not
        store(AblakHelyzet::KulcsFelsőszél, rt::NumberText(rt::toTwips(top)));
        Form1 form;
        QCOMPARE(form.frameGeometry().top(), top);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        if (form.frameGeometry() == form.geometry())
            QSKIP("this platform draws no frame");
        QTRY_COMPARE(form.frameGeometry().bottom(), area.bottom());
    }

    // With the platform's second screen (the offscreen platform's screen configuration).
    void realSecondScreen() {
        const QList<QScreen*> screens = QGuiApplication::screens();
        if (screens.size() < 2)
            QSKIP("one screen: run with the two-screen configuration");
        const QRect second = screens[1]->availableGeometry();
        store(AblakHelyzet::KulcsBalszél, rt::NumberText(rt::toTwips(second.x() + 40)));
        store(AblakHelyzet::KulcsFelsőszél, rt::NumberText(rt::toTwips(second.y() + 30)));
        {
            Form1 form;
            QCOMPARE(form.pos(), second.topLeft() + QPoint(40, 30)); // stays on the second screen
        }
        store(AblakHelyzet::KulcsBalszél, rt::NumberText(rt::toTwips(second.x())));
        {
            Form1 form;
            QCOMPARE(form.pos().x(), second.x()); // exactly on its left edge
        }
        store(AblakHelyzet::KulcsBalszél, rt::NumberText(rt::toTwips(second.right() - 100)));
        {
            Form1 form;
            QCOMPARE(form.frameGeometry().right(), second.right()); // back onto its screen
        }
        // a monitor removed: the corner lies on no screen, so the primary one takes it
        store(AblakHelyzet::KulcsBalszél, rt::NumberText(rt::toTwips(second.right() + 500)));
        Form1 form;
        QCOMPARE(form.frameGeometry().right(), screens[0]->availableGeometry().right());
    }
};

VELORIX_TEST_MAIN(TestPlacement)
#include "test_placement.moc"
