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
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>

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

std::map<unsigned, std::string> readProgramStrings() {
    auto path = std::filesystem::path(KESTA_SOURCE_DIR) / "resources" / "strings.rc";
    std::ifstream in(path);
    if (!in) {
        std::fprintf(stderr, "in-memory profile: cannot read %s\n", path.c_str());
        std::abort();
    }
    std::map<unsigned, std::string> table;
    const std::regex entry(R"(^\s*(\d+),\s*"([^"]*)\"\s*$)");
    std::smatch match;
    for (std::string line; std::getline(in, line);) {
        if (std::regex_match(line, match, entry)) {
            table[static_cast<unsigned>(std::stoul(match[1]))] = match[2];
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
        text += "[" + std::string(section) + "]\r\n" + entry + "\r\n";
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
