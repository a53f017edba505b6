/*
 * render_fixed.cpp - text and window lines through the fixed-function
 * pipeline, for compatibility contexts of any version: own fonts as display
 * lists of glBitmap, GLUT bitmap text at the raster position, and batches
 * (glyphs and halos as textured quads from GL_ALPHA pages, lines) from
 * client vertex arrays.
 *
 * Depends on: OpenGL 1.1 (the texture units, buffer objects and unpack
 * buffers of later versions are saved and reset only where the context
 * has them), gl_state.h (switches, blend function and pixel settings saved
 * and put back), fonts.h (the own glyphs), glyph_pages.h,
 * glut_platform.h.
 *
 * Every drawing works in a window-pixel frame: an orthographic projection
 * of the viewport's window pixels, depth 0 near to 1 far, in which the
 * object point (X, Y, Z) lands on window pixel (X, Y) at depth Z. The
 * matrices, the matrix mode, the depth-test switch, the list base and the
 * current colour are put back before each entry returns.
 */
#define GL_GLEXT_PROTOTYPES 1
#include "support/gl_state.h"
#include "support/text/fonts.h"
#include "support/text/glut_platform.h"
#include "support/text/render.h"

#include <GL/gl.h>
#include <GL/glext.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <vector>

namespace vestrane::detail {

namespace {

// ---------------------------------------------------------------------------
// The window-pixel frame and the colour
// ---------------------------------------------------------------------------

// Loads the window-pixel projection. It spans the current viewport in
// window pixels, so that pixel (X, Y) stays (X, Y) whatever part of the
// window the viewport covers. An empty viewport still gets a valid
// projection.
void loadWindowPixelProjection()
{
    std::array<GLint, 4> viewport{};
    glGetIntegerv(GL_VIEWPORT, viewport.data());
    const GLdouble left = viewport[0];
    const GLdouble bottom = viewport[1];
    glOrtho(left, left + std::max(viewport[2], 1), bottom, bottom + std::max(viewport[3], 1), 0.0,
            -1.0);
}

// Enters the window-pixel frame with the depth test switched as asked.
void beginWindowDrawing(bool depthTest)
{
    glPushAttrib(GL_TRANSFORM_BIT | GL_DEPTH_BUFFER_BIT | GL_LIST_BIT);
    if (depthTest)
        glEnable(GL_DEPTH_TEST);
    else
        glDisable(GL_DEPTH_TEST);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    loadWindowPixelProjection();
    glMatrixMode(GL_MODELVIEW);
}

void endWindowDrawing()
{
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
    glPopAttrib();
}

// The caller's current colour while the style's own colour is in use.
struct SavedColor {
    std::array<GLfloat, 4> color{};
    bool set = false;
};

SavedColor useStyleColor(const DrawStyle& style)
{
    SavedColor saved;
    if (style.ownColor) {
        glGetFloatv(GL_CURRENT_COLOR, saved.color.data());
        glColor4fv(style.color.data());
        saved.set = true;
    }
    return saved;
}

void putBack(const SavedColor& saved)
{
    if (saved.set)
        glColor4fv(saved.color.data());
}

// The current colour, which drawing from a colour array leaves undefined.
SavedColor saveColor()
{
    SavedColor saved;
    glGetFloatv(GL_CURRENT_COLOR, saved.color.data());
    saved.set = true;
    return saved;
}

// The raster position at the anchor, at the text's depth, moved to the
// start: a start outside the window would make the raster position invalid
// and lose the whole text, where moving it keeps the visible part. The
// fourth coordinate is 1, not the anchor's clip w, which would divide the
// pixel position under a perspective anchor.
void placeRaster(const RasterStart& start)
{
    glRasterPos4f(start.x, start.y, start.depth, 1.0f);
    glBitmap(0, 0, 0.0f, 0.0f, start.dx, start.dy, nullptr);
}

// ---------------------------------------------------------------------------
// Own fonts: display lists
// ---------------------------------------------------------------------------

// Glyph rows are read one byte each, from the first bit of the first byte,
// whatever the caller's pixel-store settings are.
constexpr StoreSetting glyphUnpackSettings[] = {{GL_UNPACK_ALIGNMENT, 1},
                                                {GL_UNPACK_ROW_LENGTH, 0},
                                                {GL_UNPACK_SKIP_ROWS, 0},
                                                {GL_UNPACK_SKIP_PIXELS, 0},
                                                {GL_UNPACK_LSB_FIRST, GL_FALSE}};

// Records the four fonts at `scale` in the current context, one list per
// 7-bit code (codes without a glyph stay empty lists); returns the first
// name, 0 when GL gives none.
GLuint recordOwnFonts(int scale)
{
    const GLuint firstList = glGenLists(ownFontCount * listsPerFont);
    if (firstList == 0)
        return 0;
    const auto unpack = setPixelSettings(glyphUnpackSettings);
    const auto size = static_cast<float>(scale);
    ScaledGlyph grown{};
    for (int font = 0; font < ownFontCount; ++font) {
        for (int code = 0; code < listsPerFont; ++code) {
            if (!hasOwnGlyph(code))
                continue;
            const int rows = scaledGlyph(font, code, scale, grown);
            glNewList(firstList + static_cast<GLuint>(font * listsPerFont + code), GL_COMPILE);
            glBitmap(static_cast<GLsizei>(glyphWidth) * scale, rows, ownGlyphOriginX * size,
                     ownGlyphOriginY * size,
                     static_cast<float>(glyphAdvance(font + 1, static_cast<unsigned char>(code))) *
                         size,
                     0.0f, grown.data());
            glEndList();
        }
    }
    putBack(unpack);
    return firstList;
}

bool isHighByte(char byte)
{
    return static_cast<unsigned char>(byte) > 127;
}

// Calls the list of each byte of the text. A byte above 127 would name a
// list of the next font's block, so the text goes in runs of 7-bit codes
// and such bytes are skipped: they draw nothing and leave the pen still.
void callGlyphLists(GLuint firstList, const char* text)
{
    glListBase(firstList);
    const char* const end = text + std::strlen(text);
    for (const char* run = std::find_if_not(text, end, isHighByte); run != end;) {
        const char* const runEnd = std::find_if(run, end, isHighByte);
        glCallLists(static_cast<GLsizei>(runEnd - run), GL_UNSIGNED_BYTE, run);
        run = std::find_if_not(runEnd, end, isHighByte);
    }
}

// ---------------------------------------------------------------------------
// Batches: page textures
// ---------------------------------------------------------------------------

// Sends the changed part of a page's texels to its texture as they are:
// plain unpack and transfer settings, and no unpack buffer.
void uploadPage(int version, const GlyphPage& page, const PageChange& change)
{
    const StoreSetting unpackSettings[] = {
        {GL_UNPACK_ALIGNMENT, 1},          {GL_UNPACK_SWAP_BYTES, GL_FALSE},
        {GL_UNPACK_LSB_FIRST, GL_FALSE},   {GL_UNPACK_ROW_LENGTH, page.size},
        {GL_UNPACK_SKIP_PIXELS, change.x}, {GL_UNPACK_SKIP_ROWS, change.y}};
    constexpr TransferSetting transferSettings[] = {
        {GL_MAP_COLOR, 0.0f}, {GL_ALPHA_SCALE, 1.0f}, {GL_ALPHA_BIAS, 0.0f}};
    GLint unpackBuffer = 0;
    if (version >= 21) {
        glGetIntegerv(GL_PIXEL_UNPACK_BUFFER_BINDING, &unpackBuffer);
        glBindBuffer(GL_PIXEL_UNPACK_BUFFER, 0);
    }
    const auto unpack = setPixelSettings(unpackSettings);
    const auto transfer = setPixelSettings(transferSettings);
    glBindTexture(GL_TEXTURE_2D, page.texture);
    if (change.whole)
        glTexImage2D(GL_TEXTURE_2D, 0, GL_ALPHA, page.size, page.size, 0, GL_ALPHA,
                     GL_UNSIGNED_BYTE, page.texels.data());
    else
        glTexSubImage2D(GL_TEXTURE_2D, 0, change.x, change.y, change.width, change.rows, GL_ALPHA,
                        GL_UNSIGNED_BYTE, page.texels.data());
    putBack(transfer);
    putBack(unpack);
    if (version >= 21)
        glBindBuffer(GL_PIXEL_UNPACK_BUFFER, static_cast<GLuint>(unpackBuffer));
}

// Brings every open page's texture up to date.
void sendPages(TextContext& context)
{
    const int version = context.kind.glVersion;
    sendPageChanges(context.atlas, [version](GlyphPage& page, const PageChange& change) {
        if (page.texture == 0) {
            glGenTextures(1, &page.texture);
            glBindTexture(GL_TEXTURE_2D, page.texture);
            glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
            glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
            glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP);
            glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP);
        }
        uploadPage(version, page, change);
    });
}

