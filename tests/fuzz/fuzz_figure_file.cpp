// Arbitrary settings-file bytes edited the way "kesta-figures add" edits them: a figure written
// under the next free key of the outline section (or over its old key with --replace), then with
// --spell the slot count and slot keys of the main section. After every edit the bytes outside
// the one changed line (or the one added line) are unchanged, every other key reads as before,
// and the figure reads back through the outline format exactly as written and well formed.
// Then the importer's whole plan for two characters on the same bytes (gaps, end markers, "["
// lines without "]", byte-order marks all come from the seeds): a refusal changes no byte; a
// success keeps every key line the plan does not mean to change and lists every added figure.
// The first 8 bytes choose the edit (see LLVMFuzzerTestOneInput); the rest is the file.
#include "figurefile/figure_list.h"
#include "figurefile/figure_plan.h"
#include "figurefile/ini_text.h"
#include "figures/format.h"
#include "settings/ini_lines.h"
#include "settings/settings.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

namespace {

figurefile::IniText text;
figurefile::FigureList list;

void check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

// Every "name=" line of the old file, under the section header above it, reads the same after
// the edit unless it names the edited key. (The first 200 lines, to keep runs fast.)
void checkOtherKeys(const std::string& before, std::string_view section, std::string_view key) {
    figurefile::IniText& after = text;
    static figurefile::IniText old;
    old.length = static_cast<int>(before.size());
    std::copy(before.begin(), before.end(), old.bytes.begin());
    namespace ini = settings::ini;
    std::string_view all = before, header;
    int lines = 0;
    for (std::size_t at = 0; at < all.size() && lines < 200; ++lines) {
        const ini::Line line = ini::lineAt(all, at);
        at = line.next;
        if (line.kind == ini::LineKind::section) {
            header = line.name;
            continue;
        }
        if (line.kind != ini::LineKind::key || !line.hasValue ||
            (ini::sameName(header, section) && ini::sameName(line.name, key))) {
            continue;
        }
        std::string_view was, is;
        const bool found = figurefile::iniValue(old, header, line.name, was);
        check(figurefile::iniValue(after, header, line.name, is) == found);
        check(!found || was == is);
    }
}

// One edit through setIniValue, checked: the bytes change in one line only (or one line, with
// its section header when that was missing, is added), and the key then reads as the value.
bool edit(std::string_view section, std::string_view key, std::string_view value) {
    const std::string before(figurefile::textOf(text));
    std::string_view old;
    const bool existed = figurefile::iniValue(text, section, key, old);
    if (!figurefile::setIniValue(text, section, key, value)) {
        check(figurefile::textOf(text) == before);
        return false;
    }
    const std::string_view after = figurefile::textOf(text);
    std::size_t prefix = 0;
    while (prefix < before.size() && prefix < after.size() && before[prefix] == after[prefix]) {
        ++prefix;
    }
    std::size_t suffix = 0;
    while (prefix + suffix < before.size() && prefix + suffix < after.size() &&
           before[before.size() - 1 - suffix] == after[after.size() - 1 - suffix]) {
        ++suffix;
    }
    const std::string_view removed =
        std::string_view(before).substr(prefix, before.size() - prefix - suffix);
    const std::string_view added = after.substr(prefix, after.size() - prefix - suffix);
    check(removed.find('\n') == std::string_view::npos);
    if (existed) {
        check(added.find('\n') == std::string_view::npos);
    } else {
        check(removed.empty());
        check(std::count(added.begin(), added.end(), '\n') <= 3);
    }
    std::string_view now;
    check(figurefile::iniValue(text, section, key, now) && now == value);
    checkOtherKeys(before, section, key);
    return true;
}

// A figure of one contour whose points come from a small generator seeded by the input.
void makeFigure(std::uint8_t pointsByte, std::uint8_t seed, figures::FigureRecord& record) {
    record = {};
    record.points = 3 + pointsByte % (figures::maxPoints - 2);
    record.header[1] = 1;
    record.header[figures::contourCountField] = 1;
    record.start[1] = 1;
    record.end[1] = record.points;
    std::uint32_t state = seed * 2654435761u + 1;
    for (int k = 1; k <= record.points; ++k) {
        state = state * 1103515245u + 12345u;
        record.x[k] = static_cast<std::int32_t>(state >> 16) % 121 - 60;
        state = state * 1103515245u + 12345u;
        record.y[k] = static_cast<std::int32_t>(state >> 16) % 121 - 60;
    }
}

// The name the importer would give: one byte, a Shift-JIS pair, or "U+XXXX"; now and then the
// name of a figure already listed, as a character added before would find it (when the importer
// could have written that name).
void chooseName(const std::uint8_t* data, char (&name)[figurefile::maxNameBytes + 1]) {
    if ((data[0] & 8) && list.count > 0) {
        std::string_view listed = figures::figureValueName(list.value[1 + data[6] % list.count]);
        // Names the importer writes are not empty and hold no blank, control byte or comma.
        const bool plain = std::none_of(listed.begin(), listed.end(), [](char c) {
            return static_cast<unsigned char>(c) <= 0x20 || c == ',';
        });
        if (plain && !listed.empty() && listed.size() <= figurefile::maxNameBytes) {
            std::snprintf(name, sizeof name, "%.*s", static_cast<int>(listed.size()),
                          listed.data());
            return;
        }
    }
    char bytes[2];
    std::size_t length = 1;
    bytes[0] = static_cast<char>(data[1]);
    if (!(data[0] & 4)) {
        // A lead byte and a trail byte from the ranges the code page converts to.
        bytes[0] = static_cast<char>(data[1] < 0x80 ? 0x81 + data[1] % 31 : 0xE0 + data[1] % 29);
        bytes[1] = static_cast<char>(data[2] % 2 ? 0x40 + data[2] % 63 : 0x80 + data[2] % 125);
        length = 2;
    }
    figurefile::figureName(static_cast<char32_t>(data[1] << 8 | data[2]),
                           std::string_view(bytes, length), name);
}

figurefile::AddWork work;
figurefile::IniText original;

// Every key the profile functions read from before reads the same from after, unless the plan
// means to change it.
bool keptOrMeant(const figurefile::IniText& before, const figurefile::IniText& after) {
    const std::string_view old = figurefile::textOf(before);
    namespace ini = settings::ini;
    std::string_view section;
    int lines = 0;
    for (std::size_t at = 0; at < old.size() && lines < 300; ++lines) {
        const ini::Line line = ini::lineAt(old, at);
        at = line.next;
        if (line.kind == ini::LineKind::section) {
            section = line.name;
            continue;
        }
        // Only the line the profile functions read for that name (not one of a later section or
        // a later line of the same name).
        if (line.kind != ini::LineKind::key ||
            ini::findKey(old, section, line.name).key.begin != line.begin) {
            continue;
        }
        std::string_view was, is;
        const figurefile::KeyState state = figurefile::keyState(before, section, line.name, was);
        if (figurefile::keyState(after, section, line.name, is) == state && was == is) {
            continue;
        }
        // Changed: only a replaced figure or a spelling key, and only the first line of its name.
        const bool spelling = ini::sameName(section, settings::mainSectionName) &&
                              (ini::sameName(line.name, "OPTIONN") ||
                               ini::sameName(line.name.substr(0, 7), "OPTIONA"));
        bool replaced = false;
        for (int i = 1; i <= work.distinct.count; ++i) {
            char key[16];
            figures::figureKey(static_cast<std::uint32_t>(work.keyOf[i]), key);
            replaced = replaced || (work.existing[i] != 0 && ini::sameName(line.name, key));
        }
        if (!(work.spell && spelling) && !(work.replace && replaced)) {
            return false;
        }
    }
    return true;
}

void checkPlan(const std::uint8_t* data, std::string_view file) {
    original.length = static_cast<int>(file.size());
    std::memcpy(original.bytes.data(), file.data(), file.size());
    text.length = original.length;
    std::memcpy(text.bytes.data(), file.data(), file.size());
    figurefile::startWork("xy", data[0] & 2, data[0] & 1, work);
    chooseName(data, work.name[1]);
    std::snprintf(work.name[2], sizeof work.name[2], "U+%04X", 0x3000u + data[6]);
    if (figurefile::planKeys(text, work) != figurefile::Refusal::none) {
        check(figurefile::textOf(text) == file);
        return;
    }
    for (int i = 1; i <= work.distinct.count; ++i) {
        figures::FigureRecord record;
        makeFigure(data[3], data[4] + static_cast<std::uint8_t>(i), record);
        work.fitted[i] = figures::formatFigureValue(work.name[i], record, work.value[i]) > 0;
    }
    if (figurefile::checkFitted(work) != figurefile::Refusal::none ||
        figurefile::editSettings(text, work) != figurefile::Refusal::none) {
        return;
    }
    check(keptOrMeant(original, text));
    static figurefile::FigureList now;
    figurefile::readFigureList(text, settings::outlineSectionName, settings::outlineEndMarker, now);
    for (int i = 1; i <= work.distinct.count; ++i) {
        check(work.keyOf[i] >= 1 && work.keyOf[i] <= now.count);
        check(figures::figureValueName(now.value[work.keyOf[i]]) == work.name[i]);
    }
}

void readList(std::string_view file) {
    text.length = static_cast<int>(file.size());
    std::memcpy(text.bytes.data(), file.data(), file.size());
    figurefile::readFigureList(text, settings::outlineSectionName, settings::outlineEndMarker,
                               list);
    check(list.count >= 0 && list.count <= figures::maxFigureNames);
}

} // namespace

