/*
 * glyph_pages.cpp - per-window pages of glyph coverage (GL_ALPHA textures)
 * and the textured quads that draw laid-out text from them.
 *
 * Depends on: OpenGL 1.1 (textures, vertex arrays; the texture units,
 * buffer objects and unpack buffers of later versions are saved and reset
 * only where the context has them), gl_state.h (the version, switches,
 * blend function and pixel settings saved and put back), loaded_fonts.h.
 */
#define GL_GLEXT_PROTOTYPES 1
#include "support/text/glyph_pages.h"

#include "support/gl_state.h"

#include <GL/gl.h>
#include <GL/glext.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <new>
#include <unordered_map>
#include <vector>

namespace vestrane::detail {

namespace {

// ---------------------------------------------------------------------------
// State
// ---------------------------------------------------------------------------

constexpr int firstPageSize = 256;
constexpr int largestPageSize = 4096;
constexpr int glyphGap = 1;  // texels left empty right of and below each glyph

struct GlyphPage {
    GLuint texture = 0;  // 0 once deleted
    int size = 0;
    std::uint32_t faceSerial = 0;
    std::vector<unsigned char> texels;  // size x size, row 0 at t = 0
    int shelfX = 0;
    int shelfY = 0;
    int shelfHeight = 0;
};

// Where a glyph is in its window's pages; page -1: it draws nothing.
struct CachedGlyph {
    int page = -1;
    int x = 0;
    int y = 0;
    int width = 0;
    int rows = 0;
    int left = 0;
    int top = 0;
};

struct WindowGlyphs {
    std::vector<GlyphPage> pages;
    std::unordered_map<std::uint64_t, CachedGlyph> glyphs;
    std::uint32_t closedSeen = 0;
    int largestPage = 0;  // 0: not asked yet
    int glVersion = 0;    // major x 10 + minor; 0: not asked yet
};

// Indexed by window identifier.
std::vector<WindowGlyphs> windows;

// Drawing scratch, kept so that drawing text again allocates nothing: the
// interleaved vertices (s, t, x, y, z) and each glyph's cache entry.
std::vector<GLfloat> vertices;
std::vector<const CachedGlyph*> placed;

// ---------------------------------------------------------------------------
// Helpers: pages
// ---------------------------------------------------------------------------

WindowGlyphs& windowGlyphs(int window)
{
    if (static_cast<std::size_t>(window) >= windows.size())
        windows.resize(static_cast<std::size_t>(window) + 1);
    WindowGlyphs& glyphs = windows[static_cast<std::size_t>(window)];
    if (glyphs.glVersion == 0) {
        glyphs.glVersion = contextGlVersion();
        GLint largest = 0;
        glGetIntegerv(GL_MAX_TEXTURE_SIZE, &largest);
        glyphs.largestPage = std::clamp(largest, 64, largestPageSize);
    }
    return glyphs;
}

std::uint64_t glyphKey(const PlacedGlyph& glyph)
{
    return (static_cast<std::uint64_t>(glyph.faceSerial) << 36) ^
           (static_cast<std::uint64_t>(glyph.size) << 16) ^ glyph.glyph;
}

// Sends a page's texels to its texture, the whole page or one rectangle, as
// they are: plain unpack and transfer settings, and no unpack buffer.
void uploadTexels(const WindowGlyphs& window, const GlyphPage& page, int x, int y, int width,
                  int rows, bool whole)
{
    const StoreSetting unpackSettings[] = {{GL_UNPACK_ALIGNMENT, 1},
                                           {GL_UNPACK_SWAP_BYTES, GL_FALSE},
                                           {GL_UNPACK_LSB_FIRST, GL_FALSE},
                                           {GL_UNPACK_ROW_LENGTH, whole ? 0 : page.size},
                                           {GL_UNPACK_SKIP_PIXELS, whole ? 0 : x},
                                           {GL_UNPACK_SKIP_ROWS, whole ? 0 : y}};
    constexpr TransferSetting transferSettings[] = {
        {GL_MAP_COLOR, 0.0f}, {GL_ALPHA_SCALE, 1.0f}, {GL_ALPHA_BIAS, 0.0f}};
    GLint unpackBuffer = 0;
    if (window.glVersion >= 21) {
        glGetIntegerv(GL_PIXEL_UNPACK_BUFFER_BINDING, &unpackBuffer);
        glBindBuffer(GL_PIXEL_UNPACK_BUFFER, 0);
    }
    const auto unpack = setPixelSettings(unpackSettings);
    const auto transfer = setPixelSettings(transferSettings);
    glBindTexture(GL_TEXTURE_2D, page.texture);
    if (whole)
        glTexImage2D(GL_TEXTURE_2D, 0, GL_ALPHA, page.size, page.size, 0, GL_ALPHA,
                     GL_UNSIGNED_BYTE, page.texels.data());
    else
        glTexSubImage2D(GL_TEXTURE_2D, 0, x, y, width, rows, GL_ALPHA, GL_UNSIGNED_BYTE,
                        page.texels.data());
    putBack(transfer);
    putBack(unpack);
    if (window.glVersion >= 21)
        glBindBuffer(GL_PIXEL_UNPACK_BUFFER, static_cast<GLuint>(unpackBuffer));
}

int newPage(WindowGlyphs& window, std::uint32_t faceSerial, int size)
{
    GlyphPage page;
    page.size = size;
    page.faceSerial = faceSerial;
    page.texels.assign(static_cast<std::size_t>(size) * static_cast<std::size_t>(size), 0);
    glGenTextures(1, &page.texture);
    glBindTexture(GL_TEXTURE_2D, page.texture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP);
    window.pages.push_back(std::move(page));
    uploadTexels(window, window.pages.back(), 0, 0, size, size, true);
    return static_cast<int>(window.pages.size()) - 1;
}

void growPage(const WindowGlyphs& window, GlyphPage& page)
{
    const auto oldSize = static_cast<std::size_t>(page.size);
    const std::size_t size = oldSize * 2;
    std::vector<unsigned char> texels(size * size, 0);
    for (std::size_t row = 0; row < oldSize; ++row)
        std::copy_n(page.texels.begin() + static_cast<std::ptrdiff_t>(row * oldSize), oldSize,
                    texels.begin() + static_cast<std::ptrdiff_t>(row * size));
    page.texels.swap(texels);
    page.size = static_cast<int>(size);
    uploadTexels(window, page, 0, 0, page.size, page.size, true);
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
int placeGlyph(WindowGlyphs& window, std::uint32_t faceSerial, int width, int rows, int& x, int& y)
{
    int index = -1;
    for (int i = static_cast<int>(window.pages.size()) - 1; i >= 0 && index < 0; --i)
        if (window.pages[static_cast<std::size_t>(i)].faceSerial == faceSerial &&
            window.pages[static_cast<std::size_t>(i)].texture != 0)
            index = i;
    while (index >= 0) {
        GlyphPage& page = window.pages[static_cast<std::size_t>(index)];
        if (shelfPlace(page, width, rows, x, y))
            return index;
        if (page.size >= window.largestPage)
            break;
        growPage(window, page);
    }
    int size = firstPageSize;
    while (size < width || size < rows)
        size *= 2;
    index = newPage(window, faceSerial, std::min(size, window.largestPage));
    return shelfPlace(window.pages[static_cast<std::size_t>(index)], width, rows, x, y) ? index
                                                                                        : -1;
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
}

// The cache entry of a glyph in a window, rasterised and sent to a page on
// its first use there.
const CachedGlyph& cachedGlyph(WindowGlyphs& window, const PlacedGlyph& glyph)
{
    const std::uint64_t key = glyphKey(glyph);
    const auto known = window.glyphs.find(key);
    if (known != window.glyphs.end())
        return known->second;
    CachedGlyph entry;
    GlyphBitmap bitmap;
    if (renderGlyph(glyph, bitmap) && bitmap.width > 0 && bitmap.rows > 0 &&
        bitmap.width <= window.largestPage && bitmap.rows <= window.largestPage) {
        entry.page =
            placeGlyph(window, glyph.faceSerial, bitmap.width, bitmap.rows, entry.x, entry.y);
        if (entry.page >= 0) {
            GlyphPage& page = window.pages[static_cast<std::size_t>(entry.page)];
            copyCoverage(bitmap, page, entry.x, entry.y);
            uploadTexels(window, page, entry.x, entry.y, bitmap.width, bitmap.rows, false);
        }
        entry.width = bitmap.width;
        entry.rows = bitmap.rows;
        entry.left = bitmap.left;
        entry.top = bitmap.top;
    }
    return window.glyphs.emplace(key, entry).first->second;
}

// ---------------------------------------------------------------------------
// Helpers: GL state
// ---------------------------------------------------------------------------

// Drawing saves what it changes by query and sets back only what differs:
// pushing the texture and enable attribute groups, for every text, would
// copy the state of every texture unit each time.

// What glyphs are drawn with switched on or off, and the GL version (major
// x 10 + minor) that has it: the texture targets that outrank
// GL_TEXTURE_2D and every client array that glDrawArrays would read.
struct Switch {
    GLenum capability;
    bool on;
    int version;
};

constexpr Switch glyphSwitches[] = {
    {GL_TEXTURE_2D, true, 11},          {GL_BLEND, true, 11},
    {GL_ALPHA_TEST, true, 11},          {GL_VERTEX_ARRAY, true, 11},
    {GL_TEXTURE_COORD_ARRAY, true, 11}, {GL_LIGHTING, false, 11},
    {GL_TEXTURE_1D, false, 11},         {GL_TEXTURE_GEN_S, false, 11},
    {GL_TEXTURE_GEN_T, false, 11},      {GL_CULL_FACE, false, 11},
    {GL_POLYGON_STIPPLE, false, 11},    {GL_COLOR_ARRAY, false, 11},
    {GL_NORMAL_ARRAY, false, 11},       {GL_INDEX_ARRAY, false, 11},
    {GL_EDGE_FLAG_ARRAY, false, 11},    {GL_TEXTURE_3D, false, 12},
    {GL_TEXTURE_CUBE_MAP, false, 13},   {GL_SECONDARY_COLOR_ARRAY, false, 14},
    {GL_FOG_COORD_ARRAY, false, 14},
};
constexpr std::size_t switchCount = std::size(glyphSwitches);

// A client array's pointer and layout.
struct ArrayLayout {
    GLint size = 0;
    GLint type = 0;
    GLint stride = 0;
    GLvoid* pointer = nullptr;
};

ArrayLayout arrayLayout(GLenum size, GLenum type, GLenum stride, GLenum pointer)
{
    ArrayLayout layout;
    glGetIntegerv(size, &layout.size);
    glGetIntegerv(type, &layout.type);
    glGetIntegerv(stride, &layout.stride);
    glGetPointerv(pointer, &layout.pointer);
    return layout;
}

constexpr std::array<GLfloat, 16> identityMatrix = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};

struct SavedState {
    std::array<CapabilitySwitch, switchCount> switches{};
    std::array<GLfloat, 16> textureMatrix{};
    bool textureMatrixSet = false;  // not the identity
    ArrayLayout vertexArray;
    ArrayLayout textureCoordArray;
    GLint texture = 0;
    GLint environment = 0;
    SavedBlendFunction blendFunction;
    GLint alphaFunction = 0;
    GLfloat alphaReference = 0.0f;
    std::array<GLint, 2> polygonMode{};
    GLint activeTexture = GL_TEXTURE0;
    GLint clientActiveTexture = GL_TEXTURE0;
    GLint arrayBuffer = 0;
};

SavedState enterGlyphDrawing(int version)
{
    SavedState saved;
    if (version >= 13) {
        glGetIntegerv(GL_ACTIVE_TEXTURE, &saved.activeTexture);
        glGetIntegerv(GL_CLIENT_ACTIVE_TEXTURE, &saved.clientActiveTexture);
        glActiveTexture(GL_TEXTURE0);
        glClientActiveTexture(GL_TEXTURE0);
    }
    if (version >= 15) {
        glGetIntegerv(GL_ARRAY_BUFFER_BINDING, &saved.arrayBuffer);
        glBindBuffer(GL_ARRAY_BUFFER, 0);
    }
    // The alpha test keeps the quads from writing depth where a glyph has no
    // ink; without the depth test nothing writes depth, and it can stay off.
    const bool depthTest = glIsEnabled(GL_DEPTH_TEST) == GL_TRUE;
    for (std::size_t i = 0; i < switchCount; ++i) {
        const Switch& change = glyphSwitches[i];
        if (change.version > version || (change.capability == GL_ALPHA_TEST && !depthTest))
            continue;
        saved.switches[i] = switchCapability(change.capability, change.on);
    }
    saved.vertexArray = arrayLayout(GL_VERTEX_ARRAY_SIZE, GL_VERTEX_ARRAY_TYPE,
                                    GL_VERTEX_ARRAY_STRIDE, GL_VERTEX_ARRAY_POINTER);
    saved.textureCoordArray =
        arrayLayout(GL_TEXTURE_COORD_ARRAY_SIZE, GL_TEXTURE_COORD_ARRAY_TYPE,
                    GL_TEXTURE_COORD_ARRAY_STRIDE, GL_TEXTURE_COORD_ARRAY_POINTER);
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &saved.texture);
    glGetTexEnviv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, &saved.environment);
    glGetIntegerv(GL_ALPHA_TEST_FUNC, &saved.alphaFunction);
    glGetFloatv(GL_ALPHA_TEST_REF, &saved.alphaReference);
    glGetIntegerv(GL_POLYGON_MODE, saved.polygonMode.data());
    glGetFloatv(GL_TEXTURE_MATRIX, saved.textureMatrix.data());
    saved.textureMatrixSet = saved.textureMatrix != identityMatrix;
    if (saved.textureMatrixSet) {  // loaded only when needed: it costs every later draw
        glMatrixMode(GL_TEXTURE);
        glLoadIdentity();
        glMatrixMode(GL_MODELVIEW);
    }

    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    saved.blendFunction = replaceBlendFunction(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glAlphaFunc(GL_GREATER, 0.0f);  // no depth written where a glyph has no ink
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    return saved;
}

void restoreArray(void (*setPointer)(GLint, GLenum, GLsizei, const GLvoid*),
                  const ArrayLayout& layout)
{
    setPointer(layout.size, static_cast<GLenum>(layout.type), layout.stride, layout.pointer);
}

void leaveGlyphDrawing(int version, const SavedState& saved)
{
    if (saved.textureMatrixSet) {
        glMatrixMode(GL_TEXTURE);
        glLoadMatrixf(saved.textureMatrix.data());
        glMatrixMode(GL_MODELVIEW);
    }
    glPolygonMode(GL_FRONT, static_cast<GLenum>(saved.polygonMode[0]));
    glPolygonMode(GL_BACK, static_cast<GLenum>(saved.polygonMode[1]));
    glAlphaFunc(static_cast<GLenum>(saved.alphaFunction), saved.alphaReference);
    putBack(saved.blendFunction);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, saved.environment);
    glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(saved.texture));
    restoreArray(glVertexPointer, saved.vertexArray);
    restoreArray(glTexCoordPointer, saved.textureCoordArray);
    for (const CapabilitySwitch& change : saved.switches)
        putBack(change);
    if (version >= 15)
        glBindBuffer(GL_ARRAY_BUFFER, static_cast<GLuint>(saved.arrayBuffer));
    if (version >= 13) {
        glActiveTexture(static_cast<GLenum>(saved.activeTexture));
        glClientActiveTexture(static_cast<GLenum>(saved.clientActiveTexture));
    }
}

