#pragma once

#include <QObject>
#include <QString>
#include <QTimer>

#include <functional>

class Match;

// Drives the pairing dialog that the code under test runs with exec(), as a user would over
// several steps: each step waits until its condition holds on the open dialog, then acts, and the
// next step waits for its own condition. Made before the code under test opens the dialog. When a
// step's condition does not come within the time limit, the dialog is made closable and closed,
// so the test fails instead of hanging, and failure() names the step.
class PairingScript : public QObject
{
    Q_OBJECT
public:
    using Condition = std::function<bool(Match *dialog)>;
    using Action = std::function<void(Match *dialog)>;

    explicit PairingScript(int stepLimitMs = 10000);

    // Adds a step; `what` names it in the failure.
    PairingScript &then(const QString &what, Condition ready, Action act);
    // The last step: closes the dialog with its close button once `ready` holds.
    PairingScript &close(const QString &what, Condition ready);

    bool finished() const { return m_next == m_steps.size(); }
    QString failure() const { return m_failure; }

private:
    struct Step
    {
        QString what;
        Condition ready;
        Action act;
    };
    void poll();

    QList<Step> m_steps;
    int m_next = 0;
    int m_stepLimitMs;
    qint64 m_stepStarted = -1;
    QString m_failure;
    QTimer m_poll;
};

// Conditions and actions of the steps.
namespace PairingLook {
QString buttonText(Match *dialog);
bool buttonEnabled(Match *dialog);
// The picture the start button shows ("Pair.png", "PairSuccess.png", "PairFail.png").
bool buttonShows(Match *dialog, const char *picture);
void clickStart(Match *dialog);
void clickClose(Match *dialog);
void pressKey(Match *dialog, int key);
} // namespace PairingLook
