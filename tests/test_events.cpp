#include "testsupport.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QLabel>
#include <QLibraryInfo>
#include <QMenu>
#include <QRadioButton>
#include <QScrollBar>
#include <QStyleOptionSlider>

#include <cmath>

namespace {

// The expected foundation text, from the table in exact thousandths: bands, cut to
// hundredths, whole values right-aligned with a comma, others with a point.
QString expected(int category, int f) {
    const int constant[] = {20000, 5000, 3000};
    const int midSlope[] = {500, 250, 125}, midBase[] = {20000, 5000, 3000};
    const int topSlope[] = {200, 100, 40}, topBase[] = {40000, 15000, 8000};
    int thousandths = f < 10    ? constant[category]
                      : f <= 50 ? (f - 10) * midSlope[category] + midBase[category]
                                : (f - 50) * topSlope[category] + topBase[category];
    const int hundredths = thousandths / 10;
    if (hundredths % 100 == 0)
        return QStringLiteral("%1,00 mm/s").arg(hundredths / 100, 3);
    return QStringLiteral("%1.%2 mm/s")
        .arg(hundredths / 100)
        .arg(hundredths % 100, 2, 10, QLatin1Char('0'));
}

QPoint subControlCentre(QScrollBar* bar, QStyle::SubControl sc) {
    QStyleOptionSlider option;
    option.initFrom(bar);
    option.orientation = bar->orientation();
    option.minimum = bar->minimum();
    option.maximum = bar->maximum();
    option.sliderPosition = bar->sliderPosition();
    option.sliderValue = bar->value();
    option.singleStep = bar->singleStep();
    option.pageStep = bar->pageStep();
    option.subControls = QStyle::SC_All;
    return bar->style()->subControlRect(QStyle::CC_ScrollBar, &option, sc, bar).center();
}

} // namespace

class TestEvents : public QObject {
    Q_OBJECT

    std::unique_ptr<Form1> form;
    QScrollBar* bar = nullptr;

    QString foundation() const { return form->CímkeMaxSebesség[0]->text(); }
    QString topFloor() const { return form->CímkeMaxSebesség[1]->text(); }
    QString frequency() const { return form->CímkeFrekvencia->text(); }

    void clickOn(QStyle::SubControl part) {
        QTest::mouseClick(bar, Qt::LeftButton, {}, subControlCentre(bar, part));
    }

    void key(Qt::Key k, int times = 1) {
        for (int i = 0; i < times; ++i)
            QTest::keyClick(QApplication::focusWidget(), k);
    }

private slots:
    void init() {
        form = std::make_unique<Form1>();
        bar = form->GörgetőFrekvencia;
        form->show();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
    }
    void cleanup() { form.reset(); }

    void loadAloneKeepsTheDesignTexts() {
        QCOMPARE(foundation(), QStringLiteral("5.00 mm/s"));
        QCOMPARE(topFloor(), QStringLiteral("15.00 mm/s"));
        QCOMPARE(frequency(), QStringLiteral("0"));
        QCOMPARE(int(form->Épülettípus), 1);
        QCOMPARE(form->MaxSebesség, 0.0f);
    }

    void scrollBarFirstComputesWithResidential() {
        bar->setFocus();
        key(Qt::Key_End);
        QCOMPARE(frequency(), QStringLiteral("100"));
        key(Qt::Key_Home);
        QCOMPARE(frequency(), QStringLiteral("0"));
        QCOMPARE(foundation(), QStringLiteral("  5,00 mm/s"));
        key(Qt::Key_PageDown, 5);
        key(Qt::Key_Right);
        QCOMPARE(frequency(), QStringLiteral("51"));
        QCOMPARE(foundation(), QStringLiteral("15.10 mm/s"));
        QCOMPARE(topFloor(), QStringLiteral("15.00 mm/s")); // design-time text, point
        key(Qt::Key_Left, 41);
        QCOMPARE(frequency(), QStringLiteral("10"));
        QCOMPARE(foundation(), QStringLiteral("  5,00 mm/s"));
    }

