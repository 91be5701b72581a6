#pragma once

#include <QByteArray>

#include <functional>
#include <memory>

// One library thread that runs posted calls in order: the device server's event thread, the
// hot-plug thread, the device store. The thread is detached and is never joined: a call may block
// for as long as the program likes (waiting for a GUI loop that has ended, even), and neither
// stop() nor process exit must wait for it. Nothing of the library is locked while a call runs.
//
// stop() ends delivery without waiting: the calls still waiting are dropped, and a call the
// thread has already begun runs to its end. A call is marked begun under the lock stop() takes,
// so no call begins once stop() has returned. The thread then leaves and frees its state itself.
class CallbackThread
{
public:
    // name: shown in the call log and in debuggers. callsProgram: its calls are callbacks into
    // the program (they count for waitUntilNoCallbackRuns).
    explicit CallbackThread(const QByteArray &name, bool callsProgram = true);
    ~CallbackThread(); // stops

    CallbackThread(const CallbackThread &) = delete;
    CallbackThread &operator=(const CallbackThread &) = delete;

    // Runs call on the thread after delayMs (the transfer latency), after every call posted
    // before it. coalesceKey > 0: dropped while a call with the same key is still waiting.
    void post(std::function<void()> call, int delayMs = 0, int coalesceKey = 0);
    // True when a call had begun and is still running: it goes on to its end.
    bool stop();

    // Waits up to timeoutMs until no callback into the program runs or waits to run on any
    // callback thread, the stopped ones included; true when none does. A callback that waits for
    // the calling thread never ends while it waits here: callers that serve such callbacks wait
    // in short steps.
    static bool waitUntilNoCallbackRuns(int timeoutMs);

private:
    struct State;
    std::shared_ptr<State> m_state;
};
