#include "platform/exceptionhandler.h"

#include "platform/appdir.h"

#include <QFile>

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdint>
#include <cstring>
#include <ctime>
#include <execinfo.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace {

constexpr int fatalSignals[] = {SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT};
constexpr int maxFrames = 128;
constexpr size_t pathCapacity = 4096;
// Enough for the handler's frames plus a sanitizer's interceptors around write/backtrace.
constexpr size_t altStackSize = 256 * 1024;

char dumpFolder[pathCapacity];
long utcOffsetSeconds = 0;
alignas(16) char altStack[altStackSize];
// The thread id of the thread writing a report; 0 while none is.
std::atomic<long> reportingThread{0};

bool writeAll(int fd, const char *data, size_t length)
{
    size_t done = 0;
    while (done < length) {
        const ssize_t n = write(fd, data + done, length - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += static_cast<size_t>(n);
    }
    return true;
}

// A fixed buffer for building one line without snprintf, which is not async-signal-safe.
struct Line
{
    char text[pathCapacity + 64];
    size_t length = 0;

    void add(const char *s)
    {
        while (*s && length < sizeof text)
            text[length++] = *s++;
    }
    void addUnsigned(unsigned long long value, unsigned base = 10, int minDigits = 1)
    {
        char digits[32];
        int n = 0;
        do {
            digits[n++] = "0123456789abcdef"[value % base];
            value /= base;
        } while (value != 0 && n < 32);
        while (n < minDigits && n < 32)
            digits[n++] = '0';
        while (n > 0 && length < sizeof text)
            text[length++] = digits[--n];
    }
    void addSigned(long long value)
    {
        if (value < 0) {
            add("-");
            addUnsigned(0ULL - static_cast<unsigned long long>(value));
        } else {
            addUnsigned(static_cast<unsigned long long>(value));
        }
    }
    void writeTo(int fd) const { writeAll(fd, text, length); }
};

const char *signalName(int signal)
{
    switch (signal) {
    case SIGSEGV:
        return "SIGSEGV";
    case SIGBUS:
        return "SIGBUS";
    case SIGFPE:
        return "SIGFPE";
    case SIGILL:
        return "SIGILL";
    case SIGABRT:
        return "SIGABRT";
    default:
        return "signal";
    }
}

// Civil date from days since 1970-01-01 (proleptic Gregorian), because localtime is not
// async-signal-safe.
void civilFromDays(long long days, long long *year, unsigned *month, unsigned *day)
{
    days += 719468;
    const long long era = (days >= 0 ? days : days - 146096) / 146097;
    const unsigned dayOfEra = static_cast<unsigned>(days - era * 146097);
    const unsigned yearOfEra =
        (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const unsigned dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const unsigned monthIndex = (5 * dayOfYear + 2) / 153;
    *day = dayOfYear - (153 * monthIndex + 2) / 5 + 1;
    *month = monthIndex < 10 ? monthIndex + 3 : monthIndex - 9;
    *year = static_cast<long long>(yearOfEra) + era * 400 + (*month <= 2 ? 1 : 0);
}

// <folder>/yyyy_MM_dd_hh_mm_ss.dmp for the local time `seconds`.
void buildDumpPath(time_t seconds, Line *path)
{
    const long long local = static_cast<long long>(seconds) + utcOffsetSeconds;
    long long days = local / 86400;
    long long secondOfDay = local % 86400;
    if (secondOfDay < 0) {
        secondOfDay += 86400;
        --days;
    }
    long long year = 0;
    unsigned month = 0;
    unsigned day = 0;
    civilFromDays(days, &year, &month, &day);
    path->add(dumpFolder);
    path->add("/");
    path->addUnsigned(static_cast<unsigned long long>(year), 10, 4);
    path->add("_");
    path->addUnsigned(month, 10, 2);
    path->add("_");
    path->addUnsigned(day, 10, 2);
    path->add("_");
    path->addUnsigned(static_cast<unsigned long long>(secondOfDay / 3600), 10, 2);
    path->add("_");
    path->addUnsigned(static_cast<unsigned long long>(secondOfDay / 60 % 60), 10, 2);
    path->add("_");
    path->addUnsigned(static_cast<unsigned long long>(secondOfDay % 60), 10, 2);
    path->add(".dmp");
}

// Creates the dump folder and any missing parent: the user may have deleted it while we ran.
void makeDumpFolder()
{
    char partial[pathCapacity];
    const size_t length = strlen(dumpFolder);
    for (size_t i = 1; i <= length; ++i) {
        if (dumpFolder[i] != '/' && dumpFolder[i] != '\0')
            continue;
        memcpy(partial, dumpFolder, i);
        partial[i] = '\0';
        mkdir(partial, 0700);
    }
}

void writeReport(int fd, int signal, const siginfo_t *info, long threadId)
{
    Line line;
    line.add("signal ");
    line.addUnsigned(static_cast<unsigned>(signal));
    line.add(" (");
    line.add(signalName(signal));
    line.add(")\ncode ");
    line.addSigned(info ? info->si_code : 0);
    // The fault address exists only for faults the kernel raised; a signal sent by raise(),
    // abort() or kill has a sender instead.
    if (info && info->si_code > 0) {
        line.add("\naddress 0x");
        line.addUnsigned(reinterpret_cast<uintptr_t>(info->si_addr), 16);
    } else if (info) {
        line.add("\nsent by process ");
        line.addUnsigned(static_cast<unsigned long long>(info->si_pid));
    }
    line.add("\nprocess ");
    line.addUnsigned(static_cast<unsigned long long>(getpid()));
    line.add("\nthread ");
    line.addSigned(threadId);
    line.add("\nbacktrace:\n");
    line.writeTo(fd);

    void *frames[maxFrames];
    const int count = backtrace(frames, maxFrames);
    backtrace_symbols_fd(frames, count, fd);

    // The memory map turns the backtrace's module offsets into source lines later.
    static const char modulesHeader[] = "modules:\n";
    writeAll(fd, modulesHeader, sizeof modulesHeader - 1);
    const int maps = open("/proc/self/maps", O_RDONLY | O_CLOEXEC);
    if (maps < 0)
        return;
    char buffer[4096];
    for (;;) {
        const ssize_t n = read(maps, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0 || !writeAll(fd, buffer, static_cast<size_t>(n)))
            break;
    }
    close(maps);
}

void onFatalSignal(int signal, siginfo_t *info, void *)
{
    const long self = static_cast<long>(syscall(SYS_gettid));
    long none = 0;
    if (!reportingThread.compare_exchange_strong(none, self)) {
        // The report itself crashed: end without a second report.
        if (none == self)
            _exit(128 + signal);
        // Another thread is writing the report and will end the process; wait for it.
        for (;;)
            pause();
    }

    Line path;
    buildDumpPath(time(nullptr), &path);
    path.text[path.length < sizeof path.text ? path.length : sizeof path.text - 1] = '\0';

    makeDumpFolder();
    // A crash within the same second replaces the earlier report of that second.
    const int fd = open(path.text, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd >= 0) {
        writeReport(fd, signal, info, self);
        close(fd);
    }
    _exit(128 + signal);
}

long currentUtcOffset()
{
    const time_t now = time(nullptr);
    tm local{};
    if (!localtime_r(&now, &local))
        return 0;
    return local.tm_gmtoff;
}

} // namespace

bool ExceptionHandler::Install()
{
    const QByteArray folder = QFile::encodeName(UserDir::filePath(QStringLiteral("Exception")));
    if (folder.size() >= static_cast<int>(pathCapacity) - 32)
        return false;
    memcpy(dumpFolder, folder.constData(), static_cast<size_t>(folder.size()) + 1);
    tzset();
    utcOffsetSeconds = currentUtcOffset();

    // The first call loads the unwinder library (it allocates); doing it now keeps the handler's
    // call free of that.
    void *frames[4];
    backtrace(frames, 4);

    stack_t stack{};
    stack.ss_sp = altStack;
    stack.ss_size = sizeof altStack;
    stack.ss_flags = 0;
    sigaltstack(&stack, nullptr);

    struct sigaction action
    {
    };
    action.sa_sigaction = onFatalSignal;
    action.sa_flags = SA_SIGINFO | SA_ONSTACK;
    sigemptyset(&action.sa_mask);
    for (const int signal : fatalSignals)
        sigaddset(&action.sa_mask, signal);

    bool allInstalled = true;
    for (const int signal : fatalSignals) {
        struct sigaction current
        {
        };
        // A sanitizer may silently keep its own handler; reading back tells.
        if (sigaction(signal, &action, nullptr) != 0 || sigaction(signal, nullptr, &current) != 0 ||
            !(current.sa_flags & SA_SIGINFO) || current.sa_sigaction != onFatalSignal)
            allInstalled = false;
    }
    return allInstalled;
}
