#pragma once

#include <condition_variable>
#include <mutex>
#include <thread>

// ctest kills a test that outlasts its time limit without a word from the test. Shortly before
// that limit (ZR35_TEST_TIMEOUT, in seconds, which the build sets from the test's TIMEOUT), this
// watch ends the process itself and says where it was: the test function and data row that were
// running, between two functions, or the exit after the last one. Without the variable nothing is
// watched. Made first in main, so that it also covers the objects' destruction at the end.
class TestTimeLimit
{
public:
    explicit TestTimeLimit(const char *testClass);
    ~TestTimeLimit();

    // The test functions have all run (QTest::qExec returned): what follows is the exit.
    void exiting();

private:
    void watch(int limitSeconds);

    const char *const m_testClass;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    bool m_exiting = false;
    bool m_done = false;
    std::thread m_thread;
};
