// The settings dialog's rules on the settings themselves, apart from any control: the figure-list
// rule that keeps the slots in use an unbroken run from slot 1 and counts them in OPTIONN, and the
// arithmetic of the scroll bars.
#pragma once

#include "settings/settings.h"

#include <cstdint>

namespace dialog {

enum class Warning { none, chooseOne, noGapInRun };

// Line and page moves of a scroll bar; anything else leaves the value.
enum class BarMove { none, lineLeft, lineRight, pageLeft, pageRight, thumb };

struct BarRange {
    settings::Value least;
    settings::Value greatest;
    settings::Value lineStep;
    settings::Value pageStep;
};

// The new value of a bar's setting after a move. Safe for any stored value: a value outside the
// range moves by one step towards it and is then held at the nearer bound.
settings::Value movedBarValue(settings::Value value, BarMove move, int thumbPosition,
                              const BarRange& range);

// A dialog taller than its monitor's work area scrolls its controls in a shorter window: the
// layout's height and the height shown, in pixels, and the layout's pixel row at the top.
struct ScrollSpan {
    std::int32_t content;
    std::int32_t visible;
};

// A wanted top row held to what shows the layout: from 0 to content - visible (0 when it fits).
std::int32_t heldScroll(std::int64_t wanted, const ScrollSpan& span);

// The top row nearest to `position` that shows the layout's rows top..bottom whole; a control
// taller than the window shows its top.
std::int32_t scrollShowing(std::int32_t position, std::int32_t top, std::int32_t bottom,
                           const ScrollSpan& span);

// The figure-list rule for `slot` after its list's selection changed to item `selected`. Each
// correction is made in OPTIONA at once and handed to `correct(item, warning)`, which shows the
// item in the list and gives the warning before the rule goes on: the warning's message loop may
// run this rule again, and must find the correction in place.
//
// A list without a selection (-1) changes nothing: the stored figure stays until the user picks
// one. With no figure to fall back on (figureCount 0) a blank that should become figure 1 stays
// blank, and its warning is given only when the blank is a new choice.
template <typename Correct>
void applyFigureChoice(int slot, int selected, int figureCount, Correct correct) {
    using settings::OPTIONA;
    using settings::OPTIONN;
    if (selected < 0) {
        return;
    }
    const bool wasBlank = OPTIONA[slot] == 0;
    OPTIONA[slot] = selected;
    auto fillBlank = [&](Warning warning) {
        if (figureCount > 0) {
            OPTIONA[slot] = 1;
            correct(1, warning);
        } else if (!wasBlank) {
            correct(0, warning);
        }
    };
    if (slot == 1) {
        if (selected == 0) {
            fillBlank(Warning::chooseOne);
        }
        return;
    }
    if (selected == 0 && slot < settings::slotCount && OPTIONA[slot + 1] != 0) {
        fillBlank(Warning::noGapInRun);
    }
    if (OPTIONA[slot] != 0 && slot >= 3 && OPTIONA[slot - 1] == 0) {
        OPTIONA[slot] = 0;
        correct(0, Warning::noGapInRun);
    }
    if (OPTIONA[slot] != 0 && OPTIONN == slot - 1) {
        OPTIONN = slot;
    } else if (OPTIONA[slot] == 0 && OPTIONN == slot) {
        OPTIONN = slot - 1;
    }
}

} // namespace dialog