    void industrialAt51() {
        bar->setValue(51);
        QTest::mouseClick(form->Választó[0], Qt::LeftButton);
        QVERIFY(form->Választó[0]->isChecked());
        QCOMPARE(foundation(), QStringLiteral("40.20 mm/s"));
        QCOMPARE(topFloor(), QStringLiteral("40,00 mm/s"));
    }

    void industrialRightAfterStart() {
        QTest::mouseClick(form->Választó[0], Qt::LeftButton);
        QCOMPARE(foundation(), QStringLiteral(" 20,00 mm/s"));
        QCOMPARE(topFloor(), QStringLiteral("40,00 mm/s"));
        QCOMPARE(frequency(), QStringLiteral("0"));
    }

    // Each way of selecting an option clicks it once; leaving an option is no click.
    void optionInputs_data() {
        QTest::addColumn<QString>("how");
        QTest::addColumn<int>("category");
        QTest::newRow("mouse, monument") << "mouse" << 2;
        QTest::newRow("Alt+I") << "alt" << 0;
        QTest::newRow("Alt+M") << "alt" << 2;
        QTest::newRow("arrow right") << "arrow" << 2;
        QTest::newRow("arrow left") << "arrow" << 0;
        QTest::newRow("accessible press") << "accessible" << 2;
        QTest::newRow("accessible toggle") << "accessibleToggle" << 0;
    }
    void optionInputs() {
        QFETCH(QString, how);
        QFETCH(int, category);
        {
            const QSignalBlocker quiet(bar); // the frequency label keeps "0"
            bar->setValue(57);
        }
        int clicks = 0;
        for (QRadioButton* b : form->Választó)
            connect(b, &QRadioButton::toggled, this, [&](bool on) { clicks += on; });
        QRadioButton* target = form->Választó[std::size_t(category)];
        if (how == QLatin1String("mouse")) {
            QTest::mouseClick(target, Qt::LeftButton);
        } else if (how == QLatin1String("alt")) {
            const Qt::Key k = category == 0 ? Qt::Key_I : Qt::Key_M;
            QTest::keyClick(form.get(), k, Qt::AltModifier);
        } else if (how == QLatin1String("arrow")) {
            form->Választó[1]->setFocus();
            QTest::keyClick(form->Választó[1], category == 2 ? Qt::Key_Right : Qt::Key_Left);
        } else {
            QAccessibleInterface* a = QAccessible::queryAccessibleInterface(target);
            QVERIFY(a && a->actionInterface());
            a->actionInterface()->doAction(how == QLatin1String("accessible")
                                               ? QAccessibleActionInterface::pressAction()
                                               : QAccessibleActionInterface::toggleAction());
        }
        QTRY_VERIFY_WITH_TIMEOUT(target->isChecked(), 1000); // a mnemonic clicks after ~100 ms
        QTRY_COMPARE(int(form->Épülettípus), category);
        QCOMPARE(clicks, 1);
        QCOMPARE(foundation(), expected(category, 57));
        QCOMPARE(topFloor(), *RezgésModell::FelsőFödémSzöveg(std::int16_t(category)));
        QCOMPARE(frequency(), QStringLiteral("0")); // a click does not write the frequency
    }

    void accessKeyOfTheSelectedOptionChangesNothing() {
        QTest::keyClick(form.get(), Qt::Key_L, Qt::AltModifier);
        QTest::qWait(200);
        QCOMPARE(topFloor(), QStringLiteral("15.00 mm/s"));
        QVERIFY(form->Választó[1]->isChecked());
    }

