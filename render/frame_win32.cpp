// (stub: the frame composer is being written; until then a tick draws nothing)
#include "render/frame.h"

namespace render {
void composeFrame(HWND) {}
} // namespace render
