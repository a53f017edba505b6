/*
 * loaded_font_test.cpp - text in loaded TrueType fonts against FreeType's
 * own bitmaps and HarfBuzz's advances: placement, alignment, shaping,
 * fallback, the glyph pages, the text scale, hostile input, and the GL
 * state every entry puts back.
 *
 * Depends on: support/text/text.h, the text module's internal layout
 * (glyph pages and render flags), FreeType, FriBidi, the harness, GoogleTest. Fonts
 * are the DejaVu files, loaded by path. Fallback faces and the pages they
 * take depend on the fonts installed: CTest runs this program with
 * fontconfig seeing only the DejaVu fonts of fonts-dejavu-core
 * (tests/fonts/dejavu-only.conf.in), and its last case alone again with
 * the system's own fonts.
 */
#define GL_GLEXT_PROTOTYPES /* glBindBuffer, for a bound unpack buffer */
#include "support/gl_state.h"
#include "support/text/loaded_fonts.h"
#include "support/text/text.h"
#include "support/text/text_context.h"
#include "tests/text_testing.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include <GL/glut.h>
#include <fribidi.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <limits>
#include <map>
#include <string>
#include <vector>

namespace {

const std::string fontDir = "/usr/share/fonts/truetype/dejavu/";
const std::string sansFile = fontDir + "DejaVuSans.ttf";
const std::string serifFile = fontDir + "DejaVuSerif.ttf";

/* The picture of `text` in `font` drawn in white on black from an anchor. */
Image drawnText(int font, const std::string& text, float x = 40.0f, float y = 60.0f,
                int alignment = alignLeft)
{
    clearToBlack();
    setTextAlignment(alignment);
    setTextAnchor(x, y, 0.0f);
    drawTextInFont(font, "%s", text.c_str());
    setTextAlignment(alignLeft);
    return backBuffer();
}

/* FreeType's own rendering of one character, as the library renders it. */
struct FreeTypeGlyph {
    std::vector<unsigned char> coverage;
    int width = 0;
    int rows = 0;
    int left = 0;
    int top = 0;
    long advance = 0;  // 26.6, unhinted
};

FreeTypeGlyph freeTypeGlyph(const std::string& file, float size, char32_t code)
{
    FT_Library library = nullptr;
    FT_Face face = nullptr;
    FreeTypeGlyph glyph;
    if (FT_Init_FreeType(&library) != 0 || FT_New_Face(library, file.c_str(), 0, &face) != 0)
        return glyph;
    FT_Set_Char_Size(face, 0, std::lround(size * 64.0f), 72, 72);
    FT_Load_Char(face, code, FT_LOAD_NO_HINTING);
    glyph.advance = face->glyph->advance.x;
    FT_Load_Char(face, code, vestrane::detail::glyphRenderFlags());
    const FT_Bitmap& bitmap = face->glyph->bitmap;
    glyph.width = static_cast<int>(bitmap.width);
    glyph.rows = static_cast<int>(bitmap.rows);
    glyph.left = face->glyph->bitmap_left;
    glyph.top = face->glyph->bitmap_top;
    for (int row = 0; row < glyph.rows; ++row)
        glyph.coverage.insert(glyph.coverage.end(), bitmap.buffer + row * bitmap.pitch,
                              bitmap.buffer + row * bitmap.pitch + glyph.width);
    FT_Done_Face(face);
    FT_Done_FreeType(library);
    return glyph;
}

/* A copy of DejaVu Sans whose 'H' (glyph 43, at a long offset in 'loca')
 * fails to load, its contour count made impossible: to the library, a font
 * without Latin capitals. */
std::string sansWithoutCapitalH()
{
    std::ifstream source(sansFile, std::ios::binary);
    std::string font{std::istreambuf_iterator<char>(source), {}};
    const auto read = [&font](std::size_t at, int bytes) {
        std::size_t value = 0;
        for (int i = 0; i < bytes; ++i)
            value = value << 8 | static_cast<unsigned char>(font[at + static_cast<std::size_t>(i)]);
        return value;
    };
    std::map<std::string, std::size_t> tables;
    for (std::size_t entry = 12; entry < 12 + 16 * read(4, 2); entry += 16)
        tables[font.substr(entry, 4)] = read(entry + 8, 4);
    font[tables["glyf"] + read(tables["loca"] + 4 * 43, 4)] = '\x7f';
    const std::string path = testing::TempDir() + "no-capital-h.ttf";
    std::ofstream(path, std::ios::binary) << font;
    return path;
}

/* A character of the Basic Multilingual Plane in UTF-8. */
std::string utf8Of(char32_t code)
{
    if (code < 0x800)
        return {static_cast<char>(0xC0 | (code >> 6)), static_cast<char>(0x80 | (code & 0x3F))};
    return {static_cast<char>(0xE0 | (code >> 12)), static_cast<char>(0x80 | ((code >> 6) & 0x3F)),
            static_cast<char>(0x80 | (code & 0x3F))};
}

/* The characters a text's glyphs come from, left to right: laid out in
 * `font`, or (font 0) as FriBidi's own reordering of it as one line puts them. */
std::vector<int> displayOrder(const std::string& text, int font = 0)
{
    std::vector<int> order;
    vestrane::detail::TextLayout layout;
    if (vestrane::detail::layoutText(font, 1, text.c_str(), layout)) {
        for (const auto& glyph : layout.glyphs)
            order.push_back(static_cast<int>(glyph.character));
        return order;
    }
    std::vector<FriBidiChar> characters(text.size() + 1);
    const FriBidiStrIndex length =
        fribidi_charset_to_unicode(FRIBIDI_CHAR_SET_UTF8, text.data(),
                                   static_cast<FriBidiStrIndex>(text.size()), characters.data());
    order.resize(static_cast<std::size_t>(length));
    FriBidiParType direction = FRIBIDI_PAR_ON;
    static_cast<void>(fribidi_log2vis(characters.data(), length, &direction, nullptr, nullptr,
                                      order.data(), nullptr));
    return order;
}

/* The red channel of window pixel (x, y) counted from the bottom left. */
int redAt(const Image& image, int x, int y)
{
    return image.at(x, image.height - 1 - y).r;
}

/* Checks that the picture holds `glyph` with its pen at (x, baseline),
 * white on black to within 1 of 255, and nothing outside it. */
void expectGlyphAt(const Image& image, const FreeTypeGlyph& glyph, int x, int baseline)
{
    int inked = 0;
    for (int row = 0; row < glyph.rows; ++row)
        for (int column = 0; column < glyph.width; ++column) {
            const int expected =
                glyph.coverage[static_cast<std::size_t>(row * glyph.width + column)];
            const int actual =
                redAt(image, x + glyph.left + column, baseline + glyph.top - 1 - row);
            ASSERT_NEAR(actual, expected, 1) << "glyph pixel " << column << ", " << row;
            inked += actual;
        }
    int total = 0;
    for (std::size_t i = 0; i < image.rgb.size(); i += 3)
        total += image.rgb[i];
    EXPECT_EQ(total, inked) << "ink outside the glyph";
}

class LoadedFont : public ::testing::Test {
  protected:
    void SetUp() override
    {
        window = openTextWindow("loaded fonts", 320, 120);
        sans = loadFont(sansFile.c_str(), 40.0f);
        ASSERT_GE(sans, 16);
    }
    void TearDown() override
    {
        freeFont(sans);
        setTextScale(1);
        closeTestWindow(window);
    }
    int window = 0;
    int sans = 0;
};

}  // namespace

