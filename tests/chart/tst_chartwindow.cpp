// The chart window driven through its widgets: what it shows for a name and
// a birth date is the engine's chart, a refusal empties it, Ctrl+C copies the
// command line's text chart, and the PDF holds the chart as text.
#include "chartdocument.h"
#include "chartmode.h"
#include "chartview.h"
#include "chartwindow.h"
#include "messagespy.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDateEdit>
#include <QFile>
#include <QFormLayout>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QProxyStyle>
#include <QRegularExpression>
#include <QSet>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include <memory>

using namespace veltara;

namespace {

// The engine's chart of a name and dates, as the window's tests expect it.
chart::ChartRefusal EngineChart(const QString &name, QDate birth, QDate on, chart::Chart &out)
{
    const std::u32string points = name.toStdU32String();
    return chart::MakeChart(points, chartview::ChartDate(birth), chartview::ChartDate(on), out);
}

QString Text(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// Blanks of any kind and number as one space, for text a PDF reader rewraps.
QString Flattened(QString text)
{
    static const QRegularExpression blanks(QStringLiteral("\\s+"));
    // Ligatures such as "fi" come back from the PDF as one character.
    return text.normalized(QString::NormalizationForm_KC).replace(blanks, QStringLiteral(" ")).trimmed();
}

QString RunTool(const QString &tool, const QStringList &arguments)
{
    QProcess process;
    process.start(tool, arguments);
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        return {};
    return QString::fromUtf8(process.readAllStandardOutput());
}

// A style whose forms keep their fields at their preferred width, as some
// desktop styles have them.
class FieldsAtTheirSizeStyle : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;
    int styleHint(StyleHint hint, const QStyleOption *option, const QWidget *widget,
                  QStyleHintReturn *returned) const override
    {
        if (hint == SH_FormLayoutFieldGrowthPolicy)
            return QFormLayout::FieldsStayAtSizeHint;
        return QProxyStyle::styleHint(hint, option, widget, returned);
    }
};

// The labels of a widget that do not show their whole text.
QStringList CutLabels(const QWidget *area)
{
    QStringList cut;
    for (const QLabel *shown : area->findChildren<QLabel *>()) {
        if (!shown->isVisible() || shown->text().isEmpty())
            continue;
        const bool fits = shown->wordWrap()
                              ? shown->heightForWidth(shown->width()) <= shown->height()
                              : shown->fontMetrics().horizontalAdvance(shown->text()) <= shown->contentsRect().width();
        if (!fits)
            cut.append(shown->objectName() + QStringLiteral(": ") + shown->text());
    }
    return cut;
}

} // namespace

class TestChartWindow : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void showsTheEngineChart_data();
    void showsTheEngineChart();
    void refusals_data();
    void refusals();
    void stepsOpenAndCloseByKeyboard();
    void nothingIsCutOff_data();
    void nothingIsCutOff();
    void ctrlCCopiesTheTextChart();
    void pdfHoldsTheChartAsText();
    void failedPdfWriteIsTold();
    void followsTheDesktopPalette();
    void pageSizeFollowsTheLocale_data();
    void pageSizeFollowsTheLocale();
    void dateFormatKeepsEveryYear_data();
    void dateFormatKeepsEveryYear();

private:
    template <typename T>
    T *child(const QString &name) const
    {
        return window->findChild<T *>(name);
    }
    QString label(const QString &name) const { return child<QLabel>(name)->text(); }
    void typeName(const QString &name);
    QStringList shownTexts() const;

    std::unique_ptr<MessageSpy> spy;
    std::unique_ptr<ChartWindow> window;
    QLineEdit *nameEdit = nullptr;
    QDateEdit *birthEdit = nullptr;
    QDateEdit *readingEdit = nullptr;
};

void TestChartWindow::initTestCase()
{
    // Dates and paper as in the United States, whatever the machine's locale.
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
}

void TestChartWindow::init()
{
    spy = std::make_unique<MessageSpy>();
    window = std::make_unique<ChartWindow>();
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    nameEdit = child<QLineEdit>(QStringLiteral("chartName"));
    birthEdit = child<QDateEdit>(QStringLiteral("birthDate"));
    readingEdit = child<QDateEdit>(QStringLiteral("readingDate"));
    QVERIFY(nameEdit && birthEdit && readingEdit);
    QCOMPARE(readingEdit->date(), QDate::currentDate());
}

