#include "figurefile/utf8.h"

namespace figurefile {

bool decodeUtf8(std::string_view text, Characters& characters) {
    characters.count = 0;
    std::size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const int extra = lead < 0x80                   ? 0
                          : lead >= 0xC2 && lead < 0xE0 ? 1
                          : lead >= 0xE0 && lead < 0xF0 ? 2
                          : lead >= 0xF0 && lead < 0xF5 ? 3
                                                        : -1;
        if (extra < 0 || i + static_cast<std::size_t>(extra) >= text.size()) {
            return false;
        }
        char32_t c = extra == 0 ? lead : lead & (0x3F >> extra);
        for (int k = 1; k <= extra; ++k) {
            const auto next = static_cast<unsigned char>(text[i + k]);
            if ((next & 0xC0) != 0x80) {
                return false;
            }
            c = (c << 6) | (next & 0x3F);
        }
        const char32_t smallest[4] = {0, 0x80, 0x800, 0x10000};
        if (c < smallest[extra] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF) ||
            characters.count >= maxTextCharacters) {
            return false;
        }
        characters.at[++characters.count] = c;
        i += 1 + static_cast<std::size_t>(extra);
    }
    return true;
}

int utf16Units(char32_t c, wchar_t (&units)[3]) {
    units[1] = units[2] = L'\0';
    if (c > 0xFFFF && c <= 0x10FFFF) {
        units[0] = static_cast<wchar_t>(0xD800 + ((c - 0x10000) >> 10));
        units[1] = static_cast<wchar_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
        return 2;
    }
    units[0] = static_cast<wchar_t>(c);
    return 1;
}

bool isBlankCharacter(char32_t c) {
    return c == U' ' || c == U'\u3000' || c == U'\t';
}

void distinctCharacters(const Characters& text, Characters& distinct) {
    distinct.count = 0;
    for (int i = 1; i <= text.count; ++i) {
        bool seen = isBlankCharacter(text.at[i]);
        for (int j = 1; j <= distinct.count && !seen; ++j) {
            seen = distinct.at[j] == text.at[i];
        }
        if (!seen) {
            distinct.at[++distinct.count] = text.at[i];
        }
    }
}

void spelledCharacters(const Characters& text, Characters& spelled) {
    spelled.count = 0;
    for (int i = 1; i <= text.count; ++i) {
        if (!isBlankCharacter(text.at[i])) {
            spelled.at[++spelled.count] = text.at[i];
        }
    }
}

} // namespace figurefile
