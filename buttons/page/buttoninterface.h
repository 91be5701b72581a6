#pragma once

#include <QWidget>

// The button page. For now it owns what the device page needs of it: the one device service
// object (DeviceState::WorkerThread), created here and started by the home page's tile click, and
// the mouse picture the tile click chooses. The page's form, its record slots, its import, export
// and reset grow here.
class Buttoninterface : public QWidget
{
    Q_OBJECT
public:
    explicit Buttoninterface(QWidget *parent = nullptr);
    // Stops the device service for good: no pass starts any more, a running pass is waited for
    // (within the service's time limit), and hot-plug notification stops.
    ~Buttoninterface() override;

public slots:
    // The mouse picture "mouse" + n + ".png" of the page's picture folder.
    void SlotMouseIndex(int n);

private:
    QWidget *widget;
};
