#include "importer/ini_text.h"

#include <algorithm>
#include <cstring>
#include <initializer_list>

namespace importer {

namespace {

struct Line {
    int begin; // first byte
    int end;   // end of the text, before CR LF
    int next;  // first byte of the next line
};

Line lineAt(std::string_view text, int begin) {
    int end = begin;
    while (end < static_cast<int>(text.size()) && text[end] != '\n') {
        ++end;
    }
    int next = end < static_cast<int>(text.size()) ? end + 1 : end;
    if (end > begin && text[end - 1] == '\r') {
        --end;
    }
    return {begin, end, next};
}

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view trimmed(std::string_view s) {
    while (!s.empty() && isBlank(s.front())) {
        s.remove_prefix(1);
    }
    while (!s.empty() && isBlank(s.back())) {
        s.remove_suffix(1);
    }
    return s;
}

bool sameName(std::string_view a, std::string_view b) {
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [&](char x, char y) { return lower(x) == lower(y); });
}

// The name of a section header line, or false for any other line.
bool sectionName(std::string_view line, std::string_view& name) {
    line = trimmed(line);
    if (line.empty() || line.front() != '[') {
        return false;
    }
    std::size_t close = line.find(']');
    name = trimmed(line.substr(1, close == std::string_view::npos ? line.size() - 1 : close - 1));
    return true;
}

struct Section {
    bool found;
    int bodyBegin;    // first byte after the header line
    int bodyEnd;      // first byte of the next header line, or the end of the file
    int lastLineNext; // just after the section's last line that is not blank
};

Section findSection(std::string_view text, std::string_view name) {
    Section section{false, 0, 0, 0};
    for (int at = 0; at < static_cast<int>(text.size());) {
        Line line = lineAt(text, at);
        std::string_view header;
        if (sectionName(text.substr(line.begin, line.end - line.begin), header)) {
            if (section.found) {
                section.bodyEnd = line.begin;
                return section;
            }
            if (sameName(header, name)) {
                section = {true, line.next, static_cast<int>(text.size()), line.next};
            }
        } else if (section.found &&
                   !trimmed(text.substr(line.begin, line.end - line.begin)).empty()) {
            section.lastLineNext = line.next;
        }
        at = line.next;
    }
    return section;
}

struct KeyLine {
    bool found;
    Line line;
    int valueBegin;
};

KeyLine findKey(std::string_view text, const Section& section, std::string_view key) {
    for (int at = section.bodyBegin; at < section.bodyEnd;) {
        Line line = lineAt(text, at);
        std::string_view content = text.substr(line.begin, line.end - line.begin);
        std::size_t equals = content.find('=');
        std::string_view name = trimmed(content.substr(0, equals));
        if (equals != std::string_view::npos && !name.empty() && name.front() != ';' &&
            sameName(name, key)) {
            return {true, line, line.begin + static_cast<int>(equals) + 1};
        }
        at = line.next;
    }
    return {false, {}, 0};
}

// Replaces bytes [begin, end) with the pieces; false when the result would not fit.
bool splice(IniText& text, int begin, int end, std::initializer_list<std::string_view> pieces) {
    std::size_t added = 0;
    for (std::string_view piece : pieces) {
        added += piece.size();
    }
    const std::size_t length = static_cast<std::size_t>(text.length) - (end - begin) + added;
    if (length > static_cast<std::size_t>(maxFileBytes)) {
        return false;
    }
    char* bytes = text.bytes.data();
    std::memmove(bytes + begin + added, bytes + end, static_cast<std::size_t>(text.length - end));
    int at = begin;
    for (std::string_view piece : pieces) {
        std::copy(piece.begin(), piece.end(), bytes + at);
        at += static_cast<int>(piece.size());
    }
    text.length = static_cast<int>(length);
    return true;
}

// What ends the line before a line added at `at`: nothing after a line feed, only the line feed
// after a lone carriage return (which would otherwise stay in the last line's value).
std::string_view lineBreakBefore(std::string_view text, int at) {
    if (at == 0 || text[at - 1] == '\n') {
        return "";
    }
    return text[at - 1] == '\r' ? "\n" : "\r\n";
}

} // namespace

bool iniValue(const IniText& text, std::string_view section, std::string_view key,
              std::string_view& value) {
    const std::string_view all = textOf(text);
    Section found = findSection(all, section);
    if (!found.found) {
        return false;
    }
    KeyLine line = findKey(all, found, key);
    if (!line.found) {
        return false;
    }
    value = trimmed(all.substr(line.valueBegin, line.line.end - line.valueBegin));
    return true;
}

bool setIniValue(IniText& text, std::string_view section, std::string_view key,
                 std::string_view value) {
    const std::string_view all = textOf(text);
    Section found = findSection(all, section);
    if (!found.found) {
        return splice(
            text, text.length, text.length,
            {lineBreakBefore(all, text.length), "[", section, "]\r\n", key, "=", value, "\r\n"});
    }
    KeyLine line = findKey(all, found, key);
    if (line.found) {
        return splice(text, line.valueBegin, line.line.end, {value});
    }
    const int at = found.lastLineNext;
    return splice(text, at, at, {lineBreakBefore(all, at), key, "=", value, "\r\n"});
}

} // namespace importer
