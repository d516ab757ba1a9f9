// Where the real program keeps its settings. Where the Windows directory's file can be written
// (Wine's default, an administrator) it is used, where older versions keep theirs; where it
// cannot, the program keeps a per-user file in <roaming application data>\KESTA, started as a
// copy.
//
// How the Windows directory is made to refuse writes: the tests run as root, for which Wine
// ignores the read-only attribute, so refusals come from the system in ways that hold for root
// too. A file that the test holds open without sharing write access cannot be opened for writing
// by anyone else (a sharing violation from the server, as on Windows). A directory standing
// where the file should be can neither be opened as the file nor replaced by one.
#include "resources/resource.h"
#include "tests/wine/support/kesta_program.h"

#include <gtest/gtest.h>
#include <knownfolders.h>
#include <shlobj.h>

#include <thread>

using namespace kestatest;

namespace {

const wchar_t* const dialogTitle = L"KESTA_x64_\u8a2d\u5b9a";

std::wstring userFolder() {
    PWSTR roaming = nullptr;
    SHGetKnownFolderPath(FOLDERID_RoamingAppData, 0, nullptr, &roaming);
    std::wstring folder = std::wstring(roaming ? roaming : L"") + L"\\KESTA";
    CoTaskMemFree(roaming);
    return folder;
}

// Through the W file functions: a path may hold characters outside the ANSI code page.
std::string readFile(const std::wstring& path) {
    std::string bytes;
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return bytes;
    }
    char piece[4096];
    DWORD count = 0;
    while (ReadFile(file, piece, sizeof piece, &count, nullptr) && count > 0) {
        bytes.append(piece, count);
    }
    CloseHandle(file);
    return bytes;
}

void writeFile(const std::wstring& path, const std::string& bytes) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
}

