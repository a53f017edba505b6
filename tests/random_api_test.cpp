/*
 * random_api_test.cpp - random call groups over the whole public API with
 * hostile floats, sizes, texts, keys, drags, mouse coordinates, paths and
 * font names;
 * after each group no GL error, and finite matrices, getters, view
 * transforms and picked points.
 * VESTRANE_RANDOM_SEED (fixed when unset) fixes the sequence; a failure names
 * the seed and the step, to replay it.
 */
#include "support/color/color.h"
#include "support/image/image.h"
#include "support/projection/projection.h"
#include "support/text/text.h"
#include "tests/harness/glut_window.h"
#include "tests/harness/x_input.h"
#include "tests/view_matrices.h"

#include <GL/glut.h>
#include <GL/glx.h>
#include <X11/keysym.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cfloat>
#include <climits>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

namespace {

constexpr float hostileFloats[] = {NAN,      INFINITY, -INFINITY, 0.0f,  -0.0f,   FLT_TRUE_MIN,
                                   -FLT_MIN, FLT_MAX,  -FLT_MAX,  1e30f, -1e-30f, 1e-7f,
                                   1.0f,     -1.0f,    60.0f,     500.0f};
constexpr int hostileInts[] = {INT_MIN, INT_MIN + 1, -100000, -1,     0,           1,
                               2,       199,         1000,    100000, INT_MAX - 1, INT_MAX};
/* Text scales to take or ignore; 0 reads VESTRANE_TEXT_SCALE, set to one of these. */
constexpr int hostileScales[] = {INT_MIN, -1, 0, 0, 1, 2, 3, 8, 9, INT_MAX};
constexpr const char* scaleVariables[] = {"", "0", "9", "-2", "2x", " 3 ", "99999999999", "8"};
void* const glutFonts[] = {GLUT_BITMAP_8_BY_13, GLUT_BITMAP_9_BY_15, GLUT_BITMAP_TIMES_ROMAN_24,
                           GLUT_BITMAP_HELVETICA_10, GLUT_BITMAP_HELVETICA_18};

using KeyDeck = std::vector<std::pair<XKeySym, unsigned>>;
std::mt19937 rng;
int window = 0;
int inputEvents = 0; /* keyboard, special-key and button callbacks run */
KeyDeck deck;
std::string scratch; /* the only folder the image group writes in */

template <typename T, std::size_t N>
const T& pick(const T (&table)[N])
{
    return table[rng() % N];
}
template <typename T>
const T& pick(const T* table, std::size_t count)
{
    return table[rng() % count];
}
float anyFloat()
{
    return rng() % 4 ? pick(hostileFloats) : static_cast<float>(rng() % 2001) - 1000.0f;
}
int anyInt()
{
    return rng() % 4 ? pick(hostileInts) : static_cast<int>(rng() % 2000) - 1000;
}

/* Random bytes 1..255 (no '%' in a text that serves as a format), often
 * around the 1999-character cut, up to 100,000 long. */
std::string anyText(bool asFormat)
{
    constexpr std::size_t lengths[] = {0, 1, 7, 1998, 1999, 2000, 100000};
    std::string text(rng() % 3 ? pick(lengths) : rng() % 100001, ' ');
    for (char& c : text) {
        do {
            c = static_cast<char>(1 + rng() % 255);
        } while (asFormat && c == '%');
    }
    return text;
}

/* Every (key, modifiers) pair, shuffled: the special keys and every key of
 * the keyboard by its unshifted character. Ctrl turns '3' and '[' into
 * Escape, which would end the process: those go without Ctrl. */
KeyDeck keyDeck()
{
    std::vector<XKeySym> keys = {
        XK_Left, XK_Up,     XK_Right,  XK_Down,     XK_Prior, XK_Next,      XK_Home,
        XK_End,  XK_Insert, XK_Return, XK_KP_Enter, XK_Tab,   XK_BackSpace, XK_Delete,
        XK_F1,   XK_F2,     XK_F3,     XK_F4,       XK_F5,    XK_F6,        XK_F7,
        XK_F8,   XK_F9,     XK_F10,    XK_F11,      XK_F12};
    for (const char* c = "`1234567890-=qwertyuiop[]\\asdfghjkl;'zxcvbnm,./ "; *c; ++c) {
        keys.push_back(static_cast<XKeySym>(*c));
    }
    KeyDeck pairs;
    for (unsigned held = 0; held < 8; ++held) { /* every | of holdShift, holdCtrl, holdAlt */
        for (XKeySym key : keys) {
            if (!((held & holdCtrl) && (key == '3' || key == '['))) {
                pairs.emplace_back(key, held);
            }
        }
    }
    std::shuffle(pairs.begin(), pairs.end(), rng);
    return pairs;
}

/* What must hold between any two call groups. */
void expectSaneState()
{
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    GLint depths[2] = {};
    glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depths[0]);
    glGetIntegerv(GL_PROJECTION_STACK_DEPTH, &depths[1]);
    EXPECT_EQ(depths[0] + depths[1], 2) << "a matrix left pushed";
    for (GLenum which : {GL_PROJECTION_MATRIX, GL_MODELVIEW_MATRIX}) {
        const Matrix m = currentMatrix(which);
        EXPECT_TRUE(isFiniteMatrix(m))
            << "GL matrix " << which << ": " << ::testing::PrintToString(m);
    }
    expectFiniteView();
    for (float value : {getViewLeft(), getViewRight(), getViewBottom(), getViewTop(),
                        getPixelSize(), getPerspectiveFovy(), getPerspectiveAspect()}) {
        EXPECT_TRUE(std::isfinite(value)) << "projection getter";
    }
    EXPECT_LT(getPerspectiveFovy(), 180.0f);
    EXPECT_GT(getZoomScale(), 0.0f);
}

