#include "platform/devicelib/callbackthread.h"

#include "platform/devicelib/calllog.h"

#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>

struct CallbackThread::State
{
    struct Item
    {
        std::function<void()> call;
        int delayMs;
        int coalesceKey;
    };

    QByteArray name;
    std::mutex mutex;
    std::condition_variable wake;
    std::deque<Item> queue;
    bool stopped = false;

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
                if (state->stopped)
                    return;
            }
        }
        item.call();
    }
}

CallbackThread::CallbackThread(const QByteArray &name) : m_state(std::make_shared<State>())
{
    m_state->name = name;
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
    m_state->wake.notify_one();
}

void CallbackThread::stop()
{
    std::deque<State::Item> dropped;
    {
        std::lock_guard<std::mutex> lock(m_state->mutex);
        m_state->stopped = true;
        dropped.swap(m_state->queue);
        m_state->wake.notify_all();
    }
    // The dropped calls are destroyed here, outside the lock: their captures may own anything.
}
