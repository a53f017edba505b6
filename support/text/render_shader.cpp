/*
 * render_shader.cpp - text and window lines in core-profile and OpenGL ES
 * contexts, which have no fixed-function pipeline: one small program per
 * context, a vertex array and a streamed buffer; glyph pages in one-channel
 * (GL_R8) textures, the own fonts' glyphs expanded into a page of their
 * own a text scale; one draw per page per text. Also reads the kind of a
 * new context.
 *
 * Depends on: libepoxy (every GL entry point, resolved for the current
 * context at run time, and the context's version and extensions), fonts.h,
 * glyph_pages.h.
 *
 * The picture matches the fixed-function renderer's: own-font glyphs land
 * where glBitmap puts them (the raster position's floor, after the 1e-4
 * of slack GL implementations give it), one texel a pixel with nearest
 * sampling, and go through the caller's blending as the caller left it;
 * loaded-font glyphs are blended by coverage (source alpha, one minus
 * source alpha, adding), as the fixed-function modulated GL_ALPHA texture
 * is. Each entry saves the state it changes by query and gives it back.
 */
#include <epoxy/gl.h>

#include "support/text/fonts.h"
#include "support/text/render.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string>
#include <vector>

namespace vestrane::detail {

namespace {

// ---------------------------------------------------------------------------
// The program
// ---------------------------------------------------------------------------

constexpr char vertexBody[] = R"(
in vec3 position;
in vec2 texel;
uniform vec4 frame;
out vec2 coord;
void main()
{
    coord = texel;
    gl_Position = vec4(position.xy * frame.xy + frame.zw, position.z * 2.0 - 1.0, 1.0);
}
)";

// Modes: 0 own-font glyphs (ink in the colour as it is), 1 loaded-font
// glyphs (the colour's alpha times the coverage), 2 lines.
constexpr char fragmentBody[] = R"(
uniform sampler2D page;
uniform vec4 color;
uniform int mode;
in vec2 coord;
out vec4 fragColor;
void main()
{
    if (mode == 2) {
        fragColor = color;
        return;
    }
    float coverage = texture(page, coord).r;
    if (coverage == 0.0)
        discard;
    fragColor = mode == 0 ? color : vec4(color.rgb, color.a * coverage);
}
)";

enum Mode { ownGlyphs = 0, loadedGlyphs = 1, lines = 2 };

constexpr GLuint positionAttribute = 0;
constexpr GLuint texelAttribute = 1;
constexpr int floatsPerVertex = 5;  // x, y, depth, s, t

std::string shaderVersion(const ContextKind& kind)
{
    if (kind.es)
        return "#version 300 es\nprecision highp float;\n";
    return kind.glVersion >= 32 ? "#version 150\n" : "#version 130\n";
}

GLuint compileShader(GLenum type, const std::string& source)
{
    const GLuint shader = glCreateShader(type);
    const char* text = source.c_str();
    glShaderSource(shader, 1, &text, nullptr);
    glCompileShader(shader);
    GLint compiled = GL_FALSE;
    glGetShaderiv(shader, GL_COMPILE_STATUS, &compiled);
    if (compiled != GL_TRUE) {
        glDeleteShader(shader);
        return 0;
    }
    return shader;
}

// Builds the context's program, vertex array and buffer once; false when
// the program cannot be had (then text draws nothing in that context).
bool buildObjects(TextContext& context)
{
    ShaderObjects& objects = context.shader;
    if (objects.program != 0 || objects.failed)
        return !objects.failed;
    objects.failed = true;
    if (context.kind.es && context.kind.glVersion < 30)
        return false;
    const std::string version = shaderVersion(context.kind);
    const GLuint vertex = compileShader(GL_VERTEX_SHADER, version + vertexBody);
    const GLuint fragment = compileShader(GL_FRAGMENT_SHADER, version + fragmentBody);
    if (vertex == 0 || fragment == 0) {
        glDeleteShader(vertex);
        glDeleteShader(fragment);
        return false;
    }
    const GLuint program = glCreateProgram();
    glAttachShader(program, vertex);
    glAttachShader(program, fragment);
    glBindAttribLocation(program, positionAttribute, "position");
    glBindAttribLocation(program, texelAttribute, "texel");
    if (!context.kind.es)
        glBindFragDataLocation(program, 0, "fragColor");
    glLinkProgram(program);
    glDeleteShader(vertex);
    glDeleteShader(fragment);
    GLint linked = GL_FALSE;
    glGetProgramiv(program, GL_LINK_STATUS, &linked);
    if (linked != GL_TRUE) {
        glDeleteProgram(program);
        return false;
    }
    objects.program = program;
    objects.frameLocation = glGetUniformLocation(program, "frame");
    objects.colorLocation = glGetUniformLocation(program, "color");
    objects.modeLocation = glGetUniformLocation(program, "mode");
    objects.pageLocation = glGetUniformLocation(program, "page");
    glGenVertexArrays(1, &objects.vertexArray);
    glGenBuffers(1, &objects.buffer);
    objects.failed = false;
    return true;
}

