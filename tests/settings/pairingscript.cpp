#include "tests/settings/pairingscript.h"

#include "core/devicestate.h"
#include "settings/match.h"

#include <QApplication>
#include <QDateTime>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

PairingScript::PairingScript(int stepLimitMs) : m_stepLimitMs(stepLimitMs)
{
    m_poll.setInterval(10);
    connect(&m_poll, &QTimer::timeout, this, &PairingScript::poll);
    m_poll.start();
}

PairingScript &PairingScript::then(const QString &what, Condition ready, Action act)
{
    m_steps.append({what, std::move(ready), std::move(act)});
    return *this;
}

PairingScript &PairingScript::close(const QString &what, Condition ready)
{
    return then(what, std::move(ready), PairingLook::clickClose);
}

void PairingScript::poll()
{
    auto *dialog = qobject_cast<Match *>(QApplication::activeModalWidget());
    if (!dialog || finished())
        return;
    const qint64 now = QDateTime::currentMSecsSinceEpoch();
    if (m_stepStarted < 0)
        m_stepStarted = now;
    const Step &step = m_steps.at(m_next);
    if (step.ready(dialog)) {
        ++m_next;
        m_stepStarted = now;
        step.act(dialog);
        if (finished())
            m_poll.stop();
        return;
    }
    if (now - m_stepStarted > m_stepLimitMs) {
        m_failure = QStringLiteral("step %1 (%2) did not come; the button showed \"%3\"")
                        .arg(m_next + 1)
                        .arg(step.what, PairingLook::buttonText(dialog));
        m_poll.stop();
        // A pairing still running would refuse the close.
        DeviceState::instance()->PairActive = 0;
        dialog->WindowClosedSet();
    }
}

QString PairingLook::buttonText(Match *dialog)
{
    return dialog->findChild<QPushButton *>(QStringLiteral("MatchButton"))->text();
}

bool PairingLook::buttonEnabled(Match *dialog)
{
    return dialog->findChild<QPushButton *>(QStringLiteral("MatchButton"))->isEnabled();
}

bool PairingLook::buttonShows(Match *dialog, const char *picture)
{
    return dialog->findChild<QPushButton *>(QStringLiteral("MatchButton"))
        ->styleSheet()
        .contains(QLatin1String("/") + QLatin1String(picture) + QLatin1Char(')'));
}

void PairingLook::clickStart(Match *dialog)
{
    dialog->findChild<QPushButton *>(QStringLiteral("MatchButton"))->click();
}

void PairingLook::clickClose(Match *dialog)
{
    dialog->findChild<QToolButton *>(QStringLiteral("CloseButton"))->click();
}

void PairingLook::pressKey(Match *dialog, int key)
{
    // Where the keyboard goes: the widget that has the focus in the dialog, if any.
    QWidget *target = dialog->focusWidget() ? dialog->focusWidget() : dialog;
    QTest::keyClick(target, Qt::Key(key));
}
