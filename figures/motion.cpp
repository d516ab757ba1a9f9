// (stub: motion and projection are being written)
#include "figures/motion.h"

namespace figures {
void projectFigures() {}
void advanceMotion() {}
} // namespace figures
