// Looks through a settings file line by line as the profile functions read it (section headers
// as settings/ini_lines.h has them); every byte of the lines of the outline section must be valid
// Shift-JIS (single bytes 0x00-0x7F and 0xA1-0xDF, or a lead byte 0x81-0x9F or 0xE0-0xFC followed
// on the same line by a second byte 0x40-0x7E or 0x80-0xFC).
#include "settings/save_check.h"

#include "settings/shift_jis.h"

namespace settings {

namespace {

bool isTrail(unsigned char c) {
    return (c >= 0x40 && c <= 0x7E) || (c >= 0x80 && c <= 0xFC);
}

bool isSingle(unsigned char c) {
    return c <= 0x7F || (c >= 0xA1 && c <= 0xDF);
}

// A header line without "]" is no section start: the current section goes on.
void endHeader(SaveCheck& check) {
    if (ini::isHeader(check.header)) {
        check.inOutline = ini::namesSection(check.header);
    }
}

void checkOutlineByte(SaveCheck& check, unsigned char c) {
    if (check.leadPending) {
        check.leadPending = false;
        check.invalid = check.invalid || !isTrail(c);
    } else if (isShiftJisLead(c)) {
        check.leadPending = true;
    } else {
        check.invalid = check.invalid || !isSingle(c);
    }
}

void checkByte(SaveCheck& check, unsigned char c) {
    if (check.bytesSeen < check.firstBytes.size()) {
        check.firstBytes[check.bytesSeen] = c;
    }
    ++check.bytesSeen;
    if (c == '\r' || c == '\n') {
        // A lead byte cannot take the line end as its second byte.
        check.invalid = check.invalid || (check.inOutline && check.leadPending);
        check.leadPending = false;
        if (check.line == SaveCheck::Line::header) {
            endHeader(check);
        }
        check.line = SaveCheck::Line::start;
        return;
    }
    if (check.inOutline) {
        checkOutlineByte(check, c);
    }
    if (check.line == SaveCheck::Line::start && !ini::isBlank(c)) {
        check.line = c == '[' ? SaveCheck::Line::header : SaveCheck::Line::body;
        check.header = ini::startHeader(check.outlineSection);
        return;
    }
    if (check.line == SaveCheck::Line::header) {
        ini::feedHeader(check.header, c);
    }
}

} // namespace

SaveCheck startSaveCheck(const char* outlineSection) {
    SaveCheck check{};
    check.outlineSection = outlineSection;
    return check;
}

void checkBytes(SaveCheck& check, const unsigned char* bytes, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) {
        checkByte(check, bytes[i]);
    }
}

SaveDamage saveDamage(const SaveCheck& check) {
    const auto& first = check.firstBytes;
    const bool utf8Mark =
        check.bytesSeen >= 3 && first[0] == 0xEF && first[1] == 0xBB && first[2] == 0xBF;
    const bool utf16Mark = check.bytesSeen >= 2 && ((first[0] == 0xFF && first[1] == 0xFE) ||
                                                    (first[0] == 0xFE && first[1] == 0xFF));
    if (utf8Mark || utf16Mark) {
        return SaveDamage::byteOrderMark;
    }
    // A lead byte at the very end of the file has no second byte either.
    const bool unfinished = check.inOutline && check.leadPending;
    return check.invalid || unfinished ? SaveDamage::invalidOutlineBytes : SaveDamage::none;
}

} // namespace settings
