#pragma once

#include "platform/appdir.h"
#include "tests/support/isolatedhome.h"

#include <QApplication>
#include <QtTest>

// Use instead of QTEST_MAIN: the test gets its own HOME and XDG folders before the application
// object exists, and AppDir points at the build's app folder (the authored files as shipped).
#define ZR35_TEST_MAIN(TestObject)                                                                 \
    int main(int argc, char *argv[])                                                               \
    {                                                                                              \
        IsolatedHome isolatedHome;                                                                 \
        QApplication app(argc, argv);                                                              \
        AppDir::setOverride(QStringLiteral(ZR35_TEST_APP_DIR));                                    \
        TestObject tc;                                                                             \
        QTEST_SET_MAIN_SOURCE_PATH                                                                 \
        return QTest::qExec(&tc, argc, argv);                                                      \
    }
