// What the chart's numbers mean: a line for each number, a paragraph on its
// gifts and its shadow, a line for each place of the chart (life path, a
// pinnacle, the personal year ...) on how a number acts there, and lines of
// their own for a challenge, a karmic lesson and a karmic debt. The words are
// this program's own, in meaningtexts.inc.
//
// A place's key is the JSON key of its place in the chart, a dotted path for
// a member of an object: "lifePath", "pinnacles", "challenges",
// "karmicDebts", "planes.physical", "bridges.lifePathExpression". Every
// lookup that misses returns an empty text.
#pragma once

#include "dates.h"

#include <string>
#include <string_view>

namespace veltara::chart {

// A number's line, a phrase in lower case without a full stop ("freedom:
// change, travel, and curiosity about everything"): 0 to 9, 11, 22 and 33.
std::string_view NumberLine(int number) noexcept;

// A number's gifts and its shadow in three or four sentences: 1 to 9, 11, 22
// and 33.
std::string_view NumberParagraph(int number) noexcept;

// A place's line, a phrase in upper case without a full stop ("The road your
// life takes"). The cycles of the reading date (universal and personal year,
// personal month and day) speak of the year, month or day read.
std::string_view PlaceLine(std::string_view key) noexcept;

// The same, with the cycles speaking of "this year", "this month" or "today"
// when the reading date `on` falls in the year, month or day of `today`.
std::string_view PlaceLine(std::string_view key, const Date &on, const Date &today) noexcept;

// What a challenge 0 to 8 lacks, what a karmic lesson 1 to 9 asks to learn,
// and what a karmic debt 13, 14, 16 or 19 asks: lines in lower case without
// a full stop.
std::string_view ChallengeLine(int number) noexcept;
std::string_view LessonLine(int number) noexcept;
std::string_view DebtLine(int number) noexcept;

// A karmic debt in three or four sentences.
std::string_view DebtParagraph(int number) noexcept;

// A number's line in its place: the place's line, a dash, the number's
// ("The road your life takes — freedom: change, travel, and curiosity about
// everything"). In "challenges", "karmicLessons" and "karmicDebts" the
// number's line is the challenge's, the lesson's or the debt's. Empty when
// either is unknown. The second form words the cycles for a reading date as
// PlaceLine does.
std::string MeaningIn(std::string_view key, int number);
std::string MeaningIn(std::string_view key, int number, const Date &on, const Date &today);

} // namespace veltara::chart
