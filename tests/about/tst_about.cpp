// The About window: what it says, its two links, and opening it from the
// main window's Help menu.
#include "aboutdialog.h"
#include "appfolder.h"
#include "classicui.h"
#include "mainwindow.h"
#include "messagespy.h"

#include <QAction>
#include <QApplication>
#include <QDesktopServices>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <QUrl>

namespace {

const QString Paragraphs[] = {
    QStringLiteral("Veltara Numerology Software Calculates your Name Number & Birth Number based on the ancient Hebrew System."),
    QStringLiteral("Your name number is what determines your character.  It also determines what your Primary and Secondary "
                   "colors are, the letters associated to you as well as the Elemental direction."),
    QStringLiteral("Typically, your name number and your birth number should match.  You should use your full name (First "
                   "Middle and Last) and if you are married you should use your maiden name.  Now, if your numbers don't "
                   "match up....don't worry.  Try removing your middle name and/or try using your married name."),
};

} // namespace

// Stands in for the browser: records the addresses handed to the desktop.
class Browser : public QObject {
    Q_OBJECT
public:
    QStringList opened;
public slots:
    void open(const QUrl &url) { opened.append(url.toString()); }
};

class TestAbout : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void texts_data();
    void texts();
    void frameTitle();
    void fixedModalWindow();
    void pointerOverLabels_data();
    void pointerOverLabels();
    void linkOpensAddress_data();
    void linkOpensAddress();
    void opensFromHelpMenu();

private:
    Browser browser;
};

void TestAbout::init()
{
    QDesktopServices::setUrlHandler(QStringLiteral("http"), &browser, "open");
    QDesktopServices::setUrlHandler(QStringLiteral("https"), &browser, "open");
    browser.opened.clear();
}

void TestAbout::cleanup()
{
    QDesktopServices::unsetUrlHandler(QStringLiteral("http"));
    QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
}

void TestAbout::texts_data()
{
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("text");

    QTest::newRow("Label1, three paragraphs, one a line")
        << QStringLiteral("Label1") << Paragraphs[0] + QLatin1Char('\n') + Paragraphs[1] + QLatin1Char('\n') + Paragraphs[2];
    QTest::newRow("Label3, one ampersand and two spaces")
        << QStringLiteral("Label3")
        << QStringLiteral("Co-brand this software for your site.  Increase loyalty and traffic to your site. Put your "
                          "site's name &  link here.");
    QTest::newRow("lblCoBrand") << QStringLiteral("lblCoBrand") << QStringLiteral("Click Here for more info on Co-branding.");
    QTest::newRow("Label2") << QStringLiteral("Label2")
                            << QStringLiteral("You may also visit Quorvale for more info and discussion on Numerology.");
    QTest::newRow("Label10") << QStringLiteral("Label10") << QStringLiteral("Click Here To Visit Quorvale");
}

void TestAbout::texts()
{
    QFETCH(QString, label);
    QFETCH(QString, text);
    veltara::AboutDialog about;
    const QLabel *shown = about.findChild<QLabel *>(label);
    QVERIFY(shown);

    QCOMPARE(shown->text(), text);
    // Shown as it is: no ampersand is taken for an access key, no markup.
    QCOMPARE(shown->textFormat(), Qt::PlainText);
    QVERIFY(!shown->buddy());
}

void TestAbout::frameTitle()
{
    veltara::AboutDialog about;
    const QGroupBox *frame = about.findChild<QGroupBox *>(QStringLiteral("Frame1"));
    QVERIFY(frame);
    QCOMPARE(frame->title(), QStringLiteral("About Veltara Numerology Software"));
}

void TestAbout::fixedModalWindow()
{
    veltara::AboutDialog about;
    QCOMPARE(about.windowTitle(), QStringLiteral("Veltara Numerology Software v1.40"));
    QVERIFY(about.isModal());
    QCOMPARE(about.minimumSize(), veltara::TwipsSize(6390, 5430));
    QCOMPARE(about.maximumSize(), veltara::TwipsSize(6390, 5430));
    const Qt::WindowFlags flags = about.windowFlags();
    QVERIFY(flags.testFlag(Qt::WindowCloseButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowMinimizeButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowMaximizeButtonHint));
}