void TestChartWindow::cleanup()
{
    window.reset();
    spy.reset();
}

void TestChartWindow::typeName(const QString &name)
{
    nameEdit->setFocus();
    nameEdit->selectAll();
    QTest::keyClick(nameEdit, Qt::Key_Backspace);
    // Key by key as a user types; beyond ASCII as events that carry text.
    for (const QChar c : name) {
        if (c.unicode() < 0x80)
            QTest::keyClick(nameEdit, c.toLatin1());
        else
            QTest::sendKeyEvent(QTest::Click, nameEdit, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
    QCOMPARE(nameEdit->text(), name);
}

// Every text the chart area shows, the inputs aside.
QStringList TestChartWindow::shownTexts() const
{
    QStringList texts;
    for (const QLabel *shown : child<QWidget>(QStringLiteral("chartArea"))->findChildren<QLabel *>()) {
        if (shown->buddy() == nullptr && !shown->text().isEmpty() && shown->objectName().size() > 0)
            texts.append(shown->objectName());
    }
    return texts;
}

void TestChartWindow::showsTheEngineChart_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QDate>("birth");

    QTest::newRow("Ada Lovelace, the manual's example") << QStringLiteral("Ada Lovelace") << QDate(1815, 12, 10);
    QTest::newRow("one part: karmic debt 14 on personality") << QStringLiteral("Strauss") << QDate(1825, 10, 25);
    QTest::newRow("expression 5 + 9 = 14") << QStringLiteral("Leo Sun") << QDate(1980, 1, 5);
    QTest::newRow("birthday 29 is the master 11") << QStringLiteral("Ann Smith") << QDate(1999, 9, 29);
    QTest::newRow("birthday 19 carries its debt") << QStringLiteral("Ann") << QDate(1970, 3, 19);
    QTest::newRow("letters with marks, uncounted characters")
        << QStringLiteral("Jos\u00e9 N\u00fa\u00f1ez-O'Brien 3rd") << QDate(1, 1, 1);
    QTest::newRow("no vowel: soul urge 0") << QStringLiteral("Brynn Pfft") << QDate(1950, 12, 31);
    QTest::newRow("29 February of a leap year") << QStringLiteral("Leap Day") << QDate(2000, 2, 29);
}

void TestChartWindow::showsTheEngineChart()
{
    QFETCH(QString, name);
    QFETCH(QDate, birth);
    birthEdit->setDate(birth);
    typeName(name);

    chart::Chart expected;
    QCOMPARE(EngineChart(name, birth, readingEdit->date(), expected), chart::ChartRefusal::None);
    QVERIFY(window->showsChart());
    QVERIFY(child<QLabel>(QStringLiteral("refusalLine"))->isHidden());
    QVERIFY(!child<QWidget>(QStringLiteral("chartArea"))->isHidden());
    QVERIFY(child<QWidget>(QStringLiteral("cyclesArea"))->isHidden()); // never an empty box

    QSet<int> tileDebts;
    for (const chart::ChartNumberRow &row : chart::ChartNumberRows) {
        const QString key = Text(row.key);
        const chart::ChartNumber &number = expected.*row.number;
        const QString value = QString::number(number.value);
        const QString compound =
            number.total == static_cast<std::uint64_t>(number.value) ? value : QString::number(number.total) + QLatin1Char('/') + value;
        const QString place = Text(row.label).left(1) + Text(row.label).mid(1).toLower();
        QCOMPARE(label(key + QStringLiteral("Number")), compound);
        QCOMPARE(label(key + QStringLiteral("Name")), place);
        QCOMPARE(child<QFrame>(key + QStringLiteral("Tile"))->accessibleName(), place + QLatin1Char(' ') + value);
        QVERIFY(!label(key + QStringLiteral("Meaning")).isEmpty());
        QCOMPARE(label(key + QStringLiteral("Steps")), Text(number.steps));
        const QString debt = label(key + QStringLiteral("Debt"));
        if (!debt.isEmpty()) {
            QVERIFY2(row.carriesDebts, qPrintable(key));
            tileDebts.insert(debt.section(QLatin1Char(' '), -1).toInt());
        }
    }
    // The debts on the tiles are the chart's debts, each on its number.
    const QSet<int> chartDebts(expected.karmicDebts.begin(), expected.karmicDebts.end());
    QCOMPARE(tileDebts, chartDebts);

    auto listed = [](const std::vector<int> &numbers) {
        QStringList texts;
        for (const int n : numbers)
            texts.append(QString::number(n));
        return texts.isEmpty() ? QStringLiteral("none") : texts.join(QStringLiteral(", "));
    };
    QCOMPARE(label(QStringLiteral("karmicLessons")), listed(expected.karmicLessons));
    QCOMPARE(label(QStringLiteral("hiddenPassion")), listed(expected.hiddenPassion));
    QCOMPARE(label(QStringLiteral("karmicDebt")), listed(expected.karmicDebts));
    const QString chaldean = expected.chaldean.compound == static_cast<std::uint64_t>(expected.chaldean.root)
                                 ? QString::number(expected.chaldean.root)
                                 : QStringLiteral("%1/%2").arg(expected.chaldean.compound).arg(expected.chaldean.root);
    QCOMPARE(label(QStringLiteral("chaldean")), chaldean);
    QCOMPARE(child<QLabel>(QStringLiteral("chaldean"))->accessibleName(), QStringLiteral("Chaldean ") + chaldean);
    QCOMPARE(label(QStringLiteral("chaldeanSteps")), Text(expected.chaldean.steps));
    QCOMPARE(label(QStringLiteral("uncounted")) == QStringLiteral("none"), expected.name.uncounted.empty());
}

void TestChartWindow::refusals_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QStringList>("filledDate"); // as the main window hands it over; empty: the editor's date
    QTest::addColumn<QDate>("birth");
    QTest::addColumn<QString>("line");

    // The engine's words, as the window writes them: one sentence.
    auto engineLine = [](chart::ChartRefusal refusal) {
        const QString line = chartview::Sentence(chart::RefusalText(refusal));
        return line.endsWith(QLatin1Char('.')) ? line : line + QLatin1Char('.');
    };
    auto dateLine = [](const QStringList &fields) {
        std::vector<std::string> utf8;
        for (const QString &field : fields)
            utf8.push_back(field.toStdString());
        Date date;
        std::string problem;
        chart::ParseChartDate(std::vector<std::string_view>(utf8.begin(), utf8.end()), date, problem);
        return QStringLiteral("The birth date is not taken: ") + Text(problem);
    };
    const QDate birth(1980, 1, 5);
    const QStringList leapDay{QStringLiteral("29"), QStringLiteral("February"), QStringLiteral("1999")};
    const QStringList unknownMonth{QStringLiteral("05"), QStringLiteral("Foo"), QStringLiteral("1980")};
    const QStringList emptyDay{QString(), QStringLiteral("May"), QStringLiteral("1980")};
    QTest::newRow("empty name") << QString() << QStringList() << birth
                                << QStringLiteral("Type a full name to see its chart.");
    QTest::newRow("no letter") << QStringLiteral("1234 -- !") << QStringList() << birth
                               << engineLine(chart::ChartRefusal::NoLetter);
    QTest::newRow("reading date before the birth") << QStringLiteral("Ann") << QStringList() << QDate(9000, 1, 1)
                                                   << engineLine(chart::ChartRefusal::BeforeBirth);
    QTest::newRow("29 February of a common year") << QStringLiteral("Ann") << leapDay << birth << dateLine(leapDay);
    QTest::newRow("a month name the chart does not know")
        << QStringLiteral("Ann") << unknownMonth << birth << dateLine(unknownMonth);
    QTest::newRow("empty day") << QStringLiteral("Ann") << emptyDay << birth << dateLine(emptyDay);
}

