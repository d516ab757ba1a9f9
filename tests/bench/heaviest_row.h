// The heaviest row the outline format allows, set up alike by the native benchmarks and by the
// frame benchmark under Wine, so that both time the same frames: 26 slots of 45 points, a comb of
// seven teeth with four square holes, turning each on its own from a fixed start, seen under the
// steepest view and the strongest perspective, travelling about a 1024 x 700 window.
#pragma once

#include "figures/builder.h"
#include "figures/figures.h"
#include "figures/motion.h"
#include "render/frame_box.h"
#include "render/walls.h"
#include "settings/settings.h"

namespace heaviest_row {

constexpr int clientWidth = 1024, clientHeight = 700;

inline void setUp() {
    settings::OPTIONN = 26;
    settings::OPTIONP = 2;
    settings::STEPRAG = 7;
    settings::HABA = 3;
    settings::HABAJIDO = 1;
    settings::SIZES = 1;
    settings::SIZE = 10;
    settings::SIZEY = 4;
    settings::SIZEIDO = 3;
    settings::COLOR = 6;
    settings::COLORS = 1;
    settings::VIEW = 9;
    settings::ENKIN = 50;
    settings::KAITEN = 0;
    settings::BKMODE = 1;
    settings::ZANZOU = 0;
    figures::slotAngle = {};
    for (int s = 1; s <= 26; ++s) {
        figures::contourStart[s] = {};
        figures::contourEnd[s] = {};
        figures::outlineX[s] = {};
        figures::outlineY[s] = {};
        int n = 0;
        auto point = [&](int x, int y) {
            ++n;
            figures::outlineX[s][n] = x;
            figures::outlineY[s][n] = y;
        };
        point(-50, -50);
        point(0, -50);
        point(50, -50);
        for (int tooth = 0; tooth < 7; ++tooth) {
            int right = 50 - 15 * tooth, left = right - 10;
            point(right, 50);
            point(left, 50);
            if (tooth < 6) {
                point(left, 0);
                point(left - 5, 0);
            }
        }
        figures::contourStart[s][1] = 1;
        figures::contourEnd[s][1] = n;
        for (int h = 0; h < 4; ++h) {
            int x = -45 + 25 * h;
            figures::contourStart[s][2 + h] = n + 1;
            point(x, -45);
            point(x + 15, -45);
            point(x + 15, -25);
            point(x, -25);
            figures::contourEnd[s][2 + h] = n;
        }
        figures::pointCount[s] = n;
        figures::figureHeader[s] = {0, 1, 0, 0, 0, 5};
        settings::OPTIONC[s] = 1 + s % 8;
        settings::ZKAITEN[s] = 1;
        settings::STEPRAGS[s] = 3 + s % 11;
    }
}

// One frame's own arithmetic as composeFrame runs it, without drawing, with or without the wall
// ordering; the frame box it placed.
inline render::FrameBox frameWithoutDrawing(bool order) {
    figures::projectFigures();
    render::Extent extent = render::measureExtent();
    render::FrameBox box = render::placeFrameBox(extent);
    render::rewriteIntoFrame(box);
    if (order) {
        for (int s = 1; s <= render::slotsInUse(); ++s) {
            render::decideFaces(s);
            render::orderWalls(s);
        }
    }
    figures::advanceMotion();
    render::keepExtent(extent);
    return box;
}

} // namespace heaviest_row
