#include "importer/options.h"

namespace importer {

void parseOptions(int count, const char* const* arguments, Options& options) {
    options = {};
    if (count < 2) {
        options.fault = "no command";
        return;
    }
    const std::string_view command = arguments[1];
    int at = 2;
    if (command == "add") {
        options.command = Command::add;
        if (at >= count || std::string_view(arguments[at]).starts_with("--")) {
            options.fault = "add needs a text";
            return;
        }
        options.text = arguments[at++];
    } else if (command == "list") {
        options.command = Command::list;
    } else {
        options.fault = "unknown command";
        return;
    }
    const bool adding = options.command == Command::add;
    for (; at < count; ++at) {
        const std::string_view option = arguments[at];
        const bool hasValue = at + 1 < count;
        if (option == "--file" && hasValue) {
            options.file = arguments[++at];
        } else if (adding && option == "--font" && hasValue) {
            options.face = arguments[++at];
        } else if (adding && option == "--bold") {
            options.bold = true;
        } else if (adding && option == "--italic") {
            options.italic = true;
        } else if (adding && option == "--spell") {
            options.spell = true;
        } else if (adding && option == "--replace") {
            options.replace = true;
        } else {
            options.fault = "unknown option or missing value";
            return;
        }
    }
    if (options.file.empty() && options.file.data() != nullptr) {
        options.fault = "empty file name";
    }
}

} // namespace importer
