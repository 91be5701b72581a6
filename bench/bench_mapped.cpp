// Starts a program and times it from exec to its first top-level window mapped on the X server
// (the MapNotify the server sends to the root window), then reads the program's resident size
// after a pause and ends it. With no window manager every top-level window is a child of the
// root window, so the first non-override-redirect map is the program's window.
// Usage: bench_mapped <seconds before the memory reading> <program> [arguments...]
// Prints: "mapped <ms> rss <MiB> window <width>x<height>".
#include <X11/Xlib.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

double nowMs()
{
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

// VmRSS of the process in KiB, or -1.
long residentKiB(pid_t pid)
{
    char path[64];
    std::snprintf(path, sizeof path, "/proc/%d/status", int(pid));
    FILE *file = std::fopen(path, "r");
    if (!file)
        return -1;
    char line[256];
    long kib = -1;
    while (std::fgets(line, sizeof line, file))
        if (std::strncmp(line, "VmRSS:", 6) == 0)
            kib = std::strtol(line + 6, nullptr, 10);
    std::fclose(file);
    return kib;
}

void endChild(pid_t pid)
{
    kill(pid, SIGTERM);
    for (int i = 0; i < 300; ++i) {
        if (waitpid(pid, nullptr, WNOHANG) == pid)
            return;
        usleep(10000);
    }
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
}

} // namespace

int main(int argc, char **argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s <seconds> <program> [arguments...]\n", argv[0]);
        return 2;
    }
    const double pauseSeconds = std::atof(argv[1]);
    Display *display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "no X display\n");
        return 1;
    }
    const Window root = DefaultRootWindow(display);
    XSelectInput(display, root, SubstructureNotifyMask);
    XSync(display, False);

    const double start = nowMs();
    const pid_t pid = fork();
    if (pid < 0)
        return 1;
    if (pid == 0) {
        const int null = open("/dev/null", O_WRONLY);
        dup2(null, STDOUT_FILENO);
        dup2(null, STDERR_FILENO);
        execvp(argv[2], argv + 2);
        _exit(127);
    }

    double mapped = -1;
    int width = 0;
    int height = 0;
    const int connection = ConnectionNumber(display);
    while (mapped < 0 && nowMs() - start < 20000) {
        while (XPending(display)) {
            XEvent event;
            XNextEvent(display, &event);
            if (event.type == MapNotify && !event.xmap.override_redirect && mapped < 0) {
                mapped = nowMs() - start;
                XWindowAttributes attributes{};
                if (XGetWindowAttributes(display, event.xmap.window, &attributes)) {
                    width = attributes.width;
                    height = attributes.height;
                }
            }
        }
        if (mapped >= 0)
            break;
        pollfd wait{connection, POLLIN, 0};
        poll(&wait, 1, 100);
        if (waitpid(pid, nullptr, WNOHANG) == pid) {
            std::fprintf(stderr, "the program ended before it showed a window\n");
            return 1;
        }
    }
    if (mapped < 0) {
        std::fprintf(stderr, "no window mapped\n");
        endChild(pid);
        return 1;
    }
    usleep(useconds_t(pauseSeconds * 1e6));
    const long kib = residentKiB(pid);
    endChild(pid);
    XCloseDisplay(display);
    std::printf("mapped %.2f rss %.1f window %dx%d\n", mapped, kib / 1024.0, width, height);
    return 0;
}
