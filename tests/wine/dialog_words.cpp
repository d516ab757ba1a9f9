// Typed words become figures inside the real program: from the settings dialog (its OK keeps the
// spelled row, its CANCEL drops it while the figures stay), from the menu (written and drawn at
// once), cancelled (the file untouched), with a character the font lacks (named, left out), and
// with a style chosen after the preview (the new style written).
// The fitting stages themselves: a bold face reaches the figure.
#include "figurefile/add_stages.h"
#include "figures/format.h"
#include "resources/resource.h"
#include "tests/wine/support/kesta_program.h"

#include <gtest/gtest.h>

#include <cstring>
#include <sstream>

using namespace kestatest;

namespace {

const wchar_t* const settingsTitle = L"KESTA_x64_\u8a2d\u5b9a";
const wchar_t* const word = L"\u3042\u3044\u6f22A"; // あい漢A

// Two squares in the row; the first is named "A", as the importer names that letter.
const std::string original = "[KESTA]\r\nTIMER=50\r\nOPTIONN=2\r\nOPTIONA1=1\r\nOPTIONA2=2\r\n"
                             "[MOJI ZAHYO]\r\nZAHYO1=" +
                             squareValue("A") + "\r\nZAHYO2=" + squareValue("SQUARE") + "\r\n";

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> found;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        found.push_back(line);
    }
    return found;
}

std::string readFile(const std::wstring& path) {
    std::string bytes(1 << 16, '\0');
    DWORD read = 0;
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              0, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
        CloseHandle(file);
    }
    return bytes.substr(0, read);
}

std::string figureValue(const char* key) {
    char value[figures::figureValueSize];
    GetPrivateProfileStringA("MOJI ZAHYO", key, "", value, sizeof value, narrow(iniPath()).c_str());
    return value;
}

// Without the row's keys when spelled, and without the figure lines not in the original.
std::vector<std::string> keptLines(const std::string& text, bool spelled) {
    std::vector<std::string> kept;
    for (const std::string& line : lines(text)) {
        const bool added = line.rfind("ZAHYO", 0) == 0 && original.find(line) == std::string::npos;
        if (!added && !(spelled && line.rfind("OPTION", 0) == 0)) {
            kept.push_back(line);
        }
    }
    return kept;
}

// The file is the original with exactly the three new figure lines added (and, when spelled,
// the row's keys changed): no other line changed, gone or moved.
void expectThreeFiguresAdded(bool spelled) {
    const std::string now = readIni();
    EXPECT_EQ(keptLines(now, spelled), keptLines(original, spelled));
    EXPECT_EQ(lines(now).size() - keptLines(now, spelled).size(),
              lines(original).size() - keptLines(original, spelled).size() + 3 + (spelled ? 2 : 0));
    EXPECT_EQ(figureValue("ZAHYO1"), squareValue("A"));
    for (const char* key : {"ZAHYO3", "ZAHYO4", "ZAHYO5"}) {
        EXPECT_FALSE(figureValue(key).empty()) << key;
    }
}

void expectSpelled() {
    EXPECT_EQ(iniValue("OPTIONN"), "4");
    EXPECT_EQ(iniValue("OPTIONA1"), "3");
    EXPECT_EQ(iniValue("OPTIONA2"), "4");
    EXPECT_EQ(iniValue("OPTIONA3"), "5");
    EXPECT_EQ(iniValue("OPTIONA4"), "1");
}

class WordsInProgram : public testing::Test {
  protected:
    void SetUp() override {
        writeIni(original);
        program = startProgram();
        ASSERT_TRUE(program.window);
        sendCommand(program.window, IDM_START);
    }

    void TearDown() override {
        for (const wchar_t* title : {wordsDialogTitle, settingsTitle}) {
            if (HWND open = FindWindowW(L"#32770", title)) {
                PostMessageW(open, WM_COMMAND, IDCANCEL, 0);
                waitFor([&] { return !IsWindow(open); }, 5000);
            }
        }
        closeProgram(program);
        removeIni();
    }

