// The words dialog's worker: the importer's stages on the text of the latest request (names and
// keys planned on the settings file as it is, new figures fitted with the chosen font, kept per
// character while the font stays), and at OK the held write. Only this thread fits.
#include "dialog/words.h"

#include "importer/word_import.h"
#include "settings/settings.h"
#include "settings/settings_place.h"

#include <algorithm>
#include <atomic>
#include <cstring>
#include <cwchar>

namespace dialog::words {

namespace {

// A character fitted with the current font.
struct Made {
    char32_t character;
    importer::FitOutcome outcome;
    bool lossy;
    char value[figures::figureValueSize];
};

struct Font {
    wchar_t face[LF_FACESIZE];
    bool bold, italic;
    bool open;
    importer::FontFrame frame;
};

struct Worker {
    CRITICAL_SECTION lock;
    HANDLE wake;
    HANDLE thread;
    HWND dialogWindow;
    std::atomic<unsigned> latest;
    Request request; // the latest, under the lock
    Result result;   // under the lock
    // The worker's own.
    Request job;
    importer::AddWork work;
    importer::IniText text;
    Font font;
    int madeCount;
    std::array<Made, importer::maxTextCharacters + 1> made;
    Result building;
};

Worker worker;

bool stale(const Request& job) {
    return worker.latest.load() != job.number;
}

void publish() {
    EnterCriticalSection(&worker.lock);
    if (worker.building.number == worker.latest.load()) {
        worker.result = worker.building;
    }
    LeaveCriticalSection(&worker.lock);
    PostMessageW(worker.dialogWindow, resultMessage, worker.building.number, 0);
}

void refuse(const wchar_t* text) {
    lstrcpynW(worker.building.refusal, text, 1024);
    worker.building.finished = true;
    publish();
}

const Made* madeOf(char32_t c) {
    for (int i = 1; i <= worker.madeCount; ++i) {
        if (worker.made[i].character == c) {
            return &worker.made[i];
        }
    }
    return nullptr;
}

// Opens the request's font once; a new face or style forgets what the old one made.
bool openRequestedFont() {
    Font& font = worker.font;
    const Request& job = worker.job;
    if (lstrcmpW(font.face, job.face) != 0 || font.bold != job.bold || font.italic != job.italic) {
        lstrcpynW(font.face, job.face, LF_FACESIZE);
        font.bold = job.bold;
        font.italic = job.italic;
        worker.madeCount = 0;
    }
    if (font.open) {
        return true;
    }
    wchar_t opened[32];
    const importer::FontFault fault =
        importer::openFaceOrDefault(font.face, font.bold, font.italic, font.frame, opened);
    if (fault != importer::FontFault::none) {
        wchar_t text[256];
        if (font.face[0]) {
            importer::fontFaultText(fault, font.face, opened, text);
        } else {
            importer::noDefaultFaceText(text);
        }
        refuse(text);
        return false;
    }
    font.open = true;
    return true;
}

void closeRequestedFont() {
    if (worker.font.open) {
        importer::closeFont();
        worker.font.open = false;
    }
}

bool fitMissing() {
    importer::AddWork& work = worker.work;
    for (int i = 1; i <= work.distinct.count; ++i) {
        const char32_t c = work.distinct.at[i];
        if (work.existing[i] != 0 || madeOf(c)) {
            continue;
        }
        if (stale(worker.job) || !openRequestedFont()) {
            return false;
        }
        Made& made = worker.made[++worker.madeCount];
        made.character = c;
        const importer::CharacterFit fit =
            importer::fitCharacter(c, worker.font.frame, work.name[i], made.value);
        made.outcome = fit.outcome;
        made.lossy = importer::fitLosesPieces(fit);
        ++worker.building.fittedSoFar;
        publish();
    }
    return true;
}

// A character the dialog's font may lack is named with its code as well.
void appendCharacter(wchar_t (&text)[512], char32_t c, bool withCode) {
    wchar_t shown[16] = {static_cast<wchar_t>(c), 0, 0};
    if (withCode) {
        importer::characterText(c, shown);
    } else if (c > 0xFFFF) {
        shown[0] = static_cast<wchar_t>(0xD800 + ((c - 0x10000) >> 10));
        shown[1] = static_cast<wchar_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
    }
    if (lstrlenW(text) + lstrlenW(shown) < 512) {
        lstrcatW(text, shown);
    }
}

void appendList(wchar_t (&note)[512], const wchar_t* heading, Mark mark) {
    const Result& result = worker.building;
    bool any = false;
    for (int s = 1; s <= result.count; ++s) {
        if (result.cell[s].mark == mark) {
            if (!any && lstrlenW(note) + lstrlenW(heading) + 2 < 512) {
                lstrcatW(note, note[0] ? L"\n" : L"");
                lstrcatW(note, heading);
            }
            any = true;
            appendCharacter(note, result.cell[s].character, mark == Mark::unmade);
        }
    }
}

// The cells in the order of the text; a figure already in the file shows as it is there.
void fillCells() {
    const importer::AddWork& work = worker.work;
    Result& result = worker.building;
    result.count = std::min(work.spelled.count, figures::maxSlots);
    for (int s = 1; s <= result.count; ++s) {
        Cell& cell = result.cell[s];
        cell.character = work.spelled.at[s];
        cell.value[0] = '\0';
        int i = 1;
        while (i < work.distinct.count && work.distinct.at[i] != cell.character) {
            ++i;
        }
        const Made* made = madeOf(cell.character);
        if (work.existing[i] != 0) {
            const std::string_view stored = work.list.value[work.existing[i]];
            const std::size_t length = std::min<std::size_t>(stored.size(), sizeof cell.value - 1);
            std::memcpy(cell.value, stored.data(), length);
            cell.value[length] = '\0';
            cell.mark = Mark::stored;
        } else if (!made) {
            cell.mark = Mark::pending;
        } else if (made->outcome != importer::FitOutcome::fitted) {
            cell.mark = Mark::unmade;
        } else {
            std::memcpy(cell.value, made->value, sizeof cell.value);
            cell.mark = made->lossy ? Mark::lossy : Mark::sound;
        }
    }
    result.note[0] = L'\0';
    appendList(result.note, L"この書体では作れない文字(除きます): ", Mark::unmade);
    appendList(result.note, L"形が一部欠ける文字: ", Mark::lossy);
    appendList(result.note, L"設定ファイルにある図形を使う文字: ", Mark::stored);
}

// The request's text as UTF-8, without the characters that could not be made when asked.
void keptText(char (&utf8)[4 * maxTextUnits + 1], bool leaveOutUnmade) {
    wchar_t kept[maxTextUnits + 1];
    int n = 0;
    const wchar_t* text = worker.job.text;
    for (int i = 0; text[i] != L'\0' && n < maxTextUnits; ++i) {
        char32_t c = text[i];
        const bool pair = IS_HIGH_SURROGATE(text[i]) && IS_LOW_SURROGATE(text[i + 1]);
        if (pair) {
            c = 0x10000 + ((static_cast<char32_t>(text[i]) - 0xD800) << 10) +
                (text[i + 1] - 0xDC00);
        }
        const Made* made = madeOf(c);
        if (!leaveOutUnmade || !made || made->outcome == importer::FitOutcome::fitted) {
            kept[n++] = text[i];
            if (pair && n < maxTextUnits) {
                kept[n++] = text[i + 1];
            }
        }
        i += pair ? 1 : 0;
    }
    const int length =
        WideCharToMultiByte(CP_UTF8, 0, kept, n, utf8, sizeof utf8 - 1, nullptr, nullptr);
    utf8[length > 0 ? length : 0] = '\0';
}

// Starts the work on the text and plans its keys on the file as it is; false (refused) when the
// importer's rules refuse.
bool plan(bool leaveOutUnmade) {
    importer::AddWork& work = worker.work;
    char utf8[4 * maxTextUnits + 1];
    keptText(utf8, leaveOutUnmade);
    wchar_t text[512];
    // At most a row of characters at once, spelled or not.
    if (importer::startWork(utf8, false, false, work) != importer::Refusal::none) {
        // A blank text is refused only when OK is pressed.
        importer::refusalText(work, text);
        const bool blank = work.refusal == importer::Refusal::noCharacters && !worker.job.write;
        refuse(blank ? L"" : text);
        return false;
    }
    if (work.spelled.count > figures::maxSlots) {
        std::swprintf(text, 512, L"一度に作れるのは %d 文字までです(空白を除いて %d 文字)。",
                      figures::maxSlots, work.spelled.count);
        refuse(text);
        return false;
    }
    work.spell = worker.job.spell;
    importer::nameCharacters(work);
    const importer::FileResult read =
        importer::readSettingsFile(settings::settingsFilePath(), worker.text);
    if (read == importer::FileResult::missing) {
        worker.text.length = 0;
    } else if (read != importer::FileResult::done) {
        importer::fileResultText(read, false, settings::settingsFilePath(), text);
        refuse(text);
        return false;
    }
    if (importer::planKeys(worker.text, work) != importer::Refusal::none) {
        importer::refusalText(work, text);
        refuse(text);
        return false;
    }
    return true;
}

void countToFit() {
    const importer::AddWork& work = worker.work;
    worker.building.toFit = 0;
    for (int i = 1; i <= work.distinct.count; ++i) {
        worker.building.toFit += work.existing[i] == 0 && !madeOf(work.distinct.at[i]) ? 1 : 0;
    }
}

// The figures fitted for the preview go into the work planned again without the unmade
// characters; the file is then held, planned once more, edited and replaced.
void write() {
    if (!plan(true)) {
        return;
    }
    const wchar_t* path = settings::settingsFilePath();
    if (!settings::settingsFileWritable() || !importer::mayWrite(path)) {
        wchar_t text[512];
        importer::fileResultText(importer::FileResult::failed, true, path, text);
        refuse(text);
        return;
    }
    importer::AddWork& work = worker.work;
    for (int i = 1; i <= work.distinct.count; ++i) {
        const Made* made = madeOf(work.distinct.at[i]);
        if (made && made->outcome == importer::FitOutcome::fitted) {
            std::memcpy(work.value[i], made->value, sizeof work.value[i]);
            work.fitted[i] = true;
        }
    }
    EnterCriticalSection(&worker.lock);
    const bool begin = !stale(worker.job);
    worker.result.writing = begin;
    LeaveCriticalSection(&worker.lock);
    if (!begin) {
        return;
    }
    worker.building.writing = true;
    work.spell = worker.job.spell && !worker.job.spellInMemory;
    static importer::WriteOutcome outcome;
    importer::writeWork(path, true, work, worker.text, outcome);
    wchar_t text[1024];
    wchar_t more[512];
    importer::backupText(outcome.backup, path, more);
    lstrcpyW(text, more);
    more[0] = L'\0';
    if (work.refusal != importer::Refusal::none) {
        importer::refusalText(work, more);
    } else {
        importer::fileResultText(outcome.result, true, path, more);
    }
    lstrcatW(text, text[0] && more[0] ? L"\n" : L"");
    lstrcatW(text, more);
    Result& result = worker.building;
    result.written = outcome.mayRewrite && more[0] == L'\0';
    result.spelledCount = work.spelled.count;
    for (int s = 1; s <= work.spelled.count; ++s) {
        int i = 1;
        while (i < work.distinct.count && work.distinct.at[i] != work.spelled.at[s]) {
            ++i;
        }
        result.spelledKeys[s] = work.keyOf[i];
    }
    refuse(text);
}

void answer() {
    Result& result = worker.building;
    result = Result{};
    result.number = worker.job.number;
    if (!plan(false)) {
        return;
    }
    countToFit();
    fillCells();
    publish();
    const bool made = fitMissing();
    closeRequestedFont();
    if (!made) {
        return;
    }
    fillCells();
    if (worker.job.write) {
        write();
        return;
    }
    result.finished = true;
    publish();
}

DWORD WINAPI workerMain(void*) {
    for (;;) {
        WaitForSingleObject(worker.wake, INFINITE);
        EnterCriticalSection(&worker.lock);
        worker.job = worker.request;
        LeaveCriticalSection(&worker.lock);
        if (worker.job.quit) {
            return 0;
        }
        answer();
    }
}

} // namespace

void startWorker(HWND dialogWindow) {
    InitializeCriticalSection(&worker.lock);
    worker.wake = CreateEventW(nullptr, FALSE, FALSE, nullptr);
    worker.dialogWindow = dialogWindow;
    worker.madeCount = 0;
    worker.font = Font{};
    worker.result = Result{};
    worker.latest = 0;
    worker.request = Request{};
    worker.thread = CreateThread(nullptr, 0, workerMain, nullptr, 0, nullptr);
}

void stopWorker() {
    Request quit{};
    quit.quit = true;
    ask(quit);
    WaitForSingleObject(worker.thread, INFINITE);
    CloseHandle(worker.thread);
    CloseHandle(worker.wake);
    DeleteCriticalSection(&worker.lock);
}

unsigned ask(Request& request) {
    EnterCriticalSection(&worker.lock);
    request.number = worker.latest.load() + 1;
    worker.request = request;
    worker.latest = request.number;
    LeaveCriticalSection(&worker.lock);
    SetEvent(worker.wake);
    return request.number;
}

bool withdraw() {
    EnterCriticalSection(&worker.lock);
    const bool free = !worker.result.writing || worker.result.finished;
    if (free) {
        worker.latest = worker.latest.load() + 1;
    }
    LeaveCriticalSection(&worker.lock);
    return free;
}

void latestResult(Result& result) {
    EnterCriticalSection(&worker.lock);
    result = worker.result;
    LeaveCriticalSection(&worker.lock);
}

} // namespace dialog::words
