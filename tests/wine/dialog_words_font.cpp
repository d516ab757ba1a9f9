// The words dialog's text box draws every character a Japanese user types, also where the
// dialog font has no Japanese (a non-Japanese system): the same program runs once in the test
// prefix and once in a prefix of a non-Japanese locale.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "dialog/dialog.h"
#include "resources/resource.h"
#include "settings/settings.h"

namespace {

struct TextBox {
    bool found;
    bool hasGlyphs; // あ, 漢 and A all in the text box's own font
    LONG height, dialogHeight;
    wchar_t face[LF_FACESIZE];
};

TextBox seen;

std::string narrow(const wchar_t* text) {
    char bytes[3 * LF_FACESIZE] = {};
    WideCharToMultiByte(CP_UTF8, 0, text, -1, bytes, sizeof bytes - 1, nullptr, nullptr);
    return bytes;
}

DWORD WINAPI inspectAndClose(void*) {
    HWND words = nullptr;
    for (int wait = 0; wait < 200 && !(words && IsWindowVisible(words)); ++wait) {
        Sleep(50);
        words = FindWindowW(L"#32770", L"\u6587\u5b57\u304b\u3089\u56f3\u5f62\u3092\u4f5c\u308b");
    }
    if (!words) {
        return 0;
    }
    seen.found = true;
    HWND text = GetDlgItem(words, IDC_WORDS_TEXT);
    auto font = reinterpret_cast<HFONT>(SendMessageW(text, WM_GETFONT, 0, 0));
    auto dialogFont = reinterpret_cast<HFONT>(SendMessageW(words, WM_GETFONT, 0, 0));
    LOGFONTW described{}, dialogDescribed{};
    GetObjectW(font, sizeof described, &described);
    GetObjectW(dialogFont, sizeof dialogDescribed, &dialogDescribed);
    seen.height = described.lfHeight;
    seen.dialogHeight = dialogDescribed.lfHeight;

    HDC dc = GetDC(text);
    HGDIOBJ old = SelectObject(dc, font);
    WORD glyphs[3] = {};
    seen.hasGlyphs =
        GetGlyphIndicesW(dc, L"\u3042\u6f22A", 3, glyphs, GGI_MARK_NONEXISTING_GLYPHS) == 3 &&
        glyphs[0] != 0xFFFF && glyphs[1] != 0xFFFF && glyphs[2] != 0xFFFF;
    GetTextFaceW(dc, LF_FACESIZE, seen.face);
    SelectObject(dc, old);
    ReleaseDC(text, dc);
    PostMessageW(words, WM_COMMAND, IDCANCEL, 0);
    return 0;
}

TEST(WordsDialogText, TheTextBoxFontHasJapaneseAtTheDialogsSize) {
    settings::loadSettingNames();
    seen = TextBox{};
    HANDLE inspector = CreateThread(nullptr, 0, inspectAndClose, nullptr, 0, nullptr);
    ASSERT_NE(inspector, nullptr);
    EXPECT_EQ(dialog::openWordsDialog(nullptr, false), IDCANCEL);
    WaitForSingleObject(inspector, INFINITE);
    CloseHandle(inspector);

    ASSERT_TRUE(seen.found);
    EXPECT_TRUE(seen.hasGlyphs) << "code page " << GetACP() << ", face " << narrow(seen.face);
    EXPECT_EQ(seen.height, seen.dialogHeight);
}

} // namespace
