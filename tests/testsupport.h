#pragma once

// What the window tests share: a settings folder of their own, set before the
// application reads any setting, and an application prepared as main prepares it.
#include "testlocale.h"
#include "ui/application.h"
#include "ui/form1.h"

#include <QTemporaryDir>
#include <QtTest>

inline QTemporaryDir& configDir() {
    static QTemporaryDir dir;
    return dir;
}

#define VELORIX_TEST_MAIN(TestClass)                                                               \
    int main(int argc, char** argv) {                                                              \
        qputenv("XDG_CONFIG_HOME", configDir().path().toUtf8());                                   \
        rt::Application app(argc, argv);                                                           \
        checkExpectedLocale();                                                                     \
        előkészít();                                                                               \
        TestClass test;                                                                            \
        return QTest::qExec(&test, argc, argv);                                                    \
    }
