// The chart window driven through its widgets: it shows the engine's chart,
// a refusal empties it, Ctrl+C copies the command line's text chart, the PDF
// holds the chart as text, and nothing is cut off.
#include "chartmode.h"
#include "chartview.h"
#include "chartwindow.h"
#include "datefield.h"
#include "messagespy.h"
#include "yearsahead.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QProxyStyle>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTableWidget>
#include <QSpinBox>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include <memory>

using namespace veltara;

namespace {

QString Text(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// "Pinnacle 1: 8, ages 0 to 31" with ": " between, as the timeline names a
// band; the PDF's table puts a space.
QString SpanName(const chart::ChartRow &row, std::size_t i, const chart::Span &span, const QString &between)
{
    const QString ages = span.toAge < 0 ? QStringLiteral("from age %1").arg(span.fromAge)
                                        : QStringLiteral("ages %1 to %2").arg(span.fromAge).arg(span.toAge);
    return Text(row.label) + u' ' + QString::number(i + 1) + between + QString::number(span.number.value) +
           QStringLiteral(", ") + ages + (span.current ? QStringLiteral(", now") : QString());
}

// Blanks as one space and ligatures as letters, as a PDF reader rewraps text.
QString Flattened(QString text)
{
    static const QRegularExpression blanks(QStringLiteral("\\s+"));
    return text.normalized(QString::NormalizationForm_KC).replace(blanks, QStringLiteral(" ")).trimmed();
}

// Forms keep their fields at their preferred width, as some desktop styles do.
class FieldsAtTheirSizeStyle : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;
    int styleHint(StyleHint hint, const QStyleOption *option, const QWidget *widget,
                  QStyleHintReturn *returned) const override
    {
        return hint == SH_FormLayoutFieldGrowthPolicy ? QFormLayout::FieldsStayAtSizeHint
                                                      : QProxyStyle::styleHint(hint, option, widget, returned);
    }
};

} // namespace

class TestChartWindow : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    void init();
    void cleanup();

    void birthDateTypedKeyByKey();

    void showsTheEngineChart_data();
    void showsTheEngineChart();
    void showsTheYearsAhead_data();
    void showsTheYearsAhead();
    void refusals_data();
    void refusals();
    void refusesANameInUseWithoutLetters();
    void savesThePdfAsText();
    void nothingIsCutOff();

