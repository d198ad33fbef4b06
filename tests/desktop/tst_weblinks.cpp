// The link table: every label and menu item of the main window and the About
// window opens its fixed address, through the real element, and tells the
// user nothing.
#include "aboutdialog.h"
#include "mainwindow.h"
#include "messagespy.h"
#include "urlrecorder.h"
#include "weblinks.h"

#include <QAction>
#include <QLabel>
#include <QTest>
#include <QWindow>

#include <memory>

using namespace veltara;

namespace {

const QString SiteRoot = QStringLiteral("http://www.quorvale.com");
const QString DonatePage = QStringLiteral("http://www.quorvale.com/donate.html");
const QString HelpPages =
    QStringLiteral("http://www.quorvale.com/veltara-free-numerology-software/veltara-free-numerology-software-help.html");
const QString CoBrandInfo = QStringLiteral("http://www.quorvale.com/co-brand.html");

QString SitePage(const char *key)
{
    return QStringLiteral("http://www.quorvale.com/veltara-free-numerology-software/ssd.php?page=") + QLatin1String(key);
}

// How a row's element is used.
enum class Use {
    ClickAtItsPlace, // a mouse click at the element's centre, through the window
    ClickItsWidget,  // a mouse click delivered to the element's own widget
    TriggerMenu,     // the menu item chosen
};

// Gives a fixed-size window room for a widget that lies outside it (the
// result area of the compact main window).
void MakeRoomFor(QWidget *window, QWidget *widget)
{
    const QRect place(widget->mapTo(window, QPoint(0, 0)), widget->size());
    if (window->rect().contains(place))
        return;
    const QRect needed = window->rect().united(place);
    window->setFixedSize(needed.right() + 1, needed.bottom() + 1);
    QTRY_VERIFY(window->rect().contains(QRect(widget->mapTo(window, QPoint(0, 0)), widget->size())));
}

} // namespace

Q_DECLARE_METATYPE(Use)

class TestWebLinks : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void mainWindowLinks_data();
    void mainWindowLinks();
    void aboutWindowLinks_data();
    void aboutWindowLinks();
    void bareAddressGetsTheWebScheme_data();
    void bareAddressGetsTheWebScheme();

private:
    // Uses the element named in the current row twice and checks that each
    // use opened the expected page once and that nothing was said.
    void useTwice(QWidget *window);

    std::unique_ptr<UrlRecorder> browser;
    std::unique_ptr<MessageSpy> messages;
};

void TestWebLinks::init()
{
    browser = std::make_unique<UrlRecorder>();
    messages = std::make_unique<MessageSpy>();
}

void TestWebLinks::cleanup()
{
    browser.reset(); // removes the URL handlers
    messages.reset();
}

void TestWebLinks::useTwice(QWidget *window)
{
    QFETCH(QString, element);
    QFETCH(Use, use);
    QFETCH(QString, expected);

    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));

    for (int time = 1; time <= 2; ++time) {
        if (use == Use::TriggerMenu) {
            auto *item = window->findChild<QAction *>(element);
            QVERIFY2(item, qPrintable(element));
            item->trigger();
        } else {
            auto *label = window->findChild<QLabel *>(element);
            QVERIFY2(label, qPrintable(element));
            if (use == Use::ClickItsWidget) {
                QTest::mouseClick(label, Qt::LeftButton);
            } else {
                MakeRoomFor(window, label);
                const QPoint centre = label->mapTo(window, label->rect().center());
                QWidget *answering = window->childAt(centre);
                QVERIFY2(answering == label, qPrintable(QStringLiteral("%1 answers a click at the centre of %2")
                                                            .arg(answering ? answering->objectName() : QStringLiteral("nothing"),
                                                                 element)));
                QTest::mouseClick(window->windowHandle(), Qt::LeftButton, Qt::NoModifier, centre);
            }
        }
        QCOMPARE(browser->openedTexts(), QStringList(time, expected));
    }
    QVERIFY(messages->shown.isEmpty());
    QVERIFY(window->isVisible()); // the window stays as it was
}

void TestWebLinks::mainWindowLinks_data()
{
    QTest::addColumn<QString>("element");
    QTest::addColumn<Use>("use");
    QTest::addColumn<QString>("expected");

    QTest::newRow("Label10 visit link opens the site root") << QStringLiteral("Label10") << Use::ClickAtItsPlace << SiteRoot;
    QTest::newRow("Label12 co-brand note opens the site root") << QStringLiteral("Label12") << Use::ClickAtItsPlace << SiteRoot;
    QTest::newRow("banner area answers as lblCobrand") << QStringLiteral("lblCobrand") << Use::ClickAtItsPlace
                                                       << SitePage("co-brand");
    QTest::newRow("lblFullBrand under the banner") << QStringLiteral("lblFullBrand") << Use::ClickItsWidget
                                                   << SitePage("fully-branded");
    QTest::newRow("mnuVOS File visit") << QStringLiteral("mnuVOS") << Use::TriggerMenu << SiteRoot;
    QTest::newRow("mnuVS Help visit") << QStringLiteral("mnuVS") << Use::TriggerMenu << SiteRoot;
    QTest::newRow("mnuhp online help") << QStringLiteral("mnuhp") << Use::TriggerMenu << HelpPages;
    QTest::newRow("mnuUpdates download page") << QStringLiteral("mnuUpdates") << Use::TriggerMenu
                                              << SitePage("download-web-page");
    QTest::newRow("mnuDonate menu bar item") << QStringLiteral("mnuDonate") << Use::TriggerMenu << DonatePage;
}

void TestWebLinks::mainWindowLinks()
{
    MainWindow window;
    useTwice(&window);
}

void TestWebLinks::aboutWindowLinks_data()
{
    QTest::addColumn<QString>("element");
    QTest::addColumn<Use>("use");
    QTest::addColumn<QString>("expected");

    QTest::newRow("Label10 visit link opens the site root") << QStringLiteral("Label10") << Use::ClickAtItsPlace << SiteRoot;
    QTest::newRow("lblCoBrand opens the co-brand info page, not the site page")
        << QStringLiteral("lblCoBrand") << Use::ClickAtItsPlace << CoBrandInfo;
}

void TestWebLinks::aboutWindowLinks()
{
    AboutDialog window;
    useTwice(&window);
}

void TestWebLinks::bareAddressGetsTheWebScheme_data()
{
    QTest::addColumn<QString>("address");
    QTest::addColumn<QString>("opened");

    QTest::newRow("bare host") << QStringLiteral("www.quorvale.com") << SiteRoot;
    QTest::newRow("bare host with path") << QStringLiteral("www.quorvale.com/donate.html") << DonatePage;
    QTest::newRow("full address kept") << CoBrandInfo << CoBrandInfo;
}

void TestWebLinks::bareAddressGetsTheWebScheme()
{
    QFETCH(QString, address);
    QFETCH(QString, opened);

    OpenWebAddress(address);
    QCOMPARE(browser->openedTexts(), QStringList{opened});
}

QTEST_MAIN(TestWebLinks)
#include "tst_weblinks.moc"
