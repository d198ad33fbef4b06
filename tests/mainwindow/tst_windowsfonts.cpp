// The fonts of the main window on Windows: the system's own Tahoma, in its
// regular and bold faces, and no twin registered from files. Windows only
// by nature; it needs the Windows platform, so a display under Wine.
#include "classicui.h"
#include "designedfonts.h"
#include "mainwindowfixture.h"
#include "messagespy.h"

#include <QApplication>
#include <QFontDatabase>
#include <QFontInfo>
#include <QTest>

#include <memory>

using namespace mainwindowtest;

class TestWindowsFonts : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void noTwinIsRegistered();
    void windowDrawsInTahoma_data();
    void windowDrawsInTahoma();

private:
    std::unique_ptr<MessageSpy> spy;
    std::unique_ptr<veltara::MainWindow> window;
    std::unique_ptr<MainWindowUi> ui;
};

void TestWindowsFonts::initTestCase()
{
    if (QGuiApplication::platformName() != u"windows")
        QSKIP("Windows only: needs the Windows platform, whose fonts are the system's; "
              "on Linux the windows take Wine's twin of Tahoma (see tst_look)");
    spy = std::make_unique<MessageSpy>();
    veltara::SetApplicationFolder(BuildApplicationFolder());
    QVERIFY(ShowMainWindow(window, ui));
}

void TestWindowsFonts::noTwinIsRegistered()
{
    QVERIFY(veltara::DesignedFontFolder().isEmpty());
    QVERIFY(!veltara::RegisterDesignedFonts(veltara::DesignedFontFolder()));
    // Nothing was added to the system's fonts by the window.
    QVERIFY(QFontDatabase::applicationFontFamilies(0).isEmpty());
    QVERIFY(QFontDatabase::families().contains(QStringLiteral("Tahoma")));
}

void TestWindowsFonts::windowDrawsInTahoma_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<bool>("bold");

    QTest::newRow("name field") << QStringLiteral("Text1") << false;
    QTest::newRow("name caption") << QStringLiteral("Label13") << true;
    QTest::newRow("day caption") << QStringLiteral("Label7") << true;
    QTest::newRow("character text") << QStringLiteral("Label2") << false;
}

void TestWindowsFonts::windowDrawsInTahoma()
{
    QFETCH(QString, control);
    QFETCH(bool, bold);
    const QWidget *widget = window->findChild<QWidget *>(control);
    QVERIFY(widget);
    const QFontInfo shown(widget->font());
    QCOMPARE(shown.family(), QStringLiteral("Tahoma"));
    QCOMPARE(shown.bold(), bold);
    // The field keeps the designed size; captions may be fitted to their box.
    if (control == u"Text1")
        QCOMPARE(widget->font().pointSizeF(), 9.75);
}

QTEST_MAIN(TestWindowsFonts)
#include "tst_windowsfonts.moc"
