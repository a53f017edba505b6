/*
 * text_batch.cpp - texts and lines recorded as quads in window pixels, in
 * runs of quads drawn the same way.
 *
 * Depends on: glyph_pages.h (atlas entries of glyphs and halos), fonts.h
 * (own-font metrics), loaded_fonts.h. No GL.
 */
#include "support/text/text_batch.h"

#include "support/text/fonts.h"

#include <cmath>

namespace vestrane::detail {

namespace {

// How a quad is drawn: its run's kind, page and depth settings.
struct QuadKind {
    RunKind kind;
    int page;
    bool depthTest;
    bool depthWrites;
};

// Appends a quad, extending the last run when it is drawn the same way.
void appendQuad(TextBatch& batch, const QuadKind& how, const BatchQuad& quad)
{
    BatchRun* last = batch.runs.empty() ? nullptr : &batch.runs.back();
    if (last == nullptr || last->kind != how.kind || last->page != how.page ||
        last->depthTest != how.depthTest || last->depthWrites != how.depthWrites)
        last =
            &batch.runs.emplace_back(BatchRun{how.kind, how.page, how.depthTest, how.depthWrites,
                                              static_cast<std::uint32_t>(batch.quads.size()), 0});
    batch.quads.push_back(quad);
    ++last->count;
}

// The quad of an atlas entry whose `left` and `top` are measured from
// (x, y).
BatchQuad entryQuad(const CachedGlyph& entry, float x, float y, float depth,
                    const std::array<float, 4>& color)
{
    const float left = x + static_cast<float>(entry.left);
    const float top = y + static_cast<float>(entry.top);
    return {left,
            top - static_cast<float>(entry.rows),
            left + static_cast<float>(entry.width),
            top,
            depth,
            static_cast<float>(entry.x),
            static_cast<float>(entry.y),
            static_cast<float>(entry.x + entry.width),
            static_cast<float>(entry.y + entry.rows),
            color};
}

// Records the glyphs (halo 0) or the halos of own-font text.
void recordOwnGlyphs(TextBatch& batch, GlyphAtlas& atlas, const OwnText& text, bool depthTest,
                     int halo, const std::array<float, 4>& color)
{
    constexpr float slack = 1e-4f;  // GL's allowance before the raster position is floored
    const auto scale = static_cast<float>(text.scale);
    const int fontIndex = ownFontIndex(text.font);
    float x = text.start.x + text.start.dx;
    const float y = text.start.y + text.start.dy;
    const float bottom = std::floor(y + slack - ownGlyphOriginY * scale);
    for (const char* byte = text.text; *byte != '\0'; ++byte) {
        const int code = static_cast<unsigned char>(*byte);
        if (!hasOwnGlyph(code))
            continue;
        const CachedGlyph& entry = atlasOwnGlyph(atlas, fontIndex, code, text.scale, halo);
        const float left = std::floor(x + slack - ownGlyphOriginX * scale);
        if (entry.page >= 0)
            appendQuad(batch, {RunKind::ownGlyphs, entry.page, depthTest, depthTest && halo == 0},
                       entryQuad(entry, left, bottom, text.start.depth, color));
        x += static_cast<float>(glyphAdvance(text.font, static_cast<unsigned char>(code))) * scale;
    }
}

// Records the glyphs (halo 0) or the halos of a laid-out text.
void recordLoadedGlyphs(TextBatch& batch, GlyphAtlas& atlas, const TextLayout& layout, float x,
                        float baseline, float depth, bool depthTest, std::uint32_t halo,
                        const std::array<float, 4>& color)
{
    for (const PlacedGlyph& glyph : layout.glyphs) {
        const CachedGlyph& entry = atlasGlyph(atlas, glyph, halo);
        if (entry.page >= 0)
            appendQuad(
                batch, {RunKind::loadedGlyphs, entry.page, depthTest, depthTest && halo == 0},
                entryQuad(entry, x + static_cast<float>(roundToPixels(glyph.x)),
                          baseline + static_cast<float>(roundToPixels(glyph.y)), depth, color));
    }
}

}  // namespace

void recordOwnText(TextBatch& batch, GlyphAtlas& atlas, const OwnText& text, const DrawStyle& style,
                   const Halo& halo, bool haloOnly)
{
    const int grow = static_cast<int>(std::lround(halo.width)) * text.scale;
    if (grow > 0)
        recordOwnGlyphs(batch, atlas, text, style.depthTest, grow, halo.color);
    if (!haloOnly)
        recordOwnGlyphs(batch, atlas, text, style.depthTest, 0, style.color);
}

void recordLoadedText(TextBatch& batch, GlyphAtlas& atlas, const TextLayout& layout, float x,
                      float baseline, float depth, const DrawStyle& style, const Halo& halo,
                      int scale)
{
    const auto grow =
        static_cast<std::uint32_t>(std::lround(halo.width * 64.0f * static_cast<float>(scale)));
    if (grow > 0)
        recordLoadedGlyphs(batch, atlas, layout, x, baseline, depth, style.depthTest, grow,
                           halo.color);
    recordLoadedGlyphs(batch, atlas, layout, x, baseline, depth, style.depthTest, 0, style.color);
}

void recordLine(TextBatch& batch, const std::array<float, 3>& from, const std::array<float, 3>& to,
                const DrawStyle& style)
{
    appendQuad(batch, {RunKind::lines, -1, false, false},
               {from[0], from[1], to[0], to[1], from[2], 0.0f, 0.0f, 0.0f, 0.0f, style.color});
}

bool clipQuad(BatchQuad& quad, const std::array<int, 4>& viewport)
{
    const auto left = static_cast<float>(viewport[0]);
    const auto bottom = static_cast<float>(viewport[1]);
    const float right = left + static_cast<float>(viewport[2]);
    const float top = bottom + static_cast<float>(viewport[3]);
    if (quad.x0 >= right || quad.x1 <= left || quad.y0 >= top || quad.y1 <= bottom)
        return false;
    if (quad.x0 < left) {
        quad.s0 += left - quad.x0;
        quad.x0 = left;
    }
    if (quad.x1 > right) {
        quad.s1 -= quad.x1 - right;
        quad.x1 = right;
    }
    if (quad.y1 > top) {  // t0 is the top row
        quad.t0 += quad.y1 - top;
        quad.y1 = top;
    }
    if (quad.y0 < bottom) {
        quad.t1 -= bottom - quad.y0;
        quad.y0 = bottom;
    }
    return true;
}

namespace {

// Appends the vertices of a run; returns how many.
std::size_t appendRunVertices(const TextBatch& batch, const BatchRun& run, float pageSize,
                              const std::array<int, 4>& viewport, std::vector<float>& vertices)
{
    const std::size_t before = vertices.size();
    const auto append = [&vertices](const BatchQuad& quad, float x, float y, float s, float t) {
        const auto& [r, g, b, a] = quad.color;
        const float vertex[floatsPerVertex] = {x, y, quad.depth, s, t, r, g, b, a};
        vertices.insert(vertices.end(), std::begin(vertex), std::end(vertex));
    };
    const BatchQuad* const quads = batch.quads.data() + run.first;
    for (std::uint32_t i = 0; i < run.count; ++i) {
        BatchQuad quad = quads[i];
        if (run.kind == RunKind::lines) {
            append(quad, quad.x0, quad.y0, 0.0f, 0.0f);
            append(quad, quad.x1, quad.y1, 0.0f, 0.0f);
        } else if (clipQuad(quad, viewport)) {
            const float s0 = quad.s0 / pageSize;
            const float s1 = quad.s1 / pageSize;
            const float t0 = quad.t0 / pageSize;
            const float t1 = quad.t1 / pageSize;
            append(quad, quad.x0, quad.y0, s0, t1);
            append(quad, quad.x1, quad.y0, s1, t1);
            append(quad, quad.x1, quad.y1, s1, t0);
            append(quad, quad.x0, quad.y0, s0, t1);
            append(quad, quad.x1, quad.y1, s1, t0);
            append(quad, quad.x0, quad.y1, s0, t0);
        }
    }
    return (vertices.size() - before) / floatsPerVertex;
}

}  // namespace

void batchVertices(TextBatch& batch, const GlyphAtlas& atlas, const std::array<int, 4>& viewport)
{
    batch.vertices.clear();
    batch.runVertices.clear();
    for (const BatchRun& run : batch.runs) {
        const float pageSize =
            run.page < 0 ? 1.0f
                         : static_cast<float>(atlas.pages[static_cast<std::size_t>(run.page)].size);
        batch.runVertices.push_back(
            static_cast<int>(appendRunVertices(batch, run, pageSize, viewport, batch.vertices)));
    }
}

void clearBatch(TextBatch& batch)
{
    batch.quads.clear();
    batch.runs.clear();
}

}  // namespace vestrane::detail
