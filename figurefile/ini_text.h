// The settings file as bytes, edited in place: one key's value replaced, or a key line added at
// the end of its section, every other byte left as it was. Sections and keys are found the way
// the private-profile functions find them (settings/ini_lines.h). Added lines end the way the
// file's first line does (CR LF when it has none).
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace figurefile {

constexpr int maxFileBytes = 1 << 20;

struct IniText {
    int length;
    std::array<char, maxFileBytes> bytes;
};

inline std::string_view textOf(const IniText& text) {
    return {text.bytes.data(), static_cast<std::size_t>(text.length)};
}

enum class KeyState : std::uint8_t {
    missing, // no line of that name in the section (or no section)
    noValue, // a line of that name without "=": reads give the default
    value,
};

// The key's state and, when it has one, its value (blanks around it removed).
KeyState keyState(const IniText& text, std::string_view section, std::string_view key,
                  std::string_view& value);

// The value of a key; false when the section or key is missing or the key has no value.
bool iniValue(const IniText& text, std::string_view section, std::string_view key,
              std::string_view& value);

// Replaces the key's value in place, or adds "key=value" after the section's last line (adding
// the section at the end of the file when it is missing). False when the file would grow
// beyond maxFileBytes; the text is then unchanged.
bool setIniValue(IniText& text, std::string_view section, std::string_view key,
                 std::string_view value);

} // namespace figurefile
