#include "platform/devicelib/callbackthread.h"

#include "platform/devicelib/calllog.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>

namespace {

// The callbacks into the program that run now or wait to run, on every callback thread. Never
// destroyed: the threads are detached, and one may count a call that ends while the process exits.
struct Outstanding
{
    std::mutex mutex;
    std::condition_variable changed;
    int callbacks = 0;
};

Outstanding &outstanding()
{
    static Outstanding *instance = new Outstanding;
    return *instance;
}

void countCallbacks(int change)
{
    if (change == 0)
        return;
    Outstanding &o = outstanding();
    std::lock_guard<std::mutex> lock(o.mutex);
    o.callbacks += change;
    if (o.callbacks == 0)
        o.changed.notify_all();
}

} // namespace

struct CallbackThread::State
{
    struct Item
    {
        std::function<void()> call;
        int delayMs;
        int coalesceKey;
    };

    QByteArray name;
    bool callsProgram = true;
    std::mutex mutex;
    std::condition_variable wake;
    std::deque<Item> queue;
    bool stopped = false;
    bool running = false; // a call has begun and has not ended

    static void run(std::shared_ptr<State> state);
};

void CallbackThread::State::run(std::shared_ptr<State> state)
{
    CallLog::setThreadName(state->name);
    for (;;) {
        Item item;
        {
            std::unique_lock<std::mutex> lock(state->mutex);
            state->wake.wait(lock, [&] { return state->stopped || !state->queue.empty(); });
            if (state->stopped)
                return;
            item = std::move(state->queue.front());
            state->queue.pop_front();
            if (item.delayMs > 0) {
                // The transfer time of the reply; stop() cuts it short.
                state->wake.wait_for(lock, std::chrono::milliseconds(item.delayMs),
                                     [&] { return state->stopped; });
                if (state->stopped) {
                    countCallbacks(state->callsProgram ? -1 : 0);
                    return;
                }
            }
            // Begun here, under the lock stop() takes: once stop() has returned, no call begins.
            state->running = true;
        }
        item.call();
        // The call's captures go before it counts as ended: they may own what a waiter frees.
        item = Item();
        {
            std::lock_guard<std::mutex> lock(state->mutex);
            state->running = false;
        }
        countCallbacks(state->callsProgram ? -1 : 0);
    }
}

CallbackThread::CallbackThread(const QByteArray &name, bool callsProgram)
    : m_state(std::make_shared<State>())
{
    m_state->name = name;
    m_state->callsProgram = callsProgram;
    std::thread(&State::run, m_state).detach();
}

CallbackThread::~CallbackThread()
{
    stop();
}

void CallbackThread::post(std::function<void()> call, int delayMs, int coalesceKey)
{
    std::lock_guard<std::mutex> lock(m_state->mutex);
    if (m_state->stopped)
        return;
    if (coalesceKey > 0) {
        for (const State::Item &waiting : m_state->queue) {
            if (waiting.coalesceKey == coalesceKey)
                return;
        }
    }
    m_state->queue.push_back({std::move(call), delayMs, coalesceKey});
    countCallbacks(m_state->callsProgram ? 1 : 0);
    m_state->wake.notify_one();
}

bool CallbackThread::stop()
{
    std::deque<State::Item> dropped;
    bool running = false;
    {
        std::lock_guard<std::mutex> lock(m_state->mutex);
        running = m_state->running;
        m_state->stopped = true;
        dropped.swap(m_state->queue);
        m_state->wake.notify_all();
    }
    // The dropped calls are destroyed here, outside the lock: their captures may own anything.
    const int count = int(dropped.size());
    dropped.clear();
    countCallbacks(m_state->callsProgram ? -count : 0);
    return running;
}

bool CallbackThread::waitUntilNoCallbackRuns(int timeoutMs)
{
    Outstanding &o = outstanding();
    std::unique_lock<std::mutex> lock(o.mutex);
    return o.changed.wait_for(lock, std::chrono::milliseconds(std::max(0, timeoutMs)),
                              [&o] { return o.callbacks == 0; });
}
