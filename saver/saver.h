// The screensaver's ways into the program: what the command line asks for, the mouse watch that
// ends the full-screen run, and the row's fit into the small preview. Platform-free; the
// windows themselves live in app/saver_windows.cpp.
#pragma once

#include "figures/builder.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace saver {

// How this run was asked to start.
enum class Mode {
    program,    // no arguments under the program's own name: the ordinary main window
    fullScreen, // /s
    preview,    // /p <window>
    settings,   // /c[:<window>], or no arguments under the screensaver name
    refused,    // anything else
};

enum class Refusal {
    none,
    unknownSwitch, // offending: the word that is no switch of ours
    noWindow,      // offending: the switch that needs a window
    notANumber,    // offending: the text given as a window
    extraText,     // offending: the first word after a complete request
    notAWindow,    // offending: the handle, which names no window (found by the entry procedure)
};

struct StartRequest {
    Mode mode = Mode::program;
    bool hasWindow = false;
    std::uint64_t window = 0;     // the handle's bits, as given in decimal
    std::wstring_view windowText; // the handle as written
    Refusal refusal = Refusal::none;
    std::wstring_view offending;
};

// Set once by the entry procedure; the window procedure reads it.
inline Mode mode = Mode::program;

// True when the program file is named *.scr (any case).
bool screensaverName(std::wstring_view modulePath);

// The arguments as the entry procedure receives them (the program's name left out).
// Switches: /s, /p <window>, /c[:<window>], in any case, with '/' or '-', the window after a
// colon or a space.
StartRequest readArguments(std::wstring_view arguments, bool underScreensaverName);

// The full-screen run ends on a mouse move of more than mouseSlack pixels either way from where
// the cursor stood at the start. The first move message never ends it (the system sends one when
// the window appears under the cursor) and its place becomes the start.
constexpr std::int64_t mouseSlack = 4;
struct MouseWatch {
    std::int32_t startX, startY;
    bool firstMoveSeen;
};
inline MouseWatch mouseWatch;

void watchMouseFrom(std::int32_t x, std::int32_t y);
bool mouseMovedAway(std::int32_t x, std::int32_t y);

// Makes the row standing in the middle of a drawing area of width x height as large as stays
// inside it however it turns, tilts and comes nearer: in memory, between reading the outlines
// and building them, and never larger than it is. The DPI the row is built for goes down (the
// whole row smaller, every figure keeping its shape); only below the least DPI do SIZE and
// SIZEY shrink too, a size of 1 the least they get.
void fitRowInto(std::int32_t width, std::int32_t height);

// The largest rectangle that lies wholly on the given monitors (screen coordinates, right and
// bottom exclusive), where the full-screen row can travel and always be seen: monitors of
// different sizes or with gaps leave parts of their bounding rectangle that none shows. Monitors
// past maxMonitors and empty ones count as none; with none it is empty. Of rectangles of equal
// size the first found (the topmost, then leftmost) wins.
constexpr std::size_t maxMonitors = 16;
figures::Area largestShownArea(const figures::Area* monitors, std::size_t count);

// Whether a part of the grip (the caption's bare strip a window is dragged by) at least
// leastWidth x leastHeight lies on one of the monitors (their work areas), so that the mouse
// can take hold of it. A sliver along an edge is not enough.
bool grabbable(const figures::Area& grip, const figures::Area* monitors, std::size_t count,
               std::int32_t leastWidth, std::int32_t leastHeight);

} // namespace saver