bool exists(const std::wstring& path) {
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// Held open by another writer that shares nothing: no one else can read or write it.
HANDLE holdExclusively(const std::wstring& path) {
    return CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
}

// Releases a held file after a while, from a thread of its own.
std::thread releaseAfter(HANDLE held, int milliseconds) {
    return std::thread([=] {
        Sleep(milliseconds);
        CloseHandle(held);
    });
}

// Held open for reading only, with read sharing only: every open for writing fails.
HANDLE refuseWrites(const std::wstring& path) {
    return CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
}

// From "[MOJI ZAHYO]" to the end of the file (the figures stand last).
std::string outlineSection(const std::string& file) {
    const auto at = file.find("[MOJI ZAHYO]");
    return at == std::string::npos ? std::string() : file.substr(at);
}

// A figure name in Shift-JIS ("四角"), an unknown key and a section of someone else's.
std::string settingsWithFigures() {
    std::string figures = squareFigures();
    figures.replace(figures.find("ZAHYO5=SQUARE"), 13, "ZAHYO5=\x8El\x8Ap");
    return "[KESTA]\r\nTIMER=50\r\nUNKNOWN=7\r\n[OTHER]\r\nA=1\r\n" + figures;
}

class SettingsPlace : public testing::Test {
  protected:
    void SetUp() override { cleanUp(); }

    void TearDown() override {
        if (HWND open = FindWindowW(L"#32770", dialogTitle)) {
            PostMessageW(open, WM_COMMAND, IDCANCEL, 0);
        }
        closeProgram(program);
        for (HANDLE& lock : locks) {
            CloseHandle(lock);
        }
        locks.clear();
        cleanUp();
    }

    void cleanUp() {
        RemoveDirectoryW(iniPath().c_str());
        removeIni();
        DeleteFileW((iniPath() + L".bak").c_str());
        DeleteFileW((iniPath() + L".bak2").c_str());
        for (const wchar_t* name : {L"\\kestasv.ini", L"\\kestasv.ini.bak"}) {
            DeleteFileW((userFolder() + name).c_str());
        }
        RemoveDirectoryW(userFolder().c_str());
        DeleteFileW((besideFolder + L"\\kesta.exe").c_str());
        DeleteFileW((besideFolder + L"\\kesta-figures.exe").c_str());
        DeleteFileW((besideFolder + L"\\kestasv.ini").c_str());
        RemoveDirectoryW(besideFolder.c_str());
    }

    void lock(const std::wstring& path) {
        locks.push_back(refuseWrites(path));
        ASSERT_NE(locks.back(), INVALID_HANDLE_VALUE);
    }

    void changeTimerWithOk(int timer, std::vector<std::wstring>* warnings = nullptr) {
        postCommand(program.window, IDM_SETTINGS);
        HWND dialog = findDialog(dialogTitle);
        ASSERT_NE(dialog, nullptr);
        waitFor([&] { return IsWindowVisible(dialog) != FALSE; }); // opened from the file
        scrollBar(dialog, IDC_TIMER_BAR, SB_THUMBTRACK, timer);
        auto texts = answerWarnings([&] { clickButton(dialog, IDOK); });
        waitFor([&] { return !IsWindow(dialog); });
        settle(program.window);
        if (warnings) {
            *warnings = texts;
        }
    }

    std::wstring userIni() const { return userFolder() + L"\\kestasv.ini"; }

    // A copy of the program in a folder of its own, beside the sample settings file.
    std::wstring programBesideSample() {
        CreateDirectoryW(besideFolder.c_str(), nullptr);
        const std::wstring copy = besideFolder + L"\\kesta.exe";
        EXPECT_TRUE(CopyFileW(programPath().c_str(), copy.c_str(), FALSE));
        writeFile(besideFolder + L"\\kestasv.ini", readSourceFile("resources/kestasv.ini"));
        return copy;
    }

    Program program{};
    std::vector<HANDLE> locks;
    const std::wstring besideFolder = L"C:\\kesta-beside";
};

TEST_F(SettingsPlace, AWritableWindowsDirectoryIsTheSettingsPlaceAsAlways) {
    // No file yet: the directory takes one, the probe leaves nothing behind, and the file comes
    // at exit; no per-user folder is made.
    auto entries = [] {
        int count = 0;
        WIN32_FIND_DATAW found;
        HANDLE search = FindFirstFileW((windowsDirectory() + L"\\*").c_str(), &found);
        for (bool more = search != INVALID_HANDLE_VALUE; more;
             more = FindNextFileW(search, &found)) {
            ++count;
        }
        FindClose(search);
        return count;
    };
    const int before = entries();
    program = startProgram();
    ASSERT_TRUE(program.window);
    EXPECT_EQ(entries(), before) << "nothing new in the Windows directory while running";
    EXPECT_EQ(closeProgram(program), 0);
    EXPECT_EQ(iniValue("SCREEN_W"), "640");
    EXPECT_EQ(entries(), before + 1);
    EXPECT_FALSE(exists(userFolder()));
}

TEST_F(SettingsPlace, ARefusingWindowsFileIsCopiedPerUserAndTheCopyTakesEveryWrite) {
    const std::string original = settingsWithFigures();
    writeIni(original);
    lock(iniPath());
    program = startProgram();
    ASSERT_TRUE(program.window);
    EXPECT_EQ(readFile(userIni()), original) << "a byte-for-byte copy";

    changeTimerWithOk(250);
    std::string stored = readFile(userIni());
    EXPECT_NE(stored.find("TIMER=250"), std::string::npos);
    EXPECT_EQ(closeProgram(program), 0);
    stored = readFile(userIni());
    EXPECT_NE(stored.find("SCREEN_W="), std::string::npos);
    EXPECT_NE(stored.find("UNKNOWN=7\r\n"), std::string::npos);
    EXPECT_NE(stored.find("[OTHER]\r\nA=1\r\n"), std::string::npos);
    EXPECT_EQ(outlineSection(stored), outlineSection(original));
    EXPECT_EQ(readIni(), original) << "the Windows directory's file stays untouched";

    // The next start keeps the per-user file and what it holds.
    program = startProgram();
    ASSERT_TRUE(program.window);
    EXPECT_EQ(closeProgram(program), 0);
    EXPECT_NE(readFile(userIni()).find("TIMER=250"), std::string::npos);
}

TEST_F(SettingsPlace, WithOnlyTheFileBesideTheProgramItsFiguresAppear) {
    ASSERT_TRUE(CreateDirectoryW(iniPath().c_str(), nullptr)) << "stands where the file would";
    CreateDirectoryW(besideFolder.c_str(), nullptr);
    ASSERT_TRUE(CopyFileW(programPath().c_str(), (besideFolder + L"\\kesta.exe").c_str(), FALSE));
    writeFile(besideFolder + L"\\kestasv.ini", readSourceFile("resources/kestasv.ini"));

    program = startProgramFrom(besideFolder + L"\\kesta.exe");
    ASSERT_TRUE(program.window);
    EXPECT_EQ(readFile(userIni()), readSourceFile("resources/kestasv.ini"));
    sendCommand(program.window, IDM_START);
    Sleep(500);
    EXPECT_GT(litClientPixels(program.window), 20) << "the sample figures are drawn";
    MoveWindow(program.window, 30, 40, 500, 300, TRUE);
    settle(program.window);
    EXPECT_EQ(closeProgram(program), 0);
    const std::string stored = readFile(userIni());
    EXPECT_NE(stored.find("SCREEN_L=30\r\n"), std::string::npos);
    EXPECT_NE(stored.find("SCREEN_W=500\r\n"), std::string::npos);
}

// The importer's list only reads: it neither starts a per-user file nor copies the sample, where
// a start of the program would; it lists the file the program would use.
TEST_F(SettingsPlace, TheImportersListMakesNoFileAndNoFolder) {
    ASSERT_TRUE(CreateDirectoryW(iniPath().c_str(), nullptr)) << "stands where the file would";
    CreateDirectoryW(besideFolder.c_str(), nullptr);
    const std::wstring importer = besideFolder + L"\\kesta-figures.exe";
    ASSERT_TRUE(
        CopyFileW((buildDirectory() + L"\\kesta-figures.exe").c_str(), importer.c_str(), FALSE));
    writeFile(besideFolder + L"\\kestasv.ini", readSourceFile("resources/kestasv.ini"));
    auto list = [&] {
        std::wstring command = L"\"" + importer + L"\" list";
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION process{};
        DWORD status = 99;
        if (CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW,
                           nullptr, nullptr, &startup, &process)) {
            WaitForSingleObject(process.hProcess, 30000);
            GetExitCodeProcess(process.hProcess, &status);
            CloseHandle(process.hThread);
            CloseHandle(process.hProcess);
        }
        return status;
    };
    EXPECT_EQ(list(), 1u) << "no settings file to list";
    EXPECT_FALSE(exists(userFolder()));

    CreateDirectoryW(userFolder().c_str(), nullptr);
    const std::string own = settingsWithFigures();
    writeFile(userIni(), own);
    EXPECT_EQ(list(), 0u) << "the per-user file is the one listed";
    EXPECT_EQ(readFile(userIni()), own);
    EXPECT_FALSE(exists(userFolder() + L"\\kestasv.ini.bak"));
}