void TestChartWindow::refusals()
{
    QFETCH(QString, name);
    QFETCH(QStringList, filledDate);
    QFETCH(QDate, birth);
    QFETCH(QString, line);

    // A chart first, so that the refusal must empty it.
    birthEdit->setDate(QDate(1815, 12, 10));
    typeName(QStringLiteral("Ada Lovelace"));
    QVERIFY(window->showsChart());

    if (filledDate.isEmpty()) {
        birthEdit->setDate(birth);
        typeName(name);
    } else {
        window->fill(name, filledDate);
    }
    const QLabel *refusal = child<QLabel>(QStringLiteral("refusalLine"));
    QVERIFY(!refusal->isHidden());
    QCOMPARE(refusal->text(), line);
    QVERIFY(!refusal->text().contains(QLatin1Char('\n')));
    QVERIFY(!window->showsChart());
    QVERIFY(child<QWidget>(QStringLiteral("chartArea"))->isHidden());
    QCOMPARE(shownTexts(), QStringList());
    QVERIFY(!child<QAction>(QStringLiteral("chartSavePdf"))->isEnabled());
    QVERIFY(!child<QAction>(QStringLiteral("chartCopy"))->isEnabled());
    QCOMPARE(spy->shown, QList<ShownMessage>()); // no message box

    // Putting the inputs right brings the chart back.
    birthEdit->setDate(QDate(1815, 12, 11));
    birthEdit->setDate(QDate(1815, 12, 10));
    typeName(QStringLiteral("Ada Lovelace"));
    QVERIFY(window->showsChart());
    QVERIFY(refusal->isHidden());
    QCOMPARE(label(QStringLiteral("lifePathNumber")), QStringLiteral("10/1"));
}

