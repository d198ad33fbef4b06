// A name as the chart's numbers read it. The name is read as Unicode code
// points. Only letters count, as FoldLetter reads them; the name's parts are
// separated by white space, and within a part a character that is no letter
// is skipped ("Jean-Pierre" is one part). A combining mark belongs to the
// character before it: after a letter it is part of that letter, so "Jose" +
// U+0301 gives the chart of "José". The last part of a name of two or more
// parts is left out of every number when it is a generational suffix: Jr,
// Jnr, Sr or Snr, with or without one dot, in any letter case; a Roman
// numeral II, III, IV, VI, VII, VIII or IX, in capitals only; an ordinal 2nd
// to 9th, in any letter case. So "Naomasa Ii" and "Malcolm X" keep their
// last part.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

namespace veltara::chart {

// The name's parts' folded letters, each marked vowel or not, and what did
// not count.
struct PreparedName {
    std::string letters;            // the folded letters 'A'..'Z' of all the parts
    std::string vowels;             // for each letter, 1 when it is a vowel, else 0
    std::vector<std::size_t> ends;  // where each part ends in `letters`
    // The part left out as a generational suffix, as written (one at most).
    std::vector<std::u32string> leftOut;
    // The parts that have letters (Unicode's general category L) but none
    // that counts, as written: "Петров" of "Ivan Петров".
    std::vector<std::u32string> notLatin;
    // The characters of the name that count as no letter, white space aside,
    // each once in order of first appearance; an entry is a character with
    // the combining marks that follow it (or a mark with no character before
    // it, at the start or after white space, with the marks after it).
    std::vector<std::u32string> uncounted;
    // The uncounted entries of a name with very many of them, for a lookup
    // that does not grow with their number.
    std::unordered_set<std::u32string> manyUncounted;

    std::size_t partCount() const { return ends.size(); }
    std::string_view part(std::size_t i) const;
    std::string_view partVowels(std::size_t i) const;
};

// Reads a name into `name`, whose storage is kept from call to call and
// cleared first. A vowel is A, E, I, O, U, and Y when neither letter beside
// it is one of those; only a letter with nothing but combining marks between
// it and the Y stands beside it (a hyphen or an apostrophe ends a word for
// this test).
void PrepareName(std::u32string_view text, PreparedName &name);

} // namespace veltara::chart