void appendQuad(const CachedGlyph& glyph, const GlyphPage& page, float left, float top, float z)
{
    const auto size = static_cast<GLfloat>(page.size);
    const GLfloat s0 = static_cast<GLfloat>(glyph.x) / size;
    const GLfloat s1 = static_cast<GLfloat>(glyph.x + glyph.width) / size;
    const GLfloat t0 = static_cast<GLfloat>(glyph.y) / size;
    const GLfloat t1 = static_cast<GLfloat>(glyph.y + glyph.rows) / size;
    const GLfloat x0 = left;
    const GLfloat x1 = left + static_cast<GLfloat>(glyph.width);
    const GLfloat y1 = top;
    const GLfloat y0 = top - static_cast<GLfloat>(glyph.rows);
    const GLfloat quad[] = {s0, t1, x0, y0, z, s1, t1, x1, y0, z,
                            s1, t0, x1, y1, z, s0, t0, x0, y1, z};
    vertices.insert(vertices.end(), std::begin(quad), std::end(quad));
}

// Whether placed[first] is the first glyph drawn from its page.
bool isFirstOfPage(std::size_t first)
{
    const int page = placed[first]->page;
    return page >= 0 &&
           std::none_of(placed.begin(), placed.begin() + static_cast<std::ptrdiff_t>(first),
                        [page](const CachedGlyph* glyph) { return glyph->page == page; });
}

