#include "application.h"

#include <QMessageBox>

namespace rt {

namespace {

Application::Reporter& reporter() {
    static Application::Reporter current;
    return current;
}

bool& ending() {
    static bool value = false;
    return value;
}

} // namespace

void describeApplication() {
    QCoreApplication::setApplicationName(App::Title());
    QCoreApplication::setApplicationVersion(QStringLiteral("1.00"));
}

Application::Application(int& argc, char** argv) : QApplication(argc, argv) {
    describeApplication();
}

void Application::setReporter(Reporter r) {
    reporter() = std::move(r);
    ending() = false;
}

bool Application::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const RuntimeError& error) {
        reportFatal(error);
    } catch (const std::exception& error) {
        reportFatal(error);
    }
    return true;
}

void reportFatal(const RuntimeError& error) {
    if (ending())
        return; // the program is already ending: one message is enough
    ending() = true;
    if (reporter()) {
        reporter()(error);
    } else {
        QMessageBox::critical(nullptr, App::Title(), error.message());
    }
    QCoreApplication::exit(1);
}

void reportFatal(const std::exception& error) {
    reportFatal(
        RuntimeError(ErrorKind::InvalidPropertyValue, QString::fromLocal8Bit(error.what())));
}

} // namespace rt
