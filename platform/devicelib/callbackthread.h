#pragma once

#include <QByteArray>

#include <functional>
#include <memory>

// One library thread that runs posted calls in order: the device server's event thread, the
// hot-plug thread. The thread is detached and is never joined: a call may block for as long as
// the program likes (waiting for a GUI loop that has ended, even), and neither stop() nor process
// exit must wait for it. Nothing of the library is locked while a call runs.
//
// stop() ends delivery without waiting: the calls still waiting are dropped, and a call that the
// thread had already taken (it is running, or about to) runs to its end. The thread then leaves
// and frees its state itself.
class CallbackThread
{
public:
    // name: shown in the call log and in debuggers.
    explicit CallbackThread(const QByteArray &name);
    ~CallbackThread(); // stops

    CallbackThread(const CallbackThread &) = delete;
    CallbackThread &operator=(const CallbackThread &) = delete;

    // Runs call on the thread after delayMs (the transfer latency), after every call posted
    // before it. coalesceKey > 0: dropped while a call with the same key is still waiting.
    void post(std::function<void()> call, int delayMs = 0, int coalesceKey = 0);
    void stop();

private:
    struct State;
    std::shared_ptr<State> m_state;
};
