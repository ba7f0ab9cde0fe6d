// Start-up cost: the instructions until the first frame of the main window, as the program
// starts it (application, style, font, icon, translations, settings, the window), next to
// the floor: the same widgets on bare Qt. Run under callgrind by bench/indulas.sh, which
// prints the ratio; the figure is instructions, not seconds, so it repeats exactly.
// With `rezgesjel FILE SINCE SENSITIVITY` it times a record window's first frames instead
// (bench_elemzes runs it so, for a short and a long record).
#include "ui/application.h"
#include "ui/erzekenyseg.h"
#include "ui/form1.h"
#include "ui/mertekegyseg.h"
#include "ui/rezgesjelablak.h"

#include <QApplication>
#include <QDoubleSpinBox>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QScrollBar>
#include <QStatusBar>
#include <QStyleFactory>
#include <QTimer>

#include <cstdio>
#include <cstring>
#include <ctime>
#include <memory>

namespace {

// Ends the event loop once the window has painted its first frame.
class FirstFrame : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && !done_) {
            done_ = true;
            QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        }
        return QObject::eventFilter(watched, event);
    }

private:
    bool done_ = false;
};

// The same widgets, fonts, frames and colours with Qt alone: no runtime layer, no settings,
// no icon, no translation, no accessibility.
std::unique_ptr<QWidget> floorWindow() {
    auto w = std::make_unique<QWidget>();
    w->setWindowTitle(QStringLiteral("MSZ 13018 \"Rezgések épületre gyakorolt hatása\""));
    w->setFixedSize(255, 186);
    const QFont font(QStringLiteral("Liberation Sans"));
    QFont base = font, value = font;
    base.setPointSizeF(8.25);
    value.setPointSizeF(9.75);
    w->setFont(base);
    const char* options[] = {"&Ipari objektum", "&Lakóépület", "&Műemlék"};
    for (int i = 0; i < 3; ++i)
        (new QRadioButton(QString::fromUtf8(options[i]), w.get()))
            ->setGeometry(8 + 96 * i, 8, 88, 17);
    auto* frame = new QGroupBox(QStringLiteral("Megengedhető maximális rezgéssebesség"), w.get());
    frame->setGeometry(8, 32, 233, 73);
    auto valueLabel = [&](const QString& text, QWidget* parent, QRect where) {
        auto* l = new QLabel(text, parent);
        l->setGeometry(where);
        l->setFont(value);
        l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        l->setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
        QPalette red = l->palette();
        red.setColor(QPalette::WindowText, Qt::red);
        l->setPalette(red);
    };
    valueLabel(QStringLiteral("5.00 mm/s"), frame, {128, 18, 81, 17});
    (new QLabel(QStringLiteral("Alapon:"), frame))->setGeometry(8, 19, 41, 17);
    (new QLabel(QStringLiteral("Legfelső födémszinten:"), frame))->setGeometry(8, 48, 113, 17);
    valueLabel(QStringLiteral("15.00 mm/s"), frame, {128, 48, 81, 17});
    (new QLabel(QStringLiteral("Mért domináns frekvencia (Hz):"), w.get()))
        ->setGeometry(8, 112, 193, 17);
    valueLabel(QStringLiteral("0"), w.get(), {208, 112, 33, 17});
    auto* bar = new QScrollBar(Qt::Horizontal, w.get());
    bar->setRange(0, 100);
    bar->setGeometry(8, 136, 225, 9);
    const QColor strips[] = {Qt::red, Qt::yellow, QColor(0, 192, 0)};
    for (int i = 0; i < 3; ++i) {
        auto* strip = new QLabel(w.get());
        strip->setGeometry(32 + 40 * i, 152, 40, 9);
        strip->setAutoFillBackground(true);
        QPalette p = strip->palette();
        p.setColor(QPalette::Window, strips[i]);
        strip->setPalette(p);
    }
    auto* status = new QStatusBar(w.get());
    status->setGeometry(0, 169, 255, 17);
    status->addWidget(
        new QLabel(QStringLiteral("Minta Bt., 9999 Mintafalva, Fő u. 1., (99) 555-010")), 1);
    return w;
}

// ns on the system-wide monotonic clock, which a parent process shares.
qint64 monotonic() {
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return qint64(t.tv_sec) * 1'000'000'000 + t.tv_nsec;
}

// A record file opened as the program opens it from its command line, timed from `since` (the
// parent's monotonic clock when it started this process): the first frame in the record
// window's place, and the record window's first frame (its full picture). A sensitivity asked
// for is given at once; the time the question stood on the screen is left out. Prints both in
// ms and exits.
int recordWindow(int argc, char** argv, const QString& file, qint64 since, double sensitivity) {
    rt::Application app(argc, argv);
    előkészít();
    qint64 first = 0, full = 0, asked = 0;
    class Frames : public QObject {
    public:
        std::function<void(QWidget*)> painted;
        bool eventFilter(QObject* watched, QEvent* event) override {
            if (event->type() == QEvent::Paint)
                if (auto* w = qobject_cast<QWidget*>(watched))
                    painted(w);
            return false;
        }
    } frames;
    frames.painted = [&](QWidget* w) {
        const QWidget* window = w->window();
        if (!first && window->windowTitle().startsWith(QStringLiteral("Rezgésjel")))
            first = monotonic();
        if (!full && dynamic_cast<const RezgésjelAblak*>(window)) {
            full = monotonic();
            QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        }
    };
    app.installEventFilter(&frames);
    QTimer answer; // the sensitivity or the unit (floats: mm/s), given at once
    QObject::connect(&answer, &QTimer::timeout, [&] {
        if (auto* d = dynamic_cast<ÉrzékenységPárbeszéd*>(QApplication::activeModalWidget());
            d && d->isVisible()) {
            const qint64 shown = monotonic();
            d->Mező()->setValue(sensitivity);
            d->accept();
            asked += monotonic() - shown;
        }
        if (auto* d = dynamic_cast<MértékegységPárbeszéd*>(QApplication::activeModalWidget());
            d && d->isVisible()) {
            const qint64 shown = monotonic();
            d->Választ(1);
            d->accept();
            asked += monotonic() - shown;
        }
    });
    answer.start(1);
    Form1 form;
    form.show();
    QTimer::singleShot(0, &form, [&] { form.RezgésjelBetölt(file); });
    app.exec();
    std::printf("%.1f %.1f\n", double(first - since) / 1e6, double(full - since - asked) / 1e6);
    return full ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 5 && std::strcmp(argv[1], "rezgesjel") == 0)
        return recordWindow(argc, argv, QString::fromLocal8Bit(argv[2]),
                            QByteArray(argv[3]).toLongLong(), QByteArray(argv[4]).toDouble());
    const bool floor = argc > 1 && std::strcmp(argv[1], "alap") == 0;
    FirstFrame firstFrame;
    if (floor) {
        QApplication app(argc, argv);
        QApplication::setStyle(QStyleFactory::create(QStringLiteral("Windows")));
        auto w = floorWindow();
        w->installEventFilter(&firstFrame);
        w->show();
        return app.exec();
    }
    rt::Application app(argc, argv);
    előkészít();
    Form1 form;
    form.installEventFilter(&firstFrame);
    form.show();
    return app.exec();
}
