#include "testsupport.h"

#include <QAccessible>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QScrollBar>
#include <QStatusBar>
#include <QStyleOptionButton>

namespace {

struct Row {
    const char* name;
    int index;
    const char* container;
    int left, top, width, height;
    const char* caption; // nullptr: the control has none
};

// The design table, in twips, written out once more as the test's own reference.
const Row designTable[] = {
    {"Választó", 0, "Form1", 120, 120, 1332, 252, "&Ipari objektum"},
    {"Választó", 1, "Form1", 1560, 120, 1092, 252, "&Lakóépület"},
    {"Választó", 2, "Form1", 2760, 120, 972, 252, "&Műemlék"},
    {"CímkeFeliratFrekvencia", -1, "Form1", 120, 1680, 2892, 252, "Mért domináns frekvencia (Hz):"},
    {"CímkeFrekvencia", -1, "Form1", 3120, 1680, 492, 252, "0"},
    {"GörgetőFrekvencia", -1, "Form1", 120, 2040, 3372, 132, nullptr},
    {"Label1", -1, "Form1", 480, 2280, 276, 132, ""},
    {"Label2", -1, "Form1", 720, 2280, 1092, 132, ""},
    {"Label3", -1, "Form1", 1800, 2280, 1380, 132, ""},
    {"Állapotsor", -1, "Form1", 0, 2535, 3825, 255, nullptr},
    {"Frame1", -1, "Form1", 120, 480, 3492, 1092, "Megengedhető maximális rezgéssebesség"},
    {"CímkeMaxSebesség", 0, "Frame1", 1920, 264, 1212, 252, "5.00 mm/s"},
    {"Label4", -1, "Frame1", 120, 290, 612, 252, "Alapon:"},
    {"Label5", -1, "Frame1", 120, 720, 1692, 252, "Legfelső födémszinten:"},
    {"CímkeMaxSebesség", 1, "Frame1", 1920, 720, 1212, 252, "15.00 mm/s"},
};

const char* const motto = "Mottó: Mindig az a robbantás a nagy, amit nem mértek meg!";

QWidget* control(QWidget& form, const Row& row) {
    for (QWidget* w : form.findChildren<QWidget*>(QString::fromUtf8(row.name)))
        if (row.index < 0 || w->property("Index").toInt() == row.index)
            return w;
    return nullptr;
}

QString caption(QWidget* w) {
    if (auto* b = qobject_cast<QRadioButton*>(w))
        return b->text();
    if (auto* l = qobject_cast<QLabel*>(w))
        return l->text();
    if (auto* g = qobject_cast<QGroupBox*>(w))
        return g->title();
    return {};
}

QString accessible(QWidget* w, QAccessible::Text t) {
    QAccessibleInterface* a = QAccessible::queryAccessibleInterface(w);
    return a ? a->text(t) : QString();
}

} // namespace

class TestLayout : public QObject {
    Q_OBJECT

    std::unique_ptr<Form1> form;

private slots:
    void init() { form = std::make_unique<Form1>(); }
    void cleanup() { form.reset(); }

    void window() {
        QCOMPARE(form->objectName(), QStringLiteral("Form1"));
        QCOMPARE(form->windowTitle(),
                 QString::fromUtf8("MSZ 13018 \"Rezgések épületre gyakorolt hatása\""));
        QCOMPARE(form->size(), QSize(255, 186));
        QCOMPARE(form->minimumSize(), QSize(255, 186));
        QCOMPARE(form->maximumSize(), QSize(255, 186));
        const Qt::WindowFlags flags = form->windowFlags();
        QVERIFY(flags & Qt::WindowCloseButtonHint);
        QVERIFY(flags & Qt::WindowSystemMenuHint);
        QVERIFY(!(flags & Qt::WindowMinimizeButtonHint));
        QVERIFY(!(flags & Qt::WindowMaximizeButtonHint));
        QCOMPARE(form->windowState(), Qt::WindowNoState);
        QCOMPARE(form->findChildren<QWidget*>(Qt::FindDirectChildrenOnly).size(), 11);
    }