private:
    QString label(const QString &name) const { return window->findChild<QLabel *>(name)->text(); }
    // Types the name key by key; beyond ASCII as events that carry text.
    void typeName(const QString &name)
    {
        nameEdit->clear();
        for (const QChar c : name)
            QTest::sendKeyEvent(QTest::Click, nameEdit, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
    // The chart the window makes: with its name in use and its years ahead.
    chart::Chart engineChart()
    {
        chart::Chart made;
        const std::u32string current =
            window->findChild<QLineEdit *>(QStringLiteral("chartCurrentName"))->text().toStdU32String();
        const int years = window->findChild<QSpinBox *>(QStringLiteral("forecastYears"))->value();
        const chart::ChartRefusal refusal = chart::MakeChart(
            nameEdit->text().toStdU32String(), chartview::ChartDate(birthEdit->date()),
            chartview::ChartDate(readingEdit->date()), {current, years}, made);
        return refusal == chart::ChartRefusal::None ? made : chart::Chart();
    }

    std::unique_ptr<MessageSpy> spy;
    std::unique_ptr<ChartWindow> window;
    QLineEdit *nameEdit = nullptr;
    DateField *birthEdit = nullptr;
    DateField *readingEdit = nullptr;
};

void TestChartWindow::init()
{
    spy = std::make_unique<MessageSpy>();
    window = std::make_unique<ChartWindow>();
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    nameEdit = window->findChild<QLineEdit *>(QStringLiteral("chartName"));
    birthEdit = window->findChild<DateField *>(QStringLiteral("birthDate"));
    readingEdit = window->findChild<DateField *>(QStringLiteral("readingDate"));
    QCOMPARE(readingEdit->date(), QDate::currentDate());
    QCOMPARE(readingEdit->text(), QDate::currentDate().toString(u"M/d/yyyy")); // the locale's M/d/yy, every year
}

void TestChartWindow::cleanup()
{
    window.reset();
    spy.reset();
}

void TestChartWindow::birthDateTypedKeyByKey()
{
    // The birth date starts empty, and the chart area says what to type.
    auto *birthText = birthEdit->findChild<QLineEdit *>();
    QCOMPARE(birthText->text(), QString());
    QVERIFY(!birthText->placeholderText().isEmpty());
    QVERIFY(label(QStringLiteral("refusalLine")).contains(QStringLiteral("birth date")));
    QVERIFY(!window->showsChart());
    // Tab passes the name, the name in use, each date and its buttons in turn.
    nameEdit->setFocus();
    QStringList reached;
    for (int i = 0; i < 6; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        reached << QApplication::focusWidget()->objectName();
    }
    QCOMPARE(reached, QStringList({QStringLiteral("chartCurrentName"), QStringLiteral("birthDateText"), QStringLiteral("birthDateCalendar"),
                                   QStringLiteral("readingDateText"), QStringLiteral("readingDateCalendar"),
                                   QStringLiteral("readingDateToday")}));
    // Typed key by key, no chart shows before the date is whole: not of the
    // years 1, 18 or 181 on the way.
    typeName(QStringLiteral("Ada Lovelace"));
    const QString typed = QStringLiteral("10 Dec 1815");
    for (qsizetype i = 0; i < typed.size(); ++i) {
        QVERIFY2(!window->showsChart(), qPrintable(birthText->text()));
        QTest::keyClick(birthText, typed[i].toLatin1());
    }
    QVERIFY(window->showsChart());
    QCOMPARE(birthText->text(), typed); // as typed, not rewritten
    QCOMPARE(birthText->accessibleDescription(), QStringLiteral("Sunday, December 10, 1815"));
    QCOMPARE(label(QStringLiteral("lifePathNumber")), QStringLiteral("10/1"));
}

void TestChartWindow::showsTheEngineChart_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QDate>("birth");
    QTest::newRow("the manual's example") << QStringLiteral("Ada Lovelace") << QDate(1815, 12, 10);
    QTest::newRow("one part: debt 14 on personality") << QStringLiteral("Strauss") << QDate(1825, 10, 25);
    QTest::newRow("birthday 29: master 11") << QStringLiteral("Ann Smith") << QDate(1999, 9, 29);
    QTest::newRow("birthday 19 and its debt") << QStringLiteral("Jos\u00e9 O'Brien 3rd") << QDate(1, 3, 19);
    QTest::newRow("no vowel: soul urge 0") << QStringLiteral("Brynn Pfft") << QDate(2000, 2, 29);
    QTest::newRow("due date, Cyrillic surname") << QStringLiteral(u"Ivan Петров") << QDate::currentDate().addYears(1);
}

