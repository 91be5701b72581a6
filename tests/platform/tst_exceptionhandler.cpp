#include "platform/appdir.h"
#include "platform/exceptionhandler.h"
#include "tests/support/testmain.h"

#include <QDateTime>
#include <QDir>
#include <QFile>

#include <csignal>
#include <cstdint>
#include <cstdlib>
#include <ctime>
#include <sys/resource.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

enum class Crash
{
    Raise,
    BadAddress,
    Abort,
    StackOverflow,
    OtherThread
};

// Far deeper than any stack: the recursion ends by overflow, but the compiler cannot tell.
volatile int recursionLimit = 1 << 30;

// Not tail-recursive and not foldable: each level keeps a frame alive until the stack runs out.
int recurse(int depth)
{
    if (depth >= recursionLimit)
        return 0;
    volatile char frame[512];
    frame[depth % sizeof frame] = static_cast<char>(depth);
    return recurse(depth + 1) + frame[(depth + 1) % sizeof frame];
}

// An unmapped page near zero: a real fault with a known address. Not a null pointer, which the
// undefined-behaviour checker would report before the fault happens.
uintptr_t badAddress()
{
    static volatile uintptr_t address = 0x10;
    return address;
}

void crash(Crash how, int signal)
{
    switch (how) {
    case Crash::Raise:
        raise(signal);
        break;
    case Crash::BadAddress: {
        volatile char *bad = reinterpret_cast<volatile char *>(badAddress());
        *bad = 1;
        break;
    }
    case Crash::Abort:
        abort();
    case Crash::OtherThread: {
        // As a device-library callback thread would.
        std::thread worker([] { *reinterpret_cast<volatile char *>(badAddress()) = 1; });
        worker.join();
        break;
    }
    case Crash::StackOverflow: {
        const rlimit small{1 << 20, 1 << 20};
        setrlimit(RLIMIT_STACK, &small);
        recurse(0);
        break;
    }
    }
}

// Runs the crash in a child with the handler installed; returns the child's wait status.
int crashChild(Crash how, int signal)
{
    const pid_t child = fork();
    if (child == 0) {
        if (!ExceptionHandler::Install())
            _exit(3);
        crash(how, signal);
        _exit(4);
    }
    int status = 0;
    waitpid(child, &status, 0);
    return status;
}

QString dumpFolder()
{
    return UserDir::filePath(QStringLiteral("Exception"));
}

QStringList dumps()
{
    return QDir(dumpFolder()).entryList({QStringLiteral("*.dmp")}, QDir::Files, QDir::Name);
}

const QString nameFormat = QStringLiteral("yyyy_MM_dd_hh_mm_ss");

} // namespace

Q_DECLARE_METATYPE(Crash)

