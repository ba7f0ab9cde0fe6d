#include "cli/parancssor.h"
#include "report/jelentes.h"
#include "runtime/app.h"
#include "ui/application.h"
#include "ui/form1.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QTimer>

#include <algorithm>
#include <memory>

namespace {

// The command line: no window, no display needed; a report is drawn off screen.
int parancssorral(int argc, char** argv) {
    QStringList argumentumok;
    for (int i = 0; i < argc; ++i)
        argumentumok << QString::fromLocal8Bit(argv[i]);
    std::unique_ptr<QCoreApplication> app;
    if (JelentéstKér(argumentumok)) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        app = std::make_unique<QGuiApplication>(argc, argv);
    } else {
        app = std::make_unique<QCoreApplication>(argc, argv);
    }
    rt::describeApplication();
    rt::installQtTranslation();
    const RezgésElemzés::Jelentésíró író{&Jelentés::Ír, &Jelentés::Oldalszám};
    return Parancssor(QCoreApplication::arguments(), &író);
}

// The window, and each record file given beside it in a record window of its own.
int ablakkal(int argc, char** argv) {
    rt::Application app(argc, argv);
    előkészít();
    try {
        Form1 form;
        form.show();
        rt::closeWindowsOnTermination();
        const QStringList fájlok = QCoreApplication::arguments().mid(1);
        if (!fájlok.isEmpty())
            QTimer::singleShot(0, &form, [&form, fájlok] {
                for (const QString& fájl : fájlok)
                    form.RezgésjelMegnyit(fájl);
            });
        return app.exec();
    } catch (const std::exception& error) {
        rt::reportFatal(error);
    }
    return 1;
}

} // namespace

int main(int argc, char** argv) {
    if (argc > 1 && std::any_of(argv + 1, argv + argc, [](const char* a) { return a[0] == '-'; }))
        return parancssorral(argc, argv);
    return ablakkal(argc, argv);
}
