#pragma once

#include <QMutex>
#include <QMutexLocker>

#include <utility>

// A value shared by the GUI thread, the device service pass and the device library's callback
// threads, behind its own mutex. get() hands out a copy, so nobody keeps a reference into the
// shared value once the lock is gone.
//
// Inside with() the lock is held: never emit a blocking hub signal there and never call a device
// library function that may call back (it could wait for the GUI thread, which may be waiting for
// this lock). Pure record-coding calls of the library are fine. Each value has its own mutex, so
// reading another value inside with() cannot deadlock on this one.
template <typename T>
class Locked
{
public:
    Locked() : m_value() {}
    explicit Locked(T initial) : m_value(std::move(initial)) {}
    Locked(const Locked &) = delete;
    Locked &operator=(const Locked &) = delete;

    T get() const
    {
        QMutexLocker locker(&m_mutex);
        return m_value;
    }

    void set(T value)
    {
        QMutexLocker locker(&m_mutex);
        m_value = std::move(value);
    }

    // Runs f(value) under the lock and returns what f returns, by value: no reference into the
    // shared value leaves the lock.
    template <typename F>
    auto with(F &&f)
    {
        QMutexLocker locker(&m_mutex);
        return std::forward<F>(f)(m_value);
    }

    template <typename F>
    auto with(F &&f) const
    {
        QMutexLocker locker(&m_mutex);
        return std::forward<F>(f)(static_cast<const T &>(m_value));
    }

private:
    mutable QMutex m_mutex;
    T m_value;
};