// ---------------------------------------------------------------------------
// GL state, saved and given back
// ---------------------------------------------------------------------------

// The caller's pixel-unpack settings that a texture upload changed.
struct UnpackSetting {
    GLenum name;
    GLint value;
    bool desktopOnly;
};

struct SavedUnpack {
    std::array<UnpackSetting, 6> settings{{{GL_UNPACK_ALIGNMENT, 1, false},
                                           {GL_UNPACK_ROW_LENGTH, 0, false},
                                           {GL_UNPACK_SKIP_ROWS, 0, false},
                                           {GL_UNPACK_SKIP_PIXELS, 0, false},
                                           {GL_UNPACK_SWAP_BYTES, GL_FALSE, true},
                                           {GL_UNPACK_LSB_FIRST, GL_FALSE, true}}};
    std::array<GLint, 6> caller{};
    GLint unpackBuffer = 0;
};

// Plain unpacking from client memory: tightly packed rows, no unpack buffer.
SavedUnpack beginUpload(const ContextKind& kind, int rowLength, int skipPixels, int skipRows)
{
    SavedUnpack saved;
    saved.settings[1].value = rowLength;
    saved.settings[2].value = skipRows;
    saved.settings[3].value = skipPixels;
    glGetIntegerv(GL_PIXEL_UNPACK_BUFFER_BINDING, &saved.unpackBuffer);
    if (saved.unpackBuffer != 0)
        glBindBuffer(GL_PIXEL_UNPACK_BUFFER, 0);
    for (std::size_t i = 0; i < saved.settings.size(); ++i) {
        if (saved.settings[i].desktopOnly && kind.es)
            continue;
        glGetIntegerv(saved.settings[i].name, &saved.caller[i]);
        if (saved.caller[i] != saved.settings[i].value)
            glPixelStorei(saved.settings[i].name, saved.settings[i].value);
    }
    return saved;
}

void endUpload(const ContextKind& kind, const SavedUnpack& saved)
{
    for (std::size_t i = 0; i < saved.settings.size(); ++i) {
        if (saved.settings[i].desktopOnly && kind.es)
            continue;
        if (saved.caller[i] != saved.settings[i].value)
            glPixelStorei(saved.settings[i].name, saved.caller[i]);
    }
    if (saved.unpackBuffer != 0)
        glBindBuffer(GL_PIXEL_UNPACK_BUFFER, static_cast<GLuint>(saved.unpackBuffer));
}

bool hasSamplers(const ContextKind& kind)
{
    return kind.es || kind.glVersion >= 33;
}

// What a drawing entry changes.
struct SavedState {
    GLint program = 0;
    GLint vertexArray = 0;
    GLint arrayBuffer = 0;
    GLint activeTexture = GL_TEXTURE0;
    GLint texture = 0;
    GLint sampler = 0;
    GLboolean blend = GL_FALSE;
    std::array<GLint, 6> blendFunction{};  // source and target RGB, alpha; equations RGB, alpha
    GLboolean depthTest = GL_FALSE;
    GLboolean cullFace = GL_FALSE;
    std::array<GLint, 2> polygonMode{GL_FILL, GL_FILL};
    bool coverageBlending = false;
};

void setSwitch(GLenum capability, bool on)
{
    on ? glEnable(capability) : glDisable(capability);
}

