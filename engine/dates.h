// Dates as the chart takes them: whole days of the proleptic Gregorian
// calendar, years 1 to 9999, and the ways they are written.
#pragma once

#include <string>
#include <string_view>

namespace veltara {

struct Date {
    int year = 0;
    int month = 0;
    int day = 0;

    bool operator==(const Date &) const = default;
};

// The date exists in the proleptic Gregorian calendar, years 1 to 9999.
bool IsValidDate(const Date &date) noexcept;

// The shape YYYY-MM-DD: four digits, a hyphen, two digits, a hyphen, two
// digits, whatever their values.
bool IsIsoDateShape(std::string_view text) noexcept;

// YYYY-MM-DD, each field padded with zeros (a year above 9999 keeps its digits).
std::string IsoDateText(const Date &date);
void AppendIsoDate(std::string &out, const Date &date);

// The value of a text of at most `maxDigits` digits 0-9, or -1.
int SmallNumber(std::string_view text, std::size_t maxDigits) noexcept;

// A month number 1 to 12, given as digits or as an English month name in
// any letter case; 0 for anything else.
int MonthNumber(std::string_view text) noexcept;

} // namespace veltara
