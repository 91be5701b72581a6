#include "platform/devicelib/devicelib.h"
#include "platform/devicelib/simulationcontrol.h"
#include "tests/platform/devicelib/simfixture.h"
#include "tests/support/standarderror.h"
#include "tests/support/testmain.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>

#include <atomic>
#include <functional>

namespace {

// oneMouseSet() with keys added to the receiver R or to the mouse M (the last section).
QByteArray withReceiverKeys(const QByteArray &keys)
{
    QByteArray set = oneMouseSet();
    return set.replace("LedMode=2\n", "LedMode=2\n" + keys);
}

QByteArray withMouseKeys(const QByteArray &keys)
{
    return oneMouseSet() + keys;
}

// The receiver R alone, as oneMouseSet() has it.
QByteArray receiverOnly()
{
    const QByteArray set = oneMouseSet();
    return set.left(set.indexOf("[M]"));
}

const QByteArray Lonely = "[Lonely]\nType=Receiver\nKind=5\nVID=0x3D7A\nPID=0x1280\n";

QByteArray r()
{
    return SimulationControl::receiverPath(QStringLiteral("R"));
}

std::atomic<int> hotPlugCalls{0};
std::atomic<Qt::HANDLE> hotPlugThread{nullptr};

void countHotPlug()
{
    hotPlugThread = QThread::currentThreadId();
    ++hotPlugCalls;
}

QString paths(const char *vid, const char *pid)
{
    int count = 5;
    const char *const *found = UsbFinderC_FindHidDevicesByDeviceId(vid, pid, 1, 5, &count);
    QStringList list;
    for (int i = 0; i < count; ++i)
        list << QString::fromLatin1(found[i]);
    return list.join(QLatin1Char(' '));
}

// What the program can see of the devices: the paths it finds, whom the receivers answer for and
// whether the mouse answers.
QStringList devicesAsSeen()
{
    const QByteArray lonely = SimulationControl::receiverPath(QStringLiteral("Lonely"));
    const UsbDeviceInfo info = UsbFinderC_GetDeviceInfo(r().constData());
    return {
        QStringLiteral("receivers: ") + paths("0x3D7A", "0x1240") + QLatin1Char(' ') +
            paths("0x3D7A", "0x1280"),
        QStringLiteral("cables: ") + paths("0x3D7A", "0x1201"),
        QStringLiteral("R answers for: %1 %2 kind %3").arg(info.Cid).arg(info.Mid).arg(info.Kind),
        QStringLiteral("Lonely kind: %1").arg(UsbFinderC_GetDeviceInfo(lonely.constData()).Kind),
        QStringLiteral("R online: %1").arg(UsbFinderC_GetDeviceOnLine(r().constData()))};
}

// What the program is told meanwhile: hot-plug calls and the events of a server on the receiver.
QStringList eventsTold()
{
    QStringList told{QStringLiteral("hot-plug calls: %1").arg(hotPlugCalls.load())};
    for (const EventRecorder::Event &event : EventRecorder::events())
        told << QStringLiteral("event %1").arg(event.type());
    return told;
}

// The program's side: hot-plug registered and answered once, a server on the receiver when it is
// there; then the counts start from nothing.
bool attachProgram()
{
    hotPlugCalls = 0;
    StartUsbChanged(&countHotPlug, 600);
    UsbServerC_Start(r().constData(), r().constData(), &EventRecorder::callback);
    if (!SimulationControl::waitUntilNoCallbackRuns(3000))
        return false;
    hotPlugCalls = 0;
    hotPlugThread = nullptr;
    EventRecorder::reset();
    return true;
}

enum Control
{
    NoControl,
    Sleep,
    Wake,
    PullReceiver,
    PlugReceiver,
    PlugCable,
    PullCable
};

void doByControl(Control control)
{
    const QString m = QStringLiteral("M");
    const QString receiver = QStringLiteral("R");
    switch (control) {
    case Sleep:
        SimulationControl::setOnline(m, false);
        break;
    case Wake:
        SimulationControl::setOnline(m, true);
        break;
    case PullReceiver:
        SimulationControl::plugReceiver(receiver, false);
        break;
    case PlugReceiver:
        SimulationControl::plugReceiver(receiver, true);
        break;
    case PlugCable:
        SimulationControl::plugCable(m, true);
        break;
    case PullCable:
        SimulationControl::plugCable(m, false);
        break;
    case NoControl:
        break;
    }
}

// Saves the file as editors do: a new file renamed over the old one.
bool save(const QString &file, const QByteArray &text)
{
    QSaveFile saved(file);
    return saved.open(QIODevice::WriteOnly) && saved.write(text) == text.size() && saved.commit();
}

// Makes a change of the file and waits until the follower has read it and the program has been
// told all that came of it.
bool changeAndWait(const std::function<bool()> &change)
{
    const int before = SimulationControl::deviceSetReadings();
    return change() &&
           QTest::qWaitFor([&] { return SimulationControl::deviceSetReadings() > before; }, 5000) &&
           SimulationControl::waitUntilNoCallbackRuns(3000);
}

bool saveAndWait(const QString &file, const QByteArray &text)
{
    return changeAndWait([&] { return save(file, text); });
}

// Writes the file in place, as some editors and a shell's redirection do.
bool overwrite(const QString &file, const QByteArray &text)
{
    QFile written(file);
    return written.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           written.write(text) == text.size() && written.flush();
}

} // namespace