TEST_F(SettingsPlace, WhenThePerUserFileRefusesTooOneWarningAndTheEditsStay) {
    writeIni(settingsWithFigures());
    lock(iniPath());
    CreateDirectoryW(userFolder().c_str(), nullptr);
    writeFile(userIni(), settingsWithFigures());
    lock(userIni());
    program = startProgram();
    ASSERT_TRUE(program.window);
    sendCommand(program.window, IDM_START);

    std::vector<std::wstring> warnings;
    changeTimerWithOk(250, &warnings);
    ASSERT_EQ(warnings.size(), 1u);
    EXPECT_NE(warnings[0].find(userIni()), std::wstring::npos) << "names the file";
    EXPECT_NE(warnings[0].find(L"書き込めません"), std::wstring::npos);

    // A repaint and the next opening of the dialog still have the confirmed value.
    RedrawWindow(program.window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE);
    settle(program.window);
    postCommand(program.window, IDM_SETTINGS);
    HWND dialog = findDialog(dialogTitle);
    ASSERT_NE(dialog, nullptr);
    waitFor([&] { return IsWindowVisible(dialog) != FALSE; });
    EXPECT_EQ(controlText(dialog, IDC_TIMER_VALUE), L"250");
    EXPECT_TRUE(answerWarnings([&] { clickButton(dialog, IDOK); }).empty()) << "once per run";
    waitFor([&] { return !IsWindow(dialog); });

    std::vector<std::wstring> atExit;
    int code = -1;
    atExit = answerWarnings([&] { code = closeProgram(program); });
    EXPECT_TRUE(atExit.empty());
    EXPECT_EQ(code, 0);
    EXPECT_EQ(readFile(userIni()), settingsWithFigures());
}

