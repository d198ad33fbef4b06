// The reference stepping method of the zodiac lookup, kept as an independent
// oracle for the engine's direct range test.
//
// The birth key is held in single precision. Each row is examined by stepping
// a single-precision counter from its first key by 1 up to and including its
// last key, comparing the key with the counter for equality and stopping the
// row at the first equal value. Every bound lies below 2^24, so the counter is
// exact. A key that matches nothing costs 3,660,000 steps: use it in tests and
// fuzzing only.
//
// The row bounds are typed here on their own rather than taken from the
// engine's table, so that a wrong bound in either shows up as a difference.
#pragma once

#include "zodiac.h"

#include <array>
#include <cstdint>
#include <string_view>

namespace zodiacreference {

struct ReferenceBounds {
    std::uint32_t firstKey;
    std::uint32_t lastKey;
};

// Rows 1 to 24 in the order they are examined: month * 1,000,000 + day * 10,000
// (+ 9999 for the last key of the row's last day).
inline constexpr std::array<ReferenceBounds, 24> Rows = {{
    {1010000, 1209999},   {1210000, 1319999},   // January 1-20, 21-31
    {2010000, 2199999},   {2200000, 2299999},   // February 1-19, 20-29
    {3010000, 3209999},   {3210000, 3319999},   // March 1-20, 21-31
    {4010000, 4199999},   {4200000, 4309999},   // April 1-19, 20-30
    {5010000, 5199999},   {5200000, 5319999},   // May 1-19, 20-31
    {6010000, 6209999},   {6210000, 6309999},   // June 1-20, 21-30
    {7010000, 7229999},   {7230000, 7319999},   // July 1-22, 23-31
    {8010000, 8219999},   {8220000, 8319999},   // August 1-21, 22-31
    {9010000, 9229999},   {9230000, 9309999},   // September 1-22, 23-30
    {10010000, 10229999}, {10230000, 10319999}, // October 1-22, 23-31
    {11010000, 11219999}, {11220000, 11309999}, // November 1-21, 22-30
    {12010000, 12219999}, {12220000, 12319999}, // December 1-21, 22-31
}};

// The birth key as the engine reads it from the digit text, in single
// precision; an unconvertible text gives 0.
inline float ReferenceBirthKey(std::u16string_view birthDigits)
{
    return static_cast<float>(veltara::BirthKey(birthDigits).value_or(0));
}

// Number of the first row (1 to 24) that holds the key by the stepping
// method, or 0 when none does.
inline int ReferenceZodiacRow(float key)
{
    for (std::size_t i = 0; i < Rows.size(); ++i) {
        const auto last = static_cast<float>(Rows[i].lastKey);
        for (auto counter = static_cast<float>(Rows[i].firstKey); counter <= last; counter += 1.0f) {
            if (key == counter)
                return static_cast<int>(i) + 1;
        }
    }
    return 0;
}

inline int ReferenceZodiacRow(std::u16string_view birthDigits)
{
    return ReferenceZodiacRow(ReferenceBirthKey(birthDigits));
}

} // namespace zodiacreference
