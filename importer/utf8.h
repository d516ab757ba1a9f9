// Text given as UTF-8 (the command line, a dialog's words) as its characters (code points).
#pragma once

#include <array>
#include <string_view>

namespace importer {

constexpr int maxTextCharacters = 256;

struct Characters {
    int count;
    std::array<char32_t, maxTextCharacters + 1> at; // entry 0 left empty
};

// False on malformed UTF-8 (overlong forms and surrogates included) or more than
// maxTextCharacters characters.
bool decodeUtf8(std::string_view text, Characters& characters);

} // namespace importer