void TestAbout::pointerOverLabels_data()
{
    QTest::addColumn<QString>("label");
    QTest::addColumn<Qt::CursorShape>("pointer");

    QTest::newRow("Label10 link") << QStringLiteral("Label10") << Qt::PointingHandCursor;
    QTest::newRow("lblCoBrand link") << QStringLiteral("lblCoBrand") << Qt::PointingHandCursor;
    QTest::newRow("Label1 text") << QStringLiteral("Label1") << Qt::ArrowCursor;
    QTest::newRow("Label3 text") << QStringLiteral("Label3") << Qt::ArrowCursor;
    QTest::newRow("Label2 text") << QStringLiteral("Label2") << Qt::ArrowCursor;
}

void TestAbout::pointerOverLabels()
{
    QFETCH(QString, label);
    QFETCH(Qt::CursorShape, pointer);
    veltara::AboutDialog about;
    const QLabel *shown = about.findChild<QLabel *>(label);
    QVERIFY(shown);
    QCOMPARE(shown->cursor().shape(), pointer);
}

void TestAbout::linkOpensAddress_data()
{
    QTest::addColumn<QString>("link");
    QTest::addColumn<QString>("address");

    QTest::newRow("Label10, the home page") << QStringLiteral("Label10") << QStringLiteral("http://www.quorvale.com");
    QTest::newRow("lblCoBrand, the co-branding page")
        << QStringLiteral("lblCoBrand") << QStringLiteral("http://www.quorvale.com/co-brand.html");
}

void TestAbout::linkOpensAddress()
{
    QFETCH(QString, link);
    QFETCH(QString, address);
    veltara::AboutDialog about;
    about.show();
    QVERIFY(QTest::qWaitForWindowExposed(&about));
    QLabel *label = about.findChild<QLabel *>(link);
    QVERIFY(label);

    // The link lies above the text label it overlaps, so a click on it
    // reaches the link.
    const QPoint centre = label->mapTo(&about, label->rect().center());
    QCOMPARE(about.childAt(centre), label);
    QTest::mouseClick(label, Qt::LeftButton, Qt::NoModifier, label->rect().center());

    QCOMPARE(browser.opened, QStringList{address});
    QVERIFY(about.isVisible());
}

void TestAbout::opensFromHelpMenu()
{
    MessageSpy spy;
    veltara::SetApplicationFolder(QFileInfo(QString::fromUtf8(VELTARA_PICTURE_DIR)).absolutePath());
    veltara::MainWindow window;
    const bool loaded = window.load();
    veltara::SetApplicationFolder(QString());
    QVERIFY(loaded);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QAction *aboutAction = window.findChild<QAction *>(QStringLiteral("mnuAbt"));
    QVERIFY(aboutAction);
    QCOMPARE(aboutAction->text(), QStringLiteral("&About Software"));

    for (int opening = 1; opening <= 2; ++opening) {
        QPointer<QWidget> shown;
        bool modal = false;
        QString description;
        QTimer::singleShot(0, this, [&] {
            shown = QApplication::activeModalWidget();
            if (!shown) {
                // Never leave a window open that nothing will close.
                for (QWidget *top : QApplication::topLevelWidgets()) {
                    if (qobject_cast<veltara::AboutDialog *>(top) && top->isVisible())
                        top->close();
                }
                return;
            }
            modal = qobject_cast<veltara::AboutDialog *>(shown) && shown->isModal() && shown->isVisible();
            QLabel *label = shown->findChild<QLabel *>(QStringLiteral("Label1"));
            if (label) {
                description = label->text();
                label->setText(QStringLiteral("read"));
            }
            shown->close();
        });

        aboutAction->trigger();

        // The menu item returned only once the window was closed, and the
        // window was discarded then.
        QVERIFY2(description.startsWith(Paragraphs[0]), qPrintable(QStringLiteral("opening %1").arg(opening)));
        QVERIFY(modal);
        QVERIFY(!shown);
    }
    QVERIFY(window.isVisible());
    QCOMPARE(spy.shown, QList<ShownMessage>());
}

QTEST_MAIN(TestAbout)
#include "tst_about.moc"