// Bytes 0..7: flags (1 replace, 2 spell, 4 one-byte name, 8 a listed name), two name bytes, the
// point count, the point seed, the spelled length, the listed name's index, unused.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    constexpr std::size_t head = 8;
    if (size < head || size - head > static_cast<std::size_t>(figurefile::maxFileBytes)) {
        return 0;
    }
    settings::loadSettingNames();
    const std::string_view file(reinterpret_cast<const char*>(data) + head, size - head);
    // The listed names the plan may reuse are this file's own: the list's views point into the
    // text, which the plan copies the same bytes into before it chooses a name, and edits after.
    readList(file);
    checkPlan(data, file);
    readList(file);
    const std::string_view section = settings::outlineSectionName;

    char name[figurefile::maxNameBytes + 1];
    chooseName(data, name);
    figures::FigureRecord record;
    makeFigure(data[3], data[4], record);
    char value[figures::figureValueSize];
    const int length = figurefile::formatFigureValue(name, record, value);
    check(length >= 0 && length <= figurefile::maxValueChars);
    const int existing = figurefile::findFigure(list, name);
    check(existing >= 0 && existing <= list.count);
    const int number = existing != 0 ? existing : list.count + 1;
    if (length == 0 || (existing != 0 && !(data[0] & 1)) || number > figures::maxFigureNames) {
        return 0;
    }
    // The list's views point into the text, which the edit moves.
    static std::array<std::string, figures::maxFigureNames + 1> listed;
    for (int k = 1; k <= list.count; ++k) {
        listed[k] = list.value[k];
    }
    char key[16];
    figurefile::figureKey(number, key);
    if (!edit(section, key, std::string_view(value, static_cast<std::size_t>(length)))) {
        return 0;
    }

    std::string_view written;
    check(figurefile::iniValue(text, section, key, written));
    figures::FigureRecord read;
    check(figures::readFigureValue(written, read) == name);
    check(read.points == record.points && read.header == record.header &&
          read.start == record.start && read.end == record.end && read.x == record.x &&
          read.y == record.y);
    check(figures::isWellFormed(read));
    // The figures listed before keep their keys and values; the new one is listed under its key.
    static figurefile::FigureList now;
    figurefile::readFigureList(text, section, settings::outlineEndMarker, now);
    check(now.count >= number && now.value[number] == written);
    for (int k = 1; k < number; ++k) {
        check(now.value[k] == listed[k]);
    }

    if (data[0] & 2) {
        const int spelled = 1 + data[5] % figures::maxSlots;
        char digits[16];
        std::snprintf(digits, sizeof digits, "%d", spelled);
        edit(settings::mainSectionName, "OPTIONN", digits);
        for (int s = 1; s <= spelled; ++s) {
            std::snprintf(key, sizeof key, "OPTIONA%d", s);
            std::snprintf(digits, sizeof digits, "%d", 1 + (s * data[5]) % number);
            edit(settings::mainSectionName, key, digits);
        }
    }
    return 0;
}