    void scrollBarKeys_data() {
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("value");
        QTest::newRow("Right") << 50 << int(Qt::Key_Right) << 51;
        QTest::newRow("Left") << 50 << int(Qt::Key_Left) << 49;
        QTest::newRow("Up steps like Left") << 50 << int(Qt::Key_Up) << 49;
        QTest::newRow("Down steps like Right") << 50 << int(Qt::Key_Down) << 51;
        QTest::newRow("Up at 0") << 0 << int(Qt::Key_Up) << 0;
        QTest::newRow("Down at 100") << 100 << int(Qt::Key_Down) << 100;
        QTest::newRow("Page Down") << 50 << int(Qt::Key_PageDown) << 60;
        QTest::newRow("Page Up") << 50 << int(Qt::Key_PageUp) << 40;
        QTest::newRow("Home") << 50 << int(Qt::Key_Home) << 0;
        QTest::newRow("End") << 50 << int(Qt::Key_End) << 100;
        QTest::newRow("Page Down at 95") << 95 << int(Qt::Key_PageDown) << 100;
        QTest::newRow("Page Up at 5") << 5 << int(Qt::Key_PageUp) << 0;
        QTest::newRow("Left at 0") << 0 << int(Qt::Key_Left) << 0;
        QTest::newRow("Right at 100") << 100 << int(Qt::Key_Right) << 100;
    }
    void scrollBarKeys() {
        QFETCH(int, start);
        QFETCH(int, key);
        QFETCH(int, value);
        bar->setValue(start);
        clickOn(QStyle::SC_ScrollBarSlider);
        QCOMPARE(QApplication::focusWidget(), bar); // a click gives it the focus
        QCOMPARE(bar->value(), start);
        QTest::keyClick(bar, Qt::Key(key));
        QCOMPARE(bar->value(), value);
        QCOMPARE(frequency(), QString::number(start == value ? start : value));
        if (start != value)
            QCOMPARE(foundation(), expected(1, value));
    }

    void arrowsAndPageArea() {
        clickOn(QStyle::SC_ScrollBarAddLine);
        QCOMPARE(frequency(), QStringLiteral("1"));
        clickOn(QStyle::SC_ScrollBarAddPage);
        QCOMPARE(frequency(), QStringLiteral("11"));
        QCOMPARE(foundation(), QStringLiteral("5.25 mm/s"));
        clickOn(QStyle::SC_ScrollBarSubLine);
        QCOMPARE(frequency(), QStringLiteral("10"));
        clickOn(QStyle::SC_ScrollBarSubPage);
        QCOMPARE(frequency(), QStringLiteral("0"));
    }

    // The labels follow the thumb while it is dragged; every movement is handled once.
    void drag() {
        int changes = 0;
        const QPoint start = subControlCentre(bar, QStyle::SC_ScrollBarSlider);
        QTest::mousePress(bar, Qt::LeftButton, {}, start);
        QVERIFY(bar->isSliderDown());
        QString last = frequency();
        for (int dx = 10; dx <= 150; dx += 10) {
            QTest::mouseMove(bar, start + QPoint(dx, 0));
            QTRY_COMPARE(frequency(), QString::number(bar->value()));
            QCOMPARE(foundation(), expected(1, bar->value()));
            if (frequency() != last)
                ++changes;
            last = frequency();
        }
        QVERIFY(bar->value() > 50);
        QVERIFY(changes >= 5);
        const int atRelease = bar->value();
        QTest::mouseRelease(bar, Qt::LeftButton, {}, start + QPoint(150, 0));
        QCOMPARE(bar->value(), atRelease);
        QCOMPARE(frequency(), QString::number(atRelease));
    }

    // All 3 x 101 cases by dragging the thumb pixel by pixel from one end to the other.
    void everyCaseByDragging() {
        for (int k : {1, 0, 2}) {
            if (k != 1) // the first pass computes with the category chosen at load
                QTest::mouseClick(form->Választó[std::size_t(k)], Qt::LeftButton);
            QSet<int> seen;
            const QPoint start = subControlCentre(bar, QStyle::SC_ScrollBarSlider);
            QTest::mousePress(bar, Qt::LeftButton, {}, start);
            for (int dx = -bar->width(); dx <= bar->width(); ++dx) {
                QTest::mouseMove(bar, start + QPoint(dx, 0));
                seen.insert(bar->value());
                if (seen.size() == 1)
                    continue; // the thumb has not left 0 yet: nothing has been raised
                QCOMPARE(frequency(), QString::number(bar->value()));
                QCOMPARE(foundation(), expected(k, bar->value()));
            }
            QTest::mouseRelease(bar, Qt::LeftButton, {}, start + QPoint(bar->width(), 0));
            QCOMPARE(seen.size(), 101);
            QCOMPARE(foundation(), expected(k, 100));
            QCOMPARE(topFloor(), k == 1 ? QStringLiteral("15.00 mm/s")
                                        : *RezgésModell::FelsőFödémSzöveg(std::int16_t(k)));
            bar->setValue(0);
        }
    }

