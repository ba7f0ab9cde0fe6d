#include "cli/parancssor.h"
#include "form1.h"
#include "runtime/application.h"

#include <QCoreApplication>

int main(int argc, char** argv) {
    if (argc > 1) { // the command line: no window, no display needed
        QCoreApplication app(argc, argv);
        rt::describeApplication();
        rt::installQtTranslation();
        return Parancssor(QCoreApplication::arguments());
    }
    rt::Application app(argc, argv);
    előkészít();
    try {
        Form1 form;
        form.show();
        rt::closeWindowsOnTermination();
        return app.exec();
    } catch (const std::exception& error) {
        rt::reportFatal(error);
    }
    return 1;
}
