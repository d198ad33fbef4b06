// The name-number profile table: character, planet, element, letters and
// colours for the name numbers 1 to 9.
#pragma once

#include <string_view>

namespace veltara {

struct NameProfile {
    int number;
    std::u16string_view characterText;
    std::u16string_view planet;
    std::u16string_view planetPicture; // a file of the picture folder
    std::u16string_view element;
    std::u16string_view letters;
    std::u16string_view primaryColor;
    std::u16string_view secondaryColors;
};

// The row of a name number 1 to 9; nullptr for every other number.
const NameProfile *LookupNameProfile(int nameNumber) noexcept;

} // namespace veltara