    void controls_data() {
        QTest::addColumn<int>("row");
        for (int i = 0; i < int(std::size(designTable)); ++i)
            QTest::addRow("%s %d", designTable[i].name, designTable[i].index) << i;
    }
    void controls() {
        QFETCH(int, row);
        const Row& r = designTable[row];
        QWidget* w = control(*form, r);
        QVERIFY(w);
        QCOMPARE(w->parentWidget()->objectName(), QString::fromUtf8(r.container));
        const QRect g = w->geometry();
        QVERIFY2(std::abs(g.x() - r.left / 15.0) <= 1 && std::abs(g.y() - r.top / 15.0) <= 1 &&
                     std::abs(g.width() - r.width / 15.0) <= 1 &&
                     std::abs(g.height() - r.height / 15.0) <= 1,
                 qPrintable(QStringLiteral("%1,%2 %3x%4")
                                .arg(g.x())
                                .arg(g.y())
                                .arg(g.width())
                                .arg(g.height())));
        if (r.caption)
            QCOMPARE(caption(w), QString::fromUtf8(r.caption));
        QCOMPARE(w->property("TabIndex").toInt(), row);
        QVERIFY(w->isVisibleTo(form.get()));
        QVERIFY(w->isEnabled());
    }

    void stateBeforeAnyInput() {
        QVERIFY(form->Választó[1]->isChecked());
        QVERIFY(!form->Választó[0]->isChecked());
        QVERIFY(!form->Választó[2]->isChecked());
        QCOMPARE(form->GörgetőFrekvencia->value(), 0);
        QCOMPARE(form->CímkeFrekvencia->text(), QStringLiteral("0"));
        QCOMPARE(form->CímkeMaxSebesség[0]->text(), QStringLiteral("5.00 mm/s"));
        QCOMPARE(form->CímkeMaxSebesség[1]->text(), QStringLiteral("15.00 mm/s"));
        QCOMPARE(int(form->Épülettípus), 1);
        QCOMPARE(int(form->Frekvencia), 0);
        QCOMPARE(form->MaxSebesség, 0.0f);
    }

    void properties() {
        QScrollBar* s = form->GörgetőFrekvencia;
        QCOMPARE(s->orientation(), Qt::Horizontal);
        QCOMPARE(s->minimum(), 0);
        QCOMPARE(s->maximum(), 100);
        QCOMPARE(s->singleStep(), 1);
        QCOMPARE(s->pageStep(), 10);

        const QColor red(255, 0, 0);
        for (QLabel* l :
             {form->CímkeMaxSebesség[0], form->CímkeMaxSebesség[1], form->CímkeFrekvencia}) {
            QVERIFY(l->alignment() & Qt::AlignRight);
            QCOMPARE(l->frameShape(), QFrame::WinPanel);
            QCOMPARE(l->frameShadow(), QFrame::Sunken);
            QCOMPARE(l->font().pointSizeF(), 9.75);
            QCOMPARE(l->font().weight(), QFont::Normal);
            QVERIFY(!l->font().italic() && !l->font().underline() && !l->font().strikeOut());
        }
        QCOMPARE(form->CímkeMaxSebesség[0]->palette().color(QPalette::WindowText), red);
        QCOMPARE(form->CímkeMaxSebesség[1]->palette().color(QPalette::WindowText), red);
        QVERIFY(form->CímkeFrekvencia->palette().color(QPalette::WindowText) != red);

        QCOMPARE(form->Label1->palette().color(QPalette::Window), red);
        QCOMPARE(form->Label2->palette().color(QPalette::Window), QColor(255, 255, 0));
        QCOMPARE(form->Label3->palette().color(QPalette::Window), QColor(0, 192, 0));
        for (QLabel* strip : {form->Label1, form->Label2, form->Label3}) {
            QVERIFY(strip->autoFillBackground());
            // 108 twips (about 7 pixels) under the scroll bar
            QCOMPARE(strip->y() - form->GörgetőFrekvencia->geometry().bottom() - 1, 7);
        }

        QCOMPARE(form->Label4->toolTip(), QString::fromUtf8(motto));
        QCOMPARE(form->Label5->toolTip(), QString::fromUtf8(motto));

        QStatusBar* bar = form->Állapotsor;
        QVERIFY(!bar->isSizeGripEnabled());
        QCOMPARE(bar->font().pointSizeF(), 8.25);
        QCOMPARE(bar->geometry().bottom(), form->height() - 1);
        QCOMPARE(bar->width(), form->width());
        QCOMPARE(bar->findChildren<QLabel*>().size(), 1);
        const QRegularExpression tip(QStringLiteral(
            "^www\\.example\\.(com|org|net)   e-mail: [a-z]+@example\\.(com|org|net)$"));
        QVERIFY2(tip.match(bar->toolTip()).hasMatch(), qPrintable(bar->toolTip()));
        const QString panel = form->ÁllapotsorPanel->text();
        // name with legal form, postal code, town, street and number, (area code) telephone
        QVERIFY2(QRegularExpression(QStringLiteral("^\\S.* (Kft|Bt|Zrt|Nyrt)\\., \\d{4} \\S+, .+ "
                                                   "\\d+\\., \\(\\d{1,2}\\) [\\d-]+$"))
                     .match(panel)
                     .hasMatch(),
                 qPrintable(panel));
    }