void TestChartWindow::stepsOpenAndCloseByKeyboard()
{
    typeName(QStringLiteral("Ada Lovelace"));
    auto *toggle = child<QToolButton>(QStringLiteral("stepsToggle"));
    const QWidget *steps = child<QWidget>(QStringLiteral("stepsArea"));
    QVERIFY(steps->isHidden());
    // From the name field, Tab passes through both dates (section by
    // section) to the section's button.
    QStringList passed;
    for (int i = 0; i < 12 && QApplication::focusWidget() != toggle; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        if (passed.isEmpty() || passed.back() != QApplication::focusWidget()->objectName())
            passed.append(QApplication::focusWidget()->objectName());
    }
    QCOMPARE(passed, QStringList({QStringLiteral("birthDate"), QStringLiteral("readingDate"),
                                  QStringLiteral("stepsToggle")}));
    QTest::keyClick(toggle, Qt::Key_Space);
    QVERIFY(steps->isVisible());
    QVERIFY(!label(QStringLiteral("expressionSteps")).isEmpty());
    QTest::keyClick(toggle, Qt::Key_Space);
    QVERIFY(steps->isHidden());
}

void TestChartWindow::nothingIsCutOff_data()
{
    QTest::addColumn<bool>("fieldsAtTheirSize");
    QTest::newRow("the test style") << false;
    QTest::newRow("a style that keeps form fields at their size") << true;
}

void TestChartWindow::nothingIsCutOff()
{
    QFETCH(bool, fieldsAtTheirSize);
    FieldsAtTheirSizeStyle style(QStringLiteral("Fusion"));
    if (fieldsAtTheirSize) {
        window->setStyle(&style);
        for (QWidget *widget : window->findChildren<QWidget *>())
            widget->setStyle(&style);
    }
    // Long steps in a narrow window must wrap.
    window->resize(420, 600);
    typeName(QStringLiteral("Maria Magdalena Hildegard Wilhelmina von Hohenzollern-Sigmaringen"));
    child<QToolButton>(QStringLiteral("stepsToggle"))->setChecked(true);
    QTRY_VERIFY(child<QWidget>(QStringLiteral("stepsArea"))->isVisible());
    QCoreApplication::processEvents();
    QCOMPARE(CutLabels(child<QWidget>(QStringLiteral("chartArea"))), QStringList());
    window.reset(); // before the style goes
}