    HWND openFromSettings() {
        postCommand(program.window, IDM_SETTINGS);
        settings = findDialog(settingsTitle);
        EXPECT_TRUE(settings);
        PostMessageW(settings, WM_COMMAND, IDC_WORDS, 0);
        return findWords();
    }

    // The words dialog once it shows (its controls filled in).
    HWND findWords() {
        HWND words = findDialog(wordsDialogTitle);
        waitFor([&] { return IsWindowVisible(words) != FALSE; });
        return words;
    }

    // Types the text, presses OK and waits until the dialog has closed.
    bool typeAndOk(HWND words, const wchar_t* text) {
        SendDlgItemMessageW(words, IDC_WORDS_TEXT, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
        PostMessageW(GetDlgItem(words, IDOK), BM_CLICK, 0, 0);
        return waitFor([&] { return !IsWindow(words); }, 30000);
    }

    // Lit pixels of the client area over a few frames: how much of the row is drawn.
    int drawn() {
        RECT client;
        GetClientRect(program.window, &client);
        MapWindowPoints(program.window, nullptr, reinterpret_cast<POINT*>(&client), 2);
        int lit = 0;
        for (int i = 0; i < 5; ++i) {
            settle(program.window);
            for (std::uint32_t pixel : captureScreen(client)) {
                lit += pixel != 0 ? 1 : 0;
            }
            Sleep(60);
        }
        return lit;
    }

    Program program;
    HWND settings = nullptr;
};

TEST_F(WordsInProgram, FromTheSettingsDialogTheFiguresAreWrittenAtOnceAndTheRowByItsOk) {
    const int squares = drawn();
    HWND words = openFromSettings();
    ASSERT_TRUE(words);
    EXPECT_TRUE(isChecked(words, IDC_WORDS_SPELL));
    ASSERT_TRUE(typeAndOk(words, word));
    expectThreeFiguresAdded(false);
    EXPECT_EQ(listCount(settings, IDC_SLOT1_LIST), 6); // the blank item and five figures
    EXPECT_EQ(controlText(settings, IDC_OPTIONN), L"4");
    EXPECT_EQ(listSelection(settings, IDC_SLOT3_LIST), 5);
    PostMessageW(settings, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(waitFor([&] { return !IsWindow(settings); }));
    expectSpelled();
    EXPECT_GT(drawn(), squares * 5 / 4); // four figures where two squares were
}

TEST_F(WordsInProgram, TheSettingsDialogsCancelKeepsTheFiguresAndDropsTheRow) {
    HWND words = openFromSettings();
    ASSERT_TRUE(words);
    ASSERT_TRUE(typeAndOk(words, word));
    PostMessageW(settings, WM_COMMAND, IDCANCEL, 0);
    ASSERT_TRUE(waitFor([&] { return !IsWindow(settings); }));
    expectThreeFiguresAdded(false);
    EXPECT_EQ(iniValue("OPTIONN"), "2");
}

TEST_F(WordsInProgram, CancelAfterThePreviewWritesNothing) {
    HWND words = openFromSettings();
    ASSERT_TRUE(words);
    SendDlgItemMessageW(words, IDC_WORDS_TEXT, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(word));
    Sleep(3000);
    PostMessageW(words, WM_CLOSE, 0, 0);
    ASSERT_TRUE(waitFor([&] { return !IsWindow(words); }));
    EXPECT_EQ(readIni(), original);
}

TEST_F(WordsInProgram, FromTheMenuTheFiguresAndTheRowAreWrittenAndDrawnAtOnce) {
    const int squares = drawn();
    postCommand(program.window, IDM_WORDS);
    HWND words = findWords();
    ASSERT_TRUE(words);
    ASSERT_TRUE(typeAndOk(words, word));
    expectThreeFiguresAdded(true);
    expectSpelled();
    EXPECT_GT(drawn(), squares * 5 / 4); // four figures where two squares were
}

// Thai is not in the Japanese default face: the letter is crossed out and named, and only the
// others are written and spelled.
TEST_F(WordsInProgram, ACharacterTheFontLacksIsNamedAndLeftOut) {
    postCommand(program.window, IDM_WORDS);
    HWND words = findWords();
    ASSERT_TRUE(words);
    SendDlgItemMessageW(words, IDC_WORDS_TEXT, WM_SETTEXT, 0,
                        reinterpret_cast<LPARAM>(L"\u3042\u0e01"));
    EXPECT_TRUE(waitFor(
        [&] { return controlText(words, IDC_WORDS_NOTE).find(L"\u0e01") != std::wstring::npos; }));
    PostMessageW(GetDlgItem(words, IDOK), BM_CLICK, 0, 0);
    ASSERT_TRUE(waitFor([&] { return !IsWindow(words); }, 30000));
    EXPECT_FALSE(figureValue("ZAHYO3").empty());
    EXPECT_TRUE(figureValue("ZAHYO4").empty());
    EXPECT_EQ(iniValue("OPTIONN"), "1");
    EXPECT_EQ(iniValue("OPTIONA1"), "3");
}

// The importer's refusal shows in the dialog, which stays open for another try; nothing changes.
TEST_F(WordsInProgram, ARefusalIsShownInTheDialogAndTheFileStaysAsItWas) {
    const std::string marked = "\xEF\xBB\xBF" + original;
    writeIni(marked);
    postCommand(program.window, IDM_WORDS);
    HWND words = findWords();
    ASSERT_TRUE(words);
    SendDlgItemMessageW(words, IDC_WORDS_TEXT, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(word));
    PostMessageW(GetDlgItem(words, IDOK), BM_CLICK, 0, 0);
    EXPECT_TRUE(waitFor([&] {
        return controlText(words, IDC_WORDS_NOTE).find(L"BOM") != std::wstring::npos &&
               isEnabled(words, IDOK);
    }));
    EXPECT_TRUE(IsWindow(words));
    EXPECT_EQ(readIni(), marked);
    writeIni(original); // a file the program's own save at exit takes without a word
}

// A byte that is not Shift-JIS in the figure lines: the dialog's write keeps the program's
// copy first and says where it is before the dialog closes.
TEST_F(WordsInProgram, TheBackupCopyIsToldBeforeTheDialogCloses) {
    const std::string damaged = original + "note=\x81\r\n";
    const std::wstring bak = iniPath() + L".bak";
    DeleteFileW(bak.c_str());
    writeIni(damaged);
    postCommand(program.window, IDM_WORDS);
    HWND words = findWords();
    ASSERT_TRUE(words);
    SendDlgItemMessageW(words, IDC_WORDS_TEXT, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"\u3042"));
    const std::vector<std::wstring> told = answerWarnings([&] {
        PostMessageW(GetDlgItem(words, IDOK), BM_CLICK, 0, 0);
        waitFor([&] { return !IsWindow(words); }, 30000);
    });
    EXPECT_FALSE(IsWindow(words));
    ASSERT_EQ(told.size(), 1u);
    EXPECT_NE(told[0].find(bak), std::wstring::npos) << narrow(told[0]);
    EXPECT_EQ(readFile(bak), damaged);
    DeleteFileW(bak.c_str());
    writeIni(original); // a file the program's own save at exit takes without a word
}

// Half a pair (a paste cut at the text box's limit, or a lone surrogate typed in) is left out at
// OK as the preview says, instead of the write refusing every time; the row spelled before, two
// long, is one long now, its second slot cleared.
TEST_F(WordsInProgram, HalfASurrogatePairIsLeftOutAndTheWriteGoesThrough) {
    postCommand(program.window, IDM_WORDS);
    HWND words = findWords();
    ASSERT_TRUE(words);
    std::wstring pasted(39, L' ');
    for (int i = 0; i < 13; ++i) {
        pasted += L"\xD867\xDE3D"; // 𩸽: the last pair is cut by the 64-unit limit
    }
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (pasted.size() + 1) * sizeof(wchar_t));
    std::memcpy(GlobalLock(memory), pasted.c_str(), (pasted.size() + 1) * sizeof(wchar_t));
    GlobalUnlock(memory);
    SetClipboardData(CF_UNICODETEXT, memory);
    CloseClipboard();
    SendDlgItemMessageW(words, IDC_WORDS_TEXT, WM_PASTE, 0, 0);
    const std::wstring kept = controlText(words, IDC_WORDS_TEXT);
    EXPECT_EQ(kept.size(), 63u);
    EXPECT_TRUE(IS_LOW_SURROGATE(kept.back()));
    // And one typed alone among the characters.
    SendDlgItemMessageW(words, IDC_WORDS_TEXT, WM_SETTEXT, 0,
                        reinterpret_cast<LPARAM>(L"\xD867\xDE3D\xD800"));
    EXPECT_TRUE(waitFor(
        [&] { return controlText(words, IDC_WORDS_NOTE).find(L"U+D800") != std::wstring::npos; }));
    PostMessageW(GetDlgItem(words, IDOK), BM_CLICK, 0, 0);
    EXPECT_TRUE(waitFor([&] { return !IsWindow(words); }, 30000))
        << narrow(controlText(words, IDC_WORDS_NOTE));
    EXPECT_FALSE(figureValue("ZAHYO3").empty());
    EXPECT_EQ(iniValue("OPTIONN"), "1");
    EXPECT_EQ(iniValue("OPTIONA1"), "3");
    EXPECT_EQ(iniValue("OPTIONA2"), "0");
}

