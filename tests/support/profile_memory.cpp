// Private-profile semantics over in-memory files, as far as the program relies on them: section
// and key names match without case and around blanks, a value loses its surrounding blanks and a
// pair of enclosing quotes, a missing key gives the default (trailing blanks dropped), a value is
// cut to the buffer, and a write replaces the key's line where it stands, or adds the key at the
// end of its section, or adds the section at the end of the file, leaving every other byte as it
// was. Test-only: it allocates freely.
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

std::string_view trimmed(std::string_view text) {
    auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!text.empty() && blank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && blank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

bool sameName(std::string_view a, std::string_view b) {
    return lowerCase(trimmed(a)) == lowerCase(trimmed(b));
}

std::map<std::string, std::string>& files() {
    static std::map<std::string, std::string> all;
    return all;
}

std::map<unsigned, std::string> readProgramStrings() {
    auto path = std::filesystem::path(__FILE__).parent_path().parent_path().parent_path() /
                "resources" / "strings.rc";
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

// One line of a file: its text runs from begin to end (line break excluded), the next line
// starts at next.
struct Line {
    std::size_t begin, end, next;
    enum Kind { blank, other, section, key } kind;
    std::string_view name, value;
};

Line lineAt(const std::string& text, std::size_t begin) {
    std::size_t next = std::min(text.find('\n', begin), text.size()) + 1;
    std::size_t end = next - 1;
    if (end > begin && text[end - 1] == '\r') {
        --end;
    }
    std::string_view body = trimmed(std::string_view(text).substr(begin, end - begin));
    Line line{begin, end, next, body.empty() ? Line::blank : Line::other, {}, {}};
    std::size_t equals = body.find('=');
    if (!body.empty() && body.front() == '[') {
        line.kind = Line::section;
        line.name = body.substr(1, body.find(']') - 1);
    } else if (!body.empty() && body.front() != ';' && equals != body.npos) {
        line.kind = Line::key;
        line.name = body.substr(0, equals);
        line.value = trimmed(body.substr(equals + 1));
    }
    return line;
}

// The key's line in the first section of that name, or where a new key of the section goes
// (after its last non-blank line); nullopt when the file has no such section.
struct Place {
    std::optional<Line> key;
    std::size_t sectionEnd;
};

std::optional<Place> find(const std::string& text, const char* section, const char* key) {
    std::optional<Place> place;
    for (std::size_t at = 0; at <= text.size();) {
        Line line = lineAt(text, at);
        at = line.next;
        if (line.kind == Line::section) {
            if (place) {
                break;
            }
            if (sameName(line.name, section)) {
                place = Place{std::nullopt, line.end};
            }
            continue;
        }
        if (place && line.kind != Line::blank) {
            place->sectionEnd = line.end;
        }
        if (place && line.kind == Line::key && sameName(line.name, key)) {
            place->key = line;
            break;
        }
    }
    return place;
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
        auto place = find(text->second, section, key);
        if (place && place->key) {
            return copyOut(unquoted(place->key->value), buffer, size);
        }
    }
    std::string_view fallback = defaultValue;
    while (!fallback.empty() && (fallback.back() == ' ' || fallback.back() == '\t')) {
        fallback.remove_suffix(1);
    }
    return copyOut(fallback, buffer, size);
}

std::uint32_t readInt(const char* section, const char* key, std::uint32_t defaultValue,
                      const char* fileName) {
    char text[integerTextSize];
    if (readString(section, key, "", text, sizeof text, fileName) == 0) {
        return defaultValue;
    }
    return integerValue(text);
}

bool writeString(const char* section, const char* key, const char* value, const char* fileName) {
    if (refusing()[lowerCase(fileName)]) {
        return false;
    }
    std::string& text = files()[lowerCase(fileName)];
    std::string entry = std::string(key) + "=" + value;
    auto place = find(text, section, key);
    if (place && place->key) {
        text.replace(place->key->begin, place->key->end - place->key->begin, entry);
    } else if (place) {
        text.insert(place->sectionEnd, "\r\n" + entry);
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
