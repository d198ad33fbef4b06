// The single-instance guard: the per-user lock, the refusal of a second copy,
// and locks left by a copy that was killed or that still runs.
#include "messagespy.h"
#include "singleinstance.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <sys/inotify.h>
#include <unistd.h>

#include <cstdio>
#include <iostream>
#include <memory>

using namespace veltara;

namespace {

// Run with this argument and a folder, the test program becomes another copy
// that holds the lock of that folder until its standard input closes.
constexpr char HoldLockArgument[] = "--hold-instance-lock";

int HoldLock(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    InstanceLock lock(QString::fromLocal8Bit(argv[2]));
    if (!lock.tryAcquire())
        return 1;
    std::puts("locked");
    std::fflush(stdout);
    char c;
    while (std::cin.get(c)) {
    }
    return 0;
}

const ShownMessage Refusal{QStringLiteral("Application is already running"), 64,
                           QStringLiteral("Veltara Numerology Software")};

// Reports every open, read, write, creation or removal of a file in the
// folders it watches.
class FolderWatch {
public:
    FolderWatch() : m_fd(inotify_init1(IN_NONBLOCK | IN_CLOEXEC)) {}
    ~FolderWatch()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    FolderWatch(const FolderWatch &) = delete;
    FolderWatch &operator=(const FolderWatch &) = delete;

    bool watch(const QString &folder)
    {
        return m_fd >= 0 && inotify_add_watch(m_fd, QFile::encodeName(folder).constData(),
                                              IN_OPEN | IN_ACCESS | IN_MODIFY | IN_ATTRIB | IN_CREATE | IN_DELETE |
                                                  IN_MOVED_FROM | IN_MOVED_TO) >= 0;
    }
    // True when anything happened since the last call.
    bool touched()
    {
        alignas(inotify_event) char buffer[4096];
        bool any = false;
        while (::read(m_fd, buffer, sizeof buffer) > 0)
            any = true;
        return any;
    }

private:
    int m_fd;
};

} // namespace

class TestSingleInstance : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void secondLockInOneProcessIsRefused();
    void firstStartProceedsSilently();
    void secondStartIsRefused();
    void refusedStartLeavesTheStoreAlone();
    void lockOfAKilledCopyIsTakenOver();
    void runningCopyElsewhereIsNotTakenOver();

private:
    // Starts another copy that holds the lock folder's lock.
    std::unique_ptr<QProcess> startHolder();

    QTemporaryDir settingsRoot;
    std::unique_ptr<QTemporaryDir> lockFolder;
    std::unique_ptr<MessageSpy> messages;
};

void TestSingleInstance::initTestCase()
{
    QVERIFY(settingsRoot.isValid());
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settingsRoot.filePath(QStringLiteral("user")));
    QSettings::setPath(QSettings::NativeFormat, QSettings::SystemScope, settingsRoot.filePath(QStringLiteral("system")));
}

void TestSingleInstance::init()
{
    lockFolder = std::make_unique<QTemporaryDir>();
    QVERIFY(lockFolder->isValid());
    SetInstanceLockFolder(lockFolder->path());
    messages = std::make_unique<MessageSpy>();
}

void TestSingleInstance::cleanup()
{
    ReleaseSingleInstance();
    SetInstanceLockFolder(QString());
    messages.reset();
    lockFolder.reset();
}

std::unique_ptr<QProcess> TestSingleInstance::startHolder()
{
    auto holder = std::make_unique<QProcess>();
    holder->setProgram(QCoreApplication::applicationFilePath());
    holder->setArguments({QLatin1String(HoldLockArgument), lockFolder->path()});
    holder->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    holder->start();
    if (!holder->waitForStarted() || !holder->waitForReadyRead() || holder->readLine().trimmed() != "locked")
        return nullptr;
    return holder;
}

void TestSingleInstance::secondLockInOneProcessIsRefused()
{
    auto first = std::make_unique<InstanceLock>(lockFolder->path());
    InstanceLock second(lockFolder->path());
    QCOMPARE(second.path(), first->path());

    QVERIFY(first->tryAcquire());
    QVERIFY(!second.tryAcquire());
    QVERIFY(first->tryAcquire()); // the holder is never its own predecessor
    QVERIFY(!second.tryAcquire());

    first.reset();
    QVERIFY(second.tryAcquire());
}

