// How the windows look: the Tahoma twin and its bold, the sizes the texts
// keep with it, and texts that fit their boxes in every reading, with the
// twin and with the fallback faces.
#include "designedfonts.h"
#include "mainwindowfixture.h"
#include "messagespy.h"

#include <QApplication>
#include <QFontDatabase>
#include <QFontInfo>
#include <QPainter>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace mainwindowtest;

namespace {

bool TwinInstalled()
{
    return QFileInfo::exists(veltara::DesignedFontFolder() + QStringLiteral("/tahoma.ttf"));
}

// How much ink a text leaves: the sum of darkness over its pixels.
double Ink(const QFont &font, const QString &text)
{
    QImage image(400, 60, QImage::Format_Grayscale8);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.drawText(image.rect(), Qt::AlignCenter, text);
    painter.end();
    double ink = 0;
    for (int y = 0; y < image.height(); ++y) {
        const uchar *row = image.constScanLine(y);
        for (int x = 0; x < image.width(); ++x)
            ink += 255 - row[x];
    }
    return ink;
}

// A name of each name number: A = 1 ... I = 9.
QString NameOfNumber(int number)
{
    return QString(QChar(u'A' + number - 1));
}

} // namespace

class TestLook : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void twinTakesTheDesignedFaces_data();
    void twinTakesTheDesignedFaces();
    void damagedBoldFace_data();
    void damagedBoldFace();
    void textsKeepTheirSizeWithTheTwin();
    void nothingCutOff_data();
    void nothingCutOff();

private:
    // A loaded, shown main window, made after the fonts are as a test wants.
    void start();

    std::unique_ptr<MessageSpy> spy;
    std::unique_ptr<veltara::MainWindow> window;
    std::unique_ptr<MainWindowUi> ui;
};

void TestLook::init()
{
    spy = std::make_unique<MessageSpy>();
    veltara::SetApplicationFolder(BuildApplicationFolder());
}

void TestLook::cleanup()
{
    ui.reset();
    window.reset();
    veltara::SetApplicationFolder(QString());
    spy.reset();
    // Every test starts with the twin registered, as the program does.
    QFontDatabase::removeAllApplicationFonts();
    veltara::RegisterDesignedFonts(veltara::DesignedFontFolder());
}

void TestLook::start()
{
    QVERIFY(ShowMainWindow(window, ui));
}

void TestLook::twinTakesTheDesignedFaces_data()
{
    QTest::addColumn<QString>("family");
    QTest::addColumn<qreal>("pointSize");

    QTest::newRow("Tahoma 9.75") << QStringLiteral("Tahoma") << 9.75;
    QTest::newRow("MS Sans Serif 8.25, drawn by the twin") << QStringLiteral("MS Sans Serif") << 8.25;
}

void TestLook::twinTakesTheDesignedFaces()
{
    QFETCH(QString, family);
    QFETCH(qreal, pointSize);
    if (!TwinInstalled())
        QSKIP("the Tahoma twin is not installed (package fonts-wine)");
    const QFont regular = veltara::DesignFont(family, pointSize, false);
    const QFont bold = veltara::DesignFont(family, pointSize, true);

    QCOMPARE(QFontInfo(regular).family(), QStringLiteral("Tahoma"));
    QCOMPARE(QFontInfo(bold).family(), QStringLiteral("Tahoma"));
    QVERIFY(QFontInfo(bold).bold());
    // Bold in the strokes, not only in the name and the widths: the twin's
    // bold face carries the regular strokes unless they are thickened.
    const QString sample = QStringLiteral("Month Capricorn Sagittarius");
    const double ratio = Ink(bold, sample) / Ink(regular, sample);
    QVERIFY2(ratio > 1.25, qPrintable(QStringLiteral("bold leaves %1 times the ink of regular").arg(ratio)));
    // The bold face's own, wider widths.
    QVERIFY(QFontMetrics(bold).horizontalAdvance(sample) > QFontMetrics(regular).horizontalAdvance(sample));
}

void TestLook::damagedBoldFace_data()
{
    QTest::addColumn<QByteArray>("damage");

    QTest::newRow("empty file") << QByteArray("empty");
    QTest::newRow("cut inside the header") << QByteArray("cut 10");
    QTest::newRow("cut inside the table directory") << QByteArray("cut 100");
    QTest::newRow("tables said to lie beyond the end") << QByteArray("offsets");
    QTest::newRow("more tables than the file holds") << QByteArray("count");
}

