// The words dialog's worker: the stages of adding figures run on the text of the latest request
// (names and keys planned on the settings file as it is, new figures fitted with the chosen font,
// kept per character while the font stays), and at OK the rest of the run, the held write. It
// holds the fitter while its font is open.
#include "dialog/words.h"

#include "figurefile/add_run.h"

#include <cstring>
#include <iterator>

namespace dialog::words {

namespace {

struct Font {
    wchar_t face[LF_FACESIZE];
    bool bold, italic;
    fitter::FontFrame frame;
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
    figurefile::Characters characters; // the job's text
    figurefile::AddRun run;
    Font font;
    MadeCache made;
    Result building;
    wchar_t backupSaid[512]; // the write's text of the backup copy, told before its outcome
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

// A new face or style forgets what the old one made.
void chooseRequestedFont() {
    Font& font = worker.own.font;
    const Request& job = worker.own.job;
    if (lstrcmpW(font.face, job.face) != 0 || font.bold != job.bold || font.italic != job.italic) {
        lstrcpynW(font.face, job.face, LF_FACESIZE);
        font.bold = job.bold;
        font.italic = job.italic;
        forgetMade(worker.own.made);
    }
}

// The run's hooks.

void tell(void*, figurefile::Told told, const wchar_t* text) {
    Own& own = worker.own;
    if (told != figurefile::Told::refusal) {
        lstrcpynW(own.backupSaid, text, static_cast<int>(std::size(own.backupSaid)));
        return;
    }
    wchar_t said[refusalUnits] = L"";
    if (own.backupSaid[0]) {
        lstrcpynW(said, own.backupSaid, refusalUnits);
        lstrcatW(said, L"\n");
    }
    const int used = lstrlenW(said);
    lstrcpynW(said + used, text, refusalUnits - used);
    refuse(said);
}

// Opens the chosen font at the first fit of a request.
bool openRequestedFont(void*, const fitter::FontFrame*& frame) {
    Font& font = worker.own.font;
    wchar_t opened[32];
    figurefile::holdFitter();
    const glyphs::FontFault fault =
        figurefile::openFaceOrDefault(font.face, font.bold, font.italic, font.frame, opened);
    if (fault != glyphs::FontFault::none) {
        figurefile::releaseFitter();
        wchar_t text[256];
        if (font.face[0]) {
            figurefile::fontFaultText(fault, font.face, opened, text);
        } else {
            figurefile::noDefaultFaceText(text, figurefile::Voice::dialog);
        }
        refuse(text);
        return false;
    }
    frame = &font.frame;
    return true;
}

void closeRequestedFont(void*) {
    glyphs::closeFont();
    figurefile::releaseFitter();
}

// A character fitted with this font before, for this request or an earlier one.
bool knownMade(void*, char32_t c, figurefile::FitOutcome& outcome,
               char (&value)[figures::figureValueSize]) {
    const Made* made = findMade(worker.own.made, c);
    if (made) {
        outcome = made->outcome;
        std::memcpy(value, made->value, sizeof value);
    }
    return made != nullptr;
}

// Kept with the font, and the cells filled as each is made.
void keepFitted(void*, int i, const figurefile::CharacterFit& fit) {
    Own& own = worker.own;
    const figurefile::AddWork& work = own.run.work;
    Made& made = madeEntry(own.made, work.distinct.at[i]);
    std::memcpy(made.value, work.value[i], sizeof made.value);
    made.outcome = fit.outcome;
    made.lossy = figurefile::fitLosesPieces(fit);
    ++own.building.fittedSoFar;
    fillCells(work, own.characters, own.made, own.building);
    publish();
}

constexpr figurefile::AddHooks hooks = [] {
    figurefile::AddHooks h{};
    h.tell = tell;
    h.openFont = openRequestedFont;
    h.closeFont = closeRequestedFont;
    h.known = knownMade;
    h.fitted = keepFitted;
    h.stop = stale;
    return h;
}();

// Starts the work on the job's text, names its characters and plans its keys on the settings
// file as it is; false (refused) when the plan refuses.
bool plan() {
    Own& own = worker.own;
    figurefile::AddRun& run = own.run;
    wchar_t text[refusalUnits];
    if (!startText(own.characters, own.job.names, own.job.write, run.work, text)) {
        refuse(text);
        return false;
    }
    run.path = own.job.path;
    run.missing = figurefile::MissingFile::readsEmpty;
    run.voice = figurefile::Voice::dialog;
    run.fontOpening = figurefile::FontOpening::whenNeeded;
    run.spell = own.job.spell && !own.job.spellInMemory;
    own.backupSaid[0] = L'\0';
    return figurefile::planRun(run, hooks);
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

// The held edit: a refusal or failure keeps the dialog open, a backup copy made is told after a
// write that was done.
void writeAndReport() {
    Own& own = worker.own;
    Result& result = own.building;
    result.written = figurefile::writeRun(own.run, hooks);
    spelledKeys(own.run.work, result);
    if (result.written) {
        lstrcpynW(result.notice, own.backupSaid, refusalUnits);
        finish();
    } else if (!result.finished) {
        refuse(own.backupSaid); // no copy could be made, so nothing was written
    }
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
            figurefile::characterText(result.cell[k].character, name);
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
    if (!job.writable || !figurefile::mayWrite(job.path)) {
        wchar_t text[512];
        figurefile::fileResultText(figurefile::FileResult::failed, true, job.path, text);
        refuse(text);
        return;
    }
    if (figurefile::leaveOutUnmade(worker.own.run, hooks) && beginWriting()) {
        writeAndReport();
    }
}

void answer() {
    Own& own = worker.own;
    Result& result = own.building;
    result = Result{};
    result.number = own.job.number;
    textCharacters(own.job.text, own.characters);
    chooseRequestedFont();
    if (!plan()) {
        return;
    }
    result.toFit = countToFit(own.run.work, own.made);
    fillCells(own.run.work, own.characters, own.made, result);
    publish();
    if (!figurefile::fitRun(own.run, hooks)) {
        return;
    }
    fillCells(own.run.work, own.characters, own.made, result);
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
