#include "cli/parancssor.h"
#include "report/jelentes.h"
#include "report/kampanyjelentes.h"
#include "runtime/app.h"
#include "ui/application.h"
#include "ui/form1.h"

#include <QCoreApplication>
#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <memory>
#include <optional>

namespace {

// The command line: no window, no display needed; a report is drawn off screen.
int parancssorral(int argc, char** argv) {
    QStringList argumentumok;
    for (int i = 0; i < argc; ++i)
        argumentumok << QString::fromLocal8Bit(argv[i]);
    std::unique_ptr<QCoreApplication> app;
    std::optional<QTemporaryDir> futásmappa;
    if (JelentéstKér(argumentumok)) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        // the drawing wants a runtime folder of the user's; without one (a cron job, a plain
        // ssh session) a private one of this run's, so that Qt has nothing to warn about
        if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR") && futásmappa.emplace().isValid())
            qputenv("XDG_RUNTIME_DIR", QFile::encodeName(futásmappa->path()));
        app = std::make_unique<QGuiApplication>(argc, argv);
    } else {
        app = std::make_unique<QCoreApplication>(argc, argv);
    }
    rt::describeApplication();
    rt::installQtTranslation();
    const RezgésElemzés::Jelentésíró író{&Jelentés::Ír, &Jelentés::Oldalszám, &KampányJelentés::Ír,
                                         &KampányJelentés::Oldalszám};
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
                    form.Megnyit(fájl);
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