void TestChartWindow::showsTheEngineChart()
{
    QFETCH(QString, name);
    QFETCH(QDate, birth);
    birthEdit->setDate(birth);
    typeName(name);
    const chart::Chart expected = engineChart();
    QVERIFY(window->showsChart());
    QVERIFY(window->findChild<QWidget *>(QStringLiteral("cyclesArea"))->isVisible());

    QList<int> tileDebts;
    for (const chart::ChartRow &row : chart::ChartRows) {
        if (row.section != chart::Section::Core || !chart::HasValue(row, expected))
            continue;
        const QString key = Text(row.key), place = Text(row.label).left(1) + Text(row.label).mid(1).toLower();
        const chart::ChartNumber &number = *chart::NumberOf(row, expected);
        const QString value = QString::number(number.value);
        QCOMPARE(label(key + QStringLiteral("Number")),
                 number.total == std::uint64_t(number.value) ? value : QStringLiteral("%1/").arg(number.total) + value);
        QCOMPARE(window->findChild<QWidget *>(key + QStringLiteral("Tile"))->accessibleName(), place + u' ' + value);
        QCOMPARE(label(key + QStringLiteral("Steps")), Text(number.steps));
        if (const QString debt = label(key + QStringLiteral("Debt")); !debt.isEmpty())
            tileDebts.append(debt.section(u' ', -1).toInt());
    }
    // Each of the chart's debts shows on the tile of its number, or of each.
    std::sort(tileDebts.begin(), tileDebts.end());
    tileDebts.erase(std::unique(tileDebts.begin(), tileDebts.end()), tileDebts.end());
    QCOMPARE(tileDebts, QList<int>(expected.karmicDebts.begin(), expected.karmicDebts.end()));
    QCOMPARE(window->findChild<QLabel *>(QStringLiteral("chaldean"))->accessibleName(),
             QStringLiteral("Chaldean %1/%2").arg(expected.chaldean.compound).arg(expected.chaldean.root));
    QCOMPARE(label(QStringLiteral("chaldeanSteps")), Text(expected.chaldean.steps));
    const auto named = [this](const QString &object) { return window->findChild<QWidget *>(object)->accessibleName(); };
    const QString cornerstone = QChar::fromLatin1(expected.cornerstone.letter) + u' ' +
                                QString::number(expected.cornerstone.value);
    QCOMPARE(named(QStringLiteral("cornerstone")), QStringLiteral("Cornerstone ") + cornerstone);
    QCOMPARE(named(QStringLiteral("subconsciousSelf")), QStringLiteral("Subconscious self %1").arg(expected.subconsciousSelf));
    QCOMPARE(named(QStringLiteral("balance")), QStringLiteral("Balance %1").arg(expected.balance.value));
    QCOMPARE(named(QStringLiteral("universalYearValue")), QStringLiteral("Universal year %1").arg(expected.universalYear.value));
    QCOMPARE(named(QStringLiteral("personalYearValue")), QStringLiteral("Personal year %1").arg(expected.personalYear.value));
    QCOMPARE(label(QStringLiteral("personalDaySteps")), Text(expected.personalDay.steps));
    // Each band carries its span's name, and the timeline's description lists them all.
    const QString description = window->findChild<QWidget *>(QStringLiteral("cyclesTimeline"))->accessibleDescription();
    for (const chart::ChartRow &row : chart::ChartRows) {
        for (std::size_t i = 0; i < chart::SpansOf(row, expected).size(); ++i) {
            const QString band = SpanName(row, i, chart::SpansOf(row, expected)[i], QStringLiteral(": "));
            QCOMPARE(named(Text(row.key) + QString::number(i + 1)), band);
            QVERIFY2(description.contains(band + u'.'), qPrintable(band));
        }
    }

    // Ctrl+C copies a selection in a field, else the command line's text chart.
    nameEdit->setSelection(0, 2);
    QTest::keyClick(nameEdit, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QGuiApplication::clipboard()->text(), name.left(2));
    nameEdit->deselect();
    QTest::keyClick(nameEdit, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QGuiApplication::clipboard()->text(), Text(reading::ChartText(name.toStdString(), expected)));
    // The line under the fields says the engine's notes.
    QStringList notes;
    for (const std::string &note : chart::ChartNotes(expected))
        notes << Text(note) + u'.';
    QCOMPARE(label(QStringLiteral("refusalLine")), notes.join(u'\n'));
    // The cycles follow the reading date, and speak of this year in the year of
    // the day taken as today.
    const QDate next = readingEdit->date().addDays(1);
    readingEdit->setToday(expected.cyclesFromBirth ? birth : next);
    readingEdit->setDate(next);
    QVERIFY(window->findChild<QWidget *>(QStringLiteral("personalYearValue"))->toolTip().contains(u"this year"));
    QCOMPARE(named(QStringLiteral("personalDayValue")), QStringLiteral("Personal day %1").arg(engineChart().personalDay.value));
}

void TestChartWindow::refusals_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QStringList>("handedDate"); // by the main window; empty: the editor's
    QTest::addColumn<QDate>("birth");
    QTest::addColumn<QString>("said"); // what the line says, among its words
    const QDate birth(1980, 1, 5);
    QTest::newRow("empty name") << QString() << QStringList() << birth << QStringLiteral("Type a full name");
    QTest::newRow("no letter") << QStringLiteral("12 -- !") << QStringList() << birth << QStringLiteral("The name has no letter");
    QTest::newRow("no such date") << QStringLiteral("Ann") << QStringLiteral("29 February 1999").split(u' ') << birth
                                  << QStringLiteral("The birth date is not taken: no such date: 1999-02-29");
    QTest::newRow("not a month") << QStringLiteral("Ann") << QStringLiteral("05 Foo 1980").split(u' ') << birth
                                 << QStringLiteral("The birth date is not taken: \"Foo\" is not a month");
}

