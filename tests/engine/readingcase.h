// Readings made as the window makes them on Calculate, for the engine's
// tests: a name on a fixed valid date, or a given birth-date digit text.
#pragma once

#include "numerology.h"
#include "reading.h"
#include "textunits.h"

#include <QString>

#include <optional>

namespace readingcase {

// The reading of `name` born on 5 January 1980 (digit text 01051980).
inline veltara::ReadingResult OfName(std::u16string_view name)
{
    veltara::ReadingResult reading;
    veltara::MakeReading({name, u"05", u"January", u"1980", {}}, reading);
    return reading;
}

// The reading of "Ann" whose birth-date digit text is `digits`: an unknown
// month keeps the box's text, empty here; the first two units follow as the
// day, which is kept as typed, and the rest as the year. The date fields
// compose any text of 3 to 8 units so; nullopt for another, which no date
// gives.
inline std::optional<veltara::ReadingResult> OfDigits(const QString &digits)
{
    if (digits.size() < 3 || digits.size() > static_cast<qsizetype>(veltara::BirthDigitsMaxLength))
        return std::nullopt;
    const QString day = digits.left(2), year = digits.mid(2);
    veltara::ReadingResult reading;
    veltara::MakeReading({u"Ann", veltara::Units(day), u"?", veltara::Units(year), {}}, reading);
    return reading;
}

} // namespace readingcase
