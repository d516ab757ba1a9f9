// Canonical composition (Unicode NFC) for the text's common cases: a Latin letter followed by a
// combining grave, acute, circumflex, tilde, macron, breve, dot, diaeresis, ring, double acute,
// caron, cedilla or ogonek, and kana followed by the combining (han)dakuten. A decomposed "á" or
// "が" typed or pasted then names the same one character, and one figure, as the composed form.
// Marks outside these cases stay as they are.
#pragma once

#include "figurefile/utf8.h"

namespace figurefile {

// The composed character of base and mark, or 0 when the pair is not composed here.
char32_t composedPair(char32_t base, char32_t mark);

// Composes the characters in place (the count shrinks by the marks taken in).
void composeCharacters(Characters& characters);

} // namespace figurefile
