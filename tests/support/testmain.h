#pragma once

#include "platform/appdir.h"
#include "tests/support/isolatedhome.h"
#include "tests/support/timelimit.h"

#include <QApplication>
#include <QtTest>

// Use instead of QTEST_MAIN: the test gets its own HOME and XDG folders before the application
// object exists, and AppDir points at the build's app folder (the authored files as shipped).
//
// Each test executable is one fixture process: its test functions share the one HOME, the one
// application object and every process-wide store (device state, hub, lists, language tables).
// Nothing resets those stores between test functions, so a test function either sets up the
// state it reads itself or relies on no other function having run; behaviour that needs a fresh
// process (start-up, the single-instance lock) gets a test executable of its own, or runs the
// real program through AppProcess (tests/support/appprocess.h). A test that nears its time limit
// says where it was (tests/support/timelimit.h).
#define ZR35_TEST_MAIN(TestObject)                                                                 \
    int main(int argc, char *argv[])                                                               \
    {                                                                                              \
        TestTimeLimit timeLimit(#TestObject);                                                      \
        IsolatedHome isolatedHome;                                                                 \
        QApplication app(argc, argv);                                                              \
        AppDir::setOverride(QStringLiteral(ZR35_TEST_APP_DIR));                                    \
        TestObject tc;                                                                             \
        QTEST_SET_MAIN_SOURCE_PATH                                                                 \
        const int result = QTest::qExec(&tc, argc, argv);                                          \
        timeLimit.exiting();                                                                       \
        return result;                                                                             \
    }