TEST_F(LoadedFont, GlyphsReadBackAsFreeTypeRendersThemOnWholePixels)
{
    const FreeTypeGlyph g = freeTypeGlyph(sansFile, 40.0f, 'g');
    ASSERT_GT(g.rows, 0);
    expectGlyphAt(drawnText(sans, "g"), g, 40, 60);
    // An anchor inside a pixel starts the pen on that pixel, as bitmaps do.
    expectGlyphAt(drawnText(sans, "g", 40.7f, 60.4f), g, 40, 60);
    // The caller's texture matrix does not move the glyphs on their page.
    glMatrixMode(GL_TEXTURE);
    glScalef(2.0f, 2.0f, 1.0f);
    expectGlyphAt(drawnText(sans, "g"), g, 40, 60);
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    // The colour's alpha scales the coverage.
    clearToBlack();
    glColor4f(1.0f, 1.0f, 1.0f, 0.5f);
    setTextAnchor(40.0f, 60.0f, 0.0f);
    drawTextInFont(sans, "g");
    const Image half = backBuffer();
    int brightest = 0;
    for (std::size_t i = 0; i < half.rgb.size(); i += 3)
        brightest = std::max<int>(brightest, half.rgb[i]);
    EXPECT_NEAR(brightest, 128, 2);
}