// A user name outside the ANSI code page (Hangul is not in code page 932) puts the per-user
// folder out of reach of the A profile functions; the program still reads and writes it.
TEST_F(SettingsPlace, APerUserFolderOutsideTheAnsiCodePageIsReadAndWritten) {
    const wchar_t* shellFolders =
        L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, shellFolders, 0, KEY_READ | KEY_WRITE, &key),
              ERROR_SUCCESS);
    wchar_t saved[MAX_PATH] = L"";
    DWORD type = REG_EXPAND_SZ, size = sizeof saved;
    const bool hadValue = RegQueryValueExW(key, L"AppData", nullptr, &type,
                                           reinterpret_cast<BYTE*>(saved), &size) == ERROR_SUCCESS;
    const std::wstring moved = L"C:\\users\\\uD55C\uAE00-roaming";
    CreateDirectoryW(moved.c_str(), nullptr);
    auto setAppData = [&](const wchar_t* value, DWORD kind) {
        RegSetValueExW(key, L"AppData", 0, kind, reinterpret_cast<const BYTE*>(value),
                       static_cast<DWORD>((wcslen(value) + 1) * sizeof(wchar_t)));
    };
    setAppData(moved.c_str(), REG_EXPAND_SZ);
    const std::wstring movedIni = moved + L"\\KESTA\\kestasv.ini";

    writeIni(settingsWithFigures());
    lock(iniPath());
    program = startProgram();
    const bool started = program.window != nullptr;
    if (started) {
        EXPECT_EQ(readFile(movedIni), settingsWithFigures());
        changeTimerWithOk(250);
        EXPECT_EQ(closeProgram(program), 0);
    }
    const std::string stored = readFile(movedIni);
    if (hadValue) {
        setAppData(saved, type);
    } else {
        RegDeleteValueW(key, L"AppData");
    }
    RegCloseKey(key);
    DeleteFileW(movedIni.c_str());
    RemoveDirectoryW((moved + L"\\KESTA").c_str());
    RemoveDirectoryW(moved.c_str());
    ASSERT_TRUE(started);
    EXPECT_NE(stored.find("TIMER=250\r\n"), std::string::npos);
    EXPECT_NE(stored.find("SCREEN_W=640\r\n"), std::string::npos);
    EXPECT_EQ(outlineSection(stored), outlineSection(settingsWithFigures()));
}

