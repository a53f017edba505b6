/*
 * library_bench.cpp - the library's drawing entries timed against each
 * other and against what a program could do without them, in one run.
 *
 * A 32-character line is drawn five ways: anchored drawText in the own
 * bold font; the floor under it, the same window's display lists called
 * directly with glListBase and glCallLists; glutBitmapCharacter per
 * character; glutBitmapString; glBitmap per character from the glyph
 * table. The same drawText at text scale 2, its glyphs drawn 2 x 2 times
 * as large. The line in a loaded font of 18 pixels (DejaVu Sans, glyphs
 * cached), against glutBitmapString in GLUT_BITMAP_HELVETICA_18, of about
 * the same pixel size; 1,000 labels of 8 characters in that font, one
 * frame's worth (and in boldFont, for comparison), drawn one by one and in
 * a batch, with and without a halo, in this compatibility context and in a
 * core-profile one; and the first use of a glyph in a window (rasterised
 * and sent to its page). Then the other per-frame entries: setTextAnchor alone,
 * drawWindowLine, stroke text plain and bold + smooth, the view transform,
 * the three reshapes, and building a window's fonts as its first own-font
 * text does. Every iteration ends with glFinish, so that a time covers the
 * drawing itself and not only the queuing of commands. And a line of 32
 * words, digits and signs in the loaded font, laid out and drawn: Latin,
 * against the same with Hebrew and Arabic words (reordered for display).
 *
 * Unless told otherwise on the command line, every benchmark runs 11
 * short times, the runs of all benchmarks shuffled together, so that a
 * load that comes and goes weighs on all of them alike. The table gives
 * each one's median real time and its ratio to drawText, and the same for
 * the CPU time of the calling thread: the library's work and the GL
 * driver's on that thread, not the driver's own rasterising threads (whose
 * work the real time shows) nor the waits for a busy machine.
 *
 * The program fails (exit status 2) when drawText takes more than 1.25
 * times as long as the floor, both timed in many short rounds that
 * alternate them: a per-character round trip to the X server crosses
 * that, noise does not.
 *
 * Runs on a private X server in a GLUT window nobody sees.
 *
 * Depends on: Google Benchmark, GLUT, the support library (and, for the
 * floor, the internal font tables of support/text/fonts.h), the test
 * harness's X server and GLUT window helpers.
 */
#include "support/projection/projection.h"
#include "support/text/fonts.h"
#include "support/text/glyphs.h"
#include "support/text/text.h"
#include "support/text/text_context.h"
#include "support/view/view.h"
#include "tests/harness/gl_context.h"
#include "tests/harness/x_server.h"
#include "tests/text_testing.h"

#include <GL/freeglut.h>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

