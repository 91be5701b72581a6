#include "core/devicestate.h"
#include "core/languageloader.h"
#include "core/postmsg.h"
#include "shell/dialog.h"
#include "tests/shell/homebench.h"
#include "tests/support/child.h"
#include "tests/support/screens.h"
#include "tests/support/testmain.h"

#include <QAbstractButton>
#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QToolButton>
#include <QWindow>

namespace {

void setLanguage(int language)
{
    DeviceState::instance()->CurrentLanguage = language;
    emit PostMsg::GetInstance()->SigAllLanguage(language);
}

// A few macros in the user's macro folder, as the page lists them.
void writeMacros()
{
    const QString folder = UserDir::filePath(QStringLiteral("usersetting/MacroPage"));
    QDir(folder).removeRecursively();
    QDir().mkpath(folder);
    const QList<QPair<QString, QByteArray>> macros{
        {QStringLiteral("Burst fire"), "3\n0x0E 1 0\n30ms\n0x0E 1 1\n"},
        {QStringLiteral("Build order"),
         "1\n0x01 0 0\n12ms\n0x05 1 0\n40ms\n0x05 1 1\n8ms\n0x01 0 1\n25ms\n0x01 4 0\n"
         "20ms\n0x01 4 1\n"},
        {QStringLiteral("Greeting"), "254\n0x0B 1 0\n15ms\n0x0B 1 1\n"}};
    for (const auto &macro : macros) {
        QFile file(folder + QLatin1Char('/') + macro.first + QStringLiteral(".ini"));
        if (file.open(QIODevice::WriteOnly))
            file.write(macro.second);
    }
}

// The device page in front on its macro tab, the second macro of the folder selected.
bool openMacroTab(Dialog &page)
{
    page.show();
    page.activateWindow();
    if (!QTest::qWaitForWindowActive(&page))
        return false;
    child<QToolButton>(&page, "MacroButton")->click();
    auto *macros = child<QListWidget>(&page, "listWidgetHong");
    if (macros->count() != 3)
        return false;
    macros->setCurrentRow(1);
    return true;
}

} // namespace

// The macro tab as a user sees it, in both languages, and a short recording.
class TestMacroTab : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        ReloadLanguageFilesForTest(AppDir::filePath(QStringLiteral("Language")));
    }

    void bothLanguages_data()
    {
        QTest::addColumn<int>("language");
        QTest::newRow("English") << 0;
        QTest::newRow("Ukrainian") << 1;
    }
    void bothLanguages()
    {
        QFETCH(int, language);
        HomeBench bench(OneReceiverSet);
        setLanguage(language);
        writeMacros();
        Dialog page;
        QVERIFY(openMacroTab(page));
        ZR35_SAVE_SCREEN(&page, language == 0 ? "macro-tab-en" : "macro-tab-uk");
        setLanguage(0);
    }

    // Typing a short sequence while recording: presses, delays and releases with their icons,
    // the tabs locked meanwhile and free again after.
    void shortRecording()
    {
        HomeBench bench(OneReceiverSet);
        setLanguage(0);
        writeMacros();
        Dialog page;
        QVERIFY(openMacroTab(page));
        child<QAbstractButton>(&page, "StartRecord")->click();
        QVERIFY(!child<QToolButton>(&page, "ButtonMain")->isEnabled());
        QWindow *window = page.windowHandle();
        QTest::keyPress(window, Qt::Key_Control);
        QTest::keyClick(window, Qt::Key_C, Qt::NoModifier, 20);
        QTest::keyRelease(window, Qt::Key_Control, Qt::NoModifier, 20);
        QTest::keyClick(window, Qt::Key_Left, Qt::NoModifier, 30);
        QTest::keyClick(window, Qt::Key_Space, Qt::NoModifier, 30);
        auto *events = child<QListWidget>(&page, "listWidgetKey");
        QCOMPARE(events->count(), 15);
        QCOMPARE(events->item(0)->text(), QStringLiteral("LCtrl"));
        QVERIFY(events->item(1)->text().endsWith(QLatin1String("ms")));
        for (int row = 0; row < events->count(); ++row)
            QVERIFY(!events->item(row)->icon().isNull());
        ZR35_SAVE_SCREEN(&page, "macro-tab-recording");
        child<QAbstractButton>(&page, "StopRecord")->click();
        QVERIFY(child<QToolButton>(&page, "ButtonMain")->isEnabled());
        ZR35_SAVE_SCREEN(&page, "macro-tab-recorded");
    }
};

ZR35_TEST_MAIN(TestMacroTab)
#include "tst_macrotab.moc"