    // Qt's own texts are Hungarian too: the scroll bar's right-click menu.
    void scrollBarMenuIsHungarian() {
        const QString qm =
            QLibraryInfo::path(QLibraryInfo::TranslationsPath) + QStringLiteral("/qtbase_hu.qm");
        if (!QFile::exists(qm))
            QSKIP("Qt's Hungarian translation is not installed (qt6-translations-l10n)");
        QStringList entries;
        QTimer::singleShot(0, this, [&] {
            if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
                for (const QAction* action : menu->actions())
                    entries << action->text();
                menu->close();
            }
        });
        const QPoint at = bar->rect().center();
        QContextMenuEvent event(QContextMenuEvent::Mouse, at, bar->mapToGlobal(at));
        QApplication::sendEvent(bar, &event); // runs the menu until it is closed
        QVERIFY(!entries.isEmpty());
        QCOMPARE(entries.first(), QStringLiteral("Görgetés itt"));
        QVERIFY(entries.contains(QStringLiteral("Bal szélen")));
        QVERIFY(!entries.contains(QStringLiteral("Scroll here")));
    }

    void missingTranslationChangesNothing() {
        QVERIFY(!rt::installQtTranslation(QStringLiteral("/nonexistent")));
        QCOMPARE(QCoreApplication::translate("QScrollBar", "Scroll here"),
                 rt::installQtTranslation() ? QStringLiteral("Görgetés itt")
                                            : QStringLiteral("Scroll here"));
    }

    void tabMovesBetweenTheGroupAndTheScrollBar() {
        form->Választó[1]->setFocus();
        QTest::keyClick(form->Választó[1], Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), bar);
        QTest::keyClick(bar, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), form->Választó[1]);
        QTest::keyClick(form->Választó[1], Qt::Key_Backtab);
        QCOMPARE(QApplication::focusWidget(), bar);
        QTest::mouseClick(form->Választó[2], Qt::LeftButton);
        QTest::keyClick(form->Választó[2], Qt::Key_Tab);
        QTest::keyClick(bar, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), form->Választó[2]); // the selected option
    }

    // All 3 x 101 cases as a user reaches them: a category, then the scroll bar key by key.
    void everyCase() {
        for (int k : {0, 2, 1}) {
            QTest::mouseClick(form->Választó[std::size_t(k)], Qt::LeftButton);
            bar->setFocus();
            key(Qt::Key_Home);
            for (int f = 0; f <= 100; ++f) {
                QCOMPARE(foundation(), expected(k, f));
                QCOMPARE(frequency(), QString::number(f));
                key(Qt::Key_Right);
            }
            QCOMPARE(topFloor(), *RezgésModell::FelsőFödémSzöveg(std::int16_t(k)));
        }
    }

    void errorInAHandlerReachesTheStandardMessage() {
        QList<int> reported;
        rt::Application::setReporter(
            [&](const rt::RuntimeError& e) { reported.append(e.number()); });
        form->Épülettípus = 7; // no category: the value is only rounded again
        form->MaxSebesség = std::numeric_limits<float>::infinity();
        bar->setFocus();
        key(Qt::Key_Right);
        QCOMPARE(reported, QList<int>{6});
        rt::Application::setReporter({});
    }

    void closingRaisesUnload() {
        QVERIFY(form->close());
        QVERIFY(!form->isVisible());
    }
};

VELORIX_TEST_MAIN(TestEvents)
#include "test_events.moc"
