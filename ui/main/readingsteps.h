// The display steps of a reading: each writes the engine's result into its
// own controls of the main window, in the window's order.
#pragma once

#include <functional>

class QLabel;
class QProgressBar;

namespace veltara {

struct NameProfile;
struct ZodiacRange;

// The controls of the main window that the steps write.
struct ReadingControls {
    QLabel *characterText = nullptr;
    QLabel *planet = nullptr;
    QLabel *planetPicture = nullptr;
    QLabel *element = nullptr;
    QLabel *letters = nullptr;
    QLabel *primaryColor = nullptr;
    QLabel *secondaryColors = nullptr;
    QLabel *zodiac = nullptr;
    QLabel *zodiacPicture = nullptr;
    QProgressBar *progress = nullptr;
    std::function<void()> clear; // the window's Clear command
};

// Character step: the character text of the name number's profile.
void ShowCharacter(const ReadingControls &controls, const NameProfile *profile);
// Planet step: progress 24; then the planet picture, planet, progress + 1,
// element and letters. A picture that cannot be loaded ends the step.
void ShowPlanet(const ReadingControls &controls, const NameProfile *profile);
// Colour step: progress 33; then progress + 1 and both colour texts.
void ShowColours(const ReadingControls &controls, const NameProfile *profile);
// Zodiac step: progress 0, raised by one per row examined up to the
// reading's row; its picture, then its sign name. Without a row, a window
// that shows no sign yet is cleared and shows the "Invalid Birthday"
// message; the step then returns false.
bool ShowZodiacSign(const ReadingControls &controls, const ZodiacRange *row);

} // namespace veltara
