#include "settings/ini_lines.h"

namespace settings::ini {

namespace {

char upperCase(unsigned char c) {
    return static_cast<char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
}

bool isLineBreak(char c) {
    return c == '\r' || c == '\n';
}

} // namespace

bool isBlank(unsigned char c) {
    return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == 0x1A;
}

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && isBlank(static_cast<unsigned char>(text.front()))) {
        text.remove_prefix(1);
    }
    while (!text.empty() && isBlank(static_cast<unsigned char>(text.back()))) {
        text.remove_suffix(1);
    }
    return text;
}

bool sameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (upperCase(static_cast<unsigned char>(a[i])) !=
            upperCase(static_cast<unsigned char>(b[i]))) {
            return false;
        }
    }
    return true;
}

Line lineAt(std::string_view text, std::size_t begin) {
    std::size_t end = begin;
    while (end < text.size() && !isLineBreak(text[end])) {
        ++end;
    }
    std::size_t next = end < text.size() ? end + 1 : end;
    if (end < text.size() && text[end] == '\r' && next < text.size() && text[next] == '\n') {
        ++next;
    }
    Line line{begin, end, next, LineKind::blank, {}, {}, false, end};
    const std::string_view bytes = text.substr(begin, end - begin);
    const std::string_view body = trimmed(bytes);
    const std::size_t close = body.rfind(']');
    if (body.empty()) {
        return line;
    }
    if (body.front() == '[' && close != std::string_view::npos) {
        line.kind = LineKind::section;
        line.name = trimmed(body.substr(1, close - 1));
        return line;
    }
    line.kind = LineKind::key;
    const std::size_t equals = bytes.find('=');
    line.hasValue = equals != std::string_view::npos;
    line.name = trimmed(bytes.substr(0, equals));
    if (line.hasValue) {
        line.valueBegin = begin + equals + 1;
        line.value = trimmed(bytes.substr(equals + 1));
    }
    return line;
}

Place findKey(std::string_view text, std::string_view section, std::string_view key) {
    Place place{false, false, {}, 0, text.size(), 0, 0};
    for (std::size_t at = 0; at < text.size();) {
        const Line line = lineAt(text, at);
        at = line.next;
        if (line.kind == LineKind::section) {
            if (place.sectionFound) {
                place.bodyEnd = line.begin;
                return place;
            }
            if (sameName(line.name, section)) {
                place.sectionFound = true;
                place.bodyBegin = line.next;
                place.lastLineEnd = line.end;
                place.lastLineNext = line.next;
            }
        } else if (place.sectionFound && line.kind == LineKind::key) {
            place.lastLineEnd = line.end;
            place.lastLineNext = line.next;
            if (!place.keyFound && sameName(line.name, key)) {
                place.keyFound = true;
                place.key = line;
            }
        }
    }
    return place;
}

HeaderMatch startHeader(std::string_view section) {
    return {section, 0, false, false, false, false};
}

void feedHeader(HeaderMatch& match, unsigned char c) {
    if (c == ']') {
        match.closed = true;
        match.closedOnName = !match.broken && match.matched == match.section.size();
    }
    if (!match.started && isBlank(c)) {
        return;
    }
    match.started = true;
    if (match.broken) {
        return;
    }
    if (match.matched < match.section.size() &&
        upperCase(c) == upperCase(static_cast<unsigned char>(match.section[match.matched]))) {
        ++match.matched;
    } else if (match.matched < match.section.size() || !isBlank(c)) {
        match.broken = true;
    }
}

} // namespace settings::ini
