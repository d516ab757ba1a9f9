// kesta-figures: figures for KESTA from the glyphs of any installed font.
//   kesta-figures add TEXT [--font FACE] [--bold] [--italic] [--spell] [--replace] [--file PATH]
//   kesta-figures list [--file PATH]
// Nothing is written unless every character of the text makes a sound figure and the list has
// room for all of them.
#include "importer/commands.h"

#include <windows.h>

#include <array>

namespace {

constexpr int maxArguments = 64;
std::array<char, 16384> argumentBytes;
std::array<const char*, maxArguments + 1> arguments;

} // namespace

int wmain(int count, wchar_t** wide) {
    int used = 0;
    int converted = 0;
    for (; converted < count && converted < maxArguments; ++converted) {
        int room = static_cast<int>(argumentBytes.size()) - used;
        int length = WideCharToMultiByte(CP_UTF8, 0, wide[converted], -1, &argumentBytes[used],
                                         room, nullptr, nullptr);
        if (length <= 0) {
            break;
        }
        arguments[converted] = &argumentBytes[used];
        used += length;
    }
    return importer::runCommand(converted, arguments.data());
}
