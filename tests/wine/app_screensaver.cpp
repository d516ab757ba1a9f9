// KESTA as a screensaver, started as kesta.scr with the arguments Windows passes: the full-screen
// run over the virtual screen, the preview inside a window of this test, the settings dialog, and
// the refusal of arguments it cannot take.
#include "tests/wine/support/kesta_program.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

using namespace kestatest;

namespace {

constexpr unsigned desktop = 0x336699; // the test prefix's desktop colour 51 102 153
constexpr unsigned marker = 0xFF0000;

std::wstring screensaverPath() {
    std::wstring path = programPath();
    return path.substr(0, path.size() - 4) + L".scr";
}

// Waits while this thread's own windows keep answering: the screensaver's windows send to them
// (a dialog disables its owner, activation passes from them).
template <typename Predicate> bool pumpUntil(Predicate done, int milliseconds = 10000) {
    return waitFor(
        [&] {
            MSG message;
            while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
                TranslateMessage(&message);
                DispatchMessageW(&message);
            }
            return done();
        },
        milliseconds);
}

void pumpFor(int milliseconds) {
    pumpUntil([] { return false; }, milliseconds);
}

struct SaverRun {
    PROCESS_INFORMATION process{};

    bool start(const std::wstring& arguments) {
        std::wstring command = L"\"" + screensaverPath() + L"\"" + arguments;
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        return CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                              &startup, &process) != FALSE;
    }

    bool running() const {
        return process.hProcess && WaitForSingleObject(process.hProcess, 0) == WAIT_TIMEOUT;
    }

    // The exit code, or -1 when the process had to be ended.
    int finish(int milliseconds = 10000) {
        if (!process.hProcess) {
            return -1;
        }
        DWORD code = static_cast<DWORD>(-1);
        if (pumpUntil([&] { return !running(); }, milliseconds)) {
            GetExitCodeProcess(process.hProcess, &code);
        } else {
            TerminateProcess(process.hProcess, 1);
            WaitForSingleObject(process.hProcess, 5000);
            code = static_cast<DWORD>(-1);
        }
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
        process = {};
        return static_cast<int>(code);
    }

    ~SaverRun() { finish(1000); }
};

