// Test support for driving the real program under Wine: the settings file in the Windows
// directory, starting kesta.exe, finding its windows, sending it commands and closing it.
#pragma once

#include "glyphs/pixel_bitmap_win32.h"

#include <windows.h>

#include <atomic>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace kestatest {

inline std::wstring windowsDirectory() {
    wchar_t dir[MAX_PATH];
    GetWindowsDirectoryW(dir, MAX_PATH);
    return dir;
}

inline std::wstring iniPath() {
    return windowsDirectory() + L"\\kestasv.ini";
}

inline std::string narrow(const std::wstring& text) {
    char buffer[1024];
    int n =
        WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, buffer, sizeof buffer, nullptr, nullptr);
    return n > 0 ? std::string(buffer, n - 1) : std::string();
}

inline void writeIni(const std::string& bytes) {
    std::ofstream out(narrow(iniPath()), std::ios::binary | std::ios::trunc);
    out << bytes;
}

inline std::string readIni() {
    std::ifstream in(narrow(iniPath()), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

inline bool iniExists() {
    return GetFileAttributesW(iniPath().c_str()) != INVALID_FILE_ATTRIBUTES;
}

inline void removeIni() {
    DeleteFileW(iniPath().c_str());
}

// A file of the source tree, as bytes (KESTA_SOURCE is the Unix path of the source directory;
// Wine maps the Unix root to drive Z:).
inline std::string readSourceFile(const char* relative) {
    const char* root = std::getenv("KESTA_SOURCE");
    std::string path = std::string("Z:") + (root ? root : "") + "/" + relative;
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// The value of one key of the file's main section, or "" when the key is missing.
inline std::string iniValue(const std::string& key) {
    char value[256];
    GetPrivateProfileStringA("KESTA", key.c_str(), "", value, sizeof value,
                             narrow(iniPath()).c_str());
    return value;
}

template <typename Predicate> bool waitFor(Predicate done, int milliseconds = 10000) {
    auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
    while (std::chrono::steady_clock::now() < until) {
        if (done()) {
            return true;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return done();
}

struct Program {
    PROCESS_INFORMATION process;
    HWND window;
};

inline std::wstring programPath() {
    const char* exe = std::getenv("KESTA_EXE");
    std::string path = std::string("Z:") + (exe ? exe : "");
    for (char& c : path) {
        if (c == '/') {
            c = '\\';
        }
    }
    return std::wstring(path.begin(), path.end());
}

// Starts the program at a Windows path and waits for its main window ("KESTA" class). window
// is null on failure.
inline Program startProgramFrom(const std::wstring& path) {
    Program program{};
    std::wstring command = L"\"" + path + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &program.process)) {
        return program;
    }
    WaitForInputIdle(program.process.hProcess, 10000);
    // Only a window of this process: a program of an earlier test may still be on its way out.
    waitFor([&] {
        for (HWND found = FindWindowExW(nullptr, nullptr, L"KESTA", nullptr); found;
             found = FindWindowExW(nullptr, found, L"KESTA", nullptr)) {
            DWORD owner = 0;
            GetWindowThreadProcessId(found, &owner);
            if (owner == program.process.dwProcessId && IsWindowVisible(found)) {
                program.window = found;
            }
        }
        return program.window != nullptr;
    });
    return program;
}

// Starts kesta.exe and waits for its main window ("KESTA" class). window is null on failure.
inline Program startProgram() {
    return startProgramFrom(programPath());
}

// Sends a command and waits until the program has handled it. Use postCommand for commands that
// open a modal window.
inline LRESULT sendCommand(HWND window, WORD id) {
    DWORD_PTR result = 0;
    SendMessageTimeoutW(window, WM_COMMAND, id, 0, SMTO_NORMAL, 10000, &result);
    return static_cast<LRESULT>(result);
}

inline void postCommand(HWND window, WORD id) {
    PostMessageW(window, WM_COMMAND, id, 0);
}

inline LRESULT sendSysCommand(HWND window, WPARAM code) {
    DWORD_PTR result = 0;
    SendMessageTimeoutW(window, WM_SYSCOMMAND, code, 0, SMTO_NORMAL, 10000, &result);
    return static_cast<LRESULT>(result);
}

// Lets the program work through everything posted to it so far.
inline void settle(HWND window) {
    DWORD_PTR ignored;
    for (int i = 0; i < 3; ++i) {
        SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &ignored);
        Sleep(30);
    }
}

// A top-level dialog (class #32770) of the given title belonging to the program.
inline HWND findDialog(const wchar_t* title, int milliseconds = 10000) {
    HWND found = nullptr;
    waitFor([&] { return (found = FindWindowW(L"#32770", title)) != nullptr; }, milliseconds);
    return found;
}

// Closes the program the way "終了(&E)" does and waits for it to end. Returns its exit code, or
// -1 when it had to be terminated.
inline int closeProgram(Program& program, WORD exitCommand = 40004) {
    if (!program.process.hProcess) {
        return -1;
    }
    if (program.window && IsWindow(program.window)) {
        PostMessageW(program.window, WM_COMMAND, exitCommand, 0);
    }
    DWORD code = static_cast<DWORD>(-1);
    if (WaitForSingleObject(program.process.hProcess, 15000) == WAIT_OBJECT_0) {
        GetExitCodeProcess(program.process.hProcess, &code);
    } else {
        TerminateProcess(program.process.hProcess, 1);
        WaitForSingleObject(program.process.hProcess, 5000);
        code = static_cast<DWORD>(-1);
    }
    CloseHandle(program.process.hThread);
    CloseHandle(program.process.hProcess);
    program = Program{};
    return static_cast<int>(code);
}

// The colour of one client-area pixel of a window, as RGB bytes 0xRRGGBB.
inline unsigned clientPixel(HWND window, int x, int y) {
    HDC dc = GetDC(window);
    COLORREF c = GetPixel(dc, x, y);
    ReleaseDC(window, dc);
    return (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
}

// A figure section in which figures 5 and 22 (the two default slots) are squares 80 units wide.
// A figure value: a square of side 80 named name.
inline std::string squareValue(const char* name) {
    std::string value = std::string(name) + ",4,0,1,0,0,0,1,1,4";
    for (int i = 0; i < 12; ++i) {
        value += ",0,0";
    }
    return value + ",-40,-40,40,-40,40,40,-40,40";
}

inline std::string squareFigures() {
    const std::string square = squareValue("SQUARE");
    return "[MOJI ZAHYO]\r\nZAHYO5=" + square + "\r\nZAHYO22=" + square + "\r\n";
}

// The words dialog's title, 文字から図形を作る.
inline const wchar_t* const wordsDialogTitle =
    L"\u6587\u5b57\u304b\u3089\u56f3\u5f62\u3092\u4f5c\u308b";

// The build folder of kesta.exe (Windows path, no trailing separator).
inline std::wstring buildDirectory() {
    std::wstring path = programPath();
    return path.substr(0, path.find_last_of(L'\\'));
}

inline RECT windowRect(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    return r;
}

// The colour of one screen pixel (the virtual desktop), as RGB bytes 0xRRGGBB.
inline unsigned screenPixel(int x, int y) {
    HDC dc = GetDC(nullptr);
    COLORREF c = GetPixel(dc, x, y);
    ReleaseDC(nullptr, dc);
    return (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
}

// Screen pixels of a rectangle, as 0xRRGGBB, row by row.
inline std::vector<std::uint32_t> captureScreen(const RECT& area) {
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    void* bits = nullptr;
    HBITMAP bitmap = glyphs::createPixelBitmap(screen, width, height, bits);
    HGDIOBJ previous = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, area.left, area.top, SRCCOPY);
    GdiFlush();
    const auto* pixels = static_cast<const std::uint32_t*>(bits);
    std::vector<std::uint32_t> shot(pixels, pixels + std::size_t(width) * height);
    for (std::uint32_t& p : shot) {
        p &= 0xFFFFFF;
    }
    SelectObject(memory, previous);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return shot;
}

// How many sampled pixels of the middle half of a window's client area are not black (every
// 4th column, every 8th row): whether figures are drawn there.
inline int litClientPixels(HWND window) {
    RECT client;
    GetClientRect(window, &client);
    int lit = 0;
    for (int x = 0; x < client.right; x += 4) {
        for (int y = client.bottom / 4; y < client.bottom * 3 / 4; y += 8) {
            lit += clientPixel(window, x, y) != 0 ? 1 : 0;
        }
    }
    return lit;
}

// The keys of the settings file's main section, in file order.
inline std::vector<std::string> iniKeys() {
    std::vector<std::string> keys;
    std::istringstream lines(readIni());
    std::string line;
    bool inMain = false;
    while (std::getline(lines, line)) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (!line.empty() && line.front() == '[') {
            inMain = line == "[KESTA]";
        } else if (inMain && line.find('=') != std::string::npos) {
            keys.push_back(line.substr(0, line.find('=')));
        }
    }
    return keys;
}

// The probe: a message hook (programs/kesta_probe.dll) placed in the program's thread, which
// reports the menus as that thread sees them and counts its timer messages.
struct MenuItem {
    std::string menu; // "menu" (the menu bar) or "system"
    int depth;        // 0 for the bar or the system menu itself, 1 inside a popup
    bool separator;
    unsigned id;
    bool checked;
    std::string text; // UTF-8
};

struct ProbeReport {
    std::vector<MenuItem> items;
    long ticks100 = -1;
    long ticksOther = -1;
};

inline HHOOK installProbe(const Program& program) {
    HMODULE probe = LoadLibraryW((buildDirectory() + L"\\programs\\kesta_probe.dll").c_str());
    auto hook =
        reinterpret_cast<HOOKPROC>(reinterpret_cast<void*>(GetProcAddress(probe, "probeHook")));
    if (!hook) {
        return nullptr;
    }
    DWORD thread = GetWindowThreadProcessId(program.window, nullptr);
    return SetWindowsHookExW(WH_GETMESSAGE, hook, probe, thread);
}

inline ProbeReport probe(const Program& program) {
    std::wstring path = windowsDirectory() + L"\\kesta_probe.txt";
    DeleteFileW(path.c_str());
    PostMessageW(program.window, RegisterWindowMessageW(L"KestaProbe"), 0, 0);
    ProbeReport report;
    // As long as a loaded machine may keep the program's thread from the hook's message.
    if (!waitFor([&] { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; },
                 20000)) {
        return report;
    }
    std::ifstream in(narrow(path), std::ios::binary);
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        std::string head;
        fields >> head;
        if (head == "ticks") {
            fields >> report.ticks100 >> report.ticksOther;
            continue;
        }
        MenuItem item{head, 0, false, 0, false, ""};
        std::string kind;
        int checked = 0;
        fields >> item.depth >> kind >> item.id >> checked;
        item.separator = kind == "separator";
        item.checked = checked != 0;
        std::getline(fields, item.text);
        if (!item.text.empty() && item.text.front() == ' ') {
            item.text.erase(0, 1);
        }
        report.items.push_back(item);
    }
    return report;
}

// The identifiers of the checked items of one menu ("menu" or "system").
inline std::vector<unsigned> checkedItems(const ProbeReport& report, const std::string& menu) {
    std::vector<unsigned> ids;
    for (const MenuItem& item : report.items) {
        if (item.menu == menu && item.checked) {
            ids.push_back(item.id);
        }
    }
    return ids;
}

// Dialog controls, driven the way a user's actions reach the dialog procedure. Actions that may
// raise a warning block until it is dismissed; send them through answerWarnings.

inline std::wstring controlText(HWND dialog, int id) {
    wchar_t text[256] = L"";
    GetDlgItemTextW(dialog, id, text, 256);
    return text;
}

inline int listSelection(HWND dialog, int id) {
    return static_cast<int>(SendDlgItemMessageW(dialog, id, CB_GETCURSEL, 0, 0));
}

inline int listCount(HWND dialog, int id) {
    return static_cast<int>(SendDlgItemMessageW(dialog, id, CB_GETCOUNT, 0, 0));
}

inline std::wstring listItem(HWND dialog, int id, int index) {
    wchar_t text[256] = L"";
    if (SendDlgItemMessageW(dialog, id, CB_GETLBTEXTLEN, index, 0) < 256) {
        SendDlgItemMessageW(dialog, id, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text));
    }
    return text;
}

