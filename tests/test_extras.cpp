// Beyond the window's own job: the limit curves and copying a result.
#include "testsupport.h"

#include <QAccessible>
#include <QClipboard>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QRadioButton>
#include <QScrollBar>

class TestExtras : public QObject {
    Q_OBJECT

    std::unique_ptr<Form1> form;

    QStringList labels() const {
        return {form->CímkeMaxSebesség[0]->text(), form->CímkeMaxSebesség[1]->text(),
                form->CímkeFrekvencia->text()};
    }

private slots:
    void init() {
        form = std::make_unique<Form1>();
        form->show();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
    }
    void cleanup() { form.reset(); }

    // F2 opens the curves; the point follows every Change, Scroll and Click.
    void curvesFollowTheWindow() {
        const QStringList before = labels();
        QTest::keyClick(form.get(), Qt::Key_F2);
        Határgörbék* curves = form->NyitottHatárgörbék();
        QVERIFY(curves);
        QVERIFY(QTest::qWaitForWindowExposed(curves));
        QCOMPARE(curves->windowTitle(), QStringLiteral("Határgörbék"));
        QCOMPARE(labels(), before); // opening it changes nothing in the window
        QCOMPARE(curves->PontSzöveg(), QStringLiteral("Lakóépület, 0 Hz: 5,00 mm/s"));

        form->activateWindow();
        form->GörgetőFrekvencia->setFocus();
        QTest::keyClick(form->GörgetőFrekvencia, Qt::Key_End); // Change
        QCOMPARE(curves->frekvencia(), 100);
        QCOMPARE(curves->PontSzöveg(), QStringLiteral("Lakóépület, 100 Hz: 20,00 mm/s"));
        form->GörgetőFrekvencia->setSliderDown(true); // a drag: Scroll
        form->GörgetőFrekvencia->setSliderPosition(51);
        QCOMPARE(curves->frekvencia(), 51);
        form->GörgetőFrekvencia->setSliderDown(false);
        form->Választó[2]->click(); // Click
        QCOMPARE(curves->épülettípus(), 2);
        QCOMPARE(curves->PontSzöveg(), QStringLiteral("Műemlék, 51 Hz: 8.04 mm/s"));
        QCOMPARE(curves->PontSzöveg().section(u' ', -2), form->CímkeMaxSebesség[0]->text());

        // to a screen reader: its title, and the current point as its description
        QAccessibleInterface* a = QAccessible::queryAccessibleInterface(curves);
        QCOMPARE(a->text(QAccessible::Name), QStringLiteral("Határgörbék"));
        QCOMPARE(a->text(QAccessible::Description), curves->PontSzöveg());

        const QStringList shown = labels();
        curves->close();
        QTRY_VERIFY(!form->NyitottHatárgörbék());
        QCOMPARE(labels(), shown); // closing it changes nothing either
        QVERIFY(form->isVisible());
    }

    // The curves go with the window: closing it ends the program with its last window.
    void closingTheWindowClosesTheCurves() {
        QPointer<Határgörbék> curves = form->HatárgörbékMegnyit();
        QVERIFY(QTest::qWaitForWindowExposed(curves.data()));
        QVERIFY(form->close());
        QTRY_VERIFY(!curves);
    }

    void curvesSaveAsPngAndSvg() {
        Határgörbék* curves = form->HatárgörbékMegnyit();
        form->Választó[0]->click();
        QTemporaryDir dir;
        const QString png = dir.filePath(QStringLiteral("g.png"));
        const QString svg = dir.filePath(QStringLiteral("g.svg"));
        QVERIFY(!curves->Ment(png));
        QVERIFY(!curves->Ment(svg));
        const QImage image(png);
        QVERIFY(image.width() >= curves->width());
        // the emphasised curve's colour is in the picture
        bool blue = false;
        for (int y = 0; y < image.height() && !blue; y += 2)
            for (int x = 0; x < image.width() && !blue; x += 2)
                blue = image.pixelColor(x, y) == QColor(0, 70, 160);
        QVERIFY(blue);
        QFile file(svg);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray text = file.readAll();
        QVERIFY(text.contains("<svg") && text.contains("Határgörbék"));
        QVERIFY(text.contains("Ipari objektum, 0 Hz: 20,00 mm/s"));
        const QString nowhere = dir.filePath(QStringLiteral("no/such/folder/g.png"));
        const std::optional<Hiba> error = curves->Ment(nowhere);
        QVERIFY(error);
        QCOMPARE(error->fajta, Hiba::Fajta::Írás);
        QCOMPARE(error->fájl, nowhere);
    }

    // Ctrl+C: category, frequency and both limits as the labels show them.
    void copyTheResult() {
        form->Választó[0]->click();
        form->Választó[1]->click();
        form->GörgetőFrekvencia->setValue(51);
        QTest::keyClick(form.get(), Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QGuiApplication::clipboard()->text(),
                 QStringLiteral("Lakóépület, 51 Hz: alapon 15.10 mm/s, legfelső födémszinten "
                                "15,00 mm/s"));
        form->GörgetőFrekvencia->setValue(10); // a whole value: no alignment blanks
        form->Másol();
        QCOMPARE(QGuiApplication::clipboard()->text(),
                 QStringLiteral("Lakóépület, 10 Hz: alapon 5,00 mm/s, legfelső födémszinten "
                                "15,00 mm/s"));
    }

    void copyBeforeAnyInputShowsTheDesignTexts() {
        QCOMPARE(form->VágólapSzöveg(),
                 QStringLiteral("Lakóépület, 0 Hz: alapon 5.00 mm/s, legfelső födémszinten "
                                "15.00 mm/s"));
    }

    // The result frame's right-click menu, on the frame and on a value inside it.
    void resultFrameMenu() {
        for (QWidget* where : {static_cast<QWidget*>(form->Frame1),
                               static_cast<QWidget*>(form->CímkeMaxSebesség[0])}) {
            QStringList entries;
            QTimer::singleShot(0, this, [&] {
                if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
                    for (const QAction* action : menu->actions())
                        entries << action->text();
                    menu->actions().at(1)->trigger(); // Másolás
                    menu->close();
                }
            });
            const QPoint at = where->rect().center();
            QContextMenuEvent event(QContextMenuEvent::Mouse, at, where->mapToGlobal(at));
            QApplication::sendEvent(where, &event);
            QCOMPARE(entries, (QStringList{"Határgörbék…", "Másolás", "Rezgésjel megnyitása…",
                                           "Kampány megnyitása…"}));
            QCOMPARE(QGuiApplication::clipboard()->text(), form->VágólapSzöveg());
            QGuiApplication::clipboard()->clear();
        }
    }
};

VELORIX_TEST_MAIN(TestExtras)
#include "test_extras.moc"
