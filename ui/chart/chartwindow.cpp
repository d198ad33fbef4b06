#include "chartwindow.h"

#include "chartdocument.h"
#include "chartwords.h"
#include "datefield.h"
#include "meaningview.h"
#include "messages.h"
#include "reportdetailsdialog.h"
#include "restwidgets.h"
#include "text.h"
#include "textunits.h"
#include "timeline.h"
#include "yearsahead.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFileDialog>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QSaveFile>
#include <QScreen>
#include <QScrollArea>
#include <QStandardPaths>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

namespace veltara {

namespace {


// The tiles stand in rows of three.
constexpr int TileColumns = 3;

// The most meanings a row holds: one for each number of a list (karmic
// lessons, hidden passion: up to nine), none for the lists of texts, one
// otherwise.
std::size_t MeaningCapacity(const chart::ChartRow &row)
{
    if (std::holds_alternative<std::vector<int> chart::Chart::*>(row.value))
        return 9;
    return std::holds_alternative<std::vector<std::u32string> chart::PreparedName::*>(row.value) ? 0 : 1;
}

// A line of the chart for a row that has one (a number).
chart::ChartLine LineOf(const chart::ChartRow &row)
{
    return {&row, std::string(row.key), {}, {}, Breaks::AtSpaces, 0};
}

// A form whose values take the width there is, whatever the style's habit:
// a long line of steps wraps instead of being cut off.
QFormLayout *MakeForm(QWidget *parent)
{
    auto *form = new QFormLayout(parent);
    form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    return form;
}

// A text of the engine (UTF-8) with its first letter in upper case.
QString Sentence(std::string_view text)
{
    const QString sentence = ToQString(text);
    return sentence.left(1).toUpper() + sentence.mid(1);
}

QFont ScaledFont(QFont font, qreal factor, bool bold)
{
    font.setPointSizeF(font.pointSizeF() * factor);
    font.setBold(bold);
    return font;
}

// Whether a field (a line edit, a label, a date field) has selected text
// the user may copy.
bool HasSelection(QObject *field)
{
    if (const auto *edit = qobject_cast<QLineEdit *>(field))
        return edit->hasSelectedText();
    if (const auto *label = qobject_cast<QLabel *>(field))
        return label->hasSelectedText();
    if (const auto *edit = field->findChild<QLineEdit *>())
        return edit->hasSelectedText();
    return false;
}

// The name's characters as the chart reads them, into storage kept from
// call to call.
const std::u32string &CodePoints(const QString &text, std::u32string &points)
{
    points.clear();
    const std::u16string_view units = Units(text);
    for (std::size_t i = 0; i < units.size();)
        points.push_back(NextCodePoint(units, i));
    return points;
}

} // namespace

ChartWindow::ChartWindow(QWidget *parent)
    : QMainWindow(parent)
{
    setObjectName(QStringLiteral("chartWindow"));
    setWindowTitle(QStringLiteral("Numerology Chart"));

    m_scroll = new QScrollArea(this);
    m_scroll->setObjectName(QStringLiteral("chartScroll"));
    m_scroll->setWidgetResizable(true);
    m_scroll->setFrameShape(QFrame::NoFrame);
    auto *page = new QWidget(m_scroll);
    page->setObjectName(QStringLiteral("chartPage"));
    auto *pageLayout = new QVBoxLayout(page);

    createActions();
    createInputs(page);
    m_chartArea = new QWidget(page);
    m_chartArea->setObjectName(QStringLiteral("chartArea"));
    auto *areaLayout = new QVBoxLayout(m_chartArea);
    areaLayout->setContentsMargins(0, 0, 0, 0);
    createCoreNumbers(m_chartArea);
    createCycles(m_chartArea);
    m_yearsAhead = new chartview::YearsAhead(m_chartArea);
    areaLayout->addWidget(m_yearsAhead);
    connect(m_yearsAhead, &chartview::YearsAhead::yearsChanged, this, &ChartWindow::remake);
    createRest(m_chartArea);
    createSteps(m_chartArea);
    pageLayout->addWidget(m_chartArea);
    pageLayout->addStretch(1);
    m_scroll->setWidget(page);
    setCentralWidget(m_scroll);
    setFocusOrder();

    // Ctrl+C copies the chart unless a field holds a selection to copy.
    for (QWidget *widget : findChildren<QWidget *>()) {
        if (widget->focusPolicy() != Qt::NoFocus)
            widget->installEventFilter(this);
    }

    remake();
    const QRect screen = this->screen()->availableGeometry();
    const QSize wanted = sizeHint().expandedTo(QSize(fontMetrics().averageCharWidth() * 130,
                                                     fontMetrics().height() * 56));
    resize(wanted.boundedTo(screen.size() * 9 / 10));
}

void ChartWindow::createActions()
{
    QMenu *fileMenu = menuBar()->addMenu(QStringLiteral("&File"));
    fileMenu->setObjectName(QStringLiteral("chartFileMenu"));
    auto action = [this, fileMenu](const char *name, const QString &caption, QKeySequence keys, auto command) {
        QAction *item = fileMenu->addAction(caption);
        item->setObjectName(QLatin1String(name));
        item->setShortcut(keys);
        connect(item, &QAction::triggered, this, command);
        return item;
    };
    m_saveAction = action("chartSavePdf", QStringLiteral("Save as &PDF..."), QKeySequence::Save,
                          &ChartWindow::saveAsPdfAsked);
    m_copyAction = action("chartCopy", QStringLiteral("&Copy Chart"), QKeySequence::Copy, &ChartWindow::copyChart);
    fileMenu->addSeparator();
    // What the PDF carries besides the chart, kept in the settings.
    action("chartReportDetails", QStringLiteral("Report &Details..."), QKeySequence(),
           [this] { chartview::EditReportDetails(this); });
    m_leaveOutAppendix = action("chartLeaveOutAppendix", QStringLiteral("Leave Out the &Appendix"), QKeySequence(),
                                [](bool leaveOut) { SaveReportLeavesOutAppendix(leaveOut); });
    m_leaveOutAppendix->setCheckable(true);
    m_leaveOutAppendix->setChecked(ReportLeavesOutAppendix());
    fileMenu->addSeparator();
    action("chartClose", QStringLiteral("C&lose"), QKeySequence::Close, &ChartWindow::close);
}

void ChartWindow::createInputs(QWidget *page)
{
    auto *inputs = new QWidget(page);
    inputs->setObjectName(QStringLiteral("chartInputs"));
    auto *form = MakeForm(inputs);
    form->setContentsMargins(0, 0, 0, 0);

    m_nameEdit = new QLineEdit(inputs);
    m_nameEdit->setObjectName(QStringLiteral("chartName"));
    m_nameEdit->setClearButtonEnabled(true);
    m_birthEdit = new DateField(QStringLiteral("birthDate"), QStringLiteral("birth date"), inputs);
    m_readingEdit = new DateField(QStringLiteral("readingDate"), QStringLiteral("reading date"), inputs);
    m_readingEdit->setDate(QDate::currentDate());
    m_readingEdit->addTodayButton();
    m_currentNameEdit = new QLineEdit(inputs);
    m_currentNameEdit->setObjectName(QStringLiteral("chartCurrentName"));
    m_currentNameEdit->setClearButtonEnabled(true);
    m_currentNameEdit->setPlaceholderText(QStringLiteral("optional: the name used now"));
    m_currentNameEdit->setAccessibleName(QStringLiteral("Name in use"));
    form->addRow(QStringLiteral("Full &name:"), m_nameEdit);
    form->addRow(QStringLiteral("Name in &use:"), m_currentNameEdit);
    form->addRow(QStringLiteral("&Birth date:"), m_birthEdit);
    form->addRow(QStringLiteral("&Reading date:"), m_readingEdit);
    m_nameEdit->setAccessibleName(QStringLiteral("Full name"));

    m_refusalLine = chartview::MakeWrappedLabel(page, QStringLiteral("refusalLine"));
    m_refusalLine->setFont(ScaledFont(font(), 1.0, true));

    connect(m_nameEdit, &QLineEdit::textChanged, this, &ChartWindow::remake);
    connect(m_currentNameEdit, &QLineEdit::textChanged, this, &ChartWindow::remake);
    // A birth date that was not taken is said until the user changes it.
    connect(m_birthEdit, &DateField::edited, this, [this] {
        m_birthDateProblem.clear();
        remake();
    });
    connect(m_readingEdit, &DateField::edited, this, &ChartWindow::remake);

    auto *layout = static_cast<QVBoxLayout *>(page->layout());
    layout->addWidget(inputs);
    layout->addWidget(m_refusalLine);
}

void ChartWindow::createCoreNumbers(QWidget *area)
{
    auto *core = new QWidget(area);
    core->setObjectName(QStringLiteral("coreNumbers"));
    auto *grid = new QGridLayout(core);
    grid->setContentsMargins(0, 0, 0, 0);
    for (const chart::ChartRow *row : chart::RowsInOrder(chart::Section::Core, chart::Words::Shown)) {
        if (row->ofNameInUse) {
            // Beside its major number: "minorExpression" beside "expression".
            const std::string_view major = row->key.substr(5);
            for (Tile &tile : m_tiles) {
                if (tile.row->key.size() == major.size() && tile.row->key.substr(1) == major.substr(1)) {
                    tile.minorRow = row;
                    tile.minor =
                        chartview::MakeWrappedLabel(tile.frame, ToQString(row->key) + QStringLiteral("Number"));
                    static_cast<QVBoxLayout *>(tile.frame->layout())->insertWidget(4, tile.minor);
                }
            }
            continue;
        }
        const std::size_t i = m_tiles.size();
        const QString key = ToQString(row->key);
        Tile &tile = m_tiles.emplace_back();
        tile.row = row;
        tile.frame = new QFrame(core);
        tile.frame->setObjectName(key + QStringLiteral("Tile"));
        tile.frame->setFrameShape(QFrame::StyledPanel);
        tile.frame->setBackgroundRole(QPalette::Base);
        tile.frame->setAutoFillBackground(true);
        auto *layout = new QVBoxLayout(tile.frame);
        tile.number = chartview::MakeWrappedLabel(tile.frame, key + QStringLiteral("Number"));
        tile.number->setFont(ScaledFont(font(), 2.4, true));
        tile.number->setWordWrap(false);
        tile.name = chartview::MakeWrappedLabel(tile.frame, key + QStringLiteral("Name"));
        tile.name->setFont(ScaledFont(font(), 1.15, true));
        tile.debt = chartview::MakeWrappedLabel(tile.frame, key + QStringLiteral("Debt"));
        tile.meanings = new chartview::MeaningView(key, 1, tile.frame);
        for (QLabel *label : {tile.number, tile.name, tile.debt})
            layout->addWidget(label);
        layout->addWidget(tile.meanings);
        layout->addStretch(1);
        grid->addWidget(tile.frame, static_cast<int>(i) / TileColumns, static_cast<int>(i) % TileColumns);
    }
    for (int column = 0; column < TileColumns; ++column)
        grid->setColumnStretch(column, 1);
    area->layout()->addWidget(core);
}

void ChartWindow::createCycles(QWidget *area)
{
    m_cyclesArea = new QGroupBox(QStringLiteral("Cycles"), area);
    m_cyclesArea->setObjectName(QStringLiteral("cyclesArea"));
    auto *layout = new QVBoxLayout(m_cyclesArea);
    // Each number a small tile: its name over the number; the year's numbers
    // in a row, the transits and their essence in a row under it, so that
    // each tile has the width its meaning needs.
    auto *yearNumbers = new QHBoxLayout;
    auto *letterNumbers = new QHBoxLayout;
    QHBoxLayout *numbers = yearNumbers;
    for (const chart::ChartRow *row : chart::RowsInOrder(chart::Section::Cycles, chart::Words::Shown)) {
        if (chart::HoldsSpans(*row))
            continue; // on the timeline
        if (std::holds_alternative<std::array<chart::Transit, 3> chart::Chart::*>(row->value)) {
            numbers = letterNumbers;
            for (std::size_t i = 0; i < std::size(chart::TransitRows); ++i) {
                m_transitValues.push_back(addCycleTile(numbers, row,
                                                       ToQString(chart::TransitRows[i].key) + QStringLiteral("Transit"),
                                                       chart::ItemLabel(*row, i, chart::Words::Shown), 1.2));
            }
            continue;
        }
        m_cycleValues.push_back(
            addCycleTile(numbers, row, ToQString(row->key), chart::RowLabel(*row, chart::Words::Shown), 1.8));
        m_cycleValues.back().label->setWordWrap(false);
    }
    layout->addLayout(yearNumbers);
    layout->addLayout(letterNumbers);
    m_timeline = new chartview::CyclesTimeline(m_cyclesArea);
    layout->addWidget(m_timeline);
    // Under the timeline, the meanings of the band chosen.
    m_bandName = chartview::MakeWrappedLabel(m_cyclesArea, QStringLiteral("bandName"));
    m_bandName->setFont(ScaledFont(font(), 1.0, true));
    m_bandMeanings = new chartview::MeaningView(QStringLiteral("band"), 1, m_cyclesArea);
    layout->addWidget(m_bandName);
    layout->addWidget(m_bandMeanings);
    connect(m_timeline, &chartview::CyclesTimeline::bandChosen, this, [this](std::size_t band) {
        m_bandChosen = true;
        showBand(band);
    });
    area->layout()->addWidget(m_cyclesArea);
}

ChartWindow::Value ChartWindow::addCycleTile(QHBoxLayout *numbers, const chart::ChartRow *row, const QString &key,
                                             const std::string &name, qreal size)
{
    auto *tile = new QFrame(m_cyclesArea);
    tile->setFrameShape(QFrame::StyledPanel);
    tile->setBackgroundRole(QPalette::Base);
    tile->setAutoFillBackground(true);
    auto *layout = new QVBoxLayout(tile);
    QLabel *label = chartview::MakeWrappedLabel(tile, key + QStringLiteral("Name"));
    label->setText(ToQString(name));
    const Value value{row, chartview::MakeWrappedLabel(tile, key + QStringLiteral("Value")),
                      new chartview::MeaningView(key, 1, tile)};
    value.label->setFont(ScaledFont(font(), size, true));
    layout->addWidget(label);
    layout->addWidget(value.label);
    layout->addWidget(value.meanings);
    layout->addStretch(1);
    numbers->addWidget(tile, 1);
    return value;
}

void ChartWindow::createRest(QWidget *area)
{
    auto *restArea = new QGroupBox(QStringLiteral("The rest of the chart"), area);
    restArea->setObjectName(QStringLiteral("restArea"));
    auto *form = MakeForm(restArea);
    // Each value over its meanings.
    const auto field = [restArea](QWidget *value, chartview::MeaningView *meanings) {
        auto *cell = new QWidget(restArea);
        auto *layout = new QVBoxLayout(cell);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->setSpacing(2);
        value->setParent(cell);
        layout->addWidget(value);
        if (meanings) {
            meanings->setParent(cell);
            layout->addWidget(meanings);
        }
        return cell;
    };
    for (const chart::ChartLine &line : chartview::SectionLines(chart::Section::Rest, m_chart, false)) {
        const QString key = ToQString(line.key);
        const std::size_t capacity = MeaningCapacity(*line.row);
        Value &value = m_restValues.emplace_back();
        value.row = line.row;
        value.label = chartview::MakeWrappedLabel(restArea, key);
        value.meanings = capacity ? new chartview::MeaningView(key, capacity, restArea) : nullptr;
        form->addRow(ToQString(line.label) + QLatin1Char(':'), field(value.label, value.meanings));
    }
    m_inclusion = new chartview::InclusionGrid(restArea);
    m_inclusionMeaning = new chartview::MeaningView(QStringLiteral("inclusion"), 1, restArea);
    m_planes = new chartview::PlanesChart(restArea);
    form->addRow(QStringLiteral("Inclusion:"), field(m_inclusion, m_inclusionMeaning));
    form->addRow(QStringLiteral("Planes of expression:"), m_planes);
    area->layout()->addWidget(restArea);
}

void ChartWindow::createSteps(QWidget *area)
{
    m_stepsToggle = new QToolButton(area);
    m_stepsToggle->setObjectName(QStringLiteral("stepsToggle"));
    m_stepsToggle->setText(QStringLiteral("How each number came about"));
    m_stepsToggle->setCheckable(true);
    m_stepsToggle->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    m_stepsToggle->setArrowType(Qt::RightArrow);
    m_stepsToggle->setAutoRaise(true);
    m_stepsToggle->setFocusPolicy(Qt::StrongFocus);

    m_stepsArea = new QWidget(area);
    m_stepsArea->setObjectName(QStringLiteral("stepsArea"));
    auto *form = MakeForm(m_stepsArea);
    std::vector<chart::StepsLine> lines;
    chart::StepsLines(m_chart, chart::Words::Shown, lines);
    for (const chart::StepsLine &line : lines) {
        m_steps.push_back(chartview::MakeWrappedLabel(m_stepsArea, ToQString(line.key) + QStringLiteral("Steps")));
        form->addRow(ToQString(line.label) + QLatin1Char(':'), m_steps.back());
    }
    form->addRow(new QLabel(QStringLiteral("Pythagorean letter values; Chaldean values for the Chaldean number."),
                            m_stepsArea));
    m_stepsArea->hide();
    connect(m_stepsToggle, &QToolButton::toggled, this, [this](bool open) {
        m_stepsToggle->setArrowType(open ? Qt::DownArrow : Qt::RightArrow);
        m_stepsArea->setVisible(open);
        // The opened steps scroll into view once the page has its new size.
        if (open)
            QTimer::singleShot(0, this, [this] { m_scroll->ensureWidgetVisible(m_stepsArea, 0, 0); });
    });
    area->layout()->addWidget(m_stepsToggle);
    area->layout()->addWidget(m_stepsArea);
}

void ChartWindow::setFocusOrder()
{
    // As they stand: the fields, the tiles' meanings, the cycles', the bands
    // of the timeline and the chosen band's meaning, the rest's, the years
    // ahead's fields, then the steps' toggle.
    std::vector<QWidget *> chain{m_nameEdit, m_currentNameEdit, m_birthEdit, m_readingEdit};
    const auto add = [&chain](const chartview::MeaningView *view) {
        for (QWidget *button : view->focusChain())
            chain.push_back(button);
    };
    for (const Tile &tile : m_tiles)
        add(tile.meanings);
    for (const Value &value : m_cycleValues)
        add(value.meanings);
    for (QWidget *band : m_timeline->findChildren<QWidget *>()) {
        if (band->focusPolicy() != Qt::NoFocus)
            chain.push_back(band);
    }
    add(m_bandMeanings);
    for (const Value &value : m_restValues) {
        if (value.meanings)
            add(value.meanings);
    }
    add(m_inclusionMeaning);
    for (std::size_t i = 0; i < std::size(chart::PlaneRows); ++i)
        add(m_planes->meanings(i));
    for (QWidget *field : m_yearsAhead->findChildren<QWidget *>()) {
        if (field->focusPolicy() != Qt::NoFocus && field->parentWidget() == m_yearsAhead)
            chain.push_back(field);
    }
    chain.push_back(m_stepsToggle);
    for (std::size_t i = 1; i < chain.size(); ++i)
        setTabOrder(chain[i - 1], chain[i]);
}

void ChartWindow::fill(const QString &name, const QStringList &birthDateFields)
{
    std::vector<std::string> utf8;
    for (const QString &field : birthDateFields)
        utf8.push_back(field.toStdString());
    const std::vector<std::string_view> fields(utf8.begin(), utf8.end());
    Date date;
    std::string problem;
    const QSignalBlocker blocker(m_birthEdit);
    if (chart::ParseChartDate(fields, date, problem) == chart::ChartRefusal::None) {
        m_birthEdit->setDate(QDate(date.year, date.month, date.day));
        m_birthDateProblem.clear();
    } else {
        // The field shows what was handed over, for the user to mend.
        m_birthEdit->setText(birthDateFields.join(u' '));
        m_birthDateProblem = QStringLiteral("The birth date is not taken: ") + ToQString(problem);
    }
    // Setting the name makes the chart.
    if (m_nameEdit->text() == name)
        remake();
    else
        m_nameEdit->setText(name);
}

void ChartWindow::remake()
{
    if (!m_birthDateProblem.isEmpty()) {
        showRefusal(m_birthDateProblem);
        return;
    }
    // A date typed that does not read first, then what is still to type.
    const bool noName = m_nameEdit->text().isEmpty();
    const bool noBirth = m_birthEdit->problem() == DateProblem::Empty;
    if (!noBirth && !m_birthEdit->date().isValid()) {
        showRefusal(m_birthEdit->problemLine());
        return;
    }
    if (!m_readingEdit->date().isValid()) {
        showRefusal(m_readingEdit->problemLine());
        return;
    }
    if (noName || noBirth) {
        showRefusal(noName && noBirth ? QStringLiteral("Type a full name and a birth date to see their chart.")
                    : noName          ? QStringLiteral("Type a full name to see its chart.")
                                      : m_birthEdit->problemLine());
        return;
    }
    const chart::ChartOptions options{CodePoints(m_currentNameEdit->text(), m_currentName), m_yearsAhead->years()};
    const chart::ChartRefusal refusal =
        chart::MakeChart(CodePoints(m_nameEdit->text(), m_name), chartview::ChartDate(m_birthEdit->date()),
                         chartview::ChartDate(m_readingEdit->date()), options, m_chart);
    if (refusal != chart::ChartRefusal::None) {
        const QString line = Sentence(chart::RefusalText(refusal));
        showRefusal(line.endsWith(QLatin1Char('.')) ? line : line + QLatin1Char('.'));
        return;
    }
    showChart();
}

void ChartWindow::showBand(std::size_t band)
{
    m_band = band;
    const chart::ChartLine line = m_timeline->bandLine(band);
    const chart::Span &span = chart::SpansOf(*line.row, m_chart)[line.item];
    m_bandName->setText(ToQString(line.label) + QStringLiteral(", ages ") + ToQString(chart::AgesText(span)) +
                        QStringLiteral(": ") + QString::number(span.number.value));
    m_bandMeanings->setMeanings(chart::LineMeanings(line, m_chart, m_today));
    m_bandName->setAccessibleDescription(m_bandMeanings->description());
}

void ChartWindow::Value::show(const chart::ChartLine &line, const chart::Chart &chart, const Date &today,
                              bool tip) const
{
    label->setText(ToQString(line.value));
    label->setAccessibleName(ToQString(line.label) + QLatin1Char(' ') + label->text());
    if (!meanings)
        return;
    meanings->setMeanings(chart::LineMeanings(line, chart, today));
    label->setAccessibleDescription(meanings->description());
    if (tip)
        label->setToolTip(meanings->description());
}

void ChartWindow::showChart()
{
    const Date today = chartview::ChartDate(m_readingEdit->today());
    m_today = today;
    for (const Tile &tile : m_tiles) {
        const chart::ChartRow &row = *tile.row;
        const chart::ChartNumber &number = *chart::NumberOf(row, m_chart);
        const QString place = ToQString(chart::RowLabel(row, chart::Words::Shown));
        const int debt = number.karmicDebt;
        tile.number->setText(ToQString(chart::CompoundText(number.total, number.value)));
        tile.name->setText(place);
        tile.debt->setText(debt ? Sentence(chart::DebtText(debt)) : QString());
        tile.debt->setVisible(debt != 0);
        tile.meanings->setMeanings(chart::LineMeanings(LineOf(row), m_chart, today));
        tile.frame->setAccessibleName(place + QLatin1Char(' ') + QString::number(number.value));
        tile.frame->setAccessibleDescription(tile.number->text() + QStringLiteral(". ") +
                                             (debt ? tile.debt->text() + QStringLiteral(". ") : QString()) +
                                             tile.meanings->description());
        tile.number->setAccessibleName(place + QLatin1Char(' ') + tile.number->text());
        tile.number->setAccessibleDescription(tile.meanings->description());
        if (tile.minor != nullptr) {
            const bool minor = chart::HasValue(*tile.minorRow, m_chart);
            const chart::ChartNumber &value = *chart::NumberOf(*tile.minorRow, m_chart);
            const QString compound = ToQString(chart::CompoundText(value.total, value.value));
            const QString meaning = minor ? ToQString(chart::MeaningLine(*tile.minorRow, m_chart, today)) : QString();
            tile.minor->setText(minor ? QStringLiteral("Name in use: ") + compound + QStringLiteral(". ") + meaning
                                      : QString());
            tile.minor->setAccessibleName(
                minor ? ToQString(chart::RowLabel(*tile.minorRow, chart::Words::Shown)) + QLatin1Char(' ') + compound
                      : QString());
            tile.minor->setAccessibleDescription(meaning);
            tile.minor->setVisible(minor);
        }
    }
    std::vector<chart::ChartLine> transitLines;
    chart::AppendRowLines(*chart::FindChartRow("transits"), m_chart, chart::Words::Shown, transitLines);
    for (std::size_t i = 0; i < m_transitValues.size() && i < transitLines.size(); ++i)
        m_transitValues[i].show(transitLines[i], m_chart, today, true);
    m_yearsAhead->setChart(m_chart);
    for (const Value &value : m_cycleValues) {
        value.show({value.row, std::string(value.row->key), chart::RowLabel(*value.row, chart::Words::Shown),
                    std::to_string(chart::NumberOf(*value.row, m_chart)->value)},
                   m_chart, today, true);
    }
    m_timeline->setChart(m_chart, today);
    showBand(m_bandChosen ? m_band : m_timeline->currentPinnacle());
    const std::vector<chart::ChartLine> rest = chartview::SectionLines(chart::Section::Rest, m_chart, false);
    for (std::size_t i = 0; i < m_restValues.size() && i < rest.size(); ++i)
        m_restValues[i].show(rest[i], m_chart, today, false);
    m_inclusion->setChart(m_chart);
    m_inclusionMeaning->setMeanings(chart::LineMeanings(LineOf(*chart::FindChartRow("inclusion")), m_chart, today));
    m_inclusion->setMeaning(m_inclusionMeaning->description());
    m_planes->setChart(m_chart, today);
    // "Life path 5: month 10 → 1; ...", "Pinnacle 1, 8: 3 + 5 = 8".
    std::vector<chart::StepsLine> steps;
    chart::StepsLines(m_chart, chart::Words::Shown, steps);
    for (std::size_t i = 0; i < m_steps.size() && i < steps.size(); ++i) {
        const QString label = ToQString(steps[i].label);
        m_steps[i]->setText(ToQString(steps[i].steps));
        m_steps[i]->setAccessibleName(label + (label.back().isDigit() ? QStringLiteral(", ") : QStringLiteral(" ")) +
                                      ToQString(steps[i].value) + QStringLiteral(": ") + m_steps[i]->text());
    }
    // What the chart needs said stands in the line under the fields.
    QStringList notes;
    for (const std::string &note : chart::ChartNotes(m_chart))
        notes << ToQString(note) + QLatin1Char('.');
    m_refusalLine->setText(notes.join(u'\n'));
    m_refusalLine->setAccessibleName(m_refusalLine->text());
    m_refusalLine->setVisible(!notes.isEmpty());
    m_chartArea->show();
    m_shown = true;
    m_saveAction->setEnabled(true);
    m_copyAction->setEnabled(true);
}

void ChartWindow::showRefusal(const QString &line)
{
    m_shown = false;
    m_refusalLine->setText(line);
    m_refusalLine->setAccessibleName(line);
    m_refusalLine->show();
    for (const Tile &tile : m_tiles) {
        for (QLabel *label : {tile.number, tile.name, tile.debt})
            label->clear();
        tile.meanings->clear();
        tile.frame->setAccessibleName(QString());
        tile.frame->setAccessibleDescription(QString());
    }
    for (const std::vector<Value> *values : {&m_cycleValues, &m_transitValues, &m_restValues}) {
        for (const Value &value : *values)
            value.label->clear();
    }
    for (QLabel *label : m_steps)
        label->clear();
    m_chartArea->hide();
    m_saveAction->setEnabled(false);
    m_copyAction->setEnabled(false);
}

bool ChartWindow::saveAsPdf(const QString &path)
{
    if (!m_shown)
        return false;
    const chartview::ChartInputs inputs{m_nameEdit->text(), m_birthEdit->date(), m_readingEdit->date(),
                                        m_readingEdit->today()};
    const chartview::ReportOptions options{LoadReportDetails(), !m_leaveOutAppendix->isChecked()};
    QSaveFile file(path);
    const bool written = file.open(QIODevice::WriteOnly) &&
                         chartview::WriteChartPdf(file, inputs, m_chart, QLocale(), options) && file.commit();
    if (!written) {
        MsgBox(QStringLiteral("The chart could not be saved as %1.\r\n%2")
                   .arg(QDir::toNativeSeparators(path), file.errorString()),
               MsgStyle::OkOnly + MsgStyle::Critical, QStringLiteral("Save as PDF"));
    }
    return written;
}

void ChartWindow::saveAsPdfAsked()
{
    if (!m_shown)
        return;
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    QString path = QFileDialog::getSaveFileName(this, QStringLiteral("Save Chart as PDF"),
                                                QDir(folder).filePath(m_nameEdit->text().trimmed() +
                                                                      QStringLiteral(" chart.pdf")),
                                                QStringLiteral("PDF files (*.pdf)"));
    if (path.isEmpty())
        return;
    if (!path.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive))
        path += QStringLiteral(".pdf");
    saveAsPdf(path);
}

void ChartWindow::copyChart()
{
    if (!m_shown)
        return;
    const std::string name = m_nameEdit->text().toStdString();
    QGuiApplication::clipboard()->setText(ToQString(chart::PlainText(chart::ChartTextLines(name, m_chart))));
}

bool ChartWindow::eventFilter(QObject *watched, QEvent *event)
{
    // A field with no selection leaves Ctrl+C to the Copy Chart command.
    if (event->type() == QEvent::ShortcutOverride && static_cast<QKeyEvent *>(event)->matches(QKeySequence::Copy) &&
        !HasSelection(watched))
        return true;
    return QMainWindow::eventFilter(watched, event);
}

} // namespace veltara
