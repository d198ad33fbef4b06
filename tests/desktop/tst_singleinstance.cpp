// The single-instance guard: the per-user lock, the refusal of a second copy,
// locks left by a copy that was killed or that still runs, whatever they hold,
// and a guard that cannot be set up, which must not keep the program from
// starting. The cases about files, users and home folders of Unix are skipped
// on Windows, where the store is the registry and the lock lies in the user's
// local application data.
#include "messages.h"
#include "messagespy.h"
#include "settings.h"
#include "singleinstance.h"
#include "testplatform.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>
#include <iostream>
#include <memory>
#include <optional>

using namespace veltara;

namespace {

// Run with this argument and a folder, the test program becomes another copy
// that holds the lock of that folder until its standard input closes.
constexpr char HoldLockArgument[] = "--hold-instance-lock";
// Run with this argument, the test program ends at once: a process that has
// come and gone.
constexpr char EndArgument[] = "--end";

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
    void leftoverLockIsTakenOver_data();
    void leftoverLockIsTakenOver();
    void unusableLockLetsTheProgramStart_data();
    void unusableLockLetsTheProgramStart();
    void lockOfAnotherUserIsNeverShared();
    void lockLiesBesideTheSettingsFile();
    void noHomeFolderMeansNoStore();
    void homeComesFromThePasswordDatabase();

private:
    // Starts another copy that holds the lock folder's lock.
    std::unique_ptr<QProcess> startHolder();

    QTemporaryDir settingsRoot;
    std::unique_ptr<QTemporaryDir> lockFolder;
    std::unique_ptr<MessageSpy> messages;
    QStringList diagnostics;
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
    diagnostics.clear();
    SetDiagnosticHandler([this](const QString &line) { diagnostics.append(line); });
}