// A list notification as the list itself sends it (selection change, drop-down, focus).
inline void notifyList(HWND dialog, int id, WORD code) {
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, code),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

// A user's choice in a drop-down list: the selection moves, then the list reports it.
inline void chooseListItem(HWND dialog, int id, int index) {
    SendDlgItemMessageW(dialog, id, CB_SETCURSEL, index, 0);
    notifyList(dialog, id, CBN_SELCHANGE);
}

// A click on an enabled button; a disabled one cannot be clicked (false).
inline bool clickButton(HWND dialog, int id) {
    if (!IsWindowEnabled(GetDlgItem(dialog, id))) {
        return false;
    }
    SendDlgItemMessageW(dialog, id, BM_CLICK, 0, 0);
    return true;
}

inline bool isChecked(HWND dialog, int id) {
    return IsDlgButtonChecked(dialog, id) == BST_CHECKED;
}

inline bool isEnabled(HWND dialog, int id) {
    return IsWindowEnabled(GetDlgItem(dialog, id)) != FALSE;
}

// A scroll request of a horizontal bar control (SB_LINELEFT, SB_PAGERIGHT, SB_THUMBTRACK, ...).
inline void scrollBar(HWND dialog, int barId, int request, int position = 0) {
    SendMessageW(dialog, WM_HSCROLL, MAKEWPARAM(request, position),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, barId)));
}

