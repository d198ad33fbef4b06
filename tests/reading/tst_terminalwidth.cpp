// The width veltara-reading wraps its text to: that of COLUMNS where a
// terminal does not tell its own, and none at all off a terminal.
#include "terminal.h"

#include <QTemporaryDir>
#include <QTest>

#include <cstdio>

class TestTerminalWidth : public QObject {
    Q_OBJECT

private slots:
    void init() { m_columns = qgetenv("COLUMNS"); }
    void cleanup() { m_columns.isNull() ? qunsetenv("COLUMNS") : qputenv("COLUMNS", m_columns); }

    void columnsFromEnvironment_data();
    void columnsFromEnvironment();
    void fileIsNoTerminal();

private:
    QByteArray m_columns;
};

void TestTerminalWidth::columnsFromEnvironment_data()
{
    QTest::addColumn<QByteArray>("columns"); // null: COLUMNS unset
    QTest::addColumn<int>("width");

    QTest::newRow("unset") << QByteArray() << 80;
    QTest::newRow("empty") << QByteArray("") << 80;
    QTest::newRow("narrow") << QByteArray("40") << 40;
    QTest::newRow("leading zero") << QByteArray("0120") << 120;
    QTest::newRow("zero") << QByteArray("0") << 80;
    QTest::newRow("plus sign") << QByteArray("+100") << 80;
    QTest::newRow("blank after the digits") << QByteArray("100 ") << 80;
    QTest::newRow("a word") << QByteArray("wide") << 80;
    QTest::newRow("eight digits") << QByteArray("10000000") << 80;
    QTest::newRow("beyond 64 bits") << QByteArray("340282366920938463463374607431768211456") << 80;
}

void TestTerminalWidth::columnsFromEnvironment()
{
    QFETCH(QByteArray, columns);
    QFETCH(int, width);
    columns.isNull() ? qunsetenv("COLUMNS") : qputenv("COLUMNS", columns);
    QCOMPARE(veltara::reading::ColumnsFromEnvironment(), std::size_t(width));
}

void TestTerminalWidth::fileIsNoTerminal()
{
    qputenv("COLUMNS", "40");
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    std::FILE *file = std::fopen(folder.filePath(QStringLiteral("out.txt")).toLocal8Bit().constData(), "wb");
    QVERIFY(file);
    const std::size_t columns = veltara::reading::TerminalColumns(file);
    std::fclose(file);
    QCOMPARE(columns, std::size_t(0));
}

QTEST_GUILESS_MAIN(TestTerminalWidth)
#include "tst_terminalwidth.moc"
