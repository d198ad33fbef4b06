#include "yearsahead.h"

#include "chartwords.h"
#include "meanings.h"
#include "textunits.h"

#include <QHeaderView>
#include <QScrollBar>
#include <QLabel>
#include <QPainter>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>

#include <array>
#include <vector>

namespace veltara::chartview {

namespace {

// The index of the transits' first column among ForecastColumns.
constexpr std::size_t FirstTransitColumn = 7;
static_assert(chart::ForecastColumns[FirstTransitColumn].key == "physical");

// A column's heading in sentence case: "Universal year".
QString Heading(std::size_t column)
{
    const QString label = ToQString(chart::ForecastColumns[column].label);
    return label.left(1) + label.mid(1).toLower();
}

// The place in the meanings table of a column's number, and that number:
// the transits' letters by their values. None for the year and the age.
std::string MeaningOfCell(const chart::Chart &chart, const chart::ForecastYear &row, std::size_t column)
{
    const std::string_view key = chart::ForecastColumns[column].key;
    if (column >= FirstTransitColumn && column < FirstTransitColumn + 3) {
        const std::size_t transit = column - FirstTransitColumn;
        const chart::Transit letter = chart::TransitAt(chart.transitLetters[transit], row.age);
        return chart::MeaningIn("transits." + std::string(key), letter.value);
    }
    const auto *number = std::get_if<int chart::ForecastYear::*>(&chart::ForecastColumns[column].cell);
    if (number == nullptr || key == "year" || key == "age")
        return {};
    // The spans' places are named for the set: "pinnacles".
    const bool span = key == "pinnacle" || key == "challenge" || key == "period";
    return chart::MeaningIn(span ? std::string(key) + 's' : std::string(key), row.**number);
}

// The bands of one transit over the years shown: each letter a band over
// the years whose age it covers; a letter that begins again a band of its
// own.
struct Band {
    int first = 0; // index of the first row, and one past the last
    int end = 0;
    char letter = 0;
};

std::vector<Band> BandsOf(const chart::Chart &chart, std::size_t transit)
{
    std::vector<Band> bands;
    int fromAge = -1;
    for (std::size_t i = 0; i < chart.forecast.size(); ++i) {
        const chart::Transit letter = chart::TransitAt(chart.transitLetters[transit], chart.forecast[i].age);
        if (bands.empty() || letter.fromAge != fromAge)
            bands.push_back({static_cast<int>(i), static_cast<int>(i) + 1, letter.letter});
        else
            bands.back().end = static_cast<int>(i) + 1;
        fromAge = letter.fromAge;
    }
    return bands;
}

// One transit's bands in words: "T 2026 to 2027, H 2028 to 2035".
QString BandsWords(const chart::Chart &chart, std::size_t transit)
{
    QStringList letters;
    for (const Band &band : BandsOf(chart, transit)) {
        const int from = chart.forecast[static_cast<std::size_t>(band.first)].year;
        const int to = chart.forecast[static_cast<std::size_t>(band.end - 1)].year;
        letters << (band.letter == 0 ? QStringLiteral("none") : QString(QLatin1Char(band.letter))) +
                       (from == to ? QStringLiteral(" %1").arg(from) : QStringLiteral(" %1 to %2").arg(from).arg(to));
    }
    return letters.join(QStringLiteral(", "));
}

// The note under the table, in the window and the PDF.
QString Note()
{
    return ToQString(chart::ForecastNote(chart::Words::Shown)) +
           QStringLiteral(" A * marks a change from the year before; the reading year's row is in bold.");
}

} // namespace

// The transits' letters drawn as bands over the years of the forecast, a
// line for each transit, the reading year's column marked.
class TransitBands : public QWidget {
public:
    explicit TransitBands(QWidget *parent) : QWidget(parent)
    {
        setObjectName(QStringLiteral("transitBands"));
        setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    }

    void setChart(const chart::Chart &chart)
    {
        m_years.clear();
        for (const chart::ForecastYear &row : chart.forecast)
            m_years.push_back(row.year);
        m_readingYear = chart.on.year;
        QStringList described;
        for (std::size_t t = 0; t < m_bands.size(); ++t) {
            m_bands[t] = BandsOf(chart, t);
            described << ToQString(chart::TransitRows[t].label) + QStringLiteral(" transit: ") + BandsWords(chart, t);
        }
        setAccessibleName(QStringLiteral("Transit letters over the years ahead"));
        setAccessibleDescription(described.join(QStringLiteral(". ")));
        update();
    }