// The quads of every glyph on the page of placed[first], in one draw.
void drawPageQuads(const WindowGlyphs& glyphs, const TextLayout& layout, std::size_t first, float x,
                   float baseline, float z)
{
    const int page = placed[first]->page;
    const GlyphPage& texture = glyphs.pages[static_cast<std::size_t>(page)];
    vertices.clear();
    for (std::size_t i = first; i < placed.size(); ++i)
        if (placed[i]->page == page)
            appendQuad(*placed[i], texture,
                       x + static_cast<float>(roundToPixels(layout.glyphs[i].x) + placed[i]->left),
                       baseline +
                           static_cast<float>(roundToPixels(layout.glyphs[i].y) + placed[i]->top),
                       z);
    glBindTexture(GL_TEXTURE_2D, texture.texture);
    glInterleavedArrays(GL_T2F_V3F, 0, vertices.data());
    glDrawArrays(GL_QUADS, 0, static_cast<GLsizei>(vertices.size() / 5));
}

}  // namespace

// ---------------------------------------------------------------------------
// Internal interface
// ---------------------------------------------------------------------------

void releaseClosedFacePages(int window)
{
    if (window <= 0 || static_cast<std::size_t>(window) >= windows.size())
        return;
    WindowGlyphs& glyphs = windows[static_cast<std::size_t>(window)];
    if (glyphs.closedSeen == closedFaceCount())
        return;
    glyphs.closedSeen = closedFaceCount();
    for (std::size_t i = 0; i < glyphs.pages.size(); ++i) {
        GlyphPage& page = glyphs.pages[i];
        if (page.texture == 0 || !isFaceClosed(page.faceSerial))
            continue;
        glDeleteTextures(1, &page.texture);
        page.texture = 0;
        std::vector<unsigned char>().swap(page.texels);
        for (auto entry = glyphs.glyphs.begin(); entry != glyphs.glyphs.end();)
            entry = entry->second.page == static_cast<int>(i) ? glyphs.glyphs.erase(entry)
                                                              : std::next(entry);
    }
}

