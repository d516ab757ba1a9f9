#include "saver/saver.h"

#include <cstddef>
#include <limits>

namespace saver {

namespace {

bool blank(wchar_t c) {
    return c == L' ' || c == L'\t';
}

wchar_t lower(wchar_t c) {
    return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c - L'A' + L'a') : c;
}

// Splits off the next blank-separated word; empty at the end.
std::wstring_view nextWord(std::wstring_view& rest) {
    std::size_t start = 0;
    while (start < rest.size() && blank(rest[start])) {
        ++start;
    }
    std::size_t end = start;
    while (end < rest.size() && !blank(rest[end])) {
        ++end;
    }
    std::wstring_view word = rest.substr(start, end - start);
    rest.remove_prefix(end);
    return word;
}

// A window handle in decimal: digits, optionally after a minus sign (a handle passed as a
// signed 32-bit number), as the 64-bit pattern it stands for.
bool readHandle(std::wstring_view text, std::uint64_t& value) {
    bool negative = !text.empty() && text.front() == L'-';
    if (negative) {
        text.remove_prefix(1);
    }
    if (text.empty()) {
        return false;
    }
    std::uint64_t number = 0;
    for (wchar_t c : text) {
        if (c < L'0' || c > L'9') {
            return false;
        }
        auto digit = static_cast<std::uint64_t>(c - L'0');
        if (number > (std::numeric_limits<std::uint64_t>::max() - digit) / 10) {
            return false;
        }
        number = number * 10 + digit;
    }
    if (negative && number > (std::uint64_t{1} << 63)) {
        return false;
    }
    value = negative ? ~number + 1 : number;
    return true;
}

StartRequest refuse(Refusal refusal, std::wstring_view offending) {
    StartRequest request;
    request.mode = Mode::refused;
    request.refusal = refusal;
    request.offending = offending;
    return request;
}

} // namespace

bool screensaverName(std::wstring_view modulePath) {
    constexpr std::wstring_view extension = L".scr";
    if (modulePath.size() < extension.size()) {
        return false;
    }
    std::wstring_view tail = modulePath.substr(modulePath.size() - extension.size());
    for (std::size_t i = 0; i < extension.size(); ++i) {
        if (lower(tail[i]) != extension[i]) {
            return false;
        }
    }
    return true;
}

StartRequest readArguments(std::wstring_view arguments, bool underScreensaverName) {
    std::wstring_view rest = arguments;
    std::wstring_view word = nextWord(rest);
    StartRequest request;
    if (word.empty()) {
        request.mode = underScreensaverName ? Mode::settings : Mode::program;
        return request;
    }
    if (word.size() < 2 || (word[0] != L'/' && word[0] != L'-')) {
        return refuse(Refusal::unknownSwitch, word);
    }
    wchar_t letter = lower(word[1]);
    bool colon = word.size() > 2 && word[2] == L':';
    if (word.size() > 2 && !colon) {
        return refuse(Refusal::unknownSwitch, word);
    }
    switch (letter) {
    case L's': request.mode = Mode::fullScreen; break;
    case L'p': request.mode = Mode::preview; break;
    case L'c': request.mode = Mode::settings; break;
    default: return refuse(Refusal::unknownSwitch, word);
    }
    if (request.mode == Mode::fullScreen && colon) {
        return refuse(Refusal::unknownSwitch, word);
    }

    std::wstring_view handle = colon ? word.substr(3) : std::wstring_view{};
    if (request.mode != Mode::fullScreen && !colon) {
        handle = nextWord(rest);
    }
    if (!handle.empty() || colon) {
        if (!readHandle(handle, request.window)) {
            return refuse(Refusal::notANumber, handle.empty() ? word : handle);
        }
        request.hasWindow = true;
        request.windowText = handle;
    } else if (request.mode == Mode::preview) {
        return refuse(Refusal::noWindow, word);
    }

    std::wstring_view extra = nextWord(rest);
    if (!extra.empty()) {
        return refuse(Refusal::extraText, extra);
    }
    return request;
}

} // namespace saver