    QSize sizeHint() const override
    {
        return QSize(fontMetrics().averageCharWidth() * 60, LineHeight() * 3 + 2);
    }
    QSize minimumSizeHint() const override
    {
        return QSize(LabelWidth() + fontMetrics().averageCharWidth() * 10, LineHeight() * 3 + 2);
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        if (m_years.empty())
            return;
        QPainter painter(this);
        const QPalette &colours = palette();
        const double left = LabelWidth();
        const double step = (width() - left - 1) / static_cast<double>(m_years.size());
        for (std::size_t t = 0; t < m_bands.size(); ++t) {
            const double top = static_cast<double>(t) * LineHeight() + 1;
            painter.setPen(colours.color(QPalette::WindowText));
            painter.drawText(QRectF(0, top, left, LineHeight()), Qt::AlignLeft | Qt::AlignVCenter,
                             ToQString(chart::TransitRows[t].label));
            for (const Band &band : m_bands[t]) {
                const bool now = m_years[static_cast<std::size_t>(band.first)] <= m_readingYear &&
                                 m_readingYear <= m_years[static_cast<std::size_t>(band.end - 1)];
                const QRectF box(left + band.first * step, top, (band.end - band.first) * step, LineHeight() - 2);
                painter.setPen(colours.color(QPalette::Mid));
                painter.setBrush(colours.color(now ? QPalette::Highlight : QPalette::AlternateBase));
                painter.drawRect(box);
                painter.setPen(colours.color(now ? QPalette::HighlightedText : QPalette::Text));
                if (band.letter != 0)
                    painter.drawText(box, Qt::AlignCenter, QString(QLatin1Char(band.letter)));
            }
        }
    }

private:
    int LineHeight() const { return fontMetrics().height() + fontMetrics().height() / 2; }
    int LabelWidth() const
    {
        int widest = 0;
        for (const chart::MemberRow &transit : chart::TransitRows)
            widest = std::max(widest, fontMetrics().horizontalAdvance(ToQString(transit.label)));
        return widest + fontMetrics().averageCharWidth() * 2;
    }

