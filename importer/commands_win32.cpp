#include "importer/commands.h"

#include "figures/format.h"
#include "importer/console.h"
#include "importer/figure_list.h"
#include "importer/figure_plan.h"
#include "importer/fit.h"
#include "importer/geometry.h"
#include "importer/glyph_reader.h"
#include "importer/ini_text.h"
#include "importer/options.h"
#include "importer/settings_file.h"
#include "settings/backup.h"
#include "settings/settings.h"
#include "settings/settings_place.h"

#include <windows.h>

namespace importer {

namespace {

namespace Status {
constexpr int succeeded = 0;
constexpr int refused = 1;
constexpr int badCommandLine = 2;
} // namespace Status

// Faces tried in turn when no --font is given.
constexpr const wchar_t* defaultFaces[] = {L"Noto Sans CJK JP", L"Yu Gothic", L"MS Gothic"};

// Everything one command works on.
struct Run {
    wchar_t filePath[MAX_PATH + 1];
    bool fileNamed; // --file: a missing file is refused
    IniText settingsText;
    FigureList figureList;
    AddWork work;
    Glyph glyph;
    Shape figure;
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

// The character as text, for messages; a character beyond the 16-bit range as its surrogate pair.
void characterText(char32_t c, wchar_t (&text)[16]) {
    if (c > 0xFFFF && c <= 0x10FFFF) {
        const char32_t v = c - 0x10000;
        wsprintfW(text, L"「%c%c」(U+%04X)", static_cast<wchar_t>(0xD800 + (v >> 10)),
                  static_cast<wchar_t>(0xDC00 + (v & 0x3FF)), static_cast<unsigned>(c));
    } else if (c <= 0xFFFF && c >= 0x20) {
        wsprintfW(text, L"「%c」(U+%04X)", static_cast<wchar_t>(c), static_cast<unsigned>(c));
    } else {
        wsprintfW(text, L"U+%04X", static_cast<unsigned>(c));
    }
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
    switch (result) {
    case FileResult::done: return true;
    case FileResult::missing: complain(L"設定ファイルがありません: %ls\n", run.filePath); break;
    case FileResult::tooLarge: complain(L"設定ファイルが大きすぎます: %ls\n", run.filePath); break;
    case FileResult::busy:
    case FileResult::raced:
        complain(L"設定ファイルを他のプログラムが使っています。しばらくしてからもう一度実行して"
                 L"ください: %ls\n",
                 run.filePath);
        break;
    case FileResult::changed:
        complain(L"作業中に設定ファイルができました。もう一度実行してください: %ls\n",
                 run.filePath);
        break;
    case FileResult::failed: complain(L"設定ファイルを読めません: %ls\n", run.filePath); break;
    }
    return false;
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
        } else if (fault == FontFault::notInstalled) {
            complain(L"書体「%ls」はインストールされていません(GDI が選んだのは「%ls」)。\n", shown,
                     chosen);
        } else if (fault == FontFault::noOutlines) {
            complain(L"書体「%ls」は輪郭を持たないビットマップ書体です。\n", shown);
        }
        return fault == FontFault::none;
    }
    for (const wchar_t* candidate : defaultFaces) {
        if (openFont(candidate, options.bold, options.italic, frame, chosen) == FontFault::none) {
            say(L"書体: %ls\n", candidate);
            return true;
        }
    }
    complain(L"既定の書体(Noto Sans CJK JP、Yu Gothic、MS Gothic)がどれもありません。--font "
             L"で書体を選んでください。\n");
    return false;
}

void shiftJisOf(char32_t c, char (&bytes)[8], int& length) {
    length = 0;
    if (c > 0xFFFF) {
        return;
    }
    const wchar_t text = static_cast<wchar_t>(c);
    BOOL lost = FALSE;
    int n = WideCharToMultiByte(932, WC_NO_BEST_FIT_CHARS, &text, 1, bytes, sizeof bytes, nullptr,
                                &lost);
    length = n > 0 && !lost ? n : 0;
}

// Reads and fits one character into its value; false (with a message) when it cannot.
bool makeFigure(char32_t c, const FontFrame& frame, const char (&name)[maxNameBytes + 1],
                char (&value)[figures::figureValueSize], Glyph& glyph, Shape& figure) {
    wchar_t shown[16];
    characterText(c, shown);
    double readOverlap = 0.0;
    switch (readGlyph(c, glyph, readOverlap)) {
    case GlyphFault::none: break;
    case GlyphFault::missing:
        complain(L"この書体には文字 %ls がありません。\n", shown);
        return false;
    case GlyphFault::empty: complain(L"文字 %ls には描ける形がありません。\n", shown); return false;
    case GlyphFault::unreadable: complain(L"文字 %ls の輪郭を読めません。\n", shown); return false;
    case GlyphFault::mismatch:
        complain(L"文字 %ls の輪郭が GDI の描画と一致しません(重なり %.3f < %.2f)。\n", shown,
                 readOverlap, readCheckThreshold);
        return false;
    }
    placeInCell(glyph, frame);
    static FitWork fitWork; // megabytes: kept out of the stack
    FitReport report;
    if (!fitFigure(fitWork, glyph, figure, report)) {
        complain(L"文字 %ls には描ける形がありません。\n", shown);
        return false;
    }
    figures::FigureRecord record;
    shapeToRecord(figure, record);
    if (formatFigureValue(name, record, value) == 0) {
        complain(L"文字 %ls の図形が長すぎます。\n", shown);
        return false;
    }
    // The reference is the rounded outline before any point was taken away (only the contour
    // limits applied); the fit often beats it, since points are then moved onto the glyph.
    say(L"%ls: 点 %d、輪郭 %d、字形との重なり %.3f(参考: 点を減らす前の丸めた輪郭では %.3f)\n",
        shown, figure.points, figure.contours, report.fitted, report.ceiling);
    if (report.droppedContours > 0) {
        say(L"  注意: 字形の輪郭 %d 個のうち %d 個を省きました(図形の輪郭は外側 %d 個、全部で "
            L"%d 個、点は %d 個まで)。\n",
            figure.contours + report.droppedContours, report.droppedContours,
            figures::maxOuterContours, figures::maxContours, figures::maxPoints);
    }
    if (report.fitted < roughOverlap) {
        say(L"  注意: 形が粗くなりました(字形との重なり %.3f が %.2f 未満)。\n", report.fitted,
            roughOverlap);
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
    for (int i = 1; i <= work.distinct.count; ++i) {
        char bytes[8];
        int length;
        shiftJisOf(work.distinct.at[i], bytes, length);
        figureName(work.distinct.at[i], std::string_view(bytes, static_cast<std::size_t>(length)),
                   work.name[i]);
    }
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
    for (int i = 1; i <= work.distinct.count; ++i) {
        if (!work.newValue[i]) {
            wchar_t shown[16];
            characterText(work.distinct.at[i], shown);
            say(L"%ls: ZAHYO%d にあります(置き換えるには --replace)\n", shown, work.existing[i]);
            continue;
        }
        if (!makeFigure(work.distinct.at[i], frame, work.name[i], work.value[i], run.glyph,
                        run.figure)) {
            closeFont();
            return false;
        }
        work.fitted[i] = true;
    }
    closeFont();
    return true;
}

// The file as it is now, held while the keys are planned again on it, edited and replaced.
FileResult editAndReplace(Run& run) {
    AddWork& work = run.work;
    HeldFile held{};
    const FileResult read = holdAndRead(run.filePath, !run.fileNamed, held, run.settingsText);
    if (read != FileResult::done) {
        return read;
    }
    const bool edited = planKeys(run.settingsText, work) == Refusal::none &&
                        checkFitted(work) == Refusal::none &&
                        editSettings(run.settingsText, work) == Refusal::none;
    if (!edited) {
        release(held);
        return FileResult::done;
    }
    return replaceAndRelease(run.filePath, held, run.settingsText);
}

// The same copy the program keeps before it rewrites a file whose figure lines hold bytes that
// are not Shift-JIS. The importer's own edits leave those bytes alone, but the next save by the
// program would not; the user finds the copy under the same name whoever wrote first.
bool keepCopy(const Run& run) {
    settings::BackupReport report{};
    bool mayRewrite =
        settings::keepCopyIfDamaged(run.filePath, settings::outlineSectionName, report);
    for (int wait = 0; report.result == settings::BackupResult::unreadable && wait < 100; ++wait) {
        Sleep(50);
        mayRewrite =
            settings::keepCopyIfDamaged(run.filePath, settings::outlineSectionName, report);
    }
    if (report.result == settings::BackupResult::copied) {
        say(L"設定ファイルの図形の行に Shift-JIS として正しくないバイトがあるので、書き換える前に"
            L"控えを作りました: %ls\n",
            report.copyPath);
    } else if (report.result == settings::BackupResult::noCopy) {
        complain(L"設定ファイルの図形の行に Shift-JIS として正しくないバイトがありますが、控えを"
                 L"作れませんでした: %ls\n",
                 run.filePath);
    } else if (report.result == settings::BackupResult::unreadable) {
        return fileDone(FileResult::busy, run);
    }
    return mayRewrite;
}

bool editAndWrite(Run& run) {
    if (!keepCopy(run)) {
        return false;
    }
    constexpr int attempts = 20;
    FileResult result = FileResult::raced;
    for (int attempt = 1; attempt <= attempts && result == FileResult::raced; ++attempt) {
        result = editAndReplace(run);
        if (result == FileResult::raced) {
            Sleep(50);
        }
    }
    if (refused(run.work)) {
        return false;
    }
    if (result == FileResult::failed) {
        complain(L"設定ファイルに書き込めません: %ls\n", run.filePath);
        return false;
    }
    return fileDone(result, run);
}

int addCommand(const Options& options, Run& run) {
    if (!planAdd(options, run) || !fitAdd(options, run) || !editAndWrite(run)) {
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
