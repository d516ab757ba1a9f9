// The command line of kesta-figures:
//   add TEXT [--font FACE] [--bold] [--italic] [--spell] [--replace] [--file PATH]
//   list [--file PATH]
// Arguments arrive as UTF-8; the text becomes its characters (code points).
#pragma once

#include <string_view>

namespace importer {

enum class Command { none, add, list };

struct Options {
    Command command;
    std::string_view text; // UTF-8
    std::string_view face;
    std::string_view file;
    bool bold, italic, spell, replace;
    const char* fault; // what is wrong with the command line, or null
};

void parseOptions(int count, const char* const* arguments, Options& options);

} // namespace importer