// Sets what drawing needs: the program, its vertex array and buffer,
// texture unit 0 with no sampler, filled polygons, no culling, the depth
// test as asked and, for loaded fonts, blending by coverage.
SavedState enterDrawing(TextContext& context, bool depthTest, bool coverageBlending)
{
    const ShaderObjects& objects = context.shader;
    SavedState saved;
    saved.coverageBlending = coverageBlending;
    glGetIntegerv(GL_CURRENT_PROGRAM, &saved.program);
    glGetIntegerv(GL_VERTEX_ARRAY_BINDING, &saved.vertexArray);
    glGetIntegerv(GL_ARRAY_BUFFER_BINDING, &saved.arrayBuffer);
    glGetIntegerv(GL_ACTIVE_TEXTURE, &saved.activeTexture);
    glActiveTexture(GL_TEXTURE0);
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &saved.texture);
    if (hasSamplers(context.kind)) {
        glGetIntegerv(GL_SAMPLER_BINDING, &saved.sampler);
        if (saved.sampler != 0)
            glBindSampler(0, 0);
    }
    saved.depthTest = glIsEnabled(GL_DEPTH_TEST);
    saved.cullFace = glIsEnabled(GL_CULL_FACE);
    if (!context.kind.es) {
        glGetIntegerv(GL_POLYGON_MODE, saved.polygonMode.data());
        if (saved.polygonMode[0] != GL_FILL || saved.polygonMode[1] != GL_FILL)
            glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    }
    if (coverageBlending) {
        saved.blend = glIsEnabled(GL_BLEND);
        glGetIntegerv(GL_BLEND_SRC_RGB, saved.blendFunction.data());
        glGetIntegerv(GL_BLEND_DST_RGB, &saved.blendFunction[1]);
        glGetIntegerv(GL_BLEND_SRC_ALPHA, &saved.blendFunction[2]);
        glGetIntegerv(GL_BLEND_DST_ALPHA, &saved.blendFunction[3]);
        glGetIntegerv(GL_BLEND_EQUATION_RGB, &saved.blendFunction[4]);
        glGetIntegerv(GL_BLEND_EQUATION_ALPHA, &saved.blendFunction[5]);
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        glBlendEquation(GL_FUNC_ADD);
    }
    if ((saved.depthTest == GL_TRUE) != depthTest)
        setSwitch(GL_DEPTH_TEST, depthTest);
    if (saved.cullFace == GL_TRUE)
        glDisable(GL_CULL_FACE);
    glUseProgram(objects.program);
    glBindVertexArray(objects.vertexArray);
    glBindBuffer(GL_ARRAY_BUFFER, objects.buffer);
    return saved;
}

void leaveDrawing(const TextContext& context, const SavedState& saved, bool depthTest)
{
    glBindVertexArray(static_cast<GLuint>(saved.vertexArray));
    glBindBuffer(GL_ARRAY_BUFFER, static_cast<GLuint>(saved.arrayBuffer));
    glUseProgram(static_cast<GLuint>(saved.program));
    if (saved.cullFace == GL_TRUE)
        glEnable(GL_CULL_FACE);
    if ((saved.depthTest == GL_TRUE) != depthTest)
        setSwitch(GL_DEPTH_TEST, saved.depthTest == GL_TRUE);
    if (saved.coverageBlending) {
        setSwitch(GL_BLEND, saved.blend == GL_TRUE);
        glBlendFuncSeparate(static_cast<GLenum>(saved.blendFunction[0]),
                            static_cast<GLenum>(saved.blendFunction[1]),
                            static_cast<GLenum>(saved.blendFunction[2]),
                            static_cast<GLenum>(saved.blendFunction[3]));
        glBlendEquationSeparate(static_cast<GLenum>(saved.blendFunction[4]),
                                static_cast<GLenum>(saved.blendFunction[5]));
    }
    if (!context.kind.es && (saved.polygonMode[0] != GL_FILL || saved.polygonMode[1] != GL_FILL))
        glPolygonMode(GL_FRONT_AND_BACK, static_cast<GLenum>(saved.polygonMode[0]));
    if (saved.sampler != 0)
        glBindSampler(0, static_cast<GLuint>(saved.sampler));
    glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(saved.texture));
    glActiveTexture(static_cast<GLenum>(saved.activeTexture));
}