TEST_F(LoadedFont, WidthsAreTheShapedAdvanceAndAlignmentUsesThem)
{
    const FreeTypeGlyph h = freeTypeGlyph(sansFile, 40.0f, 'H');
    const FreeTypeGlyph i = freeTypeGlyph(sansFile, 40.0f, 'i');
    EXPECT_EQ(textWidth(sans, "HiH"), std::lround((2 * h.advance + i.advance) / 64.0));
    EXPECT_LT(textWidth(sans, "AV"), textWidth(sans, "A") + textWidth(sans, "V")) << "kerning";
    // The ink of right-aligned text ends at the anchor (H has no right
    // bearing to speak of), of centred text around it.
    const int width = textWidth(sans, "HH");
    const InkSpan right = inkSpan(drawnText(sans, "HH", 300.0f, 60.0f, alignRight));
    EXPECT_NEAR(right.right, 299, 4);
    EXPECT_NEAR(right.right - right.left + 1, width, 8);
    const InkSpan centred = inkSpan(drawnText(sans, "HH", 160.0f, 60.0f, alignCentred));
    EXPECT_NEAR((centred.left + centred.right + 1) / 2.0, 160.0, 1.0);
    // Aligned text drops its baseline by half the capitals' height, so
    // that an H is centred on the anchor's row.
    const Image aligned = drawnText(sans, "H", 160.0f, 60.0f, alignCentred);
    int top = -1;
    int bottom = -1;
    for (int y = 0; y < aligned.height; ++y)
        if (redAt(aligned, 160, y) > 128) {
            bottom = bottom < 0 ? y : bottom;
            top = y;
        }
    EXPECT_NEAR((top + bottom) / 2.0, 60.0, 1.0);
    // Without an 'H', capitals are taken as 0.7 of the 38-pixel ascent.
    const std::string noCapitals = sansWithoutCapitalH();
    const int noH = loadFont(noCapitals.c_str(), 40.0f);
    EXPECT_EQ(vestrane::detail::loadedCapitalDrop(noH, 1), 13);
    freeFont(noH);
    std::remove(noCapitals.c_str());
    // Advances add up in 26.6 before rounding: no drift over a long text.
    EXPECT_EQ(textWidth(sans, "%s", std::string(300, 'i').c_str()),
              std::lround(300 * i.advance / 64.0));
}

TEST_F(LoadedFont, ShapingAndFallbackDrawWhatTheScriptNeeds)
{
    EXPECT_EQ(differingPixels(drawnText(sans, "\u00e9"), drawnText(sans, "e\u0301")), 0)
        << "a combining accent sits on its base as the precomposed letter";
    using vestrane::detail::isMark;
    EXPECT_TRUE(isMark(0x0301) && isMark(0x093E) && isMark(0x20DD)) << "Mn, Mc and Me";
    EXPECT_FALSE(isMark('e') || isMark(0x05D0) || isMark(0x02B0)) << "letters, modifier too";
    // Arabic letters join: shaped, the word is narrower than its letters
    // drawn apart, and it runs right to left (first letter on the right).
    EXPECT_LT(textWidth(sans, "\u0628\u0628\u0628"), 3 * textWidth(sans, "\u0628"));
    const Image arabic = drawnText(sans, "\u0627\u0628");
    const Image alef = drawnText(sans, "\u0627");
    EXPECT_GT(inkSpan(arabic).right, inkSpan(alef).right + 5) << "alef drawn rightmost";
    // A line that starts in Hebrew runs right to left: "\u05d0 a" looks
    // as the left-to-right "a \u05d0" does.
    EXPECT_EQ(differingPixels(drawnText(sans, "\u05d0 a"), drawnText(sans, "a \u05d0")), 0);
    // DejaVu Serif has no Hebrew: the letter comes from another installed
    // font (DejaVu Sans, the only other one with Hebrew that this program
    // sees) on the same baseline, not the missing-glyph box.
    const int serif = loadFont(serifFile.c_str(), 40.0f);
    const Image fallback = drawnText(serif, "\u05d0");
    EXPECT_EQ(differingPixels(fallback, drawnText(sans, "\u05d0")), 0);
    EXPECT_NE(differingPixels(fallback, drawnText(serif, "\U000E0100\u0378")), 0);
    EXPECT_NEAR(textWidth(serif, "a\u05d0b"),
                textWidth(serif, "a") + textWidth(serif, "\u05d0") + textWidth(serif, "b"), 1)
        << "runs of two faces side by side";
    freeFont(serif);
}

