#pragma once

// Under a locale entry of CTest the process's C locale must really be that locale, with
// its decimal comma: a locale that is not installed would silently leave C in force and
// the entry would test nothing.
#include <QByteArray>
#include <QtGlobal>

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <cstring>

inline void checkExpectedLocale() {
    const QByteArray expected = qgetenv("VELORIX_EXPECT_LOCALE");
    if (expected.isEmpty())
        return;
    const char* inForce = std::setlocale(LC_NUMERIC, nullptr);
    const lconv* conventions = std::localeconv();
    if (!inForce || std::strcmp(inForce, expected.constData()) != 0 ||
        std::strcmp(conventions->decimal_point, ",") != 0) {
        std::fprintf(stderr,
                     "the locale %s is not in force (LC_NUMERIC is %s): make it with "
                     "localedef or script/bootstrap\n",
                     expected.constData(), inForce ? inForce : "unknown");
        std::exit(2);
    }
}
