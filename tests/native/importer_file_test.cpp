// The figure importer's work on the settings file's bytes, names and command line: edits touch
// only the value or line they mean, in the file's CRLF form, and names never break a value.
#include "figurefile/figure_list.h"
#include "figurefile/ini_text.h"
#include "figurefile/utf8.h"
#include "importer/options.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

using namespace figurefile;
using namespace importer;

std::unique_ptr<IniText> textOf(const std::string& bytes) {
    auto text = std::make_unique<IniText>();
    text->length = static_cast<int>(bytes.size());
    std::copy(bytes.begin(), bytes.end(), text->bytes.begin());
    return text;
}

std::string bytesOf(const IniText& text) {
    return std::string(figurefile::textOf(text));
}

const std::string sample = "; kept\r\n[KESTA]\r\nOPTIONN=5\r\n OPTIONA1 = 11 \r\nODD KEY=x\r\n\r\n"
                           "[MOJI ZAHYO]\r\nZAHYO1=A,3,0,1,0,0,0,1,1,3\r\nZAHYO2=B,1\r\n\r\n"
                           "[OTHER]\r\nZAHYO3=elsewhere\r\n";

TEST(ImporterIniText, EditsTouchOnlyTheirValueOrLine) {
    auto text = textOf(sample);
    std::string_view value;
    ASSERT_TRUE(iniValue(*text, "kesta", "optiona1", value));
    EXPECT_EQ(value, "11");

    // In place: the blanks before the value and the rest of the file stay.
    ASSERT_TRUE(setIniValue(*text, "KESTA", "OPTIONA1", "7"));
    std::string expected = sample;
    expected.replace(expected.find(" 11 \r\n"), 6, "7\r\n");
    EXPECT_EQ(bytesOf(*text), expected);

    // A new key goes after the section's last line, before the blank line.
    ASSERT_TRUE(setIniValue(*text, "MOJI ZAHYO", "ZAHYO3", "C,1"));
    expected.insert(expected.find("\r\n\r\n[OTHER]") + 2, "ZAHYO3=C,1\r\n");
    EXPECT_EQ(bytesOf(*text), expected);

    // A missing section goes at the end, after a line break the file lacked.
    auto bare = textOf("[KESTA]\r\nOPTIONN=1");
    ASSERT_TRUE(setIniValue(*bare, "MOJI ZAHYO", "ZAHYO1", "A,1"));
    EXPECT_EQ(bytesOf(*bare), "[KESTA]\r\nOPTIONN=1\r\n[MOJI ZAHYO]\r\nZAHYO1=A,1\r\n");
    auto empty = textOf("");
    ASSERT_TRUE(setIniValue(*empty, "KESTA", "OPTIONN", "2"));
    EXPECT_EQ(bytesOf(*empty), "[KESTA]\r\nOPTIONN=2\r\n");
    // A last line ending in a lone carriage return gets only the line feed: its value stays.
    auto lone = textOf("[KESTA]\r\nOPTIONN=1\r");
    ASSERT_TRUE(setIniValue(*lone, "KESTA", "OPTIONA1", "3"));
    EXPECT_EQ(bytesOf(*lone), "[KESTA]\r\nOPTIONN=1\r\nOPTIONA1=3\r\n");
    ASSERT_TRUE(iniValue(*lone, "KESTA", "OPTIONN", value));
    EXPECT_EQ(value, "1");

    // A file that would outgrow the buffer is left as it was.
    auto full = textOf(std::string(maxFileBytes - 4, ';'));
    EXPECT_FALSE(setIniValue(*full, "KESTA", "OPTIONN", "2"));
    EXPECT_EQ(full->length, maxFileBytes - 4);
}

TEST(ImporterIniText, FigureListStopsWhereTheProgramStops) {
    auto text = textOf(sample + "[moji zahyo]\r\nZAHYO3=late\r\n");
    FigureList list;
    readFigureList(*text, "MOJI ZAHYO", "ZAHYO-END", list);
    ASSERT_EQ(list.count, 2) << "only the first section of a name counts";
    EXPECT_EQ(findFigure(list, "B"), 2);
    EXPECT_EQ(findFigure(list, "C"), 0);

    auto ended = textOf("[MOJI ZAHYO]\r\nZAHYO1=A,1\r\nZAHYO2=zahyo-end\r\nZAHYO3=C,1\r\n");
    readFigureList(*ended, "MOJI ZAHYO", "ZAHYO-END", list);
    EXPECT_EQ(list.count, 1);
}

