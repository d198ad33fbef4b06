#include "chartview.h"

#include "chartmode.h"
#include "meanings.h"
#include "textunits.h"

#include <algorithm>

namespace veltara::chartview {

namespace {

// The text chart's own words for the lists and letters.
template <typename Value>
QString TextOf(std::string (*write)(const Value &), const Value &value)
{
    return ToQString(std::string_view(write(value)));
}

QString ValueText(const chart::ChartNumber &number)
{
    return QString::number(number.value);
}

// Countries where Letter is the usual paper.
constexpr QLocale::Territory LetterTerritories[] = {
    QLocale::UnitedStates, QLocale::Canada,     QLocale::Mexico,    QLocale::Chile,
    QLocale::Colombia,     QLocale::Venezuela,  QLocale::CostaRica, QLocale::Guatemala,
    QLocale::Panama,       QLocale::ElSalvador, QLocale::Nicaragua, QLocale::DominicanRepublic,
    QLocale::PuertoRico,   QLocale::Philippines,
};

} // namespace

const RestRow RestRows[12] = {
    {"karmicLessons", "Karmic lessons", [](const chart::Chart &chart) { return TextOf(reading::NumberList, chart.karmicLessons); }},
    {"hiddenPassion", "Hidden passion", [](const chart::Chart &chart) { return TextOf(reading::NumberList, chart.hiddenPassion); }},
    {"karmicDebt", "Karmic debts", [](const chart::Chart &chart) { return TextOf(reading::NumberList, chart.karmicDebts); }},
    {"balance", "Balance", [](const chart::Chart &chart) { return ValueText(chart.balance); }},
    {"rationalThought", "Rational thought", [](const chart::Chart &chart) { return ValueText(chart.rationalThought); }},
    {"subconsciousSelf", "Subconscious self",
     [](const chart::Chart &chart) { return QString::number(chart.subconsciousSelf); }},
    {"cornerstone", "Cornerstone", [](const chart::Chart &chart) { return TextOf(reading::LetterText, chart.cornerstone); }},
    {"capstone", "Capstone", [](const chart::Chart &chart) { return TextOf(reading::LetterText, chart.capstone); }},
    {"firstVowel", "First vowel", [](const chart::Chart &chart) { return TextOf(reading::LetterText, chart.firstVowel); }},
    {"chaldean", "Chaldean",
     [](const chart::Chart &chart) { return CompoundText(chart.chaldean.compound, chart.chaldean.root); }},
    {"uncounted", "Characters not counted", [](const chart::Chart &chart) { return TextOf(reading::QuotedList, chart.name.uncounted); }},
    {"leftOut", "Parts left out", [](const chart::Chart &chart) { return TextOf(reading::QuotedList, chart.name.leftOut); }},
};

QString SpanLabel(const chart::SpanRow &row, std::size_t i)
{
    return ToQString(row.label) + QLatin1Char(' ') + QString::number(i + 1);
}

QString SpanText(const chart::Span &span)
{
    QString text = QString::number(span.number.value) +
                   (span.toAge < 0 ? QStringLiteral(", from age %1").arg(span.fromAge)
                                   : QStringLiteral(", ages %1 to %2").arg(span.fromAge).arg(span.toAge));
    if (span.current)
        text += QStringLiteral(", now");
    return text;
}

std::vector<StepsRow> StepsRows(const chart::Chart &chart)
{
    std::vector<StepsRow> rows;
    rows.reserve(StepsRowCount);
    const auto add = [&rows](std::string_view key, const QString &label, const QString &value, const std::string &steps) {
        rows.push_back({ToQString(key), label, value, ToQString(std::string_view(steps)), label + u' ' + value});
    };
    for (const chart::ChartNumberRow &row : chart::ChartNumberRows)
        add(row.key, PlaceName(row.label), ValueText(chart.*row.number), (chart.*row.number).steps);
    add("chaldean", QStringLiteral("Chaldean"), QString::number(chart.chaldean.root), chart.chaldean.steps);
    for (const chart::OtherNumberRow &row : chart::CycleNumberRows)
        add(row.key, PlaceName(row.label), ValueText(chart.*row.member), (chart.*row.member).steps);
    for (const chart::SpanRow &row : chart::SpanRows) {
        for (std::size_t i = 0; i < row.count; ++i) {
            const chart::ChartNumber &number = row.spans(chart)[i].number;
            rows.push_back({ToQString(row.key) + QString::number(i + 1), SpanLabel(row, i), ValueText(number),
                            ToQString(std::string_view(number.steps)),
                            SpanLabel(row, i) + QStringLiteral(", ") + ValueText(number)});
        }
    }
    for (const chart::OtherNumberRow &row : chart::RestNumberRows)
        add(row.key, PlaceName(row.label), ValueText(chart.*row.member), (chart.*row.member).steps);
    return rows;
}

QString CompoundText(std::uint64_t total, int value)
{
    if (total == static_cast<std::uint64_t>(value))
        return QString::number(value);
    return QString::number(total) + QLatin1Char('/') + QString::number(value);
}

QString CompoundText(const chart::ChartNumber &number)
{
    return CompoundText(number.total, number.value);
}

int KarmicDebtOf(const chart::ChartNumberRow &row, const chart::Chart &chart)
{
    return row.carriesDebts ? (chart.*row.number).karmicDebt : 0;
}

QString PlaceName(std::string_view label)
{
    const QString text = ToQString(label);
    return text.left(1) + text.mid(1).toLower();
}

QString Sentence(std::string_view text)
{
    const QString sentence = ToQString(text);
    return sentence.left(1).toUpper() + sentence.mid(1);
}

QString TileMeaning(const chart::ChartNumberRow &row, const chart::Chart &chart)
{
    const chart::ChartNumber &number = chart.*row.number;
    if (number.value == 0)
        return Sentence(number.steps);
    return ToQString(std::string_view(chart::MeaningIn(row.key, number.value)));
}

QString DateFormat(const QLocale &locale)
{
    QString format = locale.dateFormat(QLocale::ShortFormat);
    if (!format.contains(QStringLiteral("yyyy")))
        format.replace(QStringLiteral("yy"), QStringLiteral("yyyy"));
    return format;
}

Date ChartDate(QDate date)
{
    return {date.year(), date.month(), date.day()};
}

QPageSize::PageSizeId PageSizeFor(const QLocale &locale)
{
    const bool letter = std::find(std::begin(LetterTerritories), std::end(LetterTerritories), locale.territory()) !=
                        std::end(LetterTerritories);
    return letter ? QPageSize::Letter : QPageSize::A4;
}

} // namespace veltara::chartview
