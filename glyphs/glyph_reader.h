// Glyph reading through GDI (glyph_win32.cpp): a font chosen by face name at its own em size,
// glyph outlines read unhinted with their cubic curves intact, and each one proved against GDI's
// own rendering of the same glyph before it is used.
#pragma once

#include "fitter/fit.h"
#include "fitter/glyph.h"

namespace glyphs {

enum class FontFault { none, notInstalled, noOutlines };

// chosenFace receives the face GDI actually chose (it substitutes silently).
FontFault openFont(const wchar_t* face, bool bold, bool italic, fitter::FontFrame& frame,
                   wchar_t (&chosenFace)[32]);
void closeFont();

enum class GlyphFault { none, missing, empty, unreadable, mismatch };

// The minimum overlap of a glyph read with GDI's rendering of it, where a pixel that only one of
// the two covers is forgiven next to a pixel the other covers.
constexpr double readCheckThreshold = 0.99;

// How the font's splines are read: as its outlines are made (cubic in a CFF font, quadratic in a
// TrueType font) and, failing the check, the other way; or one way only.
enum class SplineReading { byFont, cubic, quadratic };

// The glyph's outline in font units (y up, origin on the baseline), and its overlap with GDI's
// rendering of the glyph.
GlyphFault readGlyph(char32_t character, fitter::Glyph& glyph, double& overlapWithRendering,
                     SplineReading reading = SplineReading::byFont);

} // namespace glyphs
