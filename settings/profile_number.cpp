#include "settings/profile_number.h"

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

} // namespace profile
