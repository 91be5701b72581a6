#include "core/devicediscovery.h"
#include "core/devicestate.h"
#include "core/firmwareimages.h"
#include "core/registryvalues.h"
#include "settings/formsetting.h"
#include "settings/updaterepair.h"
#include "tests/settings/updatebench.h"
#include "tests/support/testmain.h"

#include <QLabel>
#include <QToolButton>

namespace {

constexpr auto &state = State;

// The simulated devices behind the list: what waits in boot mode for an image.
const QByteArray Plugged = "[M]\nType=Mouse\nCid=12\nMid=10\nCable=true\nCableVID=0x3D7A\n"
                           "CablePID=0x1201\n"
                           "[R]\nType=Receiver\nKind=1\nVID=0x3D7A\nPID=0x1240\n";
const QByteArray ReceiverWaits = "[R]\nType=Receiver\nKind=1\nVID=0x3D7A\nPID=0x1240\n"
                                 "BootMode=true\n";
const QByteArray TwoReceiversWait = ReceiverWaits + "[S]\nType=Receiver\nKind=1\nVID=0x3D7A\n"
                                                    "PID=0x1240\nBootMode=true\n";
const QByteArray MouseWaits = "[M]\nType=Mouse\nCid=12\nMid=10\nCable=true\nCableVID=0x3D7A\n"
                              "CablePID=0x1201\nBootMode=true\n";

// The device page's list from a short description, entries joined by ",": "R<kind>" a receiver
// (with its identifier), "C" the mouse on its cable; ":<mid>" and "/<cid>" change the model and
// customer of the first model (12, 10).
QList<DeviceAllInfo> listed(const QString &description)
{
    QList<DeviceAllInfo> list;
    for (QString item : description.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        DeviceAllInfo entry;
        entry.Cid = 12;
        entry.Mid = 10;
        if (item.contains(QLatin1Char('/'))) {
            entry.Cid = quint8(item.section(QLatin1Char('/'), 1).toInt());
            item = item.section(QLatin1Char('/'), 0, 0);
        }
        if (item.contains(QLatin1Char(':'))) {
            entry.Mid = quint8(item.section(QLatin1Char(':'), 1).toInt());
            item = item.section(QLatin1Char(':'), 0, 0);
        }
        if (item.startsWith(QLatin1Char('R'))) {
            entry.Kind = quint8(item.mid(1).toInt());
            entry.Pid = QStringLiteral("0x1240");
            entry.ReceiverId = {0x11, 0x22, 0x33};
        } else {
            entry.Kind = 2;
            entry.Pid = QStringLiteral("0x1201");
        }
        entry.Wired = DeviceAllInfo::WiredFromKind(entry.Kind);
        entry.Path = QStringLiteral("path-%1").arg(list.size());
        list << entry;
    }
    return list;
}

// The page's message of that name.
QString pageText(const FormSetting &page, const QString &name)
{
    const QMap<QString, QString> texts = {
        {QStringLiteral("UpToDateCaption"), page.UpToDateCaption},
        {QStringLiteral("DeviceNotFoundText"), page.DeviceNotFoundText},
        {QStringLiteral("SeveralDevicesText"), page.SeveralDevicesText},
        {QStringLiteral("DeviceMismatchText"), page.DeviceMismatchText},
        {QStringLiteral("WiredDeviceMissingText"), page.WiredDeviceMissingText},
        {QStringLiteral("NoMatchingDeviceText"), page.NoMatchingDeviceText},
        {QStringLiteral("SeveralWiredText"), page.SeveralWiredText},
        {QStringLiteral("SeveralReceiversText"), page.SeveralReceiversText},
    };
    return texts.value(name);
}

QString shownMessage(const UpDateRepair *dialog)
{
    return dialog->findChild<QLabel *>(QStringLiteral("ToolText_2"))->text();
}

} // namespace