// Files the profile functions would damage on a save: a copy is kept beside them before the
// first write of a run, an existing copy is never replaced, and the user is told once.
TEST_F(SettingsPlace, ADamagingSaveIsPrecededByOneBackupAndOneNotice) {
    const std::wstring backup = iniPath() + L".bak";
    const std::string withMark = "\xEF\xBB\xBF" + settingsWithFigures();
    writeIni(withMark);
    for (int run = 0; run < 2; ++run) {
        program = startProgram();
        ASSERT_TRUE(program.window);
        int code = -1;
        auto notices = answerWarnings([&] { code = closeProgram(program); });
        EXPECT_EQ(code, 0);
        ASSERT_EQ(notices.size(), 1u);
        EXPECT_NE(notices[0].find(L"BOM"), std::wstring::npos);
        const std::wstring copy = run == 0 ? backup : backup + L"2";
        EXPECT_TRUE(notices[0].ends_with(copy)) << "names where the copy went, run " << run;
        EXPECT_EQ(readFile(backup), withMark) << "the first copy stays, run " << run;
    }
    DeleteFileW(backup.c_str());
    DeleteFileW((backup + L"2").c_str());

    // A name saved as UTF-8 by another editor: its last byte would swallow the comma.
    std::string utf8Name = settingsWithFigures();
    utf8Name.replace(utf8Name.find("ZAHYO22=SQUARE"), 14, "ZAHYO22=\xE3\x81\x82");
    writeIni(utf8Name);
    writeFile(backup, "an earlier copy");
    program = startProgram();
    ASSERT_TRUE(program.window);
    std::vector<std::wstring> notices;
    changeTimerWithOk(250, &notices);
    ASSERT_EQ(notices.size(), 1u);
    EXPECT_NE(notices[0].find(L"Shift-JIS"), std::wstring::npos);
    EXPECT_NE(notices[0].find(backup), std::wstring::npos);
    EXPECT_EQ(readFile(backup), "an earlier copy");
    int code = -1;
    EXPECT_TRUE(answerWarnings([&] { code = closeProgram(program); }).empty());
    EXPECT_EQ(code, 0);
    DeleteFileW(backup.c_str());
}

} // namespace

