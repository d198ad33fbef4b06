// The chart window driven through its widgets: it shows the engine's chart,
// a refusal empties it, Ctrl+C copies the command line's text chart, the PDF
// holds the chart as text, and nothing is cut off.
#include "chartmode.h"
#include "chartview.h"
#include "chartwindow.h"
#include "datefield.h"
#include "meanings.h"
#include "meaningview.h"
#include "messagespy.h"
#include "reportdetails.h"
#include "settings.h"
#include "timeline.h"
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
#include <QSettings>
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
    void initTestCase();
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
    void reportDetailsAndAppendix();
    void titleFitsOneLine_data();
    void titleFitsOneLine();
    void nothingIsCutOff();
    void timelineBands_data();
    void timelineBands();

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

    // The PDF at `path` as pdftotext reads it, flattened unless asked for
    // its lines; empty without pdftotext.
    static QString PdfText(const QString &path, bool flattened = true);

    QTemporaryDir scratch; // the settings store, and the PDFs of the report's tests
    std::unique_ptr<MessageSpy> spy;
    std::unique_ptr<ChartWindow> window;
    QLineEdit *nameEdit = nullptr;
    DateField *birthEdit = nullptr;
    DateField *readingEdit = nullptr;
};

void TestChartWindow::initTestCase()
{
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, scratch.path());
}

QString TestChartWindow::PdfText(const QString &path, bool flattened)
{
    const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (pdftotext.isEmpty())
        return QString();
    QProcess reader;
    reader.start(pdftotext, {QStringLiteral("-raw"), path, QStringLiteral("-")});
    reader.waitForFinished();
    const QString text = QString::fromUtf8(reader.readAllStandardOutput());
    return flattened ? Flattened(text) : text;
}

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

    // Every value carries its meanings: shown line by line under it, and said
    // to screen readers as its description; none for the lists of characters.
    const Date today = chartview::ChartDate(readingEdit->today());
    for (const chart::ChartRow &row : chart::ChartRows) {
        // The name in use, the bridges, the transits and the years ahead have
        // a section of their own.
        if (row.jsonOnly || row.ofNameInUse || !chart::MembersOf(row).empty() || row.section == chart::Section::Years)
            continue;
        std::vector<chart::ChartLine> lines;
        chart::AppendRowLines(row, expected, chart::Words::Shown, lines);
        for (const chart::ChartLine &line : lines) {
            const QString key = Text(line.key), plane = key.section(u'.', 1);
            const bool band = chart::HoldsSpans(row);
            const QString prefix = plane.isEmpty() ? key : plane + QStringLiteral("Plane");
            const QString holder = row.section == chart::Section::Core ? key + QStringLiteral("Number")
                                   : row.key == "inclusion"             ? QStringLiteral("inclusionGrid")
                                   : chart::NumberOf(row, expected) && row.section == chart::Section::Cycles
                                       ? key + QStringLiteral("Value")
                                       : prefix;
            const std::vector<chart::Meaning> meanings = chart::LineMeanings(line, expected, today);
            const QWidget *value = window->findChild<QWidget *>(holder);
            QVERIFY2(value, qPrintable(holder));
            QCOMPARE(value->accessibleDescription(), chartview::MeaningSentences(meanings));
            for (std::size_t i = 0; i < meanings.size() && !band; ++i) {
                const QLabel *shown = window->findChild<QLabel *>(prefix + QStringLiteral("Meaning") +
                                                                  (i ? QString::number(i + 1) : QString()));
                QVERIFY2(shown && shown->isVisible(), qPrintable(prefix));
                QCOMPARE(shown->text(), chartview::MeaningSentences({meanings[i]}));
            }
        }
    }
    // A paragraph opens from the keyboard; a band chosen shows its meaning.
    auto *more = window->findChild<QToolButton *>(QStringLiteral("lifePathMore"));
    more->setFocus();
    QTest::keyClick(more, Qt::Key_Space);
    QVERIFY(window->findChild<QLabel *>(QStringLiteral("lifePathParagraph"))->isVisible());
    QCOMPARE(label(QStringLiteral("lifePathParagraph")), Text(chart::NumberParagraph(expected.lifePath.value)));
    window->findChild<QWidget *>(QStringLiteral("challenges2"))->setFocus();
    QVERIFY(label(QStringLiteral("bandName")).startsWith(QStringLiteral("Challenge 2, ages ")));
    QCOMPARE(window->findChild<QWidget *>(QStringLiteral("challenges2"))->accessibleDescription(),
             label(QStringLiteral("bandMeaning")));

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

    QString text = PdfText(path);
    if (text.isEmpty())
        QSKIP("pdftotext (poppler-utils) is not installed: the PDF cannot be read back");
    // A line that goes on over a page's foot reads on as one.
    text.remove(QRegularExpression(QStringLiteral("Page \\d+ of \\d+ ")));

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
        // Each place's meaning, for every number it holds.
        std::vector<chart::ChartLine> lines;
        chart::AppendRowLines(row, expected, chart::Words::Shown, lines);
        for (const chart::ChartLine &line : lines)
            for (const chart::Meaning &meaning : chart::LineMeanings(line, expected, chartview::ChartDate(readingEdit->today())))
                wanted << Text(meaning.line);
    }
    // The values alone: a long label wraps in its cell, and a row across a
    // page's foot is drawn on both pages, clipped, and its text read twice.
    for (const chartview::ShownLine &line : chartview::ShownLines(chart::Section::Rest, expected, true))
        wanted << line.value;
    // The years ahead: the heading and each row's cells as the window shows them.
    wanted << Text(chart::ForecastHeading(expected));
    for (const chart::ForecastYear &year : expected.forecast) {
        QStringList cells;
        for (std::size_t c = 0; c < std::size(chart::ForecastColumns); ++c)
            cells << chartview::ForecastCellShown(year, c);
        wanted << cells.join(u' ');
    }
    wanted << QStringLiteral("Personal year %1 ").arg(expected.personalYear.value) + Text(expected.personalYear.steps)
           << QStringLiteral("1: %1, 2: %2").arg(expected.inclusion[0]).arg(expected.inclusion[1]);
    for (const QString &part : wanted)
        QVERIFY2(text.contains(Flattened(part)), qPrintable(part));
    QCOMPARE(chartview::PageSizeFor(QLocale()), QPageSize::Letter);
    QCOMPARE(chartview::PageSizeFor(QLocale(QLocale::French, QLocale::France)), QPageSize::A4);
}