// ---------------------------------------------------------------------------
// Drawing
// ---------------------------------------------------------------------------

// Vertices of the text being drawn, kept so that drawing text again
// allocates nothing.
std::vector<GLfloat> vertices;
std::vector<const CachedGlyph*> placed;

// The uniforms of a draw: the viewport's window pixels to clip space, as
// the fixed-function renderer's window-pixel projection maps them.
void setUniforms(const TextContext& context, const DrawStyle& style, Mode mode)
{
    std::array<GLint, 4> viewport{};
    glGetIntegerv(GL_VIEWPORT, viewport.data());
    const double width = std::max(viewport[2], 1);
    const double height = std::max(viewport[3], 1);
    const ShaderObjects& objects = context.shader;
    glUniform4f(objects.frameLocation, static_cast<float>(2.0 / width),
                static_cast<float>(2.0 / height),
                static_cast<float>(-1.0 - 2.0 * viewport[0] / width),
                static_cast<float>(-1.0 - 2.0 * viewport[1] / height));
    glUniform4fv(objects.colorLocation, 1, style.color.data());
    glUniform1i(objects.modeLocation, mode);
    glUniform1i(objects.pageLocation, 0);
}

// Sends the vertices and draws them. The buffer gets new storage every
// time (never rewriting storage a draw still reads, which would wait for
// it); the vertex array's layout is set once, with the first vertices.
void drawVertices(TextContext& context, GLenum primitive)
{
    ShaderObjects& objects = context.shader;
    const auto bytes = static_cast<GLsizeiptr>(vertices.size() * sizeof(GLfloat));
    glBufferData(GL_ARRAY_BUFFER, bytes, vertices.data(), GL_STREAM_DRAW);
    if (!objects.layoutSet) {
        objects.layoutSet = true;
        glEnableVertexAttribArray(positionAttribute);
        glEnableVertexAttribArray(texelAttribute);
        glVertexAttribPointer(positionAttribute, 3, GL_FLOAT, GL_FALSE,
                              floatsPerVertex * sizeof(GLfloat), nullptr);
        // NOLINTNEXTLINE(performance-no-int-to-ptr): GL takes a buffer offset as a pointer
        const auto* const texelOffset = reinterpret_cast<const void*>(3 * sizeof(GLfloat));
        glVertexAttribPointer(texelAttribute, 2, GL_FLOAT, GL_FALSE,
                              floatsPerVertex * sizeof(GLfloat), texelOffset);
    }
    glDrawArrays(primitive, 0, static_cast<GLsizei>(vertices.size() / floatsPerVertex));
}

// Two triangles over the window rectangle [x0, x1) x [y0, y1) at a depth,
// textured with [s0, s1] x [t0, t1].
void appendQuad(float x0, float y0, float x1, float y1, float depth, float s0, float t0, float s1,
                float t1)
{
    const GLfloat quad[] = {x0, y0, depth, s0, t0, x1, y0, depth, s1, t0, x1, y1, depth, s1, t1,
                            x0, y0, depth, s0, t0, x1, y1, depth, s1, t1, x0, y1, depth, s0, t1};
    vertices.insert(vertices.end(), std::begin(quad), std::end(quad));
}

GLuint newTexture()
{
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    return texture;
}

// Sends texels, rows of `rowLength`, to the bound texture: all of them as
// its new storage (`rowLength` x `rows`), or the changed rectangle.
void sendTexels(const ContextKind& kind, const unsigned char* texels, int rowLength, int rows,
                const PageChange& change)
{
    const SavedUnpack unpack = beginUpload(kind, rowLength, change.x, change.y);
    if (change.whole)
        glTexImage2D(GL_TEXTURE_2D, 0, GL_R8, rowLength, rows, 0, GL_RED, GL_UNSIGNED_BYTE, texels);
    else
        glTexSubImage2D(GL_TEXTURE_2D, 0, change.x, change.y, change.width, change.rows, GL_RED,
                        GL_UNSIGNED_BYTE, texels);
    endUpload(kind, unpack);
}

