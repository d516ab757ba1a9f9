// Checks the sample settings file that a new user starts with: its main section and every figure
// of its outline section. The file is read line by line as the private-profile functions read it
// (settings/ini_lines.h), figures by the program's own outline reader, and their shapes are held
// to the importer's soundness check (simple, separate contours with exactly the outer ones
// listed), so the sample meets the rules of the figures the importer writes.
#include "figures/format.h"
#include "fitter/geometry.h"
#include "settings/ini_lines.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iconv.h>
#include <iterator>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace {

using fitter::Fault;

struct Figure {
    std::string key, name;
    figures::FigureRecord record;
};

std::string shippedFileBytes() {
    std::ifstream in(std::string(KESTA_SOURCE_DIR) + "/resources/kestasv.ini", std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

using Section = std::vector<std::pair<std::string, std::string>>;

std::map<std::string, Section> readSections(const std::string& text) {
    std::map<std::string, Section> sections;
    Section* current = nullptr;
    for (std::size_t at = 0; at < text.size();) {
        const settings::ini::Line line = settings::ini::lineAt(text, at);
        if (line.kind == settings::ini::LineKind::section) {
            current = &sections[std::string(line.name)];
        } else if (line.kind == settings::ini::LineKind::key && current && line.hasValue) {
            current->emplace_back(line.name, line.value);
        }
        at = line.next;
    }
    return sections;
}

// Fields as the program splits them: runs of commas are one separator.
std::vector<std::string> commaFields(const std::string& value) {
    std::vector<std::string> fields;
    std::string field;
    std::istringstream in(value);
    while (std::getline(in, field, ',')) {
        if (!field.empty()) {
            fields.push_back(field);
        }
    }
    return fields;
}

bool isInteger(const std::string& text, bool allowSign) {
    std::size_t digits = allowSign && !text.empty() && text[0] == '-' ? 1 : 0;
    return text.size() > digits && text.size() < digits + 10 &&
           std::all_of(text.begin() + digits, text.end(),
                       [](char c) { return c >= '0' && c <= '9'; });
}

// Reads one outline value with the program's own reader and keeps it only when the program's
// own check would draw it; returns an empty string or what is wrong with the line. Beyond what the
// program needs, the shipped lines are written out in full: every field an integer, one per
// point.
std::string parseFigure(const std::string& key, const std::string& value, Figure& figure) {
    figure.record = {};
    figure.key = key;
    figure.name = std::string(figures::readFigureValue(value, figure.record));
    if (!figures::isWellFormed(figure.record)) {
        return "the program would not draw it";
    }
    std::vector<std::string> fields = commaFields(value);
    if (fields.size() != static_cast<std::size_t>(1 + 1 + 6 + 26 + 2 * figure.record.points)) {
        return "field count " + std::to_string(fields.size());
    }
    for (std::size_t i = 1; i < fields.size(); ++i) {
        if (!isInteger(fields[i], true)) {
            return "field " + std::to_string(i) + " is not an integer: " + fields[i];
        }
    }
    return {};
}

struct ShippedFile {
    std::string bytes = shippedFileBytes();
    std::map<std::string, Section> sections = readSections(bytes);
    std::vector<Figure> figures;
    std::vector<std::string> formatFaults;

    ShippedFile() {
        for (const auto& [key, value] : sections["MOJI ZAHYO"]) {
            Figure figure;
            std::string fault = parseFigure(key, value, figure);
            if (fault.empty()) {
                figures.push_back(figure);
            } else {
                formatFaults.push_back(key + ": " + fault);
            }
        }
    }
};

const ShippedFile& shipped() {
    static const ShippedFile file;
    return file;
}

Figure parsedOrFail(const std::string& value) {
    Figure figure;
    std::string fault = parseFigure("ZAHYO1", value, figure);
    EXPECT_EQ(fault, "") << value;
    return figure;
}

std::string fromCp932(const std::string& bytes) {
    iconv_t cd = iconv_open("UTF-8", "CP932");
    if (cd == reinterpret_cast<iconv_t>(-1)) {
        return {};
    }
    std::string in = bytes, out(4 * bytes.size() + 4, '\0');
    char* src = in.data();
    char* dst = out.data();
    std::size_t srcLeft = in.size(), dstLeft = out.size();
    std::size_t done = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
    iconv_close(cd);
    if (done == static_cast<std::size_t>(-1) || srcLeft != 0) {
        return {};
    }
    out.resize(out.size() - dstLeft);
    return out;
}

Fault faultAfterEdit(const std::string& value, const std::string& edit, const std::string& with) {
    std::string broken = value;
    broken.replace(broken.find(edit), edit.size(), with);
    return fitter::figureFault(parsedOrFail(broken).record);
}

TEST(FigureChecks, CatchBrokenOutlines) {
    // A square of 80 with a square hole of 40, written correctly, passes.
    const std::string box = "box,8,0,1,0,0,0,2,1,4,5,8,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,"
                            "-40,-40,40,-40,40,40,-40,40,-20,-20,20,-20,20,20,-20,20";
    EXPECT_EQ(fitter::figureFault(parsedOrFail(box).record), Fault::none);

    EXPECT_EQ(faultAfterEdit(box, ",1,0,0,0,2,", ",1,5,0,0,2,"), Fault::holeListed);
    EXPECT_EQ(faultAfterEdit(box, ",1,0,0,0,2,", ",0,0,0,0,2,"), Fault::outerNotListed);
    EXPECT_EQ(faultAfterEdit(box, "-40,-40,40,-40,40,40", "-40,-40,40,40,40,-30"),
              Fault::selfCrossing);
    EXPECT_EQ(faultAfterEdit(box, "-20,-20,20,-20", "-40,-20,20,-20"), Fault::contoursMeet);
    EXPECT_EQ(faultAfterEdit(box, "40,40,-40,40", "40,40,40,50"), Fault::straightPoint);

    Figure figure;
    EXPECT_EQ(parseFigure("ZAHYO1", box + ",7", figure), "field count 51");
    Figure overlapping;
    EXPECT_EQ(parseFigure("ZAHYO1", box.substr(0, 20) + "4,8" + box.substr(23), overlapping),
              "the program would not draw it");
}

TEST(ShippedSettingsFile, IsAWindowsIniWithBothSections) {
    const ShippedFile& file = shipped();
    ASSERT_FALSE(file.bytes.empty()) << "resources/kestasv.ini not found";
    for (std::size_t i = 0; i < file.bytes.size(); ++i) {
        if (file.bytes[i] == '\n') {
            ASSERT_TRUE(i > 0 && file.bytes[i - 1] == '\r') << "bare line feed at byte " << i;
        }
    }
    EXPECT_EQ(file.bytes.substr(file.bytes.size() - 2), "\r\n");
    EXPECT_EQ(file.sections.size(), 2u);
    EXPECT_EQ(file.sections.count("KESTA"), 1u);
    EXPECT_EQ(file.sections.count("MOJI ZAHYO"), 1u);
}

std::vector<std::string> mainKeysInOrder() {
    std::vector<std::string> keys;
    auto run = [&](const std::string& prefix) {
        for (int i = 1; i <= 26; ++i) {
            keys.push_back(prefix + std::to_string(i));
        }
    };
    run("OPTIONA");
    run("OPTIONC");
    keys.push_back("OPTIONN");
    run("ZKAITEN");
    keys.insert(keys.end(), {"OPTIONP", "STEPRAG"});
    run("STEPRAG");
    keys.insert(keys.end(), {"HABA", "HABAJIDO", "SIZES", "SIZE", "SIZEY", "SIZEIDO", "COLOR",
                             "COLORS", "TIMER", "VIEW", "ENKIN", "BKMODE", "ZANZOU", "KAITEN",
                             "SCREEN_T", "SCREEN_L", "SCREEN_H", "SCREEN_W"});
    return keys;
}

TEST(ShippedSettingsFile, MainSectionHoldsEveryKeyInOrderWithinTheOfferedRanges) {
    const Section& main = shipped().sections.at("KESTA");
    std::vector<std::string> keys;
    std::map<std::string, long> value;
    for (const auto& [key, text] : main) {
        keys.push_back(key);
        EXPECT_TRUE(isInteger(text, false)) << key << "=" << text;
        value[key] = std::strtol(text.c_str(), nullptr, 10);
    }
    ASSERT_EQ(keys, mainKeysInOrder());

    auto inRange = [&](const std::string& key, long low, long high) {
        EXPECT_TRUE(value[key] >= low && value[key] <= high) << key << "=" << value[key];
    };
    long used = value["OPTIONN"];
    inRange("OPTIONN", 1, 26);
    for (int i = 1; i <= 26; ++i) {
        std::string n = std::to_string(i);
        inRange("OPTIONA" + n, i <= used ? 1 : 0, static_cast<long>(shipped().figures.size()));
        inRange("OPTIONC" + n, 1, 8);
        inRange("STEPRAG" + n, 0, 359);
        inRange("ZKAITEN" + n, 0, 1);
    }
    inRange("OPTIONP", 1, 2);
    inRange("STEPRAG", 1, 359);
    inRange("HABA", 0, 30);
    inRange("SIZE", 1, 50);
    inRange("SIZEY", 1, 50);
    inRange("SIZEIDO", 0, 20);
    inRange("COLOR", 1, 8);
    inRange("TIMER", 10, 300);
    inRange("VIEW", 0, 9);
    inRange("ENKIN", 0, 50);
    EXPECT_EQ(value["ENKIN"] % 5, 0);
    inRange("BKMODE", 0, 1);
    if (value["SIZES"] != 0) {
        EXPECT_EQ(value["SIZE"], value["SIZEY"]) << "coupled sizes differ";
    }
    EXPECT_EQ(value["SCREEN_T"], 0);
    EXPECT_EQ(value["SCREEN_L"], 0);
    EXPECT_EQ(value["SCREEN_H"], 480);
    EXPECT_EQ(value["SCREEN_W"], 640);
    // The row is 10 * SIZEY pixels a slot; it has to fit the window it opens in.
    EXPECT_LE(10 * value["SIZEY"] * used, 600);

    std::string word;
    for (int i = 1; i <= used; ++i) {
        word += shipped().figures.at(value["OPTIONA" + std::to_string(i)] - 1).name;
    }
    EXPECT_EQ(word, "KESTA");
}

TEST(ShippedFigures, FollowTheLineFormatAndFitTheReadBuffer) {
    const ShippedFile& file = shipped();
    EXPECT_EQ(file.formatFaults, std::vector<std::string>{});
    const Section& outlines = file.sections.at("MOJI ZAHYO");
    ASSERT_LE(outlines.size(), 99u);
    for (std::size_t i = 0; i < outlines.size(); ++i) {
        EXPECT_EQ(outlines[i].first, "ZAHYO" + std::to_string(i + 1));
        EXPECT_LE(outlines[i].second.size(), 511u) << outlines[i].first;
    }
}

TEST(ShippedFigures, AreLettersThenDigitsThenSignsWithJapaneseNames) {
    const std::vector<Figure>& figures = shipped().figures;
    ASSERT_GE(figures.size(), 36u + 4u);
    for (std::size_t i = 0; i < figures.size(); ++i) {
        const std::string& name = figures[i].name;
        if (i < 26) {
            EXPECT_EQ(name, std::string(1, static_cast<char>('A' + i)));
        } else if (i < 36) {
            EXPECT_EQ(name, std::string(1, static_cast<char>('0' + i - 26)));
        } else {
            EXPECT_LE(name.size(), 23u) << figures[i].key;
            // Decoded, a Japanese name holds only multi-byte characters (UTF-8 lead bytes).
            std::string text = fromCp932(name);
            EXPECT_NE(text, "") << figures[i].key << " is not Shift-JIS";
            EXPECT_TRUE(std::all_of(text.begin(), text.end(),
                                    [](char c) { return static_cast<unsigned char>(c) >= 0x80; }))
                << figures[i].key << " should be named in Japanese";
        }
    }
}

TEST(ShippedFigures, HaveSimpleSeparateContoursWithExactlyTheOuterOnesListed) {
    for (const Figure& figure : shipped().figures) {
        const Fault fault = fitter::figureFault(figure.record);
        EXPECT_EQ(fault, Fault::none)
            << figure.key << " (" << figure.name << "): " << fitter::faultText(fault);
    }
}

TEST(ShippedFigures, StayInsideTheirCellAndShareOneCapHeight) {
    for (const Figure& figure : shipped().figures) {
        std::int32_t top = -100, bottom = 100;
        for (int k = 1; k <= figure.record.points; ++k) {
            const std::int32_t x = figure.record.x[k], y = figure.record.y[k];
            EXPECT_TRUE(x >= -42 && x <= 42 && y >= -50 && y <= 50)
                << figure.key << " point " << x << "," << y;
            top = std::max(top, y);
            bottom = std::min(bottom, y);
        }
        if (figure.name.size() == 1) { // letters and digits
            EXPECT_EQ(top, 45) << figure.key;
            EXPECT_TRUE(bottom == -45 || (figure.name == "Q" && bottom >= -50)) << figure.key;
        }
    }
}

} // namespace
