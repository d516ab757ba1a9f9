// kesta-figures.exe as a user runs it: figures added to a copy of the sample settings file with
// every other byte left alone, nothing added twice, the spelling keys, the program drawing the
// imported word, bold and italic figures unlike the regular ones, and bad input refused with
// nothing changed.
#include "figures/format.h"
#include "fitter/geometry.h"
#include "tests/wine/support/kesta_program.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>

using namespace kestatest;

namespace {

struct Outcome {
    DWORD status;
    std::string output; // UTF-8, standard output and error together
};

std::wstring testFile() {
    return windowsDirectory() + L"\\import_test.ini";
}

// A run of kesta-figures started and not yet waited for.
struct Started {
    HANDLE process;
    std::wstring outputPath;
};

Started startImporter(const std::wstring& arguments) {
    static int runs;
    Started started{nullptr,
                    windowsDirectory() + L"\\import_output" + std::to_wstring(++runs) + L".txt"};
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE output = CreateFileW(started.outputPath.c_str(), GENERIC_WRITE, FILE_SHARE_READ,
                                &inherit, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    std::wstring command = L"\"" + buildDirectory() + L"\\kesta-figures.exe\" " + arguments;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = output;
    startup.hStdError = output;
    PROCESS_INFORMATION process{};
    if (CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr,
                       nullptr, &startup, &process)) {
        CloseHandle(process.hThread);
        started.process = process.hProcess;
    }
    CloseHandle(output);
    return started;
}

Outcome finish(Started started) {
    Outcome run{static_cast<DWORD>(-1), ""};
    if (started.process) {
        WaitForSingleObject(started.process, 60000);
        GetExitCodeProcess(started.process, &run.status);
        CloseHandle(started.process);
    }
    std::ifstream in(narrow(started.outputPath), std::ios::binary);
    run.output.assign(std::istreambuf_iterator<char>(in), {});
    in.close();
    DeleteFileW(started.outputPath.c_str());
    return run;
}

Outcome runImporter(const std::wstring& arguments) {
    return finish(startImporter(arguments));
}

void writeFile(const std::wstring& path, const std::string& bytes) {
    std::ofstream out(narrow(path), std::ios::binary | std::ios::trunc);
    out << bytes;
}

std::string readFile(const std::wstring& path) {
    std::ifstream in(narrow(path), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

std::vector<std::string> crlfLines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2) {
        lines.push_back(text.substr(start, end - start));
    }
    EXPECT_EQ(start, text.size()) << "text after the last CRLF";
    return lines;
}

std::string keyOf(const std::string& line) {
    return line.substr(0, line.find('='));
}

// Every figure value written must meet the format and pass every soundness check.
void expectSound(const std::string& line) {
    figures::FigureRecord record;
    figures::readFigureValue(line.substr(line.find('=') + 1), record);
    EXPECT_EQ(fitter::figureFault(record), fitter::Fault::none) << line;
}

const std::wstring noto = L" --font \"Noto Sans CJK JP\"";

std::string repeated(const std::string& text, int times) {
    std::string all;
    for (int i = 0; i < times; ++i) {
        all += text;
    }
    return all;
}

// The column where `mark` starts on a line, counting a full-width character (three UTF-8 bytes
// here) as two columns.
std::size_t displayColumn(const std::string& line, const std::string& mark) {
    std::size_t column = 0;
    const std::size_t end = line.find(mark);
    for (std::size_t i = 0; i < end && i < line.size(); ++i) {
        const auto byte = static_cast<unsigned char>(line[i]);
        column += byte < 0x80 ? 1 : (byte & 0xE0) == 0xE0 ? 2 : 0;
    }
    return column;
}

class Importer : public ::testing::Test {
  protected:
    void SetUp() override {
        sample = readSourceFile("resources/kestasv.ini");
        ASSERT_FALSE(sample.empty());
        writeFile(testFile(), sample);
    }
    void TearDown() override { DeleteFileW(testFile().c_str()); }
    std::wstring file() const { return L" --file \"" + testFile() + L"\""; }
    std::string sample;
};

TEST_F(Importer, AddsSoundFiguresLeavingEveryOtherByteAndAddsNothingTwice) {
    Outcome kesta = runImporter(L"add KESTA --replace" + noto + file());
    ASSERT_EQ(kesta.status, 0u) << kesta.output;
    Outcome kana = runImporter(L"add \"あい漢\"" + noto + file());
    ASSERT_EQ(kana.status, 0u) << kana.output;

    std::vector<std::string> before = crlfLines(sample), after = crlfLines(readFile(testFile()));
    ASSERT_EQ(after.size(), before.size() + 3);
    // KESTA replaced its five figures in place; the three new ones follow the last figure.
    std::size_t last = 0;
    for (std::size_t i = 0; i < before.size(); ++i) {
        if (before[i].rfind("ZAHYO", 0) == 0) {
            last = i;
        }
    }
    int replaced = 0;
    for (std::size_t i = 0, j = 0; i < before.size(); ++i, ++j) {
        if (before[i] != after[j]) {
            ASSERT_EQ(keyOf(before[i]), keyOf(after[j]));
            std::string name = before[i].substr(before[i].find('=') + 1, 1);
            EXPECT_NE(std::string("KESTA").find(name), std::string::npos) << before[i];
            expectSound(after[j]);
            ++replaced;
        }
        if (i == last) {
            for (const char* key : {"ZAHYO47", "ZAHYO48", "ZAHYO49"}) {
                ++j;
                EXPECT_EQ(keyOf(after[j]), key);
                expectSound(after[j]);
            }
        }
    }
    EXPECT_EQ(replaced, 5);
    EXPECT_EQ(after[last + 1].substr(8, 2), "\x82\xa0") << "named in Shift-JIS";

    const std::string once = readFile(testFile());
    Outcome again = runImporter(L"add \"あい漢\"" + noto + file());
    EXPECT_EQ(again.status, 0u) << again.output;
    EXPECT_EQ(readFile(testFile()), once);

    Outcome list = runImporter(L"list" + file());
    EXPECT_EQ(list.status, 0u);
    EXPECT_NE(list.output.find("ZAHYO48  い"), std::string::npos) << list.output;
    EXPECT_EQ(list.output.find("NG"), std::string::npos) << list.output;
}

TEST_F(Importer, SpellWritesExactlyTheSpellingKeys) {
    Outcome run = runImporter(L"add \"あい 漢あ\" --spell" + noto + file());
    ASSERT_EQ(run.status, 0u) << run.output;
    std::vector<std::string> before = crlfLines(sample), after = crlfLines(readFile(testFile()));
    std::vector<std::string> changed;
    for (std::size_t i = 0; i < before.size(); ++i) {
        if (before[i] != after[i]) {
            changed.push_back(after[i]);
        }
    }
    // Blanks are left out of the row: four figures side by side; the sample's fifth slot is
    // cleared, as its unused slots are.
    std::vector<std::string> expected{"OPTIONA1=47", "OPTIONA2=48", "OPTIONA3=49",
                                      "OPTIONA4=47", "OPTIONA5=0",  "OPTIONN=4"};
    std::sort(changed.begin(), changed.end());
    EXPECT_EQ(changed, expected);
}

TEST_F(Importer, BadInputChangesNothing) {
    struct Case {
        std::wstring arguments;
        std::string says;
    };
    std::vector<Case> cases{
        {L"add A --font \"No Such Face Anywhere\"" + file(), "No Such Face Anywhere"},
        {L"add \"\uE000\"" + noto + file(), "U+E000"},
        // A face name longer than GDI holds is shown, shortened, not left empty.
        {L"add A --font \"" + std::wstring(100, L'長') + L"\"" + file(),
         "書体「" + repeated("長", 40) + "…」"},
        {L"add \"  \u3000\"" + noto + file(), ""},
        {L"add" + file(), ""},
    };
    for (const Case& c : cases) {
        Outcome run = runImporter(c.arguments);
        EXPECT_NE(run.status, 0u) << narrow(c.arguments);
        EXPECT_FALSE(run.output.empty());
        EXPECT_NE(run.output.find(c.says), std::string::npos) << run.output;
        EXPECT_EQ(readFile(testFile()), sample);
    }

    // A file another program holds open for reading only.
    HANDLE held = CreateFileW(testFile().c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    Outcome locked = runImporter(L"add \"あ\"" + noto + file());
    CloseHandle(held);
    EXPECT_EQ(locked.status, 1u) << locked.output;
    EXPECT_EQ(readFile(testFile()), sample);

    // 98 figures leave room for one more, not two.
    std::string nearlyFull = sample;
    for (int n = 47; n <= 98; ++n) {
        nearlyFull +=
            "ZAHYO" + std::to_string(n) + "=F" + std::to_string(n) +
            ",3,0,1,0,0,0,1,1,3,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,10,0,0,"
            "10\r\n";
    }
    writeFile(testFile(), nearlyFull);
    Outcome full = runImporter(L"add \"あい\"" + noto + file());
    EXPECT_EQ(full.status, 1u) << full.output;
    EXPECT_EQ(readFile(testFile()), nearlyFull);
    Outcome one = runImporter(L"add \"あ\"" + noto + file());
    EXPECT_EQ(one.status, 0u) << one.output;
}

TEST_F(Importer, AddWritesWhatItCanAndNamesWhatItCouldNot) {
    // U+E000 is in no font: the other characters are made and spelled without it.
    Outcome run = runImporter(L"add \"あ\uE000い\" --spell" + noto + file());
    ASSERT_EQ(run.status, 0u) << run.output;
    const std::string after = readFile(testFile());
    for (const char* line : {"\r\nZAHYO47=", "\r\nZAHYO48=", "\r\nOPTIONN=2\r\n",
                             "\r\nOPTIONA1=47\r\n", "\r\nOPTIONA2=48\r\n"}) {
        EXPECT_NE(after.find(line), std::string::npos) << line;
    }
    EXPECT_EQ(after.find("\r\nZAHYO49="), std::string::npos);
    EXPECT_NE(run.output.find("U+E000"), std::string::npos) << run.output;
    EXPECT_NE(run.output.find("除きました"), std::string::npos) << run.output;
}

// The sample with one line replaced (or removed when line is empty).
std::string withLine(const std::string& sample, const std::string& key, const std::string& line) {
    std::string text = sample;
    const std::size_t at = text.find("\r\n" + key + "=") + 2;
    text.replace(at, text.find("\r\n", at) + 2 - at, line.empty() ? "" : line + "\r\n");
    return text;
}

// Every line of before is still in after, in order, byte for byte.
bool keepsEveryLine(const std::string& before, const std::string& after) {
    std::size_t at = 0;
    for (const std::string& line : crlfLines(before)) {
        at = after.find(line + "\r\n", at);
        if (at == std::string::npos) {
            return false;
        }
    }
    return true;
}

TEST_F(Importer, NoLineTheUserHasIsOverwritten) {
    // A gap: the first new figure fills it, the next ones go past the figures it hid.
    const std::string gap = withLine(sample, "ZAHYO44", "");
    writeFile(testFile(), gap);
    Outcome filled = runImporter(L"add \"あいう\" --spell" + noto + file());
    ASSERT_EQ(filled.status, 0u) << filled.output;
    std::string after = readFile(testFile());
    std::string unspelled = gap;
    for (const char* key :
         {"OPTIONN", "OPTIONA1", "OPTIONA2", "OPTIONA3", "OPTIONA4", "OPTIONA5"}) {
        unspelled = withLine(unspelled, key, "");
    }
    EXPECT_TRUE(keepsEveryLine(unspelled, after));
    // The sample's slots past the shorter row are cleared, as its unused slots are.
    for (const char* key : {"OPTIONA4=0\r\n", "OPTIONA5=0\r\n"}) {
        EXPECT_NE(after.find(key), std::string::npos) << key;
    }
    EXPECT_NE(after.find("\r\nZAHYO44=\x82\xa0,"), std::string::npos);
    EXPECT_NE(after.find("\r\nZAHYO47=\x82\xa2,"), std::string::npos);
    EXPECT_NE(after.find("\r\nZAHYO48=\x82\xa4,"), std::string::npos);
    for (const char* key : {"OPTIONA1=44\r\n", "OPTIONA2=47\r\n", "OPTIONA3=48\r\n"}) {
        EXPECT_NE(after.find(key), std::string::npos) << key;
    }

    // The end marker and the figure it hides stay; with no gap before it, nothing is added.
    const std::string ended = withLine(sample, "ZAHYO40", "ZAHYO40=ZAHYO-END");
    writeFile(testFile(), ended);
    Outcome marker = runImporter(L"add \"あ\"" + noto + file());
    EXPECT_EQ(marker.status, 1u) << marker.output;
    EXPECT_NE(marker.output.find("ZAHYO40"), std::string::npos) << marker.output;
    EXPECT_EQ(readFile(testFile()), ended);

    // A "[" line without "]" starts no section: the figures after it are still listed.
    std::string strayed = sample;
    strayed.insert(strayed.find("ZAHYO46="), "[note\r\n");
    writeFile(testFile(), strayed);
    Outcome past = runImporter(L"add \"あ\"" + noto + file());
    ASSERT_EQ(past.status, 0u) << past.output;
    after = readFile(testFile());
    EXPECT_TRUE(keepsEveryLine(strayed, after));
    EXPECT_NE(after.find("\r\nZAHYO47=\x82\xa0,"), std::string::npos) << "not a second ZAHYO46";
}

// A byte in the figure lines that is not Shift-JIS: the importer's own edit keeps it, but the
// program's next save would not, so the copy the program makes is made first, under a free name.
TEST_F(Importer, AFileTheProgramWouldDamageIsCopiedBeforeTheRewrite) {
    std::string damaged = sample;
    damaged.insert(damaged.find("ZAHYO46="), "note=\x81\r\n");
    const std::wstring bak = testFile() + L".bak", bak2 = testFile() + L".bak2";
    writeFile(bak, "someone else's file");
    DeleteFileW(bak2.c_str());
    writeFile(testFile(), damaged);
    Outcome run = runImporter(L"add \"あ\"" + noto + file());
    ASSERT_EQ(run.status, 0u) << run.output;
    EXPECT_EQ(readFile(bak), "someone else's file");
    EXPECT_EQ(readFile(bak2), damaged);
    EXPECT_NE(run.output.find(narrow(bak2)), std::string::npos) << run.output;
    EXPECT_NE(readFile(testFile()).find("note=\x81\r\n"), std::string::npos);
    DeleteFileW(bak.c_str());
    DeleteFileW(bak2.c_str());
}

TEST_F(Importer, FilesItCannotReadRightAreRefusedUntouched) {
    // Notepad's "Unicode": UTF-16 with a byte-order mark.
    std::string utf16 = "\xFF\xFE";
    for (char c : std::string("[MOJI ZAHYO]\r\nZAHYO1=A,1\r\n")) {
        utf16 += std::string{c, '\0'};
    }
    writeFile(testFile(), utf16);
    for (const std::wstring& command : {L"add \"あ\"" + noto, std::wstring(L"list")}) {
        Outcome run = runImporter(command + file());
        EXPECT_EQ(run.status, 1u) << run.output;
        EXPECT_NE(run.output.find("UTF-16"), std::string::npos) << run.output;
        EXPECT_EQ(readFile(testFile()), utf16);
    }

    // A file with line feeds alone gets line feeds alone.
    std::string unix;
    for (const std::string& line : crlfLines(sample)) {
        unix += line + "\n";
    }
    writeFile(testFile(), unix);
    Outcome lf = runImporter(L"add \"あ\" --spell" + noto + file());
    ASSERT_EQ(lf.status, 0u) << lf.output;
    EXPECT_EQ(readFile(testFile()).find('\r'), std::string::npos);

    // A file named that does not exist is not made.
    const std::wstring missing = windowsDirectory() + L"\\no_such_settings.ini";
    DeleteFileW(missing.c_str());
    Outcome typo = runImporter(L"add \"あ\"" + noto + L" --file \"" + missing + L"\"");
    EXPECT_EQ(typo.status, 1u) << typo.output;
    EXPECT_EQ(GetFileAttributesW(missing.c_str()), INVALID_FILE_ATTRIBUTES);
    DeleteFileW(missing.c_str());

    // A command line beyond what the importer keeps is refused, not cut.
    std::wstring many = L"add \"あ\"" + noto + file();
    for (int n = 0; n < 64; ++n) {
        many += L" --bold";
    }
    writeFile(testFile(), sample);
    Outcome cut = runImporter(many);
    EXPECT_EQ(cut.status, 2u) << cut.output;
    EXPECT_EQ(readFile(testFile()), sample);
}

// Two importers at once, and the program's own writes meanwhile: every writer that reports
// success has its change in the file.
TEST_F(Importer, ConcurrentWritersLoseNothing) {
    for (int trial = 1; trial <= 3; ++trial) {
        writeFile(testFile(), sample);
        Started first = startImporter(L"add \"あい\"" + noto + file());
        Started second = startImporter(L"add \"うえ\"" + noto + file());
        // The settings dialog's OK meanwhile, through the profile functions, retried when the
        // file is held for a moment.
        std::wstring stored;
        for (int n = 0; WaitForSingleObject(second.process, 0) == WAIT_TIMEOUT ||
                        WaitForSingleObject(first.process, 0) == WAIT_TIMEOUT;
             ++n) {
            const std::wstring colour = std::to_wstring(1000 + n);
            if (WritePrivateProfileStringW(L"KESTA", L"COLOR", colour.c_str(),
                                           testFile().c_str())) {
                stored = colour;
            }
            Sleep(20);
        }
        Outcome one = finish(first), two = finish(second);
        ASSERT_EQ(one.status, 0u) << one.output;
        ASSERT_EQ(two.status, 0u) << two.output;
        const std::string after = readFile(testFile());
        for (const char* name : {"\x82\xa0", "\x82\xa2", "\x82\xa4", "\x82\xa6"}) {
            EXPECT_NE(after.find(std::string("=") + name + ","), std::string::npos)
                << "trial " << trial << ": a figure reported written is missing";
        }
        ASSERT_FALSE(stored.empty());
        wchar_t colour[32];
        GetPrivateProfileStringW(L"KESTA", L"COLOR", L"", colour, 32, testFile().c_str());
        EXPECT_EQ(colour, stored) << "trial " << trial;
    }
}

TEST_F(Importer, CharactersBeyondTheBasicPlaneAreImportedNamedByCodePoint) {
    Outcome run = runImporter(L"add \"\U0002000B\U00029E3D\U00020BB7\"" + noto + file());
    ASSERT_EQ(run.status, 0u) << run.output;
    std::vector<std::string> before = crlfLines(sample), after = crlfLines(readFile(testFile()));
    ASSERT_EQ(after.size(), before.size() + 3);
    int found = 0;
    for (const std::string& line : after) {
        for (const char* start : {"ZAHYO47=U+2000B,", "ZAHYO48=U+29E3D,", "ZAHYO49=U+20BB7,"}) {
            if (line.rfind(start, 0) == 0) {
                expectSound(line);
                ++found;
            }
        }
    }
    EXPECT_EQ(found, 3) << run.output;
    EXPECT_NE(run.output.find("「\xF0\xA0\x80\x8B」(U+2000B) → ZAHYO47"), std::string::npos)
        << run.output;
}

TEST_F(Importer, SaysPlainlyWhenPiecesAreLeftOutOrTheShapeIsRough) {
    // 鱗 has more pieces than 45 points can hold, and fits roughly; あ keeps all and fits well.
    Outcome run = runImporter(L"add \"鱗あ\"" + noto + file());
    ASSERT_EQ(run.status, 0u) << run.output;
    const std::size_t kana = run.output.find("「あ」");
    ASSERT_NE(kana, std::string::npos) << run.output;
    const std::string dense = run.output.substr(0, kana), plain = run.output.substr(kana);
    EXPECT_NE(dense.find("注意: 点 45 個に収まらず、字形の部分"), std::string::npos) << dense;
    EXPECT_NE(dense.find("注意: 形が粗くなりました"), std::string::npos) << dense;
    EXPECT_EQ(plain.find("注意"), std::string::npos) << plain;
    // The reference is labelled for what it is, not as a limit the fit cannot pass.
    EXPECT_EQ(run.output.find("上限"), std::string::npos) << run.output;
    EXPECT_NE(run.output.find("参考: 点を減らす前の丸めた輪郭では"), std::string::npos);
}

TEST_F(Importer, ListLinesUpItsColumnsByDisplayWidth) {
    // The sample names its figures in ASCII letters, full-width katakana and kanji.
    Outcome list = runImporter(L"list" + file());
    ASSERT_EQ(list.status, 0u) << list.output;
    std::set<std::size_t> columns;
    std::size_t pos = 0;
    int lines = 0;
    for (std::size_t end; (end = list.output.find('\n', pos)) != std::string::npos; pos = end + 1) {
        const std::string line = list.output.substr(pos, end - pos);
        if (line.rfind("ZAHYO", 0) == 0) {
            columns.insert(displayColumn(line, " 点 "));
            ++lines;
        }
    }
    EXPECT_EQ(lines, 46);
    EXPECT_EQ(columns.size(), 1u) << list.output;
}

// The figure written for "Ｉ" (a plain upright bar, not in the sample) into a fresh copy of the
// sample file with the given style options.
figures::FigureRecord figureOfI(const std::wstring& style, const std::wstring& file,
                                const std::string& sample) {
    writeFile(testFile(), sample);
    Outcome run = runImporter(L"add \uFF29" + style + noto + file);
    EXPECT_EQ(run.status, 0u) << run.output;
    figures::FigureRecord record{};
    for (const std::string& line : crlfLines(readFile(testFile()))) {
        if (line.rfind("ZAHYO47=", 0) == 0) {
            expectSound(line);
            figures::readFigureValue(line.substr(line.find('=') + 1), record);
        }
    }
    EXPECT_GT(record.points, 0) << "no figure added";
    return record;
}

// The figure's area in square units (outer contours less holes).
double areaOf(const figures::FigureRecord& record) {
    double twice = 0;
    for (int c = 1; c <= record.header[figures::contourCountField]; ++c) {
        for (int k = record.start[c]; k <= record.end[c]; ++k) {
            const int j = k == record.end[c] ? record.start[c] : k + 1;
            twice += double(record.x[k]) * record.y[j] - double(record.x[j]) * record.y[k];
        }
    }
    return std::abs(twice) / 2;
}

// How far x moves per unit of y over the figure's points (least squares): 0 for an upright bar.
double leanOf(const figures::FigureRecord& record) {
    double mx = 0, my = 0;
    for (int k = 1; k <= record.points; ++k) {
        mx += record.x[k];
        my += record.y[k];
    }
    mx /= record.points;
    my /= record.points;
    double xy = 0, yy = 0;
    for (int k = 1; k <= record.points; ++k) {
        xy += (record.x[k] - mx) * (record.y[k] - my);
        yy += (record.y[k] - my) * (record.y[k] - my);
    }
    return yy > 0 ? xy / yy : 0;
}

TEST_F(Importer, BoldFiguresAreHeavierAndItalicOnesLean) {
    const figures::FigureRecord regular = figureOfI(L"", file(), sample);
    const figures::FigureRecord bold = figureOfI(L" --bold", file(), sample);
    const figures::FigureRecord italic = figureOfI(L" --italic", file(), sample);
    ASSERT_TRUE(regular.points > 0 && bold.points > 0 && italic.points > 0);
    // Bold strokes are wider: half as much area again under Wine's Noto Sans CJK JP Bold.
    EXPECT_GT(areaOf(bold), 1.2 * areaOf(regular));
    EXPECT_LT(std::abs(leanOf(bold)), 0.05);
    // Italic leans the bar to the right going up (about 0.25, some 14 degrees), area kept.
    EXPECT_LT(std::abs(leanOf(regular)), 0.05);
    EXPECT_GT(leanOf(italic), 0.15);
    EXPECT_NEAR(areaOf(italic), areaOf(regular), 0.1 * areaOf(regular));
}

TEST_F(Importer, TheProgramDrawsTheImportedWordWithItsHoleOpen) {
    // The program's own settings file, found the program's way (no --file).
    writeIni(sample);
    Outcome run = runImporter(L"add \"口\" --spell" + noto);
    ASSERT_EQ(run.status, 0u) << run.output;
    ASSERT_EQ(iniValue("OPTIONN"), "1");

    Program program = startProgram();
    ASSERT_TRUE(program.window);
    RECT client;
    GetClientRect(program.window, &client);
    const int x = client.right / 2, y = client.bottom / 2;
    // 口 fills about 74 of its 100 units, its hole about 56; SIZEY 11 makes a unit 1.1 pixels.
    bool drawn = false;
    for (int frame = 0; frame < 20 && !drawn; ++frame) {
        PostMessageW(program.window, WM_TIMER, 1, 0);
        settle(program.window);
        drawn = clientPixel(program.window, x - 36, y) != 0 ||
                clientPixel(program.window, x + 36, y) != 0;
    }
    EXPECT_TRUE(drawn) << "no stroke of the figure drawn";
    EXPECT_EQ(clientPixel(program.window, x, y), 0u) << "the hole is filled";
    EXPECT_EQ(clientPixel(program.window, x, y + 12), 0u) << "the hole is filled";
    closeProgram(program);
    removeIni();
}

} // namespace
