#include "figures/colours.h"

#include "figures/bounds.h"
#include "figures/builder.h"
#include "settings/settings.h"

namespace figures {

namespace {

struct ColourSet {
    Rgb face, shade, side;
};

// Indexed by colour code (settings::ColourCode), entry 0 empty. Code 6 (stored by the dialog's
// "ﾏｾﾞﾝﾀ" button) draws cyan and code 7 ("ｼｱﾝ") magenta.
constexpr std::array<ColourSet, settings::colourCodeCount + 1> colourSets{{
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
    if (settings::isColourCode(code)) {
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
