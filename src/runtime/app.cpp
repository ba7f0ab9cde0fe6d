#include "app.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include <memory>

namespace rt {

QString App::Version() {
    return QStringLiteral(VELORIX_VERSION);
}

void describeApplication() {
    QCoreApplication::setApplicationName(App::Title());
    QCoreApplication::setApplicationVersion(App::Version());
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

} // namespace rt
