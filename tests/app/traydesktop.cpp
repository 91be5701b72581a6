#include "tests/app/traydesktop.h"

#include "tests/support/appprocess.h"

#include <QDeadlineTimer>
#include <QProcessEnvironment>
#include <QTest>

#include <csignal>
#include <sys/prctl.h>

#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace {
constexpr int StartTimeoutMs = 15000;
} // namespace

void ChildProcess::setupChildProcess()
{
    // Runs in the child between fork and exec.
    ::prctl(PR_SET_PDEATHSIG, SIGTERM);
}

void TrayDesktop::showProgramHere(AppProcess &program) const
{
    program.setEnv(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    program.setEnv(QStringLiteral("DISPLAY"), m_display);
}

TrayDesktop::TrayDesktop()
{
    // -displayfd: the server takes the first display number no other server holds and writes it
    // to the given descriptor, here its standard output.
    m_server.setProgram(QStringLiteral("Xvfb"));
    m_server.setArguments(
        {"-displayfd", "1", "-screen", "0", "1280x1024x24", "-nolisten", "tcp", "-noreset"});
    m_server.setStandardErrorFile(QProcess::nullDevice());
    m_server.start();
    if (!m_server.waitForStarted()) {
        m_failure = QStringLiteral("Xvfb cannot be started; tools/ensure-deps.sh installs it");
        return;
    }
    QByteArray number;
    const QDeadlineTimer deadline(StartTimeoutMs);
    while (!number.contains('\n')) {
        if (m_server.state() == QProcess::NotRunning || deadline.hasExpired()) {
            m_failure = QStringLiteral("Xvfb did not report its display number");
            return;
        }
        m_server.waitForReadyRead(100);
        number += m_server.readAllStandardOutput();
    }
    m_display = QLatin1Char(':') + QString::fromLatin1(number.trimmed());

    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DISPLAY"), m_display);
    m_trayHost.setProcessEnvironment(environment);
    m_trayHost.setProgram(QStringLiteral("trayer"));
    m_trayHost.setArguments({"--edge", "top", "--align", "left", "--widthtype", "request",
                             "--height", "32", "--SetDockType", "false", "--SetPartialStrut",
                             "false"});
    m_trayHost.setStandardOutputFile(QProcess::nullDevice());
    m_trayHost.setStandardErrorFile(QProcess::nullDevice());
    m_trayHost.start();
    if (!m_trayHost.waitForStarted()) {
        m_failure = QStringLiteral("trayer cannot be started; tools/ensure-deps.sh installs it");
        return;
    }
    // The program asks whether a notification area exists when it hides: the host must own the
    // tray selection by then.
    if (!QTest::qWaitFor([this] { return trayHostOwnsTheSelection(); }, StartTimeoutMs))
        m_failure = QStringLiteral("trayer did not take the notification area");
}

TrayDesktop::~TrayDesktop()
{
    // Ended with SIGTERM, so the server removes its lock file and socket.
    for (QProcess *process : {&m_trayHost, &m_server}) {
        if (process->state() == QProcess::NotRunning)
            continue;
        process->terminate();
        if (!process->waitForFinished(5000)) {
            process->kill();
            process->waitForFinished(5000);
        }
    }
}

bool TrayDesktop::trayHostOwnsTheSelection() const
{
    Display *x = XOpenDisplay(m_display.toLatin1().constData());
    if (!x)
        return false;
    const Atom selection = XInternAtom(x, "_NET_SYSTEM_TRAY_S0", False);
    const bool owned = XGetSelectionOwner(x, selection) != None;
    XCloseDisplay(x);
    return owned;
}

QByteArray TrayDesktop::xdotool(const QStringList &arguments, bool *ok) const
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DISPLAY"), m_display);
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral("xdotool"), arguments);
    const bool ended = process.waitForFinished(10000);
    if (ok)
        *ok = ended && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
    return process.readAllStandardOutput();
}