inline int thumbPosition(HWND dialog, int barId) {
    return GetScrollPos(GetDlgItem(dialog, barId), SB_CTL);
}

// A warning box: a dialog captioned "KESTA" (the main window is no dialog).
inline HWND findWarning() {
    return FindWindowW(L"#32770", L"KESTA");
}

// The message text of a message box.
inline std::wstring warningText(HWND box) {
    return controlText(box, 0xFFFF);
}

// Runs one action that may raise warnings: the action runs on a helper thread while this thread
// reads each warning, lets `whileUp` act on it, and dismisses it with its OK button. Returns
// the warnings' texts in order of appearance.
template <typename Action, typename WhileUp>
std::vector<std::wstring> answerWarnings(Action action, WhileUp whileUp) {
    std::vector<std::wstring> texts;
    std::atomic<bool> done{false};
    std::thread actor([&] {
        action();
        done = true;
    });
    while (!done) {
        HWND box = findWarning();
        if (box && IsWindowVisible(box)) {
            texts.push_back(warningText(box));
            whileUp(box);
            PostMessageW(box, WM_COMMAND, IDOK, 0);
            waitFor([&] { return !IsWindow(box); }, 5000);
        }
        Sleep(10);
    }
    actor.join();
    return texts;
}

template <typename Action> std::vector<std::wstring> answerWarnings(Action action) {
    return answerWarnings(action, [](HWND) {});
}

} // namespace kestatest
