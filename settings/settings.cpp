// The settings store: one table names every setting, in the order in which the file is read and
// written, with the string that holds its key, where it lives, its default and its group.
#include "settings/settings.h"

#include "resources/resource.h"
#include "settings/profile.h"

#include <array>
#include <cstdint>
#include <cstdio>

namespace settings {

namespace {

enum Group : std::uint8_t { dialog, view, geometry };

struct Key {
    unsigned nameId; // string table entry holding the key name
    Value* value;
    Value defaultValue;
    Group group;
};

constexpr Key keys[keyCount] = {
    {1010, &OPTIONA[1], 22, dialog},  // OPTIONA1
    {1011, &OPTIONA[2], 5, dialog},   // OPTIONA2
    {1012, &OPTIONA[3], 0, dialog},   // OPTIONA3
    {1013, &OPTIONA[4], 0, dialog},   // OPTIONA4
    {1014, &OPTIONA[5], 0, dialog},   // OPTIONA5
    {1015, &OPTIONA[6], 0, dialog},   // OPTIONA6
    {1016, &OPTIONA[7], 0, dialog},   // OPTIONA7
    {1030, &OPTIONA[8], 0, dialog},   // OPTIONA8
    {1031, &OPTIONA[9], 0, dialog},   // OPTIONA9
    {1062, &OPTIONA[10], 0, dialog},  // OPTIONA10
    {1066, &OPTIONA[11], 0, dialog},  // OPTIONA11
    {1067, &OPTIONA[12], 0, dialog},  // OPTIONA12
    {1068, &OPTIONA[13], 0, dialog},  // OPTIONA13
    {1069, &OPTIONA[14], 0, dialog},  // OPTIONA14
    {1070, &OPTIONA[15], 0, dialog},  // OPTIONA15
    {1119, &OPTIONA[16], 0, dialog},  // OPTIONA16
    {1120, &OPTIONA[17], 0, dialog},  // OPTIONA17
    {1121, &OPTIONA[18], 0, dialog},  // OPTIONA18
    {1122, &OPTIONA[19], 0, dialog},  // OPTIONA19
    {1123, &OPTIONA[20], 0, dialog},  // OPTIONA20
    {1124, &OPTIONA[21], 0, dialog},  // OPTIONA21
    {1125, &OPTIONA[22], 0, dialog},  // OPTIONA22
    {1126, &OPTIONA[23], 0, dialog},  // OPTIONA23
    {1127, &OPTIONA[24], 0, dialog},  // OPTIONA24
    {1128, &OPTIONA[25], 0, dialog},  // OPTIONA25
    {1129, &OPTIONA[26], 0, dialog},  // OPTIONA26
    {1035, &OPTIONC[1], 3, dialog},   // OPTIONC1
    {1036, &OPTIONC[2], 3, dialog},   // OPTIONC2
    {1037, &OPTIONC[3], 3, dialog},   // OPTIONC3
    {1038, &OPTIONC[4], 3, dialog},   // OPTIONC4
    {1039, &OPTIONC[5], 3, dialog},   // OPTIONC5
    {1040, &OPTIONC[6], 3, dialog},   // OPTIONC6
    {1041, &OPTIONC[7], 3, dialog},   // OPTIONC7
    {1042, &OPTIONC[8], 3, dialog},   // OPTIONC8
    {1043, &OPTIONC[9], 3, dialog},   // OPTIONC9
    {1063, &OPTIONC[10], 3, dialog},  // OPTIONC10
    {1071, &OPTIONC[11], 3, dialog},  // OPTIONC11
    {1072, &OPTIONC[12], 3, dialog},  // OPTIONC12
    {1073, &OPTIONC[13], 3, dialog},  // OPTIONC13
    {1074, &OPTIONC[14], 3, dialog},  // OPTIONC14
    {1075, &OPTIONC[15], 3, dialog},  // OPTIONC15
    {1108, &OPTIONC[16], 3, dialog},  // OPTIONC16
    {1109, &OPTIONC[17], 3, dialog},  // OPTIONC17
    {1110, &OPTIONC[18], 3, dialog},  // OPTIONC18
    {1111, &OPTIONC[19], 3, dialog},  // OPTIONC19
    {1112, &OPTIONC[20], 3, dialog},  // OPTIONC20
    {1113, &OPTIONC[21], 3, dialog},  // OPTIONC21
    {1114, &OPTIONC[22], 3, dialog},  // OPTIONC22
    {1115, &OPTIONC[23], 3, dialog},  // OPTIONC23
    {1116, &OPTIONC[24], 3, dialog},  // OPTIONC24
    {1117, &OPTIONC[25], 3, dialog},  // OPTIONC25
    {1118, &OPTIONC[26], 3, dialog},  // OPTIONC26
    {1017, &OPTIONN, 2, dialog},      // OPTIONN
    {1052, &ZKAITEN[1], 0, dialog},   // ZKAITEN1
    {1053, &ZKAITEN[2], 0, dialog},   // ZKAITEN2
    {1054, &ZKAITEN[3], 0, dialog},   // ZKAITEN3
    {1055, &ZKAITEN[4], 0, dialog},   // ZKAITEN4
    {1056, &ZKAITEN[5], 0, dialog},   // ZKAITEN5
    {1057, &ZKAITEN[6], 0, dialog},   // ZKAITEN6
    {1058, &ZKAITEN[7], 0, dialog},   // ZKAITEN7
    {1059, &ZKAITEN[8], 0, dialog},   // ZKAITEN8
    {1060, &ZKAITEN[9], 0, dialog},   // ZKAITEN9
    {1065, &ZKAITEN[10], 0, dialog},  // ZKAITEN10
    {1081, &ZKAITEN[11], 0, dialog},  // ZKAITEN11
    {1082, &ZKAITEN[12], 0, dialog},  // ZKAITEN12
    {1083, &ZKAITEN[13], 0, dialog},  // ZKAITEN13
    {1084, &ZKAITEN[14], 0, dialog},  // ZKAITEN14
    {1085, &ZKAITEN[15], 0, dialog},  // ZKAITEN15
    {1086, &ZKAITEN[16], 0, dialog},  // ZKAITEN16
    {1087, &ZKAITEN[17], 0, dialog},  // ZKAITEN17
    {1088, &ZKAITEN[18], 0, dialog},  // ZKAITEN18
    {1089, &ZKAITEN[19], 0, dialog},  // ZKAITEN19
    {1090, &ZKAITEN[20], 0, dialog},  // ZKAITEN20
    {1091, &ZKAITEN[21], 0, dialog},  // ZKAITEN21
    {1092, &ZKAITEN[22], 0, dialog},  // ZKAITEN22
    {1093, &ZKAITEN[23], 0, dialog},  // ZKAITEN23
    {1094, &ZKAITEN[24], 0, dialog},  // ZKAITEN24
    {1095, &ZKAITEN[25], 0, dialog},  // ZKAITEN25
    {1096, &ZKAITEN[26], 0, dialog},  // ZKAITEN26
    {1018, &OPTIONP, 0, dialog},      // OPTIONP
    {1019, &STEPRAG, 9, dialog},      // STEPRAG
    {1003, &STEPRAGS[1], 9, dialog},  // STEPRAG1
    {1002, &STEPRAGS[2], 9, dialog},  // STEPRAG2
    {1004, &STEPRAGS[3], 9, dialog},  // STEPRAG3
    {1005, &STEPRAGS[4], 9, dialog},  // STEPRAG4
    {1006, &STEPRAGS[5], 9, dialog},  // STEPRAG5
    {1008, &STEPRAGS[6], 9, dialog},  // STEPRAG6
    {1009, &STEPRAGS[7], 9, dialog},  // STEPRAG7
    {1027, &STEPRAGS[8], 9, dialog},  // STEPRAG8
    {1051, &STEPRAGS[9], 9, dialog},  // STEPRAG9
    {1064, &STEPRAGS[10], 9, dialog}, // STEPRAG10
    {1076, &STEPRAGS[11], 9, dialog}, // STEPRAG11
    {1077, &STEPRAGS[12], 9, dialog}, // STEPRAG12
    {1078, &STEPRAGS[13], 9, dialog}, // STEPRAG13
    {1079, &STEPRAGS[14], 9, dialog}, // STEPRAG14
    {1080, &STEPRAGS[15], 9, dialog}, // STEPRAG15
    {1097, &STEPRAGS[16], 9, dialog}, // STEPRAG16
    {1098, &STEPRAGS[17], 9, dialog}, // STEPRAG17
    {1099, &STEPRAGS[18], 9, dialog}, // STEPRAG18
    {1100, &STEPRAGS[19], 9, dialog}, // STEPRAG19
    {1101, &STEPRAGS[20], 9, dialog}, // STEPRAG20
    {1102, &STEPRAGS[21], 9, dialog}, // STEPRAG21
    {1103, &STEPRAGS[22], 9, dialog}, // STEPRAG22
    {1104, &STEPRAGS[23], 9, dialog}, // STEPRAG23
    {1105, &STEPRAGS[24], 9, dialog}, // STEPRAG24
    {1106, &STEPRAGS[25], 9, dialog}, // STEPRAG25
    {1107, &STEPRAGS[26], 9, dialog}, // STEPRAG26
    {1020, &HABA, 0, dialog},         // HABA
    {1021, &HABAJIDO, 1, dialog},     // HABAJIDO
    {1032, &SIZES, 1, dialog},        // SIZES
    {1022, &SIZE, 10, dialog},        // SIZE
    {1033, &SIZEY, 10, dialog},       // SIZEY
    {1023, &SIZEIDO, 10, dialog},     // SIZEIDO
    {1024, &COLOR, 3, dialog},        // COLOR
    {1034, &COLORS, 0, dialog},       // COLORS
    {1025, &TIMER, 55, dialog},       // TIMER
    {1026, &VIEW, 1, view},           // VIEW
    {1061, &ENKIN, 15, view},         // ENKIN
    {1044, &BKMODE, 1, view},         // BKMODE
    {1045, &ZANZOU, 0, view},         // ZANZOU
    {1050, &KAITEN, 0, view},         // KAITEN
    {1046, &SCREEN_T, 0, geometry},   // SCREEN_T
    {1047, &SCREEN_L, 0, geometry},   // SCREEN_L
    {1048, &SCREEN_H, 480, geometry}, // SCREEN_H
    {1049, &SCREEN_W, 640, geometry}, // SCREEN_W
};

static_assert(keys[dialogKeyCount - 1].group == dialog && keys[dialogKeyCount].group == view);
static_assert(keys[keyCount - geometryKeyCount - 1].group == view &&
              keys[keyCount - geometryKeyCount].group == geometry);

// The clock's keys are named here, not in the string table, whose entries belong to the 125
// settings of the three groups.
struct ClockKey {
    const char* name;
    Value* value;
    Value defaultValue;
};
constexpr std::array<ClockKey, 2> clockKeys{{{"TOKEI", &TOKEI, 0}, {"TOKEIFORM", &TOKEIFORM, 1}}};

// Values whose write the file refused. Later reads give them back as if the write had gone
// through, so a confirmed edit stays in effect for the rest of the run instead of vanishing with
// the next read of the unchanged file.
std::array<bool, keyCount> unstored{};
std::array<Value, keyCount> unstoredValue{};
// The same for the clock's keys, which are only ever written together: while set, reads keep
// the values in memory.
bool clockUnstored;

void readKey(int index) {
    const Key& key = keys[index];
    if (unstored[index]) {
        *key.value = unstoredValue[index];
        return;
    }
    // The file holds the unsigned 32-bit pattern; C++20 converts it back modulo 2^32.
    *key.value = static_cast<Value>(profile::readInt(mainSectionName, keyName[index],
                                                     static_cast<std::uint32_t>(key.defaultValue),
                                                     settingsFileName));
}

bool writeValue(const char* key, Value value) {
    char text[40];
    std::snprintf(text, sizeof text, "%u",
                  static_cast<unsigned>(static_cast<std::uint32_t>(value)));
    return profile::writeString(mainSectionName, key, text, settingsFileName);
}

void writeGroup(Group group) {
    bool failed = false;
    for (int index = 0; index < keyCount; ++index) {
        if (keys[index].group != group) {
            continue;
        }
        const bool stored = writeValue(keyName[index], *keys[index].value);
        unstored[index] = !stored;
        unstoredValue[index] = *keys[index].value;
        failed = failed || !stored;
    }
    if (failed) {
        profile::reportWriteFailure(settingsFileName);
    }
}

} // namespace

void loadSettingNames() {
    profile::loadString(IDS_FILENAME, settingsFileName, sizeof settingsFileName);
    profile::loadString(IDS_OUTLINESECTION, outlineSectionName, sizeof outlineSectionName);
    profile::loadString(IDS_ENDMARKER, outlineEndMarker, sizeof outlineEndMarker);
    for (int index = 0; index < keyCount; ++index) {
        profile::loadString(keys[index].nameId, keyName[index], keyNameSize);
    }
}

void readSettings() {
    for (int index = 0; index < keyCount; ++index) {
        // Once the window stands, the view and geometry groups live in memory until exit.
        if (keys[index].group != dialog && startupDone != 0) {
            break;
        }
        readKey(index);
    }
    for (const ClockKey& key : clockKeys) {
        if (!clockUnstored) {
            *key.value = static_cast<Value>(
                profile::readInt(mainSectionName, key.name,
                                 static_cast<std::uint32_t>(key.defaultValue), settingsFileName));
        }
    }
}

void writeDialogSettings() {
    writeGroup(dialog);
}
void writeClockSettings() {
    bool stored = true;
    for (const ClockKey& key : clockKeys) {
        stored = writeValue(key.name, *key.value) && stored;
    }
    clockUnstored = !stored;
    if (!stored) {
        profile::reportWriteFailure(settingsFileName);
    }
}

void writeViewSettings() {
    writeGroup(view);
}
void writeWindowGeometry() {
    writeGroup(geometry);
}

} // namespace settings
