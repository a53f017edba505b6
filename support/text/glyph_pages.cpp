/*
 * glyph_pages.cpp - pages of glyph coverage: shelf packing, the glyph
 * cache, the changed rectangle of each page, and closing the pages of
 * freed faces.
 *
 * Depends on: loaded_fonts.h (rendering glyphs and halos, closed faces),
 * fonts.h (own glyphs and halos). No GL.
 */
#include "support/text/glyph_pages.h"

#include "support/text/fonts.h"

#include <algorithm>

namespace vestrane::detail {

namespace {

constexpr int firstPageSize = 256;
constexpr int glyphGap = 1;  // texels left empty right of and below each glyph

// The face number of the own fonts' pages: loaded faces count from 1.
constexpr std::uint32_t ownFontsFace = 0;

void markChanged(GlyphPage& page, int x, int y, int width, int rows)
{
    if (page.dirtyX0 >= page.dirtyX1) {
        page.dirtyX0 = x;
        page.dirtyY0 = y;
        page.dirtyX1 = x + width;
        page.dirtyY1 = y + rows;
        return;
    }
    page.dirtyX0 = std::min(page.dirtyX0, x);
    page.dirtyY0 = std::min(page.dirtyY0, y);
    page.dirtyX1 = std::max(page.dirtyX1, x + width);
    page.dirtyY1 = std::max(page.dirtyY1, y + rows);
}

int newPage(GlyphAtlas& atlas, std::uint32_t faceSerial, int size)
{
    GlyphPage page;
    page.size = size;
    page.faceSerial = faceSerial;
    page.texels.assign(static_cast<std::size_t>(size) * static_cast<std::size_t>(size), 0);
    atlas.pages.push_back(std::move(page));
    return static_cast<int>(atlas.pages.size()) - 1;
}

// Doubles a page; its texture is sent whole again before the next draw.
void growPage(GlyphPage& page)
{
    const auto oldSize = static_cast<std::size_t>(page.size);
    const std::size_t size = oldSize * 2;
    std::vector<unsigned char> texels(size * size, 0);
    for (std::size_t row = 0; row < oldSize; ++row)
        std::copy_n(page.texels.begin() + static_cast<std::ptrdiff_t>(row * oldSize), oldSize,
                    texels.begin() + static_cast<std::ptrdiff_t>(row * size));
    page.texels.swap(texels);
    page.size = static_cast<int>(size);
}

// Finds room for a width x rows glyph on the current shelf or a new one.
bool shelfPlace(GlyphPage& page, int width, int rows, int& x, int& y)
{
    int shelfX = page.shelfX;
    int shelfY = page.shelfY;
    int shelfHeight = page.shelfHeight;
    if (shelfX + width > page.size) {
        shelfY += shelfHeight;
        shelfX = 0;
        shelfHeight = 0;
    }
    if (shelfX + width > page.size || shelfY + rows > page.size)
        return false;
    x = shelfX;
    y = shelfY;
    page.shelfX = shelfX + width + glyphGap;
    page.shelfY = shelfY;
    page.shelfHeight = std::max(shelfHeight, rows + glyphGap);
    return true;
}

// The page and place for a glyph of a face: its face's last page, grown
// while it can grow, or a new page.
int placeGlyph(GlyphAtlas& atlas, std::uint32_t faceSerial, int width, int rows, int& x, int& y)
{
    int index = -1;
    for (int i = static_cast<int>(atlas.pages.size()) - 1; i >= 0 && index < 0; --i)
        if (atlas.pages[static_cast<std::size_t>(i)].faceSerial == faceSerial &&
            atlas.pages[static_cast<std::size_t>(i)].size != 0)
            index = i;
    while (index >= 0) {
        GlyphPage& page = atlas.pages[static_cast<std::size_t>(index)];
        if (shelfPlace(page, width, rows, x, y))
            return index;
        if (page.size >= atlas.largestPage)
            break;
        growPage(page);
    }
    int size = firstPageSize;
    while (size < width || size < rows)
        size *= 2;
    index = newPage(atlas, faceSerial, std::min(size, atlas.largestPage));
    return shelfPlace(atlas.pages[static_cast<std::size_t>(index)], width, rows, x, y) ? index : -1;
}

void copyCoverage(const GlyphBitmap& bitmap, GlyphPage& page, int x, int y)
{
    for (int row = 0; row < bitmap.rows; ++row) {
        const unsigned char* source =
            bitmap.coverage + static_cast<std::ptrdiff_t>(row) * bitmap.pitch;
        unsigned char* target =
            page.texels.data() +
            static_cast<std::size_t>(y + row) * static_cast<std::size_t>(page.size) +
            static_cast<std::size_t>(x);
        for (int column = 0; column < bitmap.width; ++column)
            target[column] = bitmap.oneBit
                                 ? ((source[column / 8] >> (7 - column % 8)) & 1) != 0 ? 255 : 0
                                 : source[column];
    }
    markChanged(page, x, y, bitmap.width, bitmap.rows);
}

// The atlas entry of `key`, rasterised by `render(bitmap)` on its first use
// onto a page of its face.
template <typename Render>
const CachedGlyph& cachedGlyph(GlyphAtlas& atlas, const GlyphKey& key, Render render)
{
    const auto known = atlas.glyphs.find(key);
    if (known != atlas.glyphs.end())
        return known->second;
    CachedGlyph entry;
    GlyphBitmap bitmap;
    if (render(bitmap) && bitmap.width > 0 && bitmap.rows > 0 &&
        bitmap.width <= atlas.largestPage && bitmap.rows <= atlas.largestPage) {
        entry.page = placeGlyph(atlas, key.faceSerial, bitmap.width, bitmap.rows, entry.x, entry.y);
        if (entry.page >= 0)
            copyCoverage(bitmap, atlas.pages[static_cast<std::size_t>(entry.page)], entry.x,
                         entry.y);
        entry.width = bitmap.width;
        entry.rows = bitmap.rows;
        entry.left = bitmap.left;
        entry.top = bitmap.top;
    }
    return atlas.glyphs.emplace(key, entry).first->second;
}

// Own-glyph coverage, kept from one glyph to the next.
std::vector<unsigned char> ownCoverage;

}  // namespace

// ---------------------------------------------------------------------------
// Internal interface
// ---------------------------------------------------------------------------

const CachedGlyph& atlasGlyph(GlyphAtlas& atlas, const PlacedGlyph& glyph, std::uint32_t halo)
{
    return cachedGlyph(atlas, {glyph.faceSerial, glyph.size, glyph.glyph, halo},
                       [&glyph, halo](GlyphBitmap& bitmap) {
                           return halo == 0 ? renderGlyph(glyph, bitmap)
                                            : renderGlyphHalo(glyph, halo, bitmap);
                       });
}

const CachedGlyph& atlasOwnGlyph(GlyphAtlas& atlas, int fontIndex, int code, int scale, int halo)
{
    const GlyphKey key{ownFontsFace, static_cast<std::uint32_t>(scale),
                       static_cast<std::uint32_t>(fontIndex * 256 + code),
                       static_cast<std::uint32_t>(halo)};
    return cachedGlyph(atlas, key, [=](GlyphBitmap& bitmap) {
        bitmap.width = ownGlyphCoverage(fontIndex, code, scale, halo, ownCoverage, bitmap.rows);
        bitmap.pitch = bitmap.width;
        bitmap.left = -halo;
        bitmap.top = bitmap.rows - halo;
        bitmap.coverage = ownCoverage.data();
        return true;
    });
}

void closeFreedFacePages(GlyphAtlas& atlas, std::vector<unsigned int>& textures)
{
    if (atlas.closedSeen == closedFaceCount())
        return;
    atlas.closedSeen = closedFaceCount();
    for (std::size_t i = 0; i < atlas.pages.size(); ++i) {
        GlyphPage& page = atlas.pages[i];
        if (page.size == 0 || !isFaceClosed(page.faceSerial))
            continue;
        if (page.texture != 0)
            textures.push_back(page.texture);
        page = GlyphPage{};
        for (auto entry = atlas.glyphs.begin(); entry != atlas.glyphs.end();)
            entry = entry->second.page == static_cast<int>(i) ? atlas.glyphs.erase(entry)
                                                              : std::next(entry);
    }
}

void clearAtlas(GlyphAtlas& atlas, std::vector<unsigned int>& textures)
{
    for (const GlyphPage& page : atlas.pages)
        if (page.texture != 0)
            textures.push_back(page.texture);
    atlas = GlyphAtlas{};
}

PageChange takePageChange(GlyphPage& page)
{
    PageChange change;
    if (page.size == 0)
        return change;
    if (page.textureSize != page.size)
        change = {true, 0, 0, page.size, page.size};
    else if (page.dirtyX0 < page.dirtyX1)
        change = {false, page.dirtyX0, page.dirtyY0, page.dirtyX1 - page.dirtyX0,
                  page.dirtyY1 - page.dirtyY0};
    page.textureSize = page.size;
    page.dirtyX0 = page.dirtyX1 = 0;
    return change;
}

int openPageCount(const GlyphAtlas& atlas)
{
    return static_cast<int>(std::count_if(atlas.pages.begin(), atlas.pages.end(),
                                          [](const GlyphPage& page) { return page.size != 0; }));
}

}  // namespace vestrane::detail
