/*
 * frame_alloc_test.cpp - drawing a frame takes nothing from the heap: after
 * a warm-up, the demo's two display callbacks and every drawing entry of
 * the library (text in a loaded font included, a batch of haloed labels),
 * called in a loop, make no malloc, calloc, realloc or operator new call
 * from our code.
 *
 * Depends on: the demo's windows (demo/scene.h), the support library, the
 * harness. Must be linked with -Wl,--wrap for each allocator entry below:
 * every call from the objects linked into this program (our library and
 * the demo's windows are linked statically) then lands in a counting
 * wrapper that forwards to the real entry, so the sanitizers' allocator
 * still serves it. Calls that the shared GL, GLUT and C++ libraries make
 * on their own are not ours and are not seen.
 */
#include "demo/scene.h"
#include "support/color/color.h"
#include "support/projection/projection.h"
#include "support/text/text.h"
#include "support/view/view.h"
#include "tests/harness/gl_context.h"
#include "tests/text_testing.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdlib>
#include <new>

// ---------------------------------------------------------------------------
// The counting wrappers
// ---------------------------------------------------------------------------

namespace {

bool counting = false;
int allocations = 0;

void countAllocation()
{
    if (counting)
        ++allocations;
}

}  // namespace

// A wrapper that counts, then hands the call to the real entry.
#define COUNTED_ENTRY(entry, parameters, arguments)                                                \
    extern "C" void* __real_##entry parameters;                                                    \
    extern "C" void* __wrap_##entry parameters                                                     \
    {                                                                                              \
        countAllocation();                                                                         \
        return __real_##entry arguments;                                                           \
    }

COUNTED_ENTRY(malloc, (std::size_t size), (size))
COUNTED_ENTRY(calloc, (std::size_t count, std::size_t size), (count, size))
COUNTED_ENTRY(realloc, (void* pointer, std::size_t size), (pointer, size))
// operator new and new[]: plain, nothrow, aligned.
COUNTED_ENTRY(_Znwm, (std::size_t size), (size))
COUNTED_ENTRY(_Znam, (std::size_t size), (size))
COUNTED_ENTRY(_ZnwmRKSt9nothrow_t, (std::size_t size, const std::nothrow_t& tag), (size, tag))
COUNTED_ENTRY(_ZnamRKSt9nothrow_t, (std::size_t size, const std::nothrow_t& tag), (size, tag))
COUNTED_ENTRY(_ZnwmSt11align_val_t, (std::size_t size, std::align_val_t align), (size, align))
COUNTED_ENTRY(_ZnamSt11align_val_t, (std::size_t size, std::align_val_t align), (size, align))

