#include "importer/commands.h"

#include "figurefile/add_stages.h"
#include "figurefile/figure_list.h"
#include "figurefile/figure_plan.h"
#include "figurefile/ini_text.h"
#include "figurefile/settings_file.h"
#include "figures/format.h"
#include "fitter/fit.h"
#include "fitter/geometry.h"
#include "glyphs/glyph_reader.h"
#include "importer/console.h"
#include "importer/options.h"
#include "settings/backup.h"
#include "settings/settings.h"
#include "settings/settings_place.h"

#include <windows.h>

#include <cstring>

namespace importer {

namespace {

namespace Status {
constexpr int succeeded = 0;
constexpr int refused = 1;
constexpr int badCommandLine = 2;
} // namespace Status

// Everything one command works on.
struct Run {
    wchar_t filePath[MAX_PATH + 1];
    bool fileNamed; // --file: a missing file is refused
    IniText settingsText;
    FigureList figureList;
    AddWork work;
    AddWork made; // the work as fitted, before the characters not made were left out
    Characters unmade;
};

void usage() {
    complain(L"使い方:\n"
             L"  kesta-figures add 文字列 [--font 書体名] [--bold] [--italic] [--spell] "
             L"[--replace] [--file 設定ファイル]\n"
             L"  kesta-figures list [--file 設定ファイル]\n");
}

void toWide(std::string_view utf8, wchar_t* text, int size) {
    int n = utf8.empty() ? 0
                         : MultiByteToWideChar(CP_UTF8, 0, utf8.data(),
                                               static_cast<int>(utf8.size()), text, size - 1);
    text[n > 0 ? n : 0] = L'\0';
}

void choosePath(const Options& options, Run& run) {
    run.fileNamed = !options.file.empty();
    if (run.fileNamed) {
        toWide(options.file, run.filePath, MAX_PATH + 1);
    } else if (options.command == Command::list) {
        settings::findSettingsFileReadOnly(run.filePath, MAX_PATH + 1);
    } else {
        settings::chooseSettingsFile();
        lstrcpynW(run.filePath, settings::settingsFilePath(), MAX_PATH + 1);
    }
}

// Says why the file could not be read or written; false unless it was done.
bool fileDone(FileResult result, const Run& run) {
    wchar_t text[512];
    fileResultText(result, false, run.filePath, text);
    if (result != FileResult::done) {
        complain(L"%ls\n", text);
    }
    return result == FileResult::done;
}

// A file without a name given may be new (the program's own place); a named one must exist.
bool readForCommand(Run& run, bool mayBeMissing) {
    const FileResult result = readSettingsFile(run.filePath, run.settingsText);
    return (mayBeMissing && result == FileResult::missing) || fileDone(result, run);
}

bool refused(const AddWork& work) {
    if (work.refusal == Refusal::none) {
        return false;
    }
    wchar_t text[512];
    refusalText(work, text);
    complain(L"%ls\n", text);
    return true;
}

// A file whose text is not Shift-JIS in 8-bit bytes.
bool refusedEncoding(const IniText& text, AddWork& work) {
    work.refusal = encodingRefusal(text);
    return refused(work);
}

int listCommand(Run& run) {
    IniText& settingsText = run.settingsText;
    FigureList& figureList = run.figureList;
    const wchar_t* filePath = run.filePath;
    if (!readForCommand(run, false)) {
        return Status::refused;
    }
    if (refusedEncoding(settingsText, run.work)) {
        return Status::refused;
    }
    readFigureList(settingsText, settings::outlineSectionName, settings::outlineEndMarker,
                   figureList);
    say(L"%ls: 図形 %d 個\n", filePath, figureList.count);
    for (int n = 1; n <= figureList.count; ++n) {
        figures::FigureRecord record;
        const std::string_view name = figures::readFigureValue(figureList.value[n], record);
        wchar_t wideName[64];
        const int nameBytes = static_cast<int>(std::min<std::size_t>(name.size(), 60));
        fromShiftJis(name.data(), nameBytes, wideName, 64);
        const Fault fault = figureFault(record);
        const wchar_t* verdict = fault == Fault::none     ? L"OK"
                                 : fault == Fault::format ? L"NG (描画されない形式)"
                                                          : L"NG";
        // Columns line up by display width: a Shift-JIS character is as wide as its bytes.
        say(L"ZAHYO%-3d %ls%*ls 点 %2d  輪郭 %2d  %ls", n, wideName, std::max(0, 8 - nameBytes),
            L"", static_cast<int>(record.points),
            static_cast<int>(record.header[figures::contourCountField]), verdict);
        if (fault != Fault::none && fault != Fault::format) {
            wchar_t reason[64];
            toWide(faultText(fault), reason, 64);
            say(L" (%ls)", reason);
        }
        say(L"\n");
    }
    return Status::succeeded;
}

bool openChosenFont(const Options& options, FontFrame& frame) {
    wchar_t chosen[32];
    if (!options.face.empty()) {
        // Only the start of a long name is needed: GDI names faces in at most 31 characters, and
        // a message shows at most 40.
        constexpr int shownChars = 40;
        std::size_t cut = std::min<std::size_t>(options.face.size(), 4 * shownChars);
        while (cut > 0 && cut < options.face.size() &&
               (static_cast<unsigned char>(options.face[cut]) & 0xC0) == 0x80) {
            --cut;
        }
        wchar_t face[4 * shownChars + 1];
        toWide(options.face.substr(0, cut), face, 4 * shownChars + 1);
        const bool tooLong = cut < options.face.size() || lstrlenW(face) >= LF_FACESIZE;
        FontFault fault = openFont(face, options.bold, options.italic, frame, chosen);
        wchar_t shown[shownChars + 2];
        lstrcpynW(shown, face, shownChars + 1);
        if (lstrlenW(face) > shownChars || cut < options.face.size()) {
            lstrcpyW(shown + shownChars - (IS_HIGH_SURROGATE(shown[shownChars - 1]) ? 1 : 0), L"…");
        }
        if (fault == FontFault::notInstalled && tooLong) {
            complain(L"書体「%ls」はインストールされていません(書体名は %d 文字までです)。\n",
                     shown, LF_FACESIZE - 1);
        } else if (fault != FontFault::none) {
            wchar_t text[256];
            fontFaultText(fault, shown, chosen, text);
            complain(L"%ls\n", text);
        }
        return fault == FontFault::none;
    }
    if (openFaceOrDefault(L"", options.bold, options.italic, frame, chosen) == FontFault::none) {
        say(L"書体: %ls\n", chosen);
        return true;
    }
    wchar_t text[256];
    noDefaultFaceText(text);
    complain(L"%ls\n", text);
    return false;
}

// Reads and fits one character into its value; false (with a message) when it cannot.
bool makeFigure(char32_t c, const FontFrame& frame, const char (&name)[maxNameBytes + 1],
                char (&value)[figures::figureValueSize]) {
    const CharacterFit fit = fitCharacter(c, frame, name, value);
    wchar_t text[256];
    if (fit.outcome != FitOutcome::fitted) {
        fitFailureText(c, fit, text);
        complain(L"%ls\n", text);
        return false;
    }
    fitSummaryText(c, fit, text);
    say(L"%ls\n", text);
    droppedContoursText(fit, text);
    if (text[0] != L'\0') {
        say(L"%ls\n", text);
    }
    roughShapeText(fit, text);
    if (text[0] != L'\0') {
        say(L"%ls\n", text);
    }
    return true;
}

// The names of the characters, and the keys on the file as it is before the slow fitting.
bool planAdd(const Options& options, Run& run) {
    AddWork& work = run.work;
    startWork(options.text, options.spell, options.replace, work);
    if (refused(work)) {
        return false;
    }
    nameCharacters(work);
    if (!readForCommand(run, !run.fileNamed)) {
        return false;
    }
    if (!mayWrite(run.filePath)) {
        complain(L"設定ファイルに書き込めません: %ls\n", run.filePath);
        return false;
    }
    planKeys(run.settingsText, work);
    return !refused(work);
}

bool fitAdd(const Options& options, Run& run) {
    AddWork& work = run.work;
    FontFrame frame;
    if (!openChosenFont(options, frame)) {
        return false;
    }
    run.unmade.count = 0;
    for (int i = 1; i <= work.distinct.count; ++i) {
        if (!work.newValue[i]) {
            wchar_t shown[16];
            characterText(work.distinct.at[i], shown);
            say(L"%ls: ZAHYO%d にあります(置き換えるには --replace)\n", shown, work.existing[i]);
            continue;
        }
        work.fitted[i] = makeFigure(work.distinct.at[i], frame, work.name[i], work.value[i]);
        if (!work.fitted[i]) {
            run.unmade.at[++run.unmade.count] = work.distinct.at[i];
        }
    }
    closeFont();
    return true;
}

bool isUnmade(const Run& run, char32_t c) {
    for (int i = 1; i <= run.unmade.count; ++i) {
        if (run.unmade.at[i] == c) {
            return true;
        }
    }
    return false;
}

// The characters that could not be made are left out, as the words dialog leaves them out: the
// work is planned again on the rest, with the figures already fitted. False when nothing is left
// to write.
bool leaveOutUnmade(const Options& options, Run& run) {
    if (run.unmade.count == 0) {
        return true;
    }
    run.made = run.work;
    static char kept[maxUtf8Bytes + 1];
    encodeUtf8If(run.made.text, kept, [&](char32_t c) { return !isUnmade(run, c); });
    AddWork& work = run.work;
    if (startWork(kept, options.spell, options.replace, work) != Refusal::none) {
        return false;
    }
    nameCharacters(work);
    planKeys(run.settingsText, work);
    bool anyNew = false;
    for (int i = 1; i <= work.distinct.count; ++i) {
        for (int j = 1; j <= run.made.distinct.count; ++j) {
            if (work.newValue[i] && run.made.fitted[j] &&
                run.made.distinct.at[j] == work.distinct.at[i]) {
                std::memcpy(work.value[i], run.made.value[j], sizeof work.value[i]);
                work.fitted[i] = true;
                anyNew = true;
            }
        }
    }
    return !refused(work) && (anyNew || options.spell);
}

bool editAndWrite(Run& run) {
    static WriteOutcome outcome;
    writeWork(run.filePath, !run.fileNamed, run.work, run.settingsText, outcome);
    wchar_t text[512];
    backupText(outcome.backup, run.filePath, text);
    if (outcome.backup.result == settings::BackupResult::copied) {
        say(L"%ls\n", text);
    } else if (outcome.backup.result == settings::BackupResult::noCopy) {
        complain(L"%ls\n", text);
    }
    if (!outcome.mayRewrite) {
        fileDone(outcome.result, run);
        return false;
    }
    if (refused(run.work)) {
        return false;
    }
    fileResultText(outcome.result, true, run.filePath, text);
    if (outcome.result != FileResult::done) {
        complain(L"%ls\n", text);
    }
    return outcome.result == FileResult::done;
}

int addCommand(const Options& options, Run& run) {
    if (!planAdd(options, run) || !fitAdd(options, run) || !leaveOutUnmade(options, run) ||
        !editAndWrite(run)) {
        return Status::refused;
    }
    const AddWork& work = run.work;
    if (work.spell && work.spelled.count < work.text.count) {
        say(L"空白は並びから除きました(%d 文字を並べます)。\n", work.spelled.count);
    }
    for (int i = 1; i <= work.distinct.count; ++i) {
        if (work.newValue[i]) {
            wchar_t shown[16];
            characterText(work.distinct.at[i], shown);
            say(L"%ls → ZAHYO%d\n", shown, work.keyOf[i]);
        }
    }
    for (int i = 1; i <= run.unmade.count; ++i) {
        wchar_t shown[16];
        characterText(run.unmade.at[i], shown);
        say(L"%ls は作れなかったので除きました。\n", shown);
    }
    return Status::succeeded;
}

} // namespace

int runCommand(int count, const char* const* arguments) {
    static Run run;
    Options options;
    parseOptions(count, arguments, options);
    if (options.fault) {
        usage();
        return Status::badCommandLine;
    }
    settings::loadSettingNames();
    choosePath(options, run);
    if (options.command == Command::list) {
        return listCommand(run);
    }
    const int status = addCommand(options, run);
    if (status != Status::succeeded) {
        complain(L"設定ファイルは変更していません。\n");
    }
    return status;
}

} // namespace importer
