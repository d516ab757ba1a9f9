#include "figurefile/figure_plan.h"

#include "figurefile/compose.h"
#include "figurefile/utf8.h"
#include "settings/settings.h"

#include <cstdio>
#include <cstring>

namespace figurefile {

namespace {

enum class KeyUse : std::uint8_t { free, listed, endMarker, noValue };

// Room for any int, as the compiler cannot see that a slot is at most 26.
using SlotKey = char[24];
void slotKey(int slot, SlotKey& key) {
    std::snprintf(key, sizeof key, "OPTIONA%d", slot);
}

KeyUse keyUse(const IniText& text, const SectionNames& names, int number) {
    char key[16];
    figures::figureKey(static_cast<std::uint32_t>(number), key);
    std::string_view value;
    switch (keyState(text, names.outline, key, value)) {
    case KeyState::missing: return KeyUse::free;
    case KeyState::noValue: return KeyUse::noValue;
    case KeyState::value: break;
    }
    return figures::isEndMarker(figures::figureValueName(value), names.endMarker)
               ? KeyUse::endMarker
               : KeyUse::listed;
}

Refusal refuse(AddWork& work, Refusal refusal) {
    work.refusal = refusal;
    return refusal;
}

// Gives each character without a key the next free key the list reaches.
Refusal assignFreeKeys(const IniText& text, AddWork& work) {
    int next = 1;
    for (int i = 1; i <= work.distinct.count; ++i) {
        if (work.keyOf[i] != 0) {
            continue;
        }
        KeyUse use = KeyUse::listed;
        while (next <= figures::maxFigureNames &&
               (use = keyUse(text, work.names, next)) == KeyUse::listed) {
            ++next;
        }
        if (next > figures::maxFigureNames) {
            return refuse(work, Refusal::listFull);
        }
        if (use != KeyUse::free) {
            work.stopKey = next;
            return refuse(work,
                          use == KeyUse::endMarker ? Refusal::endMarker : Refusal::keyWithoutValue);
        }
        work.keyOf[i] = next++;
    }
    return Refusal::none;
}

// Text pieces appended to a fixed buffer, cut at its end.
struct Writer {
    wchar_t* at;
    wchar_t* end;
};

void put(Writer& out, const wchar_t* text) {
    for (; *text != L'\0' && out.at + 1 < out.end; ++text) {
        *out.at++ = *text;
    }
    *out.at = L'\0';
}

void putNumber(Writer& out, int number) {
    char digits[16];
    std::snprintf(digits, sizeof digits, "%d", number);
    wchar_t wide[16];
    int n = 0;
    for (; digits[n] != '\0'; ++n) {
        wide[n] = static_cast<wchar_t>(digits[n]);
    }
    wide[n] = L'\0';
    put(out, wide);
}

void putAscii(Writer& out, const char* text) {
    wchar_t wide[2] = {};
    for (; *text != '\0'; ++text) {
        wide[0] = static_cast<wchar_t>(static_cast<unsigned char>(*text));
        put(out, wide);
    }
}

} // namespace

Refusal startWork(std::string_view utf8, bool spell, bool replace, AddWork& work) {
    work.refusal = Refusal::none;
    if (!decodeUtf8(utf8, work.text)) {
        return refuse(work, Refusal::badText);
    }
    composeCharacters(work.text);
    return startCharacters(work.text, programSectionNames(), spell, replace, work);
}

SectionNames programSectionNames() {
    SectionNames names{};
    std::snprintf(names.outline, sizeof names.outline, "%s", settings::outlineSectionName);
    std::snprintf(names.endMarker, sizeof names.endMarker, "%s", settings::outlineEndMarker);
    return names;
}

Refusal startCharacters(const Characters& text, const SectionNames& names, bool spell, bool replace,
                        AddWork& work) {
    work.names = names;
    work.spell = spell;
    work.replace = replace;
    work.refusal = Refusal::none;
    if (&text != &work.text) {
        work.text = text;
    }
    distinctCharacters(work.text, work.distinct);
    spelledCharacters(work.text, work.spelled);
    if (work.distinct.count == 0) {
        return refuse(work, Refusal::noCharacters);
    }
    if (spell && work.spelled.count > figures::maxSlots) {
        return refuse(work, Refusal::tooManySpelled);
    }
    for (int i = 1; i <= work.distinct.count; ++i) {
        work.fitted[i] = false;
    }
    return Refusal::none;
}

Refusal encodingRefusal(const IniText& text) {
    const std::string_view bytes = textOf(text);
    if (bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF")) {
        return Refusal::utf16File;
    }
    return bytes.starts_with("\xEF\xBB\xBF") ? Refusal::utf8File : Refusal::none;
}

Refusal workWithout(const AddWork& made, const Characters& leftOut, bool spell, AddWork& work) {
    const auto isLeftOut = [&](char32_t c) {
        for (int i = 1; i <= leftOut.count; ++i) {
            if (leftOut.at[i] == c) {
                return true;
            }
        }
        return false;
    };
    Characters kept;
    kept.count = 0;
    for (int i = 1; i <= made.text.count; ++i) {
        if (!isLeftOut(made.text.at[i])) {
            kept.at[++kept.count] = made.text.at[i];
        }
    }
    if (startCharacters(kept, made.names, spell, made.replace, work) != Refusal::none) {
        return work.refusal;
    }
    for (int i = 1; i <= work.distinct.count; ++i) {
        for (int j = 1; j <= made.distinct.count; ++j) {
            if (made.fitted[j] && made.distinct.at[j] == work.distinct.at[i]) {
                std::memcpy(work.value[i], made.value[j], sizeof work.value[i]);
                work.fitted[i] = true;
            }
        }
    }
    return Refusal::none;
}

Refusal planKeys(const IniText& text, AddWork& work) {
    work.refusal = encodingRefusal(text);
    if (work.refusal != Refusal::none) {
        return work.refusal;
    }
    readFigureList(text, work.names.outline, work.names.endMarker, work.list);
    work.newFigures = 0;
    for (int i = 1; i <= work.distinct.count; ++i) {
        work.existing[i] = findFigure(work.list, work.name[i]);
        work.newValue[i] = work.existing[i] == 0 || work.replace;
        work.keyOf[i] = work.existing[i];
        work.newFigures += work.existing[i] == 0 ? 1 : 0;
    }
    return assignFreeKeys(text, work);
}

Refusal checkFitted(AddWork& work) {
    for (int i = 1; i <= work.distinct.count; ++i) {
        if (work.newValue[i] && !work.fitted[i]) {
            return refuse(work, Refusal::changedMeanwhile);
        }
    }
    return Refusal::none;
}

Refusal editSettings(IniText& text, AddWork& work) {
    bool fits = true;
    for (int i = 1; i <= work.distinct.count; ++i) {
        if (work.newValue[i]) {
            char key[16];
            figures::figureKey(static_cast<std::uint32_t>(work.keyOf[i]), key);
            fits = fits && setIniValue(text, work.names.outline, key, work.value[i]);
        }
    }
    if (work.spell) {
        char number[16];
        std::snprintf(number, sizeof number, "%d", work.spelled.count);
        fits = fits && setIniValue(text, settings::mainSectionName, "OPTIONN", number);
        for (int s = 1; s <= work.spelled.count; ++s) {
            int i = 1;
            while (work.distinct.at[i] != work.spelled.at[s]) {
                ++i;
            }
            SlotKey key;
            slotKey(s, key);
            std::snprintf(number, sizeof number, "%d", work.keyOf[i]);
            fits = fits && setIniValue(text, settings::mainSectionName, key, number);
        }
        // A slot past the row would keep an old figure where the program reads one.
        for (int s = work.spelled.count + 1; s <= figures::maxSlots; ++s) {
            SlotKey key;
            slotKey(s, key);
            std::string_view old;
            if (iniValue(text, settings::mainSectionName, key, old) && old != "0") {
                fits = fits && setIniValue(text, settings::mainSectionName, key, "0");
            }
        }
    }
    return fits ? Refusal::none : refuse(work, Refusal::fileTooLarge);
}

void refusalText(const AddWork& work, wchar_t (&text)[512], Voice voice) {
    Writer out{text, text + 512};
    text[0] = L'\0';
    const bool console = voice == Voice::console;
    switch (work.refusal) {
    case Refusal::none: break;
    case Refusal::utf16File:
    case Refusal::utf8File:
        put(out, work.refusal == Refusal::utf16File
                     ? L"設定ファイルは UTF-16(メモ帳の「Unicode」)で保存されています。"
                     : L"設定ファイルは BOM 付きの UTF-8 で保存されています。");
        put(out, console ? L"kesta-figures は " : L"図形の追加は ");
        put(out, L"Shift-JIS のファイルだけを読み書きするので、何も変えずにやめました。メモ帳で"
                 L"「ANSI」として保存し直してから実行してください。");
        break;
    case Refusal::badText: put(out, L"文字列が長すぎるか、読めない文字を含みます。"); break;
    case Refusal::noCharacters: put(out, L"文字列に描ける文字がありません。"); break;
    case Refusal::tooManySpelled:
        put(out, console ? L"--spell で並べられるのは " : L"並べられるのは ");
        putNumber(out, figures::maxSlots);
        put(out, L" 文字までです(空白を除いて ");
        putNumber(out, work.spelled.count);
        put(out, L" 文字)。");
        break;
    case Refusal::endMarker:
    case Refusal::keyWithoutValue:
        put(out, L"図形を加える場所がありません: 図形の一覧は ZAHYO");
        putNumber(out, work.stopKey);
        if (work.refusal == Refusal::endMarker && console) {
            put(out, L" の終わりの印「");
            putAscii(out, work.names.endMarker);
            put(out,
                L"」で終わり、その後ろの図形は一覧に出ません。場所を作るには、設定ファイルで"
                L"印の行と、その後ろに隠している図形の行を、番号の大きいキーへ移してください。");
        } else if (work.refusal == Refusal::endMarker) {
            // The dialog's note is three lines: the marker starts a line, so it is never broken
            // at its hyphen.
            put(out, L" の終わりの印で終わります。\n");
            putAscii(out, work.names.endMarker);
            put(out, L" の行と後ろに隠した図形の行を、設定ファイルで番号の大きいキーへ移して"
                     L"ください。");
        } else {
            put(out, L" の「=」のない行で終わります。場所を作るには、設定ファイルでその行を"
                     L"消すか直してください。");
        }
        break;
    case Refusal::listFull:
        put(out, L"図形の一覧に入りきりません(最大 ");
        putNumber(out, figures::maxFigureNames);
        put(out, L" 個、今 ");
        putNumber(out, work.list.count);
        put(out, L" 個、追加 ");
        putNumber(out, work.newFigures);
        put(out, L" 個)。");
        break;
    case Refusal::fileTooLarge: put(out, L"設定ファイルが大きくなりすぎます。"); break;
    case Refusal::changedMeanwhile:
        put(out, L"作業中に設定ファイルの図形が変わりました。もう一度実行してください。");
        break;
    }
}

} // namespace figurefile
