#include "figurefile/ini_text.h"

#include "settings/ini_lines.h"

#include <algorithm>
#include <cstring>
#include <initializer_list>

namespace figurefile {

namespace ini = settings::ini;

namespace {

// Replaces bytes [begin, end) with the pieces; false when the result would not fit.
bool splice(IniText& text, std::size_t begin, std::size_t end,
            std::initializer_list<std::string_view> pieces) {
    std::size_t added = 0;
    for (std::string_view piece : pieces) {
        added += piece.size();
    }
    const std::size_t length = static_cast<std::size_t>(text.length) - (end - begin) + added;
    if (length > static_cast<std::size_t>(maxFileBytes)) {
        return false;
    }
    char* bytes = text.bytes.data();
    std::memmove(bytes + begin + added, bytes + end, static_cast<std::size_t>(text.length) - end);
    std::size_t at = begin;
    for (std::string_view piece : pieces) {
        std::copy(piece.begin(), piece.end(), bytes + at);
        at += piece.size();
    }
    text.length = static_cast<int>(length);
    return true;
}

// The file's own line break: that of its first line, CR LF when it has none.
std::string_view lineBreakOf(std::string_view text) {
    const std::size_t at = text.find_first_of("\r\n");
    if (at == std::string_view::npos ||
        (text[at] == '\r' && at + 1 < text.size() && text[at + 1] == '\n')) {
        return "\r\n";
    }
    return text[at] == '\r' ? "\r" : "\n";
}

// What ends the line before a line added at `at`: nothing after a line break, except a line
// feed to complete a lone carriage return in a CR LF file.
std::string_view lineBreakBefore(std::string_view text, std::size_t at, std::string_view style) {
    if (at == 0 || text[at - 1] == '\n') {
        return "";
    }
    if (text[at - 1] == '\r') {
        return style == "\r\n" ? "\n" : "";
    }
    return style;
}

} // namespace

KeyState keyState(const IniText& text, std::string_view section, std::string_view key,
                  std::string_view& value) {
    const ini::Place place = ini::findKey(textOf(text), section, key);
    if (!place.keyFound) {
        return KeyState::missing;
    }
    value = place.key.value;
    return place.key.hasValue ? KeyState::value : KeyState::noValue;
}

bool iniValue(const IniText& text, std::string_view section, std::string_view key,
              std::string_view& value) {
    return keyState(text, section, key, value) == KeyState::value;
}

bool setIniValue(IniText& text, std::string_view section, std::string_view key,
                 std::string_view value) {
    const std::string_view all = textOf(text);
    const std::string_view style = lineBreakOf(all);
    const ini::Place place = ini::findKey(all, section, key);
    const auto length = static_cast<std::size_t>(text.length);
    if (!place.sectionFound) {
        return splice(text, length, length,
                      {lineBreakBefore(all, length, style), "[", section, "]", style, key, "=",
                       value, style});
    }
    if (place.keyFound && place.key.hasValue) {
        return splice(text, place.key.valueBegin, place.key.end, {value});
    }
    if (place.keyFound) { // the key's line lacks "=": it takes the value as the platform would
        return splice(text, place.key.end, place.key.end, {"=", value});
    }
    const std::size_t at = place.lastLineNext;
    return splice(text, at, at, {lineBreakBefore(all, at, style), key, "=", value, style});
}

} // namespace figurefile