// ---------------------------------------------------------------------------
// Batches: GL state
// ---------------------------------------------------------------------------

// Drawing saves what it changes by query and sets back only what differs:
// pushing the texture and enable attribute groups, for every text, would
// copy the state of every texture unit each time.

// What glyphs are drawn with switched on or off, and the GL version (major
// x 10 + minor) that has it: the texture targets that outrank
// GL_TEXTURE_2D and every client array that glDrawArrays would read. The
// alpha test keeps texels without ink from drawing or writing depth.
// Blending is switched per run (blendForRun).
struct Switch {
    GLenum capability;
    bool on;
    int version;
};

constexpr Switch glyphSwitches[] = {
    {GL_TEXTURE_2D, true, 11},        {GL_ALPHA_TEST, true, 11},
    {GL_VERTEX_ARRAY, true, 11},      {GL_TEXTURE_COORD_ARRAY, true, 11},
    {GL_COLOR_ARRAY, true, 11},       {GL_LIGHTING, false, 11},
    {GL_TEXTURE_1D, false, 11},       {GL_TEXTURE_GEN_S, false, 11},
    {GL_TEXTURE_GEN_T, false, 11},    {GL_CULL_FACE, false, 11},
    {GL_POLYGON_STIPPLE, false, 11},  {GL_LINE_STIPPLE, false, 11},
    {GL_NORMAL_ARRAY, false, 11},     {GL_INDEX_ARRAY, false, 11},
    {GL_EDGE_FLAG_ARRAY, false, 11},  {GL_TEXTURE_3D, false, 12},
    {GL_TEXTURE_CUBE_MAP, false, 13}, {GL_SECONDARY_COLOR_ARRAY, false, 14},
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
    ArrayLayout colorArray;
    GLint texture = 0;
    GLint environment = 0;
    // Blending by coverage, while a run of loaded-font glyphs is drawn.
    CapabilitySwitch blend;
    SavedBlendFunction blendFunction;
    bool coverageBlending = false;
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
    for (std::size_t i = 0; i < switchCount; ++i) {
        const Switch& change = glyphSwitches[i];
        if (change.version <= version)
            saved.switches[i] = switchCapability(change.capability, change.on);
    }
    saved.vertexArray = arrayLayout(GL_VERTEX_ARRAY_SIZE, GL_VERTEX_ARRAY_TYPE,
                                    GL_VERTEX_ARRAY_STRIDE, GL_VERTEX_ARRAY_POINTER);
    saved.textureCoordArray =
        arrayLayout(GL_TEXTURE_COORD_ARRAY_SIZE, GL_TEXTURE_COORD_ARRAY_TYPE,
                    GL_TEXTURE_COORD_ARRAY_STRIDE, GL_TEXTURE_COORD_ARRAY_POINTER);
    saved.colorArray = arrayLayout(GL_COLOR_ARRAY_SIZE, GL_COLOR_ARRAY_TYPE, GL_COLOR_ARRAY_STRIDE,
                                   GL_COLOR_ARRAY_POINTER);
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
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, saved.environment);
    glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(saved.texture));
    restoreArray(glVertexPointer, saved.vertexArray);
    restoreArray(glTexCoordPointer, saved.textureCoordArray);
    restoreArray(glColorPointer, saved.colorArray);
    for (const CapabilitySwitch& change : saved.switches)
        putBack(change);
    if (version >= 15)
        glBindBuffer(GL_ARRAY_BUFFER, static_cast<GLuint>(saved.arrayBuffer));
    if (version >= 13) {
        glActiveTexture(static_cast<GLenum>(saved.activeTexture));
        glClientActiveTexture(static_cast<GLenum>(saved.clientActiveTexture));
    }
}

