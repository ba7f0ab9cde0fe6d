#pragma once

#include <QString>

namespace rt::App {

// The application title, under which the window placement is stored.
inline QString Title() {
    return QStringLiteral("Velorix");
}

// The program's version, as the build names it ("1.00").
QString Version();

// What a message of the program starts with: "Velorix: ".
inline QString Prefix() {
    return Title() + QStringLiteral(": ");
}

} // namespace rt::App

namespace rt {

// Sets the application's name, title and version.
void describeApplication();

// Qt's own texts the user meets (the scroll bar's menu, the buttons of a message box) in
// Hungarian, as the whole interface is, whatever the user's locale. Looks in Qt's
// translations folder unless told another; where the file is missing Qt's texts stay in
// English and nothing else changes. Returns whether the translation is in force.
bool installQtTranslation(const QString& folder = {});

} // namespace rt