    std::vector<int> m_years;
    int m_readingYear = 0;
    std::array<std::vector<Band>, 3> m_bands;
};

QString ForecastCellShown(const chart::ForecastYear &row, std::size_t column)
{
    return ToQString(chart::ForecastCell(row, column)) +
           (chart::Changed(row, column) ? QStringLiteral("*") : QString());
}

YearsAhead::YearsAhead(QWidget *parent) : QGroupBox(QStringLiteral("Years ahead"), parent)
{
    setObjectName(QStringLiteral("yearsAhead"));
    auto *layout = new QVBoxLayout(this);
    auto *count = new QHBoxLayout;
    m_years = new QSpinBox(this);
    m_years->setObjectName(QStringLiteral("forecastYears"));
    m_years->setRange(1, chart::MostForecastYears);
    m_years->setValue(DefaultForecastYears);
    m_years->setAccessibleName(QStringLiteral("Years shown"));
    auto *caption = new QLabel(QStringLiteral("&Years shown:"), this);
    caption->setBuddy(m_years);
    count->addWidget(caption);
    count->addWidget(m_years);
    count->addStretch(1);
    layout->addLayout(count);

    m_table = new QTableWidget(0, static_cast<int>(std::size(chart::ForecastColumns)), this);
    m_table->setObjectName(QStringLiteral("forecastTable"));
    m_table->setAccessibleName(QStringLiteral("Years ahead"));
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setTabKeyNavigation(false); // Tab goes on; the arrows move among the cells
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->verticalHeader()->hide();
    // The headings a word a line, for narrow columns, two lines high on
    // every style.
    m_table->horizontalHeader()->setMinimumHeight(m_table->fontMetrics().height() * 2 +
                                                  m_table->fontMetrics().height() / 2);
    // Each column as wide as its heading's longest word or "2026*", set once:
    // fitting them to their cells at every keystroke would cost a frame.
    const QFontMetrics metrics = m_table->fontMetrics();
    for (std::size_t column = 0; column < std::size(chart::ForecastColumns); ++column) {
        const QStringList words = Heading(column).split(QLatin1Char(' '));
        m_table->setHorizontalHeaderItem(static_cast<int>(column), new QTableWidgetItem(words.join(QLatin1Char('\n'))));
        int widest = metrics.horizontalAdvance(QStringLiteral("0000*"));
        for (const QString &word : words)
            widest = std::max(widest, metrics.horizontalAdvance(word));
        m_table->setColumnWidth(static_cast<int>(column), widest + metrics.averageCharWidth() * 3);
    }
    layout->addWidget(m_table);

    m_bands = new TransitBands(this);
    layout->addWidget(m_bands);
    auto *note = new QLabel(Note(), this);
    note->setObjectName(QStringLiteral("forecastNote"));
    note->setWordWrap(true);
    layout->addWidget(note);

    connect(m_years, &QSpinBox::valueChanged, this, &YearsAhead::yearsChanged);
}

int YearsAhead::years() const
{
    return m_years->value();
}

void YearsAhead::setChart(const chart::Chart &chart)
{
    setTitle(ToQString(chart::ForecastHeading(chart)));
    const int rows = static_cast<int>(chart.forecast.size());
    m_table->setRowCount(rows);
    QFont bold = m_table->font();
    bold.setBold(true);
    for (int r = 0; r < rows; ++r) {
        const chart::ForecastYear &year = chart.forecast[static_cast<std::size_t>(r)];
        const bool reading = year.year == chart.on.year;
        for (std::size_t column = 0; column < std::size(chart::ForecastColumns); ++column) {
            const int c = static_cast<int>(column);
            QTableWidgetItem *item = m_table->item(r, c);
            if (item == nullptr) {
                item = new QTableWidgetItem;
                m_table->setItem(r, c, item);
            }
            const QString words = ToQString(chart::ForecastCell(year, column));
            item->setText(ForecastCellShown(year, column));
            item->setFont(reading ? bold : m_table->font());
            // "2027, personal year 3, changed", "2026, the reading year, year 2026".
            QString name = QString::number(year.year) + (reading ? QStringLiteral(", the reading year, ")
                                                                 : QStringLiteral(", ")) +
                           Heading(column).toLower() + QLatin1Char(' ') + (words.isEmpty() ? QStringLiteral("none") : words);
            if (chart::Changed(year, column))
                name += QStringLiteral(", changed");
            item->setData(Qt::AccessibleTextRole, name);
            const QString meaning = ToQString(MeaningOfCell(chart, year, column));
            item->setToolTip(meaning);
            item->setData(Qt::AccessibleDescriptionRole, meaning);
        }
    }
    // The table shows up to a dozen rows at once and scrolls for more.
    const int shown = std::min(rows, 12);
    // Room for the scroll bar the columns may need at a large font.
    const bool scrolls = m_table->horizontalHeader()->length() > m_table->viewport()->width();
    int height = std::max(m_table->horizontalHeader()->sizeHint().height(), m_table->horizontalHeader()->minimumHeight()) +
                 2 * m_table->frameWidth() +
                 (scrolls ? m_table->horizontalScrollBar()->sizeHint().height() : 0);
    for (int r = 0; r < shown; ++r)
        height += m_table->rowHeight(r);
    m_table->setFixedHeight(height);
    m_bands->setChart(chart);
}

void AppendYearsAheadHtml(QString &html, const chart::Chart &chart)
{
    // The table's cells in a smaller type, none broken: the document's
    // layout measures text a little narrower than the PDF draws it.
    const QString cellStart = QStringLiteral("<td style=\"white-space: nowrap; font-size: 8pt\">");
    if (chart.forecast.empty())
        return;
    html += QStringLiteral("<h2>") + ToQString(chart::ForecastHeading(chart)).toHtmlEscaped() +
            QStringLiteral("</h2><table cellspacing=\"0\" cellpadding=\"3\" border=\"1\"><tr>");
    // The headings a word a line, as in the window; no cell broken.
    for (std::size_t column = 0; column < std::size(chart::ForecastColumns); ++column)
        html += cellStart + QStringLiteral("<b>") +
                Heading(column).toHtmlEscaped().replace(QLatin1Char(' '), QStringLiteral("<br>")) +
                QStringLiteral("</b></td>");
    html += QStringLiteral("</tr>");
    for (const chart::ForecastYear &year : chart.forecast) {
        const bool reading = year.year == chart.on.year;
        html += QStringLiteral("<tr>");
        for (std::size_t column = 0; column < std::size(chart::ForecastColumns); ++column) {
            const QString cell = ForecastCellShown(year, column).toHtmlEscaped();
            html += cellStart + (reading ? QStringLiteral("<b>") + cell + QStringLiteral("</b>") : cell) +
                    QStringLiteral("</td>");
        }
        html += QStringLiteral("</tr>");
    }
    html += QStringLiteral("</table>");
    // The transits' letters over the years, as the window's bands show them.
    for (std::size_t t = 0; t < chart.transits.size(); ++t)
        html += QStringLiteral("<p><b>") + ToQString(chart::TransitRows[t].label) + QStringLiteral(" transit:</b> ") +
                BandsWords(chart, t).toHtmlEscaped() + QStringLiteral("</p>");
    html += QStringLiteral("<p>") + Note().toHtmlEscaped() + QStringLiteral("</p>");
}

} // namespace veltara::chartview