namespace {

QString windowName(Display *x, ::Window window)
{
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char *data = nullptr;
    const Atom netName = XInternAtom(x, "_NET_WM_NAME", False);
    QString name;
    if (XGetWindowProperty(x, window, netName, 0, 1024, False, AnyPropertyType, &type, &format,
                           &count, &after, &data) == Success &&
        data) {
        if (format == 8)
            name = QString::fromUtf8(reinterpret_cast<const char *>(data), int(count));
        XFree(data);
    }
    if (name.isEmpty()) {
        char *plain = nullptr;
        if (XFetchName(x, window, &plain) && plain) {
            name = QString::fromLatin1(plain);
            XFree(plain);
        }
    }
    return name;
}

// Every viewable window below `parent` whose class name is `className`, the tray icon inside the
// tray host's window among them.
void collect(Display *x, ::Window parent, const QByteArray &className,
             QVector<TrayDesktop::Window> *found)
{
    ::Window root = None, up = None;
    ::Window *children = nullptr;
    unsigned int count = 0;
    if (!XQueryTree(x, parent, &root, &up, &children, &count))
        return;
    for (unsigned int i = 0; i < count; ++i) {
        XWindowAttributes attributes;
        if (!XGetWindowAttributes(x, children[i], &attributes) ||
            attributes.map_state != IsViewable)
            continue;
        XClassHint hint;
        if (XGetClassHint(x, children[i], &hint)) {
            if (hint.res_name && className == hint.res_name) {
                int left = 0, top = 0;
                ::Window child = None;
                XTranslateCoordinates(x, children[i], root, 0, 0, &left, &top, &child);
                found->append({QByteArray::number(qulonglong(children[i])),
                               windowName(x, children[i]),
                               QRect(left, top, attributes.width, attributes.height)});
            }
            XFree(hint.res_name);
            XFree(hint.res_class);
        }
        collect(x, children[i], className, found);
    }
    if (children)
        XFree(children);
}

} // namespace

QVector<TrayDesktop::Window> TrayDesktop::visibleWindows(const QString &className) const
{
    QVector<Window> windows;
    Display *x = XOpenDisplay(m_display.toLatin1().constData());
    if (!x)
        return windows;
    // A window may close while the tree is walked; the requests about it then fail, and Xlib's
    // default handler would end the test for it. A window gone is simply not listed.
    const XErrorHandler previous = XSetErrorHandler([](Display *, XErrorEvent *) { return 0; });
    collect(x, DefaultRootWindow(x), className.toLatin1(), &windows);
    XSync(x, False);
    XSetErrorHandler(previous);
    XCloseDisplay(x);
    return windows;
}

bool TrayDesktop::click(const QPoint &at, int button) const
{
    bool ok = false;
    xdotool({"mousemove", "--sync", QString::number(at.x()), QString::number(at.y()), "click",
             QString::number(button)},
            &ok);
    return ok;
}

bool TrayDesktop::clickUntil(const QPoint &at, int button, const std::function<bool()> &done,
                             int timeoutMs, int retryAfterMs) const
{
    const QDeadlineTimer deadline(timeoutMs);
    for (int attempt = 0; !deadline.hasExpired(); ++attempt) {
        if (!click(at + QPoint(0, attempt % 2), button))
            return false;
        if (QTest::qWaitFor(done, retryAfterMs))
            return true;
    }
    return false;
}

bool TrayDesktop::typeKeys(const QStringList &keys) const
{
    bool ok = false;
    xdotool(QStringList{"key", "--delay", "40"} + keys, &ok);
    return ok;
}

bool TrayDesktop::findWindow(const QString &className,
                             const std::function<bool(const Window &)> &which, Window *found) const
{
    for (const Window &window : visibleWindows(className)) {
        if (which(window)) {
            if (found)
                *found = window;
            return true;
        }
    }
    return false;
}

bool TrayDesktop::waitForWindow(const QString &className,
                                const std::function<bool(const Window &)> &which, Window *found,
                                int timeoutMs) const
{
    return QTest::qWaitFor([&] { return findWindow(className, which, found); }, timeoutMs);
}

bool TrayDesktop::waitUntilNoWindow(const QString &className,
                                    const std::function<bool(const Window &)> &which,
                                    int timeoutMs) const
{
    return QTest::qWaitFor([&] { return !findWindow(className, which); }, timeoutMs);
}

bool TrayDesktop::typeKeys(const QByteArray &id, const QStringList &keys) const
{
    bool ok = false;
    xdotool(QStringList{"windowfocus", "--sync", QString::fromLatin1(id), "key", "--delay", "50"} +
                keys,
            &ok);
    return ok;
}