void drawLayout(int window, const TextLayout& layout, float x, float baseline, float z)
{
    if (window <= 0 || layout.glyphs.empty())
        return;
    WindowGlyphs* glyphs = nullptr;
    try {
        glyphs = &windowGlyphs(window);
    } catch (const std::bad_alloc&) {
        return;
    }
    const SavedState saved = enterGlyphDrawing(glyphs->glVersion);
    try {
        placed.clear();
        for (const PlacedGlyph& glyph : layout.glyphs)
            placed.push_back(&cachedGlyph(*glyphs, glyph));
        for (std::size_t first = 0; first < placed.size(); ++first)
            if (isFirstOfPage(first))
                drawPageQuads(*glyphs, layout, first, x, baseline, z);
    } catch (const std::bad_alloc&) {
        // No memory for a page or the cache: the text is not drawn.
    }
    leaveGlyphDrawing(glyphs->glVersion, saved);
}

int glyphPageCount(int window)
{
    if (window <= 0 || static_cast<std::size_t>(window) >= windows.size())
        return 0;
    const auto& pages = windows[static_cast<std::size_t>(window)].pages;
    return static_cast<int>(std::count_if(pages.begin(), pages.end(),
                                          [](const GlyphPage& page) { return page.texture != 0; }));
}

}  // namespace vestrane::detail