// A dozen different words of 26 kanji typed into one dialog, each fitted before the next: more
// characters than the worker keeps figures for. The last word's figures are still its own, and
// OK writes them.
TEST_F(WordsInProgram, ADozenLongWordsInOneDialogStillWriteTheLast) {
    postCommand(program.window, IDM_WORDS);
    HWND words = findWords();
    ASSERT_TRUE(words);
    std::wstring typed;
    for (int word = 0; word < 12; ++word) {
        typed.clear();
        for (int k = 0; k < 26; ++k) {
            typed += static_cast<wchar_t>(0x4E00 + 7 * (word * 26 + k));
        }
        SendDlgItemMessageW(words, IDC_WORDS_TEXT, WM_SETTEXT, 0,
                            reinterpret_cast<LPARAM>(typed.c_str()));
        Sleep(6000);
    }
    PostMessageW(GetDlgItem(words, IDOK), BM_CLICK, 0, 0);
    ASSERT_TRUE(waitFor([&] { return !IsWindow(words); }, 60000))
        << narrow(controlText(words, IDC_WORDS_NOTE));
    EXPECT_EQ(iniValue("OPTIONN"), "26");
    EXPECT_FALSE(figureValue("ZAHYO28").empty());
}

// Even-odd area of a stored figure, sampled on the outline-unit grid.
int figureArea(const char (&value)[figures::figureValueSize]) {
    static figures::FigureRecord record;
    figures::readFigureValue(value, record);
    int area = 0;
    for (int y = -60; y < 60; ++y) {
        for (int x = -60; x < 60; ++x) {
            bool inside = false;
            for (int c = 1; c <= record.header[figures::contourCountField]; ++c) {
                for (int p = record.start[c], q = record.end[c]; p <= record.end[c]; q = p++) {
                    const double px = x + 0.5, py = y + 0.5;
                    if ((record.y[p] > py) != (record.y[q] > py) &&
                        px < record.x[p] + (py - record.y[p]) * (record.x[q] - record.x[p]) /
                                               static_cast<double>(record.y[q] - record.y[p])) {
                        inside = !inside;
                    }
                }
            }
            area += inside ? 1 : 0;
        }
    }
    return area;
}

