#include "tests/support/timelimit.h"

#include <QtTest>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>

TestTimeLimit::TestTimeLimit(const char *testClass) : m_testClass(testClass)
{
    const int limit = qEnvironmentVariableIntValue("ZR35_TEST_TIMEOUT");
    if (limit > 0)
        m_thread = std::thread(&TestTimeLimit::watch, this, limit);
}

TestTimeLimit::~TestTimeLimit()
{
    {
        std::lock_guard<std::mutex> locker(m_mutex);
        m_done = true;
    }
    m_changed.notify_all();
    if (m_thread.joinable())
        m_thread.join();
}

void TestTimeLimit::exiting()
{
    std::lock_guard<std::mutex> locker(m_mutex);
    m_exiting = true;
}

void TestTimeLimit::watch(int limitSeconds)
{
    // Just enough ahead of ctest's kill for the message to get out: a test that would still have
    // made it in time must not be ended for the message's sake.
    const int margin = 3;
    const auto deadline =
        std::chrono::steady_clock::now() + std::chrono::seconds(std::max(1, limitSeconds - margin));
    std::unique_lock<std::mutex> locker(m_mutex);
    if (m_changed.wait_until(locker, deadline, [this] { return m_done; }))
        return;
    // The function's name is read while the GUI thread may be changing it; the process ends right
    // after, and a name half set is still a pointer to one of the test's names.
    const char *function = QTest::currentTestFunction();
    const char *row = QTest::currentDataTag();
    char where[512];
    if (m_exiting)
        std::snprintf(where, sizeof where, "exiting after its last test function");
    else if (function)
        std::snprintf(where, sizeof where, "running %s::%s(%s)", m_testClass, function,
                      row ? row : "");
    else
        std::snprintf(where, sizeof where, "between two test functions of %s", m_testClass);
    std::fprintf(stderr,
                 "FAIL!  : %s still ran %d s before its time limit of %d s, %s; ended here so "
                 "that it can say so\n",
                 m_testClass, margin, limitSeconds, where);
    std::fflush(stderr);
    std::fflush(stdout);
    std::_Exit(124);
}