namespace {

// ---------------------------------------------------------------------------
// One frame: the demo's two windows, then every drawing entry of the library
// ---------------------------------------------------------------------------

struct Windows {
    int main = 0;
    int values = 0;
    int library = 0;
};

int loadedFont = 0;

void drawLibraryFrame()
{
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    const int width = glutGet(GLUT_WINDOW_WIDTH);
    const int height = glutGet(GLUT_WINDOW_HEIGHT);
    reshapeFrustum(width, height);
    reshapePerspective(width, height);
    reshapeOrtho(width, height);
    glPushMatrix();
    applyMouseTransform();
    applyKeyRotation();
    autoRotateStep();
    glColor4fv(makeColor(0.2f, 0.4f, 0.6f, 1.0f));
    glColor4fv(colorRedWithAlpha(0.5f));
    glColor4fv(greyWithAlpha(0.3f, 1.0f));
    glColor4fv(colorWhite());
    setTextOffset(1.0f, 2.0f, 0.0f);
    setTextAnchor(-4.0f, 3.0f, 0.0f);
    for (int font = boldFont; font <= arrowFont; ++font)
        drawText(1, font, "font %d: %7.3f", font, 1.5);
    setTextScale(2);
    drawText(0, greekFont, "scale %d", getTextScale());
    setTextScale(1);
    setTextAlignment(alignCentred);
    drawTextInFont(smallFont, "%s", "centred");
    setTextAlignment(alignRight);
    drawTextDefault("right %c", 'x');
    setGlutTextStyle(GLUT_BITMAP_8_BY_13, alignLeft);
    drawGlutText(GLUT_BITMAP_9_BY_15, "glut %d", 1);
    drawGlutTextAt(0.0f, 0.0f, 0.0f, GLUT_BITMAP_HELVETICA_10, "glut %d", 2);
    drawGlutTextDefault("glut %d", 3);
    drawGlutTextDefaultAt(1.0f, -1.0f, 0.0f, "glut %d", 4);
    drawWindowLine(0, 0, 40, -10);
    // A loaded font, with a character from a fallback font and a mark.
    for (int alignment : {alignLeft, alignCentred, alignRight}) {
        setTextAlignment(alignment);
        drawText(alignment, loadedFont, "%d °C αβγ e\u0301 \u05d0 %d", alignment,
                 textWidth(loadedFont, "w%d", fontLineHeight(loadedFont)));
    }
    setTextScale(2);
    drawTextInFont(loadedFont, "scale 2");
    setTextScale(1);
    // A batch of haloed labels.
    const Color shade[4] = {0.0f, 0.0f, 0.0f, 0.5f};
    setTextHalo(1.5f, shade);
    beginTextBatch();
    for (int label = 0; label < 20; ++label) {
        setTextAnchor(static_cast<float>(label) * 0.3f - 3.0f, 1.0f, 0.0f);
        drawText(1, loadedFont, "label %d\n%d", label, label);
        drawTextInFont(boldFont, "%d", label);
    }
    endTextBatch();
    setTextHalo(0.0f, nullptr);
    setStrokeBold(0);
    setStrokeSmooth(0);
    drawStrokeText(-4.0f, -2.0f, 0.5f, "stroke %d", 1);
    setStrokeBold(1);
    setStrokeSmooth(1);
    drawStrokeText(-4.0f, -4.0f, 0.5f, "stroke %d", 2);
    glPopMatrix();
}

void drawFrame(const Windows& windows)
{
    glutSetWindow(windows.main);
    idleAdvance();
    displayScene();
    glutSetWindow(windows.values);
    displayValues();
    glutSetWindow(windows.library);
    drawLibraryFrame();
}

// Allocations from our code while `action` runs.
template <typename Action>
int allocationsDuring(Action action)
{
    allocations = 0;
    counting = true;
    action();
    counting = false;
    return allocations;
}

// Kept where the compiler cannot see that the memory goes unused.
void* volatile deliberate = nullptr;

// ---------------------------------------------------------------------------
// Tests
// ---------------------------------------------------------------------------

TEST(FrameAllocations, CounterSeesEachAllocatorEntry)
{
    const int seen = allocationsDuring([] {
        deliberate = std::malloc(16);
        deliberate = std::realloc(deliberate, 64);
        std::free(deliberate);
        deliberate = std::calloc(4, 4);
        std::free(deliberate);
        deliberate = new int(1);
        delete static_cast<int*>(deliberate);
        deliberate = new int[4];
        delete[] static_cast<int*>(deliberate);
    });
    EXPECT_EQ(seen, 5);
}

TEST(FrameAllocations, NoneAfterWarmUp)
{
    initGlutOnce();
    Windows windows;
    windows.main = createDemoWindows();
    windows.values = glutGetWindow();
    windows.library = openTextWindow("every drawing entry", 200, 100);
    setOrthoBox(-5.0f, 5.0f, -5.0f, 5.0f, -10.0f, 10.0f);
    setFrustumBox(-1.0f, 1.0f, -1.0f, 1.0f, 1.0f, 10.0f, 0.0f, 0.0f, -5.0f);
    setPerspective(40.0f, 1.0f, 1.0f, 10.0f, 0.0f, 0.0f, -5.0f);
    setAutoRotateWindow(windows.library);
    loadedFont = loadFont("/usr/share/fonts/truetype/dejavu/DejaVuSerif.ttf", 14.0f);
    ASSERT_GE(loadedFont, 16);
    ASSERT_TRUE(waitForWindowShown(windows.main));
    ASSERT_TRUE(waitForWindowShown(windows.values));

    // The first frame builds the fonts of the two text windows.
    drawFrame(windows);
    drawFrame(windows);
    EXPECT_EQ(allocationsDuring([&windows] {
                  for (int frame = 0; frame < 50; ++frame)
                      drawFrame(windows);
              }),
              0);

    // The frames drew: text and lines are on the library window's picture.
    EXPECT_GT(litPixels(backBuffer()), 500);
    EXPECT_EQ(getFrameCount(), 52);
    closeTestWindow(windows.library);
    closeTestWindow(windows.values);
    closeTestWindow(windows.main);
}

TEST(FrameAllocations, NoneInACoreContextAfterWarmUp)
{
    GlContextWindow window(GlContextKind::core, 200, 100);
    ASSERT_TRUE(window.isOpen()) << window.failure();
    const int font = loadFont("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf", 14.0f);
    static constexpr float pixels[16] = {2.0f / 200, 0, 0, 0, 0,  2.0f / 100, 0, 0,
                                         0,          0, 1, 0, -1, -1,         0, 1};
    static constexpr float grey[4] = {0.5f, 0.5f, 0.5f, 0.8f};
    const auto frame = [font] {
        setTextMatrix(pixels);
        setTextColor(grey);
        setTextHalo(1.0f, grey);
        beginTextBatch();
        for (int alignment : {alignLeft, alignCentred, alignRight}) {
            setTextAlignment(alignment);
            setTextAnchor(100.0f, 50.0f, 0.0f);
            drawText(alignment, boldFont, "own %d", alignment);
            drawText(alignment, font, "%d °C αβγ \u05d0", alignment);
            drawWindowLine(0, 0, 40, -10);
        }
        endTextBatch();
        setTextHalo(0.0f, nullptr);
        setTextScale(2);
        drawTextInFont(smallFont, "scale 2");
        setTextScale(1);
    };
    frame();
    frame();
    EXPECT_EQ(allocationsDuring([&frame] {
                  for (int i = 0; i < 20; ++i)
                      frame();
              }),
              0);
    EXPECT_GT(countPixels(window.readBackBuffer(), {0, 0, 200, 100}, [](Rgb p) { return p.r > 0; }),
              100);
    releaseTextContext();
    setTextMatrix(nullptr);
    setTextColor(nullptr);
    setTextAlignment(alignLeft);
    freeFont(font);
}

}  // namespace
