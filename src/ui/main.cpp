#include "form1.h"
#include "runtime/application.h"

int main(int argc, char** argv) {
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