TEST_F(LoadedFont, PagesKeepEveryGlyphWhenTheyFillAndEachWindowHasItsOwn)
{
    // 2500 distinct characters of many scripts at 200 pixels: more than one
    // page of the largest size holds.
    const int big = loadFont(sansFile.c_str(), 200.0f);
    std::string text;
    for (char32_t code = 0x100; code < 0x100 + 2500; ++code) {
        text += utf8Of(code);
        if (code % 25 == 0) {
            drawnText(big, text, 0.0f, 30.0f);
            text.clear();
        }
    }
    // Shelf after shelf fills each page: four pages hold them all, where a
    // shelf a page would take dozens.
    EXPECT_GT(vestrane::detail::glyphPageCount(window), 1);
    EXPECT_LE(vestrane::detail::glyphPageCount(window), 5);
    // The first glyphs, cached before any page filled, still draw right.
    const FreeTypeGlyph g = freeTypeGlyph(sansFile, 40.0f, 'g');
    expectGlyphAt(drawnText(sans, "g"), g, 40, 60);
    // A second window builds pages of its own and draws the same.
    const int other = openTextWindow("other window", 320, 120);
    expectGlyphAt(drawnText(sans, "g"), g, 40, 60);
    EXPECT_EQ(vestrane::detail::glyphPageCount(other), 1);
    closeTestWindow(other);
    glutSetWindow(window);
    // Freeing a font gives its pages back the next time the window draws.
    freeFont(big);
    drawnText(sans, "g");
    EXPECT_EQ(vestrane::detail::glyphPageCount(window), 2) << "the 40-pixel and a fallback page";
}

TEST_F(LoadedFont, TextScaleRasterisesAtTheScaledSize)
{
    const int width = textWidth(sans, "Hello");
    const int line = fontLineHeight(sans);
    EXPECT_EQ(line, 47) << "DejaVu Sans spaces lines 1.164 em";
    setTextScale(2);
    EXPECT_NEAR(textWidth(sans, "Hello"), 2 * width, 1);
    EXPECT_NEAR(fontLineHeight(sans), 2 * line, 1);
    EXPECT_EQ(fontLineHeight(boldFont), 26);
    EXPECT_EQ(fontLineHeight(smallFont), 20);
    expectGlyphAt(drawnText(sans, "g"), freeTypeGlyph(sansFile, 80.0f, 'g'), 40, 60);
    setTextScale(1);
    const int mono = loadFont("monospace", 20.0f);
    ASSERT_GE(mono, 16);
    EXPECT_EQ(textWidth(mono, "iii"), textWidth(mono, "MMM"));
    EXPECT_GT(textWidth(mono, "iii"), 0);
    freeFont(mono);
}

