// An independent statement of what a click on "Convert" shows, written to check the real conversion.
#pragma once

#include <cstddef>
#include <string>

struct ExpectedClick
{
    std::u16string output;      // the text of Text2 afterwards
    std::size_t errorBoxes = 0; // how many "There was an error" boxes the click shows
    std::size_t converted = 0;  // how many tokens are converted
};

[[nodiscard]] ExpectedClick expectedClick(const std::u16string& line);
