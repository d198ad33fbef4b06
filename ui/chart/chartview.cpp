#include "chartview.h"

#include "meanings.h"
#include "output.h"
#include "textunits.h"

#include <algorithm>

namespace veltara::chartview {

namespace {

QString NumberList(const std::vector<int> &numbers)
{
    QStringList texts;
    for (const int number : numbers)
        texts.append(QString::number(number));
    return texts.isEmpty() ? QStringLiteral("none") : texts.join(QStringLiteral(", "));
}

QString UncountedText(const chart::Chart &chart)
{
    std::string text;
    for (const std::u32string &characters : chart.name.uncounted) {
        if (!text.empty())
            text.append(", ");
        for (const char32_t c : characters)
            reading::AppendCharacterShown(text, c);
    }
    return text.empty() ? QStringLiteral("none") : ToQString(std::string_view(text));
}

// Countries where Letter is the usual paper.
constexpr QLocale::Territory LetterTerritories[] = {
    QLocale::UnitedStates, QLocale::Canada,     QLocale::Mexico,    QLocale::Chile,
    QLocale::Colombia,     QLocale::Venezuela,  QLocale::CostaRica, QLocale::Guatemala,
    QLocale::Panama,       QLocale::ElSalvador, QLocale::Nicaragua, QLocale::DominicanRepublic,
    QLocale::PuertoRico,   QLocale::Philippines,
};

} // namespace

const RestRow RestRows[5] = {
    {"karmicLessons", "Karmic lessons", [](const chart::Chart &chart) { return NumberList(chart.karmicLessons); }},
    {"hiddenPassion", "Hidden passion", [](const chart::Chart &chart) { return NumberList(chart.hiddenPassion); }},
    {"karmicDebt", "Karmic debts", [](const chart::Chart &chart) { return NumberList(chart.karmicDebts); }},
    {"chaldean", "Chaldean",
     [](const chart::Chart &chart) { return CompoundText(chart.chaldean.compound, chart.chaldean.root); }},
    {"uncounted", "Characters not counted", UncountedText},
};

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
