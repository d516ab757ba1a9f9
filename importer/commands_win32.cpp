#include "importer/commands.h"

#include "figures/format.h"
#include "importer/console.h"
#include "importer/figure_list.h"
#include "importer/fit.h"
#include "importer/geometry.h"
#include "importer/glyph_reader.h"
#include "importer/ini_text.h"
#include "importer/options.h"
#include "settings/settings.h"
#include "settings/settings_place.h"

#include <windows.h>

namespace importer {

namespace {

enum Status { succeeded = 0, refused = 1, badCommandLine = 2 };

// Faces tried in turn when no --font is given.
constexpr const wchar_t* defaultFaces[] = {L"Noto Sans CJK JP", L"Yu Gothic", L"MS Gothic"};

IniText settingsText;
FigureList figureList;
Characters textCharacters;
Characters distinct;
Characters spelled;
Glyph glyph;
Shape figure;
std::array<int, maxTextCharacters + 1> keyOf;     // per distinct character
std::array<bool, maxTextCharacters + 1> newValue; // a value to write for it
std::array<char[maxValueChars + 1], maxTextCharacters + 1> values;
wchar_t filePath[MAX_PATH + 1];

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

void choosePath(const Options& options) {
    if (!options.file.empty()) {
        toWide(options.file, filePath, MAX_PATH + 1);
        return;
    }
    settings::chooseSettingsFile();
    lstrcpynW(filePath, settings::settingsFilePath(), MAX_PATH + 1);
}

enum class ReadResult { read, missing, failed, tooLarge };

ReadResult readSettingsFile() {
    settingsText.length = 0;
    HANDLE file = CreateFileW(filePath, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        DWORD error = GetLastError();
        return error == ERROR_FILE_NOT_FOUND ? ReadResult::missing : ReadResult::failed;
    }
    LARGE_INTEGER size{};
    ReadResult result = ReadResult::read;
    DWORD read = 0;
    if (!GetFileSizeEx(file, &size)) {
        result = ReadResult::failed;
    } else if (size.QuadPart > maxFileBytes) {
        result = ReadResult::tooLarge;
    } else if (!ReadFile(file, settingsText.bytes.data(), static_cast<DWORD>(size.QuadPart), &read,
                         nullptr) ||
               read != size.QuadPart) {
        result = ReadResult::failed;
    }
    settingsText.length = static_cast<int>(read);
    CloseHandle(file);
    return result;
}

bool writeSettingsFile() {
    HANDLE file = CreateFileW(filePath, GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    DWORD written = 0;
    bool ok = WriteFile(file, settingsText.bytes.data(), static_cast<DWORD>(settingsText.length),
                        &written, nullptr) &&
              written == static_cast<DWORD>(settingsText.length) && SetEndOfFile(file);
    return CloseHandle(file) && ok;
}

// Refuses before any work when the file exists but cannot be opened for writing.
bool writable() {
    HANDLE file = CreateFileW(filePath, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return GetLastError() == ERROR_FILE_NOT_FOUND;
    }
    CloseHandle(file);
    return true;
}

bool readForCommand(bool missingIsEmpty) {
    switch (readSettingsFile()) {
    case ReadResult::read: return true;
    case ReadResult::missing:
        if (missingIsEmpty) {
            return true;
        }
        complain(L"設定ファイルがありません: %ls\n", filePath);
        return false;
    case ReadResult::tooLarge:
        complain(L"設定ファイルが大きすぎます: %ls\n", filePath);
        return false;
    case ReadResult::failed: break;
    }
    complain(L"設定ファイルを読めません: %ls\n", filePath);
    return false;
}

int listCommand() {
    if (!readForCommand(false)) {
        return refused;
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
    return succeeded;
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

// Reads and fits one character into values[i]; false (with a message) when it cannot.
bool makeFigure(char32_t c, const FontFrame& frame, char (&name)[maxNameBytes + 1], int i) {
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
    if (formatFigureValue(name, record, values[i]) == 0) {
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

int addCommand(const Options& options) {
    if (!decodeUtf8(options.text, textCharacters)) {
        complain(L"文字列が長すぎるか、読めない文字を含みます。\n");
        return refused;
    }
    distinctCharacters(textCharacters, distinct);
    spelledCharacters(textCharacters, spelled);
    if (distinct.count == 0) {
        complain(L"文字列に描ける文字がありません。\n");
        return refused;
    }
    if (options.spell && spelled.count > figures::maxSlots) {
        complain(L"--spell で並べられるのは %d 文字までです(空白を除いて %d 文字)。\n",
                 figures::maxSlots, spelled.count);
        return refused;
    }
    if (!readForCommand(true)) {
        return refused;
    }
    if (!writable()) {
        complain(L"設定ファイルに書き込めません: %ls\n", filePath);
        return refused;
    }
    readFigureList(settingsText, settings::outlineSectionName, settings::outlineEndMarker,
                   figureList);
    FontFrame frame;
    if (!openChosenFont(options, frame)) {
        return refused;
    }
    int nextKey = figureList.count + 1;
    for (int i = 1; i <= distinct.count; ++i) {
        char bytes[8];
        int length;
        shiftJisOf(distinct.at[i], bytes, length);
        char name[maxNameBytes + 1];
        figureName(distinct.at[i], std::string_view(bytes, static_cast<std::size_t>(length)), name);
        const int existing = findFigure(figureList, name);
        newValue[i] = existing == 0 || options.replace;
        keyOf[i] = existing != 0 ? existing : nextKey++;
        if (!newValue[i]) {
            wchar_t shown[16];
            characterText(distinct.at[i], shown);
            say(L"%ls: ZAHYO%d にあります(置き換えるには --replace)\n", shown, existing);
            continue;
        }
        if (!makeFigure(distinct.at[i], frame, name, i)) {
            closeFont();
            return refused;
        }
    }
    closeFont();
    if (nextKey - 1 > figures::maxFigureNames) {
        complain(L"図形の一覧に入りきりません(最大 %d 個、今 %d 個、追加 %d 個)。\n",
                 figures::maxFigureNames, figureList.count, nextKey - 1 - figureList.count);
        return refused;
    }
    bool fits = true;
    for (int i = 1; i <= distinct.count; ++i) {
        if (newValue[i]) {
            char key[16];
            figureKey(keyOf[i], key);
            fits = fits && setIniValue(settingsText, settings::outlineSectionName, key, values[i]);
        }
    }
    if (options.spell) {
        char number[16];
        wsprintfA(number, "%u", static_cast<unsigned>(spelled.count));
        fits = fits && setIniValue(settingsText, settings::mainSectionName, "OPTIONN", number);
        for (int s = 1; s <= spelled.count; ++s) {
            int i = 1;
            while (distinct.at[i] != spelled.at[s]) {
                ++i;
            }
            char key[16];
            wsprintfA(key, "OPTIONA%d", s);
            wsprintfA(number, "%u", static_cast<unsigned>(keyOf[i]));
            fits = fits && setIniValue(settingsText, settings::mainSectionName, key, number);
        }
        if (spelled.count < textCharacters.count) {
            say(L"空白は並びから除きました(%d 文字を並べます)。\n", spelled.count);
        }
    }
    if (!fits) {
        complain(L"設定ファイルが大きくなりすぎます。\n");
        return refused;
    }
    if (!writeSettingsFile()) {
        complain(L"設定ファイルに書き込めません: %ls\n", filePath);
        return refused;
    }
    for (int i = 1; i <= distinct.count; ++i) {
        if (newValue[i]) {
            wchar_t shown[16];
            characterText(distinct.at[i], shown);
            say(L"%ls → ZAHYO%d\n", shown, keyOf[i]);
        }
    }
    return succeeded;
}

} // namespace

int runCommand(int count, const char* const* arguments) {
    Options options;
    parseOptions(count, arguments, options);
    if (options.fault) {
        usage();
        return badCommandLine;
    }
    settings::loadSettingNames();
    choosePath(options);
    if (options.command == Command::list) {
        return listCommand();
    }
    const int status = addCommand(options);
    if (status != succeeded) {
        complain(L"設定ファイルは変更していません。\n");
    }
    return status;
}

} // namespace importer