    // With the fonts in use, every caption and every text a value label can receive
    // fits its box.
    void captionsFit() {
        auto fits = [](QWidget* w) { return w->sizeHint().width() <= w->width(); };
        for (QRadioButton* b : form->Választó) {
            // the caption, without its access key marker, fits beside the indicator
            QStyleOptionButton option;
            option.initFrom(b);
            option.text = b->text();
            const QRect contents =
                b->style()->subElementRect(QStyle::SE_RadioButtonContents, &option, b);
            const int text = b->fontMetrics().horizontalAdvance(QString(b->text()).remove(u'&'));
            QVERIFY2(contents.right() < b->width() && text <= contents.width(),
                     qPrintable(b->text()));
        }
        for (QLabel* l : {form->CímkeFeliratFrekvencia, form->Label4, form->Label5})
            QVERIFY2(fits(l) && l->sizeHint().height() <= l->height() + 2, qPrintable(l->text()));
        const QFontMetrics frameFont(form->Frame1->font());
        QVERIFY(frameFont.horizontalAdvance(form->Frame1->title()) + 16 <= form->Frame1->width());
        QVERIFY(form->ÁllapotsorPanel->sizeHint().width() <= form->Állapotsor->width());

        QStringList texts;
        for (int i = 0; i <= 100; ++i)
            texts << QString::number(i);
        QLabel* freq = form->CímkeFrekvencia;
        for (const QString& t : texts) {
            freq->setText(t);
            QVERIFY2(fits(freq), qPrintable(t));
        }
        QStringList results = {"40,00 mm/s", "15,00 mm/s", "8,00 mm/s", "5.00 mm/s", "15.00 mm/s"};
        for (int k = 0; k < 3; ++k) {
            form->Épülettípus = std::int16_t(k);
            for (int f = 0; f <= 100; ++f) {
                form->Frekvencia = std::int16_t(f);
                form->Számít();
                results << form->SzámSzöveg() + QStringLiteral(" mm/s");
            }
        }
        results << QStringLiteral("100,00 mm/s") << QStringLiteral("88.88 mm/s");
        for (QLabel* l : form->CímkeMaxSebesség)
            for (const QString& t : results) {
                l->setText(t);
                QVERIFY2(fits(l), qPrintable(t + QString::number(l->sizeHint().width())));
                QCOMPARE(l->geometry().width(), 81); // the box keeps its size
            }
    }

    void fontIsTheSansSerif() {
        const QString family = form->CímkeMaxSebesség[0]->font().family();
        QVERIFY2(family == QLatin1String("MS Sans Serif") ||
                     family == QLatin1String("Liberation Sans"),
                 qPrintable(family));
        QCOMPARE(QFontInfo(form->CímkeMaxSebesség[0]->font()).family(), family); // really in use
        QCOMPARE(form->font().pointSizeF(), 8.25);
    }

    void icon() {
        const QIcon icon = form->windowIcon();
        QVERIFY(!icon.isNull());
        const QList<QSize> sizes = icon.availableSizes();
        QVERIFY(sizes.contains(QSize(16, 16)));
        QVERIFY(sizes.contains(QSize(32, 32)));
        for (int size : {16, 32}) {
            const QImage image = icon.pixmap(QSize(size, size)).toImage();
            QCOMPARE(image.size(), QSize(size, size));
            QSet<QRgb> colours;
            for (int y = 0; y < size; ++y)
                for (int x = 0; x < size; ++x)
                    if (qAlpha(image.pixel(x, y)) == 255)
                        colours.insert(image.pixel(x, y));
            QVERIFY2(colours.size() <= 16 && colours.size() >= 4,
                     qPrintable(QString::number(colours.size())));
            QVERIFY(colours.contains(qRgb(255, 0, 0))); // the red stick
        }
    }

