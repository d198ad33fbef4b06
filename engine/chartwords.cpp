#include "chartwords.h"

#include "meanings.h"
#include "text.h"

#include <algorithm>

namespace veltara {

void AppendCharacterShown(std::string &out, char32_t character)
{
    if (character == U' ') {
        out.append("space");
    } else if (character < 0x20 || (character >= 0x7F && character <= 0xA0) || character == 0xAD ||
               character == 0x1680 || (character >= 0x2000 && character <= 0x200F) ||
               (character >= 0x2028 && character <= 0x202F) || (character >= 0x205F && character <= 0x206F) ||
               character == 0x3000 || character == 0xFEFF) {
        // Controls, blanks other than the space, and invisible format characters.
        static constexpr char Hex[] = "0123456789ABCDEF";
        out.append("U+");
        std::string hex;
        for (char32_t rest = character; rest != 0 || hex.size() < 4; rest >>= 4)
            hex.insert(hex.begin(), Hex[rest & 0xF]);
        out.append(hex);
    } else {
        AppendUtf8(out, character);
    }
}

std::string Utf8Text(std::u32string_view text)
{
    std::string utf8;
    for (const char32_t c : text)
        AppendUtf8(utf8, c);
    return utf8;
}

} // namespace veltara

namespace veltara::chart {

namespace {

std::string Number(std::uint64_t number)
{
    std::string text;
    AppendNumber(text, number);
    return text;
}

std::string Number(int number)
{
    return Number(static_cast<std::uint64_t>(number));
}

std::string LowerCase(std::string_view label)
{
    std::string text(label);
    for (char &c : text)
        c = AsciiLower(c);
    return text;
}

// "Soul Urge" as the window writes it: "Soul urge".
std::string SentenceCase(std::string_view label)
{
    return label.empty() ? std::string() : label.front() + LowerCase(label.substr(1));
}

std::string NumberText(const ChartRow &row, const ChartNumber &number, Words words)
{
    if (row.form != NumberForm::Core && row.form != NumberForm::Minor)
        return Number(number.value);
    std::string text = CompoundText(number.total, number.value);
    // A core number in the text chart: "14/5, karmic debt 14".
    if (row.form == NumberForm::Core && words == Words::Text && number.karmicDebt != 0)
        text.append(", " + DebtText(number.karmicDebt));
    return text;
}

// The items joined by ", ", each as `append` writes it; "none" for none.
template <typename Items, typename Append>
std::string Listed(const Items &items, Append append)
{
    if (items.empty())
        return "none";
    std::string text;
    for (const auto &item : items) {
        if (!text.empty())
            text.append(", ");
        append(text, item);
    }
    return text;
}

// "A 1", or "none".
std::string LetterText(const NamedLetter &letter)
{
    return letter.letter == 0 ? "none" : std::string(1, letter.letter) + ' ' + Number(letter.value);
}

// "T 2, ages 0 to 2".
std::string TransitText(const Transit &transit)
{
    if (transit.letter == 0)
        return "none";
    return LetterText({transit.letter, transit.value}) + ", ages " + Number(transit.fromAge) + " to " +
           Number(transit.toAge);
}

// "3 letters, value 5".
std::string PlaneText(const Plane &plane)
{
    return LetterCount(plane.count) + ", value " + Number(plane.value);
}

// The key and label of a member of a row's planes, record or set; none for
// a row of another kind.
MemberRow MemberOf(const ChartRow &row, std::size_t item)
{
    if (std::holds_alternative<std::array<Plane, 4> Chart::*>(row.value))
        return {PlaneRows[item].key, PlaneRows[item].label};
    const std::span<const MemberRow> members = MembersOf(row);
    return members.empty() ? MemberRow{} : members[item];
}

// The key of a span of a row, "pinnacles1", or of a member:
// "planes.physical", "bridges.lifePathExpression".
std::string ItemKey(const ChartRow &row, std::size_t item)
{
    const MemberRow member = MemberOf(row, item);
    if (member.key.empty())
        return std::string(row.key) + Number(item + 1);
    return std::string(row.key) + '.' + std::string(member.key);
}

// The text table's columns, each of one or more of the forecast's columns
// (the three transits side by side), with a heading short enough for the
// table to fit 80 columns.
struct TableColumn {
    std::string_view heading;
    std::size_t first;
    std::size_t count = 1;
};
constexpr TableColumn ForecastTableColumns[] = {
    {"Year", 0}, {"Age", 1},    {"Universal", 2}, {"Personal", 3},    {"Pinnacle", 4},
    {"Challenge", 5}, {"Period", 6}, {"Transits", 7, 3}, {"Essence", 10},
};

// The forecast as an aligned table: a line of headings, then a line a year,
// a change from the year before marked with "*". None without a forecast.
std::vector<std::string> ForecastTable(const Chart &chart)
{
    std::vector<std::string> table;
    if (chart.forecast.empty())
        return table;
    // The cells of every line, headings first, then each column's width.
    std::vector<std::vector<std::string>> cells;
    std::vector<std::string> &headings = cells.emplace_back();
    for (const TableColumn &column : ForecastTableColumns)
        headings.emplace_back(column.heading);
    for (const ForecastYear &row : chart.forecast) {
        std::vector<std::string> &line = cells.emplace_back();
        for (const TableColumn &column : ForecastTableColumns) {
            std::string &cell = line.emplace_back();
            for (std::size_t i = column.first; i < column.first + column.count; ++i) {
                if (i != column.first)
                    cell.push_back(' ');
                cell.append(ForecastCell(row, i));
                if (Changed(row, i))
                    cell.push_back('*');
            }
        }
    }
    std::vector<std::size_t> widths(std::size(ForecastTableColumns), 0);
    for (const std::vector<std::string> &line : cells) {
        for (std::size_t i = 0; i < line.size(); ++i)
            widths[i] = std::max(widths[i], line[i].size());
    }
    for (const std::vector<std::string> &line : cells) {
        std::string &out = table.emplace_back();
        for (std::size_t i = 0; i < line.size(); ++i) {
            out.append(line[i]);
            if (i + 1 < line.size())
                out.append(widths[i] - line[i].size() + 2, ' ');
        }
    }
    return table;
}

} // namespace

std::string CompoundText(std::uint64_t total, int value)
{
    if (total == static_cast<std::uint64_t>(value))
        return Number(value);
    return Number(total) + '/' + Number(value);
}

std::string DebtText(int debt)
{
    return "karmic debt " + Number(debt);
}

std::string SpanText(const Span &span)
{
    std::string text = Number(span.number.value) + (span.toAge < 0 ? ", from age " : ", ages ") + Number(span.fromAge);
    if (span.toAge >= 0)
        text.append(" to " + Number(span.toAge));
    if (span.current)
        text.append(", now");
    return text;
}

std::string AgesText(const Span &span)
{
    std::string text = Number(span.fromAge);
    if (span.toAge < 0)
        text.append(" on");
    else if (span.toAge - 1 > span.fromAge)
        text.append("\u2013" + Number(span.toAge - 1));
    return text;
}

std::string LetterCount(int count)
{
    return Number(count) + (count == 1 ? " letter" : " letters");
}

std::string_view InclusionMark(const Chart &chart, int number)
{
    const auto among = [number](const std::vector<int> &numbers) {
        return std::find(numbers.begin(), numbers.end(), number) != numbers.end();
    };
    return among(chart.karmicLessons) ? "karmic lesson" : among(chart.hiddenPassion) ? "hidden passion" : "";
}

std::string RowLabel(const ChartRow &row, Words words)
{
    if (words == Words::Text)
        return std::string(row.label);
    return row.shownLabel.empty() ? SentenceCase(row.label) : std::string(row.shownLabel);
}

std::string ItemLabel(const ChartRow &row, std::size_t item, Words words)
{
    const MemberRow member = MemberOf(row, item);
    if (member.label.empty())
        return RowLabel(row, words) + ' ' + Number(item + 1);
    const std::string label = std::string(member.label) + ' ' + std::string(row.label);
    return words == Words::Text ? label : SentenceCase(label);
}

std::string SpansLabel(const ChartRow &row)
{
    return std::string(row.label) + 's';
}

std::string CyclesHeading(const Chart &chart, Words words)
{
    std::string heading = chart.cyclesFromBirth ? "Cycles from the birth" : "Cycles";
    if (words == Words::Text)
        heading.append(" on " + IsoDateText(CyclesDate(chart)));
    return heading + (words == Words::Text || chart.cyclesFromBirth ? ", at age " : " at age ") + Number(chart.age);
}

std::string MeaningLine(const ChartRow &row, const Chart &chart, const Date &today)
{
    const ChartNumber *number = NumberOf(row, chart);
    if (number == nullptr)
        return {};
    if (number->value == 0) {
        std::string line = number->steps;
        if (!line.empty() && line[0] >= 'a' && line[0] <= 'z')
            line[0] = static_cast<char>(line[0] - 'a' + 'A');
        return line;
    }
    return MeaningIn(row.key, number->value, CyclesDate(chart), today);
}

std::vector<Meaning> LineMeanings(const ChartLine &line, const Chart &chart, const Date &today)
{
    const ChartRow &row = *line.row;
    std::vector<Meaning> meanings;
    const auto add = [&](std::string_view key, int number) {
        std::string text = MeaningIn(key, number, CyclesDate(chart), today);
        if (!text.empty())
            meanings.push_back({std::move(text), row.key == "karmicDebts" ? DebtParagraph(number) : NumberParagraph(number)});
    };
    std::visit(Overloaded{
                   [&](ChartNumber Chart::*) {
                       const int value = NumberOf(row, chart)->value;
                       if (std::string text = MeaningLine(row, chart, today); !text.empty())
                           meanings.push_back({std::move(text), value ? NumberParagraph(value) : ""});
                   },
                   [&](SpansMember auto spans) { add(row.key, (chart.*spans)[line.item].number.value); },
                   [&](ChaldeanNumber Chart::*member) { add(row.key, (chart.*member).root); },
                   [&](std::vector<int> Chart::*member) {
                       for (const int number : chart.*member)
                           add(row.key, number);
                   },
                   [&](int Chart::*member) { add(row.key, chart.*member); },
                   [&](NamedLetter Chart::*member) {
                       if ((chart.*member).letter != 0)
                           add(row.key, (chart.*member).value);
                   },
                   [&](std::array<Plane, 4> Chart::*member) { add(line.key, (chart.*member)[line.item].value); },
                   [&](std::array<int, 9> Chart::*) { meanings.push_back({std::string(PlaceLine(row.key)), {}}); },
                   [](std::vector<std::u32string> PreparedName::*) {},
                   [](bool Chart::*) {},
                   [&](std::array<ChartNumber, 2> Chart::*member) { add(line.key, (chart.*member)[line.item].value); },
                   [&](std::array<Transit, 3> Chart::*member) {
                       if ((chart.*member)[line.item].letter != 0)
                           add(line.key, (chart.*member)[line.item].value);
                   },
                   [](std::vector<ForecastYear> Chart::*) {},
               },
               row.value);
    return meanings;
}

std::vector<std::string> ChartNotes(const Chart &chart)
{
    std::vector<std::string> notes;
    for (const std::u32string &part : chart.name.notLatin) {
        std::string &note = notes.emplace_back();
        for (const char32_t c : part)
            AppendCharacterShown(note, c);
        note.append(" has no letter A to Z and counts for nothing: write it in Latin letters");
    }
    if (chart.cyclesFromBirth) {
        notes.push_back("The cycles are read from the birth on " + IsoDateText(chart.date) + ": the reading date " +
                        IsoDateText(chart.on) + " is before it");
    }
    return notes;
}

void AppendRowLines(const ChartRow &row, const Chart &chart, Words words, std::vector<ChartLine> &lines)
{
    if (!HasValue(row, chart))
        return;
    const auto line = [&](std::string value, Breaks breaks = Breaks::AtSpaces) {
        lines.push_back({&row, std::string(row.key), RowLabel(row, words), std::move(value), breaks});
    };
    // A line for each span, plane, bridge or transit, in the words of `text`.
    const auto items = [&](const auto &values, auto text) {
        for (std::size_t i = 0; i < values.size(); ++i)
            lines.push_back({&row, ItemKey(row, i), ItemLabel(row, i, words), text(values[i]), Breaks::AtSpaces, i});
    };
    std::visit(Overloaded{
                   [&](ChartNumber Chart::*member) { line(NumberText(row, chart.*member, words)); },
                   [&](SpansMember auto spans) { items(chart.*spans, SpanText); },
                   [&](ChaldeanNumber Chart::*member) {
                       const ChaldeanNumber &number = chart.*member;
                       line(words == Words::Text
                                ? Number(number.root) + " (compound " + Number(number.compound) + ")"
                                : CompoundText(number.compound, number.root));
                   },
                   [&](std::vector<int> Chart::*member) {
                       line(Listed(chart.*member, [](std::string &text, int number) { text.append(Number(number)); }));
                   },
                   [&](int Chart::*member) { line(Number(chart.*member)); },
                   [&](NamedLetter Chart::*member) { line(LetterText(chart.*member)); },
                   [&](std::array<Plane, 4> Chart::*member) { items(chart.*member, PlaneText); },
                   [&](std::array<int, 9> Chart::*member) {
                       std::string text;
                       for (std::size_t i = 0; i < (chart.*member).size(); ++i) {
                           if (i != 0)
                               text.append(", ");
                           text.append(Number(i + 1) + ": " + Number((chart.*member)[i]));
                       }
                       line(std::move(text), Breaks::AfterCommas);
                   },
                   [&](std::vector<std::u32string> PreparedName::*member) {
                       // Each entry in quotes, so that none is taken for the list's own
                       // commas or for "none": "\"-\", \"'\"".
                       line(Listed(chart.name.*member,
                                   [](std::string &text, const std::u32string &characters) {
                                       text.push_back('"');
                                       for (const char32_t c : characters)
                                           AppendCharacterShown(text, c);
                                       text.push_back('"');
                                   }),
                            Breaks::AfterCommas);
                   },
                   [&](bool Chart::*member) { line(chart.*member ? "yes" : "no"); },
                   [&](std::array<ChartNumber, 2> Chart::*numbers) {
                       items(chart.*numbers, [](const ChartNumber &number) { return Number(number.value); });
                   },
                   [&](std::array<Transit, 3> Chart::*transits) { items(chart.*transits, TransitText); },
                   [](std::vector<ForecastYear> Chart::*) {},
               },
               row.value);
}

std::vector<const ChartRow *> RowsInOrder(Section section, Words words)
{
    std::vector<const ChartRow *> rows;
    for (const ChartRow &row : ChartRows) {
        if (row.section == section && !row.jsonOnly)
            rows.push_back(&row);
    }
    std::stable_sort(rows.begin(), rows.end(), [words](const ChartRow *a, const ChartRow *b) {
        return words == Words::Text ? a->textOrder < b->textOrder : a->shownOrder < b->shownOrder;
    });
    return rows;
}

void StepsLines(const Chart &chart, Words words, std::vector<StepsLine> &lines)
{
    lines.clear();
    for (const ChartRow &row : ChartRows) {
        if (!HasValue(row, chart))
            continue;
        const auto add = [&](std::string key, std::string shown, int value, std::string_view steps) {
            std::string label = words == Words::Shown ? shown : "  " + (row.properLabel ? shown : LowerCase(shown));
            lines.push_back({std::move(key), std::move(label), Number(value), steps});
        };
        // Each span or bridge apart.
        const auto item = [&](std::size_t i, const ChartNumber &number) {
            add(ItemKey(row, i), ItemLabel(row, i, Words::Shown), number.value, number.steps);
        };
        if (const auto *bridges = std::get_if<std::array<ChartNumber, 2> Chart::*>(&row.value)) {
            for (std::size_t i = 0; i < std::size(BridgeRows); ++i)
                item(i, (chart.**bridges)[i]);
        } else if (const ChartNumber *number = NumberOf(row, chart)) {
            add(std::string(row.key), RowLabel(row, Words::Shown), number->value, number->steps);
        } else if (const auto *chaldean = std::get_if<ChaldeanNumber Chart::*>(&row.value)) {
            add(std::string(row.key), RowLabel(row, Words::Shown), (chart.**chaldean).root, (chart.**chaldean).steps);
        } else {
            const std::span<const Span> spans = SpansOf(row, chart);
            for (std::size_t i = 0; i < spans.size(); ++i)
                item(i, spans[i].number);
        }
    }
}

std::string ForecastHeading(const Chart &chart)
{
    if (chart.forecast.empty())
        return "Years ahead";
    return "Years ahead, " + Number(chart.forecast.front().year) + " to " + Number(chart.forecast.back().year);
}

std::string ForecastCell(const ForecastYear &row, std::size_t column)
{
    return std::visit(Overloaded{
                          [&](int ForecastYear::*member) { return Number(row.*member); },
                          [&](char ForecastYear::*member) {
                              return row.*member == 0 ? std::string() : std::string(1, row.*member);
                          },
                      },
                      ForecastColumns[column].cell);
}

std::string_view ForecastNote(Words words)
{
    if (words == Words::Text)
        return "Each year is read on its birthday, so before the birthday the reading year's row shows the age to "
               "come, while the transits and essence above are those of the age on the reading date. A * marks a "
               "change from the year before.";
    return "Each year is read on its birthday, so before the birthday the reading year's row shows the age to come, "
           "while the transits and essence of the cycles are those of the age on the reading date.";
}

std::vector<TextLine> ChartTextLines(std::string_view name, const Chart &chart)
{
    std::vector<TextLine> text;
    text.push_back({"Name", std::string(name)});
    if (HasNameInUse(chart))
        text.push_back({"Name in Use", Utf8Text(chart.currentName)});
    text.push_back({"Date", IsoDateText(chart.date)});
    std::vector<ChartLine> lines;
    for (const Section section : {Section::Core, Section::Cycles, Section::Years, Section::Rest}) {
        if (section == Section::Years) {
            if (chart.forecast.empty())
                continue;
            text.emplace_back();
            text.push_back({ForecastHeading(chart), {}, Breaks::AtSpaces, true});
            for (std::string &line : ForecastTable(chart))
                text.push_back({std::move(line), {}, Breaks::AtSpaces, false, true});
            text.push_back({std::string(ForecastNote(Words::Text)), {}, Breaks::AtSpaces, true});
            continue;
        }
        if (section != Section::Core)
            text.emplace_back();
        if (section == Section::Cycles)
            text.push_back({CyclesHeading(chart, Words::Text), {}, Breaks::AtSpaces, true});
        lines.clear();
        for (const ChartRow *row : RowsInOrder(section, Words::Text))
            AppendRowLines(*row, chart, Words::Text, lines);
        for (ChartLine &line : lines)
            text.push_back({std::move(line.label), std::move(line.value), line.breaks});
    }
    text.emplace_back();
    text.push_back({"How each number came about (Pythagorean letter values, Chaldean for the Chaldean)", {},
                    Breaks::AtSpaces, true});
    std::vector<StepsLine> steps;
    StepsLines(chart, Words::Text, steps);
    for (StepsLine &line : steps)
        text.push_back({std::move(line.label), std::string(line.steps)});
    return text;
}

std::string PlainText(const std::vector<TextLine> &lines)
{
    std::string out;
    for (const TextLine &line : lines) {
        if (line.sentence || line.table) {
            out.append(line.label);
            out.push_back('\n');
        } else if (line.label.empty() && line.value.empty()) {
            out.push_back('\n');
        } else {
            out.append(line.label);
            out.append(line.label.size() < ValueColumn ? ValueColumn - line.label.size() : 1, ' ');
            out.append(line.value);
            while (!out.empty() && out.back() == ' ')
                out.pop_back();
            out.push_back('\n');
        }
    }
    return out;
}

} // namespace veltara::chart
