#include "importer/commands.h"

#include "figurefile/add_run.h"
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
#include "settings/settings.h"
#include "settings/settings_place.h"

#include <windows.h>

#include <algorithm>

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
    figurefile::FigureList figureList;
    figurefile::AddRun add; // its file and work serve list too
    const Options* options;
    fitter::FontFrame frame;
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
bool fileDone(figurefile::FileResult result, const Run& run) {
    wchar_t text[512];
    figurefile::fileResultText(result, false, run.filePath, text);
    if (result != figurefile::FileResult::done) {
        complain(L"%ls\n", text);
    }
    return result == figurefile::FileResult::done;
}

bool refused(const figurefile::AddWork& work) {
    if (work.refusal == figurefile::Refusal::none) {
        return false;
    }
    wchar_t text[512];
    figurefile::refusalText(work, text);
    complain(L"%ls\n", text);
    return true;
}

// A file whose text is not Shift-JIS in 8-bit bytes.
bool refusedEncoding(const figurefile::IniText& text, figurefile::AddWork& work) {
    work.refusal = figurefile::encodingRefusal(text);
    return refused(work);
}

int listCommand(Run& run) {
    figurefile::IniText& settingsText = run.add.file;
    figurefile::FigureList& figureList = run.figureList;
    const wchar_t* filePath = run.filePath;
    if (!fileDone(figurefile::readSettingsFile(filePath, settingsText), run)) {
        return Status::refused;
    }
    if (refusedEncoding(settingsText, run.add.work)) {
        return Status::refused;
    }
    figurefile::readFigureList(settingsText, settings::outlineSectionName,
                               settings::outlineEndMarker, figureList);
    say(L"%ls: 図形 %d 個\n", filePath, figureList.count);
    for (int n = 1; n <= figureList.count; ++n) {
        figures::FigureRecord record;
        const std::string_view name = figures::readFigureValue(figureList.value[n], record);
        wchar_t wideName[64];
        const int nameBytes = static_cast<int>(std::min<std::size_t>(name.size(), 60));
        fromShiftJis(name.data(), nameBytes, wideName, 64);
        const fitter::Fault fault = fitter::figureFault(record);
        const wchar_t* verdict = fault == fitter::Fault::none     ? L"OK"
                                 : fault == fitter::Fault::format ? L"NG (描画されない形式)"
                                                                  : L"NG";
        // Columns line up by display width: a Shift-JIS character is as wide as its bytes.
        say(L"ZAHYO%-3d %ls%*ls 点 %2d  輪郭 %2d  %ls", n, wideName, std::max(0, 8 - nameBytes),
            L"", static_cast<int>(record.points),
            static_cast<int>(record.header[figures::contourCountField]), verdict);
        if (fault != fitter::Fault::none && fault != fitter::Fault::format) {
            wchar_t reason[64];
            toWide(fitter::faultText(fault), reason, 64);
            say(L" (%ls)", reason);
        }
        say(L"\n");
    }
    return Status::succeeded;
}

bool openChosenFont(const Options& options, fitter::FontFrame& frame) {
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
        glyphs::FontFault fault =
            glyphs::openFont(face, options.bold, options.italic, frame, chosen);
        wchar_t shown[shownChars + 2];
        lstrcpynW(shown, face, shownChars + 1);
        if (lstrlenW(face) > shownChars || cut < options.face.size()) {
            lstrcpyW(shown + shownChars - (IS_HIGH_SURROGATE(shown[shownChars - 1]) ? 1 : 0), L"…");
        }
        if (fault == glyphs::FontFault::notInstalled && tooLong) {
            complain(L"書体「%ls」はインストールされていません(書体名は %d 文字までです)。\n",
                     shown, LF_FACESIZE - 1);
        } else if (fault != glyphs::FontFault::none) {
            wchar_t text[256];
            figurefile::fontFaultText(fault, shown, chosen, text);
            complain(L"%ls\n", text);
        }
        return fault == glyphs::FontFault::none;
    }
    if (figurefile::openFaceOrDefault(L"", options.bold, options.italic, frame, chosen) ==
        glyphs::FontFault::none) {
        say(L"書体: %ls\n", chosen);
        return true;
    }
    wchar_t text[256];
    figurefile::noDefaultFaceText(text);
    complain(L"%ls\n", text);
    return false;
}

// The add command's hooks: the run's outcomes told on the console.
void tell(void*, figurefile::Told told, const wchar_t* text) {
    if (told == figurefile::Told::backupCopied) {
        say(L"%ls\n", text);
    } else {
        complain(L"%ls\n", text);
    }
}

bool openFontFor(void* caller, const fitter::FontFrame*& frame) {
    Run& run = *static_cast<Run*>(caller);
    frame = &run.frame;
    return openChosenFont(*run.options, run.frame);
}

void closeFontFor(void*) {
    glyphs::closeFont();
}

void sayFitted(void* caller, int i, const figurefile::CharacterFit& fit) {
    const char32_t c = static_cast<Run*>(caller)->add.work.distinct.at[i];
    wchar_t text[256];
    if (fit.outcome != figurefile::FitOutcome::fitted) {
        figurefile::fitFailureText(c, fit, text);
        complain(L"%ls\n", text);
        return;
    }
    figurefile::fitSummaryText(c, fit, text);
    say(L"%ls\n", text);
    figurefile::droppedContoursText(fit, text);
    if (text[0] != L'\0') {
        say(L"%ls\n", text);
    }
    figurefile::roughShapeText(fit, text);
    if (text[0] != L'\0') {
        say(L"%ls\n", text);
    }
}

void sayKept(void* caller, int i) {
    const figurefile::AddWork& work = static_cast<Run*>(caller)->add.work;
    wchar_t shown[16];
    figurefile::characterText(work.distinct.at[i], shown);
    say(L"%ls: ZAHYO%d にあります(置き換えるには --replace)\n", shown, work.existing[i]);
}

int addCommand(const Options& options, Run& run) {
    figurefile::AddRun& add = run.add;
    run.options = &options;
    add.path = run.filePath;
    add.missing =
        run.fileNamed ? figurefile::MissingFile::refused : figurefile::MissingFile::readsEmpty;
    add.voice = figurefile::Voice::console;
    add.fontOpening = figurefile::FontOpening::first;
    add.spell = options.spell;
    if (figurefile::startWork(options.text, options.spell, options.replace, add.work) !=
        figurefile::Refusal::none) {
        refused(add.work);
        return Status::refused;
    }
    figurefile::AddHooks hooks{};
    hooks.caller = &run;
    hooks.tell = tell;
    hooks.openFont = openFontFor;
    hooks.closeFont = closeFontFor;
    hooks.fitted = sayFitted;
    hooks.kept = sayKept;
    if (!figurefile::addFigures(add, hooks)) {
        return Status::refused;
    }
    const figurefile::AddWork& work = add.work;
    if (work.spell && work.spelled.count < work.text.count) {
        say(L"空白は並びから除きました(%d 文字を並べます)。\n", work.spelled.count);
    }
    for (int i = 1; i <= work.distinct.count; ++i) {
        if (work.newValue[i]) {
            wchar_t shown[16];
            figurefile::characterText(work.distinct.at[i], shown);
            say(L"%ls → ZAHYO%d\n", shown, work.keyOf[i]);
        }
    }
    for (int i = 1; i <= add.unmade.count; ++i) {
        wchar_t shown[16];
        figurefile::characterText(add.unmade.at[i], shown);
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