/* Six (key, modifiers) pairs off the deck, as real X events. */
void keyGroup()
{
    const int expected = inputEvents + static_cast<int>(std::min<std::size_t>(deck.size(), 6));
    for (int i = 0; i < 6 && !deck.empty(); ++i, deck.pop_back()) {
        tapKey(deck.back().first, deck.back().second);
    }
    EXPECT_TRUE(pumpEventsUntil("the keys' callbacks", [&] { return inputEvents >= expected; }));
}

/* Real presses, drags to and past the screen's edges and releases of any
 * button with any modifiers; direct motion at the ends of int meanwhile. */
void dragGroup()
{
    const XWindow xWindow = xWindowOf(window);
    const int button = 1 + static_cast<int>(rng() % 5);
    const unsigned held = rng() % 8;
    const int expected = inputEvents + 2;
    pressButton(button, held); /* the drag's kind is fixed at the press */
    for (int i = 0; i < 3; ++i) {
        constexpr int edges[] = {-30000, -1, 0, 100, 199, 30000};
        movePointerInto(xWindow, pick(edges), pick(edges));
        pumpPendingEvents();
        mouseMotion(anyInt(), anyInt());
    }
    releaseButton(button, held);
    EXPECT_TRUE(pumpEventsUntil("the buttons' callbacks", [&] { return inputEvents >= expected; }));
}

void viewGroup()
{
    setMouseAngles(anyFloat(), anyFloat(), anyFloat());
    setKeyAngles(anyFloat(), anyFloat(), anyFloat());
    setPanFactor(anyFloat());
    setAutoRotateSpeed(anyFloat());
    setAutoRotate(anyInt());
    setAutoRotateWindow(rng() % 2 ? window : anyInt());
    for (int i = static_cast<int>(rng() % 50); i > 0; --i) {
        autoRotateStep();
    }
}

/* Hostile boxes, then a reshape: called directly with any size, or by GLUT
 * for a real window of 1 x 1, 1 x 1000, 1000 x 1 ... */
