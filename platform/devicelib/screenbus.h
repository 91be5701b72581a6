#pragma once

#include "platform/devicelib/virtualdevices.h"

#include <QByteArray>
#include <QMutex>
#include <QVector>

// The screen devices of the simulated bus, apart from the mice and receivers: only a search of
// HID collection 8 finds them, so nothing the program does with mice and receivers sees them.
// A screen takes 40-byte clock packets (core/record/screenclock.h) from the program, which opens
// it first and then exchanges packets with the device opened last. Safe from any thread; the one
// mutex is never held across a file write of another device or a callback.
class ScreenBus
{
public:
    static ScreenBus &instance();

    // The screens of a set, each with its stored clock; the controls back to their defaults and
    // no screen opened.
    void load(const QVector<VirtualScreen> &screens);
    // A followed device set changed from `before` to `after`: a screen that left is gone, one that
    // came is there with its stored clock, and Plugged plugs or pulls one. A screen has no hot-plug
    // report: the program finds the change at its next search.
    void change(const QVector<VirtualScreen> &before, const QVector<VirtualScreen> &after);

    // Paths of the plugged screens answering to `pid`. A screen has no vendor text of its own:
    // only the empty vendor text, which matches any vendor, finds it.
    QVector<QByteArray> find(const QByteArray &vid, const QByteArray &pid);
    // Opens the plugged screen at the path; false (and the screen opened before stays opened)
    // for any other path.
    bool open(const QByteArray &path);
    // Hands a packet of `length` bytes to the screen opened last and fills `reply` (`length`
    // bytes) with its answer: a clock packet it takes sets its clock, and the reply echoes the
    // packet's bytes 0..6 with a valid checksum; a packet it refuses changes nothing and the reply
    // is zeros. False, the reply untouched, when no screen is open, it was unplugged or it gives
    // no answer.
    bool exchange(const unsigned char *packet, unsigned char *reply, int length);

    // --- Test controls ---
    // The next `count` replies to packets that were taken carry a wrong checksum or the day after.
    void spoilReplies(bool wrongDay, int count);
    // The next `count` exchanges get no answer (-1: all; 0: answer again).
    void setNoAnswer(int count);
    // The clock of the screen of that name; false when it has none set or there is no such screen.
    bool clock(const QString &name, ScreenClock::Reading *reading) const;
    // Packets the screens have been handed since the last load, taken or not.
    int exchanges() const;

private:
    ScreenBus() = default;
    VirtualScreen *named(const QString &name);

    mutable QMutex m_mutex;
    QVector<VirtualScreen> m_screens;
    QString m_opened;
    int m_badChecksums = 0;
    int m_wrongDays = 0;
    int m_noAnswer = 0;
    int m_exchanges = 0;
};
