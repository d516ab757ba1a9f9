// Arbitrary command lines (bytes as 16-bit code units, as Windows hands them over) through the
// screensaver's argument reader: every answer is one of the forms it takes or a refusal that
// names a piece of the command line itself.
#include "saver/saver.h"

#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

void check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

bool inside(std::wstring_view part, std::wstring_view whole) {
    return part.empty() || (part.data() >= whole.data() &&
                            part.data() + part.size() <= whole.data() + whole.size());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::wstring line;
    for (std::size_t i = 0; i + 1 < size; i += 2) {
        line.push_back(static_cast<wchar_t>(data[i] | (data[i + 1] << 8)));
    }
    for (bool screensaverName : {false, true}) {
        saver::StartRequest request = saver::readArguments(line, screensaverName);
        check(inside(request.offending, line) && inside(request.windowText, line));
        if (request.mode == saver::Mode::refused) {
            check(request.refusal != saver::Refusal::none && !request.offending.empty());
        } else {
            check(request.refusal == saver::Refusal::none);
            check(request.hasWindow == !request.windowText.empty());
            check(!request.hasWindow || request.mode == saver::Mode::preview ||
                  request.mode == saver::Mode::settings);
            check(request.mode != saver::Mode::preview || request.hasWindow);
        }
    }
    return 0;
}
