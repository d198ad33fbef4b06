// The update reminder of start-up: when it asks, what it stores, in which
// order it stores and opens, and how it copes with a bad or locked store.
// On Linux the store is a file in a temporary folder; on Windows it is the
// program's key in the per-user registry, emptied before every case.
#include "messagespy.h"
#include "testplatform.h"
#include "updatereminder.h"
#include "urlrecorder.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace veltara;

namespace {

// The store lives under the program file's base name.
const QString StoreName = QStringLiteral("tst_reminder");
const QString DurationKey = QStringLiteral("Settings/Duration");
const QString DownloadPage =
    QStringLiteral("http://www.quorvale.com/veltara-free-numerology-software/ssd.php?page=download-web-page");
const ShownMessage Reminder{
    QStringLiteral("There maybe an update to this software available\rDo you want to check for an update?"), 68,
    QStringLiteral("Veltara Numerology Software")};

// The fixed "today" of most cases.
const QDate Today(2026, 3, 10);

QString Iso(const QDate &date)
{
    return date.toString(Qt::ISODate);
}

// Any file written by anyone gets a fresh modification time.
const QDateTime LongAgo(QDate(2000, 1, 1), QTime(0, 0), Qt::UTC);

} // namespace

class TestUpdateReminder : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void firstStart();
    void distance_data();
    void distance();
    void answerYesStoresTodayBeforeOpening();
    void dueAgainOnTheFifteenthDay();
    void unreadableValue_data();
    void unreadableValue();
    void storeNeitherReadableNorWritable();
    void storeReadableButNotWritable_data();
    void storeReadableButNotWritable();
    void writesOnlyTheDurationOfTheSettingsFile();

private:
    QString userFolder() const { return root->filePath(QStringLiteral("user")); }
    QString systemFolder() const { return root->filePath(QStringLiteral("system")); }
    // Where the per-user store keeps the program's values.
    QString storeFile() const { return userFolder() + u'/' + StoreName + u'/' + StoreName + QStringLiteral(".conf"); }
    // The program's own registry key, read and written beside the program,
    // or the store file as it lies on disk.
    std::unique_ptr<QSettings> openStore() const
    {
        if (testplatform::SettingsInRegistry())
            return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope, StoreName, StoreName);
        return std::make_unique<QSettings>(storeFile(), QSettings::IniFormat);
    }
    QString stored() const { return openStore()->value(DurationKey).toString(); }
    void store(const QString &text) const
    {
        const std::unique_ptr<QSettings> store = openStore();
        store->setValue(DurationKey, text);
        store->sync();
        QCOMPARE(store->status(), QSettings::NoError);
    }
    // Backdates the store file, so that any later write shows. A registry
    // key's write time is not to be had through the toolkit.
    void backdate() const
    {
        if (testplatform::SettingsInRegistry())
            return;
        QFile file(storeFile());
        QVERIFY(file.open(QIODevice::ReadWrite));
        QVERIFY(file.setFileTime(LongAgo, QFileDevice::FileModificationTime));
    }
    bool untouched() const
    {
        return testplatform::SettingsInRegistry() || QFileInfo(storeFile()).lastModified().toUTC() == LongAgo;
    }

    std::unique_ptr<QTemporaryDir> root;
    std::unique_ptr<UrlRecorder> browser;
    std::unique_ptr<MessageSpy> messages;
};

void TestUpdateReminder::initTestCase()
{
    // Nothing may reach the real per-user or system store.
    root = std::make_unique<QTemporaryDir>();
    QVERIFY(root->isValid());
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, userFolder());
    QSettings::setPath(QSettings::NativeFormat, QSettings::SystemScope, systemFolder());
}

void TestUpdateReminder::init()
{
    // A new, empty store for every case.
    root = std::make_unique<QTemporaryDir>();
    QVERIFY(root->isValid());
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, userFolder());
    QSettings::setPath(QSettings::NativeFormat, QSettings::SystemScope, systemFolder());
    if (testplatform::SettingsInRegistry()) {
        openStore()->remove(QString());
        QVERIFY(openStore()->allKeys().isEmpty());
    }
    browser = std::make_unique<UrlRecorder>();
    messages = std::make_unique<MessageSpy>();
}