// The fitting stages' default face, and the figure name their tests fit under.
void openDefaultFace(bool bold, fitter::FontFrame& frame) {
    wchar_t opened[32];
    EXPECT_EQ(figurefile::openFaceOrDefault(L"", bold, false, frame, opened),
              glyphs::FontFault::none);
}
constexpr char testName[figurefile::maxNameBytes + 1] = "X";

// The area of the default face's 口 as the fitting stages make it.
int fittedArea(bool bold) {
    fitter::FontFrame frame;
    openDefaultFace(bold, frame);
    char value[figures::figureValueSize];
    EXPECT_EQ(figurefile::fitCharacter(U'\u53e3', frame, testName, value).outcome,
              figurefile::FitOutcome::fitted);
    glyphs::closeFont();
    return figureArea(value);
}

TEST(WordStages, ABoldFaceGivesFiguresOfMoreArea) {
    EXPECT_GT(fittedArea(true), fittedArea(false) * 11 / 10);
}

// The font dialog the words dialog opens: its style set to bold, and closed with OK.
void chooseBoldStyle(HWND words) {
    HWND fontDialog = nullptr;
    waitFor([&] {
        fontDialog = FindWindowW(L"#32770", nullptr);
        while (fontDialog && GetWindow(fontDialog, GW_OWNER) != words) {
            fontDialog = FindWindowExW(nullptr, fontDialog, L"#32770", nullptr);
        }
        return fontDialog != nullptr;
    });
    ASSERT_TRUE(fontDialog);
    constexpr int styleList = 0x471; // the common font dialog's style combo box
    HWND styles = GetDlgItem(fontDialog, styleList);
    const int count = static_cast<int>(SendMessageW(styles, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        wchar_t text[64] = L"";
        SendMessageW(styles, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
        const std::wstring style = text;
        if ((style.find(L"Bold") != std::wstring::npos ||
             style.find(L"太字") != std::wstring::npos) &&
            style.find(L"Italic") == std::wstring::npos &&
            style.find(L"斜体") == std::wstring::npos) {
            SendMessageW(styles, CB_SETCURSEL, i, 0);
            SendMessageW(fontDialog, WM_COMMAND, MAKEWPARAM(styleList, CBN_SELCHANGE),
                         reinterpret_cast<LPARAM>(styles));
        }
    }
    PostMessageW(GetDlgItem(fontDialog, IDOK), BM_CLICK, 0, 0);
}

// A style chosen after the preview made a figure: OK writes the new style's figure, not the one
// kept from the old.
TEST_F(WordsInProgram, AFigureMadeBeforeTheStyleChangedIsMadeAgain) {
    postCommand(program.window, IDM_WORDS);
    HWND words = findWords();
    ASSERT_TRUE(words);
    SendDlgItemMessageW(words, IDC_WORDS_TEXT, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"\u53e3"));
    Sleep(2000); // the preview's figure made with the regular style
    PostMessageW(GetDlgItem(words, IDC_WORDS_FONT), BM_CLICK, 0, 0);
    chooseBoldStyle(words);
    ASSERT_TRUE(waitFor([&] { return controlText(words, IDC_WORDS_STYLE) == L"太字"; }));
    PostMessageW(GetDlgItem(words, IDOK), BM_CLICK, 0, 0);
    ASSERT_TRUE(waitFor([&] { return !IsWindow(words); }, 30000));
    char value[figures::figureValueSize];
    lstrcpynA(value, figureValue("ZAHYO3").c_str(), sizeof value);
    EXPECT_GT(figureArea(value), fittedArea(false) * 11 / 10);
}

} // namespace

namespace {

int stopAsked;
bool stopAtSecondAsk() {
    return ++stopAsked >= 2;
}

// Abandoned work stops between the reading and the fit, not after the whole fit.
TEST(WordStages, AStopTestEndsTheFitBetweenItsStages) {
    fitter::FontFrame frame;
    openDefaultFace(false, frame);
    char value[figures::figureValueSize];
    stopAsked = 0;
    EXPECT_EQ(figurefile::fitCharacter(U'\u9b31', frame, testName, value, stopAtSecondAsk).outcome,
              figurefile::FitOutcome::stopped);
    EXPECT_EQ(stopAsked, 2) << "once before reading, once after";
    EXPECT_EQ(
        figurefile::fitCharacter(U'\u9b31', frame, testName, value, [] { return false; }).outcome,
        figurefile::FitOutcome::fitted);
    glyphs::closeFont();
}

} // namespace
