#include "platform/devicelib/screenbus.h"

#include "platform/devicelib/devicestore.h"

#include <QMutexLocker>

#include <algorithm>

#include <cstring>

QByteArray DevicePaths::screen(const QString &name)
{
    return "sim/screen/" + name.toLatin1();
}

ScreenBus &ScreenBus::instance()
{
    // Never destroyed: library threads may still ask while the process exits.
    static ScreenBus *bus = new ScreenBus;
    return *bus;
}

void ScreenBus::load(const QVector<VirtualScreen> &screens)
{
    QVector<VirtualScreen> loaded = screens;
    for (VirtualScreen &screen : loaded)
        DeviceStore::load(screen);
    QMutexLocker lock(&m_mutex);
    m_screens = loaded;
    m_opened.clear();
    m_badChecksums = 0;
    m_wrongDays = 0;
    m_noAnswer = 0;
    m_exchanges = 0;
}

void ScreenBus::change(const QVector<VirtualScreen> &before, const QVector<VirtualScreen> &after)
{
    const auto in = [](const QVector<VirtualScreen> &screens, const QString &name) {
        return std::any_of(screens.cbegin(), screens.cend(),
                           [&](const VirtualScreen &screen) { return screen.name == name; });
    };
    QVector<VirtualScreen> added;
    for (const VirtualScreen &screen : after) {
        if (!in(before, screen.name)) {
            added.append(screen);
            DeviceStore::load(added.last());
        }
    }
    QMutexLocker lock(&m_mutex);
    for (const VirtualScreen &screen : before) {
        if (in(after, screen.name))
            continue;
        m_screens.erase(
            std::remove_if(m_screens.begin(), m_screens.end(),
                           [&](const VirtualScreen &s) { return s.name == screen.name; }),
            m_screens.end());
        if (m_opened == screen.name)
            m_opened.clear();
    }
    for (const VirtualScreen &screen : after) {
        VirtualScreen *live = named(screen.name);
        const auto was = std::find_if(before.cbegin(), before.cend(), [&](const VirtualScreen &s) {
            return s.name == screen.name;
        });
        if (live && was != before.cend() && was->plugged != screen.plugged)
            live->plugged = screen.plugged;
    }
    m_screens += added;
}

QVector<QByteArray> ScreenBus::find(const QByteArray &vid, const QByteArray &pid)
{
    QVector<QByteArray> paths;
    if (!vid.isEmpty())
        return paths;
    QMutexLocker lock(&m_mutex);
    for (const VirtualScreen &screen : qAsConst(m_screens)) {
        if (screen.plugged && !pid.isEmpty() && screen.pid == pid)
            paths << DevicePaths::screen(screen.name);
    }
    return paths;
}

VirtualScreen *ScreenBus::named(const QString &name)
{
    for (VirtualScreen &screen : m_screens) {
        if (screen.name == name)
            return &screen;
    }
    return nullptr;
}

bool ScreenBus::open(const QByteArray &path)
{
    QMutexLocker lock(&m_mutex);
    for (const VirtualScreen &screen : qAsConst(m_screens)) {
        if (screen.plugged && DevicePaths::screen(screen.name) == path) {
            m_opened = screen.name;
            return true;
        }
    }
    return false;
}

bool ScreenBus::exchange(const unsigned char *packet, unsigned char *reply, int length)
{
    if (packet == nullptr || reply == nullptr || length <= 0)
        return false;
    VirtualScreen changed;
    {
        QMutexLocker lock(&m_mutex);
        VirtualScreen *screen = named(m_opened);
        if (screen == nullptr || !screen->plugged)
            return false;
        ++m_exchanges;
        if (m_noAnswer != 0) {
            if (m_noAnswer > 0)
                --m_noAnswer;
            return false;
        }
        std::memset(reply, 0, std::size_t(length));
        ScreenClock::Reading reading;
        if (!ScreenClock::ReadPacket(packet, std::size_t(length), &reading))
            return true;
        screen->clock = reading;
        screen->clockSet = true;
        ScreenClock::Packet taken{};
        std::memcpy(taken.data(), packet, taken.size());
        ScreenClock::Packet answer = ScreenClock::ReplyTo(taken);
        if (m_badChecksums > 0) {
            --m_badChecksums;
            answer[ScreenClock::ChecksumIndex] ^= 0xFF;
        } else if (m_wrongDays > 0) {
            --m_wrongDays;
            answer[6] = static_cast<unsigned char>(answer[6] + 1);
            answer[ScreenClock::ChecksumIndex] = ScreenClock::CheckSum(answer.data());
        }
        std::memcpy(reply, answer.data(),
                    std::min<std::size_t>(answer.size(), std::size_t(length)));
        changed = *screen;
    }
    // A screen writes its clock to its own memory after the transfer.
    DeviceStore::save(changed);
    return true;
}

void ScreenBus::spoilReplies(bool wrongDay, int count)
{
    QMutexLocker lock(&m_mutex);
    (wrongDay ? m_wrongDays : m_badChecksums) = qMax(0, count);
}

void ScreenBus::setNoAnswer(int count)
{
    QMutexLocker lock(&m_mutex);
    m_noAnswer = count;
}

bool ScreenBus::clock(const QString &name, ScreenClock::Reading *reading) const
{
    QMutexLocker lock(&m_mutex);
    for (const VirtualScreen &screen : m_screens) {
        if (screen.name == name && screen.clockSet) {
            if (reading != nullptr)
                *reading = screen.clock;
            return true;
        }
    }
    return false;
}

int ScreenBus::exchanges() const
{
    QMutexLocker lock(&m_mutex);
    return m_exchanges;
}
