// The words dialog's worker: the importer's stages on the text of the latest request (names and
// keys planned on the settings file as it is, new figures fitted with the chosen font, kept per
// character while the font stays), and at OK the held write. It holds the importer's fitter
// while its font is open.
#include "dialog/words.h"

#include "figurefile/add_stages.h"

#include <cstring>

namespace dialog::words {

namespace {

struct Font {
    wchar_t face[LF_FACESIZE];
    bool bold, italic;
    bool open;
    importer::FontFrame frame;
};

// What the dialog's thread and the worker share: read and written under the lock only.
struct Shared {
    unsigned latest; // the number of the latest request; older work is stale
    Request request;
    Result result;
};

// The worker thread's own.
struct Own {
    Request job;
    importer::Characters characters; // the job's text
    importer::AddWork work;
    importer::IniText text;
    Font font;
    MadeCache made;
    Result building;
};

struct Worker {
    CRITICAL_SECTION lock;
    HANDLE wake;
    HANDLE thread;
    HWND dialogWindow;
    Shared shared;
    Own own;
};

Worker worker;

bool stale() {
    EnterCriticalSection(&worker.lock);
    const bool old = worker.shared.latest != worker.own.job.number;
    LeaveCriticalSection(&worker.lock);
    return old;
}

void publish() {
    EnterCriticalSection(&worker.lock);
    if (worker.own.building.number == worker.shared.latest) {
        worker.shared.result = worker.own.building;
    }
    LeaveCriticalSection(&worker.lock);
    PostMessageW(worker.dialogWindow, resultMessage, worker.own.building.number, 0);
}

// The answer is complete: OK's write (done or refused) or the preview with every cell known.
void finish() {
    worker.own.building.finished = true;
    publish();
}

void refuse(const wchar_t* text) {
    lstrcpynW(worker.own.building.refusal, text, refusalUnits);
    finish();
}

// Opens the request's font once; a new face or style forgets what the old one made.
bool openRequestedFont() {
    Font& font = worker.own.font;
    const Request& job = worker.own.job;
    if (lstrcmpW(font.face, job.face) != 0 || font.bold != job.bold || font.italic != job.italic) {
        lstrcpynW(font.face, job.face, LF_FACESIZE);
        font.bold = job.bold;
        font.italic = job.italic;
        forgetMade(worker.own.made);
    }
    if (font.open) {
        return true;
    }
    wchar_t opened[32];
    importer::holdFitter();
    const importer::FontFault fault =
        importer::openFaceOrDefault(font.face, font.bold, font.italic, font.frame, opened);
    if (fault != importer::FontFault::none) {
        importer::releaseFitter();
        wchar_t text[256];
        if (font.face[0]) {
            importer::fontFaultText(fault, font.face, opened, text);
        } else {
            importer::noDefaultFaceText(text, importer::Voice::dialog);
        }
        refuse(text);
        return false;
    }
    font.open = true;
    return true;
}

void closeRequestedFont() {
    if (worker.own.font.open) {
        importer::closeFont();
        importer::releaseFitter();
        worker.own.font.open = false;
    }
}

// Fits the characters without a figure, one at a time, the cells filled as each is made; false
// when the request went stale or the font did not open.
bool fitMissing() {
    Own& own = worker.own;
    importer::AddWork& work = own.work;
    for (int i = 1; i <= work.distinct.count; ++i) {
        const char32_t c = work.distinct.at[i];
        if (work.existing[i] != 0 || findMade(own.made, c)) {
            continue;
        }
        if (stale() || !openRequestedFont()) {
            return false;
        }
        char value[figures::figureValueSize];
        const importer::CharacterFit fit =
            importer::fitCharacter(c, own.font.frame, work.name[i], value, stale);
        if (fit.outcome == importer::FitOutcome::stopped) {
            return false;
        }
        Made& made = madeEntry(own.made, c);
        std::memcpy(made.value, value, sizeof value);
        made.outcome = fit.outcome;
        made.lossy = importer::fitLosesPieces(fit);
        ++own.building.fittedSoFar;
        fillCells(work, own.characters, own.made, own.building);
        publish();
    }
    return true;
}

// Starts the work on the job's text, names its characters and plans its keys on the settings
// file as it is; false (refused) when the importer's rules refuse.
bool plan() {
    Own& own = worker.own;
    wchar_t text[refusalUnits];
    if (!startText(own.characters, own.job.names, own.made, own.job.write, false, own.work, text)) {
        refuse(text);
        return false;
    }
    importer::nameCharacters(own.work);
    const importer::FileResult read = importer::readSettingsFile(own.job.path, own.text);
    if (read == importer::FileResult::missing) {
        own.text.length = 0;
    } else if (read != importer::FileResult::done) {
        wchar_t said[512];
        importer::fileResultText(read, false, own.job.path, said);
        refuse(said);
        return false;
    }
    if (importer::planKeys(own.text, own.work) != importer::Refusal::none) {
        wchar_t said[512];
        importer::refusalText(own.work, said, importer::Voice::dialog);
        refuse(said);
        return false;
    }
    return true;
}

// The work again without the characters that could not be made, holding the figures fitted for
// the preview; its keys are planned once, on the file held for the write.
bool workWithFitted() {
    Own& own = worker.own;
    wchar_t text[refusalUnits];
    if (!startText(own.characters, own.job.names, own.made, true, true, own.work, text)) {
        refuse(text);
        return false;
    }
    own.work.spell = own.job.spell && !own.job.spellInMemory;
    importer::nameCharacters(own.work);
    takeFitted(own.made, own.work);
    return true;
}

// The write may begin only while OK's request is the latest; from then on it cannot be taken
// back.
bool beginWriting() {
    EnterCriticalSection(&worker.lock);
    const bool begin = worker.shared.latest == worker.own.job.number;
    worker.shared.result.writing = begin;
    LeaveCriticalSection(&worker.lock);
    worker.own.building.writing = begin;
    return begin;
}

// The held edit, and what it has to say: a refusal or failure keeps the dialog open, a backup
// copy made is told after a write that was done.
void writeAndReport() {
    Own& own = worker.own;
    static importer::WriteOutcome outcome;
    importer::writeWork(own.job.path, true, own.work, own.text, outcome);
    wchar_t backup[512];
    importer::backupText(outcome.backup, own.job.path, backup);
    wchar_t failure[512];
    if (own.work.refusal != importer::Refusal::none) {
        importer::refusalText(own.work, failure, importer::Voice::dialog);
    } else {
        importer::fileResultText(outcome.result, true, own.job.path, failure);
    }
    Result& result = own.building;
    result.written = outcome.mayRewrite && failure[0] == L'\0';
    spelledKeys(own.work, result);
    if (result.written) {
        lstrcpynW(result.notice, backup, refusalUnits);
    } else {
        lstrcpynW(result.refusal, backup, refusalUnits);
        if (backup[0] && failure[0]) {
            lstrcatW(result.refusal, L"\n");
        }
        lstrcatW(result.refusal, failure);
    }
    finish();
}

// The characters that could not be made, named, when the request wants all or nothing.
bool refusedAsUnmade() {
    const Result& result = worker.own.building;
    if (!worker.own.job.wholeOrNothing) {
        return false;
    }
    wchar_t text[refusalUnits] = L"";
    for (int k = 1; k <= result.count; ++k) {
        if (result.cell[k].mark == Mark::unmade) {
            wchar_t name[16];
            importer::characterText(result.cell[k].character, name);
            if (lstrlenW(text) + lstrlenW(name) + 40 < refusalUnits) {
                lstrcatW(text, name);
            }
        }
    }
    if (text[0] == L'\0') {
        return false;
    }
    lstrcatW(text, L" はこの書体で作れないため、時刻にできません。何も変えていません。");
    refuse(text);
    return true;
}

void write() {
    if (refusedAsUnmade()) {
        return;
    }
    const Request& job = worker.own.job;
    if (!job.writable || !importer::mayWrite(job.path)) {
        wchar_t text[512];
        importer::fileResultText(importer::FileResult::failed, true, job.path, text);
        refuse(text);
        return;
    }
    if (workWithFitted() && beginWriting()) {
        writeAndReport();
    }
}

void answer() {
    Own& own = worker.own;
    Result& result = own.building;
    result = Result{};
    result.number = own.job.number;
    textCharacters(own.job.text, own.characters);
    if (!plan()) {
        return;
    }
    result.toFit = countToFit(own.work, own.made);
    fillCells(own.work, own.characters, own.made, result);
    publish();
    const bool made = fitMissing();
    closeRequestedFont();
    if (!made) {
        return;
    }
    fillCells(own.work, own.characters, own.made, result);
    if (own.job.write) {
        write();
        return;
    }
    finish();
}

DWORD WINAPI workerMain(void*) {
    for (;;) {
        WaitForSingleObject(worker.wake, INFINITE);
        EnterCriticalSection(&worker.lock);
        worker.own.job = worker.shared.request;
        LeaveCriticalSection(&worker.lock);
        if (worker.own.job.quit) {
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
    worker.shared = Shared{};
    forgetMade(worker.own.made);
    worker.own.font = Font{};
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
    request.number = worker.shared.latest + 1;
    worker.shared.request = request;
    worker.shared.latest = request.number;
    LeaveCriticalSection(&worker.lock);
    SetEvent(worker.wake);
    return request.number;
}

bool withdraw() {
    EnterCriticalSection(&worker.lock);
    const bool free = !worker.shared.result.writing || worker.shared.result.finished;
    if (free) {
        ++worker.shared.latest;
    }
    LeaveCriticalSection(&worker.lock);
    return free;
}

void latestResult(Result& result) {
    EnterCriticalSection(&worker.lock);
    result = worker.shared.result;
    LeaveCriticalSection(&worker.lock);
}

} // namespace dialog::words