TEST_F(LoadedFont, DepthTestHidesTextBehindNearerGeometry)
{
    clearToBlack();
    glEnable(GL_DEPTH_TEST);
    glColor3f(0.0f, 0.0f, 1.0f);
    glRectf(0.0f, 0.0f, 320.0f, 120.0f);  // at depth 0.5, nearer than the text
    glColor3f(1.0f, 1.0f, 1.0f);
    setTextAnchor(40.0f, 60.0f, -0.5f);  // depth 0.75 under the pixel projection
    drawText(1, sans, "HHH");
    EXPECT_EQ(litPixels(backBuffer()) - 320 * 120, 0) << "only the blue rectangle";
    EXPECT_EQ(countPixels(backBuffer(), {0, 0, 320, 120}, [](Rgb p) { return p.r > 0; }), 0);
    drawText(0, sans, "HHH");
    EXPECT_GT(countPixels(backBuffer(), {0, 0, 320, 120}, [](Rgb p) { return p.r > 0; }), 100);
    glDisable(GL_DEPTH_TEST);
}

TEST_F(LoadedFont, HostileInputGetsAClearResult)
{
    const std::string garbage = testing::TempDir() + "garbage.ttf";
    const std::string truncated = testing::TempDir() + "truncated.ttf";
    {
        std::ofstream(garbage) << "this is not a font at all, just some words";
        std::ifstream source(sansFile, std::ios::binary);
        std::vector<char> head(2000);
        source.read(head.data(), static_cast<std::streamsize>(head.size()));
        std::ofstream(truncated, std::ios::binary).write(head.data(), 2000);
    }
    const auto expectRefused = [](const char* name, float size, int error) {
        errno = 0;
        EXPECT_EQ(loadFont(name, size), 0) << (name ? name : "NULL") << " at " << size;
        EXPECT_EQ(errno, error) << (name ? name : "NULL") << " at " << size;
    };
    for (float size : {std::numeric_limits<float>::quiet_NaN(),
                       std::numeric_limits<float>::infinity(), 0.0f, -3.0f, 1024.5f})
        expectRefused(sansFile.c_str(), size, EINVAL);
    for (const char* name : {static_cast<const char*>(nullptr), "", garbage.c_str(),
                             truncated.c_str(), fontDir.c_str(), "/dev/null"})
        expectRefused(name, 12.0f, EINVAL);
    expectRefused("/no/such/font.ttf", 12.0f, ENOENT);
    expectRefused((sansFile + "/font.ttf").c_str(), 12.0f, ENOENT);  // not ENOTDIR
    const int largest = loadFont(sansFile.c_str(), 1024.0f);
    EXPECT_GT(largest, sans) << "numbers grow, never reused";
    freeFont(largest);
    const int smallest = loadFont(sansFile.c_str(), 1.0f);
    EXPECT_GT(smallest, largest) << "1 pixel is a size";
    freeFont(smallest);
    std::remove(garbage.c_str());
    std::remove(truncated.c_str());

    // Invalid sequences draw U+FFFD (every kind is in the UTF-8 test);
    // control characters take no room.
    const int replacement = textWidth(sans, "\uFFFD");
    EXPECT_EQ(textWidth(sans, "\xC0\xAF\xED\xA0\x80\xE2\x82"), 6 * replacement);
    EXPECT_EQ(textWidth(sans, "a\x01\x7f"), textWidth(sans, "a"));
    // The 1999-byte cut drops a sequence it would split instead of
    // replacing it: 1998 x 'a' then a two-byte letter.
    const std::string longText = std::string(1998, 'a') + "\u00e9";
    EXPECT_EQ(textWidth(sans, "%s", longText.c_str()),
              textWidth(sans, "%s", std::string(1998, 'a').c_str()));

    // A freed or unknown number, one past arrowFont too, draws in boldFont;
    // freeing twice is harmless.
    const int freed = loadFont(sansFile.c_str(), 12.0f);
    freeFont(freed);
    freeFont(freed);
    freeFont(boldFont);
    freeFont(-5);
    for (int font : {freed, arrowFont + 1, 9999}) {
        EXPECT_EQ(textWidth(font, "abc"), textWidth(boldFont, "abc"));
        EXPECT_EQ(fontLineHeight(font), 13);
        EXPECT_EQ(differingPixels(drawnText(font, "abc"), drawnText(boldFont, "abc")), 0);
    }
}

