// How the chart's values are written in words, once for every front end:
// the text chart and its JSON's neighbour on the command line, the window,
// its PDF and the clipboard. Plain C++ in UTF-8; the window converts at its
// edge. A front end takes rows of words from here and lays them out: the
// command line wraps the text chart's lines to the terminal, the window and
// the PDF put them in labels and tables.
#pragma once

#include "chart.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace veltara {

// Where a long value may go on to the next line: at any space, or only at a
// space after a comma (a list whose items hold spaces themselves).
enum class Breaks { AtSpaces, AfterCommas };

// How a character of a name is written in a list or an explanation: as
// itself, except for the space and the characters that do not print.
void AppendCharacterShown(std::string &out, char32_t character);

// Code points in UTF-8: a name as given.
std::string Utf8Text(std::u32string_view text);

// The column at which a text line's value starts.
inline constexpr std::size_t ValueColumn = 18;

} // namespace veltara

namespace veltara::chart {

// For whom a value is written: the text chart (and the clipboard), or the
// window and the PDF (labels in sentence case, the compound numbers alone).
enum class Words { Text, Shown };

// "14/5", or "7" where the total is the value itself.
std::string CompoundText(std::uint64_t total, int value);
// "karmic debt 14".
std::string DebtText(int debt);
// "8, ages 0 to 31", "7, from age 49", with ", now" on the current one.
std::string SpanText(const Span &span);
// The ages a span covers, first and last: "0–34", "35–43", "53 on".
std::string AgesText(const Span &span);
// "1 letter", "3 letters".
std::string LetterCount(int count);
// What the inclusion grid marks on a number: "karmic lesson", "hidden
// passion", or nothing.
std::string_view InclusionMark(const Chart &chart, int number);

// A row's label: "Karmic Lessons" in the text, "Karmic lessons" in the
// window; "Uncounted" in the text, "Characters not counted" in the window.
std::string RowLabel(const ChartRow &row, Words words);
// The label of a span of a row, "Pinnacle 1", or of a member of a record or
// a set: "Physical Plane" ("Physical plane" in the window), "Life
// Path–Expression Bridge", "Mental Transit".
std::string ItemLabel(const ChartRow &row, std::size_t item, Words words);
// A set of spans as a whole: "Pinnacles".
std::string SpansLabel(const ChartRow &row);
// "Cycles on 2023-10-07, at age 37"; "Cycles at age 37" in the window. For
// a reading date before the birth, "Cycles from the birth on 2027-03-15, at
// age 0"; "Cycles from the birth, at age 0" in the window.
std::string CyclesHeading(const Chart &chart, Words words);
// The line under a number: what it means in its place, or, for a number
// without letters to count (0), what its steps say ("No vowel"). The cycles
// speak of "this year", "this month" or "today" only when the date they are
// read on falls in those of `today`.
std::string MeaningLine(const ChartRow &row, const Chart &chart, const Date &today);
// What a chart needs said beside it, a line each, without a full stop: each
// part without a letter A to Z ("Петров has no letter A to Z and counts for
// nothing: write it in Latin letters"), then the cycles read from the birth
// ("The cycles are read from the birth on 2027-03-15: the reading date
// 2026-12-09 is before it"). None for most charts.
std::vector<std::string> ChartNotes(const Chart &chart);

// One value of the chart in words. `key` names it: the row's key, with the
// span's number ("pinnacles1") or the plane's key ("planes.physical").
struct ChartLine {
    const ChartRow *row = nullptr;
    std::string key;
    std::string label;
    std::string value;
    Breaks breaks = Breaks::AtSpaces;
    std::size_t item = 0; // which span or plane of its row
};

// The lines of a row: one for most rows, one for each span, plane, bridge
// or transit; none for a row without a value (HasValue) and for the
// forecast, which is a table (ForecastCells).
void AppendRowLines(const ChartRow &row, const Chart &chart, Words words, std::vector<ChartLine> &lines);

// What a number of a line means: its line in its place ("The road your life
// takes — freedom: ...", or for a number without letters to count what its
// steps say) and the paragraph one asks for (the number's gifts and shadow, a
// karmic debt's own; empty where there is none).
struct Meaning {
    std::string line;
    std::string_view paragraph;
};
// The meanings of a line: one for each number it holds (a list, one for each
// of its numbers), one line for the inclusion grid, none for the characters
// not counted, the parts left out and a number the chart lacks. The cycles
// speak of today as MeaningLine does.
std::vector<Meaning> LineMeanings(const ChartLine &line, const Chart &chart, const Date &today);

// The rows of a section in the order the text chart lists them, or the
// window and the PDF; without the rows in JSON alone.
std::vector<const ChartRow *> RowsInOrder(Section section, Words words);

// How one number came about: its label, its value and the engine's steps,
// for every number that has steps, in the table's order (each span apart).
struct StepsLine {
    std::string key;
    std::string label;
    std::string value;
    std::string_view steps;
};
void StepsLines(const Chart &chart, Words words, std::vector<StepsLine> &lines);

// "Years ahead, 2026 to 2035".
std::string ForecastHeading(const Chart &chart);
// A cell of the forecast in words: "7", "T"; empty for no letter.
std::string ForecastCell(const ForecastYear &row, std::size_t column);
// What the table of the years ahead needs said under it: each row is read
// on its year's birthday, the transits and essence of the cycles on the
// reading date, and what the mark of a change is.
std::string_view ForecastNote(Words words);

// The whole text chart as lines to lay out: a value line (label and value),
// a sentence (label empty), a line of a table (laid out already, in the
// label), or an empty line (both empty).
struct TextLine {
    std::string label;
    std::string value;
    Breaks breaks = Breaks::AtSpaces;
    bool sentence = false;
    bool table = false;
};
// The chart as a person reads it, then how each number came about.
std::vector<TextLine> ChartTextLines(std::string_view name, const Chart &chart);
// The lines as text, not wrapped (the clipboard's chart): a value line is
// its label, then its value from ValueColumn (one space after a longer
// label), without blanks at its end.
std::string PlainText(const std::vector<TextLine> &lines);

} // namespace veltara::chart