void TestUpdateReminder::cleanup()
{
    browser.reset();
    messages.reset();
}

void TestUpdateReminder::firstStart()
{
    CheckUpdateReminder(Today);

    QVERIFY(messages->shown.isEmpty());
    QVERIFY(browser->opened.isEmpty());
    QCOMPARE(stored(), QStringLiteral("2026-03-10"));
}

void TestUpdateReminder::distance_data()
{
    QTest::addColumn<QDate>("today");
    QTest::addColumn<int>("days"); // stored date minus today
    QTest::addColumn<bool>("asks");

    QTest::newRow("15 days ago") << Today << -15 << true;
    QTest::newRow("14 days ago") << Today << -14 << false;
    QTest::newRow("today") << Today << 0 << false;
    QTest::newRow("14 days ahead") << Today << 14 << false;
    QTest::newRow("15 days ahead after the clock was set back") << Today << 15 << true;
    QTest::newRow("years ago") << Today << -3650 << true;
    QTest::newRow("15 days ago across the year end") << QDate(2026, 1, 5) << -15 << true;
    QTest::newRow("14 days ago across the year end") << QDate(2026, 1, 4) << -14 << false;
    QTest::newRow("15 days ago across a leap day") << QDate(2024, 3, 10) << -15 << true;
    QTest::newRow("14 days ahead across a leap day") << QDate(2024, 2, 20) << 14 << false;
}

void TestUpdateReminder::distance()
{
    QFETCH(QDate, today);
    QFETCH(int, days);
    QFETCH(bool, asks);

    const QString before = Iso(today.addDays(days));
    store(before);
    backdate();

    CheckUpdateReminder(today);

    if (asks) {
        QCOMPARE(messages->shown, QList<ShownMessage>{Reminder});
        QCOMPARE(stored(), Iso(today));
    } else {
        QVERIFY(messages->shown.isEmpty());
        QCOMPARE(stored(), before);
        QVERIFY2(untouched(), "nothing is written while no reminder is due");
    }
    QVERIFY(browser->opened.isEmpty()); // the answer is No
}

void TestUpdateReminder::answerYesStoresTodayBeforeOpening()
{
    store(Iso(Today.addDays(-30)));
    messages->answers = {MsgAnswer::Yes};
    QString storedWhileOpening;
    browser->onOpen = [&](const QUrl &) { storedWhileOpening = stored(); };

    CheckUpdateReminder(Today);

    QCOMPARE(messages->shown, QList<ShownMessage>{Reminder});
    QCOMPARE(browser->openedTexts(), QStringList{DownloadPage});
    QCOMPARE(storedWhileOpening, Iso(Today));
    QCOMPARE(stored(), Iso(Today));
}

void TestUpdateReminder::dueAgainOnTheFifteenthDay()
{
    // What one start writes, the next start reads back as the same date.
    CheckUpdateReminder(Today);
    CheckUpdateReminder(Today.addDays(14));
    QVERIFY(messages->shown.isEmpty());

    CheckUpdateReminder(Today.addDays(15));
    QCOMPARE(messages->shown.size(), 1);
    CheckUpdateReminder(Today.addDays(29));
    QCOMPARE(messages->shown.size(), 1); // counted from the reminder, not the first start
}

void TestUpdateReminder::unreadableValue_data()
{
    QTest::addColumn<QString>("text");

    QTest::newRow("regional short date") << QStringLiteral("12/7/26");
    QTest::newRow("not a date at all") << QStringLiteral("garbage");
    QTest::newRow("month 13 day 45") << QStringLiteral("2026-13-45");
    QTest::newRow("30 February") << QStringLiteral("2026-02-30");
    QTest::newRow("date and time") << QStringLiteral("2026-01-01T10:00:00");
}

void TestUpdateReminder::unreadableValue()
{
    QFETCH(QString, text);
    store(text);

    CheckUpdateReminder(Today);

    QVERIFY(messages->shown.isEmpty());
    QVERIFY(browser->opened.isEmpty());
    QCOMPARE(stored(), Iso(Today)); // treated like a first start
}

