#include "figurefile/add_stages.h"

#include "figurefile/utf8.h"
#include "settings/settings.h"

#include <windows.h>

#include <cwchar>

namespace figurefile {

namespace {

template <std::size_t N> void format(wchar_t (&text)[N], const wchar_t* pattern, ...) {
    va_list arguments;
    va_start(arguments, pattern);
    std::vswprintf(text, N, pattern, arguments);
    va_end(arguments);
}

// What one fit works in, megabytes: kept out of the stack.
struct FitStage {
    fitter::Glyph glyph;
    fitter::Shape figure;
    fitter::FitWork work;
};

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

SRWLOCK fitterLock = SRWLOCK_INIT;

} // namespace

void holdFitter() {
    AcquireSRWLockExclusive(&fitterLock);
}

void releaseFitter() {
    ReleaseSRWLockExclusive(&fitterLock);
}

void nameCharacters(AddWork& work) {
    for (int i = 1; i <= work.distinct.count; ++i) {
        char bytes[8];
        int length;
        shiftJisOf(work.distinct.at[i], bytes, length);
        figureName(work.distinct.at[i], std::string_view(bytes, static_cast<std::size_t>(length)),
                   work.name[i]);
    }
}

glyphs::FontFault openFaceOrDefault(const wchar_t* face, bool bold, bool italic,
                                    fitter::FontFrame& frame, wchar_t (&opened)[32]) {
    if (face && face[0] != L'\0') {
        return glyphs::openFont(face, bold, italic, frame, opened);
    }
    for (const wchar_t* candidate : defaultFaces) {
        wchar_t chosen[32];
        if (glyphs::openFont(candidate, bold, italic, frame, chosen) == glyphs::FontFault::none) {
            lstrcpynW(opened, candidate, 32);
            return glyphs::FontFault::none;
        }
    }
    opened[0] = L'\0';
    return glyphs::FontFault::notInstalled;
}

void noDefaultFaceText(wchar_t (&text)[256], Voice voice) {
    lstrcpyW(text, L"既定の書体(Noto Sans CJK JP、Yu Gothic、MS Gothic)がどれもありません。");
    lstrcatW(text, voice == Voice::console ? L"--font で書体を選んでください。"
                                           : L"「フォント...」で書体を選んでください。");
}

void fontFaultText(glyphs::FontFault fault, const wchar_t* face, const wchar_t* chosen,
                   wchar_t (&text)[256]) {
    text[0] = L'\0';
    if (fault == glyphs::FontFault::notInstalled) {
        format(text, L"書体「%ls」はインストールされていません(GDI が選んだのは「%ls」)。", face,
               chosen);
    } else if (fault == glyphs::FontFault::noOutlines) {
        format(text, L"書体「%ls」は輪郭を持たないビットマップ書体です。", face);
    }
}

// A character beyond the 16-bit range shows as its surrogate pair.
void characterText(char32_t c, wchar_t (&text)[16]) {
    if (c > 0xFFFF && c <= 0x10FFFF) {
        wchar_t units[3];
        utf16Units(c, units);
        wsprintfW(text, L"「%c%c」(U+%04X)", units[0], units[1], static_cast<unsigned>(c));
    } else if (c <= 0xFFFF && c >= 0x20) {
        wsprintfW(text, L"「%c」(U+%04X)", static_cast<wchar_t>(c), static_cast<unsigned>(c));
    } else {
        wsprintfW(text, L"U+%04X", static_cast<unsigned>(c));
    }
}

CharacterFit fitCharacter(char32_t c, const fitter::FontFrame& frame,
                          const char (&name)[maxNameBytes + 1],
                          char (&value)[figures::figureValueSize], bool (*stop)()) {
    static FitStage stage;
    CharacterFit fit{};
    if (stop && stop()) {
        fit.outcome = FitOutcome::stopped;
        return fit;
    }
    switch (glyphs::readGlyph(c, stage.glyph, fit.readOverlap)) {
    case glyphs::GlyphFault::none: break;
    case glyphs::GlyphFault::missing: fit.outcome = FitOutcome::missing; return fit;
    case glyphs::GlyphFault::empty: fit.outcome = FitOutcome::empty; return fit;
    case glyphs::GlyphFault::unreadable: fit.outcome = FitOutcome::unreadable; return fit;
    case glyphs::GlyphFault::mismatch: fit.outcome = FitOutcome::mismatch; return fit;
    }
    if (stop && stop()) {
        fit.outcome = FitOutcome::stopped;
        return fit;
    }
    fitter::placeInCell(stage.glyph, frame);
    if (!fitter::fitFigure(stage.work, stage.glyph, stage.figure, fit.report)) {
        fit.outcome = FitOutcome::empty;
        return fit;
    }
    figures::FigureRecord record;
    fitter::shapeToRecord(stage.figure, record);
    fit.points = stage.figure.points;
    fit.contours = stage.figure.contours;
    fit.outcome =
        formatFigureValue(name, record, value) == 0 ? FitOutcome::tooLong : FitOutcome::fitted;
    return fit;
}

void fitFailureText(char32_t c, const CharacterFit& fit, wchar_t (&text)[256]) {
    wchar_t shown[16];
    characterText(c, shown);
    switch (fit.outcome) {
    case FitOutcome::fitted: text[0] = L'\0'; return;
    case FitOutcome::missing: format(text, L"この書体には文字 %ls がありません。", shown); return;
    case FitOutcome::empty: format(text, L"文字 %ls には描ける形がありません。", shown); return;
    case FitOutcome::unreadable: format(text, L"文字 %ls の輪郭を読めません。", shown); return;
    case FitOutcome::mismatch:
        format(text, L"文字 %ls の輪郭が GDI の描画と一致しません(重なり %.3f < %.2f)。", shown,
               fit.readOverlap, glyphs::readCheckThreshold);
        return;
    case FitOutcome::tooLong: format(text, L"文字 %ls の図形が長すぎます。", shown); return;
    case FitOutcome::stopped: format(text, L"文字 %ls の図形作りをやめました。", shown); return;
    }
}

// The reference is the rounded outline before any point was taken away (only the contour limits
// applied); the fit often beats it, since points are then moved onto the glyph.
void fitSummaryText(char32_t c, const CharacterFit& fit, wchar_t (&text)[256]) {
    wchar_t shown[16];
    characterText(c, shown);
    format(text,
           L"%ls: 点 %d、輪郭 %d、字形との重なり %.3f(参考: 点を減らす前の丸めた輪郭では %.3f)",
           shown, fit.points, fit.contours, fit.report.fitted, fit.report.ceiling);
}

void droppedContoursText(const CharacterFit& fit, wchar_t (&text)[256]) {
    text[0] = L'\0';
    const int holes = fit.report.droppedHoles;
    const int pieces = fit.report.droppedContours - holes;
    if (pieces > 0 && holes > 0) {
        format(text, L"  注意: 点 %d 個に収まらず、字形の部分 %d 個と穴 %d 個を省きました。",
               figures::maxPoints, pieces, holes);
    } else if (pieces > 0) {
        format(text, L"  注意: 点 %d 個に収まらず、字形の部分 %d 個を省きました。",
               figures::maxPoints, pieces);
    } else if (holes > 0) {
        format(text, L"  注意: 点 %d 個に収まらず、字形の穴 %d 個を省きました。",
               figures::maxPoints, holes);
    }
}

void roughShapeText(const CharacterFit& fit, wchar_t (&text)[256]) {
    text[0] = L'\0';
    if (fit.report.fitted < fitter::roughOverlap) {
        format(text, L"  注意: 形が粗くなりました(字形との重なり %.3f が %.2f 未満)。",
               fit.report.fitted, fitter::roughOverlap);
    }
}

namespace {

// The file as it is now, held while the keys are planned again on it, edited and replaced.
FileResult editAndReplace(const wchar_t* path, bool missingIsEmpty, AddWork& work, IniText& text) {
    HeldFile held{};
    const FileResult read = holdAndRead(path, missingIsEmpty, held, text);
    if (read != FileResult::done) {
        return read;
    }
    const bool edited = planKeys(text, work) == Refusal::none &&
                        checkFitted(work) == Refusal::none &&
                        editSettings(text, work) == Refusal::none;
    if (!edited) {
        release(held);
        return FileResult::done;
    }
    return replaceAndRelease(path, held, text);
}

} // namespace

// The backup is the same copy the program keeps before it rewrites a file whose figure lines hold
// bytes that are not Shift-JIS. These edits leave those bytes alone, but the program's next save
// would not; the user finds the copy under the same name whoever wrote first.
void writeWork(const wchar_t* path, bool missingIsEmpty, AddWork& work, IniText& text,
               WriteOutcome& outcome) {
    settings::BackupReport& report = outcome.backup;
    outcome.mayRewrite = settings::keepCopyIfDamaged(path, work.names.outline, report);
    for (int wait = 0; report.result == settings::BackupResult::unreadable && wait < 100; ++wait) {
        Sleep(50);
        outcome.mayRewrite = settings::keepCopyIfDamaged(path, work.names.outline, report);
    }
    outcome.result =
        report.result == settings::BackupResult::unreadable ? FileResult::busy : FileResult::done;
    if (!outcome.mayRewrite) {
        return;
    }
    constexpr int attempts = 20;
    outcome.result = FileResult::raced;
    for (int attempt = 1; attempt <= attempts && outcome.result == FileResult::raced; ++attempt) {
        outcome.result = editAndReplace(path, missingIsEmpty, work, text);
        if (outcome.result == FileResult::raced) {
            Sleep(50);
        }
    }
}

void backupText(const settings::BackupReport& report, const wchar_t* path, wchar_t (&text)[512]) {
    text[0] = L'\0';
    if (report.result == settings::BackupResult::copied) {
        format(text,
               L"設定ファイルの図形の行に Shift-JIS として正しくないバイトがあるので、書き換える前"
               L"に控えを作りました: %ls",
               report.copyPath);
    } else if (report.result == settings::BackupResult::noCopy) {
        format(text,
               L"設定ファイルの図形の行に Shift-JIS として正しくないバイトがありますが、控えを作"
               L"れませんでした: %ls",
               path);
    }
}

void fileResultText(FileResult result, bool writing, const wchar_t* path, wchar_t (&text)[512]) {
    switch (result) {
    case FileResult::done: text[0] = L'\0'; return;
    case FileResult::missing: format(text, L"設定ファイルがありません: %ls", path); return;
    case FileResult::tooLarge: format(text, L"設定ファイルが大きすぎます: %ls", path); return;
    case FileResult::busy:
    case FileResult::raced:
        format(text,
               L"設定ファイルを他のプログラムが使っています。しばらくしてからもう一度実行して"
               L"ください: %ls",
               path);
        return;
    case FileResult::changed:
        format(text, L"作業中に設定ファイルができました。もう一度実行してください: %ls", path);
        return;
    case FileResult::failed:
        format(text,
               writing ? L"設定ファイルに書き込めません: %ls" : L"設定ファイルを読めません: %ls",
               path);
        return;
    }
}

} // namespace figurefile
