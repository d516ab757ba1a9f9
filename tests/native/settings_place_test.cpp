#include "tests/support/profile_memory.h"
#include "settings/save_check.h"
#include "settings/settings.h"
#include "settings/settings_place.h"

#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <string>

namespace {

using namespace settings;

TEST(SettingsPlace, APerUserFileStaysElseTheWindowsDirectoryWhereWritableElseAPerUserCopy) {
    struct Case {
        WindowsFile windows;
        bool isFile, folder, userFile, beside, readable;
        PlaceChoice expected; // per user, copy from Windows, copy from beside, unreadable
    };
    const Case cases[] = {
        {WindowsFile::writable, true, true, false, true, true, {false, false, false, false}},
        // A missing file starts as the sample beside the program, in either place.
        {WindowsFile::creatable, false, true, false, true, false, {false, false, true, false}},
        {WindowsFile::creatable, false, true, false, false, false, {false, false, false, false}},
        {WindowsFile::absentRefused, false, true, false, true, false, {true, false, true, false}},
        {WindowsFile::refused, false, true, false, true, false, {true, false, true, false}},
        // The user's own file is the only start when there is one, never the sample.
        {WindowsFile::refused, true, true, false, true, true, {true, true, false, false}},
        {WindowsFile::refused, true, true, false, true, false, {false, false, false, true}},
        // Once made, the per-user file stays, whatever the Windows directory does meanwhile.
        {WindowsFile::writable, true, true, true, true, true, {true, false, false, false}},
        {WindowsFile::absentRefused, false, true, true, true, false, {true, false, false, false}},
        {WindowsFile::refused, true, false, false, true, true, {false, false, false, false}},
    };
    for (const Case& c : cases) {
        const PlaceChoice choice =
            choosePlace({c.windows, c.isFile, c.folder, c.userFile, c.beside, c.readable});
        const int row = static_cast<int>(&c - cases);
        EXPECT_EQ(choice.perUser, c.expected.perUser) << row;
        EXPECT_EQ(choice.copyFromWindows, c.expected.copyFromWindows) << row;
        EXPECT_EQ(choice.copyFromBeside, c.expected.copyFromBeside) << row;
        EXPECT_EQ(choice.windowsFileUnreadable, c.expected.windowsFileUnreadable) << row;
    }
}

TEST(SettingsPlace, PathsJoinWithOneSeparatorOrNotAtAll) {
    wchar_t path[16];
    EXPECT_TRUE(joinPath(path, 16, L"C:\\KESTA", L"a.ini"));
    EXPECT_STREQ(path, L"C:\\KESTA\\a.ini");
    EXPECT_TRUE(joinPath(path, 16, L"C:\\", L"a.ini"));
    EXPECT_STREQ(path, L"C:\\a.ini");
    EXPECT_TRUE(joinPath(path, 16, L"C:\\KESTA", L"abcde"));    // 14 characters and the terminator
    EXPECT_FALSE(joinPath(path, 16, L"C:\\KESTA", L"abcdefg")); // one too many
    EXPECT_STREQ(path, L"");
}

SaveDamage damage(const std::string& file, std::size_t piece = 0) {
    SaveCheck check = startSaveCheck("MOJI ZAHYO");
    const auto* bytes = reinterpret_cast<const unsigned char*>(file.data());
    const std::size_t step = piece == 0 ? file.size() : piece;
    for (std::size_t at = 0; at < file.size(); at += step) {
        checkBytes(check, bytes + at, std::min(step, file.size() - at));
    }
    return saveDamage(check);
}

TEST(SaveCheck, FindsTheMarkAndTheOutlineBytesThatASaveWouldDamage) {
    std::ifstream in(KESTA_SOURCE_DIR "/resources/kestasv.ini", std::ios::binary);
    const std::string shipped(std::istreambuf_iterator<char>(in), {});
    ASSERT_FALSE(shipped.empty());
    EXPECT_EQ(damage(shipped), SaveDamage::none);
    EXPECT_EQ(damage("\xEF\xBB\xBF" + shipped), SaveDamage::byteOrderMark);
    EXPECT_EQ(damage("\xFF\xFE[KESTA]"), SaveDamage::byteOrderMark);

    const std::string sjisName =
        "[KESTA]\r\nVIEW=1\r\n[moji zahyo]\r\nZAHYO1=\x82\xA0\x83\x5C,1,0\r\n";
    EXPECT_EQ(damage(sjisName), SaveDamage::none);
    // "あ" written in UTF-8: its last byte opens a double-byte character that takes the comma.
    const std::string utf8Name = "[MOJI ZAHYO]\r\nZAHYO1=\xE3\x81\x82,1,0\r\n";
    EXPECT_EQ(damage(utf8Name), SaveDamage::invalidOutlineBytes);
    EXPECT_EQ(damage("  [MOJI ZAHYO] \nZAHYO1=A\x81\n[KESTA]\n"), SaveDamage::invalidOutlineBytes);
    EXPECT_EQ(damage("[MOJI ZAHYO]\nZAHYO1=\xFF"), SaveDamage::invalidOutlineBytes);
    EXPECT_EQ(damage("[MOJI ZAHYO]\nZAHYO1=\x81"), SaveDamage::invalidOutlineBytes);
    // Other sections, and a header that is no header, do not count or end the outline section.
    EXPECT_EQ(damage("[KESTA]\r\nNOTE=\xE3\x81\x82,\r\n[MOJI ZAHYO]\r\nZAHYO1=A\r\n"),
              SaveDamage::none);
    EXPECT_EQ(damage("[MOJI ZAHYOX]\nZAHYO1=\xE3\x81\x82,\n"), SaveDamage::none);
    EXPECT_EQ(damage("[MOJI ZAHYO]\n[no end\nZAHYO1=\xE3\x81\x82,\n"),
              SaveDamage::invalidOutlineBytes);
    // Read in pieces of any size, the file gives the same answer.
    for (std::size_t piece : {1u, 2u, 3u, 7u}) {
        EXPECT_EQ(damage(utf8Name, piece), SaveDamage::invalidOutlineBytes);
        EXPECT_EQ(damage(sjisName, piece), SaveDamage::none);
        EXPECT_EQ(damage("\xEF\xBB\xBF[KESTA]", piece), SaveDamage::byteOrderMark);
    }
}

// A refused write: the values written read back for the rest of the run (a paint or the refresh
// after "OK" would otherwise bring back the file's old values), and the failure is reported once
// per writer; a later write that goes through hands reading back to the file.
TEST(SettingsWrite, RefusedValuesStayInEffectAndAreReported) {
    profile::memory::reset();
    loadSettingNames();
    startupDone = 1;
    profile::memory::setFile("kestasv.ini", "[KESTA]\r\nTIMER=55\r\nSIZEIDO=10\r\n");
    profile::memory::refuseWrites("kestasv.ini", true);
    readSettings();
    TIMER = 60;
    writeDialogSettings();
    EXPECT_EQ(profile::memory::writeFailureReports(), 1);
    EXPECT_EQ(profile::memory::file("kestasv.ini"), "[KESTA]\r\nTIMER=55\r\nSIZEIDO=10\r\n");
    TIMER = 0;
    readSettings();
    EXPECT_EQ(TIMER, 60);
    EXPECT_EQ(SIZEIDO, 10);

    profile::memory::refuseWrites("kestasv.ini", false);
    writeDialogSettings();
    EXPECT_EQ(profile::memory::writeFailureReports(), 1);
    profile::memory::setFile("kestasv.ini", "[KESTA]\r\nTIMER=70\r\n");
    readSettings();
    EXPECT_EQ(TIMER, 70);
    startupDone = 0;
}

} // namespace