void projectionGroup()
{
    float f[9];
    std::generate(std::begin(f), std::end(f), anyFloat);
    switch (rng() % 4) {
    case 0: setOrthoBox(f[0], f[1], f[2], f[3], f[4], f[5]); break;
    case 1: setFrustumBox(f[0], f[1], f[2], f[3], f[4], f[5], f[6], f[7], f[8]); break;
    case 2: setPerspective(f[0], f[1], f[2], f[3], f[4], f[5], f[6]); break;
    default: setPerspectiveForWindow(f[0], f[1], f[2], f[3], f[4], f[5], f[6], window);
    }
    void (*const reshapes[])(int, int) = {reshapeOrtho, reshapeFrustum, reshapePerspective,
                                          reshapeWindowPixels};
    constexpr int sizes[][2] = {{1, 1}, {1, 1000}, {1000, 1}, {200, 200}, {3, 700}};
    if (rng() % 4 == 0) {
        const auto& size = pick(sizes);
        glutReshapeFunc(pick(reshapes));
        resizeTestWindow(window, size[0], size[1]);
    } else {
        pick(reshapes)(anyInt(), anyInt());
    }
}

/* Picks at any pixel, NULL outputs mixed in: a hit fills the outputs given
 * with finite values, a miss none. */
void pickGroup()
{
    for (int pick = 0; pick < 4; ++pick) {
        double out[3] = {NAN, NAN, NAN};
        double* given[3] = {rng() % 3 ? &out[0] : nullptr, rng() % 3 ? &out[1] : nullptr,
                            rng() % 3 ? &out[2] : nullptr};
        const int x = rng() % 2 ? static_cast<int>(rng() % 200) : anyInt();
        const int y = rng() % 2 ? static_cast<int>(rng() % 200) : anyInt();
        const int hit = windowToScene(x, y, given[0], given[1], given[2]);
        for (int i = 0; i < 3; ++i) {
            EXPECT_TRUE(hit && given[i] ? std::isfinite(out[i]) : std::isnan(out[i]))
                << "pick at " << x << ", " << y << " returned " << hit << ", output " << i;
        }
    }
}

/* Texts as "%s" arguments, and (without '%') as the format itself. */
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-security"
#pragma GCC diagnostic ignored "-Wformat-nonliteral"
void textGroup()
{
    setenv("VESTRANE_TEXT_SCALE", pick(scaleVariables), 1);
    setTextScale(pick(hostileScales));
    EXPECT_TRUE(getTextScale() >= 1 && getTextScale() <= 8) << getTextScale();
    setTextAnchor(anyFloat(), anyFloat(), anyFloat());
    setTextOffset(anyFloat(), anyFloat(), anyFloat());
    setGlutTextStyle(pick(glutFonts), anyInt());
    setTextAlignment(anyInt());
    setStrokeBold(anyInt());
    setStrokeSmooth(anyInt());
    setStrokeSpacing(anyFloat());
    const std::string text = anyText(false);
    const char* s = text.c_str();
    drawText(anyInt(), anyInt(), "%s", s);
    drawTextInFont(anyInt(), "%s", s);
    drawGlutText(pick(glutFonts), "%s", s);
    drawGlutTextAt(anyFloat(), anyFloat(), anyFloat(), pick(glutFonts), "%s", s);
    drawGlutTextDefaultAt(anyFloat(), anyFloat(), anyFloat(), "%s", s);
    drawWindowLine(anyInt(), anyInt(), anyInt(), anyInt());
    drawStrokeText(anyFloat(), anyFloat(), anyFloat(), "%s", s);
    EXPECT_GE(textWidth(anyInt(), "%s", s), 0);
    EXPECT_GE(glutTextWidth(pick(glutFonts), "%s", s), 0);
    static_cast<void>(strokeTextWidth(anyFloat(), "%s", s));
    const std::string format = anyText(true);
    drawTextDefault(format.c_str());
    drawGlutTextDefault(format.c_str());
    EXPECT_GE(textWidth(anyInt(), format.c_str()), 0);
    static_cast<void>(strokeTextWidth(anyFloat(), format.c_str()));
}
#pragma GCC diagnostic pop

