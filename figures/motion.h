// Per-frame rotation, tilt, perspective and projection of every vertex, and the advance of the
// angles and the travelling row after each frame.
#pragma once

#include "figures/figures.h"

namespace figures {

// Individual rotation angle of every slot, running from program start; a build never resets it.
inline SlotTable slotAngle{};

// Projected vertices of this frame, relative to the row centre with y up. The frame composer
// rewrites screenX and screenY in place into frame-bitmap coordinates.
inline Table<std::int32_t, maxVertices> screenX{};
inline Table<std::int32_t, maxVertices> screenY{};
inline Table<double, maxVertices> projX{};
inline Table<double, maxVertices> projY{};
inline Table<double, maxVertices> projZ{};

void projectFigures();
void advanceMotion();

} // namespace figures
