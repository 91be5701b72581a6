#pragma once

#include <QWidget>

class QToolButton;

// The macro page. For now it holds what the device page relies on: starting and stopping a
// recording, announced with SigStartRecord (0 started, 1 ended) so that the device page locks its
// tabs meanwhile, and MacroRecording, which keeps the main window's keys away from the recording.
// The macro list, the event list and the key capture grow here.
class Macro : public QWidget
{
    Q_OBJECT
public:
    explicit Macro(QWidget *parent = nullptr);
    ~Macro() override;

public slots:
    // Leaves the recording state, whether or not a recording runs (the device page is left).
    void SlotSetMacroPage();

private slots:
    void on_StartRecord_clicked();
    void on_StopRecord_clicked();

private:
    void EndRecording();

    QToolButton *StartRecord;
    QToolButton *StopRecord;
};