namespace {

// Another writer (the figure importer's read-edit-write) holding the file for a moment is waited
// for: the dialog reads the file's values, and writes land without a warning, after "OK" and at
// exit alike.
TEST_F(SettingsPlace, AWriterHoldingTheFileForAMomentIsWaitedFor) {
    writeIni(settingsWithFigures());
    program = startProgram();
    ASSERT_TRUE(program.window);
    // Held while the dialog opens: it shows the file's values, not the defaults.
    HANDLE held = holdExclusively(iniPath());
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    std::thread release = releaseAfter(held, 1000);
    postCommand(program.window, IDM_SETTINGS);
    HWND dialog = findDialog(dialogTitle);
    ASSERT_NE(dialog, nullptr);
    waitFor([&] { return IsWindowVisible(dialog) != FALSE; });
    release.join();
    EXPECT_EQ(controlText(dialog, IDC_TIMER_VALUE), L"50");

    held = holdExclusively(iniPath());
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    release = releaseAfter(held, 1000);
    scrollBar(dialog, IDC_TIMER_BAR, SB_THUMBTRACK, 250);
    std::vector<std::wstring> warnings = answerWarnings([&] { clickButton(dialog, IDOK); });
    waitFor([&] { return !IsWindow(dialog); });
    release.join();
    EXPECT_TRUE(warnings.empty()) << narrow(warnings.empty() ? L"" : warnings[0]);
    EXPECT_EQ(iniValue("TIMER"), "250");

    MoveWindow(program.window, 30, 40, 500, 300, TRUE);
    settle(program.window);
    held = holdExclusively(iniPath());
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    release = releaseAfter(held, 1000);
    int code = -1;
    warnings = answerWarnings([&] { code = closeProgram(program); });
    release.join();
    EXPECT_EQ(code, 0);
    EXPECT_TRUE(warnings.empty());
    EXPECT_EQ(iniValue("SCREEN_W"), "500");
    EXPECT_EQ(outlineSection(readIni()), outlineSection(settingsWithFigures()));
}

// Where the Windows directory takes a new file but has none, the run starts from the sample
// beside the program instead of an empty file (a black window, and empty lists ever after).
TEST_F(SettingsPlace, AMissingFileInAWritableWindowsDirectoryStartsAsTheSample) {
    program = startProgramFrom(programBesideSample());
    ASSERT_TRUE(program.window);
    EXPECT_EQ(readIni(), readSourceFile("resources/kestasv.ini"));
    sendCommand(program.window, IDM_START);
    Sleep(500);
    EXPECT_GT(litClientPixels(program.window), 20) << "the sample figures are drawn";
    EXPECT_EQ(closeProgram(program), 0);
    EXPECT_EQ(outlineSection(readIni()), outlineSection(readSourceFile("resources/kestasv.ini")));
    EXPECT_FALSE(exists(userFolder()));
}

// The user's file held open by another program at start-up: a moment is waited for; for longer,
// the user is told and no file is made or changed, and the next run finds everything as it was.
TEST_F(SettingsPlace, AWindowsFileHeldAtStartUpIsNeverReplacedByTheSample) {
    const std::wstring copy = programBesideSample();
    writeIni(settingsWithFigures());
    HANDLE held = holdExclusively(iniPath());
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    int code = -1;
    auto warnings = answerWarnings([&] {
        program = startProgramFrom(copy);
        code = closeProgram(program);
    });
    CloseHandle(held);
    EXPECT_EQ(code, 0);
    ASSERT_EQ(warnings.size(), 1u);
    EXPECT_NE(warnings[0].find(iniPath()), std::wstring::npos) << "names the file";
    EXPECT_NE(warnings[0].find(L"読めません"), std::wstring::npos);
    EXPECT_FALSE(exists(userIni())) << "no copy of the sample";
    EXPECT_EQ(readIni(), settingsWithFigures());

    held = holdExclusively(iniPath());
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    std::thread release = releaseAfter(held, 1000);
    warnings = answerWarnings([&] {
        program = startProgramFrom(copy);
        code = closeProgram(program);
    });
    release.join();
    EXPECT_TRUE(warnings.empty());
    EXPECT_EQ(code, 0);
    EXPECT_FALSE(exists(userIni())) << "the Windows directory's file stays the settings file";
    EXPECT_EQ(iniValue("TIMER"), "50");
    EXPECT_NE(iniValue("SCREEN_W"), "");
}

// Once a per-user file exists it holds the user's latest settings: a Windows directory that
// takes writes again does not bring the older file back.
TEST_F(SettingsPlace, APerUserFileStaysTheSettingsFileWhenTheWindowsDirectoryTakesWritesAgain) {
    writeIni(settingsWithFigures());
    CreateDirectoryW(userFolder().c_str(), nullptr);
    std::string mine = settingsWithFigures();
    mine.replace(mine.find("TIMER=50"), 8, "TIMER=120");
    writeFile(userIni(), mine);
    program = startProgram();
    ASSERT_TRUE(program.window);
    MoveWindow(program.window, 30, 40, 500, 300, TRUE);
    settle(program.window);
    EXPECT_EQ(closeProgram(program), 0);
    const std::string stored = readFile(userIni());
    EXPECT_NE(stored.find("TIMER=120\r\n"), std::string::npos);
    EXPECT_NE(stored.find("SCREEN_W=500\r\n"), std::string::npos);
    EXPECT_EQ(readIni(), settingsWithFigures()) << "the older file is left alone";
}

// A ".bak" that is someone else's is kept, and the copy goes under the next free name, which
// the notice names.
TEST_F(SettingsPlace, ATakenBackupNameGivesTheCopyTheNextName) {
    std::string utf8Name = settingsWithFigures();
    utf8Name.replace(utf8Name.find("ZAHYO22=SQUARE"), 14, "ZAHYO22=\xE3\x81\x82");
    writeIni(utf8Name);
    writeFile(iniPath() + L".bak", "something else");
    program = startProgram();
    ASSERT_TRUE(program.window);
    std::vector<std::wstring> notices;
    changeTimerWithOk(250, &notices);
    ASSERT_EQ(notices.size(), 1u);
    EXPECT_TRUE(notices[0].ends_with(iniPath() + L".bak2"));
    EXPECT_EQ(notices[0].find(L"前に作った控え"), std::wstring::npos);
    EXPECT_EQ(readFile(iniPath() + L".bak2"), utf8Name);
    EXPECT_EQ(readFile(iniPath() + L".bak"), "something else");
    EXPECT_EQ(iniValue("TIMER"), "250");
    int code = -1;
    EXPECT_TRUE(answerWarnings([&] { code = closeProgram(program); }).empty());
    EXPECT_EQ(code, 0);
}

} // namespace