void TestChartWindow::refusals()
{
    QFETCH(QString, name);
    QFETCH(QStringList, handedDate);
    QFETCH(QDate, birth);
    QFETCH(QString, said);
    birthEdit->setDate(QDate(2000, 1, 1));
    typeName(QStringLiteral("Ada")); // a chart first, which the refusal must empty
    QVERIFY(window->showsChart());
    if (handedDate.isEmpty()) {
        birthEdit->setDate(birth);
        typeName(name);
    } else {
        window->fill(name, handedDate);
    }
    QVERIFY2(label(QStringLiteral("refusalLine")).startsWith(said), qPrintable(label(QStringLiteral("refusalLine"))));
    QVERIFY(!window->showsChart());
    QVERIFY(window->findChild<QWidget *>(QStringLiteral("chartArea"))->isHidden());
    QCOMPARE(label(QStringLiteral("lifePathNumber")), QString());
    QVERIFY(!window->findChild<QAction *>(QStringLiteral("chartCopy"))->isEnabled());
    QCOMPARE(spy->shown, QList<ShownMessage>()); // no message box

    birthEdit->setDate(QDate(1815, 12, 10)); // choosing a date and a name brings the chart back
    typeName(QStringLiteral("Ada Lovelace"));
    QVERIFY(window->showsChart());
    QCOMPARE(label(QStringLiteral("lifePathNumber")), QStringLiteral("10/1"));
}

void TestChartWindow::refusesANameInUseWithoutLetters()
{
    birthEdit->setDate(QDate(1815, 12, 10));
    typeName(QStringLiteral("Ada Lovelace"));
    auto *current = window->findChild<QLineEdit *>(QStringLiteral("chartCurrentName"));
    current->setText(QStringLiteral("12 !"));
    QCOMPARE(label(QStringLiteral("refusalLine")), QStringLiteral("The name in use has no letter A to Z."));
    QVERIFY(!window->showsChart());
    current->setText(QStringLiteral("  ")); // blank: no name in use
    QVERIFY(window->showsChart());
}

void TestChartWindow::showsTheYearsAhead_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("current");
    QTest::addColumn<QDate>("birth");
    QTest::addColumn<QDate>("reading");
    QTest::addColumn<int>("years");
    QTest::newRow("suffix, name in use") << QStringLiteral("Thomas Cruise Mapother IV") << QStringLiteral("Tom Cruise")
                                         << QDate(1962, 7, 3) << QDate(1982, 7, 3) << 10;
    QTest::newRow("29 February, the most years") << QStringLiteral("Anna") << QString() << QDate(2000, 2, 29)
                                                 << QDate(2023, 2, 28) << 100;
    QTest::newRow("reading before the birth") << QStringLiteral("Ida Quincy Lee") << QStringLiteral("Ida Lee")
                                              << QDate(2030, 5, 1) << QDate(2026, 1, 1) << 3;
    // Seeded random names and dates.
    const QStringList parts{QStringLiteral("Maxwell"), QStringLiteral("Zo\u00eb"), QStringLiteral("Mary-Ann"),
                            QStringLiteral("Robert"), QStringLiteral("N\u00fa\u00f1ez"), QStringLiteral("Jr.")};
    QRandomGenerator random(35);
    for (int i = 0; i < 3; ++i) {
        const QString name = parts[random.bounded(5)] + u' ' + parts[random.bounded(6)];
        const QDate birth = QDate(1900, 1, 1).addDays(random.bounded(45000));
        QTest::addRow("random %d", i) << name << parts[random.bounded(5)] << birth
                                      << birth.addDays(random.bounded(36500)) << 1 + random.bounded(100);
    }
}