// Loaded-font glyphs blend by coverage; the rest through the caller's
// blending, as glBitmap fragments and lines do.
void blendForRun(int version, SavedState& saved, RunKind kind)
{
    const bool coverage = kind == RunKind::loadedGlyphs;
    if (coverage == saved.coverageBlending)
        return;
    if (coverage) {
        saved.blend = switchCapability(GL_BLEND, true);
        saved.blendFunction = replaceBlendFunction(version, GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    } else {
        putBack(saved.blendFunction);
        putBack(saved.blend);
    }
    saved.coverageBlending = coverage;
}

// Lines are drawn without a page: texturing and the alpha test off.
void textureForRun(bool& textured, RunKind kind)
{
    const bool wanted = kind != RunKind::lines;
    if (wanted == textured)
        return;
    if (wanted) {
        glEnable(GL_TEXTURE_2D);
        glEnable(GL_ALPHA_TEST);
    } else {
        glDisable(GL_TEXTURE_2D);
        glDisable(GL_ALPHA_TEST);
    }
    textured = wanted;
}

// Draws the batch's runs, in the window-pixel frame with the glyph state
// set.
void drawRuns(TextContext& context, SavedState& saved)
{
    std::array<GLint, 4> viewport{};
    glGetIntegerv(GL_VIEWPORT, viewport.data());
    batchVertices(context.batch, context.atlas, viewport);
    constexpr GLsizei stride = floatsPerVertex * sizeof(GLfloat);
    glVertexPointer(3, GL_FLOAT, stride, context.batch.vertices.data());
    glTexCoordPointer(2, GL_FLOAT, stride, context.batch.vertices.data() + 3);
    glColorPointer(4, GL_FLOAT, stride, context.batch.vertices.data() + 5);
    bool depthTest = glIsEnabled(GL_DEPTH_TEST) == GL_TRUE;
    GLboolean callerDepthMask = GL_TRUE;
    glGetBooleanv(GL_DEPTH_WRITEMASK, &callerDepthMask);
    bool depthWrites = true;
    bool textured = true;
    forEachDrawnRun(context.batch, [&](const BatchRun& run, int first, int count) {
        if (run.depthTest != depthTest) {
            depthTest = run.depthTest;
            depthTest ? glEnable(GL_DEPTH_TEST) : glDisable(GL_DEPTH_TEST);
        }
        if (depthTest && run.depthWrites != depthWrites) {  // the mask is pushed with the frame
            depthWrites = run.depthWrites;
            glDepthMask(depthWrites && callerDepthMask == GL_TRUE ? GL_TRUE : GL_FALSE);
        }
        blendForRun(context.kind.glVersion, saved, run.kind);
        textureForRun(textured, run.kind);
        if (run.kind != RunKind::lines)
            glBindTexture(GL_TEXTURE_2D,
                          context.atlas.pages[static_cast<std::size_t>(run.page)].texture);
        glDrawArrays(run.kind == RunKind::lines ? GL_LINES : GL_TRIANGLES, first, count);
    });
    textureForRun(textured, RunKind::ownGlyphs);
    blendForRun(context.kind.glVersion, saved, RunKind::ownGlyphs);
}

}  // namespace

