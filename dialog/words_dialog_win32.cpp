// The words dialog: typed text becomes figures of an installed font, previewed as they will be
// stored while the worker fits them, and added to the settings file at OK.
#include "dialog/dialog.h"
#include "dialog/words.h"
#include "figurefile/add_stages.h"
#include "figures/figures.h"
#include "resources/resource.h"
#include "settings/settings_place.h"

#include <commdlg.h>

namespace dialog {

namespace {

using words::Request;
using words::Result;

constexpr UINT_PTR typingTimer = 1;
constexpr UINT_PTR progressTimer = 2;
constexpr UINT typingPause = 150;   // ms after the last key before the preview is asked for
constexpr UINT progressDelay = 500; // ms of OK's work before its progress shows
constexpr UINT_PTR clockTimer = 3;
constexpr UINT clockPeriod = 200; // ms between looks at the time the preview shows

struct Words {
    HWND window;
    HWND opener;
    bool spellInMemory;
    wchar_t face[LF_FACESIZE]; // empty: the default faces
    wchar_t defaultFace[LF_FACESIZE];
    bool bold, italic;
    unsigned okNumber; // the request OK made, while it is being worked on
    bool progressShown;
    Result shown;
    HFONT textFont;
    wchar_t clockShown[words::maxTextUnits + 1]; // the time the preview was asked for
};

Words state;

int CALLBACK faceFound(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
    *reinterpret_cast<bool*>(found) = true;
    return 0;
}

bool installed(const wchar_t* face) {
    LOGFONTW font{};
    font.lfCharSet = DEFAULT_CHARSET;
    lstrcpynW(font.lfFaceName, face, LF_FACESIZE);
    bool found = false;
    HDC screen = GetDC(nullptr);
    EnumFontFamiliesExW(screen, &font, faceFound, reinterpret_cast<LPARAM>(&found), 0);
    ReleaseDC(nullptr, screen);
    return found;
}

void showFont(HWND dialogWindow) {
    const wchar_t* face = state.face[0] ? state.face : state.defaultFace;
    SetDlgItemTextW(dialogWindow, IDC_WORDS_FACE, face[0] ? face : L"(既定の書体がありません)");
    SetDlgItemTextW(dialogWindow, IDC_WORDS_STYLE,
                    state.bold && state.italic ? L"太字 斜体"
                    : state.bold               ? L"太字"
                    : state.italic             ? L"斜体"
                                               : L"標準");
}

unsigned askWorker(HWND dialogWindow, bool write) {
    Request request{};
    const bool clock = words::clockChosen(dialogWindow);
    if (clock) {
        // The preview shows the time now; OK makes every character the form can show.
        words::clockCharacters(dialogWindow, write, request.text);
        lstrcpynW(state.clockShown, request.text, words::maxTextUnits + 1);
    } else {
        GetDlgItemTextW(dialogWindow, IDC_WORDS_TEXT, request.text, words::maxTextUnits + 1);
    }
    lstrcpynW(request.face, state.face, LF_FACESIZE);
    request.bold = state.bold;
    request.italic = state.italic;
    request.spell = !clock && IsDlgButtonChecked(dialogWindow, IDC_WORDS_SPELL) == BST_CHECKED;
    request.wholeOrNothing = clock;
    request.spellInMemory = state.spellInMemory;
    request.write = write;
    lstrcpynW(request.path, settings::settingsFilePath(), MAX_PATH);
    request.writable = settings::settingsFileWritable();
    request.names = figurefile::programSectionNames();
    return words::ask(request);
}

// The dialog font of a non-Japanese system has no Japanese, and a static text borrows the missing
// characters from a linked font where an edit control may not (Wine's draws boxes). The text box
// then gets a Japanese dialog face of the same size; the font mapper's own pick for the character
// set alone can be a face without Latin letters.
constexpr const wchar_t* japaneseDialogFaces[] = {L"MS UI Gothic", L"Yu Gothic UI", L"Meiryo UI",
                                                  L"Noto Sans CJK JP"};

bool hasJapanese(HWND window, HFONT font) {
    HDC dc = GetDC(window);
    HGDIOBJ old = SelectObject(dc, font);
    bool japanese = GetTextCharset(dc) == SHIFTJIS_CHARSET;
    SelectObject(dc, old);
    ReleaseDC(window, dc);
    return japanese;
}

void useJapaneseTextFont(HWND dialogWindow) {
    HWND text = GetDlgItem(dialogWindow, IDC_WORDS_TEXT);
    auto dialogFont = reinterpret_cast<HFONT>(SendMessageW(text, WM_GETFONT, 0, 0));
    LOGFONTW font{};
    if (!dialogFont || hasJapanese(text, dialogFont) ||
        !GetObjectW(dialogFont, sizeof font, &font)) {
        return;
    }
    font.lfCharSet = SHIFTJIS_CHARSET;
    font.lfFaceName[0] = L'\0';
    for (const wchar_t* face : japaneseDialogFaces) {
        if (!font.lfFaceName[0] && installed(face)) {
            lstrcpynW(font.lfFaceName, face, LF_FACESIZE);
        }
    }
    state.textFont = CreateFontIndirectW(&font);
    if (state.textFont) {
        // The note names the characters typed: a character no font has would otherwise turn
        // the whole note into boxes.
        for (int id : {IDC_WORDS_TEXT, IDC_WORDS_NOTE}) {
            SendDlgItemMessageW(dialogWindow, id, WM_SETFONT,
                                reinterpret_cast<WPARAM>(state.textFont), FALSE);
        }
    }
}

void openWords(HWND dialogWindow, LPARAM opener) {
    state.window = dialogWindow;
    state.opener = reinterpret_cast<HWND>(opener);
    state.okNumber = 0;
    state.shown = Result{};
    state.defaultFace[0] = L'\0';
    for (const wchar_t* face : figurefile::defaultFaces) {
        if (!state.defaultFace[0] && installed(face)) {
            lstrcpynW(state.defaultFace, face, LF_FACESIZE);
        }
    }
    useJapaneseTextFont(dialogWindow);
    SendDlgItemMessageW(dialogWindow, IDC_WORDS_TEXT, EM_LIMITTEXT, words::maxTextUnits, 0);
    CheckDlgButton(dialogWindow, IDC_WORDS_SPELL, BST_CHECKED);
    showFont(dialogWindow);
    words::setUpClockChoice(dialogWindow);
    state.clockShown[0] = L'\0';
    words::startWorker(dialogWindow);
    SetTimer(dialogWindow, clockTimer, clockPeriod, nullptr);
    if (words::clockChosen(dialogWindow)) {
        askWorker(dialogWindow, false);
    }
}

// The system's chooser, scalable faces only (a face without outlines among them is refused by
// the worker), without the vertical "@" faces; the size is unused. TrueType-only would leave out
// the OpenType faces with PostScript outlines, the default one among them.
void chooseFont(HWND dialogWindow) {
    LOGFONTW font{};
    lstrcpynW(font.lfFaceName, state.face[0] ? state.face : state.defaultFace, LF_FACESIZE);
    font.lfWeight = state.bold ? FW_BOLD : FW_NORMAL;
    font.lfItalic = state.italic ? TRUE : FALSE;
    font.lfCharSet = DEFAULT_CHARSET;
    CHOOSEFONTW choice{};
    choice.lStructSize = sizeof choice;
    choice.hwndOwner = dialogWindow;
    choice.lpLogFont = &font;
    choice.Flags =
        CF_SCREENFONTS | CF_SCALABLEONLY | CF_NOVERTFONTS | CF_INITTOLOGFONTSTRUCT | CF_NOSIZESEL;
    if (!ChooseFontW(&choice) || font.lfFaceName[0] == L'@') {
        return;
    }
    lstrcpynW(state.face, font.lfFaceName, LF_FACESIZE);
    state.bold = font.lfWeight >= FW_SEMIBOLD;
    state.italic = font.lfItalic != 0;
    showFont(dialogWindow);
    askWorker(dialogWindow, false);
}

void enableInput(HWND dialogWindow, bool enabled) {
    for (int id : {IDOK, IDC_WORDS_FONT, IDC_WORDS_USE_TEXT, IDC_WORDS_USE_CLOCK}) {
        EnableWindow(GetDlgItem(dialogWindow, id), enabled);
    }
    if (enabled) {
        words::showChoice(dialogWindow);
    } else {
        for (int id : {IDC_WORDS_TEXT, IDC_WORDS_SPELL, IDC_WORDS_FORM}) {
            EnableWindow(GetDlgItem(dialogWindow, id), FALSE);
        }
    }
}

// OK asks for the write once; the buttons stay off until the worker answers.
void pressOk(HWND dialogWindow) {
    if (state.okNumber != 0) {
        return;
    }
    KillTimer(dialogWindow, typingTimer);
    // The text chosen again with nothing typed: the clock goes off and the stored word is back.
    if (!words::clockChosen(dialogWindow) && settings::TOKEI != 0 &&
        GetWindowTextLengthW(GetDlgItem(dialogWindow, IDC_WORDS_TEXT)) == 0) {
        words::keepClockChoice(dialogWindow);
        if (state.opener) {
            SendMessageW(state.opener, wordsAddedMessage, 0,
                         reinterpret_cast<LPARAM>(dialogWindow));
        }
        EndDialog(dialogWindow, IDOK);
        return;
    }
    enableInput(dialogWindow, false);
    state.okNumber = askWorker(dialogWindow, true);
    state.progressShown = false;
    SetTimer(dialogWindow, progressTimer, progressDelay, nullptr);
}

void pressCancel(HWND dialogWindow) {
    if (state.okNumber != 0 && !words::withdraw()) {
        return; // the write has begun: its answer closes the dialog
    }
    EndDialog(dialogWindow, IDCANCEL);
}

void showProgress(HWND dialogWindow) {
    wchar_t text[64];
    wsprintfW(text, L"図形を作っています… %d / %d", state.shown.fittedSoFar, state.shown.toFit);
    SetDlgItemTextW(dialogWindow, IDC_WORDS_PROGRESS, text);
}

// The figures are in the file: the figure list is read again and the row spells the text (in
// memory; the file has it too unless the spelling is the opener's live edit).
void finishOk(HWND dialogWindow) {
    figures::loadFigureNames();
    const Result& result = state.shown;
    if (result.notice[0]) {
        MessageBoxW(dialogWindow, result.notice, L"KESTA", MB_OK | MB_ICONINFORMATION);
    }
    // The clock's choice is the file's at once; the stored word stays as it is under the clock.
    words::keepClockChoice(dialogWindow);
    if (!words::clockChosen(dialogWindow) &&
        IsDlgButtonChecked(dialogWindow, IDC_WORDS_SPELL) == BST_CHECKED) {
        settings::OPTIONN = result.spelledCount;
        for (int s = 1; s <= figures::maxSlots; ++s) {
            settings::OPTIONA[s] = s <= result.spelledCount ? result.spelledKeys[s] : 0;
        }
    }
    if (state.opener) {
        SendMessageW(state.opener, wordsAddedMessage, 0, reinterpret_cast<LPARAM>(dialogWindow));
    }
    EndDialog(dialogWindow, IDOK);
}

void onResult(HWND dialogWindow, unsigned number) {
    words::latestResult(state.shown);
    InvalidateRect(GetDlgItem(dialogWindow, IDC_WORDS_PREVIEW), nullptr, TRUE);
    const Result& result = state.shown;
    SetDlgItemTextW(dialogWindow, IDC_WORDS_NOTE, result.refusal[0] ? result.refusal : result.note);
    if (state.okNumber == 0 || number != state.okNumber || result.number != number) {
        return;
    }
    if (!result.finished) {
        if (state.progressShown) {
            showProgress(dialogWindow);
        }
        return;
    }
    KillTimer(dialogWindow, progressTimer);
    SetDlgItemTextW(dialogWindow, IDC_WORDS_PROGRESS, L"");
    if (result.written) {
        finishOk(dialogWindow);
        return;
    }
    state.okNumber = 0;
    enableInput(dialogWindow, true);
}

// A paste the text box's limit cut inside a surrogate pair leaves half a character: it goes.
void keepPairsWhole(HWND dialogWindow) {
    wchar_t text[words::maxTextUnits + 2];
    const int length = GetDlgItemTextW(dialogWindow, IDC_WORDS_TEXT, text, words::maxTextUnits + 2);
    const bool cut = length > 0 && IS_HIGH_SURROGATE(text[length - 1]);
    if (cut && length >= words::maxTextUnits) {
        HWND box = GetDlgItem(dialogWindow, IDC_WORDS_TEXT);
        SendMessageW(box, EM_SETSEL, length - 1, length);
        SendMessageW(box, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(L""));
    }
}

void onCommand(HWND dialogWindow, int id, int code) {
    switch (id) {
    case IDOK: pressOk(dialogWindow); return;
    case IDCANCEL: pressCancel(dialogWindow); return;
    case IDC_WORDS_FONT: chooseFont(dialogWindow); return;
    case IDC_WORDS_SPELL: askWorker(dialogWindow, false); return;
    case IDC_WORDS_USE_TEXT:
    case IDC_WORDS_USE_CLOCK:
        words::showChoice(dialogWindow);
        askWorker(dialogWindow, false);
        return;
    case IDC_WORDS_FORM:
        if (code == CBN_SELCHANGE) {
            askWorker(dialogWindow, false);
        }
        return;
    case IDC_WORDS_TEXT:
        if (code == EN_MAXTEXT || code == EN_CHANGE) {
            keepPairsWhole(dialogWindow);
        }
        if (code == EN_CHANGE) {
            SetTimer(dialogWindow, typingTimer, typingPause, nullptr);
        }
        return;
    default: return;
    }
}

// The preview follows the time while no OK is under way.
void lookAtClock(HWND dialogWindow) {
    if (state.okNumber != 0 || !words::clockChosen(dialogWindow)) {
        return;
    }
    wchar_t now[words::maxTextUnits + 1];
    words::clockCharacters(dialogWindow, false, now);
    if (lstrcmpW(now, state.clockShown) != 0) {
        askWorker(dialogWindow, false);
    }
}

void onTimer(HWND dialogWindow, UINT_PTR timer) {
    if (timer == clockTimer) {
        lookAtClock(dialogWindow);
        return;
    }
    KillTimer(dialogWindow, timer);
    if (timer == typingTimer) {
        askWorker(dialogWindow, false);
    } else if (state.okNumber != 0) {
        state.progressShown = true;
        showProgress(dialogWindow);
    }
}

INT_PTR CALLBACK wordsDialogProc(HWND dialogWindow, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG: openWords(dialogWindow, lParam); return TRUE;
    case WM_COMMAND: onCommand(dialogWindow, LOWORD(wParam), HIWORD(wParam)); return TRUE;
    case WM_TIMER: onTimer(dialogWindow, wParam); return TRUE;
    case words::resultMessage: onResult(dialogWindow, static_cast<unsigned>(wParam)); return TRUE;
    case WM_DRAWITEM:
        words::drawPreview(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam), state.shown);
        return TRUE;
    case WM_DESTROY:
        words::stopWorker();
        state.window = nullptr;
        return FALSE;
    default: return FALSE;
    }
}

} // namespace

INT_PTR openWordsDialog(HWND opener, bool spellInMemory) {
    if (state.window) {
        SetForegroundWindow(state.window);
        return IDCANCEL;
    }
    state.spellInMemory = spellInMemory;
    INT_PTR ended = DialogBoxParamW(GetModuleHandleW(nullptr), L"wordsdialog", opener,
                                    wordsDialogProc, reinterpret_cast<LPARAM>(opener));
    if (state.textFont) { // the text box is gone with the dialog; its font can go now
        DeleteObject(state.textFont);
        state.textFont = nullptr;
    }
    return ended;
}

} // namespace dialog