void TestChartWindow::showsTheYearsAhead()
{
    QFETCH(QString, name);
    QFETCH(QString, current);
    QFETCH(QDate, birth);
    QFETCH(QDate, reading);
    QFETCH(int, years);
    birthEdit->setDate(birth);
    readingEdit->setDate(reading);
    window->findChild<QSpinBox *>(QStringLiteral("forecastYears"))->setValue(years);
    window->findChild<QLineEdit *>(QStringLiteral("chartCurrentName"))->setText(current);
    typeName(name);
    QVERIFY(window->showsChart());
    const chart::Chart expected = engineChart();
    QCOMPARE(static_cast<int>(expected.forecast.size()), years);
    const auto named = [this](const QString &object) { return window->findChild<QWidget *>(object)->accessibleName(); };

    // The minor numbers beside their major ones, only with a name in use.
    for (const chart::ChartRow &row : chart::ChartRows) {
        if (!row.ofNameInUse)
            continue;
        const chart::ChartNumber &number = *chart::NumberOf(row, expected);
        auto *minor = window->findChild<QLabel *>(Text(row.key) + QStringLiteral("Number"));
        QCOMPARE(minor->isVisible(), !current.isEmpty());
        QCOMPARE(minor->accessibleName(), current.isEmpty() ? QString()
                                                            : Text(chart::RowLabel(row, chart::Words::Shown)) + u' ' +
                                                                  Text(chart::CompoundText(number.total, number.value)));
    }
    // The transits of the reading date with the cycles.
    for (std::size_t i = 0; i < std::size(chart::TransitRows); ++i) {
        const chart::Transit &transit = expected.transits[i];
        QCOMPARE(named(Text(chart::TransitRows[i].key) + QStringLiteral("TransitValue")),
                 Text(chart::TransitRows[i].label) + QStringLiteral(" transit %1 %2, ages %3 to %4")
                     .arg(QChar::fromLatin1(transit.letter)).arg(transit.value).arg(transit.fromAge).arg(transit.toAge));
    }
    QCOMPARE(named(QStringLiteral("essenceValue")), QStringLiteral("Essence %1").arg(expected.essence.value));

    // Every cell of the table, the reading year's row in bold and each
    // change marked.
    auto *table = window->findChild<QTableWidget *>(QStringLiteral("forecastTable"));
    QCOMPARE(table->rowCount(), years);
    for (int r = 0; r < years; ++r) {
        const chart::ForecastYear &year = expected.forecast[static_cast<std::size_t>(r)];
        for (std::size_t c = 0; c < std::size(chart::ForecastColumns); ++c) {
            const QTableWidgetItem *item = table->item(r, static_cast<int>(c));
            const QString words = Text(chart::ForecastCell(year, c));
            QCOMPARE(item->text(), words + (chart::Changed(year, c) ? QStringLiteral("*") : QString()));
            QCOMPARE(item->font().bold(), year.year == reading.year());
            const QString accessible = item->data(Qt::AccessibleTextRole).toString();
            QVERIFY2(accessible.startsWith(QString::number(year.year)) &&
                         accessible.contains(u' ' + (words.isEmpty() ? QStringLiteral("none") : words)) &&
                         accessible.endsWith(QStringLiteral(", changed")) == chart::Changed(year, c),
                     qPrintable(accessible));
        }
    }
    // The bands name each transit's letters over the years.
    const QString bands = window->findChild<QWidget *>(QStringLiteral("transitBands"))->accessibleDescription();
    for (const chart::ForecastYear &year : expected.forecast)
        QVERIFY2(bands.contains(QStringLiteral("Physical transit: ")) &&
                     bands.contains(QChar::fromLatin1(year.physical) + QStringLiteral(" ")) &&
                     bands.contains(QChar::fromLatin1(year.spiritual) + QStringLiteral(" ")),
                 qPrintable(bands));
}