Q_DECLARE_METATYPE(Control)

// The device set file followed while the program runs: what a save of it changes comes to the
// program as the hardware would report it, on the library's threads.
class TestDeviceSetFollowing : public QObject
{
    Q_OBJECT
private slots:
    void aSavedChangeActsOnTheDevices_data()
    {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QByteArray>("after");
        QTest::addColumn<Control>("control");
        QTest::newRow("mouse asleep") << oneMouseSet() << withMouseKeys("Online=false\n") << Sleep;
        QTest::newRow("mouse awake") << withMouseKeys("Online=false\n") << oneMouseSet() << Wake;
        QTest::newRow("receiver pulled")
            << oneMouseSet() << withReceiverKeys("Plugged=false\n") << PullReceiver;
        QTest::newRow("receiver plugged in")
            << withReceiverKeys("Plugged=false\n") << oneMouseSet() << PlugReceiver;
        QTest::newRow("cable plugged in")
            << oneMouseSet() << withMouseKeys("Cable=true\n") << PlugCable;
        QTest::newRow("cable pulled")
            << withMouseKeys("Cable=true\n") << oneMouseSet() << PullCable;
        QTest::newRow("mouse taken out") << oneMouseSet() << receiverOnly() << NoControl;
        QTest::newRow("mouse put in") << receiverOnly() << oneMouseSet() << NoControl;
        QTest::newRow("receiver added") << oneMouseSet() << oneMouseSet() + Lonely << NoControl;
        QTest::newRow("receiver and mouse replaced by another")
            << oneMouseSet() << Lonely << NoControl;
    }
    void aSavedChangeActsOnTheDevices()
    {
        QFETCH(QByteArray, before);
        QFETCH(QByteArray, after);
        QFETCH(Control, control);

        QStringList byControl;
        if (control != NoControl) {
            SimulatedBench bench(before);
            QVERIFY(attachProgram());
            doByControl(control);
            QVERIFY(SimulationControl::waitUntilNoCallbackRuns(3000));
            byControl = eventsTold();
        }
        QStringList asStarted;
        {
            SimulatedBench bench(after);
            asStarted = devicesAsSeen();
        }

        SimulatedBench bench;
        const QString file = bench.writeFile(QStringLiteral("devices.ini"), before);
        QVERIFY(SimulationControl::followDeviceSet(file));
        QVERIFY(attachProgram());
        QVERIFY(saveAndWait(file, after));
        const QStringList byFile = eventsTold();
        QCOMPARE(byFile.first(), QStringLiteral("hot-plug calls: 1"));
        QVERIFY(hotPlugThread.load() != QThread::currentThreadId());
        if (control != NoControl)
            QCOMPARE(byFile, byControl);
        // The devices are as a start with the changed file would have them.
        QCOMPARE(devicesAsSeen(), asStarted);
    }