void TestChartWindow::ctrlCCopiesTheTextChart()
{
    const QString name = QStringLiteral("Ada Lovelace");
    birthEdit->setDate(QDate(1815, 12, 10));
    typeName(name);
    QGuiApplication::clipboard()->setText(QStringLiteral("before"));

    // A selection in the name field is the field's to copy.
    nameEdit->setSelection(0, 3);
    QTest::keyClick(nameEdit, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("Ada"));

    // Without one, Ctrl+C copies the text chart of the command line.
    nameEdit->deselect();
    QTest::keyClick(nameEdit, Qt::Key_C, Qt::ControlModifier);
    chart::Chart expected;
    QCOMPARE(EngineChart(name, birthEdit->date(), readingEdit->date(), expected), chart::ChartRefusal::None);
    const std::string text = reading::ChartText(name.toStdString(), expected);
    QCOMPARE(QGuiApplication::clipboard()->text(), Text(text));
    QVERIFY(QGuiApplication::clipboard()->text().contains(QStringLiteral("Chaldean          3 (compound 39)")));
}

void TestChartWindow::pdfHoldsTheChartAsText()
{
    const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (pdftotext.isEmpty())
        QSKIP("pdftotext (poppler-utils) is not installed: the PDF cannot be read back");
    const QString name = QStringLiteral("Jos\u00e9 Lovelace");
    birthEdit->setDate(QDate(1815, 12, 10));
    readingEdit->setDate(QDate(2024, 6, 30));
    typeName(name);
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("chart.pdf"));
    QVERIFY(window->saveAsPdf(path));
    QCOMPARE(spy->shown, QList<ShownMessage>());

    const QString text = Flattened(RunTool(pdftotext, {QStringLiteral("-raw"), QStringLiteral("-enc"),
                                                       QStringLiteral("UTF-8"), path, QStringLiteral("-")}));
    QVERIFY2(!text.isEmpty(), "pdftotext read no text");
    const QLocale locale;
    QStringList wanted{QStringLiteral("Numerology Chart of ") + name,
                       locale.toString(QDate(1815, 12, 10), QLocale::LongFormat),
                       locale.toString(QDate(2024, 6, 30), QLocale::LongFormat)};
    chart::Chart expected;
    QCOMPARE(EngineChart(name, birthEdit->date(), readingEdit->date(), expected), chart::ChartRefusal::None);
    for (const chart::ChartNumberRow &row : chart::ChartNumberRows) {
        wanted.append(chartview::PlaceName(row.label) + QLatin1Char(' ') + chartview::CompoundText(expected.*row.number));
        wanted.append(Flattened(Text((expected.*row.number).steps)));
        wanted.append(chartview::TileMeaning(row, expected));
    }
    wanted.append(Flattened(Text(expected.chaldean.steps)));
    for (const chartview::RestRow &row : chartview::RestRows)
        wanted.append(QLatin1String(row.label) + QLatin1Char(' ') + row.text(expected));
    for (const QString &part : wanted)
        QVERIFY2(text.contains(Flattened(part)), qPrintable(part + QStringLiteral(" not in: ") + text));

    const QString pdfinfo = QStandardPaths::findExecutable(QStringLiteral("pdfinfo"));
    if (!pdfinfo.isEmpty()) // Letter, as the United States use
        QVERIFY(RunTool(pdfinfo, {path}).contains(QStringLiteral("612 x 792 pts (letter)")));
}

void TestChartWindow::failedPdfWriteIsTold()
{
    typeName(QStringLiteral("Ada Lovelace"));
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("no such folder/chart.pdf"));
    QVERIFY(!window->saveAsPdf(path));
    QCOMPARE(spy->shown.size(), 1);
    const ShownMessage &told = spy->shown.front();
    QVERIFY2(told.text.startsWith(QStringLiteral("The chart could not be saved as ") + path), qPrintable(told.text));
    QCOMPARE(told.style, MsgStyle::OkOnly + MsgStyle::Critical);
    QCOMPARE(told.title, QStringLiteral("Save as PDF"));
    QVERIFY(!QFile::exists(path));
    // Nothing is lost: the chart stays, and saves where it can.
    QVERIFY(window->showsChart());
    QCOMPARE(nameEdit->text(), QStringLiteral("Ada Lovelace"));
    QVERIFY(window->saveAsPdf(folder.filePath(QStringLiteral("chart.pdf"))));
    QFile written(folder.filePath(QStringLiteral("chart.pdf")));
    QVERIFY(written.open(QIODevice::ReadOnly));
    QVERIFY(written.read(5) == "%PDF-");
    QCOMPARE(spy->shown.size(), 1);
}