    void accessibility() {
        QCOMPARE(QAccessible::queryAccessibleInterface(form.get())->role(), QAccessible::Window);
        QCOMPARE(accessible(form.get(), QAccessible::Name), form->windowTitle());
        QCOMPARE(accessible(form->Választó[0], QAccessible::Name),
                 QStringLiteral("Ipari objektum"));
        QCOMPARE(accessible(form->Választó[1], QAccessible::Name), QStringLiteral("Lakóépület"));
        QCOMPARE(accessible(form->Választó[2], QAccessible::Name), QStringLiteral("Műemlék"));
        QCOMPARE(accessible(form->Label5, QAccessible::Name),
                 QStringLiteral("Legfelső födémszinten:"));
        QCOMPARE(accessible(form->Label4, QAccessible::Description), QString::fromUtf8(motto));
        QCOMPARE(accessible(form->Frame1, QAccessible::Name), form->Frame1->title());
        QCOMPARE(accessible(form->Állapotsor, QAccessible::Description),
                 form->Állapotsor->toolTip());
        QCOMPARE(accessible(form->Állapotsor, QAccessible::Name), form->ÁllapotsorPanel->text());
        QVERIFY(!accessible(form->GörgetőFrekvencia, QAccessible::Name).isEmpty());
        QCOMPARE(accessible(form->CímkeMaxSebesség[1], QAccessible::Name),
                 QStringLiteral("15.00 mm/s"));
        form->CímkeMaxSebesség[0]->setText(QStringLiteral("8.28 mm/s"));
        QCOMPARE(accessible(form->CímkeMaxSebesség[0], QAccessible::Name),
                 QStringLiteral("8.28 mm/s"));
        QCOMPARE(accessible(form->CímkeFrekvencia, QAccessible::Name), QStringLiteral("0"));
    }

    // Each value is tied to its caption, both ways: a screen reader tells which value it is.
    void accessibleRelations_data() {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QStringList>("named"); // object names, with the Index of an element
        QTest::newRow("foundation") << "Label4" << QStringList{"CímkeMaxSebesség0"};
        QTest::newRow("top floor") << "Label5" << QStringList{"CímkeMaxSebesség1"};
        QTest::newRow("frequency")
            << "CímkeFeliratFrekvencia" << QStringList{"CímkeFrekvencia", "GörgetőFrekvencia"};
    }
    void accessibleRelations() {
        QFETCH(QString, caption);
        QFETCH(QStringList, named);
        auto nameOf = [](QAccessibleInterface* a) {
            const QObject* o = a->object();
            const QVariant index = o->property("Index");
            return o->objectName() + (index.isValid() ? index.toString() : QString());
        };
        QWidget* captionWidget = form->findChild<QWidget*>(caption);
        QAccessibleInterface* captionA = QAccessible::queryAccessibleInterface(captionWidget);
        QStringList labelled;
        for (const auto& [other, relation] : captionA->relations(QAccessible::Labelled))
            labelled << nameOf(other);
        labelled.sort();
        QCOMPARE(labelled, named);
        for (const auto& [other, relation] : captionA->relations(QAccessible::Labelled)) {
            QStringList captions;
            for (const auto& [back, r] : other->relations(QAccessible::Label))
                captions << nameOf(back);
            QVERIFY2(captions.contains(caption), qPrintable(captions.join(u',')));
        }
        // the names stay the labels' texts
        QCOMPARE(captionA->text(QAccessible::Name), qobject_cast<QLabel*>(captionWidget)->text());
    }

    // Crisp at any scale factor: the window icon has the larger sizes too.
    void iconSizes() {
        const QList<QSize> sizes = QApplication::windowIcon().availableSizes();
        for (const int size : {16, 32, 48, 64, 128})
            QVERIFY2(sizes.contains(QSize(size, size)), qPrintable(QString::number(size)));
    }
};

VELORIX_TEST_MAIN(TestLayout)
#include "test_layout.moc"