class TestExceptionHandler : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        // A zone half an hour off whole hours, so that a report named in UTC or with a wrong
        // offset cannot pass.
        qputenv("TZ", "ZRT-5:30");
        tzset();
    }

    void init()
    {
        QDir(dumpFolder()).removeRecursively();
        QVERIFY(QDir().mkpath(dumpFolder()));
    }

    void crashWritesOneReport_data()
    {
        QTest::addColumn<Crash>("how");
        QTest::addColumn<int>("signal");
        QTest::addColumn<QString>("signalName");
        QTest::newRow("SIGSEGV") << Crash::Raise << int(SIGSEGV) << "SIGSEGV";
        QTest::newRow("SIGBUS") << Crash::Raise << int(SIGBUS) << "SIGBUS";
        QTest::newRow("SIGFPE") << Crash::Raise << int(SIGFPE) << "SIGFPE";
        QTest::newRow("SIGILL") << Crash::Raise << int(SIGILL) << "SIGILL";
        QTest::newRow("SIGABRT") << Crash::Raise << int(SIGABRT) << "SIGABRT";
        QTest::newRow("bad address") << Crash::BadAddress << int(SIGSEGV) << "SIGSEGV";
        QTest::newRow("abort") << Crash::Abort << int(SIGABRT) << "SIGABRT";
        QTest::newRow("other thread") << Crash::OtherThread << int(SIGSEGV) << "SIGSEGV";
        QTest::newRow("stack overflow") << Crash::StackOverflow << int(SIGSEGV) << "SIGSEGV";
    }
    void crashWritesOneReport()
    {
        QFETCH(Crash, how);
        QFETCH(int, signal);
        QFETCH(QString, signalName);
        const QDateTime before = QDateTime::currentDateTime().addSecs(-1);
        const int status = crashChild(how, signal);
        const QDateTime after = QDateTime::currentDateTime().addSecs(1);

        QVERIFY2(WIFEXITED(status), "the handler must end the process itself");
        QCOMPARE(WEXITSTATUS(status), 128 + signal);
        const QStringList files = dumps();
        QCOMPARE(files.size(), 1);
        QVERIFY(files.first().endsWith(QStringLiteral(".dmp")));
        const QDateTime named = QDateTime::fromString(files.first().chopped(4), nameFormat);
        QVERIFY2(named.isValid(), qPrintable(files.first()));
        QVERIFY2(named >= before.addMSecs(-before.time().msec()) && named <= after,
                 qPrintable(files.first() + QStringLiteral(" at ") + after.toString(nameFormat)));

        QFile file(QDir(dumpFolder()).filePath(files.first()));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray report = file.readAll();
        QVERIFY2(report.startsWith(
                     QStringLiteral("signal %1 (%2)\n").arg(signal).arg(signalName).toUtf8()),
                 report.left(200).constData());
        QVERIFY(report.contains("\nthread "));
        QVERIFY(report.contains("\nbacktrace:\n"));
        // At least a few frames below the header.
        QVERIFY2(report.mid(report.indexOf("backtrace:")).count('\n') > 3, report.constData());
        QVERIFY(report.contains("\nmodules:\n"));
        const auto field = [&report](const QByteArray &name) {
            for (const QByteArray &line : report.split('\n'))
                if (line.startsWith(name + ' '))
                    return line.mid(name.size() + 1);
            return QByteArray();
        };
        const QByteArray process = field("process");
        const QByteArray thread = field("thread");
        QVERIFY(!process.isEmpty() && !thread.isEmpty());
        QCOMPARE(process == thread, how != Crash::OtherThread);
        if (how == Crash::BadAddress || how == Crash::OtherThread)
            QVERIFY(report.contains("\naddress 0x10\n"));
        if (how == Crash::Raise)
            QVERIFY(report.contains("\nsent by process "));
    }

    void deletedFolderIsRecreated()
    {
        QVERIFY(QDir(dumpFolder()).removeRecursively());
        const int status = crashChild(Crash::Raise, SIGSEGV);
        QVERIFY(WIFEXITED(status));
        QCOMPARE(dumps().size(), 1);
    }

    // Two crashes in the same second share a name; the later report replaces the earlier one
    // instead of being appended to it.
    void sameNameIsReplaced()
    {
        const QDateTime now = QDateTime::currentDateTime();
        const QByteArray old(100000, 'O');
        for (int s = 0; s < 4; ++s) {
            QFile file(QDir(dumpFolder())
                           .filePath(now.addSecs(s).toString(nameFormat) + QStringLiteral(".dmp")));
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(old);
        }
        const int status = crashChild(Crash::Raise, SIGSEGV);
        QVERIFY(WIFEXITED(status));
        const QStringList files = dumps();
        int replaced = 0;
        for (const QString &name : files) {
            QFile file(QDir(dumpFolder()).filePath(name));
            QVERIFY(file.open(QIODevice::ReadOnly));
            if (file.readAll().startsWith("signal 11 (SIGSEGV)\n")) {
                ++replaced;
                QVERIFY(file.size() < old.size());
            }
        }
        QCOMPARE(replaced, 1);
        QCOMPARE(files.size(), 4);
    }
};

ZR35_TEST_MAIN(TestExceptionHandler)
#include "tst_exceptionhandler.moc"