void TestSingleInstance::firstStartProceedsSilently()
{
    QVERIFY(EnsureSingleInstance());
    QVERIFY(EnsureSingleInstance()); // this copy does not refuse itself
    QVERIFY(messages->shown.isEmpty());

    InstanceLock other(lockFolder->path());
    QVERIFY(!other.tryAcquire());
}

void TestSingleInstance::secondStartIsRefused()
{
    auto running = std::make_unique<InstanceLock>(lockFolder->path());
    QVERIFY(running->tryAcquire());

    QVERIFY(!EnsureSingleInstance());
    ReleaseSingleInstance();
    QVERIFY(!EnsureSingleInstance()); // a third copy, the same again
    ReleaseSingleInstance();
    QCOMPARE(messages->shown, (QList<ShownMessage>{Refusal, Refusal}));

    // The running copy goes on holding its lock.
    QVERIFY(running->tryAcquire());
    QVERIFY(!InstanceLock(lockFolder->path()).tryAcquire());

    // Once it has ended, the next start proceeds.
    running.reset();
    QVERIFY(EnsureSingleInstance());
    QCOMPARE(messages->shown.size(), 2);
}

void TestSingleInstance::refusedStartLeavesTheStoreAlone()
{
    // A store holding a reminder date long due, written straight to disk so
    // that this process has never read it.
    const QString storeFolder = settingsRoot.filePath(QStringLiteral("user/tst_singleinstance"));
    const QString storeFile = storeFolder + QStringLiteral("/tst_singleinstance.conf");
    const QByteArray content = "[Settings]\nDuration=2000-01-01\n";
    QVERIFY(QDir().mkpath(storeFolder));
    {
        QFile file(storeFile);
        QVERIFY(file.open(QIODevice::WriteOnly));
        QCOMPARE(file.write(content), content.size());
    }
    InstanceLock running(lockFolder->path());
    QVERIFY(running.tryAcquire());

    FolderWatch watch;
    QVERIFY(watch.watch(storeFolder));
    QVERIFY(watch.watch(settingsRoot.filePath(QStringLiteral("user"))));
    QVERIFY(!EnsureSingleInstance());
    const bool touchedByRefusal = watch.touched();

    QVERIFY2(!touchedByRefusal, "the refused start opened, read or wrote the settings store");
    QCOMPARE(messages->shown, QList<ShownMessage>{Refusal}); // and no reminder
    QFile file(storeFile);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), content);
    file.close();

    // The watch does see the store being read.
    watch.touched();
    QSettings store(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("tst_singleinstance"),
                    QStringLiteral("tst_singleinstance"));
    QCOMPARE(store.value(QStringLiteral("Settings/Duration")).toString(), QStringLiteral("2000-01-01"));
    QVERIFY(watch.touched());
}

void TestSingleInstance::lockOfAKilledCopyIsTakenOver()
{
    std::unique_ptr<QProcess> holder = startHolder();
    QVERIFY(holder);
    InstanceLock lock(lockFolder->path());
    QVERIFY(!lock.tryAcquire());

    holder->kill(); // SIGKILL: the lock file stays behind
    QVERIFY(holder->waitForFinished());
    QCOMPARE(holder->exitStatus(), QProcess::CrashExit);
    QVERIFY(QFileInfo::exists(lock.path()));

    QVERIFY(lock.tryAcquire());
}

void TestSingleInstance::runningCopyElsewhereIsNotTakenOver()
{
    // Another process that has been running for an hour.
    std::unique_ptr<QProcess> holder = startHolder();
    QVERIFY(holder);
    const QString lockFile = InstanceLock(lockFolder->path()).path();
    {
        QFile file(lockFile);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(file.setFileTime(QDateTime::currentDateTimeUtc().addSecs(-3600), QFileDevice::FileModificationTime));
    }

    QVERIFY(!EnsureSingleInstance());
    QCOMPARE(messages->shown, QList<ShownMessage>{Refusal});
    QVERIFY(QFileInfo::exists(lockFile)); // its lock is left in place

    holder->closeWriteChannel();
    QVERIFY(holder->waitForFinished());
    QCOMPARE(holder->exitCode(), 0);
}

int main(int argc, char *argv[])
{
    if (argc == 3 && qstrcmp(argv[1], HoldLockArgument) == 0)
        return HoldLock(argc, argv);
    QApplication app(argc, argv);
    TestSingleInstance test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_singleinstance.moc"
