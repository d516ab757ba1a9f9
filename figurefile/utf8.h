// Text given as UTF-8 (the command line, a dialog's words) as its characters (code points).
#pragma once

#include <array>
#include <string_view>

namespace figurefile {

constexpr int maxTextCharacters = 256;

struct Characters {
    int count;
    std::array<char32_t, maxTextCharacters + 1> at; // entry 0 left empty
};

// False on malformed UTF-8 (overlong forms and surrogates included) or more than
// maxTextCharacters characters.
bool decodeUtf8(std::string_view text, Characters& characters);

// The characters of `from` for which keep(c) holds, as UTF-8 into text; its length.
constexpr int maxUtf8Bytes = 4 * maxTextCharacters;
template <typename Keep>
int encodeUtf8If(const Characters& from, char (&text)[maxUtf8Bytes + 1], Keep keep) {
    int length = 0;
    for (int i = 1; i <= from.count; ++i) {
        const char32_t c = from.at[i];
        if (!keep(c)) {
            continue;
        }
        const int extra = c < 0x80 ? 0 : c < 0x800 ? 1 : c < 0x10000 ? 2 : 3;
        constexpr unsigned char leads[4] = {0x00, 0xC0, 0xE0, 0xF0};
        text[length++] = static_cast<char>(leads[extra] | (c >> (6 * extra)));
        for (int k = extra - 1; k >= 0; --k) {
            text[length++] = static_cast<char>(0x80 | ((c >> (6 * k)) & 0x3F));
        }
    }
    text[length] = '\0';
    return length;
}

// One character as UTF-16 units, terminated: a surrogate pair beyond the 16-bit range, else the
// code as it is (a lone surrogate included, so that it can still be named); the number of units.
int utf16Units(char32_t c, wchar_t (&units)[3]);

// Space, ideographic space and tab separate words; they become no figure.
bool isBlankCharacter(char32_t c);

// The characters to import: each distinct one once, blanks aside, in order of appearance.
void distinctCharacters(const Characters& text, Characters& distinct);

// The characters to spell, blanks removed (the figures of a row stand side by side).
void spelledCharacters(const Characters& text, Characters& spelled);

} // namespace figurefile
