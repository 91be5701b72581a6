#include "core/devicestate.h"
#include "core/postmsg.h"
#include "macro/macro.h"
#include "macro/model/keyvocabulary.h"
#include "tests/macro/macrobench.h"
#include "tests/support/picturecheck.h"
#include "tests/support/testmain.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QSignalSpy>
#include <QSpinBox>
#include <QToolButton>

// The macro page's form, theme and texts, and the recording states the device page and the main
// window follow.
class TestMacroPage : public QObject
{
    Q_OBJECT
private:
    DeviceState *state = DeviceState::instance();

    static QAbstractButton *button(Macro &page, const char *name)
    {
        return page.findChild<QAbstractButton *>(QLatin1String(name));
    }

    void setLanguage(int language)
    {
        state->CurrentLanguage = language;
        emit PostMsg::GetInstance()->SigAllLanguage(language);
    }

private slots:
    void initTestCase() { FillMacroTexts(); }
    void init()
    {
        state->MacroRecording = 0;
        setLanguage(0);
    }

    void recordingIsAnnounced_data()
    {
        QTest::addColumn<bool>("leavePage"); // ended by leaving the device page, not by Stop
        QTest::newRow("stop button") << false;
        QTest::newRow("device page left") << true;
    }
    void recordingIsAnnounced()
    {
        QFETCH(bool, leavePage);
        Macro page;
        selectNewMacro(page);
        QSignalSpy record(PostMsg::GetInstance(), &PostMsg::SigStartRecord);
        button(page, "StartRecord")->click();
        QCOMPARE(state->MacroRecording.load(), quint8(1));
        QCOMPARE(record.size(), 1);
        QCOMPARE(record.at(0).at(0).toInt(), 0);
        QVERIFY(!button(page, "StartRecord")->isEnabled());

        if (leavePage)
            emit PostMsg::GetInstance()->SigSetMacroPage();
        else
            button(page, "StopRecord")->click();
        QCOMPARE(state->MacroRecording.load(), quint8(0));
        QCOMPARE(record.size(), 2);
        QCOMPARE(record.at(1).at(0).toInt(), 1);
        QVERIFY(button(page, "StartRecord")->isEnabled());
    }

    void leavingWithoutRecordingStillUnlocks()
    {
        Macro page;
        QSignalSpy record(PostMsg::GetInstance(), &PostMsg::SigStartRecord);
        emit PostMsg::GetInstance()->SigSetMacroPage();
        QCOMPARE(record.size(), 1);
        QCOMPARE(record.at(0).at(0).toInt(), 1);
    }

    void builtIdle()
    {
        Macro page;
        QCOMPARE(page.size(), QSize(883, 630));
        QVERIFY(!button(page, "StartRecord")->isHidden());
        QVERIFY(button(page, "StopRecord")->isHidden());
        QCOMPARE(button(page, "StartRecord")->focusPolicy(), Qt::NoFocus);
        QVERIFY(!button(page, "Save")->isEnabled());
        QVERIFY(child<QCheckBox>(&page, "AutoInsertDelay")->isChecked());
        QVERIFY(!child<QCheckBox>(&page, "DefaultDelay")->isChecked());
        QVERIFY(child<QCheckBox>(&page, "ReNumber")->isChecked());
        QCOMPARE(child<QSpinBox>(&page, "DelayTime")->value(), 10);
        QCOMPARE(child<QSpinBox>(&page, "DelayTime")->maximum(), 99999);
        QCOMPARE(child<QSpinBox>(&page, "NumberEdit")->value(), 1);
        QCOMPARE(child<QSpinBox>(&page, "NumberEdit")->maximum(), 250);
        QCOMPARE(child<QComboBox>(&page, "ChooseEvent")->count(), 9);
        QCOMPARE(child<QComboBox>(&page, "ChooseEvent")->maxVisibleItems(), 5);
        QCOMPARE(child<QListWidget>(&page, "listWidgetKey")->focusPolicy(), Qt::NoFocus);
        QCOMPARE(child<QListWidget>(&page, "listWidgetHong")->contextMenuPolicy(),
                 Qt::CustomContextMenu);
        QCOMPARE(child<QWidget>(&page, "listWidgetHong")->geometry(), QRect(70, 87, 261, 421));
        QCOMPARE(child<QWidget>(&page, "ChooseEvent")->geometry(), QRect(640, 432, 181, 30));
        QCOMPARE(child<QWidget>(&page, "DeleteKey")->geometry(), QRect(485, 530, 116, 30));
    }

    // The two check-box pairs exclude each other: one way to take delays, one way to repeat.
    void choicesAreExclusive()
    {
        Macro page;
        child<QCheckBox>(&page, "DefaultDelay")->click();
        QVERIFY(!child<QCheckBox>(&page, "AutoInsertDelay")->isChecked());
        child<QCheckBox>(&page, "ReUntilClick")->click();
        QVERIFY(!child<QCheckBox>(&page, "ReNumber")->isChecked());
        child<QCheckBox>(&page, "ReUntilClick")->click();
        QVERIFY(child<QCheckBox>(&page, "ReUntilClick")->isChecked());
    }

