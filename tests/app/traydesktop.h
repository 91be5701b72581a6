#pragma once

#include <QByteArray>
#include <QProcess>
#include <QRect>
#include <QString>
#include <QStringList>
#include <QVector>

#include <functional>

class AppProcess;

// A desktop of its own for a test that runs the real program on X11: a virtual X server on a
// display number the server picks itself (so tests running side by side never meet), and the
// XEmbed tray host `trayer` docked at the top left, the kind of notification area an XFCE, LXDE or
// MATE panel offers. `xdotool` moves and clicks the pointer on it as a user would.
//
// A QProcess that ends with the test: a test killed at its time limit runs no destructor, and the
// server and the tray host must not outlive it.
class ChildProcess : public QProcess
{
protected:
    void setupChildProcess() override;
};

// Made once per test executable; the destructor stops the tray host and the server.
class TrayDesktop
{
public:
    TrayDesktop();
    ~TrayDesktop();
    TrayDesktop(const TrayDesktop &) = delete;
    TrayDesktop &operator=(const TrayDesktop &) = delete;

    // False when the server or the tray host did not come up; failure() says why.
    bool isUp() const { return m_failure.isEmpty(); }
    QString failure() const { return m_failure; }
    // ":<n>", for the program's DISPLAY.
    QString display() const { return m_display; }
    // Makes the program show its windows on this desktop, through X11.
    void showProgramHere(AppProcess &program) const;

    struct Window
    {
        QByteArray id;
        QString name;
        QRect geometry; // in screen coordinates
    };
    // The windows of X class name `className` that are on screen, the tray icon among them.
    QVector<Window> visibleWindows(const QString &className) const;
    // Whether a window of `className` that `which` accepts is on screen now; the first such one
    // goes to `found` (when given).
    bool findWindow(const QString &className, const std::function<bool(const Window &)> &which,
                    Window *found = nullptr) const;
    // Waits (up to `timeoutMs`) for a window of `className` on screen that `which` accepts.
    bool waitForWindow(const QString &className, const std::function<bool(const Window &)> &which,
                       Window *found, int timeoutMs) const;
    // Waits until no window of `className` on screen is one `which` accepts.
    bool waitUntilNoWindow(const QString &className,
                           const std::function<bool(const Window &)> &which, int timeoutMs) const;
    // Moves the pointer to `at` (screen coordinates) and clicks `button` (1 left, 3 right).
    bool click(const QPoint &at, int button) const;
    // Clicks at `at` until `done` holds, waiting `retryAfterMs` after each click, for up to
    // `timeoutMs` in all. A click on a window the server has only just mapped can come before the
    // program has taken that window in, and is then lost, as a user's too-early click would be.
    // Each try is a pixel off the one before: xdotool's synchronous move waits for the pointer to
    // move, which it would not.
    bool clickUntil(const QPoint &at, int button, const std::function<bool()> &done, int timeoutMs,
                    int retryAfterMs = 1500) const;
    // Types the keys named (X key names: "q", "Return") into the window that has the focus, one
    // press and release each.
    bool typeKeys(const QStringList &keys) const;
    // Gives window `id` the keyboard focus and types `keys` (X key names: "h", "shift+a") on the
    // keyboard, one press and release each.
    bool typeKeys(const QByteArray &id, const QStringList &keys) const;

private:
    QByteArray xdotool(const QStringList &arguments, bool *ok = nullptr) const;
    bool trayHostOwnsTheSelection() const;

    ChildProcess m_server;
    ChildProcess m_trayHost;
    QString m_display;
    QString m_failure;
};
