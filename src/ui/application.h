#pragma once

#include "runtime/app.h"
#include "runtime/errors.h"

#include <QApplication>

#include <functional>

namespace rt {

// The application object and the one place where an error that nothing traps ends
// the program: it shows the runtime's standard error message, titled with the
// application title, and ends the event loop with a non-zero status.
class Application : public QApplication {
public:
    Application(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;

    using Reporter = std::function<void(const RuntimeError&)>;
    // Replaces the message box (tests record the error instead).
    static void setReporter(Reporter reporter);
};

// Shows the standard error message and ends the program with status 1.
void reportFatal(const std::exception& error);

// Runs a handler that Qt calls through a signal, sending any error it raises to the
// standard error message; Qt must not see an exception unwind through its own frames.
template <typename Handler> void guarded(Handler&& handler) noexcept {
    try {
        handler();
    } catch (const std::exception& error) {
        reportFatal(error);
    }
}

// SIGTERM, SIGINT and SIGHUP (the session ending, Ctrl+C in a terminal) close the windows
// as the close box does, so that they save what they keep, and the program ends normally.
void closeWindowsOnTermination();

} // namespace rt
