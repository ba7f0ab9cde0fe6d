#include "application.h"

#include <QMessageBox>
#include <QSocketNotifier>

#include <memory>

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/socket.h>
#include <unistd.h>
#endif

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

#ifdef Q_OS_UNIX
namespace {

int terminationPipe[2] = {-1, -1};

void onTerminationSignal(int) {
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(terminationPipe[0], &byte, 1);
}

} // namespace

void closeWindowsOnTermination() {
    if (terminationPipe[0] >= 0 || ::socketpair(AF_UNIX, SOCK_STREAM, 0, terminationPipe) != 0)
        return;
    auto* notifier = new QSocketNotifier(terminationPipe[1], QSocketNotifier::Read, qApp);
    QObject::connect(notifier, &QSocketNotifier::activated, qApp, [] {
        char byte;
        [[maybe_unused]] const ssize_t read = ::read(terminationPipe[1], &byte, 1);
        QApplication::closeAllWindows();
    });
    struct sigaction action {};
    action.sa_handler = onTerminationSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int signal : {SIGTERM, SIGINT, SIGHUP})
        ::sigaction(signal, &action, nullptr);
}
#else
void closeWindowsOnTermination() {}
#endif

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
    } catch (const std::exception& error) {
        reportFatal(error);
    }
    return true;
}

void reportFatal(const std::exception& error) {
    if (ending())
        return; // the program is already ending: one message is enough
    ending() = true;
    const auto* runtimeError = dynamic_cast<const RuntimeError*>(&error);
    const RuntimeError shown = runtimeError ? *runtimeError
                                            : RuntimeError(ErrorKind::InvalidPropertyValue,
                                                           QString::fromLocal8Bit(error.what()));
    if (reporter())
        reporter()(shown);
    else
        QMessageBox::critical(nullptr, App::Title(), shown.message());
    QCoreApplication::exit(1);
}

} // namespace rt