    void picturesAreShipped()
    {
        Macro page;
        const QStringList referenced = referencedPictures(&page);
        for (const char *picture :
             {"Up.png", "Down.png", "ComboboxBack.png", "ComboboxTextBack.png", "Menu.png",
              "MenuClicked.png", "Button.png", "ButtonHover.png", "ButtonClick.png", "Record.png",
              "RecordHover.png", "Stop.png", "StopHover.png", "CheckBox.png", "CheckBoxCheck.png"})
            QVERIFY2(referenced.filter(QLatin1String(picture)).size() > 0, picture);
        QCOMPARE(missingPictures(&page), QStringList());
    }

    void saveStyleFollowsItsState()
    {
        Macro page;
        auto *save = button(page, "Save");
        QVERIFY(save->styleSheet().contains(QLatin1String("rgb(127,127,127)")));
        QVERIFY(!save->styleSheet().contains(QLatin1String("ButtonHover.png")));
        selectNewMacro(page);
        button(page, "StartRecord")->click();
        button(page, "StopRecord")->click();
        QVERIFY(save->isEnabled());
        QVERIFY(save->styleSheet().contains(QLatin1String("ButtonHover.png")));
        emit PostMsg::GetInstance()->SigSetMacroPage();
        QVERIFY(!save->isEnabled());
        QVERIFY(save->styleSheet().contains(QLatin1String("rgb(127,127,127)")));
    }

    void texts_data()
    {
        QTest::addColumn<QString>("widget");
        QTest::addColumn<int>("entry");
        const char *widgets[] = {"label",
                                 "label_2",
                                 "NewHong",
                                 "DeleteHong",
                                 "Amend",
                                 "DeleteKey",
                                 "StartRecord",
                                 "StopRecord",
                                 "AutoInsertDelayLabel",
                                 "DefaultDelay",
                                 "ReUntilLooseLabel",
                                 "ReUntilClickLabel",
                                 "ReUntilLabel",
                                 "ReNumber",
                                 "label_3"};
        for (int entry = 0; entry < 15; ++entry)
            QTest::newRow(widgets[entry]) << widgets[entry] << entry;
        QTest::newRow("Save") << "Save" << 18;
    }
    void texts()
    {
        QFETCH(QString, widget);
        QFETCH(int, entry);
        Macro page;
        const auto textOf = [&] {
            QWidget *w = page.findChild<QWidget *>(widget);
            if (auto *label = qobject_cast<QLabel *>(w))
                return label->text();
            return qobject_cast<QAbstractButton *>(w)->text();
        };
        QCOMPARE(textOf(), fixtureText(0, QStringLiteral("Macro"), entry));
        setLanguage(1);
        QCOMPARE(textOf(), fixtureText(1, QStringLiteral("Macro"), entry));
        // A language without texts keeps what is shown.
        setLanguage(4);
        QCOMPARE(textOf(), fixtureText(1, QStringLiteral("Macro"), entry));
    }

    // The event choice takes three texts of the page and the button page's five mouse-button
    // names, which become the names of mouse events.
    void eventChoiceAndMouseButtonNames()
    {
        Macro page;
        auto *choice = child<QComboBox>(&page, "ChooseEvent");
        for (int language = 0; language < 2; ++language) {
            setLanguage(language);
            QCOMPARE(choice->itemText(0), QString());
            for (int item = 1; item <= 3; ++item)
                QCOMPARE(choice->itemText(item), fixtureText(language, "Macro", 14 + item));
            QStringList names;
            for (int item = 4; item <= 8; ++item) {
                QCOMPARE(choice->itemText(item), fixtureText(language, "Buttoninterface", item));
                names << fixtureText(language, "Buttoninterface", item);
            }
            QCOMPARE(MouseButtonNames(), names);
            QCOMPARE(MouseButtonName(0x10), fixtureText(language, "Buttoninterface", 7));
        }
    }

    // A language switch keeps what the user chose in the event box and the two number boxes.
    void languageSwitchKeepsTheChoices_data()
    {
        QTest::addColumn<bool>("languageChangeEvent");
        QTest::newRow("the program's language switch") << false;
        QTest::newRow("a language change event") << true;
    }
    void languageSwitchKeepsTheChoices()
    {
        QFETCH(bool, languageChangeEvent);
        Macro page;
        auto *choice = child<QComboBox>(&page, "ChooseEvent");
        choice->setCurrentIndex(3);
        child<QSpinBox>(&page, "DelayTime")->setValue(480);
        child<QSpinBox>(&page, "NumberEdit")->setValue(7);
        QSignalSpy chosen(choice, SIGNAL(currentIndexChanged(int)));
        if (languageChangeEvent) {
            QEvent change(QEvent::LanguageChange);
            QCoreApplication::sendEvent(&page, &change);
        } else {
            setLanguage(1);
            QCOMPARE(choice->itemText(3), fixtureText(1, "Macro", 17));
        }
        QCOMPARE(choice->currentIndex(), 3);
        QCOMPARE(child<QSpinBox>(&page, "DelayTime")->value(), 480);
        QCOMPARE(child<QSpinBox>(&page, "NumberEdit")->value(), 7);
        QCOMPARE(chosen.size(), 0);
    }
};

ZR35_TEST_MAIN(TestMacroPage)
#include "tst_macropage.moc"
