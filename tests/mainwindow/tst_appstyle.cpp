// The application's style: the desktop style's icons, the overflow icons of
// menu bars read only when they are drawn.
#include "appstyle.h"

#include <QApplication>
#include <QMenuBar>
#include <QStyleFactory>
#include <QStyleOption>
#include <QTest>
#include <QToolButton>

#include <memory>

namespace {

// A desktop style that counts how often it is asked for an overflow icon.
class CountingStyle : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;
    QIcon standardIcon(StandardPixmap icon, const QStyleOption *option, const QWidget *widget) const override
    {
        if (icon == SP_ToolBarHorizontalExtensionButton || icon == SP_ToolBarVerticalExtensionButton)
            ++asked;
        return QProxyStyle::standardIcon(icon, option, widget);
    }
    mutable int asked = 0;
};

QImage Drawn(const QIcon &icon, const QSize &size)
{
    return icon.pixmap(size).toImage().convertToFormat(QImage::Format_ARGB32);
}

} // namespace

class TestAppStyle : public QObject {
    Q_OBJECT

private slots:
    void iconsAreTheDesktopStyles_data();
    void iconsAreTheDesktopStyles();
    void menuBarAsksOnlyWhenItOverflows();
    void desktopStyleSeesThrough();
};

void TestAppStyle::iconsAreTheDesktopStyles_data()
{
    QTest::addColumn<QString>("desktop");
    QTest::addColumn<int>("icon");
    QTest::addColumn<Qt::LayoutDirection>("direction");

    for (const QString &key : QStyleFactory::keys()) {
        const QByteArray name = key.toUtf8();
        QTest::addRow("%s overflow, left to right", name.constData())
            << key << int(QStyle::SP_ToolBarHorizontalExtensionButton) << Qt::LeftToRight;
        QTest::addRow("%s overflow, right to left", name.constData())
            << key << int(QStyle::SP_ToolBarHorizontalExtensionButton) << Qt::RightToLeft;
        QTest::addRow("%s vertical overflow", name.constData())
            << key << int(QStyle::SP_ToolBarVerticalExtensionButton) << Qt::LeftToRight;
        QTest::addRow("%s critical message", name.constData())
            << key << int(QStyle::SP_MessageBoxCritical) << Qt::LeftToRight;
    }
}

void TestAppStyle::iconsAreTheDesktopStyles()
{
    QFETCH(QString, desktop);
    QFETCH(int, icon);
    QFETCH(Qt::LayoutDirection, direction);
    const auto which = QStyle::StandardPixmap(icon);
    const std::unique_ptr<QStyle> reference(QStyleFactory::create(desktop));
    veltara::ApplicationStyle style(QStyleFactory::create(desktop));
    QStyleOption option;
    option.direction = direction;

    const QIcon expected = reference->standardIcon(which, &option);
    const QIcon given = style.standardIcon(which, &option);
    QVERIFY(!expected.isNull());
    QVERIFY(!given.isNull());
    QCOMPARE(given.availableSizes(), expected.availableSizes());
    for (const QSize &size : {QSize(16, 16), QSize(32, 32)})
        QCOMPARE(Drawn(given, size), Drawn(expected, size));
}

void TestAppStyle::menuBarAsksOnlyWhenItOverflows()
{
    auto *counting = new CountingStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QApplication::setStyle(new veltara::ApplicationStyle(counting));

    {
        QMenuBar bar;
        for (const char *title : {"&File", "&Help", "Donate"})
            bar.addMenu(QString::fromLatin1(title));
        bar.resize(400, bar.sizeHint().height());
        bar.show();
        QVERIFY(QTest::qWaitForWindowExposed(&bar));
        auto *overflow = bar.findChild<QToolButton *>(QStringLiteral("qt_menubar_ext_button"));
        QVERIFY(overflow);
        QVERIFY(!overflow->isVisible());
        QCOMPARE(counting->asked, 0);

        // Too narrow for the menus: the overflow button shows its icon.
        bar.resize(40, bar.height());
        QTRY_VERIFY(overflow->isVisible());
        QVERIFY(!overflow->icon().pixmap(QSize(16, 16)).isNull());
        QVERIFY(counting->asked > 0);
    }
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
}

void TestAppStyle::desktopStyleSeesThrough()
{
    QStyle *desktop = QStyleFactory::create(QStringLiteral("Fusion"));
    const veltara::ApplicationStyle style(desktop);
    QCOMPARE(veltara::ApplicationStyle::desktopStyle(&style), desktop);
    QCOMPARE(veltara::ApplicationStyle::desktopStyle(desktop), desktop);
}

QTEST_MAIN(TestAppStyle)
#include "tst_appstyle.moc"