namespace {

using vestrane::detail::boldGlyphs;
using vestrane::detail::boldRows;
using vestrane::detail::firstGlyphCode;

// ---------------------------------------------------------------------------
// State
// ---------------------------------------------------------------------------

constexpr char line[] = "POSITION : -10.000  0.000 10.000";
constexpr int lineLength = sizeof line - 1;
static_assert(lineLength == 32);
// Lines of words, digits and signs: Latin alone, and Latin mixed with
// Hebrew and Arabic words, 32 characters each.
constexpr char latinWords[] = "Price tags 42 for 7.5 kg, shop 9";
constexpr char mixedWords[] =
    "Price \u05de\u05d7\u05d9\u05e8 42 \u0633\u0639\u0631 7.5 kg, \u05e9\u05dc\u05d5\u05dd 9";
constexpr int characterCount(const char* text)
{
    int count = 0;
    for (; *text != '\0'; ++text)
        count += (static_cast<unsigned char>(*text) & 0xC0) != 0x80 ? 1 : 0;
    return count;
}
static_assert(characterCount(latinWords) == 32 && characterCount(mixedWords) == 32);
constexpr char strokeLine[] = "STROKE TEXT 1234";
static_assert(sizeof strokeLine - 1 == 16);

// Wide enough for the line at text scale 2.
constexpr int windowWidth = 680;
constexpr int windowHeight = 100;
constexpr float lineX = 5.0f;
constexpr float lineY = 40.0f;
constexpr float guardLimit = 1.25f;

constexpr char loadedFontFile[] = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
constexpr int labelCount = 1000;
constexpr int labelColumns = 40;
// Characters drawn once each by the first-use runs, from U+0100 on: Latin,
// IPA, Greek and Cyrillic letters that the font has.
constexpr int firstUseGlyphs = 600;

// The font-building runs, one fresh window each (GLUT never reuses a window
// identifier, so every run builds).
constexpr int fontBuildWindows = 8;

int benchWindow = 0;
int loadedFont = 0;
char32_t nextFirstUse = 0x100;

// ---------------------------------------------------------------------------
// Internal helpers
// ---------------------------------------------------------------------------

/*
 * The first display list of the bold font in the current window, whose
 * fonts an own-font text has built. The only place that reaches into the
 * text module's internals.
 */
GLuint boldFontListBase()
{
    const auto* context = vestrane::detail::glutWindowTextContext(glutGetWindow());
    return context != nullptr ? context->ownFonts[0] : 0;  // bold's block comes first
}

// ---------------------------------------------------------------------------
// The line, five ways
// ---------------------------------------------------------------------------

void lineWithDrawText()
{
    setTextAnchor(lineX, lineY, 0.0f);
    drawText(0, boldFont, "%s", line);
}

void lineWithDrawTextAtScale2()
{
    setTextScale(2);
    setTextAnchor(lineX, lineY, 0.0f);
    drawText(0, boldFont, "%s", line);
    setTextScale(1);
}

void lineWithListsDirectly()
{
    glRasterPos2f(lineX, lineY);
    glListBase(boldFontListBase());
    glCallLists(lineLength, GL_UNSIGNED_BYTE, line);
}

void lineWithGlutCharacters()
{
    glRasterPos2f(lineX, lineY);
    for (const char* c = line; *c != '\0'; ++c)
        glutBitmapCharacter(GLUT_BITMAP_8_BY_13, *c);
}

void lineWithGlutString()
{
    glRasterPos2f(lineX, lineY);
    glutBitmapString(GLUT_BITMAP_8_BY_13, reinterpret_cast<const unsigned char*>(line));
}

void lineWithLoadedFont()
{
    setTextAnchor(lineX, lineY, 0.0f);
    drawText(0, loadedFont, "%s", line);
}

template <const char* Words>
void wordsWithLoadedFont()
{
    setTextAnchor(lineX, lineY, 0.0f);
    drawText(0, loadedFont, "%s", Words);
}

void lineWithGlutHelvetica18()
{
    glRasterPos2f(lineX, lineY);
    glutBitmapString(GLUT_BITMAP_HELVETICA_18, reinterpret_cast<const unsigned char*>(line));
}

/* A frame's worth of short labels, each at an anchor of its own: drawn one
 * by one or in a batch, with or without a halo. */
template <int Font, bool Batched = false, bool Haloed = false>
void thousandLabels()
{
    static constexpr Color shade[4] = {0.0f, 0.0f, 0.0f, 0.7f};
    if (Haloed)
        setTextHalo(1.5f, shade);
    if (Batched)
        beginTextBatch();
    for (int i = 0; i < labelCount; ++i) {
        setTextAnchor(static_cast<float>(i % labelColumns) * 16.0f,
                      static_cast<float>(i / labelColumns) * 3.0f + 10.0f, 0.0f);
        drawText(0, Font == 0 ? loadedFont : Font, "L%03d 1.5", i);
    }
    if (Batched)
        endTextBatch();
    if (Haloed)
        setTextHalo(0.0f, nullptr);
}

/* One character the window has not drawn yet. */
void firstUseOfAGlyph()
{
    const auto code = static_cast<unsigned>(nextFirstUse++);
    const char text[] = {static_cast<char>(0xC0 | (code >> 6)),
                         static_cast<char>(0x80 | (code & 0x3F)), '\0'};
    setTextAnchor(lineX, lineY, 0.0f);
    drawText(0, loadedFont, "%s", text);
}

void lineWithGlyphBitmaps()
{
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glRasterPos2f(lineX, lineY);
    for (const char* c = line; *c != '\0'; ++c) {
        const auto glyph = static_cast<std::size_t>(*c - firstGlyphCode) * boldRows;
        glBitmap(8, boldRows, 0.0f, 2.0f, 10.0f, 0.0f, &boldGlyphs[glyph]);
    }
}

using DrawLine = void (*)();

/* The picture one way of drawing the line gives, from a black window. */
Image pictureOf(DrawLine draw)
{
    usePixelProjection();
    clearToBlack();
    draw();
    return backBuffer();
}

/* The floor and the glyph bitmaps must draw exactly what drawText draws,
 * or they would be measuring something else. */
bool sameLineThreeWays()
{
    const Image reference = pictureOf(lineWithDrawText);
    return pictureOf(lineWithListsDirectly) == reference &&
           pictureOf(lineWithGlyphBitmaps) == reference;
}

/* Seconds that `count` drawings take, each followed by glFinish. */
double secondsFor(DrawLine draw, int count)
{
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < count; ++i) {
        draw();
        glFinish();
    }
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

/*
 * How many times as long `draw` takes as drawText, as the median of many
 * short rounds that time the two back to back, in turns: a load that comes
 * and goes weighs on both sides of a round alike.
 */
double alternatingRatio(DrawLine draw)
{
    constexpr int rounds = 101;
    constexpr int drawingsPerRound = 10;
    usePixelProjection();
    glColor3f(1.0f, 1.0f, 1.0f);
    std::vector<double> ratios;
    for (int round = 0; round < rounds; ++round) {
        const bool drawTextFirst = round % 2 == 0;
        const double first = secondsFor(drawTextFirst ? lineWithDrawText : draw, drawingsPerRound);
        const double second = secondsFor(drawTextFirst ? draw : lineWithDrawText, drawingsPerRound);
        ratios.push_back(drawTextFirst ? second / first : first / second);
    }
    std::nth_element(ratios.begin(), ratios.begin() + rounds / 2, ratios.end());
    return ratios[rounds / 2];
}

struct Way {
    const char* name;
    DrawLine draw;
};

const Way otherWays[] = {
    {"glListBase + glCallLists (floor)", lineWithListsDirectly},
    {"glutBitmapCharacter per character", lineWithGlutCharacters},
    {"glutBitmapString", lineWithGlutString},
    {"glBitmap per character", lineWithGlyphBitmaps},
    {"drawText, loaded font 18 px", lineWithLoadedFont},
    {"glutBitmapString, HELVETICA_18", lineWithGlutHelvetica18},
};

/* Prints each other way's time as a ratio to drawText's, timed in
 * alternating rounds; returns drawText's time over the floor's. */
double printAlternatingRatios()
{
    std::printf("\nThe %d-character line, timed in 101 short rounds alternating with drawText:\n",
                lineLength);
    double floorRatio = 0.0;
    for (const Way& way : otherWays) {
        const double ratio = alternatingRatio(way.draw);
        if (way.draw == lineWithListsDirectly)
            floorRatio = ratio;
        std::printf("  %-40s %6.3f x drawText (drawText: %.2f x)\n", way.name, ratio, 1.0 / ratio);
    }
    return 1.0 / floorRatio;
}

// ---------------------------------------------------------------------------
// Benchmarks
// ---------------------------------------------------------------------------

/* Times `draw`, each call followed by glFinish, in a pixel frame. */
template <void (*Draw)()>
void timeDrawing(benchmark::State& state)
{
    usePixelProjection();
    glColor3f(1.0f, 1.0f, 1.0f);
    for (auto _ : state) {
        Draw();
        glFinish();
    }
}

void textAnchorOnly()
{
    setTextAnchor(lineX, lineY, 0.0f);
}

void windowLine()
{
    drawWindowLine(0, 0, 300, -20);
}

void strokeText()
{
    drawStrokeText(lineX, lineY, 20.0f, "%s", strokeLine);
}

void boldSmoothStrokeText()
{
    setStrokeBold(1);
    setStrokeSmooth(1);
    drawStrokeText(lineX, lineY, 20.0f, "%s", strokeLine);
    setStrokeBold(0);
    setStrokeSmooth(0);
}

void viewTransform()
{
    glPushMatrix();
    applyMouseTransform();
    applyKeyRotation();
    glPopMatrix();
}

void orthoReshape()
{
    reshapeOrtho(windowWidth, windowHeight);
}

void frustumReshape()
{
    reshapeFrustum(windowWidth, windowHeight);
}

void perspectiveReshape()
{
    reshapePerspective(windowWidth, windowHeight);
}

/* The first own-font text of a fresh window, which builds its four fonts;
 * opening and closing the window are not timed. */
void buildFonts(benchmark::State& state)
{
    for (auto _ : state) {
        state.PauseTiming();
        const int window = openTestWindow("vestrane fonts", 100, 40);
        usePixelProjection();
        setTextAnchor(5.0f, 20.0f, 0.0f);
        state.ResumeTiming();
        drawText(0, boldFont, "A");
        glFinish();
        state.PauseTiming();
        const bool built = glIsList(1) == GL_TRUE;
        closeTestWindow(window);
        glutSetWindow(benchWindow);
        if (!built) {
            state.SkipWithError("the window got no fonts");
            break;
        }
        state.ResumeTiming();
    }
}

// Window pixels to clip coordinates, the text matrix in the core context.
constexpr float corePixels[16] = {
    2.0f / windowWidth, 0, 0, 0, 0, 2.0f / windowHeight, 0, 0, 0, 0, 1, 0, -1, -1, 0, 1};

// A core-profile context beside GLUT's compatibility one.
GlContextWindow* coreWindow = nullptr;

/* Times `draw` in the core-profile window, each call followed by glFinish,
 * with window pixels as the text matrix. */
template <void (*Draw)()>
void timeInCore(benchmark::State& state)
{
    if (coreWindow == nullptr || !coreWindow->isOpen()) {
        state.SkipWithError("no core-profile context");
        return;
    }
    coreWindow->makeCurrent();
    setTextMatrix(corePixels);
    const auto finish = coreWindow->function<PFNGLFINISHPROC>("glFinish");
    for (auto _ : state) {
        Draw();
        finish();
    }
    setTextMatrix(nullptr);
    makeTestWindowCurrent(benchWindow);
}

struct Entry {
    const char* name;
    void (*run)(benchmark::State&);
};

const char* const drawTextName = "setTextAnchor + drawText";
const char* const unbatchedName = "1,000 labels of 8 characters, loaded font";
const char* const labelsName = "1,000 labels, loaded, batched";
const char* const haloedName = "1,000 labels, loaded, haloed";
const char* const haloedBatchName = "1,000 labels, loaded, haloed, batched";
const char* const coreUnbatchedName = "core: 1,000 labels of 8 characters, loaded";
const char* const coreLabelsName = "core: 1,000 labels, loaded, batched";
const char* const coreHaloedName = "core: 1,000 labels, loaded, haloed";
const char* const coreHaloedBatchName = "core: 1,000 labels, haloed, batched";
const char* const latinWordsName = "drawText, loaded 18 px, Latin words";
const char* const mixedWordsName = "drawText, loaded 18 px, mixed directions";

const Entry entries[] = {
    {drawTextName, timeDrawing<lineWithDrawText>},
    {"setTextAnchor + drawText, text scale 2", timeDrawing<lineWithDrawTextAtScale2>},
    {"glListBase + glCallLists (floor)", timeDrawing<lineWithListsDirectly>},
    {"glutBitmapCharacter per character", timeDrawing<lineWithGlutCharacters>},
    {"glutBitmapString", timeDrawing<lineWithGlutString>},
    {"glBitmap per character", timeDrawing<lineWithGlyphBitmaps>},
    {"drawText, loaded font 18 px", timeDrawing<lineWithLoadedFont>},
    {"glutBitmapString, HELVETICA_18", timeDrawing<lineWithGlutHelvetica18>},
    {latinWordsName, timeDrawing<wordsWithLoadedFont<latinWords>>},
    {mixedWordsName, timeDrawing<wordsWithLoadedFont<mixedWords>>},
    {unbatchedName, timeDrawing<thousandLabels<0>>},
    {"1,000 labels of 8 characters, boldFont", timeDrawing<thousandLabels<boldFont>>},
    {"core: setTextAnchor + drawText", timeInCore<lineWithDrawText>},
    {"core: drawText, loaded font 18 px", timeInCore<lineWithLoadedFont>},
    {coreUnbatchedName, timeInCore<thousandLabels<0>>},
    {"core: 1,000 labels of 8 characters, bold", timeInCore<thousandLabels<boldFont>>},
    {labelsName, timeDrawing<thousandLabels<0, true>>},
    {haloedName, timeDrawing<thousandLabels<0, false, true>>},
    {haloedBatchName, timeDrawing<thousandLabels<0, true, true>>},
    {coreLabelsName, timeInCore<thousandLabels<0, true>>},
    {coreHaloedName, timeInCore<thousandLabels<0, false, true>>},
    {coreHaloedBatchName, timeInCore<thousandLabels<0, true, true>>},
    {"setTextAnchor", timeDrawing<textAnchorOnly>},
    {"drawWindowLine", timeDrawing<windowLine>},
    {"drawStrokeText, 16 characters", timeDrawing<strokeText>},
    {"drawStrokeText, 16 bold smooth", timeDrawing<boldSmoothStrokeText>},
    {"applyMouseTransform + applyKeyRotation", timeDrawing<viewTransform>},
    {"reshapeOrtho", timeDrawing<orthoReshape>},
    {"reshapeFrustum", timeDrawing<frustumReshape>},
    {"reshapePerspective", timeDrawing<perspectiveReshape>},
};
const char* const buildFontsName = "first own-font text (builds 4 fonts)";
const char* const firstUseName = "first use of a glyph, loaded font 18 px";

// ---------------------------------------------------------------------------
// The table
// ---------------------------------------------------------------------------

/* A benchmark's median (or only) real and CPU times. */
struct Times {
    double real = 0.0;
    double cpu = 0.0;
};

/* The console report, keeping each benchmark's times. */
class TableReporter : public benchmark::ConsoleReporter {
  public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const Run& run : runs) {
            const bool single = run.run_type == Run::RT_Iteration && run.repetitions <= 1;
            if ((single || run.aggregate_name == "median") && !run.error_occurred)
                times[run.run_name.function_name] = {run.GetAdjustedRealTime(),
                                                     run.GetAdjustedCPUTime()};
        }
        ConsoleReporter::ReportRuns(runs);
    }

    void printTable() const
    {
        const Times reference = timesOf(drawTextName);
        if (reference.real <= 0.0 || reference.cpu <= 0.0)
            return;
        std::printf("\n%-42s %10s %10s %10s %10s\n", "median of the repeated runs", "real us",
                    "/drawText", "CPU us", "/drawText");
        for (const Entry& entry : entries)
            printRow(entry.name, reference);
        printRow(buildFontsName, reference);
        printRow(firstUseName, reference);
        const Times loaded = timesOf("drawText, loaded font 18 px");
        const Times glut = timesOf("glutBitmapString, HELVETICA_18");
        if (loaded.real > 0.0 && glut.real > 0.0)
            std::printf("\nloaded-font line / glutBitmapString HELVETICA_18 line: real %.3f, "
                        "CPU %.3f\n",
                        loaded.real / glut.real, loaded.cpu / glut.cpu);
        const Times latin = timesOf(latinWordsName);
        const Times mixed = timesOf(mixedWordsName);
        if (latin.real > 0.0 && latin.cpu > 0.0)
            std::printf("mixed-direction line / Latin line, loaded font: real %.3f, CPU %.3f\n",
                        mixed.real / latin.real, mixed.cpu / latin.cpu);
        printRatio("1,000 labels batched / one by one (goal 1/3, < 8 ms)", labelsName,
                   unbatchedName);
        printRatio("core: the same", coreLabelsName, coreUnbatchedName);
        printRatio("haloed batch / batch (goal 1.6)", haloedBatchName, labelsName);
        printRatio("core: the same", coreHaloedBatchName, coreLabelsName);
    }

  private:
    void printRatio(const char* title, const char* name, const char* baseline) const
    {
        const Times time = timesOf(name);
        const Times base = timesOf(baseline);
        if (time.real > 0.0 && base.real > 0.0 && base.cpu > 0.0)
            std::printf("%-54s real %.3f, CPU %.3f (%.2f ms)\n", title, time.real / base.real,
                        time.cpu / base.cpu, time.real / 1000.0);
    }

    Times timesOf(const std::string& name) const
    {
        const auto found = times.find(name);
        return found == times.end() ? Times{} : found->second;
    }

    void printRow(const char* name, const Times& reference) const
    {
        const Times time = timesOf(name);
        if (time.real > 0.0)
            std::printf("%-42s %10.2f %10.3f %10.2f %10.3f\n", name, time.real,
                        time.real / reference.real, time.cpu, time.cpu / reference.cpu);
    }

    std::map<std::string, Times> times;
};

