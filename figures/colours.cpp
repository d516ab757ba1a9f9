#include "figures/colours.h"

#include "figures/bounds.h"
#include "figures/builder.h"

namespace figures {

namespace {

struct ColourSet {
    Rgb face, shade, side;
};

// Indexed by colour code 1..8. Code 6 (stored by the dialog's "ﾏｾﾞﾝﾀ" button) draws cyan and
// code 7 ("ｼｱﾝ") magenta; stored settings files rely on these codes, so they stay as they are.
constexpr std::array<ColourSet, 9> colourSets{{
    {},
    {{255, 0, 0}, {128, 0, 0}, {192, 0, 0}},
    {{0, 255, 0}, {0, 128, 0}, {0, 192, 0}},
    {{0, 0, 255}, {0, 0, 128}, {0, 0, 192}},
    {{255, 255, 255}, {128, 128, 128}, {192, 192, 192}},
    {{255, 255, 0}, {128, 128, 0}, {192, 192, 0}},
    {{0, 255, 255}, {0, 128, 128}, {0, 192, 192}},
    {{255, 0, 255}, {128, 0, 128}, {192, 0, 192}},
    {{0, 0, 0}, {48, 48, 48}, {32, 32, 32}},
}};

} // namespace

void setSlotColour(int s) {
    if (settings::COLORS == 0) {
        settings::OPTIONC[s] = settings::COLOR;
    }
    std::int32_t code = settings::OPTIONC[s];
    if (code >= 1 && code <= 8) {
        faceColour[s] = colourSets[code].face;
        shadeColour[s] = colourSets[code].shade;
        sideColour[s] = colourSets[code].side;
    }
}

void setSlotColours(int slots) {
    for (int s = 1; s <= slots; ++s) {
        setSlotColour(s);
    }
}

} // namespace figures