void TestChartWindow::reportDetailsAndAppendix()
{
    // The details go through the settings store, beside the update
    // reminder's key, which they leave as it was.
    QVERIFY(SaveSetting(QStringLiteral("Settings"), QStringLiteral("Duration"), QStringLiteral("2026-01-01")));
    QVERIFY(LoadReportDetails().isEmpty() && !ReportLeavesOutAppendix());
    birthEdit->setDate(QDate(1962, 7, 3));
    typeName(QStringLiteral("Ivan Petrov Jr"));
    const QString path = scratch.filePath(QStringLiteral("chart.pdf"));
    QVERIFY(window->saveAsPdf(path));
    const QString plain = PdfText(path);
    if (plain.isEmpty())
        QSKIP("pdftotext (poppler-utils) is not installed: the PDF cannot be read back");

    QVERIFY(SaveReportDetails({QStringLiteral(" Dana Reyes "), QStringLiteral("dana@example.org")}));
    auto *leaveOut = window->findChild<QAction *>(QStringLiteral("chartLeaveOutAppendix"));
    QVERIFY(leaveOut->isCheckable() && !leaveOut->isChecked());
    leaveOut->trigger();
    QCOMPARE(LoadReportDetails().practitioner + u'|' + LoadReportDetails().contact,
             QStringLiteral("Dana Reyes|dana@example.org"));
    QVERIFY(ReportLeavesOutAppendix());
    QCOMPARE(GetSetting(QStringLiteral("Settings"), QStringLiteral("Duration")), QStringLiteral("2026-01-01"));
    QVERIFY(window->saveAsPdf(path));
    const QString handed = PdfText(path);

    // Every page numbered "Page N of M"; the footer on each once entered.
    for (const QString &text : {plain, handed}) {
        const int pages = QRegularExpression(QStringLiteral("Page 1 of (\\d+)")).match(text).captured(1).toInt();
        QVERIFY(pages >= 2);
        for (int page = 1; page <= pages; ++page)
            QVERIFY(text.contains(QStringLiteral("Page %1 of %2").arg(page).arg(pages)));
        QCOMPARE(text.count(QStringLiteral("Dana Reyes \u00b7 dana@example.org")), text == plain ? 0 : pages);
    }
    // The appendix: the steps, the characters not counted, the parts left out.
    for (const QString &appendix : {QStringLiteral("Appendix"), QStringLiteral("How each number came about"),
                                    QStringLiteral("Parts left out \"Jr\""),
                                    Flattened(Text(engineChart().expression.steps))}) {
        QVERIFY2(plain.contains(appendix), qPrintable(appendix));
        QVERIFY2(!handed.contains(appendix), qPrintable(appendix));
    }
}