// ---------------------------------------------------------------------------
// Internal interface
// ---------------------------------------------------------------------------

Anchor fixedRasterAnchor(float x, float y, float z)
{
    Anchor anchor;
    glRasterPos4f(x, y, z, 1.0f);
    GLboolean valid = GL_FALSE;
    glGetBooleanv(GL_CURRENT_RASTER_POSITION_VALID, &valid);
    anchor.valid = valid == GL_TRUE;
    glGetFloatv(GL_CURRENT_RASTER_POSITION, anchor.position.data());
    return anchor;
}

std::array<float, 4> fixedCurrentColor()
{
    std::array<float, 4> color{};
    glGetFloatv(GL_CURRENT_COLOR, color.data());
    return color;
}

void fixedDrawOwnText(TextContext& context, const OwnText& text, const DrawStyle& style,
                      bool visible)
{
    const GLuint lists = ownFontsAt(
        context, text.scale, [](const TextContext&, int scale) { return recordOwnFonts(scale); });
    beginWindowDrawing(style.depthTest);
    const SavedColor color = useStyleColor(style);
    placeRaster(text.start);
    putBack(color);
    if (visible && lists != 0)
        callGlyphLists(lists + static_cast<GLuint>(ownFontIndex(text.font) * listsPerFont),
                       text.text);
    endWindowDrawing();
}

void fixedDrawGlutText(void* font, const char* text, const RasterStart& start,
                       const DrawStyle& style, bool visible)
{
    beginWindowDrawing(false);
    const SavedColor color = useStyleColor(style);
    placeRaster(start);
    putBack(color);
    if (visible)
        drawGlutCharacters(font, text);
    endWindowDrawing();
}

void fixedDrawBatch(TextContext& context)
{
    TextBatch& batch = context.batch;
    if (!batch.runs.empty()) {
        const int version = context.kind.glVersion;
        beginWindowDrawing(batch.runs.front().depthTest);
        const SavedColor color = saveColor();
        SavedState saved = enterGlyphDrawing(version);
        try {
            sendPages(context);
            drawRuns(context, saved);
        } catch (const std::bad_alloc&) {
            // No memory for the vertices: the batch is not drawn.
        }
        leaveGlyphDrawing(version, saved);
        putBack(color);
        endWindowDrawing();
    }
    clearBatch(batch);
    removeFreedFacePages(context.atlas, [](GLuint texture) { glDeleteTextures(1, &texture); });
}

void fixedRelease(TextContext& context)
{
    for (std::size_t i = 0; i < context.ownFonts.size(); ++i)
        if (context.ownFonts[i] != 0)
            glDeleteLists(context.ownFonts[i], ownFontCount * listsPerFont);
    std::vector<unsigned int> textures;
    clearAtlas(context.atlas, textures);
    for (GLuint texture : textures)
        glDeleteTextures(1, &texture);
}

}  // namespace vestrane::detail
