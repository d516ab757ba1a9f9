// Sections and keys of a settings file, read line by line exactly as the platform's
// private-profile functions read them (checked under Wine):
// - a carriage return, a line feed or both end a line;
// - blanks (space, tab, vertical tab, form feed, ctrl-Z) around a line, a name or a value do not
//   count;
// - a line whose first byte that is not blank is "[" and that holds a "]" starts a section named
//   by what lies between the "[" and the last "]"; a "[" line without "]" is an ordinary line of
//   the section before it;
// - every other line that is not blank is a key: its name runs up to the first "=", its value
//   follows it; a line without "=" is a key whose value is missing (a read gives the default);
//   ";" starts no comment, it is part of a key's name;
// - names are compared without letter case; only the first section of a name counts, and in it
//   only the first line of a key's name.
// Shared by the byte edits that add figures (figurefile/ini_text.h), the save check and the
// in-memory profile of the tests.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace settings::ini {

bool isBlank(unsigned char c);
std::string_view trimmed(std::string_view text);
// ASCII letters compared without case, every other byte as it is.
bool sameName(std::string_view a, std::string_view b);

enum class LineKind : std::uint8_t { blank, section, key };

struct Line {
    std::size_t begin; // first byte
    std::size_t end;   // end of the line's bytes, before its line break
    std::size_t next;  // first byte of the next line (the text's size after the last)
    LineKind kind;
    std::string_view name;  // a section's or key's name, trimmed
    std::string_view value; // a key's value, trimmed (empty when it has none)
    bool hasValue;          // the key's line holds "="
    std::size_t valueBegin; // where the bytes after "=" start (end when there is no "=")
};

// The line that starts at begin (begin < text.size()).
Line lineAt(std::string_view text, std::size_t begin);

struct Place {
    bool sectionFound;
    bool keyFound;
    Line key;                 // the key's line when found
    std::size_t bodyBegin;    // the first byte after the section's header line
    std::size_t bodyEnd;      // the next header line, or the end of the text
    std::size_t lastLineEnd;  // the end (before its line break) of the section's last line that
                              // is not blank: the header line when there is none
    std::size_t lastLineNext; // the first byte after that line and its line break
};

// Where section and key stand, as the profile functions find them.
Place findKey(std::string_view text, std::string_view section, std::string_view key);

// A header line seen one byte at a time, for readers that get a file in pieces: start it at
// the "[", feed every byte after it up to the line break, then ask whether it named the section.
struct HeaderMatch {
    std::string_view section; // the name looked for
    std::size_t matched;      // bytes of the name met so far, after leading blanks
    bool started;             // a byte that is not blank came
    bool broken;              // what came so far is no longer the name followed by blanks
    bool closed;              // a "]" came
    bool closedOnName;        // the text before the last "]" is the name, blanks aside
};

HeaderMatch startHeader(std::string_view section);
void feedHeader(HeaderMatch& match, unsigned char c);
// A header line without "]" starts no section: the section before it goes on.
inline bool isHeader(const HeaderMatch& match) {
    return match.closed;
}
inline bool namesSection(const HeaderMatch& match) {
    return match.closed && match.closedOnName;
}

} // namespace settings::ini
