#include "tests/support/modaldriver.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QKeySequence>
#include <QTest>

ModalDriver::Match ModalDriver::named(const QString &classOrObjectName)
{
    const QByteArray className = classOrObjectName.toLatin1();
    return [classOrObjectName, className](QWidget *modal) {
        return modal->objectName() == classOrObjectName || modal->inherits(className.constData());
    };
}

ModalDriver::ModalDriver(Match dialog, const QString &buttonObjectName, int timeoutMs)
    : m_match(std::move(dialog)), m_button(buttonObjectName),
      m_failure(QStringLiteral("no modal dialog was shown")), m_timeoutMs(timeoutMs)
{
    m_closeLimit.setSingleShot(true);
    connect(&m_closeLimit, &QTimer::timeout, this, &ModalDriver::checkClosed);
    m_poll.setInterval(10);
    connect(&m_poll, &QTimer::timeout, this, &ModalDriver::poll);
    m_limit.setSingleShot(true);
    connect(&m_limit, &QTimer::timeout, this, &ModalDriver::giveUp);
    m_poll.start();
    m_limit.start(timeoutMs);
}

ModalDriver::ModalDriver(Match dialog, int key, int timeoutMs)
    : ModalDriver(std::move(dialog), QString(), timeoutMs)
{
    m_key = key;
}

void ModalDriver::poll()
{
    QWidget *modal = QApplication::activeModalWidget();
    if (!modal)
        return;
    if (!m_match(modal)) {
        m_failure = QStringLiteral("another modal dialog is showing: %1 \"%2\"")
                        .arg(QLatin1String(modal->metaObject()->className()), modal->objectName());
        return;
    }
    if (m_key != 0) {
        QWidget *target = modal->focusWidget() ? modal->focusWidget() : modal;
        answer(modal);
        QTest::keyClick(target, Qt::Key(m_key));
        return;
    }
    auto *button = modal->findChild<QAbstractButton *>(m_button);
    if (!button || !button->isVisible() || !button->isEnabled()) {
        // The dialog may still be filling itself in; keep looking until the time limit.
        m_failure =
            QStringLiteral("the dialog has no visible, enabled button \"%1\"").arg(m_button);
        return;
    }
    answer(modal);
    button->click();
}

void ModalDriver::answer(QWidget *modal)
{
    m_poll.stop();
    m_limit.stop();
    m_fired = true;
    m_failure.clear();
    // The key or the click runs the dialog's own code, which may hold it open in a loop of its
    // own: the limit is armed first.
    m_pressed = modal;
    m_closeLimit.start(m_timeoutMs);
}

void ModalDriver::giveUp()
{
    m_poll.stop();
    if (auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget()))
        dialog->reject();
}

void ModalDriver::checkClosed()
{
    if (!m_pressed || !m_pressed->isVisible())
        return;
    m_fired = false;
    const QString answer = m_key != 0 ? QKeySequence(m_key).toString() : m_button;
    m_failure = QStringLiteral("pressed \"%1\", but the dialog stayed open").arg(answer);
    if (auto *dialog = qobject_cast<QDialog *>(m_pressed.data()))
        dialog->reject();
}