void TestUpdateReminder::storeNeitherReadableNorWritable()
{
    if (testplatform::SettingsInRegistry())
        QSKIP("Linux only: the store is a file there; on Windows it is a registry key");
    // A folder where the store file should be: neither read nor written,
    // whoever runs the test.
    QVERIFY(QDir().mkpath(storeFile()));
    messages->answers = {MsgAnswer::Yes};

    CheckUpdateReminder(Today);

    QVERIFY(messages->shown.isEmpty());
    QVERIFY(browser->opened.isEmpty());
    QVERIFY(QFileInfo(storeFile()).isDir());
}

void TestUpdateReminder::storeReadableButNotWritable_data()
{
    QTest::addColumn<int>("answer");
    QTest::addColumn<QStringList>("opened");

    QTest::newRow("Yes opens the page although the date cannot be stored") << MsgAnswer::Yes << QStringList{DownloadPage};
    QTest::newRow("No") << MsgAnswer::No << QStringList();
}

void TestUpdateReminder::storeReadableButNotWritable()
{
    QFETCH(int, answer);
    QFETCH(QStringList, opened);
    if (testplatform::SettingsInRegistry())
        QSKIP("Linux only: the store is a file there; on Windows it is a registry key");

    // The per-user store falls back on the system-wide one for reading, which
    // holds an old date. Writes go to the per-user file only, and its folder
    // cannot be made because a plain file takes its name: a store that reads
    // but refuses writes, even for root.
    const QString systemFile = systemFolder() + u'/' + StoreName + u'/' + StoreName + QStringLiteral(".conf");
    {
        QSettings system(systemFile, QSettings::IniFormat);
        system.setValue(DurationKey, Iso(Today.addDays(-30)));
        system.sync();
        QCOMPARE(system.status(), QSettings::NoError);
    }
    QVERIFY(QDir().mkpath(userFolder()));
    QFile blocker(userFolder() + u'/' + StoreName);
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    messages->answers = {answer};

    CheckUpdateReminder(Today);

    QCOMPARE(messages->shown, QList<ShownMessage>{Reminder});
    QCOMPARE(browser->openedTexts(), opened);
    QVERIFY(QFileInfo(blocker.fileName()).isFile());
    QCOMPARE(QSettings(systemFile, QSettings::IniFormat).value(DurationKey).toString(), Iso(Today.addDays(-30)));

    // Nothing was stored, so the next start asks again.
    messages->answers = {MsgAnswer::No};
    CheckUpdateReminder(Today.addDays(1));
    QCOMPARE(messages->shown, (QList<ShownMessage>{Reminder, Reminder}));
    QCOMPARE(browser->openedTexts(), opened);
}

void TestUpdateReminder::writesOnlyTheDurationOfTheSettingsFile()
{
    CheckUpdateReminder(Today);
    messages->answers = {MsgAnswer::Yes};
    CheckUpdateReminder(Today.addDays(20));
    QCOMPARE(browser->opened.size(), 1);

    if (testplatform::SettingsInRegistry()) {
        // The per-user registry, under the program's name, and no file at all.
        QCOMPARE(openStore()->fileName(), QStringLiteral("\\HKEY_CURRENT_USER\\Software\\tst_reminder\\tst_reminder"));
        QCOMPARE(openStore()->allKeys(), QStringList{DurationKey});
        QCOMPARE(QDir(root->path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot),
                 QStringList());
        return;
    }
    QStringList written;
    QDirIterator it(root->path(), QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        written.append(QDir(root->path()).relativeFilePath(it.next()));
    written.sort();
    QCOMPARE(written, (QStringList{QStringLiteral("user"), QStringLiteral("user/tst_reminder"),
                                   QStringLiteral("user/tst_reminder/tst_reminder.conf")}));
    QCOMPARE(QSettings(storeFile(), QSettings::IniFormat).allKeys(), QStringList{DurationKey});
}

QTEST_MAIN(TestUpdateReminder)
#include "tst_reminder.moc"
