#include "settings/profile_number.h"

#include "settings/profile.h"

namespace profile {

namespace {

int digitValue(unsigned char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'z') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'Z') {
        return c - 'A' + 10;
    }
    return 99;
}

} // namespace

std::uint32_t integerValue(const char* text) {
    auto p = reinterpret_cast<const unsigned char*>(text);
    while (*p != 0 && *p <= ' ') {
        ++p;
    }
    bool negative = *p == '-';
    if (*p == '-' || *p == '+') {
        ++p;
    }
    std::uint32_t base = 10;
    if (p[0] == '0' && (p[1] == 'x' || p[1] == 'o' || p[1] == 'b')) {
        base = p[1] == 'x' ? 16 : p[1] == 'o' ? 8 : 2;
        p += 2;
    }
    std::uint32_t total = 0;
    for (; *p != 0 && static_cast<std::uint32_t>(digitValue(*p)) < base; ++p) {
        total = total * base + static_cast<std::uint32_t>(digitValue(*p));
    }
    return negative ? 0u - total : total;
}

// GetPrivateProfileIntA leaves a value above 2147483647 to the platform (Wine wraps it modulo
// 2^32, the documentation promises nothing), so the text is read and turned into a number the
// way Wine does it, on every platform and in the in-memory file alike.
std::uint32_t readInt(const char* section, const char* key, std::uint32_t defaultValue,
                      const char* fileName) {
    char text[integerTextSize];
    if (readString(section, key, "", text, sizeof text, fileName) == 0) {
        return defaultValue;
    }
    return integerValue(text);
}

} // namespace profile