void TestChartWindow::titleFitsOneLine_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("lines");
    QTest::newRow("long: smaller type") << QStringLiteral("Alexandra Konstantinopoulou Papadimitriou") << 1;
    QTest::newRow("longer: between words")
        << QStringLiteral("Maria Magdalena Hildegard Wilhelmina Augusta Josephine von Hohenzollern") << 2;
}

void TestChartWindow::titleFitsOneLine()
{
    QFETCH(QString, name);
    QFETCH(int, lines);
    birthEdit->setDate(QDate(1962, 7, 3));
    typeName(name);
    const QString path = scratch.filePath(QStringLiteral("chart.pdf"));
    QVERIFY(window->saveAsPdf(path));
    const QStringList text = PdfText(path, false).split(u'\n');
    if (text.size() < 2)
        QSKIP("pdftotext (poppler-utils) is not installed: the PDF cannot be read back");
    // The lines above the birth date are the title's, each of whole words.
    QCOMPARE(text.indexOf(QRegularExpression(QStringLiteral("Born .*"))), lines);
    QCOMPARE(text.mid(0, lines).join(u' '), QStringLiteral("Numerology Chart of ") + name);
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
    for (int i = 0; i < 100 && QApplication::focusWidget() != toggle; ++i) {
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

void TestChartWindow::timelineBands_data()
{
    QTest::addColumn<QDate>("birth");
    QTest::addColumn<QDate>("reading");
    QTest::addColumn<int>("lastAge");
    QTest::newRow("age 42: to 90") << QDate(1984, 7, 23) << QDate(2026, 8, 1) << 90;
    QTest::newRow("age 96: ten years past it") << QDate(1930, 7, 3) << QDate(2026, 12, 9) << 106;
    QTest::newRow("age 0 on the birth") << QDate(2027, 3, 15) << QDate(2026, 12, 9) << 90;
}

void TestChartWindow::timelineBands()
{
    QFETCH(QDate, birth);
    QFETCH(QDate, reading);
    QFETCH(int, lastAge);
    chart::Chart made;
    QCOMPARE(chart::MakeChart(U"Ada Lovelace", chartview::ChartDate(birth), chartview::ChartDate(reading), made),
             chart::ChartRefusal::None);
    const QFontMetricsF metrics(window->font());
    const QRectF area(0, 0, metrics.averageCharWidth() * 70, chartview::TimelineHeight(metrics));
    const chartview::TimelineLayout layout = chartview::LayOutTimeline(area, made, metrics);
    QCOMPARE(layout.lastAge, lastAge);
    // The widest age under the scale stands inside the area.
    QVERIFY(layout.x(lastAge) + metrics.horizontalAdvance(QString::number(lastAge)) / 2 <= area.right());
    // Each band: its number, then the ages it covers where they fit, never
    // under the age line.
    std::vector<chart::Span> spans;
    for (const chart::ChartRow &row : chart::ChartRows) {
        for (const chart::Span &span : chart::SpansOf(row, made))
            spans.push_back(span);
    }
    QCOMPARE(layout.bands.size(), spans.size());
    int withAges = 0;
    for (std::size_t i = 0; i < spans.size(); ++i) {
        const chartview::TimelineBand &band = layout.bands[i];
        const chart::Span &span = spans[i];
        const QString number = QString::number(span.number.value);
        const QString ages = span.toAge < 0 ? QStringLiteral("%1 on").arg(span.fromAge)
                             : span.toAge - 1 == span.fromAge
                                 ? QString::number(span.fromAge)
                                 : QStringLiteral("%1\u2013%2").arg(span.fromAge).arg(span.toAge - 1);
        QVERIFY2(band.text == number || band.text == number + QStringLiteral("  ") + ages, qPrintable(band.text));
        withAges += band.text != number;
        QVERIFY2(layout.ageX <= band.textRect.left() || layout.ageX >= band.textRect.right(), qPrintable(band.text));
        QVERIFY(band.rect.contains(band.textRect) || band.text == number);
    }
    QVERIFY(withAges >= 3); // the long spans, at least the last of each row
}

QTEST_MAIN(TestChartWindow)
#include "tst_chartwindow.moc"
