// kesta-figures: figures for KESTA from the glyphs of any installed font.
//   kesta-figures add TEXT [--font FACE] [--bold] [--italic] [--spell] [--replace] [--file PATH]
//   kesta-figures list [--file PATH]
// Nothing is written unless every character of the text makes a sound figure and the list has
// room for all of them.
#include "importer/commands.h"
#include "importer/console.h"

#include <windows.h>

#include <array>

namespace {

constexpr int maxArguments = 64;
std::array<char, 16384> argumentBytes;
std::array<const char*, maxArguments + 1> arguments;

} // namespace

// A command line beyond the tables is refused rather than run without its tail.
int wmain(int count, wchar_t** wide) {
    int used = 0;
    for (int converted = 0; converted < count; ++converted) {
        const int room = static_cast<int>(argumentBytes.size()) - used;
        const int length = converted < maxArguments
                               ? WideCharToMultiByte(CP_UTF8, 0, wide[converted], -1,
                                                     &argumentBytes[used], room, nullptr, nullptr)
                               : 0;
        if (length <= 0) {
            importer::complain(L"コマンド行が長すぎます(引数は %d 個、合わせて %d バイトまで)。\n",
                               maxArguments, static_cast<int>(argumentBytes.size()));
            return 2;
        }
        arguments[converted] = &argumentBytes[used];
        used += length;
    }
    return importer::runCommand(count, arguments.data());
}
