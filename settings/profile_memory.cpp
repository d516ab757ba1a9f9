// (stub: the in-memory profile is being written)
#include "settings/profile.h"

namespace profile {
std::uint32_t readInt(const char*, const char*, std::uint32_t d, const char*) {
    return d;
}
std::uint32_t readString(const char*, const char*, const char*, char* b, std::uint32_t s,
                         const char*) {
    if (s > 0) {
        b[0] = 0;
    }
    return 0;
}
void writeString(const char*, const char*, const char*, const char*) {}
void loadString(unsigned, char* b, int s) {
    if (s > 0) {
        b[0] = 0;
    }
}
} // namespace profile
