#include "reading.h"

#include "numerology.h"
#include "text.h"

namespace veltara {

std::string_view RefusalText(ReadingOutcome outcome) noexcept
{
    switch (outcome) {
    case ReadingOutcome::Read:
        return {};
    case ReadingOutcome::InvalidBirthdate:
    case ReadingOutcome::InvalidBirthday:
        return "You Have Entered An Invalid Birthdate.  Please Retry.";
    case ReadingOutcome::MissingName:
        return "You Must Enter Your Full Name.";
    }
    return {};
}

void MakeReading(const ReadingInputs &inputs, ReadingResult &reading)
{
    BirthDigitsResult birth = BirthDigits(inputs.month, inputs.day, inputs.year, inputs.birthDigits);
    reading.paddedDay = std::move(birth.paddedDay);
    reading.birthDigits = std::move(birth.digits);
    // Nothing of the last reading stays, whatever the outcome; the lists keep
    // their storage.
    reading.nameNumber = 0;
    reading.birthNumber = 0;
    reading.profile = nullptr;
    reading.zodiac = nullptr;
    reading.letterCounts.clear();
    reading.letterSum = 0;
    reading.nameSums.clear();
    reading.birthSums.clear();
    reading.birthKey.reset();
    if (inputs.month.empty() || reading.paddedDay.empty() || inputs.year.empty()) {
        reading.outcome = ReadingOutcome::InvalidBirthdate;
        return;
    }
    if (inputs.name.empty()) {
        reading.outcome = ReadingOutcome::MissingName;
        return;
    }

    // The name: every character with its value, the letter sum and the passes.
    reading.letterCounts.reserve(inputs.name.size());
    for (std::size_t i = 0; i < inputs.name.size();) {
        const char32_t character = NextCodePoint(inputs.name, i);
        const int value = LetterValue(character);
        reading.letterCounts.push_back({character, value});
        reading.letterSum += Unsigned(value);
    }
    reading.nameNumber = ReduceLetterSum(reading.letterSum, reading.nameSums);

    reading.birthNumber = ReduceBirthDigitSum(DigitSum(std::u16string_view(reading.birthDigits)), reading.birthSums);
    reading.profile = LookupNameProfile(reading.nameNumber);

    reading.birthKey = BirthKey(reading.birthDigits);
    // An unconvertible text reads as key 0, which no row holds.
    reading.zodiac = FindZodiacRow(reading.birthKey.value_or(0));
    reading.outcome = reading.zodiac ? ReadingOutcome::Read : ReadingOutcome::InvalidBirthday;
}

} // namespace veltara
