// The three colours of every slot in use, from its colour code.
#pragma once

namespace figures {

// With COLORS 0 every slot first takes COLOR as its code; a code outside 1..8 leaves the slot's
// colours as they were.
void setSlotColours(int slots);
void setSlotColour(int slot);

} // namespace figures
