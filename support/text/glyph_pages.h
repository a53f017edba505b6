/*
 * glyph_pages.h - pages of glyph coverage and where each glyph lies on them
 * (internal, C++).
 *
 * Depends on: loaded_fonts.h (placed glyphs, glyph bitmaps, halos), fonts.h
 * (the own glyphs and their halos). Used by the text contexts (one atlas
 * each), the batches that place glyphs and the renderers, which keep a
 * texture of each page; defined in glyph_pages.cpp. No GL: the atlas keeps
 * the texels and says which part of a page changed, and a renderer sends
 * that part to the page's texture before drawing from it.
 *
 * The glyphs of loaded fonts and of the own fonts (at each text scale)
 * share the atlas, with their halos: one face's glyphs a page (the own
 * fonts count as one face, number 0), each glyph or halo rasterised once
 * per atlas, size and halo width and never moved or overwritten; shelves
 * of glyphs fill a page row by row. A page starts at 256 x 256 texels and doubles up to 4096 x 4096
 * or the context's largest texture, whichever is smaller; a face whose page is full at that size
 * gets another. A glyph larger than a page can be draws nothing. The pages of a freed font's face
 * are closed the next time their atlas is used, and their textures handed back for deleting.
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

/* What a cached glyph is: a face (0: the own fonts), a size (26.6 em, or
 * the text scale for the own fonts), a glyph (its index in the face, or
 * font index x 256 + code), and the halo's width (26.6 pixels for loaded
 * fonts, whole pixels for the own fonts; 0: the glyph itself). */
struct GlyphKey {
    std::uint32_t faceSerial = 0;
    std::uint32_t size = 0;
    std::uint32_t glyph = 0;
    std::uint32_t halo = 0;
};

inline bool operator==(const GlyphKey& a, const GlyphKey& b)
{
    return a.faceSerial == b.faceSerial && a.size == b.size && a.glyph == b.glyph &&
           a.halo == b.halo;
}

struct GlyphKeyHash {
    std::size_t operator()(const GlyphKey& key) const
    {
        std::uint64_t hash = key.faceSerial;
        for (const std::uint32_t part : {key.size, key.glyph, key.halo})
            hash = hash * 0x100000001B3ULL ^ part;
        return static_cast<std::size_t>(hash ^ (hash >> 29));
    }
};

struct GlyphAtlas {
    std::vector<GlyphPage> pages;
    std::unordered_map<GlyphKey, CachedGlyph, GlyphKeyHash> glyphs;
    std::uint32_t closedSeen = 0;
    int largestPage = 4096;
};

/* The atlas entry of a loaded-font glyph, or of its halo `halo` 64ths of a
 * pixel wide (0: the glyph), rasterised onto a page on its first use
 * (marking the page's changed rectangle). Throws std::bad_alloc. */
const CachedGlyph& atlasGlyph(GlyphAtlas& atlas, const PlacedGlyph& glyph, std::uint32_t halo);

/* The atlas entry of an own-font glyph (font index 0..3, code 32..125) at
 * a text scale, or of its halo grown by `halo` pixels (0: the glyph); its
 * `left` and `top` place it from the glyph cell's bottom-left corner.
 * Throws std::bad_alloc. */
const CachedGlyph& atlasOwnGlyph(GlyphAtlas& atlas, int fontIndex, int code, int scale, int halo);

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

/* Brings a renderer's page textures up to date: `send(page, change)` for
 * each open page whose texture lacks part of it (page.texture 0: none made
 * yet). */
template <typename Send>
void sendPageChanges(GlyphAtlas& atlas, Send send)
{
    for (GlyphPage& page : atlas.pages)
        if (const PageChange change = takePageChange(page); change.width != 0)
            send(page, change);
}

/* Closes the pages of faces freed since the atlas last looked, calling
 * `remove(texture)` for each of their textures: once what was placed on
 * them has been drawn. */
template <typename Remove>
void removeFreedFacePages(GlyphAtlas& atlas, Remove remove)
{
    std::vector<unsigned int> closed;
    closeFreedFacePages(atlas, closed);
    for (unsigned int texture : closed)
        remove(texture);
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