TEST_F(LoadedFont, EveryEntryPutsBackTheStateItChanges)
{
    // Also run on GL 1.3, 1.5 and 2.1, where each kind of state begins.
    const int version = vestrane::detail::contextGlVersion();
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_DECAL);
    const GLfloat textureMatrix[16] = {2, 0, 0, 0, 0, 2, 0, 0, 0, 0, 1, 0, 0.5f, 0, 0, 1};
    glMatrixMode(GL_TEXTURE);
    glLoadMatrixf(textureMatrix);
    glMatrixMode(GL_MODELVIEW);
    std::vector<GLenum> integers = {
        GL_BLEND_SRC,      GL_BLEND_DST,    GL_UNPACK_ALIGNMENT,   GL_UNPACK_ROW_LENGTH,
        GL_MATRIX_MODE,    GL_POLYGON_MODE, GL_ATTRIB_STACK_DEPTH, GL_CLIENT_ATTRIB_STACK_DEPTH,
        GL_ALPHA_TEST_FUNC};
    if (version >= 13) {  // the glyphs use unit 0, the caller unit 1
        glActiveTexture(GL_TEXTURE1);
        glClientActiveTexture(GL_TEXTURE1);
        integers.insert(integers.end(), {GL_ACTIVE_TEXTURE, GL_CLIENT_ACTIVE_TEXTURE});
    }
    GLuint buffers[2] = {};
    if (version >= 15) {
        glGenBuffers(2, buffers);
        glBindBuffer(GL_ARRAY_BUFFER, buffers[0]);
        integers.push_back(GL_ARRAY_BUFFER_BINDING);
    }
    if (version >= 21) {  // glyph uploads must not read from it
        glBindBuffer(GL_PIXEL_UNPACK_BUFFER, buffers[1]);
        glBufferData(GL_PIXEL_UNPACK_BUFFER, 16, nullptr, GL_STATIC_DRAW);
        integers.push_back(GL_PIXEL_UNPACK_BUFFER_BINDING);
    }
    glBlendFunc(GL_ONE, GL_ONE);
    glAlphaFunc(GL_LEQUAL, 0.75f);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 8);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 7);
    glPixelTransferf(GL_ALPHA_SCALE, 0.5f);
    glPolygonMode(GL_FRONT, GL_LINE);
    glPolygonMode(GL_BACK, GL_POINT);
    glEnable(GL_LIGHTING);
    glEnableClientState(GL_COLOR_ARRAY);
    const GLenum flags[] = {GL_TEXTURE_2D, GL_BLEND,        GL_ALPHA_TEST,  GL_LIGHTING,
                            GL_DEPTH_TEST, GL_VERTEX_ARRAY, GL_COLOR_ARRAY, GL_TEXTURE_COORD_ARRAY};
    const auto snapshot = [&] {
        std::vector<GLfloat> state;
        for (GLenum name : integers) {
            GLint value[2] = {};
            glGetIntegerv(name, value);
            state.insert(state.end(),
                         {static_cast<GLfloat>(value[0]), static_cast<GLfloat>(value[1])});
        }
        if (version >= 13) {  // what follows, on unit 0
            glActiveTexture(GL_TEXTURE0);
            glClientActiveTexture(GL_TEXTURE0);
        }
        for (GLenum name : flags)
            state.push_back(glIsEnabled(name));
        GLint values[2] = {};
        glGetIntegerv(GL_TEXTURE_BINDING_2D, &values[0]);
        glGetTexEnviv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, &values[1]);
        state.insert(state.end(), values, values + 2);
        GLfloat floats[16] = {};
        glGetFloatv(GL_TEXTURE_MATRIX, floats);
        state.insert(state.end(), floats, floats + 16);
        glGetFloatv(GL_ALPHA_SCALE, floats);
        glGetFloatv(GL_ALPHA_TEST_REF, floats + 1);
        state.insert(state.end(), floats, floats + 2);
        if (version >= 13) {
            glActiveTexture(GL_TEXTURE1);
            glClientActiveTexture(GL_TEXTURE1);
        }
        return state;
    };
    const std::vector<GLfloat> before = snapshot();
    setTextAnchor(40.0f, 60.0f, 0.0f);
    for (int alignment : {alignLeft, alignCentred, alignRight}) {
        setTextAlignment(alignment);
        drawText(1, sans, "New glyphs \u00e9\u05d0 %d", alignment);
        drawTextInFont(sans, "New glyphs \u00e9\u05d0 %d", alignment);
    }
    setTextAlignment(alignLeft);
    EXPECT_GT(textWidth(sans, "x"), 0);
    EXPECT_GT(fontLineHeight(sans), 0);
    EXPECT_EQ(before, snapshot());
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}  // the state goes with the window