    // A mouse that leaves keeps what it was told, and brings it back when it is put in again.
    void aMouseTakenOutAndPutBackKeepsItsState()
    {
        SimulatedBench bench;
        const QString file = bench.writeFile(QStringLiteral("devices.ini"), oneMouseSet());
        QVERIFY(SimulationControl::followDeviceSet(file));
        UsbServerC_Start(r().constData(), r().constData(), &EventRecorder::callback);
        QVERIFY(UsbServer_SetCurrentConfig(3));
        QVERIFY(saveAndWait(file, receiverOnly()));
        QCOMPARE(SimulationControl::profile(QStringLiteral("M")), -1);
        QVERIFY(saveAndWait(file, withMouseKeys("Online=false\n")));
        QCOMPARE(SimulationControl::profile(QStringLiteral("M")), 3);
        QVERIFY(!UsbFinderC_GetDeviceOnLine(r().constData()));
    }

    // The file is watched for itself: a save that replaced it leaves the new file followed, in
    // place too, and so does a file made again where one was deleted.
    void theFileIsFollowedWhicheverWayItIsWritten()
    {
        SimulatedBench bench;
        const QString file = bench.writeFile(QStringLiteral("devices.ini"), oneMouseSet());
        QVERIFY(SimulationControl::followDeviceSet(file));
        QVERIFY(attachProgram());

        QVERIFY(saveAndWait(file, withMouseKeys("Online=false\n")));
        QVERIFY(!UsbFinderC_GetDeviceOnLine(r().constData()));
        QVERIFY(changeAndWait([&] { return overwrite(file, oneMouseSet()); }));
        QVERIFY(UsbFinderC_GetDeviceOnLine(r().constData()));

        const QByteArray told =
            standardError([&] { QVERIFY(changeAndWait([&] { return QFile::remove(file); })); });
        QVERIFY2(told.contains("no such file"), told.constData());
        QVERIFY(changeAndWait([&] { return overwrite(file, withMouseKeys("Online=false\n")); }));
        QVERIFY(!UsbFinderC_GetDeviceOnLine(r().constData()));
        QVERIFY(changeAndWait([&] { return overwrite(file, oneMouseSet()); }));
        QVERIFY(UsbFinderC_GetDeviceOnLine(r().constData()));
    }

    void aFileThatCannotBeUsedChangesNothing_data()
    {
        QTest::addColumn<QByteArray>("damaged"); // empty: the file is deleted
        QTest::addColumn<QByteArray>("problem");
        QTest::newRow("misspelt key") << withMouseKeys("Onlin=false\n") << QByteArray("[M] Onlin");
        QTest::newRow("unknown receiver")
            << QByteArray(oneMouseSet()).replace("Receiver=R", "Receiver=Q")
            << QByteArray("[M] Receiver");
        QTest::newRow("not a number")
            << withMouseKeys("Battery=lots\n") << QByteArray("[M] Battery");
        QTest::newRow("deleted") << QByteArray() << QByteArray("no such file");
    }
    void aFileThatCannotBeUsedChangesNothing()
    {
        QFETCH(QByteArray, damaged);
        QFETCH(QByteArray, problem);
        SimulatedBench bench;
        const QString file = bench.writeFile(QStringLiteral("devices.ini"), oneMouseSet());
        QVERIFY(SimulationControl::followDeviceSet(file));
        QVERIFY(attachProgram());
        const QStringList seen = devicesAsSeen();

        // Damaged, then damaged another way (a device of no known type): said once, naming the
        // file and the first problem.
        const QByteArray told = standardError([&] {
            QVERIFY(changeAndWait(
                [&] { return damaged.isEmpty() ? QFile::remove(file) : save(file, damaged); }));
            QVERIFY(saveAndWait(file, "[Nothing]\nType=Keyboard\n"));
        });
        QCOMPARE(told.count('\n'), 1);
        QVERIFY2(told.startsWith(QDir::toNativeSeparators(file).toLocal8Bit() + ": "),
                 told.constData());
        QVERIFY2(told.contains(problem), told.constData());
        QVERIFY(SimulationControl::waitUntilNoCallbackRuns(3000));
        QCOMPARE(hotPlugCalls.load(), 0);
        QCOMPARE(devicesAsSeen(), seen);

        // Once usable again, its changes count again.
        QVERIFY(saveAndWait(file, withMouseKeys("Online=false\n")));
        QVERIFY(!UsbFinderC_GetDeviceOnLine(r().constData()));
    }
};

ZR35_TEST_MAIN(TestDeviceSetFollowing)
#include "tst_devicesetfollowing.moc"
