#include "meanings.h"

#include <algorithm>

namespace veltara::chart {

std::string_view MeaningOfNumber(int number) noexcept
{
    const auto *found = std::find_if(std::begin(NumberMeanings), std::end(NumberMeanings),
                                     [number](const NumberMeaning &row) { return row.number == number; });
    return found == std::end(NumberMeanings) ? std::string_view() : found->text;
}

std::string_view MeaningOfPlace(std::string_view key) noexcept
{
    const auto *found = std::find_if(std::begin(PlaceMeanings), std::end(PlaceMeanings),
                                     [key](const PlaceMeaning &row) { return row.key == key; });
    return found == std::end(PlaceMeanings) ? std::string_view() : found->text;
}

std::string MeaningIn(std::string_view key, int number)
{
    const std::string_view place = MeaningOfPlace(key), meaning = MeaningOfNumber(number);
    if (place.empty() || meaning.empty())
        return {};
    std::string line(place);
    line.append(" \u2014 ");
    line.append(meaning);
    return line;
}

} // namespace veltara::chart