/* Loaded fonts from hostile names and sizes, freed at random (twice, and
 * numbers never loaded), drawn and measured with hostile texts. */
std::vector<int> fonts;
void fontGroup()
{
    const std::string garbage = scratch + "/garbage.ttf";
    const char* const names[] = {"/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf",
                                 "sans-serif:bold",
                                 "",
                                 nullptr,
                                 scratch.c_str(),
                                 garbage.c_str(),
                                 "/no/such.ttf",
                                 "\xff\xfe:::=="};
    const float sizes[] = {anyFloat(), 1.0f, 12.0f, 1024.0f};
    const char* name = pick(names);
    if (name == garbage.c_str())
        std::filesystem::copy_file("/etc/hostname", garbage,
                                   std::filesystem::copy_options::overwrite_existing);
    errno = 0;
    const int font = fonts.size() < 8 ? loadFont(name, pick(sizes)) : 0;
    EXPECT_TRUE(font >= 16 || (font == 0 && errno != 0)) << (name ? name : "NULL");
    if (font != 0)
        fonts.push_back(font);
    const int any = fonts.empty() || rng() % 4 == 0 ? anyInt() : pick(fonts.data(), fonts.size());
    if (rng() % 3 == 0) {
        freeFont(any);
        fonts.erase(std::remove(fonts.begin(), fonts.end(), any), fonts.end());
    }
    const std::string text = anyText(false);
    setTextAnchor(anyFloat(), anyFloat(), anyFloat());
    setTextAlignment(anyInt());
    drawText(anyInt(), any, "%s", text.c_str());
    EXPECT_GE(textWidth(any, "%s", text.c_str()), 0);
    EXPECT_GT(fontLineHeight(any), 0);
}

/* Hostile text matrices, colours and halos (NULL, non-finite, anything),
 * batches begun and ended at random, releases at random, and text while no
 * context is current. */
void contextGroup()
{
    std::array<float, 16> matrix{};
    for (float& element : matrix)
        element = rng() % 3 != 0 ? anyFloat() : static_cast<float>(rng() % 2);
    setTextMatrix(rng() % 3 == 0 ? nullptr : matrix.data());
    std::array<float, 4> colour{};
    std::generate(colour.begin(), colour.end(), anyFloat);
    setTextColor(rng() % 3 == 0 ? nullptr : colour.data());
    setTextHalo(rng() % 2 == 0 ? anyFloat() : static_cast<float>(rng() % 18),
                rng() % 3 == 0 ? nullptr : colour.data());
    if (rng() % 3 == 0)
        rng() % 2 == 0 ? beginTextBatch() : endTextBatch();
    if (rng() % 4 == 0)
        releaseTextContext();
    if (rng() % 4 == 0) {
        Display* const display = glXGetCurrentDisplay();
        const GLXDrawable drawable = glXGetCurrentDrawable();
        const GLXContext context = glXGetCurrentContext();
        glXMakeCurrent(display, None, nullptr);
        releaseTextContext();
        setTextAnchor(anyFloat(), anyFloat(), anyFloat());
        drawText(anyInt(), anyInt(), "%s", "no context");
        drawWindowLine(anyInt(), anyInt(), anyInt(), anyInt());
        EXPECT_GE(textWidth(anyInt(), "%s", "no context"), 0);
        glXMakeCurrent(display, drawable, context);
    }
}

