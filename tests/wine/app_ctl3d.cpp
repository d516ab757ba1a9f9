// The optional 3-D controls library: a copy of kesta.exe runs in a folder of its own; a stand-in
// "Ctl3D32.Dll" records which of its entry points the program calls and whether the program
// frees it, in a file beside itself. The program looks for the library in the system directory
// only, so the stand-in takes the place of Wine's placeholder file there (moved aside meanwhile),
// and the copy prefers it to Wine's built-in library through a DLL override of its own.
#include "resources/resource.h"
#include "tests/wine/support/kesta_program.h"

#include <gtest/gtest.h>

using namespace kestatest;

namespace {

std::wstring folder() {
    return windowsDirectory() + L"\\temp\\kesta_ctl3d";
}

constexpr wchar_t overrideKey[] = L"Software\\Wine\\AppDefaults\\kesta_ctl3d.exe\\DllOverrides";

std::wstring placeholder() {
    wchar_t dir[MAX_PATH];
    GetSystemDirectoryW(dir, MAX_PATH);
    return std::wstring(dir) + L"\\ctl3d32.dll";
}

std::wstring systemFolder() {
    return placeholder().substr(0, placeholder().find_last_of(L'\\'));
}

// What a stand-in in the given folder recorded.
std::string calls(const std::wstring& where = systemFolder()) {
    std::ifstream in(narrow(where + L"\\ctl3d_calls.txt"), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

std::wstring standIn(const std::wstring& variant) {
    return buildDirectory() + L"\\programs\\ctl3d_" + variant + L".dll";
}

class Ctl3d : public ::testing::Test {
  protected:
    void SetUp() override {
        CreateDirectoryW((windowsDirectory() + L"\\temp").c_str(), nullptr);
        CreateDirectoryW(folder().c_str(), nullptr);
        ASSERT_TRUE(
            CopyFileW(programPath().c_str(), (folder() + L"\\kesta_ctl3d.exe").c_str(), FALSE));
        writeIni(squareFigures());
        HKEY key;
        RegCreateKeyExW(HKEY_CURRENT_USER, overrideKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                        nullptr);
        RegSetValueExW(key, L"ctl3d32", 0, REG_SZ, reinterpret_cast<const BYTE*>(L"native"),
                       sizeof L"native");
        RegCloseKey(key);
    }
    // Runs the copy with the given stand-in (none when empty) and returns what it recorded.
    std::string run(const std::wstring& variant) {
        if (!variant.empty()) {
            MoveFileW(placeholder().c_str(), (placeholder() + L".aside").c_str());
            EXPECT_TRUE(CopyFileW(standIn(variant).c_str(), placeholder().c_str(), FALSE));
        }
        Program program = startProgramFrom(folder() + L"\\kesta_ctl3d.exe");
        EXPECT_TRUE(program.window);
        EXPECT_EQ(closeProgram(program), 0);
        return calls();
    }
    void TearDown() override {
        DeleteFileW((folder() + L"\\Ctl3D32.Dll").c_str());
        DeleteFileW((folder() + L"\\ctl3d_calls.txt").c_str());
        DeleteFileW((folder() + L"\\kesta_ctl3d.exe").c_str());
        RemoveDirectoryW(folder().c_str());
        DeleteFileW((systemFolder() + L"\\ctl3d_calls.txt").c_str());
        if (GetFileAttributesW((placeholder() + L".aside").c_str()) != INVALID_FILE_ATTRIBUTES) {
            DeleteFileW(placeholder().c_str());
        }
        MoveFileW((placeholder() + L".aside").c_str(), placeholder().c_str());
        RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Wine\\AppDefaults\\kesta_ctl3d.exe");
        removeIni();
    }
};

} // namespace

// Without the library the program runs as ever: the settings dialog, the only window the library
// would change, opens and closes, and the program ends normally.
TEST_F(Ctl3d, AbsentLibraryLeavesTheDialogAndTheEndAsEver) {
    ASSERT_TRUE(MoveFileW(placeholder().c_str(), (placeholder() + L".aside").c_str()));
    Program program = startProgramFrom(folder() + L"\\kesta_ctl3d.exe");
    ASSERT_TRUE(program.window);
    postCommand(program.window, IDM_SETTINGS);
    HWND dialog = findDialog(L"KESTA_x64_\u8a2d\u5b9a");
    ASSERT_TRUE(dialog);
    EXPECT_TRUE(clickButton(dialog, IDCANCEL));
    EXPECT_TRUE(waitFor([&] { return !IsWindow(dialog); }));
    EXPECT_EQ(closeProgram(program), 0);
}

TEST_F(Ctl3d, RegisteredLibraryIsSubclassedUnregisteredAndFreed) {
    EXPECT_EQ(run(L"full"), "load\n"
                            "Ctl3dRegister program\n"
                            "Ctl3dAutoSubclass program\n"
                            "Ctl3dUnregister program\n"
                            "free\n");
}

TEST_F(Ctl3d, MissingEntryPointMeansNoCallsAndTheLibraryIsLeftToTheExit) {
    EXPECT_EQ(run(L"noentry"), "load\nexit\n");
}

TEST_F(Ctl3d, RefusedRegistrationIsFreedWithoutFurtherCalls) {
    EXPECT_EQ(run(L"refuses"), "load\nCtl3dRegister program\nfree\n");
}

// A library of that name planted beside a downloaded program is never loaded.
TEST_F(Ctl3d, ALibraryBesideTheProgramIsNotLoaded) {
    MoveFileW(placeholder().c_str(), (placeholder() + L".aside").c_str());
    ASSERT_TRUE(CopyFileW(standIn(L"full").c_str(), (folder() + L"\\Ctl3D32.Dll").c_str(), FALSE));
    EXPECT_EQ(run(L""), "");
    EXPECT_EQ(calls(folder()), "");
}