// The top-level window of a class belonging to the run.
HWND topWindowOf(const SaverRun& run, const wchar_t* className) {
    struct Search {
        DWORD process;
        const wchar_t* className;
        HWND found;
    } search{run.process.dwProcessId, className, nullptr};
    EnumWindows(
        [](HWND window, LPARAM data) -> BOOL {
            auto* s = reinterpret_cast<Search*>(data);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            wchar_t name[64] = L"";
            GetClassNameW(window, name, 64);
            if (owner == s->process && lstrcmpW(name, s->className) == 0) {
                s->found = window;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND waitForTopWindow(const SaverRun& run, const wchar_t* className) {
    HWND found = nullptr;
    pumpUntil([&] {
        found = topWindowOf(run, className);
        return found && IsWindowVisible(found);
    });
    return found;
}

// A plain window of this test in one colour, for the screensaver to sit over or inside.
HWND makeWindow(int x, int y, int width, int height, COLORREF colour) {
    static const ATOM registered = [] {
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = DefWindowProcW;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = L"KestaTestWindow";
        return RegisterClassW(&windowClass);
    }();
    (void)registered;
    HWND window =
        CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, L"KestaTestWindow", L"", WS_POPUP, x,
                        y, width, height, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    SetClassLongPtrW(window, GCLP_HBRBACKGROUND,
                     reinterpret_cast<LONG_PTR>(CreateSolidBrush(colour)));
    ShowWindow(window, SW_SHOWNOACTIVATE);
    UpdateWindow(window);
    pumpFor(200);
    return window;
}

std::string withFigures(const std::string& lines) {
    return "[KESTA]\r\n" + lines + squareFigures();
}

std::wstring decimal(HWND window) {
    return std::to_wstring(reinterpret_cast<std::uintptr_t>(window));
}

class Screensaver : public ::testing::Test {
  protected:
    void TearDown() override {
        run.finish(2000);
        for (HWND window : windows) {
            DestroyWindow(window);
        }
        removeIni();
    }
    HWND own(HWND window) {
        windows.push_back(window);
        return window;
    }
    SaverRun run;
    std::vector<HWND> windows;
};

} // namespace

TEST_F(Screensaver, FullScreenCoversTheVirtualScreenDrawsOverTheDesktopAndEndsOnAKey) {
    writeIni(withFigures("BKMODE=0\r\nZANZOU=0\r\nTIMER=20\r\nSTEPRAG=13\r\n"));
    const std::string before = readIni();
    // Something of the desktop's own that the copy behind the figures must show in its place.
    own(makeWindow(100, 100, 80, 60, RGB(255, 0, 0)));
    ASSERT_EQ(screenPixel(140, 130), marker);

    ASSERT_TRUE(run.start(L" /s"));
    HWND window = waitForTopWindow(run, L"KESTA");
    ASSERT_TRUE(window);
    RECT r = windowRect(window);
    EXPECT_EQ(r.left, GetSystemMetrics(SM_XVIRTUALSCREEN));
    EXPECT_EQ(r.top, GetSystemMetrics(SM_YVIRTUALSCREEN));
    EXPECT_EQ(r.right - r.left, GetSystemMetrics(SM_CXVIRTUALSCREEN));
    EXPECT_EQ(r.bottom - r.top, GetSystemMetrics(SM_CYVIRTUALSCREEN));
    EXPECT_EQ(r.right - r.left, 1024);
    EXPECT_EQ(r.bottom - r.top, 768);
    const LONG style = GetWindowLongW(window, GWL_STYLE);
    EXPECT_TRUE(style & WS_POPUP);
    EXPECT_FALSE(style & (WS_CAPTION | WS_THICKFRAME | WS_SYSMENU));
    EXPECT_TRUE(GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_FALSE(GetMenu(window));

    // Drawing runs from the start: the middle changes from one picture to the next.
    const RECT middle{412, 334, 612, 434};
    pumpFor(300);
    std::vector<std::uint32_t> first = captureScreen(middle);
    pumpFor(300);
    EXPECT_NE(first, captureScreen(middle)) << "the figures move";
    // The desktop copy lies exactly under the window: the marker and the desktop stay in place.
    EXPECT_EQ(screenPixel(101, 101), marker);
    EXPECT_EQ(screenPixel(178, 158), marker);
    EXPECT_EQ(screenPixel(99, 99), desktop);
    EXPECT_EQ(screenPixel(181, 161), desktop);
    EXPECT_EQ(screenPixel(1022, 766), desktop);
    EXPECT_TRUE(run.running());

    SetForegroundWindow(window);
    INPUT key[2]{};
    key[0].type = key[1].type = INPUT_KEYBOARD;
    key[0].ki.wVk = key[1].ki.wVk = VK_SHIFT;
    key[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, key, sizeof(INPUT));
    if (!pumpUntil([&] { return !run.running(); }, 3000)) {
        // Keys reach the window only with the focus; a key message is what it would get.
        PostMessageW(window, WM_KEYDOWN, VK_SHIFT, 0);
    }
    EXPECT_EQ(run.finish(), 0);
    EXPECT_EQ(readIni(), before) << "the settings file is left as it was";
}

TEST_F(Screensaver, FullScreenStaysForSmallMouseMovesAndEndsOnALargerOne) {
    writeIni(withFigures("BKMODE=1\r\nTIMER=20\r\n"));
    const std::string before = readIni();
    SetCursorPos(500, 400);
    ASSERT_TRUE(run.start(L" -S"));
    HWND window = waitForTopWindow(run, L"KESTA");
    ASSERT_TRUE(window);
    pumpFor(300);

    // The system's first move report, then jitter of a few pixels.
    for (POINT p : {POINT{500, 400}, POINT{502, 401}, POINT{498, 397}, POINT{501, 403}}) {
        SetCursorPos(p.x, p.y);
        pumpFor(150);
    }
    EXPECT_TRUE(run.running()) << "small moves keep it running";

    SetCursorPos(560, 440);
    if (!pumpUntil([&] { return !run.running(); }, 3000)) {
        SetCursorPos(600, 480);
    }
    EXPECT_EQ(run.finish(), 0);
    EXPECT_EQ(readIni(), before);
}

TEST_F(Screensaver, PreviewFillsTheParentDrawsAtOnceAndEndsWithTheParent) {
    // Large figures that would never fit the preview unscaled.
    writeIni(withFigures("BKMODE=1\r\nZANZOU=0\r\nTIMER=20\r\nSIZE=40\r\nSIZEY=40\r\n"
                         "STEPRAG=11\r\nOPTIONP=1\r\n"));
    const std::string before = readIni();
    HWND parent = own(makeWindow(600, 80, 152, 112, RGB(0, 0, 255)));

    ASSERT_TRUE(run.start(L" /p " + decimal(parent)));
    HWND preview = nullptr;
    ASSERT_TRUE(pumpUntil([&] {
        preview = FindWindowExW(parent, nullptr, L"KESTA", nullptr);
        return preview && IsWindowVisible(preview);
    }));
    const LONG style = GetWindowLongW(preview, GWL_STYLE);
    EXPECT_TRUE(style & WS_CHILD);
    EXPECT_FALSE(style & (WS_CAPTION | WS_THICKFRAME));
    RECT inParent{};
    GetClientRect(parent, &inParent);
    RECT r = windowRect(preview);
    EXPECT_EQ(r.left, 600);
    EXPECT_EQ(r.top, 80);
    EXPECT_EQ(r.right - r.left, inParent.right);
    EXPECT_EQ(r.bottom - r.top, inParent.bottom);

    // Frames run at once. (Under Wine the drawing of a child window whose parent belongs to
    // another process never reaches the screen, so the frames are counted inside the program;
    // the drawing itself is seen in app_preview_drawing, the fit in the native tests.)
    Program inside{run.process, preview};
    HHOOK hook = installProbe(inside);
    ASSERT_TRUE(hook);
    pumpFor(300);
    const long firstTicks = probe(inside).ticks100;
    pumpFor(300);
    const long laterTicks = probe(inside).ticks100;
    UnhookWindowsHookEx(hook);
    EXPECT_GT(firstTicks, 0);
    EXPECT_GT(laterTicks, firstTicks) << "the preview keeps drawing";

    DestroyWindow(parent);
    windows.clear();
    EXPECT_EQ(run.finish(), 0) << "the preview ends with its parent";
    EXPECT_EQ(readIni(), before);
}

TEST_F(Screensaver, SettingsOpenTheDialogOwnedByTheGivenWindowAndOkWrites) {
    writeIni(withFigures("TIMER=40\r\n"));
    const std::string before = readIni();
    const wchar_t* title = L"KESTA_x64_設定";

    // No arguments under the screensaver name, and /c: the dialog alone; "OK" writes.
    for (const wchar_t* arguments : {L"", L" /c"}) {
        removeIni();
        writeIni(before);
        ASSERT_TRUE(run.start(arguments));
        HWND dialog = waitForTopWindow(run, L"#32770");
        ASSERT_TRUE(dialog);
        wchar_t text[64] = L"";
        GetWindowTextW(dialog, text, 64);
        EXPECT_STREQ(text, title);
        EXPECT_FALSE(topWindowOf(run, L"KESTA")) << "no main window";
        PostMessageW(dialog, WM_COMMAND, IDOK, 0);
        EXPECT_EQ(run.finish(), 0);
        EXPECT_EQ(iniValue("TIMER"), "40");
        EXPECT_EQ(iniValue("OPTIONA1"), "22") << "the dialog's settings are written";
    }

    // /c:<window>: owned by that window; "CANCEL" writes nothing.
    removeIni();
    writeIni(before);
    HWND owner = own(makeWindow(50, 50, 200, 100, RGB(0, 128, 0)));
    ASSERT_TRUE(run.start(L" /C:" + decimal(owner)));
    HWND dialog = waitForTopWindow(run, L"#32770");
    ASSERT_TRUE(dialog);
    EXPECT_EQ(GetWindow(dialog, GW_OWNER), owner);
    PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    EXPECT_EQ(run.finish(), 0);
    EXPECT_EQ(readIni(), before);
}

TEST_F(Screensaver, ArgumentsItCannotTakeGiveAMessageAndAFailureExitWithNoWindow) {
    writeIni(withFigures(""));
    const std::string before = readIni();
    struct Case {
        const wchar_t* arguments;
        const wchar_t* named; // the message names what it refuses
    };
    HWND gone = makeWindow(0, 0, 10, 10, RGB(0, 0, 0));
    const std::wstring goneHandle = decimal(gone);
    DestroyWindow(gone);
    const std::wstring notAWindow = L" /p " + goneHandle;
    const Case cases[] = {
        {L" /x", L"/x"},      {L" /p", L"/p"},  {L" /p 12ab", L"12ab"},
        {L" /s now", L"now"}, {L" /c:-", L"-"}, {notAWindow.c_str(), goneHandle.c_str()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(narrow(c.arguments));
        ASSERT_TRUE(run.start(c.arguments));
        HWND box = waitForTopWindow(run, L"#32770");
        ASSERT_TRUE(box);
        std::wstring text = warningText(box);
        EXPECT_NE(text.find(c.named), std::wstring::npos) << narrow(text);
        EXPECT_NE(text.find(L"/s"), std::wstring::npos) << "the message shows the usage";
        EXPECT_FALSE(topWindowOf(run, L"KESTA"));
        PostMessageW(box, WM_COMMAND, IDOK, 0);
        EXPECT_EQ(run.finish(), 1);
    }
    EXPECT_EQ(readIni(), before);
}