TEST(ImporterNames, ShiftJisOrCodePoint) {
    char name[maxNameBytes + 1];
    figureName(U'あ', "\x82\xa0", name);
    EXPECT_STREQ(name, "\x82\xa0");
    figureName(U'ー', "\x81\x5b", name); // a trail byte that reads as '['
    EXPECT_STREQ(name, "\x81\x5b");
    figureName(U'A', "A", name);
    EXPECT_STREQ(name, "A");
    for (char32_t c : {U',', U';', U'"', U'='}) {
        char byte = static_cast<char>(c);
        figureName(c, std::string_view(&byte, 1), name);
        EXPECT_EQ(name[0], 'U') << "a name of " << byte << " would break the value";
    }
    figureName(U'\U0001F600', "", name);
    EXPECT_STREQ(name, "U+1F600");
    figureName(U'한', "", name);
    EXPECT_STREQ(name, "U+D55C");
}

TEST(ImporterNames, ValueTextIsWhatTheReaderReads) {
    figures::FigureRecord record{};
    record.points = 3;
    record.header = {0, 1, 0, 0, 0, 1};
    record.start[1] = 1;
    record.end[1] = 3;
    record.x = {0, -40, 40, 0};
    record.y = {0, -40, -40, 40};
    char value[maxValueChars + 1];
    ASSERT_GT(formatFigureValue("T", record, value), 0);
    EXPECT_STREQ(value, "T,3,0,1,0,0,0,1,1,3,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,"
                        "-40,-40,40,-40,0,40");
    figures::FigureRecord back;
    EXPECT_EQ(figures::readFigureValue(value, back), "T");
    EXPECT_EQ(back.x, record.x);
    EXPECT_EQ(back.end, record.end);

    record.points = 45;
    for (int k = 1; k <= 45; ++k) {
        record.x[k] = -1000000;
        record.y[k] = -1000000;
    }
    EXPECT_EQ(formatFigureValue("T", record, value), 0) << "longer than the program reads";
}

TEST(ImporterOptions, CommandLines) {
    Options options;
    const char* add[] = {"kesta-figures", "add",    "KESTA",  "--font",   "Noto Sans CJK JP",
                         "--spell",       "--bold", "--file", "C:\\k.ini"};
    parseOptions(9, add, options);
    EXPECT_EQ(options.fault, nullptr);
    EXPECT_EQ(options.command, Command::add);
    EXPECT_EQ(options.text, "KESTA");
    EXPECT_EQ(options.face, "Noto Sans CJK JP");
    EXPECT_TRUE(options.spell && options.bold && !options.italic && !options.replace);
    EXPECT_EQ(options.file, "C:\\k.ini");

    const char* bad[][3] = {{"k", "add", "--spell"},
                            {"k", "list", "--spell"},
                            {"k", "remove", "x"},
                            {"k", "add", "x --font"}};
    parseOptions(3, bad[0], options);
    EXPECT_NE(options.fault, nullptr) << "add without a text";
    parseOptions(3, bad[1], options);
    EXPECT_NE(options.fault, nullptr) << "list takes no add options";
    parseOptions(3, bad[2], options);
    EXPECT_NE(options.fault, nullptr);
    const char* dangling[] = {"k", "add", "x", "--font"};
    parseOptions(4, dangling, options);
    EXPECT_NE(options.fault, nullptr) << "an option without its value";
}

TEST(ImporterOptions, TextBecomesCharacters) {
    Characters text, distinct, spelled;
    ASSERT_TRUE(decodeUtf8("あい あ\xe3\x80\x80漢A", text)); // ideographic space inside
    EXPECT_EQ(text.count, 7);
    distinctCharacters(text, distinct);
    ASSERT_EQ(distinct.count, 4);
    EXPECT_EQ(distinct.at[3], U'漢');
    spelledCharacters(text, spelled);
    EXPECT_EQ(spelled.count, 5);
    EXPECT_EQ(spelled.at[3], U'あ');

    EXPECT_FALSE(decodeUtf8("\xe3\x81", text)) << "cut short";
    EXPECT_FALSE(decodeUtf8("\xc0\x80", text)) << "overlong";
    EXPECT_FALSE(decodeUtf8("\xed\xa0\x80", text)) << "surrogate";
    EXPECT_FALSE(decodeUtf8(std::string(maxTextCharacters + 1, 'a'), text));
}

} // namespace
