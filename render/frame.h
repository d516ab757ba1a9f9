// The frame composer: one animation frame per tick of the drawing timer.
#pragma once

#include <windows.h>

#include "render/backdrop_win32.h"
#include "render/frame_box.h"

namespace render {

// The background comes from the backdrop (BKMODE 0), black (1), or the window itself.
void composeFrame(HWND mainWindow, const Backdrop& backdrop,
                  BoxLimit limit = BoxLimit::stopsOutside);

} // namespace render
