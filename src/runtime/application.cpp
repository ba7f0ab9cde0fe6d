#include "application.h"

#include <QLibraryInfo>
#include <QMessageBox>
#include <QTranslator>

#include <memory>

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

bool installQtTranslation(const QString& folder) {
    static QTranslator* installed = nullptr;
    auto translator = std::make_unique<QTranslator>();
    const QString from =
        folder.isEmpty() ? QLibraryInfo::path(QLibraryInfo::TranslationsPath) : folder;
    if (!translator->load(QStringLiteral("qtbase_hu"), from))
        return false;
    if (installed) {
        QCoreApplication::removeTranslator(installed);
        delete installed;
    }
    installed = translator.release();
    return QCoreApplication::installTranslator(installed);
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
