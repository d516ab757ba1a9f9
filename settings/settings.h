// The settings table: 125 32-bit settings named by their keys in the settings file, and the
// name buffers filled from the string table. Values are kept as signed 32-bit integers and
// stored in the file as their unsigned 32-bit pattern ("%u").
#pragma once

#include <array>
#include <cstdint>

namespace settings {

using Value = std::int32_t;
constexpr int slotCount = 26;
using PerSlot = std::array<Value, slotCount + 1>; // entry 0 left empty

// Dialog group (116 keys).
inline PerSlot OPTIONA{};
inline PerSlot OPTIONC{};
inline Value OPTIONN;
inline PerSlot ZKAITEN{};
inline Value OPTIONP;
inline Value STEPRAG;
inline PerSlot STEPRAGS{}; // STEPRAG1 .. STEPRAG26 (STEPRAG alone is the overall step)
inline Value HABA;
inline Value HABAJIDO;
inline Value SIZES;
inline Value SIZE;
inline Value SIZEY;
inline Value SIZEIDO;
inline Value COLOR;
inline Value COLORS;
inline Value TIMER;
// View group (5 keys).
inline Value VIEW;
inline Value ENKIN;
inline Value BKMODE;
inline Value ZANZOU;
inline Value KAITEN;
// Geometry group (4 keys).
inline Value SCREEN_T;
inline Value SCREEN_L;
inline Value SCREEN_H;
inline Value SCREEN_W;

// OPTIONP: the row turns in the middle of the window, or travels it.
enum class MotionMode : Value { centred = 1, travelling = 2 };
inline MotionMode motionMode() {
    return static_cast<MotionMode>(OPTIONP);
}

// The colour codes of COLOR and OPTIONC1..26, named for the colour they draw. The dialog's
// button labelled magenta stores 6 (cyan) and the one labelled cyan 7 (magenta); stored files
// rely on these codes.
enum class ColourCode : Value { red = 1, green, blue, white, yellow, cyan, magenta, black };
constexpr Value colourCodeCount = static_cast<Value>(ColourCode::black);
constexpr bool isColourCode(Value code) {
    return code >= 1 && code <= colourCodeCount;
}

// The clock (keys of their own, outside the three groups, which older versions ignore): TOKEI
// non-zero shows the time instead of the stored word, TOKEIFORM its form (figures/clock_text.h).
// Read at every read like the dialog group; written only where the user chooses them.
inline Value TOKEI;
inline Value TOKEIFORM;

// Set by the window procedure at the end of window creation; from then on readSettings leaves
// the view and geometry groups as they are in memory.
inline Value startupDone;

constexpr int keyCount = 125;
constexpr int dialogKeyCount = 116;
constexpr int viewKeyCount = 5;
constexpr int geometryKeyCount = 4;

// Name buffers (capacities include the terminating zero).
constexpr int keyNameSize = 10;
inline char settingsFileName[13];
inline char outlineSectionName[26];
inline char outlineEndMarker[10];
inline char keyName[keyCount][keyNameSize];
inline constexpr char mainSectionName[] = "KESTA";

void loadSettingNames();
void readSettings();
void writeDialogSettings();
void writeViewSettings();
void writeWindowGeometry();
void writeClockSettings();

} // namespace settings
