/*
 * text_bench.cpp - drawing one 32-character line of own-font text with
 * drawText (one display list a character, called in one go) against the
 * same line uploaded glyph by glyph with glBitmap, in the same run; prints
 * how many times faster the display lists are.
 *
 * Runs on a private X server, whatever DISPLAY says, in a GLUT window
 * nobody sees. Each iteration ends with glFinish, so that the time covers
 * the drawing itself and not only the queuing of commands.
 *
 * Depends on: Google Benchmark, the support library's text and glyph
 * tables, the test harness's X server and GLUT window helpers.
 */
#include "support/projection/projection.h"
#include "support/text/glyphs.h"
#include "support/text/text.h"
#include "tests/harness/glut_window.h"
#include "tests/harness/x_server.h"

#include <GL/glut.h>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

namespace {

// ---------------------------------------------------------------------------
// The line and the two ways of drawing it
// ---------------------------------------------------------------------------

constexpr char line[] = "POSITION : -10.000  0.000 10.000";
constexpr int lineLength = sizeof line - 1;
static_assert(lineLength == 32);

constexpr float lineX = 5.0f;
constexpr float lineY = 40.0f;

void drawWithDisplayLists(benchmark::State& state)
{
    for (auto _ : state) {
        setTextAnchor(lineX, lineY, 0.0f);
        drawText(0, boldFont, "%s", line);
        glFinish();
    }
    state.SetItemsProcessed(state.iterations() * lineLength);
}

void drawWithBitmapPerCharacter(benchmark::State& state)
{
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    for (auto _ : state) {
        glRasterPos2f(lineX, lineY);
        for (int i = 0; i < lineLength; ++i) {
            const auto glyph = static_cast<std::size_t>(line[i] - firstGlyphCode) * boldRows;
            glBitmap(8, boldRows, 0.0f, 2.0f, 10.0f, 0.0f, &boldGlyphs[glyph]);
        }
        glFinish();
    }
    state.SetItemsProcessed(state.iterations() * lineLength);
}

const char* const displayListsName = "drawText/display lists";
const char* const bitmapName = "glBitmap per character";

// ---------------------------------------------------------------------------
// Reporting the ratio
// ---------------------------------------------------------------------------

/* The console report, keeping each benchmark's time for the ratio. */
class RatioReporter : public benchmark::ConsoleReporter {
  public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const Run& run : runs)
            times[run.benchmark_name()] = run.GetAdjustedRealTime();
        ConsoleReporter::ReportRuns(runs);
    }

    void printRatio() const
    {
        const auto lists = times.find(displayListsName);
        const auto bitmaps = times.find(bitmapName);
        if (lists == times.end() || bitmaps == times.end() || lists->second <= 0.0)
            return;
        std::printf("\n%s takes %.2f times as long as %s for a %d-character line.\n", bitmapName,
                    bitmaps->second / lists->second, displayListsName, lineLength);
    }

  private:
    std::map<std::string, double> times;
};

/* One unit a pixel, origin at the bottom left. */
void usePixelProjection()
{
    const int height = glutGet(GLUT_WINDOW_HEIGHT);
    reshapeWindowPixels(glutGet(GLUT_WINDOW_WIDTH), height);
    glTranslatef(0.0f, static_cast<float>(-height), 0.0f);
}

}  // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    unsetenv("DISPLAY");
    if (!ensureXServer()) {
        std::fprintf(stderr, "vestrane_bench: no private X server (is Xvfb installed?)\n");
        return 1;
    }
    openTestWindow("vestrane bench", 400, 100);
    usePixelProjection();
    glColor3f(1.0f, 1.0f, 1.0f);

    benchmark::RegisterBenchmark(displayListsName, drawWithDisplayLists);
    benchmark::RegisterBenchmark(bitmapName, drawWithBitmapPerCharacter);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.printRatio();

    shutDownGlut();
    stopPrivateXServer();
    return 0;
}
