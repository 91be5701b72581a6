#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>

#include <functional>

class QWidget;

// Answers one modal dialog the way a user would. Made before the code under test runs exec();
// while that modal loop runs, a timer on the GUI thread watches the active modal widget and,
// when it is the expected dialog, presses the named child button or sends the key, once.
// When the time limit passes first, a modal dialog still open is rejected so the test does not
// hang, and fired() stays false. A pressed button or a sent key that leaves its dialog open past
// the same limit again gets the dialog rejected, and fired() turns false with "pressed, but the
// dialog stayed open": a broken button or key fails its test within seconds instead of blocking
// exec() until the test runner's own timeout.
class ModalDriver : public QObject
{
    Q_OBJECT
public:
    using Match = std::function<bool(QWidget *modal)>;

    // Matches a dialog by its class name (or a base class) or by its object name.
    static Match named(const QString &classOrObjectName);

    ModalDriver(Match dialog, const QString &buttonObjectName, int timeoutMs = 5000);
    ModalDriver(Match dialog, int key, int timeoutMs = 5000);

    bool fired() const { return m_fired; }
    // Why it did not fire (no dialog, another dialog, no such button); empty once it fired.
    QString failure() const { return m_failure; }

private:
    void poll();
    // Stops looking and arms the close limit, just before the key or the click.
    void answer(QWidget *modal);
    void giveUp();
    void checkClosed();

    Match m_match;
    QString m_button;
    int m_key = 0;
    bool m_fired = false;
    QString m_failure;
    QTimer m_poll;
    QTimer m_limit;
    QTimer m_closeLimit;
    int m_timeoutMs = 0;
    QPointer<QWidget> m_pressed;
};
