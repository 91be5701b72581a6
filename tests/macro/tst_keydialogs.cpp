#include "core/devicestate.h"
#include "core/languageloader.h"
#include "core/languagetables.h"
#include "core/postmsg.h"
#include "macro/adddelaytime.h"
#include "macro/addkey.h"
#include "macro/firekey.h"
#include "macro/keyboardhook.h"
#include "platform/desktop/keyhook.h"
#include "platform/desktop/screenmetrics.h"
#include "tests/macro/macrobench.h"
#include "tests/support/screens.h"
#include "tests/support/testmain.h"

#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QToolButton>

namespace {

constexpr int VkA = 0x41;
constexpr int VkLShift = 0xA0;
constexpr int VkRAlt = 0xA5;
constexpr int VkF10 = 0x79;
constexpr int VkClear = 0x0C;
constexpr int VkEsc = 0x1B;

void setLanguage(int language)
{
    DeviceState::instance()->CurrentLanguage = language;
    emit PostMsg::GetInstance()->SigAllLanguage(language);
}

bool addKeyHookInstalled()
{
    return KeyboardHook(KeyboardHook::AddKeyDialog).IsInstalled();
}

} // namespace

// The single-key, delay and repeat-fire dialogs: what each gives back, however it is ended.
class TestKeyDialogs : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { FillMacroTexts(); }
    void init() { setLanguage(0); }

    void addKeyCaptures_data()
    {
        QTest::addColumn<QVector<int>>("messages"); // virtual key, then message
        QTest::addColumn<QString>("name");
        QTest::newRow("A typed") << QVector<int>{VkA, KeyHook::KeyDown, VkA, KeyHook::KeyUp} << "A";
        // The key released last is the one kept.
        QTest::newRow("A while left Shift held")
            << QVector<int>{VkLShift, KeyHook::KeyDown, VkA,      KeyHook::KeyDown,
                            VkA,      KeyHook::KeyUp,   VkLShift, KeyHook::KeyUp}
            << "LShift";
        QTest::newRow("right Alt")
            << QVector<int>{VkRAlt, KeyHook::SysKeyDown, VkRAlt, KeyHook::SysKeyUp} << "RAlt";
        QTest::newRow("F10") << QVector<int>{VkF10, KeyHook::SysKeyDown, VkF10, KeyHook::SysKeyUp}
                             << "F10";
        QTest::newRow("A with Alt held")
            << QVector<int>{VkA, KeyHook::SysKeyDown, VkA, KeyHook::SysKeyUp} << "A";
        QTest::newRow("a key without a name empties")
            << QVector<int>{VkA, KeyHook::KeyDown, VkClear, KeyHook::KeyDown} << "";
        QTest::newRow("Esc") << QVector<int>{VkEsc, KeyHook::KeyDown, VkEsc, KeyHook::KeyUp}
                             << "Esc";
    }
    void addKeyCaptures()
    {
        QFETCH(QVector<int>, messages);
        QFETCH(QString, name);
        addKey dialog;
        int result = -1;
        ModalAction user(QStringLiteral("addKey"), [&](QWidget *shown) {
            // Typed text never becomes the result.
            QTest::keyClicks(child<QLineEdit>(shown, "lineEdit"), QStringLiteral("xyz"));
            // Escape is captured, never the end of the dialog.
            QTest::keyClick(shown, Qt::Key_Escape);
            QVERIFY(shown->isVisible());
            for (int i = 0; i + 1 < messages.size(); i += 2)
                KeyHook::inject(messages.at(i), messages.at(i + 1));
            QCOMPARE(child<QLineEdit>(shown, "lineEdit")->text(), name);
            child<QToolButton>(shown, "NewHong")->click();
        });
        result = dialog.exec();
        QVERIFY(user.done());
        QCOMPARE(result, int(QDialog::Accepted));
        QVERIFY(dialog.Confirmed);
        QCOMPARE(dialog.KeyName, name);
        QVERIFY(!addKeyHookInstalled());
    }

    void addKeyEndings_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("result");
        QTest::addColumn<bool>("confirmed");
        // Confirming before any key gives the empty name, confirmed.
        QTest::newRow("OK, no key") << "NewHong" << int(QDialog::Accepted) << true;
        QTest::newRow("Cancel") << "NewHong_2" << int(QDialog::Rejected) << false;
        QTest::newRow("close") << "CloseButton" << int(QDialog::Rejected) << false;
    }
    void addKeyEndings()
    {
        QFETCH(QString, button);
        QFETCH(int, result);
        QFETCH(bool, confirmed);
        addKey dialog;
        ModalAction user(QStringLiteral("addKey"),
                         [&](QWidget *shown) { shown->findChild<QToolButton *>(button)->click(); });
        QCOMPARE(dialog.exec(), result);
        QVERIFY(user.done());
        QCOMPARE(dialog.Confirmed, confirmed);
        QVERIFY(dialog.KeyName.isEmpty());
        QVERIFY(!addKeyHookInstalled());
    }

    void addKeyHookEndsWithTheDialog()
    {
        {
            addKey dialog;
            QVERIFY(addKeyHookInstalled());
        }
        QVERIFY(!addKeyHookInstalled());
    }

    void delay_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("button");
        QTest::addColumn<bool>("confirmed");
        QTest::addColumn<int>("delay");
        QTest::newRow("OK unchanged") << ""
                                      << "NewHong" << true << 10;
        QTest::newRow("OK, 250") << "250"
                                 << "NewHong" << true << 250;
        QTest::newRow("OK, the largest") << "99999"
                                         << "NewHong" << true << 9999;
        QTest::newRow("Cancel") << "250"
                                << "NewHong_2" << false << 0;
        QTest::newRow("close") << "250"
                               << "CloseButton" << false << 0;
        QTest::newRow("Escape") << "250"
                                << "" << false << 0;
    }
    void delay()
    {
        QFETCH(QString, typed);
        QFETCH(QString, button);
        QFETCH(bool, confirmed);
        QFETCH(int, delay);
        AddDelayTime dialog;
        ModalAction user(QStringLiteral("AddDelayTime"), [&](QWidget *shown) {
            auto *box = child<QSpinBox>(shown, "spinBox");
            if (!typed.isEmpty()) {
                box->selectAll();
                QTest::keyClicks(box, typed);
            }
            if (button.isEmpty())
                QTest::keyClick(shown, Qt::Key_Escape);
            else
                shown->findChild<QToolButton *>(button)->click();
        });
        dialog.exec();
        QVERIFY(user.done());
        QCOMPARE(dialog.Confirmed, confirmed);
        QCOMPARE(dialog.Delay, delay);
        QCOMPARE(child<QSpinBox>(&dialog, "spinBox")->maximum(), 65535);
        QCOMPARE(child<QSpinBox>(&dialog, "spinBox")->minimum(), 10);
    }

    void fireKey_data()
    {
        QTest::addColumn<int>("presetInterval");
        QTest::addColumn<int>("presetCount");
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("shownInterval");
        QTest::addColumn<int>("shownCount");
        QTest::addColumn<bool>("confirmed");
        QTest::addColumn<int>("interval");
        QTest::addColumn<int>("count");
        QTest::newRow("a button without the fire key")
            << 10 << 3 << "NewHong" << 10 << 3 << true << 10 << 3;
        QTest::newRow("kept values") << 120 << 0 << "NewHong" << 120 << 0 << true << 120 << 0;
        QTest::newRow("presets held in range") << 5 << 7 << "NewHong" << 10 << 3 << true << 10 << 3;
        QTest::newRow("Cancel") << 200 << 1 << "NewHong_2" << 200 << 1 << false << 10 << 3;
        QTest::newRow("close") << 200 << 1 << "CloseButton" << 200 << 1 << false << 10 << 3;
        QTest::newRow("Escape") << 200 << 1 << "" << 200 << 1 << false << 10 << 3;
    }
    void fireKey()
    {
        QFETCH(int, presetInterval);
        QFETCH(int, presetCount);
        QFETCH(QString, button);
        QFETCH(int, shownInterval);
        QFETCH(int, shownCount);
        QFETCH(bool, confirmed);
        QFETCH(int, interval);
        QFETCH(int, count);
        FireKey dialog;
        dialog.SetInterval(presetInterval);
        dialog.SetCount(presetCount);
        QCOMPARE(child<QSpinBox>(&dialog, "Time")->value(), shownInterval);
        QCOMPARE(child<QSpinBox>(&dialog, "Count")->value(), shownCount);
        ModalAction user(QStringLiteral("FireKey"), [&](QWidget *shown) {
            if (button.isEmpty())
                QTest::keyClick(shown, Qt::Key_Escape);
            else
                shown->findChild<QToolButton *>(button)->click();
        });
        dialog.exec();
        QVERIFY(user.done());
        QCOMPARE(dialog.Confirmed, confirmed);
        QCOMPARE(dialog.Interval, interval);
        QCOMPARE(dialog.Count, count);
    }

    // The dialogs bypass the window manager, which would never give them the keyboard: each takes
    // it once shown, from the window in front, and puts it in its field.
    void keyboardOnceShown()
    {
        QWidget front;
        front.show();
        front.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&front));
        addKey key;
        key.show();
        QTRY_VERIFY(key.isActiveWindow());
        QTRY_VERIFY(child<QLineEdit>(&key, "lineEdit")->hasFocus());
        key.close();
        front.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&front));
        AddDelayTime delay;
        delay.show();
        QTRY_VERIFY(delay.isActiveWindow());
        QTRY_VERIFY(child<QSpinBox>(&delay, "spinBox")->hasFocus());
    }

    void fontsAt120Dpi()
    {
        ScreenMetrics::setHorizontalDpiOverride(120);
        addKey key;
        AddDelayTime delay;
        FireKey fire;
        ScreenMetrics::setHorizontalDpiOverride(0);
        for (QDialog *dialog : std::initializer_list<QDialog *>{&key, &delay, &fire}) {
            for (const char *name : {"label", "NewHong", "NewHong_2"}) {
                const auto *widget = dialog->findChild<QWidget *>(QLatin1String(name));
                QVERIFY2(qAbs(widget->font().pointSizeF() - 8.8) < 1e-4, name);
            }
        }
        QVERIFY(qAbs(child<QLineEdit>(&key, "lineEdit")->font().pointSizeF() - 9.6) < 1e-4);
    }

    void shipped_data()
    {
        QTest::addColumn<int>("language");
        QTest::newRow("English") << 0;
        QTest::newRow("Ukrainian") << 1;
    }
    void shipped()
    {
        QFETCH(int, language);
        ReloadLanguageFilesForTest(AppDir::filePath(QStringLiteral("Language")));
        setLanguage(language);
        const QString suffix = QString::number(language);
        {
            addKey dialog;
            QCOMPARE(child<QLabel>(&dialog, "label")->text(), AddKeyTexts.text(language, 0, {}));
            dialog.show();
            KeyHook::inject(VkLShift, KeyHook::KeyDown);
            ZR35_SAVE_SCREEN(&dialog, QStringLiteral("macro-addkey-") + suffix);
        }
        {
            AddDelayTime dialog;
            QCOMPARE(child<QLabel>(&dialog, "label")->text(),
                     AddDelayTimeTexts.text(language, 0, {}));
            dialog.show();
            ZR35_SAVE_SCREEN(&dialog, QStringLiteral("macro-adddelaytime-") + suffix);
        }
        {
            FireKey dialog;
            for (int entry = 0; entry < 3; ++entry) {
                const char *name = entry == 0 ? "label" : entry == 1 ? "label_2" : "label_3";
                QCOMPARE(child<QLabel>(&dialog, name)->text(),
                         FireKeyTexts.text(language, entry, {}));
            }
            QCOMPARE(child<QToolButton>(&dialog, "NewHong_2")->text(),
                     QuestionTexts.text(language, 3, {}));
            dialog.show();
            ZR35_SAVE_SCREEN(&dialog, QStringLiteral("macro-firekey-") + suffix);
        }
        FillMacroTexts();
    }
};

ZR35_TEST_MAIN(TestKeyDialogs)
#include "tst_keydialogs.moc"