void TestSingleInstance::cleanup()
{
    SetDiagnosticHandler({});
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
    if (testplatform::SettingsInRegistry())
        QSKIP("Linux only: the store is a file watched through inotify; on Windows it is the registry");
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

    testplatform::FolderWatch watch;
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

    holder->kill(); // SIGKILL, or TerminateProcess on Windows: the lock file stays behind
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

void TestSingleInstance::leftoverLockIsTakenOver_data()
{
    QTest::addColumn<QByteArray>("content");

    // The pid of a process that has ended.
    QProcess ended;
    ended.start(QCoreApplication::applicationFilePath(), {QLatin1String(EndArgument)});
    QVERIFY(ended.waitForFinished());
    const QByteArray deadPid = QByteArray::number(ended.processId());

    QTest::newRow("empty") << QByteArray();
    QTest::newRow("garbled") << QByteArray("\xff\xfe\x00garbage\x01", 11);
    QTest::newRow("cut off after the pid") << QByteArray("12");
    QTest::newRow("written on another host") << QByteArray("4242\nveltara\nanother-host\n");
    QTest::newRow("naming a process that has ended") << deadPid + "\nveltara\n";
    QTest::newRow("naming a live process that holds no lock") << QByteArray("1\nveltara\n");
    QTest::newRow("very long") << QByteArray(1 << 20, '7');
}

void TestSingleInstance::leftoverLockIsTakenOver()
{
    QFETCH(QByteArray, content);
    const QString lockFile = InstanceLock(lockFolder->path()).path();
    {
        QFile file(lockFile);
        QVERIFY(file.open(QIODevice::WriteOnly));
        QCOMPARE(file.write(content), content.size());
        QVERIFY(file.setFileTime(QDateTime::currentDateTimeUtc().addSecs(-3600), QFileDevice::FileModificationTime));
    }

    QVERIFY(EnsureSingleInstance());
    QVERIFY(messages->shown.isEmpty());
    QVERIFY(diagnostics.isEmpty());
    // And it is held now: the next copy is refused.
    QVERIFY(!InstanceLock(lockFolder->path()).tryAcquire());
}

void TestSingleInstance::unusableLockLetsTheProgramStart_data()
{
    QTest::addColumn<QString>("setup");

    QTest::newRow("folder cannot be made: a file takes its name") << QStringLiteral("file-as-folder");
    QTest::newRow("a folder where the lock file should be") << QStringLiteral("folder-as-file");
    QTest::newRow("a link where the lock file should be") << QStringLiteral("link");
}

void TestSingleInstance::unusableLockLetsTheProgramStart()
{
    QFETCH(QString, setup);
    const QString folder = lockFolder->filePath(QStringLiteral("store"));
    const QString lockFile = InstanceLock(folder).path();
    if (setup == u"file-as-folder") {
        QFile file(folder);
        QVERIFY(file.open(QIODevice::WriteOnly));
    } else if (setup == u"folder-as-file") {
        QVERIFY(QDir().mkpath(lockFile));
    } else if (setup == u"link") {
        if (testplatform::LinksAreShortcuts())
            QSKIP("Linux only: a Windows shortcut is a file of its own, not a link the lock could follow");
        QVERIFY(QDir().mkpath(folder));
        QVERIFY(QFile::link(lockFolder->filePath(QStringLiteral("elsewhere.lock")), lockFile));
    }
    SetInstanceLockFolder(folder);

    QVERIFY(EnsureSingleInstance());
    QVERIFY2(messages->shown.isEmpty(), "a lone copy was refused");
    QCOMPARE(diagnostics.size(), 1);
    QVERIFY2(diagnostics.constFirst().contains(QStringLiteral("guard is off")), qPrintable(diagnostics.constFirst()));
    QVERIFY2(!diagnostics.constFirst().contains(u'\n'), "more than one line");
    QVERIFY(!QFileInfo::exists(lockFolder->filePath(QStringLiteral("elsewhere.lock")))); // the link was not followed
}

void TestSingleInstance::lockOfAnotherUserIsNeverShared()
{
    // A lock file that belongs to someone else: this user neither waits for
    // it nor takes it; the guard is off. Only root can give a file away.
    if (testplatform::SettingsInRegistry())
        QSKIP("Linux only: on Windows the lock lies in the user's local application data, "
              "which other users cannot reach");
    if (const char *reason = testplatform::CannotGiveFilesAway())
        QSKIP(reason);
    const QString lockFile = InstanceLock(lockFolder->path()).path();
    {
        QFile file(lockFile);
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    QVERIFY(testplatform::GiveToAnotherUser(lockFile));

    InstanceLock lock(lockFolder->path());
    QCOMPARE(lock.acquire(), InstanceLock::Result::Unavailable);
    QVERIFY(EnsureSingleInstance());
    QVERIFY(messages->shown.isEmpty());
    QCOMPARE(diagnostics.size(), 1);
}

void TestSingleInstance::lockLiesBesideTheSettingsFile()
{
    SetInstanceLockFolder(QString());
    if (testplatform::SettingsInRegistry()) {
        // The store is a registry key, so the lock goes to the user's own
        // local application data, under the same names.
        QVERIFY2(SettingsFilePath().startsWith(QStringLiteral("\\HKEY_CURRENT_USER\\Software\\")),
                 qPrintable(SettingsFilePath()));
        const QString localData = QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
        QCOMPARE(DefaultInstanceLockFolder(), localData);
        QVERIFY2(localData.endsWith(QStringLiteral("/AppData/Local/tst_singleinstance")), qPrintable(localData));
        QVERIFY(EnsureSingleInstance());
        QVERIFY(!InstanceLock(localData).tryAcquire());
        QVERIFY(QFileInfo::exists(localData + QStringLiteral("/tst_singleinstance.lock")));
        return;
    }
    const QString storeFolder = settingsRoot.filePath(QStringLiteral("user/tst_singleinstance"));
    QCOMPARE(QFileInfo(SettingsFilePath()).absolutePath(), storeFolder);
    QCOMPARE(DefaultInstanceLockFolder(), storeFolder);

    // Another runtime folder (su, ssh, a second login) finds the same lock.
    const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
    qputenv("XDG_RUNTIME_DIR", lockFolder->path().toLocal8Bit());
    const QString withOtherRuntime = DefaultInstanceLockFolder();
    qunsetenv("XDG_RUNTIME_DIR");
    const QString withoutRuntime = DefaultInstanceLockFolder();
    if (runtime.isNull())
        qunsetenv("XDG_RUNTIME_DIR");
    else
        qputenv("XDG_RUNTIME_DIR", runtime);
    QCOMPARE(withOtherRuntime, storeFolder);
    QCOMPARE(withoutRuntime, storeFolder);

    QVERIFY(EnsureSingleInstance());
    QVERIFY(!InstanceLock(storeFolder).tryAcquire());
    QVERIFY(QFileInfo::exists(storeFolder + QStringLiteral("/tst_singleinstance.lock")));
}

void TestSingleInstance::noHomeFolderMeansNoStore()
{
    // Without a home folder the configuration folder would be /.config.
    if (testplatform::SettingsInRegistry())
        QSKIP("Linux only: on Windows the store is the registry, which needs no home folder");
    const bool existedBefore = QFileInfo::exists(QStringLiteral("/.config"));
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("/.config"));
    const QString path = SettingsFilePath();
    const bool saved = SaveSetting(QStringLiteral("Settings"), QStringLiteral("Duration"), QStringLiteral("2026-01-01"));
    const QString read = GetSetting(QStringLiteral("Settings"), QStringLiteral("Duration"));
    SetInstanceLockFolder(QString());
    const bool started = EnsureSingleInstance();
    const bool createdRoot = !existedBefore && QFileInfo::exists(QStringLiteral("/.config"));
    if (createdRoot)
        QDir(QStringLiteral("/.config")).removeRecursively();
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settingsRoot.filePath(QStringLiteral("user")));

    QVERIFY2(!createdRoot, "/.config was created");
    QVERIFY(path.isEmpty());
    QVERIFY(!saved);
    QVERIFY(read.isEmpty());
    QVERIFY(started);
    QVERIFY(messages->shown.isEmpty());
    QCOMPARE(diagnostics.size(), 1);
}

void TestSingleInstance::homeComesFromThePasswordDatabase()
{
    const std::optional<QByteArray> entryHome = testplatform::PasswordDatabaseHome();
    if (!entryHome)
        QSKIP("Linux only: Windows has no password database and no HOME to fill in");
    if (entryHome->isEmpty() || *entryHome == "/")
        QSKIP("this user has no home folder in the password database");
    const QByteArray home = qgetenv("HOME");

    qputenv("HOME", "/somewhere/else");
    UseHomeFromPasswordDatabase();
    const QByteArray kept = qgetenv("HOME");
    qunsetenv("HOME");
    UseHomeFromPasswordDatabase();
    const QByteArray fromUnset = qgetenv("HOME");
    qputenv("HOME", "");
    UseHomeFromPasswordDatabase();
    const QByteArray fromEmpty = qgetenv("HOME");
    qputenv("HOME", home);

    QCOMPARE(kept, QByteArray("/somewhere/else"));
    QCOMPARE(fromUnset, *entryHome);
    QCOMPARE(fromEmpty, *entryHome);
}

int main(int argc, char *argv[])
{
    if (argc == 3 && qstrcmp(argv[1], HoldLockArgument) == 0)
        return HoldLock(argc, argv);
    if (argc == 2 && qstrcmp(argv[1], EndArgument) == 0)
        return 0;
    QApplication app(argc, argv);
    TestSingleInstance test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_singleinstance.moc"
