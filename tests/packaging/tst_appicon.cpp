// The application icon as the windows get it: every size from the program's
// resources, each an icon of the program's colours and not a scaled copy.
#include "appicon.h"

#include <QColor>
#include <QImage>
#include <QPixmap>
#include <QTest>

class TestAppIcon : public QObject {
    Q_OBJECT

private slots:
    void everySizeIsThere();
    void drawing_data();
    void drawing();
};

void TestAppIcon::everySizeIsThere()
{
    const QList<QSize> sizes = veltara::ApplicationIcon().availableSizes();
    const QList<QSize> expected{{16, 16}, {24, 24}, {32, 32}, {48, 48}, {64, 64}, {128, 128}, {256, 256}};
    QCOMPARE(sizes, expected);
}

namespace {

bool IsRed(QColor colour)
{
    return colour.alpha() == 255 && colour.red() > 200 && colour.green() < 90 && colour.blue() < 90;
}

bool IsBlue(QColor colour)
{
    // The ring's blue, 128,128,255, give or take the edge smoothing.
    return colour.alpha() > 200 && colour.blue() > 230 && colour.red() > 100 && colour.red() < 200 &&
           qAbs(colour.red() - colour.green()) < 16;
}

} // namespace

void TestAppIcon::drawing_data()
{
    QTest::addColumn<int>("size");
    for (int size : {16, 24, 32, 48, 64, 128, 256})
        QTest::addRow("%d px", size) << size;
}

void TestAppIcon::drawing()
{
    QFETCH(int, size);
    // A pixmap asked for at exactly the drawn size comes back at that size
    // whatever the screen's scale, so this reads the stored drawing itself.
    const QImage image = veltara::ApplicationIcon().pixmap(QSize(size, size), 1.0).toImage();
    QCOMPARE(image.size(), QSize(size, size));
    QVERIFY(image.hasAlphaChannel());

    // Round: the corners are clear.
    for (QPoint corner : {QPoint(0, 0), QPoint(size - 1, 0), QPoint(0, size - 1), QPoint(size - 1, size - 1)})
        QCOMPARE(image.pixelColor(corner).alpha(), 0);

    // The ring: blue on the left edge, halfway down.
    bool ring = false;
    for (int x = 0; x < size / 8 + 1 && !ring; ++x)
        ring = IsBlue(image.pixelColor(x, size / 2));
    QVERIFY2(ring, "no blue ring at the left edge");

    // The numeral: solid red across the middle of the disc.
    int red = 0;
    for (int y = size / 4; y < size * 3 / 4; ++y)
        for (int x = size / 4; x < size * 3 / 4; ++x)
            red += IsRed(image.pixelColor(x, y)) ? 1 : 0;
    QVERIFY2(red * 100 >= size * size / 4 * 15, qPrintable(QStringLiteral("only %1 red pixels in the middle").arg(red)));

    // The disc is white between the ring and the numeral.
    QCOMPARE(image.pixelColor(size * 3 / 16, size / 2).rgba(), QColor(Qt::white).rgba());
}

QTEST_MAIN(TestAppIcon)
#include "tst_appicon.moc"
