/*
 * text_batch.h - texts and lines placed as quads in window pixels, kept in
 * draw order until a renderer draws them (internal, C++).
 *
 * Depends on: glyph_pages.h (where each glyph lies on its page),
 * loaded_fonts.h (laid-out text), fonts.h (own-font metrics). Defined in
 * text_batch.cpp; used by the text contexts (one batch each), text.cpp,
 * which records every text and line into its context's batch, and the
 * renderers, which draw a batch and empty it. No GL.
 *
 * A text is recorded as the quads of its glyphs, after the quads of their
 * halos when it has one. Consecutive quads drawn the same way (the same
 * page, the same blending, the same depth test) make one run, which a
 * renderer draws in one call; so the texts of a whole batch on one page
 * are one draw. Recording rasterises glyphs it has not met (onto the
 * atlas's pages) and allocates nothing once the batch's storage has grown
 * to its size. Positions are window pixels (origin at the bottom left of
 * the window) and window depth (0 near, 1 far); texel rectangles are in
 * texels of their page, which keeps them when it grows.
 */
#ifndef VESTRANE_SUPPORT_TEXT_TEXT_BATCH_H
#define VESTRANE_SUPPORT_TEXT_TEXT_BATCH_H

#include "support/text/glyph_pages.h"
#include "support/text/loaded_fonts.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace vestrane::detail {

/* How text and lines are drawn. */
struct DrawStyle {
    std::array<float, 4> color{1.0f, 1.0f, 1.0f, 1.0f};
    bool ownColor = false;  // false: GL's current colour (fixed function only)
    bool depthTest = false;
};

/* A halo around glyphs: `width` pixels at text scale 1 (0: none). */
struct Halo {
    float width = 0.0f;
    std::array<float, 4> color{};
};

/* Where a bitmap text starts: the raster position at the anchor (x, y,
 * depth), moved by (dx, dy) before the first glyph, as glBitmap moves it. */
struct RasterStart {
    float x;
    float y;
    float depth;
    float dx;
    float dy;
};

struct OwnText {
    const char* text;
    int font;
    int scale;
    RasterStart start;
};

/* How a run's fragments are made and blended: own-font glyphs and their
 * halos (the colour where the page has ink, through the caller's
 * blending), loaded-font glyphs and their halos (the colour's alpha times
 * the coverage, blended by it), lines (the colour, through the caller's
 * blending). */
enum class RunKind : std::uint8_t { ownGlyphs, loadedGlyphs, lines };

/* A glyph's or halo's rectangle [x0, x1) x [y0, y1) at a depth, its texels
 * [s0, s1) x [t0, t1) (t0 the top row), and its colour. A line is its two
 * ends (x0, y0) and (x1, y1). */
struct BatchQuad {
    float x0;
    float y0;
    float x1;
    float y1;
    float depth;
    float s0;
    float t0;
    float s1;
    float t1;
    std::array<float, 4> color;
};

/* Consecutive quads drawn in one call: `page` indexes the atlas's pages
 * (-1 for lines). Halos are depth-tested as their text is but write no
 * depth, which would hide their own glyphs, at the same depth. */
struct BatchRun {
    RunKind kind;
    int page;
    bool depthTest;
    bool depthWrites;
    std::uint32_t first;
    std::uint32_t count;
};

struct TextBatch {
    std::vector<BatchQuad> quads;
    std::vector<BatchRun> runs;
    bool open = false;  // between beginTextBatch and endTextBatch
    // What a renderer draws from, made by batchVertices: the vertices, and
    // how many each run has.
    std::vector<float> vertices;
    std::vector<int> runVertices;
};

/* Records own-font text as glBitmap would draw it: each glyph at the floor
 * of its raster position (after GL's 1e-4 of slack), one page texel a
 * pixel; halo quads first when `halo` has a width; the glyphs themselves
 * unless `haloOnly`. Throws std::bad_alloc. */
void recordOwnText(TextBatch& batch, GlyphAtlas& atlas, const OwnText& text, const DrawStyle& style,
                   const Halo& halo, bool haloOnly);

/* Records a laid-out text with its pen at (x, baseline), whole pixels;
 * halo quads first when `halo` has a width. Throws std::bad_alloc (the text
 * is then left out). */
void recordLoadedText(TextBatch& batch, GlyphAtlas& atlas, const TextLayout& layout, float x,
                      float baseline, float depth, const DrawStyle& style, const Halo& halo,
                      int scale);

/* Records a line between two window points. Throws std::bad_alloc. */
void recordLine(TextBatch& batch, const std::array<float, 3>& from, const std::array<float, 3>& to,
                const DrawStyle& style);

/* The vertices the renderers draw a batch from: window x, y and depth,
 * the page's s and t (0 to 1), red, green, blue and alpha. */
inline constexpr int floatsPerVertex = 9;

/* The vertices of a batch, run after run, into batch.vertices (emptied
 * first): two triangles a quad, cut to `viewport` (clipQuad), its texels
 * over its page's size; two vertices a line. batch.runVertices[i] says how
 * many run i has (0 when nothing of it is left). Throws std::bad_alloc. */
void batchVertices(TextBatch& batch, const GlyphAtlas& atlas, const std::array<int, 4>& viewport);

/* Calls draw(run, first, count) for each run of the batch with vertices
 * left, in order: its first vertex and how many (after batchVertices). */
template <typename Draw>
void forEachDrawnRun(const TextBatch& batch, Draw draw)
{
    int first = 0;
    for (std::size_t i = 0; i < batch.runs.size(); ++i) {
        if (batch.runVertices[i] != 0)
            draw(batch.runs[i], first, batch.runVertices[i]);
        first += batch.runVertices[i];
    }
}

/* Cuts a glyph's or halo's quad to the window rectangle [x, x + width) x
 * [y, y + height) of `viewport` (x, y, width, height), its texels with it
 * (one texel a pixel); false when nothing of it is left. The picture is
 * the same (GL draws nothing outside the viewport), but a renderer need
 * not clip. */
bool clipQuad(BatchQuad& quad, const std::array<int, 4>& viewport);

/* Empties the batch, keeping its storage. */
void clearBatch(TextBatch& batch);

}  // namespace vestrane::detail

#endif
