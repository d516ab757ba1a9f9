// Private-profile semantics over in-memory files, as far as the program relies on them: sections
// and keys as settings/ini_lines.h finds them, a value loses its surrounding blanks and a pair of
// enclosing quotes, a missing key gives the default (trailing blanks dropped), a value is
// cut to the buffer, and a write replaces the key's line where it stands, or adds the key at the
// end of its section, or adds the section at the end of the file, leaving every other byte as it
// was. Test-only: it allocates freely.
#include "settings/ini_lines.h"
#include "settings/profile.h"
#include "tests/support/profile_memory.h"
#include "settings/profile_number.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>

namespace profile {

namespace {

std::string lowerCase(std::string_view text) {
    std::string lower(text);
    for (char& c : lower) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return lower;
}

std::map<std::string, std::string>& files() {
    static std::map<std::string, std::string> all;
    return all;
}

// A line `  123, "text"` of the string table (GCC's optimiser warns falsely inside <regex>).
bool stringEntry(const std::string& line, unsigned& id, std::string& text) {
    constexpr const char* blanks = " \t\r";
    std::size_t at = line.find_first_not_of(blanks);
    if (at == std::string::npos || !std::isdigit(static_cast<unsigned char>(line[at]))) {
        return false;
    }
    std::size_t digits = 0;
    id = static_cast<unsigned>(std::stoul(line.substr(at), &digits));
    at += digits;
    if (at >= line.size() || line[at] != ',') {
        return false;
    }
    at = line.find_first_not_of(blanks, at + 1);
    if (at == std::string::npos || line[at] != '"') {
        return false;
    }
    const std::size_t close = line.find('"', at + 1);
    if (close == std::string::npos ||
        line.find_first_not_of(blanks, close + 1) != std::string::npos) {
        return false;
    }
    text = line.substr(at + 1, close - at - 1);
    return true;
}

std::map<unsigned, std::string> readProgramStrings() {
    auto path = std::filesystem::path(KESTA_SOURCE_DIR) / "resources" / "strings.rc";
    std::ifstream in(path);
    if (!in) {
        std::fprintf(stderr, "in-memory profile: cannot read %s\n", path.c_str());
        std::abort();
    }
    std::map<unsigned, std::string> table;
    unsigned id = 0;
    std::string text;
    for (std::string line; std::getline(in, line);) {
        if (stringEntry(line, id, text)) {
            table[id] = text;
        }
    }
    return table;
}

const std::map<unsigned, std::string>& programStrings() {
    static const std::map<unsigned, std::string> table = readProgramStrings();
    return table;
}

std::map<std::string, bool>& refusing() {
    static std::map<std::string, bool> names;
    return names;
}

int failureReports;

std::map<unsigned, std::string>& strings() {
    static std::map<unsigned, std::string> table = programStrings();
    return table;
}

std::uint32_t copyOut(std::string_view text, char* buffer, std::uint32_t size) {
    if (size == 0) {
        return 0;
    }
    std::size_t count = std::min<std::size_t>(text.size(), size - 1);
    std::memcpy(buffer, text.data(), count);
    buffer[count] = 0;
    return static_cast<std::uint32_t>(count);
}

std::string_view unquoted(std::string_view value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front()) {
        return value.substr(1, value.size() - 2);
    }
    return value;
}

} // namespace

namespace memory {

void reset() {
    files().clear();
    refusing().clear();
    failureReports = 0;
    strings() = programStrings();
}

void setFile(std::string_view name, std::string_view contents) {
    files()[lowerCase(name)] = std::string(contents);
}

std::optional<std::string> file(std::string_view name) {
    auto found = files().find(lowerCase(name));
    if (found == files().end()) {
        return std::nullopt;
    }
    return found->second;
}

void setString(unsigned id, std::string_view text) {
    strings()[id] = std::string(text);
}

void refuseWrites(std::string_view name, bool refuse) {
    refusing()[lowerCase(name)] = refuse;
}

int writeFailureReports() {
    return failureReports;
}

} // namespace memory

std::uint32_t readString(const char* section, const char* key, const char* defaultValue,
                         char* buffer, std::uint32_t size, const char* fileName) {
    auto text = files().find(lowerCase(fileName));
    if (text != files().end()) {
        const settings::ini::Place place = settings::ini::findKey(text->second, section, key);
        if (place.keyFound && place.key.hasValue) {
            return copyOut(unquoted(place.key.value), buffer, size);
        }
    }
    std::string_view fallback = defaultValue;
    while (!fallback.empty() && (fallback.back() == ' ' || fallback.back() == '\t')) {
        fallback.remove_suffix(1);
    }
    return copyOut(fallback, buffer, size);
}

bool writeString(const char* section, const char* key, const char* value, const char* fileName) {
    if (refusing()[lowerCase(fileName)]) {
        return false;
    }
    std::string& text = files()[lowerCase(fileName)];
    std::string entry = std::string(key) + "=" + value;
    const settings::ini::Place place = settings::ini::findKey(text, section, key);
    if (place.keyFound) {
        text.replace(place.key.begin, place.key.end - place.key.begin, entry);
    } else if (place.sectionFound) {
        text.insert(place.lastLineEnd, "\r\n" + entry);
    } else {
        if (!text.empty() && text.back() != '\n') {
            text += "\r\n";
        }
        text.append("[").append(section).append("]\r\n").append(entry).append("\r\n");
    }
    return true;
}

void reportWriteFailure(const char*) {
    ++failureReports;
}

void loadString(unsigned id, char* buffer, int size) {
    if (size <= 0) {
        return;
    }
    auto found = strings().find(id);
    copyOut(found == strings().end() ? std::string_view() : found->second, buffer,
            static_cast<std::uint32_t>(size));
}

} // namespace profile
