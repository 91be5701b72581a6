#pragma once

#include <QString>
#include <QWidget>

class QLabel;
class UpDateRepair;

// The settings page. For now it holds what the home page and the main window rely on: the one
// update and repair dialog (DeviceState::UpdateDialog), the firmware version labels, the firmware
// notice text and the firmware lookups. The page's own form grows here.
class FormSetting : public QWidget
{
    Q_OBJECT
public:
    explicit FormSetting(QWidget *parent = nullptr);
    ~FormSetting() override;

    // An image of `target` (210 mouse, 211 receiver) for the model named `identifier` whose
    // version differs from deviceVersion; the image found is held for the update engine.
    static bool FindFirmwareFile(int target, const QString &deviceVersion,
                                 const QString &identifier, int cid, int mid);
    // Whether an image is offered for the current device's model; receiverClass 1, 2, 4 or 8
    // names the receiver image, any other class gives false. Nothing is held.
    static bool CheckNewFirmware(int target, const QString &versionText, int receiverClass);

public slots:
    // 6: the tile click empties both firmware version labels.
    void SetVer(int what);
    void SlotLabelTextB(const QString &text, const QString &flag);
    void SlotAllLanguage(int language);

private:
    QLabel *label_5; // receiver firmware version
    QLabel *label_7; // mouse firmware version
    UpDateRepair *UpdateDialog;
};
