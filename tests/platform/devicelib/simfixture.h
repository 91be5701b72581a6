#pragma once

#include "tests/support/devicesetbench.h"

#include <QByteArray>
#include <QString>
#include <QThread>
#include <QVector>

#include <functional>

// The bytes of an array as the library's operations take them.
inline const unsigned char *bytesOf(const QByteArray &array)
{
    return reinterpret_cast<const unsigned char *>(array.constData());
}

inline unsigned char *bytesOf(QByteArray &array)
{
    return reinterpret_cast<unsigned char *>(array.data());
}

// What the device server delivered to the test's event callback, with the thread it came on.
namespace EventRecorder {

struct Event
{
    QByteArray header;
    QByteArray payload;
    Qt::HANDLE thread;

    int type() const { return header.size() > 1 ? quint8(header.at(1)) : 0; }
    int status() const { return header.size() > 3 ? quint8(header.at(3)) : 0; }
    int command() const { return header.size() > 4 ? quint8(header.at(4)) : 0; }
};

void reset();
// The event callback to hand to UsbServerC_Start.
void callback(const unsigned char *header, int headerLength, const unsigned char *payload,
              int payloadLength);
// Runs inside the callback before the event is recorded (e.g. to block it, or to call the library).
void setHook(std::function<void(const Event &)> hook);
QVector<Event> events();
// Waits until at least count events have arrived; false on time-out.
bool waitForCount(int count, int timeoutMs = 3000);
// Waits until no library callback runs or waits to run (waitForLibraryCallbacks()), then returns
// how many events arrived: none still under way can add to them. -1 when the library did not
// settle within the wait's limit.
int settledCount();

} // namespace EventRecorder

// A fresh bus for one test (a DeviceSetBench of the given device set; empty: the built-in set)
// and an empty event recorder.
class SimulatedBench : public DeviceSetBench
{
public:
    explicit SimulatedBench(const QByteArray &deviceSet = QByteArray());
    ~SimulatedBench() override;
    // Points the app folder at one holding this Config.ini (until the bench ends), then reloads
    // the device set so that the mice take this file's factory settings.
    void useConfigIni(const QByteArray &text);
};

// A receiver "R" of kind 1 answering "0x3D7A"/"0x1240" with one mouse "M" (Cid 12, Mid 10),
// awake, battery 80, which can also be plugged in by cable ("0x3D7A"/"0x1201").
QByteArray oneMouseSet();