void TestLook::damagedBoldFace()
{
    QFETCH(QByteArray, damage);
    if (!TwinInstalled())
        QSKIP("the Tahoma twin is not installed (package fonts-wine)");
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    QVERIFY(QFile::copy(veltara::DesignedFontFolder() + QStringLiteral("/tahoma.ttf"), folder.filePath(QStringLiteral("tahoma.ttf"))));
    QFile original(veltara::DesignedFontFolder() + QStringLiteral("/tahomabd.ttf"));
    QVERIFY(original.open(QIODevice::ReadOnly));
    QByteArray bold = original.readAll();
    if (damage == "empty") {
        bold.clear();
    } else if (damage.startsWith("cut ")) {
        bold.truncate(damage.mid(4).toInt());
    } else if (damage == "offsets") {
        const int tables = (uchar(bold[4]) << 8) | uchar(bold[5]);
        for (int i = 0; i < tables; ++i)
            bold.replace(12 + 16 * i + 8, 4, QByteArray("\xff\xff\xff\xf0", 4));
    } else {
        bold[4] = char(0xff);
        bold[5] = char(0xff);
    }
    QFile damaged(folder.filePath(QStringLiteral("tahomabd.ttf")));
    QVERIFY(damaged.open(QIODevice::WriteOnly));
    QCOMPARE(damaged.write(bold), bold.size());
    damaged.close();
    QFontDatabase::removeAllApplicationFonts();

    // The regular face still serves; nothing is read beyond the data.
    QVERIFY(veltara::RegisterDesignedFonts(folder.path()));
    QCOMPARE(QFontInfo(veltara::Tahoma(true)).family(), QStringLiteral("Tahoma"));
}

void TestLook::textsKeepTheirSizeWithTheTwin()
{
    if (!TwinInstalled())
        QSKIP("the Tahoma twin is not installed (package fonts-wine)");
    start();
    for (int number = 1; number <= 9; ++number) {
        TypeInputs(*ui, NameOfNumber(number), QStringLiteral("05"), QStringLiteral("January"), QStringLiteral("1980"));
        QTest::mouseClick(ui->calculateButton, Qt::LeftButton);
        QCOMPARE(window->size(), ui->expandedSize());
        for (const QLabel *label : window->findChildren<QLabel *>()) {
            if (label->text().isEmpty() || label->objectName().startsWith(u"lbl") || label == ui->coBrandLink)
                continue; // the banners are Verdana, which has no twin
            // The one exception: the tail of the twin's "J" reaches below
            // the one line a 255-twip box has room for.
            if (label == ui->letters && label->text().contains(u'J'))
                continue;
            const qreal designed = (label == ui->planet || label == ui->zodiac) ? 8.25 : 9.75;
            QVERIFY2(label->font().pointSizeF() == designed,
                     qPrintable(QStringLiteral("%1 at %2 pt for name number %3")
                                    .arg(label->objectName()).arg(label->font().pointSizeF()).arg(number)));
            // A caption a little too wide even in the twin ("Name Number"
            // in its 81 pixels) is condensed a little, at its size.
            const int stretch = label->font().stretch();
            QVERIFY2(stretch == QFont::AnyStretch || stretch >= 84,
                     qPrintable(QStringLiteral("%1 condensed to %2 %").arg(label->objectName()).arg(stretch)));
        }
        ui->clearAction->trigger();
    }
}

void TestLook::nothingCutOff_data()
{
    QTest::addColumn<bool>("twin");
    QTest::addColumn<int>("number");

    for (const bool twin : {true, false}) {
        for (int number = 1; number <= 9; ++number) {
            QTest::addRow("%s, name number %d", twin ? "Tahoma twin" : "fallback faces", number) << twin << number;
        }
    }
}

void TestLook::nothingCutOff()
{
    QFETCH(bool, twin);
    QFETCH(int, number);
    if (twin && !TwinInstalled())
        QSKIP("the Tahoma twin is not installed (package fonts-wine)");
    if (!twin)
        QFontDatabase::removeAllApplicationFonts();
    start();
    if (!twin)
        QVERIFY(QFontInfo(ui->nameEdit->font()).family() != u"Tahoma");
    TypeInputs(*ui, NameOfNumber(number), QStringLiteral("01"), QStringLiteral("December"), QStringLiteral("1980"));
    QTest::mouseClick(ui->calculateButton, Qt::LeftButton);
    QCOMPARE(window->size(), ui->expandedSize());

    QStringList cut;
    for (const QLabel *label : window->findChildren<QLabel *>()) {
        if (label->text().isEmpty())
            continue;
        // The banners lie over the lower part of the character text.
        const int shown = label == ui->characterText ? ui->coBrandBanner->y() - label->y() : label->height();
        if (!veltara::TextFits(label, shown))
            cut.append(label->objectName());
    }
    QCOMPARE(cut, QStringList());
    // Not shrunk further than needed: nothing below the smallest size.
    for (const QLabel *label : window->findChildren<QLabel *>())
        QVERIFY(label->font().pointSizeF() >= 6.0);
}

QTEST_MAIN(TestLook)
#include "tst_look.moc"