// The own fonts' page at a scale, in a new texture.
unsigned int makeOwnFontPage(const TextContext& context, int scale)
{
    std::vector<unsigned char> texels;
    buildOwnPage(scale, texels);
    const GLuint texture = newTexture();
    const int width = ownPageWidth(scale);
    const int height = ownPageHeight(scale);
    sendTexels(context.kind, texels.data(), width, height, {true, 0, 0, width, height});
    return texture;
}

// Deletes the textures of closed pages and brings every open page's
// texture up to date (texture unit 0 is active).
void syncPages(TextContext& context)
{
    const ContextKind& kind = context.kind;
    syncPageTextures(
        context.atlas, [](GLuint texture) { glDeleteTextures(1, &texture); },
        [&kind](GlyphPage& page, const PageChange& change) {
            if (page.texture == 0)
                page.texture = newTexture();
            glBindTexture(GL_TEXTURE_2D, page.texture);
            sendTexels(kind, page.texels.data(), page.size, page.size, change);
        });
}

// The own-font glyphs of a text, placed as glBitmap places them.
void appendOwnGlyphs(const OwnText& text)
{
    constexpr float slack = 1e-4f;  // GL's allowance before the raster position is floored
    const auto scale = static_cast<float>(text.scale);
    const int fontIndex = ownFontIndex(text.font);
    const auto pageWidth = static_cast<float>(ownPageWidth(text.scale));
    const auto pageHeight = static_cast<float>(ownPageHeight(text.scale));
    const auto cellWidth = static_cast<float>(glyphWidth) * scale;
    const auto rows = static_cast<float>(cellHeight(text.font)) * scale;
    float x = text.start.x;
    float y = text.start.y;
    x += text.start.dx;
    y += text.start.dy;
    for (const char* byte = text.text; *byte != '\0'; ++byte) {
        const int code = static_cast<unsigned char>(*byte);
        if (!hasOwnGlyph(code))
            continue;
        const OwnCell cell = ownGlyphCell(fontIndex, code, text.scale);
        const float left = std::floor(x + slack - ownGlyphOriginX * scale);
        const float bottom = std::floor(y + slack - ownGlyphOriginY * scale);
        const auto s0 = static_cast<float>(cell.x) / pageWidth;
        const auto t0 = static_cast<float>(cell.y) / pageHeight;
        appendQuad(left, bottom, left + cellWidth, bottom + rows, text.start.depth, s0, t0,
                   s0 + cellWidth / pageWidth, t0 + rows / pageHeight);
        x += static_cast<float>(glyphAdvance(text.font, static_cast<unsigned char>(code))) * scale;
    }
}

// The quads of every glyph on the page of placed[first].
void appendPageQuads(const GlyphAtlas& atlas, const TextLayout& layout, std::size_t first, float x,
                     float baseline, float depth)
{
    const int page = placed[first]->page;
    const auto size = static_cast<float>(atlas.pages[static_cast<std::size_t>(page)].size);
    vertices.clear();
    for (std::size_t i = first; i < placed.size(); ++i) {
        const CachedGlyph& glyph = *placed[i];
        if (glyph.page != page)
            continue;
        const float left = x + static_cast<float>(roundToPixels(layout.glyphs[i].x) + glyph.left);
        const float top =
            baseline + static_cast<float>(roundToPixels(layout.glyphs[i].y) + glyph.top);
        appendQuad(
            left, top - static_cast<float>(glyph.rows), left + static_cast<float>(glyph.width), top,
            depth, static_cast<float>(glyph.x) / size,
            static_cast<float>(glyph.y + glyph.rows) / size,
            static_cast<float>(glyph.x + glyph.width) / size, static_cast<float>(glyph.y) / size);
    }
}

bool isFirstOfPage(std::size_t first)
{
    const int page = placed[first]->page;
    return page >= 0 &&
           std::none_of(placed.begin(), placed.begin() + static_cast<std::ptrdiff_t>(first),
                        [page](const CachedGlyph* glyph) { return glyph->page == page; });
}

}  // namespace

// ---------------------------------------------------------------------------
// Internal interface
// ---------------------------------------------------------------------------

