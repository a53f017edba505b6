/*
 * peer_glyphs.cpp - the bold font's glyph bytes for the plain-C peer, so
 * that its display lists draw the very bitmaps the library draws.
 *
 * Depends on: support/text/glyphs.h.
 */
#include "support/text/glyphs.h"

extern "C" {
extern const unsigned char* const peerGlyphs;
const unsigned char* const peerGlyphs = vestrane::detail::boldGlyphs.data();
}