void TestChartWindow::savesThePdfAsText()
{
    birthEdit->setDate(QDate(1815, 12, 10));
    readingEdit->setDate(QDate(2024, 6, 30));
    typeName(QStringLiteral("Jos\u00e9 Lovelace"));
    QTemporaryDir folder;
    // A folder that is not there: the failure is told, and nothing is lost.
    const QString wrong = folder.filePath(QStringLiteral("no such folder/chart.pdf"));
    QVERIFY(!window->saveAsPdf(wrong));
    QCOMPARE(spy->shown.size(), 1);
    QVERIFY(spy->shown.front().text.startsWith(QStringLiteral("The chart could not be saved as ") +
                                               QDir::toNativeSeparators(wrong)));
    QCOMPARE(spy->shown.front().style, MsgStyle::OkOnly + MsgStyle::Critical);
    const QString path = folder.filePath(QStringLiteral("chart.pdf"));
    QVERIFY(window->showsChart() && window->saveAsPdf(path));

    const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (pdftotext.isEmpty())
        QSKIP("pdftotext (poppler-utils) is not installed: the PDF cannot be read back");
    QProcess reader;
    reader.start(pdftotext, {QStringLiteral("-raw"), path, QStringLiteral("-")});
    QVERIFY(reader.waitForFinished());
    const QString text = Flattened(QString::fromUtf8(reader.readAllStandardOutput()));

    const chart::Chart expected = engineChart();
    QStringList wanted{QStringLiteral("Numerology Chart of Jos\u00e9 Lovelace"), QStringLiteral("December 10, 1815"),
                       QStringLiteral("June 30, 2024"), Text(expected.chaldean.steps)};
    for (const chart::ChartRow &row : chart::ChartRows) {
        if (row.section == chart::Section::Core && chart::HasValue(row, expected)) {
            const chart::ChartNumber &number = *chart::NumberOf(row, expected);
            wanted << Text(chart::RowLabel(row, chart::Words::Shown)) + u' ' +
                          Text(chart::CompoundText(number.total, number.value))
                   << Text(number.steps) << Text(chart::MeaningLine(row, expected, expected.on));
        }
        for (std::size_t i = 0; i < chart::SpansOf(row, expected).size(); ++i)
            wanted << SpanName(row, i, chart::SpansOf(row, expected)[i], QStringLiteral(" "));
    }
    for (const chartview::ShownLine &line : chartview::ShownLines(chart::Section::Rest, expected, true))
        wanted << line.label + u' ' + line.value;
    // The years ahead: the heading and each row's cells as the window shows them.
    wanted << Text(chart::ForecastHeading(expected));
    for (const chart::ForecastYear &year : expected.forecast) {
        QStringList cells;
        for (std::size_t c = 0; c < std::size(chart::ForecastColumns); ++c)
            cells << chartview::ForecastCellShown(year, c);
        wanted << cells.join(u' ');
    }
    wanted << QStringLiteral("Personal year %1 ").arg(expected.personalYear.value) + Text(expected.personalYear.steps)
           << QStringLiteral("Inclusion 1: %1, 2: %2").arg(expected.inclusion[0]).arg(expected.inclusion[1]);
    for (const QString &part : wanted)
        QVERIFY2(text.contains(Flattened(part)), qPrintable(part));
    QCOMPARE(chartview::PageSizeFor(QLocale()), QPageSize::Letter);
    QCOMPARE(chartview::PageSizeFor(QLocale(QLocale::French, QLocale::France)), QPageSize::A4);
}

void TestChartWindow::nothingIsCutOff()
{
    // Under a style that keeps form fields at their width, a narrow window
    // still wraps the long steps instead of cutting them off.
    FieldsAtTheirSizeStyle style(QStringLiteral("Fusion"));
    window->setStyle(&style);
    for (QWidget *widget : window->findChildren<QWidget *>())
        widget->setStyle(&style);
    window->resize(420, 600);
    birthEdit->setDate(QDate(2000, 1, 1));
    typeName(QStringLiteral("Maria Magdalena Hildegard Wilhelmina von Hohenzollern-Sigmaringen"));
    // The section opens from the keyboard: Tab passes both dates and the
    // timeline's bands and the years ahead to it.
    auto *toggle = window->findChild<QToolButton *>(QStringLiteral("stepsToggle"));
    QStringList reached;
    for (int i = 0; i < 30 && QApplication::focusWidget() != toggle; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        reached << QApplication::focusWidget()->objectName();
    }
    QCOMPARE(reached.filter(QRegularExpression(QStringLiteral("^(pinnacles|challenges|periods)\\d$"))).size(), 11);
    QCOMPARE(QApplication::focusWidget(), toggle);
    QTest::keyClick(toggle, Qt::Key_Space);
    QTRY_VERIFY(window->findChild<QWidget *>(QStringLiteral("stepsArea"))->isVisible());
    QCoreApplication::processEvents(); // the layout settles
    for (const QLabel *shown : window->findChildren<QLabel *>()) {
        if (shown->isVisible() && shown->wordWrap())
            QVERIFY2(shown->heightForWidth(shown->width()) <= shown->height(), qPrintable(shown->text()));
    }
    window.reset(); // before the style goes
}

QTEST_MAIN(TestChartWindow)
#include "tst_chartwindow.moc"
