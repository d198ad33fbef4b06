// Start-up before the application object: what the command line lets
// through, when it ends the program and with which status, and the line that
// names a missing display.
#include "messages.h"
#include "startup.h"

#include <QCoreApplication>
#include <QTest>

#include <optional>

using namespace veltara;

Q_DECLARE_METATYPE(std::optional<int>)

class TestStartup : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void commandLine_data();
    void commandLine();
    void displayFailure_data();
    void displayFailure();
    void toolkitMessagesArePassedOn();

private:
    QStringList diagnostics;
};

void TestStartup::init()
{
    diagnostics.clear();
    SetDiagnosticHandler([this](const QString &line) { diagnostics.append(line); });
}

void TestStartup::cleanup()
{
    SetDiagnosticHandler({});
}

void TestStartup::commandLine_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<std::optional<int>>("status");
    QTest::addColumn<QString>("named"); // a word the error line must hold

    const auto args = [](std::initializer_list<const char *> words) {
        QStringList list{QStringLiteral("veltara")};
        for (const char *word : words)
            list.append(QString::fromLatin1(word));
        return list;
    };
    const std::optional<int> goesOn;

    QTest::newRow("nothing") << args({}) << goesOn << QString();
    QTest::newRow("--help") << args({"--help"}) << std::optional<int>(0) << QString();
    QTest::newRow("-h") << args({"-h"}) << std::optional<int>(0) << QString();
    QTest::newRow("--version") << args({"--version"}) << std::optional<int>(0) << QString();
    QTest::newRow("-v") << args({"-v"}) << std::optional<int>(0) << QString();
    QTest::newRow("help wins over a toolkit option") << args({"-platform", "xcb", "--help"}) << std::optional<int>(0)
                                                     << QString();
    QTest::newRow("-platform") << args({"-platform", "offscreen"}) << goesOn << QString();
    QTest::newRow("--platform") << args({"--platform", "offscreen"}) << goesOn << QString();
    QTest::newRow("-display") << args({"-display", ":3"}) << goesOn << QString();
    QTest::newRow("-style") << args({"-style", "Fusion"}) << goesOn << QString();
    QTest::newRow("-reverse and -stylesheet") << args({"-reverse", "-stylesheet", "a.qss"}) << goesOn << QString();
    QTest::newRow("-geometry") << args({"-geometry", "300x200+10+10"}) << goesOn << QString();
    QTest::newRow("unknown long option") << args({"--frobnicate"}) << std::optional<int>(2)
                                         << QStringLiteral("frobnicate");
    QTest::newRow("unknown single-dash option") << args({"-x"}) << std::optional<int>(2) << QStringLiteral("'x'");
    QTest::newRow("unknown after a known one") << args({"-style", "Fusion", "--nope"}) << std::optional<int>(2)
                                               << QStringLiteral("nope");
    QTest::newRow("a toolkit option without its value") << args({"-platform"}) << std::optional<int>(2)
                                                         << QStringLiteral("platform");
    QTest::newRow("a stray argument") << args({"some-file.txt"}) << std::optional<int>(2)
                                      << QStringLiteral("some-file.txt");
}

void TestStartup::commandLine()
{
    QFETCH(QStringList, arguments);
    QFETCH(std::optional<int>, status);
    QFETCH(QString, named);

    QCOMPARE(HandleCommandLine(arguments), status);
    if (named.isEmpty()) {
        QVERIFY2(diagnostics.isEmpty(), qPrintable(diagnostics.join(u'|')));
    } else {
        QCOMPARE(diagnostics.size(), 1);
        QVERIFY2(diagnostics.constFirst().contains(named), qPrintable(diagnostics.constFirst()));
        QVERIFY(!diagnostics.constFirst().contains(u'\n'));
    }
}

void TestStartup::displayFailure_data()
{
    QTest::addColumn<QString>("platform");
    QTest::addColumn<QString>("displayArgument");
    QTest::addColumn<QString>("x11");
    QTest::addColumn<QString>("wayland");
    QTest::addColumn<QString>("named");

    const QString none;
    const QString neither = QStringLiteral("neither DISPLAY nor WAYLAND_DISPLAY is set");
    QTest::newRow("no display at all") << none << none << none << none << neither;
    QTest::newRow("xcb asked for, nothing set") << QStringLiteral("xcb") << none << none << none << neither;
    QTest::newRow("wayland asked for, nothing set") << QStringLiteral("wayland") << none << none << none << neither;
    QTest::newRow("an X display that does not open") << none << none << QStringLiteral(":42") << none
                                                     << QStringLiteral("X display \":42\"");
    QTest::newRow("-display names the display") << QStringLiteral("xcb") << QStringLiteral(":7")
                                                << QStringLiteral(":1") << none << QStringLiteral("X display \":7\"");
    QTest::newRow("xcb with only a Wayland display") << QStringLiteral("xcb") << none << none
                                                     << QStringLiteral("wayland-1") << QStringLiteral("DISPLAY is not set");
    QTest::newRow("a Wayland display that does not open") << none << none << none << QStringLiteral("wayland-5")
                                                           << QStringLiteral("Wayland display \"wayland-5\"");
    QTest::newRow("platform with options") << QStringLiteral("xcb:foo=1") << none << QStringLiteral(":9") << none
                                           << QStringLiteral("X display \":9\"");
    QTest::newRow("a platform list tries wayland first")
        << QStringLiteral("wayland;xcb") << none << QStringLiteral(":1") << QStringLiteral("wayland-0")
        << QStringLiteral("Wayland display \"wayland-0\"");
    QTest::newRow("another platform") << QStringLiteral("eglfs") << none << QStringLiteral(":0") << none
                                      << QStringLiteral("platform \"eglfs\"");
}

void TestStartup::displayFailure()
{
    QFETCH(QString, platform);
    QFETCH(QString, displayArgument);
    QFETCH(QString, x11);
    QFETCH(QString, wayland);
    QFETCH(QString, named);

    const QString line = DisplayFailure(platform, displayArgument, x11, wayland);
    QVERIFY2(line.contains(named), qPrintable(line));
    QVERIFY(!line.contains(u'\n'));
}

void TestStartup::toolkitMessagesArePassedOn()
{
    // What the toolkit says while the application object is made is held
    // back, then passed on once it stands; nothing is lost.
    char program[] = "veltara";
    char *argv[] = {program, nullptr};
    QTest::ignoreMessage(QtWarningMsg, "said while starting");
    {
        const DisplayWatch watch(1, argv);
        qWarning("said while starting");
    }
    QVERIFY(diagnostics.isEmpty());
}

QTEST_GUILESS_MAIN(TestStartup)
#include "tst_startup.moc"