/* The shuffled repeated runs, unless the command line says otherwise. */
std::vector<char*> withDefaultFlags(int argc, char** argv)
{
    static char repetitions[] = "--benchmark_repetitions=11";
    static char interleaving[] = "--benchmark_enable_random_interleaving=true";
    static char aggregates[] = "--benchmark_report_aggregates_only=true";
    static char minTime[] = "--benchmark_min_time=0.03";
    std::vector<char*> arguments = {argv[0], repetitions, interleaving, aggregates, minTime};
    arguments.insert(arguments.end(), argv + 1, argv + argc);
    arguments.push_back(nullptr);
    return arguments;
}

void registerBenchmarks()
{
    for (const Entry& entry : entries)
        benchmark::RegisterBenchmark(entry.name, entry.run)->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark(buildFontsName, buildFonts)
        ->Iterations(fontBuildWindows)
        ->Repetitions(1)
        ->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark(firstUseName, timeDrawing<firstUseOfAGlyph>)
        ->Iterations(firstUseGlyphs)
        ->Repetitions(1)
        ->Unit(benchmark::kMicrosecond);
}

}  // namespace

int main(int argc, char** argv)
{
    std::vector<char*> arguments = withDefaultFlags(argc, argv);
    int count = static_cast<int>(arguments.size()) - 1;
    benchmark::Initialize(&count, arguments.data());
    if (!ensureXServer()) {  // a private one, never the user's screen
        std::fprintf(stderr, "vestrane_bench: no private X server (is Xvfb installed?)\n");
        return 1;
    }
    benchWindow = openTestWindow("vestrane bench", windowWidth, windowHeight);
    setOrthoBox(-5.0f, 5.0f, -5.0f, 5.0f, -10.0f, 10.0f);
    setFrustumBox(-1.0f, 1.0f, -1.0f, 1.0f, 1.0f, 10.0f, 0.0f, 0.0f, -5.0f);
    setPerspective(40.0f, 1.0f, 1.0f, 10.0f, 0.0f, 0.0f, -5.0f);

    int status = 0;
    if (!sameLineThreeWays()) {
        std::fprintf(stderr, "vestrane_bench: the floor or the glyph bitmaps do not draw what "
                             "drawText draws\n");
        status = 1;
    } else {
        lineWithDrawTextAtScale2();  // builds the window's fonts at scale 2 untimed
        loadedFont = loadFont(loadedFontFile, 18.0f);
        lineWithLoadedFont();  // its glyphs cached untimed
        wordsWithLoadedFont<latinWords>();
        wordsWithLoadedFont<mixedWords>();
        thousandLabels<0, false, true>();
        GlContextWindow core(GlContextKind::core, windowWidth, windowHeight, 0, windowHeight + 20);
        coreWindow = &core;
        if (core.isOpen()) {  // the glyphs of the core context cached untimed
            setTextMatrix(corePixels);
            lineWithLoadedFont();
            thousandLabels<0, false, true>();
            setTextMatrix(nullptr);
            makeTestWindowCurrent(benchWindow);
        }
        registerBenchmarks();
        TableReporter reporter;
        benchmark::RunSpecifiedBenchmarks(&reporter);
        reporter.printTable();
        if (core.isOpen()) {
            core.makeCurrent();
            releaseTextContext();
            core.destroy();
        }
        makeTestWindowCurrent(benchWindow);
        const double guard = printAlternatingRatios();
        std::printf("\ndrawText / floor = %.2f (limit %.2f)\n", guard,
                    static_cast<double>(guardLimit));
        if (guard > static_cast<double>(guardLimit)) {
            std::printf("drawText takes more than %.2f times as long as the floor\n",
                        static_cast<double>(guardLimit));
            status = 2;
        }
    }
    shutDownGlfw();
    shutDownGlut();
    stopPrivateXServer();
    return status;
}
