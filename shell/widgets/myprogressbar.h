#pragma once

#include <QProgressBar>
#include <QTimer>
#include <QVector>

// A progress bar for a task of n stages: it creeps through the current stage on its own, stops
// one short of the stage's end, and catches up quickly when mUpdate() reports the stage done.
class MyProgressBar : public QProgressBar
{
    Q_OBJECT
public:
    explicit MyProgressBar(QWidget *parent = nullptr);

    // Sets the value and shows it as a percentage with one decimal ("37.0%").
    void mSetValue(int value);
    // Divides 0..100 into n equal stages (n of 1 or less gives one stage).
    void mSetStages(int n);
    // Starts from 0 with n stages, creeping one step per interval milliseconds.
    void mStart(int n, int interval);

    const QVector<int> &stops() const { return m_stops; }
    int stage() const { return m_stage; }

public slots:
    // One stage has finished.
    void mUpdate();

private:
    void creep();
    void catchUp();

    QVector<int> m_stops;
    int m_stage = 0;
    QTimer *m_creepTimer;
    QTimer *m_catchUpTimer;
};
