// The entry procedure: the window class, the main window, the system-menu commands and the
// message loop.
#include "app/app.h"
#include "resources/resource.h"
#include "settings/settings_place.h"

namespace app {

void registerMainClass() {
    WNDCLASSW windowClass{};
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = mainWindowProc;
    windowClass.hInstance = programInstance;
    windowClass.hIcon = LoadIconW(programInstance, MAKEINTRESOURCEW(IDI_KESTA));
    windowClass.hCursor = LoadCursorW(programInstance, MAKEINTRESOURCEW(IDC_KESTA_ANIMATED));
    if (!windowClass.hCursor) {
        windowClass.hCursor = LoadCursorW(programInstance, MAKEINTRESOURCEW(IDC_KESTA));
    }
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    // The screensaver's windows have no menu.
    windowClass.lpszMenuName = saver::mode == saver::Mode::program ? menuName : nullptr;
    windowClass.lpszClassName = className;
    RegisterClassW(&windowClass);
}

void appendSystemMenuItems(HWND window) {
    checkMenu = GetSystemMenu(window, FALSE);
    AppendMenuW(checkMenu, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(checkMenu, MF_STRING, IDS_SYS_SHOWMENU, L"メニューの表示(&D)");
    AppendMenuW(checkMenu, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(checkMenu, MF_STRING, IDS_SYS_START, L"描画開始(&I)");
    AppendMenuW(checkMenu, MF_STRING, IDS_SYS_STOP, L"描画停止(&T)");
    AppendMenuW(checkMenu, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(checkMenu, MF_STRING, IDS_SYS_SETTINGS, L"設定(&S)");
}

int messageLoop() {
    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}

namespace {

int runMainWindow(HINSTANCE previousInstance, int showState) {
    if (!previousInstance) {
        registerMainClass();
    }
    // The creation message runs the whole start-up before this returns.
    HWND window = CreateWindowExW(0, className, windowTitle, WS_OVERLAPPEDWINDOW, 0, 0, 640, 480,
                                  nullptr, nullptr, programInstance, nullptr);
    // No quit message could ever come without a window.
    if (!window) {
        return 1;
    }
    startCtl3d();
    appendSystemMenuItems(window);
    ShowWindow(window, showState);
    UpdateWindow(window);

    int exitCode = messageLoop();
    stopCtl3d();
    return exitCode;
}

} // namespace

// Every way in, the program's own and the screensaver's, passes through here first.
int runProgram(HINSTANCE instance, HINSTANCE previousInstance, PCWSTR arguments, int showState) {
    // Libraries loaded by name come from the system directory only, never from the program's
    // folder (a download folder may hold anything).
    SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
    programInstance = instance;
    const saver::StartRequest request = readStartRequest(arguments);
    saver::mode = request.mode;
    settings::setStorageReporter(tellStorageReport);
    // Every read and write of the run goes to the place decided here.
    settings::chooseSettingsFile();
    if (request.mode == saver::Mode::program) {
        return runMainWindow(previousInstance, showState);
    }
    return runScreensaver(request);
}

} // namespace app
