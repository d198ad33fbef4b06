// The display steps of a reading: each reads what it needs from the main
// window's controls (the name number from its box, the birth-date digits from
// the hidden digit box) and writes its own controls. They return nothing.
#pragma once

#include <functional>

class QLabel;
class QLineEdit;
class QProgressBar;

namespace veltara {

// The controls of the main window that the steps read and write.
struct ReadingControls {
    QLineEdit *nameNumber = nullptr;
    QLineEdit *birthDigits = nullptr;
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
void ShowCharacter(const ReadingControls &controls);
// Planet step: progress 24; then the planet picture, planet, progress + 1,
// element and letters. A picture that cannot be loaded ends the step.
void ShowPlanet(const ReadingControls &controls);
// Colour step: progress 33; then progress + 1 and both colour texts.
void ShowColours(const ReadingControls &controls);
// Zodiac step: progress 0, raised by one per row examined; the matching
// row's picture, then its sign name. A date no row covers clears the window
// and shows the "Invalid Birthday" message.
void ShowZodiacSign(const ReadingControls &controls);

} // namespace veltara
