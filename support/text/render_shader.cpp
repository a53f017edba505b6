/*
 * render_shader.cpp - text and window lines in core-profile and OpenGL ES
 * contexts, which have no fixed-function pipeline: one small program per
 * context, a vertex array and a streamed buffer; glyph pages in one-channel
 * (GL_R8) textures; one draw per run of a batch. Also reads the kind of a
 * new context.
 *
 * Depends on: libepoxy (every GL entry point, resolved for the current
 * context at run time, and the context's version and extensions),
 * text_batch.h, glyph_pages.h.
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
in vec4 tint;
uniform vec4 frame;
out vec2 coord;
out vec4 color;
void main()
{
    coord = texel;
    color = tint;
    gl_Position = vec4(position.xy * frame.xy + frame.zw, position.z * 2.0 - 1.0, 1.0);
}
)";

// Modes (RunKind): 0 own-font glyphs (ink in the colour as it is), 1
// loaded-font glyphs (the colour's alpha times the coverage), 2 lines.
constexpr char fragmentBody[] = R"(
uniform sampler2D page;
uniform int mode;
in vec2 coord;
in vec4 color;
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

constexpr GLuint positionAttribute = 0;
constexpr GLuint texelAttribute = 1;
constexpr GLuint tintAttribute = 2;

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
    glBindAttribLocation(program, tintAttribute, "tint");
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

// What drawing a batch changes.
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
    bool coverageBlending = false;  // set for a run of loaded-font glyphs
    bool depthTestNow = false;      // the depth test as the runs left it
    GLboolean depthMask = GL_TRUE;
    bool depthWritesNow = true;  // the mask is the caller's; false: off for halos
};

void setSwitch(GLenum capability, bool on)
{
    on ? glEnable(capability) : glDisable(capability);
}

// Sets what drawing needs: the program, its vertex array and buffer,
// texture unit 0 with no sampler, filled polygons, no culling.
SavedState enterDrawing(TextContext& context)
{
    const ShaderObjects& objects = context.shader;
    SavedState saved;
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
    saved.depthTestNow = saved.depthTest == GL_TRUE;
    glGetBooleanv(GL_DEPTH_WRITEMASK, &saved.depthMask);
    saved.cullFace = glIsEnabled(GL_CULL_FACE);
    if (!context.kind.es) {
        glGetIntegerv(GL_POLYGON_MODE, saved.polygonMode.data());
        if (saved.polygonMode[0] != GL_FILL || saved.polygonMode[1] != GL_FILL)
            glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    }
    saved.blend = glIsEnabled(GL_BLEND);
    glGetIntegerv(GL_BLEND_SRC_RGB, saved.blendFunction.data());
    glGetIntegerv(GL_BLEND_DST_RGB, &saved.blendFunction[1]);
    glGetIntegerv(GL_BLEND_SRC_ALPHA, &saved.blendFunction[2]);
    glGetIntegerv(GL_BLEND_DST_ALPHA, &saved.blendFunction[3]);
    glGetIntegerv(GL_BLEND_EQUATION_RGB, &saved.blendFunction[4]);
    glGetIntegerv(GL_BLEND_EQUATION_ALPHA, &saved.blendFunction[5]);
    if (saved.cullFace == GL_TRUE)
        glDisable(GL_CULL_FACE);
    glUseProgram(objects.program);
    glBindVertexArray(objects.vertexArray);
    glBindBuffer(GL_ARRAY_BUFFER, objects.buffer);
    return saved;
}

// Loaded-font glyphs blend by coverage; the rest through the caller's
// blending.
void blendForRun(SavedState& saved, RunKind kind)
{
    const bool coverage = kind == RunKind::loadedGlyphs;
    if (coverage == saved.coverageBlending)
        return;
    if (coverage) {
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        glBlendEquation(GL_FUNC_ADD);
    } else {
        setSwitch(GL_BLEND, saved.blend == GL_TRUE);
        glBlendFuncSeparate(static_cast<GLenum>(saved.blendFunction[0]),
                            static_cast<GLenum>(saved.blendFunction[1]),
                            static_cast<GLenum>(saved.blendFunction[2]),
                            static_cast<GLenum>(saved.blendFunction[3]));
        glBlendEquationSeparate(static_cast<GLenum>(saved.blendFunction[4]),
                                static_cast<GLenum>(saved.blendFunction[5]));
    }
    saved.coverageBlending = coverage;
}

void leaveDrawing(const TextContext& context, SavedState& saved)
{
    blendForRun(saved, RunKind::ownGlyphs);
    glBindVertexArray(static_cast<GLuint>(saved.vertexArray));
    glBindBuffer(GL_ARRAY_BUFFER, static_cast<GLuint>(saved.arrayBuffer));
    glUseProgram(static_cast<GLuint>(saved.program));
    if (saved.cullFace == GL_TRUE)
        glEnable(GL_CULL_FACE);
    if ((saved.depthTest == GL_TRUE) != saved.depthTestNow)
        setSwitch(GL_DEPTH_TEST, saved.depthTest == GL_TRUE);
    if (!saved.depthWritesNow)
        glDepthMask(saved.depthMask);
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

// The uniforms of a batch: the viewport's window pixels to clip space, as
// the fixed-function renderer's window-pixel projection maps them.
void setFrame(const TextContext& context, const std::array<GLint, 4>& viewport)
{
    const double width = std::max(viewport[2], 1);
    const double height = std::max(viewport[3], 1);
    const ShaderObjects& objects = context.shader;
    glUniform4f(objects.frameLocation, static_cast<float>(2.0 / width),
                static_cast<float>(2.0 / height),
                static_cast<float>(-1.0 - 2.0 * viewport[0] / width),
                static_cast<float>(-1.0 - 2.0 * viewport[1] / height));
    glUniform1i(objects.pageLocation, 0);
}

// Sends the vertices. The buffer gets new storage every time (never
// rewriting storage a draw still reads, which would wait for it); the
// vertex array's layout is set once, with the first vertices.
void sendVertices(TextContext& context)
{
    ShaderObjects& objects = context.shader;
    const auto bytes = static_cast<GLsizeiptr>(context.batch.vertices.size() * sizeof(GLfloat));
    glBufferData(GL_ARRAY_BUFFER, bytes, context.batch.vertices.data(), GL_STREAM_DRAW);
    if (!objects.layoutSet) {
        objects.layoutSet = true;
        constexpr GLsizei stride = floatsPerVertex * sizeof(GLfloat);
        glEnableVertexAttribArray(positionAttribute);
        glEnableVertexAttribArray(texelAttribute);
        glEnableVertexAttribArray(tintAttribute);
        glVertexAttribPointer(positionAttribute, 3, GL_FLOAT, GL_FALSE, stride, nullptr);
        // NOLINTBEGIN(performance-no-int-to-ptr): GL takes a buffer offset as a pointer
        glVertexAttribPointer(texelAttribute, 2, GL_FLOAT, GL_FALSE, stride,
                              reinterpret_cast<const void*>(3 * sizeof(GLfloat)));
        glVertexAttribPointer(tintAttribute, 4, GL_FLOAT, GL_FALSE, stride,
                              reinterpret_cast<const void*>(5 * sizeof(GLfloat)));
        // NOLINTEND(performance-no-int-to-ptr)
    }
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

// Sends the changed part of a page's texels (rows of page.size) to its
// texture, which is bound.
void sendTexels(const ContextKind& kind, const GlyphPage& page, const PageChange& change)
{
    const SavedUnpack unpack = beginUpload(kind, page.size, change.x, change.y);
    if (change.whole)
        glTexImage2D(GL_TEXTURE_2D, 0, GL_R8, page.size, page.size, 0, GL_RED, GL_UNSIGNED_BYTE,
                     page.texels.data());
    else
        glTexSubImage2D(GL_TEXTURE_2D, 0, change.x, change.y, change.width, change.rows, GL_RED,
                        GL_UNSIGNED_BYTE, page.texels.data());
    endUpload(kind, unpack);
}

// Brings every open page's texture up to date (texture unit 0 is active).
void sendPages(TextContext& context)
{
    const ContextKind& kind = context.kind;
    sendPageChanges(context.atlas, [&kind](GlyphPage& page, const PageChange& change) {
        if (page.texture == 0)
            page.texture = newTexture();
        glBindTexture(GL_TEXTURE_2D, page.texture);
        sendTexels(kind, page, change);
    });
}

// Draws the batch's runs with the program in use.
void drawRuns(TextContext& context, SavedState& saved)
{
    std::array<GLint, 4> viewport{};
    glGetIntegerv(GL_VIEWPORT, viewport.data());
    batchVertices(context.batch, context.atlas, viewport);
    sendVertices(context);
    setFrame(context, viewport);
    int mode = -1;
    forEachDrawnRun(context.batch, [&](const BatchRun& run, int first, int count) {
        if (run.depthTest != saved.depthTestNow) {
            saved.depthTestNow = run.depthTest;
            setSwitch(GL_DEPTH_TEST, run.depthTest);
        }
        if (run.depthTest && run.depthWrites != saved.depthWritesNow) {
            saved.depthWritesNow = run.depthWrites;
            glDepthMask(run.depthWrites ? saved.depthMask : GL_FALSE);
        }
        blendForRun(saved, run.kind);
        if (static_cast<int>(run.kind) != mode) {
            mode = static_cast<int>(run.kind);
            glUniform1i(context.shader.modeLocation, mode);
        }
        if (run.kind != RunKind::lines)
            glBindTexture(GL_TEXTURE_2D,
                          context.atlas.pages[static_cast<std::size_t>(run.page)].texture);
        glDrawArrays(run.kind == RunKind::lines ? GL_LINES : GL_TRIANGLES, first, count);
    });
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

void shaderDrawBatch(TextContext& context)
{
    if (!context.batch.runs.empty() && buildObjects(context)) {
        SavedState saved = enterDrawing(context);
        try {
            sendPages(context);
            drawRuns(context, saved);
        } catch (const std::bad_alloc&) {
            // No memory for the vertices: the batch is not drawn.
        }
        leaveDrawing(context, saved);
    }
    clearBatch(context.batch);
    removeFreedFacePages(context.atlas, [](GLuint texture) { glDeleteTextures(1, &texture); });
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
    std::vector<unsigned int> textures;
    clearAtlas(context.atlas, textures);
    for (GLuint texture : textures)
        glDeleteTextures(1, &texture);
}

}  // namespace vestrane::detail