TEST_F(LoadedFont, NewlinesStartLinesAlignedEachOnItsOwn)
{
    const int line = fontLineHeight(sans);
    EXPECT_EQ(textWidth(sans, "H\nHHH\nHH"), textWidth(sans, "HHH")) << "the widest line";
    EXPECT_EQ(textHeight(sans, "a\n\nb"), 3 * line);
    EXPECT_EQ(textHeight(sans, "a\n"), 2 * line);
    EXPECT_EQ(textHeight(sans, "%s", "") + textHeight(sans, "a"), 2 * line);
    // Each line lands where it would alone, the aligned drop taken once.
    for (int alignment : {alignLeft, alignCentred, alignRight}) {
        clearToBlack();
        setTextAlignment(alignment);
        setTextAnchor(160.0f, 100.0f, 0.0f);
        drawTextInFont(sans, "HHHH");
        setTextAnchor(160.0f, static_cast<float>(100 - line), 0.0f);
        drawTextInFont(sans, "H");
        const Image apart = backBuffer();
        EXPECT_EQ(differingPixels(drawnText(sans, "HHHH\nH", 160.0f, 100.0f, alignment), apart), 0)
            << "alignment " << alignment;
        // In an own font a newline draws nothing and takes no room.
        EXPECT_EQ(differingPixels(drawnText(boldFont, "ab\ncd", 160.0f, 60.0f, alignment),
                                  drawnText(boldFont, "abcd", 160.0f, 60.0f, alignment)),
                  0);
    }
    EXPECT_EQ(textHeight(boldFont, "a\nb"), fontLineHeight(boldFont));
}

TEST_F(LoadedFont, MixedDirectionsAreLaidOutInDisplayOrder)
{
    for (const std::string text :
         {"\u0645\u0631\u062d\u0628\u0627 123 world",
          "The word \u05e9\u05dc\u05d5\u05dd (\u05ea) means peace.",
          "\u05e9\u05dc\u05d5\u05dd (12) abc 3.5 \u0645\u0631\u062d\u0628\u0627!",
          "Plain Latin, 42 words."})
        EXPECT_EQ(displayOrder(text, sans), displayOrder(text)) << text;
    // Each line takes its direction from its own first strong character.
    const std::string first = "abc \u05e9\u05dc";
    const std::string second = "\u05e9\u05dc 12 abc";
    std::vector<int> expected = displayOrder(first);
    for (const int character : displayOrder(second))
        expected.push_back(character + 7);
    EXPECT_EQ(displayOrder(first + "\n" + second, sans), expected);
    // Brackets mirror in right-to-left runs: the closing one shows '('.
    vestrane::detail::TextLayout open;
    vestrane::detail::TextLayout line;
    vestrane::detail::layoutText(sans, 1, "(", open);
    vestrane::detail::layoutText(sans, 1, "(\u05e9\u05dc\u05d5\u05dd)", line);
    EXPECT_EQ(line.glyphs.front().glyph, open.glyphs.front().glyph);
}

// Run once more with the system's own fonts, whatever they are: the Hebrew
// that DejaVu Serif lacks comes from some installed font, not its box.
TEST_F(LoadedFont, FallbackDrawsWithWhateverFontsAreInstalled)
{
    const int serif = loadFont(serifFile.c_str(), 40.0f);
    ASSERT_GE(serif, 16);
    const Image alef = drawnText(serif, "\u05d0");
    EXPECT_GT(litPixels(alef), 20);
    EXPECT_NE(differingPixels(alef, drawnText(serif, "\u0378")), 0) << "not the missing-glyph box";
    EXPECT_GT(textWidth(serif, "\u05d0"), 0);
    freeFont(serif);
}
