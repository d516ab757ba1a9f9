// The frame composer: one animation frame per tick of the drawing timer.
#pragma once

#include <windows.h>

namespace render {

void composeFrame(HWND mainWindow);

} // namespace render
