/*
 * loaded_fonts.cpp - fonts opened through FreeType (files, or fontconfig's
 * best match for a pattern), fallback faces for the characters a font
 * lacks, and the layout of UTF-8 text shaped by HarfBuzz.
 *
 * Depends on: FreeType (faces, sizes, glyph bitmaps, the stroker for
 * halos), HarfBuzz (shaping, the Unicode script of a character), FriBidi
 * (the embedding levels of a line that mixes directions), fontconfig
 * (patterns, fallback), the C library (stat, errno), utf8.h. No GL.
 */
#include "support/text/loaded_fonts.h"

#include "support/text/utf8.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_GLYPH_H
#include FT_STROKER_H
#include <fontconfig/fontconfig.h>
#include <fribidi.h>
#include <hb-ft.h>
#include <hb.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <limits>
#include <memory>
#include <new>
#include <string>
#include <unordered_map>

namespace vestrane::detail {

struct FontFace {
    FT_Face ft = nullptr;
    hb_font_t* hb = nullptr;
    std::uint32_t serial = 0;
    std::uint32_t size = 0;  // the em size FreeType is set to, 26.6
    std::string file;        // fallback faces: the file they came from
};

namespace {

// ---------------------------------------------------------------------------
// State
// ---------------------------------------------------------------------------

struct FaceCloser {
    void operator()(FontFace* face) const
    {
        hb_font_destroy(face->hb);
        FT_Done_Face(face->ft);
        delete face;
    }
};
using FacePointer = std::unique_ptr<FontFace, FaceCloser>;

struct LoadedFont {
    FacePointer face;  // null once the font is freed
    float pixelSize = 0.0f;
    int dropScale = 0;  // the scale `drop` was measured at; 0 not yet
    int drop = 0;
};

FT_Library library = nullptr;
bool fontconfigReady = false;
std::uint32_t nextFaceSerial = 1;
std::uint32_t closedFaces = 0;
std::vector<bool> faceClosed;  // by serial
// Indexed by font number - firstLoadedFont; entries are never reused.
std::vector<LoadedFont> loadedFonts;
// Faces opened for characters that fonts lacked, kept for the program's
// life; and which of them has each character asked for (null: none has).
std::vector<FacePointer> fallbackFaces;
std::unordered_map<char32_t, FontFace*> fallbackByCharacter;

// The stroker that widens outlines into halos, and the latest halo.
FT_Stroker haloStroker = nullptr;
FT_Glyph haloGlyph = nullptr;

// Layout scratch, kept from one text to the next so that laying out a text
// again allocates nothing.
hb_buffer_t* shapingBuffer = nullptr;
// The characters laid out (newlines included, other control characters
// left out), each one's index among the decoded characters, and its face.
std::vector<hb_codepoint_t> codes;
std::vector<std::uint32_t> codeSources;
std::vector<FontFace*> codeFaces;
// A line's bidirectional types, paired brackets and embedding levels.
std::vector<FriBidiCharType> bidiTypes;
std::vector<FriBidiBracketType> bracketTypes;
std::vector<FriBidiLevel> levels;

// ---------------------------------------------------------------------------
// Helpers: faces
// ---------------------------------------------------------------------------

bool startFreeType()
{
    if (library == nullptr && FT_Init_FreeType(&library) != 0) {
        library = nullptr;
        errno = ENOMEM;
    }
    return library != nullptr;
}

// Opens face 0 of a font file; null with errno set when it is not a
// scalable font FreeType can read.
FacePointer openFace(const char* file)
{
    FT_Face ft = nullptr;
    const FT_Error error = FT_New_Face(library, file, 0, &ft);
    if (error != 0) {
        errno = error == FT_Err_Out_Of_Memory ? ENOMEM : EINVAL;
        return nullptr;
    }
    if (!FT_IS_SCALABLE(ft) || ft->charmap == nullptr) {
        FT_Done_Face(ft);
        errno = EINVAL;
        return nullptr;
    }
    hb_font_t* hb = hb_ft_font_create(ft, nullptr);
    if (hb == hb_font_get_empty()) {
        FT_Done_Face(ft);
        errno = ENOMEM;
        return nullptr;
    }
    FacePointer face(new FontFace{ft, hb, nextFaceSerial++, 0, file});
    faceClosed.resize(nextFaceSerial, false);
    return face;
}

void setFaceSize(FontFace& face, std::uint32_t size)
{
    if (face.size == size)
        return;
    FT_Set_Char_Size(face.ft, 0, static_cast<FT_F26Dot6>(size), 72, 72);
    hb_ft_font_changed(face.hb);
    face.size = size;
}

bool startFontconfig()
{
    if (!fontconfigReady)
        fontconfigReady = FcInit() == FcTrue;
    return fontconfigReady;
}

// The file of fontconfig's best match for a pattern, scalable fonts only;
// empty when fontconfig has none.
std::string bestMatch(FcPattern* pattern)
{
    FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(nullptr, pattern, &result);
    std::string file;
    FcChar8* name = nullptr;
    if (match != nullptr && FcPatternGetString(match, FC_FILE, 0, &name) == FcResultMatch)
        file = reinterpret_cast<const char*>(name);
    if (match != nullptr)
        FcPatternDestroy(match);
    return file;
}

std::string resolvePattern(const char* name)
{
    if (!startFontconfig())
        return {};
    FcPattern* pattern = FcNameParse(reinterpret_cast<const FcChar8*>(name));
    if (pattern == nullptr)
        return {};
    std::string file = bestMatch(pattern);
    FcPatternDestroy(pattern);
    return file;
}

bool hasCharacter(const FontFace& face, char32_t code)
{
    return FT_Get_Char_Index(face.ft, code) != 0;
}

// The installed face fontconfig picks for a character, opened on first
// need; null when no installed font has it.
FontFace* fallbackFace(char32_t code)
{
    const auto known = fallbackByCharacter.find(code);
    if (known != fallbackByCharacter.end())
        return known->second;
    FontFace* found = nullptr;
    FcPattern* pattern = startFontconfig() ? FcPatternCreate() : nullptr;
    FcCharSet* characters = FcCharSetCreate();
    if (pattern != nullptr && characters != nullptr && FcCharSetAddChar(characters, code) &&
        FcPatternAddCharSet(pattern, FC_CHARSET, characters)) {
        const std::string file = bestMatch(pattern);
        for (const FacePointer& face : fallbackFaces)
            if (!file.empty() && face->file == file)
                found = face.get();
        if (found == nullptr && !file.empty())
            if (FacePointer face = openFace(file.c_str())) {
                fallbackFaces.push_back(std::move(face));
                found = fallbackFaces.back().get();
            }
        if (found != nullptr && !hasCharacter(*found, code))
            found = nullptr;
    }
    if (characters != nullptr)
        FcCharSetDestroy(characters);
    if (pattern != nullptr)
        FcPatternDestroy(pattern);
    fallbackByCharacter.emplace(code, found);
    return found;
}

LoadedFont* loadedFont(int font)
{
    if (font < firstLoadedFont)
        return nullptr;
    const auto index = static_cast<std::size_t>(font - firstLoadedFont);
    if (index >= loadedFonts.size() || !loadedFonts[index].face)
        return nullptr;
    return &loadedFonts[index];
}

std::uint32_t emSize(const LoadedFont& font, int scale)
{
    const long size = std::lround(static_cast<double>(font.pixelSize) * scale * 64.0);
    return static_cast<std::uint32_t>(std::max(size, 1L));
}

// ---------------------------------------------------------------------------
// Helpers: layout
// ---------------------------------------------------------------------------

bool isControl(char32_t code)
{
    return code < 0x20 || code == 0x7F;
}

void decodeText(const char* text)
{
    codes.clear();
    codeSources.clear();
    std::uint32_t source = 0;
    for (const char* at = text; *at != '\0'; ++source) {
        char32_t code = 0;
        at += decodeUtf8(at, code);
        if (code == '\n' || !isControl(code)) {
            codes.push_back(code);
            codeSources.push_back(source);
        }
    }
}

// The face of each character: the font's own, else a mark's base face when
// that has the mark, else the fallback; the font's own (its missing-glyph
// box) when no installed font has it.
void chooseFaces(FontFace& primary)
{
    codeFaces.clear();
    for (const char32_t code : codes) {
        FontFace* face = &primary;
        if (code != '\n' && !hasCharacter(primary, code)) {
            if (!codeFaces.empty() && isMark(code) && hasCharacter(*codeFaces.back(), code))
                face = codeFaces.back();
            else if (FontFace* fallback = fallbackFace(code))
                face = fallback;
        }
        codeFaces.push_back(face);
    }
}

hb_script_t scriptOf(char32_t code)
{
    const hb_script_t script = hb_unicode_script(hb_unicode_funcs_get_default(), code);
    return script == HB_SCRIPT_INHERITED || script == HB_SCRIPT_UNKNOWN ? HB_SCRIPT_COMMON : script;
}

// A run of characters of one face, one script and one embedding level:
// codes[start, end).
struct Run {
    std::size_t start;
    std::size_t end;
    hb_script_t script;
    FriBidiLevel level;
};

// A line's runs, in display order once reordered.
std::vector<Run> runs;

// Shapes a run, appending its glyphs to the layout's last line, whose
// baseline is `baseline` (26.6, up from the first line's).
void shapeRun(const Run& run, std::uint32_t size, std::int64_t baseline, TextLayout& layout)
{
    FontFace& face = *codeFaces[run.start];
    setFaceSize(face, size);
    hb_buffer_clear_contents(shapingBuffer);
    hb_buffer_add_codepoints(shapingBuffer, codes.data(), static_cast<int>(codes.size()),
                             static_cast<unsigned>(run.start),
                             static_cast<int>(run.end - run.start));
    hb_buffer_set_script(shapingBuffer, run.script);
    hb_buffer_set_direction(shapingBuffer,
                            run.level % 2 != 0 ? HB_DIRECTION_RTL : HB_DIRECTION_LTR);
    hb_buffer_guess_segment_properties(shapingBuffer);
    hb_shape(face.hb, shapingBuffer, nullptr, 0);

    unsigned count = 0;
    const hb_glyph_info_t* info = hb_buffer_get_glyph_infos(shapingBuffer, &count);
    const hb_glyph_position_t* position = hb_buffer_get_glyph_positions(shapingBuffer, &count);
    LineExtent& line = layout.lines.back();
    for (unsigned i = 0; i < count; ++i) {
        layout.glyphs.push_back({&face, face.serial, size, info[i].codepoint,
                                 line.advance + position[i].x_offset,
                                 baseline + position[i].y_offset, codeSources[info[i].cluster]});
        line.advance += position[i].x_advance;
    }
}

// The embedding levels of the line codes[start, end), one a character,
// from FriBidi, the line a paragraph of its own whose direction its first
// strong character gives; all 0 (left to right) when nothing in it goes
// right to left or changes direction, or should FriBidi fail.
void resolveLevels(std::size_t start, std::size_t end)
{
    const auto length = static_cast<FriBidiStrIndex>(end - start);
    bidiTypes.resize(end - start);
    levels.assign(end - start, 0);
    const FriBidiChar* const line = codes.data() + start;
    fribidi_get_bidi_types(line, length, bidiTypes.data());
    constexpr FriBidiCharType turning =
        FRIBIDI_MASK_RTL | FRIBIDI_MASK_ARABIC | FRIBIDI_MASK_EXPLICIT | FRIBIDI_MASK_ISOLATE;
    if (std::none_of(bidiTypes.begin(), bidiTypes.end(),
                     [](FriBidiCharType type) { return (type & turning) != 0; }))
        return;
    bracketTypes.resize(end - start);
    fribidi_get_bracket_types(line, length, bidiTypes.data(), bracketTypes.data());
    FriBidiParType direction = FRIBIDI_PAR_ON;
    if (fribidi_get_par_embedding_levels_ex(bidiTypes.data(), bracketTypes.data(), length,
                                            &direction, levels.data()) == 0 ||
        fribidi_reorder_line(FRIBIDI_FLAGS_DEFAULT, bidiTypes.data(), length, 0, direction,
                             levels.data(), nullptr, nullptr) == 0)
        std::fill(levels.begin(), levels.end(), 0);
}

// Puts the line's runs in display order: from the highest level down to
// the lowest odd one, every stretch of runs at that level or above turns
// round (HarfBuzz orders the glyphs within a run).
void reorderRuns()
{
    int highest = 0;
    int lowest = std::numeric_limits<int>::max();
    for (const Run& run : runs) {
        highest = std::max<int>(highest, run.level);
        lowest = std::min<int>(lowest, run.level);
    }
    for (int level = highest; level >= (lowest | 1); --level)
        for (auto at = runs.begin(); at != runs.end();) {
            const auto below = [level](const Run& run) { return run.level < level; };
            at = std::find_if_not(at, runs.end(), below);
            const auto stop = std::find_if(at, runs.end(), below);
            std::reverse(at, stop);
            at = stop;
        }
}

// Lays out the line codes[start, end) as a new line of the layout: runs
// of one face, one script and one level, where characters of no script of
// their own (spaces, digits, marks) join the run they stand in, shaped in
// display order.
void layoutLine(std::size_t start, std::size_t end, std::uint32_t size, std::int64_t baseline,
                TextLayout& layout)
{
    layout.lines.push_back({layout.glyphs.size(), 0});
    resolveLevels(start, end);
    runs.clear();
    for (std::size_t i = start; i < end; ++i) {
        const hb_script_t script = scriptOf(codes[i]);
        const FriBidiLevel level = levels[i - start];
        if (runs.empty() || codeFaces[i] != codeFaces[runs.back().start] ||
            level != runs.back().level ||
            (script != HB_SCRIPT_COMMON && runs.back().script != HB_SCRIPT_COMMON &&
             script != runs.back().script))
            runs.push_back({i, i, HB_SCRIPT_COMMON, level});
        Run& run = runs.back();
        run.end = i + 1;
        if (run.script == HB_SCRIPT_COMMON)
            run.script = script;
    }
    reorderRuns();
    for (const Run& run : runs)
        shapeRun(run, size, baseline, layout);
}

// The face's line spacing in whole pixels at an em size.
int lineHeightOf(FontFace& face, std::uint32_t size)
{
    setFaceSize(face, size);
    return static_cast<int>((face.ft->size->metrics.height + 32) >> 6);
}

}  // namespace

// ---------------------------------------------------------------------------
// Internal interface
// ---------------------------------------------------------------------------

bool isMark(char32_t code)
{
    const hb_unicode_general_category_t category =
        hb_unicode_general_category(hb_unicode_funcs_get_default(), code);
    return category == HB_UNICODE_GENERAL_CATEGORY_NON_SPACING_MARK ||
           category == HB_UNICODE_GENERAL_CATEGORY_SPACING_MARK ||
           category == HB_UNICODE_GENERAL_CATEGORY_ENCLOSING_MARK;
}

std::int32_t glyphRenderFlags()
{
    return FT_LOAD_RENDER | FT_LOAD_TARGET_LIGHT;
}

int openLoadedFont(const char* name, float pixelSize)
{
    if (name == nullptr || *name == '\0' || !std::isfinite(pixelSize) || pixelSize <= 0.0f ||
        pixelSize > largestFontPixelSize) {
        errno = EINVAL;
        return 0;
    }
    try {
        if (!startFreeType())
            return 0;
        std::string file;
        if (std::strchr(name, '/') != nullptr) {
            struct stat status {};
            if (stat(name, &status) != 0) {
                errno = errno == ENOTDIR ? ENOENT : errno;
                return 0;
            }
            if (!S_ISREG(status.st_mode)) {  // a folder, or a pipe that would block
                errno = EINVAL;
                return 0;
            }
            file = name;
        } else if ((file = resolvePattern(name)).empty()) {
            errno = ENOENT;
            return 0;
        }
        loadedFonts.reserve(loadedFonts.size() + 1);
        FacePointer face = openFace(file.c_str());
        if (!face)
            return 0;
        loadedFonts.push_back({std::move(face), pixelSize, 0, 0});
        return firstLoadedFont + static_cast<int>(loadedFonts.size() - 1);
    } catch (const std::bad_alloc&) {
        errno = ENOMEM;
        return 0;
    }
}

void closeLoadedFont(int font)
{
    if (LoadedFont* loaded = loadedFont(font)) {
        faceClosed[loaded->face->serial] = true;
        ++closedFaces;
        loaded->face.reset();
    }
}

bool isLoadedFont(int font)
{
    return loadedFont(font) != nullptr;
}

std::uint32_t closedFaceCount()
{
    return closedFaces;
}

bool isFaceClosed(std::uint32_t faceSerial)
{
    return faceSerial < faceClosed.size() && faceClosed[faceSerial];
}

bool layoutText(int font, int scale, const char* text, TextLayout& layout)
{
    layout.glyphs.clear();
    layout.lines.clear();
    layout.advance = 0;
    LoadedFont* loaded = loadedFont(font);
    if (loaded == nullptr)
        return false;
    try {
        if (shapingBuffer == nullptr)
            shapingBuffer = hb_buffer_create();
        decodeText(text);
        chooseFaces(*loaded->face);
        const std::uint32_t size = emSize(*loaded, scale);
        const std::int64_t lineHeight = std::int64_t{lineHeightOf(*loaded->face, size)} * 64;
        std::size_t start = 0;
        for (std::int64_t baseline = 0;; baseline -= lineHeight) {
            std::size_t end = start;
            while (end < codes.size() && codes[end] != '\n')
                ++end;
            layoutLine(start, end, size, baseline, layout);
            layout.advance = std::max(layout.advance, layout.lines.back().advance);
            if (end == codes.size())
                break;
            start = end + 1;
        }
    } catch (const std::bad_alloc&) {
        layout.glyphs.clear();
        layout.lines.clear();
        layout.advance = 0;
    }
    return true;
}

int loadedLineHeight(int font, int scale)
{
    LoadedFont* loaded = loadedFont(font);
    return loaded == nullptr ? 0 : lineHeightOf(*loaded->face, emSize(*loaded, scale));
}

int loadedCapitalDrop(int font, int scale)
{
    LoadedFont* loaded = loadedFont(font);
    if (loaded == nullptr)
        return 0;
    if (loaded->dropScale != scale) {
        FontFace& face = *loaded->face;
        setFaceSize(face, emSize(*loaded, scale));
        FT_Pos capital = face.ft->size->metrics.ascender * 7 / 10;
        const FT_UInt glyph = FT_Get_Char_Index(face.ft, 'H');
        if (glyph != 0 && FT_Load_Glyph(face.ft, glyph, FT_LOAD_NO_HINTING) == 0)
            capital = face.ft->glyph->metrics.horiBearingY;
        loaded->drop = static_cast<int>((capital + 64) >> 7);  // half, rounded
        loaded->dropScale = scale;
    }
    return loaded->drop;
}

bool renderGlyph(const PlacedGlyph& glyph, GlyphBitmap& bitmap)
{
    FontFace& face = *glyph.face;
    setFaceSize(face, glyph.size);
    if (FT_Load_Glyph(face.ft, glyph.glyph, glyphRenderFlags()) != 0)
        return false;
    const FT_GlyphSlotRec* slot = face.ft->glyph;
    const FT_Bitmap& source = slot->bitmap;
    if (source.pixel_mode != FT_PIXEL_MODE_GRAY && source.pixel_mode != FT_PIXEL_MODE_MONO)
        return false;
    bitmap.width = static_cast<int>(source.width);
    bitmap.rows = static_cast<int>(source.rows);
    bitmap.pitch = source.pitch;
    bitmap.left = slot->bitmap_left;
    bitmap.top = slot->bitmap_top;
    bitmap.coverage = source.buffer;
    bitmap.oneBit = source.pixel_mode == FT_PIXEL_MODE_MONO;
    return true;
}

bool renderGlyphHalo(const PlacedGlyph& glyph, std::uint32_t halo, GlyphBitmap& bitmap)
{
    if (haloGlyph != nullptr) {
        FT_Done_Glyph(haloGlyph);
        haloGlyph = nullptr;
    }
    if (haloStroker == nullptr && FT_Stroker_New(library, &haloStroker) != 0) {
        haloStroker = nullptr;
        return false;
    }
    FontFace& face = *glyph.face;
    setFaceSize(face, glyph.size);
    // Loaded as the glyph is rendered (same hinting), so that the halo lies
    // evenly around it.
    const auto flags =
        static_cast<FT_Int32>((glyphRenderFlags() & ~FT_LOAD_RENDER) | FT_LOAD_NO_BITMAP);
    if (FT_Load_Glyph(face.ft, glyph.glyph, flags) != 0 ||
        face.ft->glyph->format != FT_GLYPH_FORMAT_OUTLINE ||
        FT_Get_Glyph(face.ft->glyph, &haloGlyph) != 0) {
        haloGlyph = nullptr;
        return false;
    }
    FT_Stroker_Set(haloStroker, static_cast<FT_Fixed>(halo), FT_STROKER_LINECAP_ROUND,
                   FT_STROKER_LINEJOIN_ROUND, 0);
    if (FT_Glyph_StrokeBorder(&haloGlyph, haloStroker, 0, 1) != 0 ||
        FT_Glyph_To_Bitmap(&haloGlyph, FT_RENDER_MODE_NORMAL, nullptr, 1) != 0)
        return false;
    const auto* rendered = reinterpret_cast<const FT_BitmapGlyphRec*>(haloGlyph);
    if (rendered->bitmap.pixel_mode != FT_PIXEL_MODE_GRAY)
        return false;
    bitmap.width = static_cast<int>(rendered->bitmap.width);
    bitmap.rows = static_cast<int>(rendered->bitmap.rows);
    bitmap.pitch = rendered->bitmap.pitch;
    bitmap.left = rendered->left;
    bitmap.top = rendered->top;
    bitmap.coverage = rendered->bitmap.buffer;
    bitmap.oneBit = false;
    return true;
}

}  // namespace vestrane::detail
