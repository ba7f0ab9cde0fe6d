#include "elokeszites.h"

#include "akadalymentesseg.h"
#include "elrendezes.h"
#include "ikon.h"
#include "painters/betu.h"
#include "runtime/app.h"

#include <QApplication>
#include <QGuiApplication>
#include <QStyleFactory>

void előkészít() {
    rt::describeApplication();
    rt::installQtTranslation();
    // The layout is absolute and made for the classic look: keep one style everywhere.
    if (QStyle* style = QStyleFactory::create(QStringLiteral("Windows")))
        QApplication::setStyle(style);
    QApplication::setFont(Rajz::Betű(AlapBetűméret));
    QGuiApplication::setDesktopFileName(QStringLiteral("hu.example.Velorix"));
    Akadálymentesség::Telepít();
    QApplication::setWindowIcon(AlkalmazásIkon());
}