void TestChartWindow::followsTheDesktopPalette()
{
    // A dark desktop palette reaches the window and its tiles.
    const QPalette before = QApplication::palette();
    QPalette dark = before;
    dark.setColor(QPalette::Window, QColor(30, 30, 30));
    dark.setColor(QPalette::Base, QColor(20, 20, 20));
    dark.setColor(QPalette::WindowText, QColor(230, 230, 230));
    QApplication::setPalette(dark);
    QCoreApplication::processEvents(); // the change reaches the widgets as posted events
    typeName(QStringLiteral("Ann"));
    const QWidget *tile = child<QWidget>(QStringLiteral("lifePathTile"));
    const QColor ground = window->palette().color(QPalette::Window);
    const QColor tileGround = tile->palette().color(tile->backgroundRole());
    const QColor text = child<QLabel>(QStringLiteral("lifePathNumber"))->palette().color(QPalette::WindowText);
    QApplication::setPalette(before);
    QCOMPARE(ground, QColor(30, 30, 30));
    QCOMPARE(tileGround, QColor(20, 20, 20));
    QCOMPARE(text, QColor(230, 230, 230));
}

void TestChartWindow::pageSizeFollowsTheLocale_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<int>("size");

    QTest::newRow("en_US") << QLocale(QLocale::English, QLocale::UnitedStates) << int(QPageSize::Letter);
    QTest::newRow("en_CA") << QLocale(QLocale::English, QLocale::Canada) << int(QPageSize::Letter);
    QTest::newRow("fr_CA") << QLocale(QLocale::French, QLocale::Canada) << int(QPageSize::Letter);
    QTest::newRow("es_MX") << QLocale(QLocale::Spanish, QLocale::Mexico) << int(QPageSize::Letter);
    QTest::newRow("fil_PH") << QLocale(QLocale::Filipino, QLocale::Philippines) << int(QPageSize::Letter);
    QTest::newRow("en_GB") << QLocale(QLocale::English, QLocale::UnitedKingdom) << int(QPageSize::A4);
    QTest::newRow("fr_FR") << QLocale(QLocale::French, QLocale::France) << int(QPageSize::A4);
    QTest::newRow("es_ES") << QLocale(QLocale::Spanish, QLocale::Spain) << int(QPageSize::A4);
    QTest::newRow("en_AU") << QLocale(QLocale::English, QLocale::Australia) << int(QPageSize::A4);
    QTest::newRow("C") << QLocale::c() << int(QPageSize::A4);
}

void TestChartWindow::pageSizeFollowsTheLocale()
{
    QFETCH(QLocale, locale);
    QFETCH(int, size);
    QCOMPARE(int(chartview::PageSizeFor(locale)), size);
}

void TestChartWindow::dateFormatKeepsEveryYear_data()
{
    QTest::addColumn<QLocale>("locale");
    for (const QLocale &locale :
         {QLocale(QLocale::English, QLocale::UnitedStates), QLocale(QLocale::English, QLocale::UnitedKingdom),
          QLocale(QLocale::German, QLocale::Germany), QLocale(QLocale::Japanese, QLocale::Japan),
          QLocale(QLocale::Korean, QLocale::SouthKorea), QLocale(QLocale::Dutch, QLocale::Netherlands), QLocale::c()})
        QTest::newRow(qPrintable(locale.name())) << locale;
}

void TestChartWindow::dateFormatKeepsEveryYear()
{
    QFETCH(QLocale, locale);
    const QString format = chartview::DateFormat(locale);
    QVERIFY2(format.count(QStringLiteral("yyyy")) == 1, qPrintable(format));
    // The first and last dates of the editors, and one whose day and month
    // a two-digit year could be mistaken for, come back from their text.
    for (const QDate date : {QDate(1, 1, 1), QDate(9999, 12, 31), QDate(1912, 12, 19)})
        QCOMPARE(locale.toDate(locale.toString(date, format), format), date);
}

QTEST_MAIN(TestChartWindow)
#include "tst_chartwindow.moc"