void colourGroup()
{
    Color* colours[] = {colorPinkWithAlpha(anyFloat()), greyWithAlpha(anyFloat(), anyFloat()),
                        makeColor(anyFloat(), anyFloat(), anyFloat(), anyFloat()), nullptr};
    Color* source = pick(colours);
    Color* copy = copyColor(source);
    EXPECT_TRUE(source ? copy && std::memcmp(copy, source, 4 * sizeof(Color)) == 0 : !copy);
    freeColor(copy);
    freeRamp(rng() % 2 ? makeRainbowRamp() : makeGreyRamp());
    freeRamp(nullptr);
}

/* Pictures saved to hostile paths inside the scratch folder: each call
 * either saves a file or fails with errno set, and leaves no hidden file. */
void imageGroup()
{
    std::string name = anyText(false).substr(0, rng() % 2 ? 300 : 5000);
    std::replace(name.begin(), name.end(), '/', '_');
    const std::string paths[] = {"",
                                 scratch,
                                 scratch + "/missing/x.png",
                                 scratch + "/" + name,
                                 scratch + "/a.png",
                                 scratch + "/a.png/"};
    const std::string& path = pick(paths);
    errno = 0;
    const int saved = saveWindowImage(rng() % 8 ? path.c_str() : nullptr);
    EXPECT_TRUE(saved == 1 ? std::filesystem::is_regular_file(path) : errno != 0) << path;
    for (const auto& entry : std::filesystem::directory_iterator(scratch)) {
        EXPECT_NE(entry.path().filename().string().rfind(".vestrane", 0), 0u) << "left behind";
    }
}

}  // namespace

TEST(RandomApi, HostileCallSequencesLeaveEveryResultSane)
{
    const char* chosen = std::getenv("VESTRANE_RANDOM_SEED");
    const unsigned long seed = chosen ? std::strtoul(chosen, nullptr, 0) : 20261208ul;
    rng.seed(static_cast<std::mt19937::result_type>(seed));
    char folder[] = "/tmp/vestrane-random-XXXXXX";
    ASSERT_NE(mkdtemp(folder), nullptr);
    scratch = folder;
    window = openTestWindow("random api", 200, 200, 40, 40);
    glutKeyboardFunc([](unsigned char key, int x, int y) {
        ++inputEvents;
        ASSERT_NE(key, 27) << "an Escape was generated; it would end the test";
        rotationKeyCallback(key, x, y);
    });
    glutSpecialFunc([](int key, int x, int y) {
        ++inputEvents;
        specialKeyCallback(key, x, y);
    });
    glutMouseFunc([](int button, int state, int x, int y) {
        ++inputEvents; /* real events, half of them moved to the ends of int */
        const bool extreme = rng() % 2;
        mouseButtonCallback(button, state, extreme ? anyInt() : x, extreme ? anyInt() : y);
    });
    glutMotionFunc(mouseMotionCallback);
    deck = keyDeck();
    constexpr const char* names[] = {"keys",  "view",  "projection", "text",  "colour",  "drag",
                                     "reset", "image", "pick",       "fonts", "contexts"};
    static_assert(std::size(names) == 11);
    void (*const groups[])() = {keyGroup,    viewGroup, projectionGroup, textGroup,
                                colourGroup, dragGroup, resetView,       imageGroup,
                                pickGroup,   fontGroup, contextGroup};
    for (int step = 0; step < 400 && !::testing::Test::HasFailure(); ++step) {
        /* Every other group takes keys off the deck until it is empty. */
        const std::size_t group =
            step % 2 == 0 && !deck.empty() ? 0 : 1 + rng() % (std::size(groups) - 1);
        SCOPED_TRACE("VESTRANE_RANDOM_SEED=" + std::to_string(seed) + " step " +
                     std::to_string(step) + ": " + names[group]);
        movePointerInto(xWindowOf(window), 0, 0); /* inside at any size: keys go there */
        groups[group]();
        expectSaneState();
    }
    EXPECT_TRUE(deck.empty() || HasFailure()) << deck.size() << " key combinations unsent";
    setAutoRotate(0);
    closeTestWindow(window);
    std::filesystem::remove_all(scratch);
}