ContextKind currentContextKind()
{
    ContextKind kind;
    kind.es = !epoxy_is_desktop_gl();
    kind.glVersion = epoxy_gl_version();
    GLint largest = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &largest);
    kind.largestTexture = std::max(largest, 64);
    bool core = kind.es;
    if (!kind.es && kind.glVersion >= 30) {
        GLint flags = 0;
        glGetIntegerv(GL_CONTEXT_FLAGS, &flags);
        core = (flags & GL_CONTEXT_FLAG_FORWARD_COMPATIBLE_BIT) != 0;
        if (kind.glVersion >= 32) {
            GLint profile = 0;
            glGetIntegerv(GL_CONTEXT_PROFILE_MASK, &profile);
            core = core || (profile & GL_CONTEXT_CORE_PROFILE_BIT) != 0;
        } else if (kind.glVersion == 31) {
            core = core || !epoxy_has_gl_extension("GL_ARB_compatibility");
        }
    }
    kind.renderer = core ? Renderer::shader : Renderer::fixedFunction;
    return kind;
}

void currentViewport(std::array<int, 4>& viewport, std::array<float, 2>& depthRange)
{
    glGetIntegerv(GL_VIEWPORT, viewport.data());
    glGetFloatv(GL_DEPTH_RANGE, depthRange.data());
}

void shaderDrawOwnText(TextContext& context, const OwnText& text, const DrawStyle& style)
{
    if (!buildObjects(context))
        return;
    const SavedState saved = enterDrawing(context, style.depthTest, false);
    const GLuint page = ownFontsAt(context, text.scale, makeOwnFontPage);
    vertices.clear();
    appendOwnGlyphs(text);
    if (page != 0 && !vertices.empty()) {
        glBindTexture(GL_TEXTURE_2D, page);
        setUniforms(context, style, ownGlyphs);
        drawVertices(context, GL_TRIANGLES);
    }
    leaveDrawing(context, saved, style.depthTest);
}

void shaderDrawLoadedText(TextContext& context, const TextLayout& layout, float x, float baseline,
                          float depth, const DrawStyle& style)
{
    if (layout.glyphs.empty() || !buildObjects(context))
        return;
    const SavedState saved = enterDrawing(context, style.depthTest, true);
    try {
        placed.clear();
        for (const PlacedGlyph& glyph : layout.glyphs)
            placed.push_back(&atlasGlyph(context.atlas, glyph));
        syncPages(context);
        setUniforms(context, style, loadedGlyphs);
        for (std::size_t first = 0; first < placed.size(); ++first) {
            if (!isFirstOfPage(first))
                continue;
            appendPageQuads(context.atlas, layout, first, x, baseline, depth);
            glBindTexture(
                GL_TEXTURE_2D,
                context.atlas.pages[static_cast<std::size_t>(placed[first]->page)].texture);
            drawVertices(context, GL_TRIANGLES);
        }
    } catch (const std::bad_alloc&) {
        // No memory for a page or the cache: the text is not drawn.
    }
    leaveDrawing(context, saved, style.depthTest);
}

void shaderDrawLine(TextContext& context, const std::array<float, 3>& from,
                    const std::array<float, 3>& to, const DrawStyle& style)
{
    if (!buildObjects(context))
        return;
    const SavedState saved = enterDrawing(context, false, false);
    vertices.assign({from[0], from[1], from[2], 0.0f, 0.0f, to[0], to[1], to[2], 0.0f, 0.0f});
    setUniforms(context, style, lines);
    drawVertices(context, GL_LINES);
    leaveDrawing(context, saved, false);
}

void shaderRelease(TextContext& context)
{
    ShaderObjects& objects = context.shader;
    if (objects.program != 0)
        glDeleteProgram(objects.program);
    if (objects.vertexArray != 0)
        glDeleteVertexArrays(1, &objects.vertexArray);
    if (objects.buffer != 0)
        glDeleteBuffers(1, &objects.buffer);
    objects = ShaderObjects{};
    for (GLuint& texture : context.ownFonts)
        if (texture != 0)
            glDeleteTextures(1, &texture);
    std::vector<unsigned int> textures;
    clearAtlas(context.atlas, textures);
    for (GLuint texture : textures)
        glDeleteTextures(1, &texture);
}

}  // namespace vestrane::detail
