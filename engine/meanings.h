// What the chart's numbers mean, in one short line each: what a number
// stands for, and what a place of the chart (life path, a pinnacle, the
// personal year ...) tells about the one whose chart it is. The lines are
// this program's own plain words.
#pragma once

#include <string>
#include <string_view>

namespace veltara::chart {

struct NumberMeaning {
    int number;            // 0-9, 11, 22, 33; 0 is a challenge's own value
    std::string_view text; // a phrase starting in lower case, no full stop
};

inline constexpr NumberMeaning NumberMeanings[] = {
    {0, "no single hurdle: every lesson stays open, and the choice is yours"},
    {1, "a beginning: standing alone, leading, and trusting your own will"},
    {2, "partnership: patience, tact, and a feeling for other people"},
    {3, "expression: words, play, and the joy of making things"},
    {4, "a foundation: order, steady work, and keeping your word"},
    {5, "freedom: change, travel, and curiosity about everything"},
    {6, "care: home, family, and a sense of duty to others"},
    {7, "the search for truth: study, quiet, and looking inward"},
    {8, "power in the world: money, ambition, and sound judgement"},
    {9, "the whole of life: giving, letting go, and seeing the larger picture"},
    {11, "insight: a fine intuition, and the nerve to live by it"},
    {22, "the master builder: large plans carried out with both feet on the ground"},
    {33, "the master teacher: love given freely, and healing by example"},
};

struct PlaceMeaning {
    std::string_view key;  // the key of the number in the chart, as in its JSON
    std::string_view text; // a phrase starting in upper case, no full stop
};

inline constexpr PlaceMeaning PlaceMeanings[] = {
    {"lifePath", "The road your life takes"},
    {"expression", "The gifts you were given to use"},
    {"soulUrge", "What your heart wants most"},
    {"personality", "How others see you at first"},
    {"birthday", "A talent you were born with"},
    {"maturity", "What the second half of life grows toward"},
    {"karmicLessons", "What your name lacks and life will ask you to learn"},
    {"hiddenPassion", "The strength your name leans on most"},
    {"karmicDebt", "A lesson carried over, to be paid with effort"},
    {"pinnacle", "The chance a stretch of years holds out"},
    {"challenge", "The obstacle a stretch of years puts in the way"},
    {"period", "The mood of a third of your life"},
    {"personalYear", "What this year of your life is for"},
    {"personalMonth", "The tone of this month for you"},
    {"personalDay", "The tone of today for you"},
    {"universalYear", "The tone of this year for everyone"},
    {"balance", "How you keep your footing in hard times"},
    {"rationalThought", "How you think a problem through"},
    {"subconsciousSelf", "How you respond when taken by surprise"},
    {"cornerstone", "How you take up what is new"},
    {"capstone", "How you finish what you start"},
    {"firstVowel", "Your first, unguarded response"},
    {"chaldean", "Your name by the older Chaldean values"},
};

// The line of a number; empty for a value no number of the chart takes.
std::string_view MeaningOfNumber(int number) noexcept;

// The line of a place by its key; empty for an unknown key.
std::string_view MeaningOfPlace(std::string_view key) noexcept;

// A number's line in its place: the place's line, a dash, the number's
// ("The road your life takes — freedom: change, travel, and curiosity about
// everything"). Empty when either is unknown.
std::string MeaningIn(std::string_view key, int number);

} // namespace veltara::chart
