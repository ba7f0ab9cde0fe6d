#pragma once

#include <QString>

namespace rt::App {

// The application title, under which the window placement is stored.
inline QString Title() {
    return QStringLiteral("Velorix");
}

} // namespace rt::App
