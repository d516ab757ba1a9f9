// The settings file as bytes, edited in place: one key's value replaced, or a key line added at
// the end of its section, every other byte left as it was. Sections and keys are found the way
// the private-profile functions find them: names compared without letter case, blanks around
// names and values ignored, the first of several equal names used.
#pragma once

#include <array>
#include <string_view>

namespace importer {

constexpr int maxFileBytes = 1 << 20;

struct IniText {
    int length;
    std::array<char, maxFileBytes> bytes;
};

inline std::string_view textOf(const IniText& text) {
    return {text.bytes.data(), static_cast<std::size_t>(text.length)};
}

// The value of a key (blanks around it removed); false when the section or key is missing.
bool iniValue(const IniText& text, std::string_view section, std::string_view key,
              std::string_view& value);

// Replaces the key's value in place, or adds "key=value" with a CRLF after the section's last
// line (adding the section at the end of the file when it is missing). False when the file
// would grow beyond maxFileBytes; the text is then unchanged.
bool setIniValue(IniText& text, std::string_view section, std::string_view key,
                 std::string_view value);

} // namespace importer