class TestUpdateCheck : public QObject
{
    Q_OBJECT
private slots:
    void init() { RegistryValues::RemoveUpdateFailInfo(); }
    void cleanup() { RegistryValues::RemoveUpdateFailInfo(); }

    // Two entries are the receiver and the mouse on its cable, to be updated; one entry is the
    // device that did not fail, beside the one the failure record names, which waits in boot mode;
    // whatever cannot start leaves a message in the update dialog.
    void check_data()
    {
        QTest::addColumn<QByteArray>("devices");
        QTest::addColumn<QString>("list");
        QTest::addColumn<QString>("record");
        QTest::addColumn<QStringList>("images");
        QTest::addColumn<QString>("receiverVersion");
        QTest::addColumn<QString>("mouseVersion");
        QTest::addColumn<bool>("result");
        QTest::addColumn<QString>("message"); // a text member of the page or the dialog
        QTest::addColumn<int>("stages");
        QTest::addColumn<int>("receiverCode");
        QTest::addColumn<int>("mouseBootPending");

        const QStringList both = {"receiver", "mouse"};
        QTest::newRow("both newer") << Plugged << "R1,C"
                                    << "" << both << "v1.01"
                                    << "v1.04" << true << "" << 2 << 4 << 0;
        QTest::newRow("only the mouse newer") << Plugged << "R1,C"
                                              << "" << both << "v1.02"
                                              << "v1.04" << true << "" << 1 << 4 << 0;
        QTest::newRow("nothing newer") << Plugged << "R1,C"
                                       << "" << both << "v1.02"
                                       << "v1.05" << false << "UpToDateCaption" << 0 << 4 << 0;
        QTest::newRow("model ids differ")
            << Plugged << "R1,C:11"
            << "" << both << "v1.01"
            << "v1.04" << false << "DeviceMismatchText" << 0 << 0 << 0;
        QTest::newRow("no cable") << Plugged << "R1,R1"
                                  << "" << both << "v1.01"
                                  << "v1.04" << false << "WiredDeviceMissingText" << 0 << 0 << 0;
        QTest::newRow("receiver failed") << ReceiverWaits << "C"
                                         << "211,4,12,10" << both << ""
                                         << "v1.05" << true << "" << 1 << 4 << 0;
        QTest::newRow("receiver failed, the mouse newer too")
            << ReceiverWaits << "C"
            << "211,4,12,10" << both << ""
            << "v1.04" << true << "" << 2 << 4 << 0;
        QTest::newRow("mouse failed") << MouseWaits << "R1"
                                      << "210,4,12,10" << both << "v1.02"
                                      << "" << true << "" << 1 << 4 << 1;
        QTest::newRow("mouse failed, only the mouse on its cable")
            << MouseWaits << "C"
            << "210,4,12,10" << both << ""
            << "" << false << "DeviceMismatchText" << 0 << 0 << 1;
        QTest::newRow("another target")
            << ReceiverWaits << "C"
            << "7,4,12,10" << both << ""
            << "v1.05" << false << "NoMatchingDeviceText" << 0 << 0 << 0;
        QTest::newRow("three items, receiver only")
            << ReceiverWaits << "R1"
            << "211,4,12" << both << "v1.02"
            << "" << false << "WiredDeviceMissingText" << 0 << 0 << 0;
        QTest::newRow("no device") << Plugged << ""
                                   << "211,4,12,10" << both << ""
                                   << "" << false << "NoMatchingDeviceText" << 0 << 0 << 0;
        QTest::newRow("receiver failed, no image")
            << ReceiverWaits << "C"
            << "211,4,12,10" << QStringList{"mouse"} << ""
            << "v1.05" << false << "NoImageText" << 0 << 4 << 0;
        QTest::newRow("receiver failed, none waits")
            << Plugged << "C"
            << "211,4,12,10" << both << ""
            << "v1.05" << false << "DeviceNotFoundText" << 0 << 4 << 0;
        QTest::newRow("receiver failed, two wait")
            << TwoReceiversWait << "C"
            << "211,4,12,10" << both << ""
            << "v1.05" << false << "SeveralDevicesText" << 0 << 4 << 0;
        QTest::newRow("receiver failed, another customer")
            << ReceiverWaits << "C/13"
            << "211,4,12,10" << both << ""
            << "v1.05" << false << "NoMatchingDeviceText" << 0 << 4 << 0;
        QTest::newRow("two on cables") << Plugged << "C,C,R1"
                                       << "" << both << ""
                                       << "" << false << "SeveralWiredText" << 0 << 0 << 0;
        QTest::newRow("two receivers") << Plugged << "R1,R1,C"
                                       << "" << both << ""
                                       << "" << false << "SeveralReceiversText" << 0 << 0 << 0;
    }
    void check()
    {
        QFETCH(QByteArray, devices);
        QFETCH(QString, list);
        QFETCH(QString, record);
        QFETCH(QStringList, images);
        QFETCH(QString, receiverVersion);
        QFETCH(QString, mouseVersion);
        QFETCH(bool, result);
        QFETCH(QString, message);
        QFETCH(int, stages);
        QFETCH(int, receiverCode);
        QFETCH(int, mouseBootPending);

        UpdateBench b(devices, false);
        QVERIFY(b.bench.ok());
        const QString app = b.bench.appFolder();
        if (images.contains(QLatin1String("receiver")))
            writeFirmwareImage(app, QStringLiteral("rx4k.bin"), FirmwareImages::ReceiverTarget,
                               0x0102, "ZR35_RX4K");
        if (images.contains(QLatin1String("mouse")))
            writeFirmwareImage(app, QStringLiteral("m10.bin"), FirmwareImages::MouseTarget, 0x0105,
                               "ZR35_M10");
        FirmwareImages::SetConfigCid(12);
        SettingsBench::select("current", list.startsWith(QLatin1Char('C')) ? 2 : 1);
        DeviceLists::instance()->DevicePageList.set(listed(list));
        b.page->SlotLabelText(0, receiverVersion);
        b.page->SlotLabelText(1, mouseVersion);
        if (!record.isEmpty())
            RegistryValues::SetUpdateFailInfo(record);
        UpDateRepair *dialog = state().UpdateDialog;
        dialog->ResetUi();
        state().UpdateStageCount = 0;

        QCOMPARE(b.page->ChechIsUpDate(), result);
        QCOMPARE(state().ReceiverCode.load(), receiverCode);
        QCOMPARE(b.page->MouseBootPending, mouseBootPending);
        if (result) {
            QCOMPARE(state().UpdateStageCount.load(), stages);
            QCOMPARE(shownMessage(dialog), QString()); // the caller shows the ready layout
            if (record.startsWith(QLatin1String("211")))
                QCOMPARE(b.page->RepairReceiverModelName, QStringLiteral("ZR35_RX4K"));
            if (list == QLatin1String("R1,C"))
                QCOMPARE(int(state().MouseFirmwareNew.load()), mouseVersion == "v1.04" ? 1 : 0);
            return;
        }
        const QString expected = message == QLatin1String("NoImageText")
                                     ? dialog->NoImageText
                                     : pageText(*b.page, message);
        QVERIFY2(!expected.isEmpty(), qPrintable(message));
        QCOMPARE(shownMessage(dialog), expected);
        QCOMPARE(dialog->findChild<QToolButton *>(QStringLiteral("NewHong_2"))->text(),
                 dialog->OkText);
        QCOMPARE(b.page->ReceiverUpToDate, message == QLatin1String("UpToDateCaption"));
        // Nothing of the check is written.
        QCOMPARE(RegistryValues::UpdateFailInfo(), record);
    }
};

ZR35_TEST_MAIN(TestUpdateCheck)
#include "tst_updatecheck.moc"
