#pragma once

#include <QRawFont>

#include <cstdint>
#include <set>
#include <string>

namespace orv {

// The TrueType program of a face cut down to the given glyphs (glyph 0,
// the missing glyph, is always kept). Glyph ids stay as they are, so text
// that names glyphs by id needs no renumbering; the glyphs left out become
// empty and cost a few bytes each. Empty when the face has no TrueType
// outlines or the subsetter refuses it.
std::string subsetTrueTypeProgram(const QRawFont& font, const std::set<uint32_t>& glyphs);

// Six upper-case letters naming a subset, the same for the same face and
// glyphs.
std::string subsetTag(const std::string& baseName, const std::set<uint32_t>& glyphs);

} // namespace orv
