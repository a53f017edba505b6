/*
 * glyph_pages.h - pages of loaded-font glyph coverage and where each glyph
 * lies on them (internal, C++).
 *
 * Depends on: loaded_fonts.h (placed glyphs, glyph bitmaps). Used by the
 * text contexts (one atlas each) and the renderers, which keep a texture
 * of each page; defined in glyph_pages.cpp. No GL: the atlas keeps the
 * texels and says which part of a page changed, and a renderer sends that
 * part to the page's texture before drawing from it.
 *
 * One face's glyphs a page, each glyph rasterised once per atlas and size
 * and never moved or overwritten; shelves of glyphs fill a page row by
 * row. A page starts at 256 x 256 texels and doubles up to 4096 x 4096 or
 * the context's largest texture, whichever is smaller; a face whose page
 * is full at that size gets another. A glyph larger than a page can be
 * draws nothing. The pages of a freed font's face are closed the next time
 * their atlas is used, and their textures handed back for deleting.
 */
#ifndef VESTRANE_SUPPORT_TEXT_GLYPH_PAGES_H
#define VESTRANE_SUPPORT_TEXT_GLYPH_PAGES_H

#include "support/text/loaded_fonts.h"

#include <cstdint>
#include <unordered_map>
#include <vector>

namespace vestrane::detail {

struct GlyphPage {
    unsigned int texture = 0;  // the renderer's texture; 0: none yet
    int textureSize = 0;       // the size the texture holds; 0: none
    int size = 0;              // 0 once closed
    std::uint32_t faceSerial = 0;
    std::vector<unsigned char> texels;  // size x size, row 0 at t = 0
    int shelfX = 0;
    int shelfY = 0;
    int shelfHeight = 0;
    // The rectangle changed since the texture was last sent: [x0, x1) x
    // [y0, y1); empty when x0 >= x1.
    int dirtyX0 = 0;
    int dirtyY0 = 0;
    int dirtyX1 = 0;
    int dirtyY1 = 0;
};

/* Where a glyph is on its pages; page -1: it draws nothing. */
struct CachedGlyph {
    int page = -1;
    int x = 0;
    int y = 0;
    int width = 0;
    int rows = 0;
    int left = 0;
    int top = 0;
};

struct GlyphAtlas {
    std::vector<GlyphPage> pages;
    std::unordered_map<std::uint64_t, CachedGlyph> glyphs;
    std::uint32_t closedSeen = 0;
    int largestPage = 4096;
};

/* The atlas entry of a glyph, rasterised onto a page on its first use
 * (marking the page's changed rectangle). Throws std::bad_alloc. */
const CachedGlyph& atlasGlyph(GlyphAtlas& atlas, const PlacedGlyph& glyph);

/* Closes the pages of faces freed since the atlas last looked; appends
 * their textures to `textures` for the caller to delete. */
void closeFreedFacePages(GlyphAtlas& atlas, std::vector<unsigned int>& textures);

/* Every texture of the atlas's pages, appended to `textures`; the atlas is
 * emptied. */
void clearAtlas(GlyphAtlas& atlas, std::vector<unsigned int>& textures);

/* The part of an open page that its texture lacks: all of it when the
 * texture has no storage of the page's size yet (`whole`), else the
 * rectangle changed since it was last sent; width 0 when nothing. */
struct PageChange {
    bool whole = false;
    int x = 0;
    int y = 0;
    int width = 0;
    int rows = 0;
};

/* What a renderer sends of the page to its texture now; the page counts as
 * sent afterwards. */
[[nodiscard]] PageChange takePageChange(GlyphPage& page);

/* Brings a renderer's page textures up to date: `remove(texture)` for the
 * texture of each page of a face freed since the atlas last looked, then
 * `send(page, change)` for each open page whose texture lacks part of it
 * (page.texture 0: none made yet). */
template <typename Remove, typename Send>
void syncPageTextures(GlyphAtlas& atlas, Remove remove, Send send)
{
    std::vector<unsigned int> closed;
    closeFreedFacePages(atlas, closed);
    for (unsigned int texture : closed)
        remove(texture);
    for (GlyphPage& page : atlas.pages)
        if (const PageChange change = takePageChange(page); change.width != 0)
            send(page, change);
}

/* How many open pages the atlas holds. */
[[nodiscard]] int openPageCount(const GlyphAtlas& atlas);

/* Whole pixels for a 26.6 position, halves rounded up. */
constexpr int roundToPixels(long long position)
{
    return static_cast<int>((position + 32 - ((position + 32) % 64 + 64) % 64) / 64);
}

}  // namespace vestrane::detail

#endif
