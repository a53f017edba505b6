/*
 * vestrane-showcase - the whole support library at work in one window.
 *
 * A lit teapot under a stroke-text title turns with the view; labels in the
 * library's four bitmap fonts and one in a loaded TrueType font (accents, a
 * degree sign, Greek) stay pinned to points of the teapot; the rainbow and
 * grey colour ramps stand as bars at the window's sides; status lines read
 * the projection, view and stroke-text settings back, and the key help sits
 * at the bottom, both in a loaded sans-serif font. A click marks a point of
 * the scene, p saves the picture. All text takes the screen's text scale
 * (VESTRANE_TEXT_SCALE, or the desktop's Xft.dpi, or the screen's size), so
 * that it stays readable on HiDPI screens: the own fonts grow by whole
 * pixels, the loaded fonts are rasterised at their size times the scale.
 * The auto-rotation is the only idle function, registered only while it
 * runs: a still picture costs no time.
 *
 * Keys:
 *   x y z  /  X Y Z        turn the scene +2 / -2 degrees about that axis
 *   arrows, Page Up/Down   turn it 1 degree (with Alt: 10 degrees)
 *   Ctrl+arrow, Ctrl+Page  preset views (Ctrl+Left: the view at start)
 *   Shift+Enter            start / stop the auto-rotation
 *   Shift+arrow, Shift+Page  auto-rotation faster (Left, Up, Page Up) or
 *                          slower (Right, Down, Page Down)
 *   t                      look down on the lid
 *   r                      reset the view to the one at start
 *   1  2  3                orthographic, frustum, perspective projection
 *   a  /  A                pour: tilt the teapot 5 degrees more / less
 *   b                      stroke title bold on / off
 *   s                      stroke title smooth on / off
 *   +  /  -                more / less letter spacing in the stroke title
 *   p                      save the window as vestrane-showcase-N.png (the
 *                          next free N) in the current folder
 *   Escape                 quit
 * Mouse, left button:
 *   click                  mark the point of the scene under the pointer and
 *                          label it with its coordinates; a click on the
 *                          background clears the mark
 *   Shift+drag             turn about x and y
 *   Shift+Ctrl+drag        turn about x and z
 *   Ctrl+drag              zoom: down enlarges, up shrinks
 *   Alt+drag               pan: the scene follows the pointer
 *
 * Depends on: GLUT, OpenGL, the support library (colour, text, view,
 * projection and image modules), a sans-serif and a serif font that
 * fontconfig finds (the own fonts stand in for a missing one).
 */
#include "support/color/color.h"
#include "support/image/image.h"
#include "support/projection/projection.h"
#include "support/text/text.h"
#include "support/view/view.h"

#include <GL/glut.h>

#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

/* ---- Scene and layout constants --------------------------------------- */

constexpr int windowWidth = 640;
constexpr int windowHeight = 480;
constexpr int windowX = 50;  // GLUT's default would put the corner off screen
constexpr int windowY = 50;

// The eye looks at the teapot from this distance in the frustum and
// perspective projections; both show the square -5..5 there, as the
// orthographic box does.
constexpr float eyeDistance = 10.0f;
constexpr float sceneHalfSize = 5.0f;
constexpr float frustumNear = 2.0f;
constexpr float sceneFar = 40.0f;
constexpr float perspectiveFovy = 53.13f;  // 2 atan(5 / 10): -5..5 at the eye distance
constexpr float perspectiveRefAspect = 1.0f;

constexpr float teapotSize = 1.7f;
constexpr float teapotTiltX = 18.0f;   // seen a little from above ...
constexpr float teapotTurnY = -25.0f;  // ... and from the spout's side
constexpr float pourStep = 5.0f;
constexpr float pourMax = 60.0f;
constexpr float topViewAngle = 90.0f;

constexpr char titleText[] = "Vestrane";
constexpr float titleSize = 1.3f;  // 0.0065 scene units a stroke-font unit
constexpr float titleBaseline = 2.7f;
constexpr float spacingStep = 10.0f;  // stroke-font units

// Points of the teapot, in units of its size, as glutSolidTeapot draws it.
constexpr std::array<float, 3> spoutTip = {1.72f, 0.5f, 0.0f};
constexpr std::array<float, 3> lidKnob = {0.0f, 0.86f, 0.0f};
constexpr std::array<float, 3> handleBack = {-1.55f, 0.3f, 0.0f};
constexpr std::array<float, 3> baseMiddle = {0.0f, -0.75f, 0.0f};

// The loaded fonts: their fontconfig patterns and sizes in pixels at text
// scale 1 (12 pixels read like GLUT's 8 x 13 font).
constexpr char overlayFontName[] = "sans-serif";
constexpr float overlayFontSize = 12.0f;
constexpr char teapotFontName[] = "serif:bold";
constexpr float teapotFontSize = 16.0f;
constexpr char teapotText[] = "Théière · 90 °C · α β γ";

// Overlay, in window pixels; the text lines and the bands under them at
// text scale 1 (they grow with the scale), the bars as they are.
constexpr int lineHeight = 15;
constexpr int margin = 10;
constexpr int statusLines = 3;
constexpr int helpLines = 5;
constexpr int statusPadding = 10;
constexpr int helpPadding = 8;
constexpr int barWidth = 14;
constexpr int barGap = 30;  // from the bars to the bands above and below them
constexpr int rampSize = 256;

constexpr std::array<const char*, helpLines> helpText = {
    "Shift+drag turn  Shift+Ctrl+drag roll  Ctrl+drag zoom  Alt+drag pan",
    "arrows Page Up/Down step (Alt: 10)  Ctrl+arrow preset  t top view  r reset",
    "x y z X Y Z turn  Shift+Enter spin  Shift+arrow spin speed  Esc quit",
    "1 2 3 ortho/frustum/perspective  a A pour  b bold  s smooth  + - spacing",
    "click mark a point (on the background: clear)  p save as PNG",
};

/* ---- Projections ------------------------------------------------------- */

struct Projection {
    const char* name;
    // What the bounds of the current view box measure; none for the
    // perspective, which reports its field of view instead.
    const char* boxName;
    void (*reshape)(int width, int height);
    // What one unit of mouse pan is worth at the teapot's depth: 1 in the
    // orthographic box, the eye distance through a perspective.
    float panFactor;
};

constexpr std::array<Projection, 3> projections = {{
    {"orthographic", "box", reshapeOrtho, 1.0f},
    {"frustum", "near plane", reshapeFrustum, eyeDistance},
    {"perspective", nullptr, reshapePerspective, eyeDistance},
}};

/* ---- State ------------------------------------------------------------- */

int showcaseWindow = 0;
// Loaded in main; until then, or should loading fail, an own font.
int overlayFont = boldFont;
int teapotFont = boldFont;
int projectionIndex = 0;
float pourAngle = 20.0f;
// A plain left click waits for the next frame, which resolves it with that
// frame's matrices and depth into the marked point, in scene coordinates.
struct Click {
    int x = 0;
    int y = 0;
    bool pending = false;
};
Click click;
bool marked = false;
struct ScenePoint {
    double x = 0.0;
    double y = 0.0;
    double z = 0.0;
};
ScenePoint markedPoint;
bool saveRequested = false;  // p: saved after the next frame is drawn
// Kept for the whole run, released at exit.
Color** rainbowRamp = nullptr;
Color** greyRamp = nullptr;
Color* backgroundColor = nullptr;

/* ---- Colours ----------------------------------------------------------- */

void releaseColors()
{
    freeRamp(rainbowRamp);
    freeRamp(greyRamp);
    freeColor(backgroundColor);
}

void makeColors()
{
    rainbowRamp = makeRainbowRamp();
    greyRamp = makeGreyRamp();
    // makeColor hands out one buffer that its next call overwrites: the
    // background, needed every frame, keeps a copy of its own.
    backgroundColor = copyColor(makeColor(0.06f, 0.07f, 0.11f, 1.0f));
    // Escape ends the program inside handleRotationKey, through exit. If the
    // hook cannot be registered, the colours go with the process: say so
    // (should stderr fail too, there is no one left to tell).
    if (std::atexit(releaseColors) != 0)
        (void)std::fputs("vestrane-showcase: the colours will not be released at exit\n", stderr);
}

/* ---- Fonts ------------------------------------------------------------- */

/* A loaded font, or boldFont when fontconfig finds none: the text then
 * shows its ASCII characters in the own font. */
int loadFontOrOwn(const char* pattern, float pixelSize)
{
    const int font = loadFont(pattern, pixelSize);
    if (font != 0)
        return font;
    (void)std::fprintf(stderr, "vestrane-showcase: no font for \"%s\" (%s): own font instead\n",
                       pattern, std::strerror(errno));
    return boldFont;
}

void loadFonts()
{
    overlayFont = loadFontOrOwn(overlayFontName, overlayFontSize);
    teapotFont = loadFontOrOwn(teapotFontName, teapotFontSize);
}

/* ---- Scene ------------------------------------------------------------- */

void initLighting()
{
    glLightfv(GL_LIGHT0, GL_DIFFUSE, colorWhite());
    glLightfv(GL_LIGHT0, GL_SPECULAR, colorWhite());
    glLightfv(GL_LIGHT1, GL_DIFFUSE, colorSlateBlue());
    glLightModelfv(GL_LIGHT_MODEL_AMBIENT, makeColor(0.18f, 0.18f, 0.22f, 1.0f));
    glEnable(GL_LIGHT0);
    glEnable(GL_LIGHT1);
    glEnable(GL_NORMALIZE);  // the zoom scales the normals too
    glEnable(GL_DEPTH_TEST);
}

/* A key light from the upper left and a cool rim light from behind, both
 * fixed to the eye so that the teapot turns under them. */
void placeLights()
{
    constexpr std::array<GLfloat, 4> keyLight = {-0.5f, 0.8f, 1.0f, 0.0f};
    constexpr std::array<GLfloat, 4> rimLight = {1.0f, 0.2f, -1.0f, 0.0f};
    glLightfv(GL_LIGHT0, GL_POSITION, keyLight.data());
    glLightfv(GL_LIGHT1, GL_POSITION, rimLight.data());
}

void drawTeapot()
{
    glMaterialfv(GL_FRONT, GL_AMBIENT_AND_DIFFUSE, colorBrick());
    glMaterialfv(GL_FRONT, GL_SPECULAR, colorGrey75());
    glMaterialf(GL_FRONT, GL_SHININESS, 50.0f);
    glEnable(GL_LIGHTING);
    glutSolidTeapot(teapotSize);
    glDisable(GL_LIGHTING);
}

/* Pixels of the own-font layout at the text scale: own-font text grows with
 * the scale, offsets in pixels do not. */
float scaled(float pixels)
{
    return pixels * static_cast<float>(getTextScale());
}

/* The overlay's line spacing: the layout's at the text scale, or the
 * font's own when that is larger. */
int overlayLineHeight()
{
    return std::max(lineHeight * getTextScale(), fontLineHeight(overlayFont));
}

int statusBand()
{
    return statusLines * overlayLineHeight() + statusPadding * getTextScale();
}

int helpBand()
{
    return helpLines * overlayLineHeight() + helpPadding * getTextScale();
}

/* Anchors the labels that follow at a point of the teapot. */
void anchorAtTeapot(const std::array<float, 3>& point)
{
    setTextAnchor(point[0] * teapotSize, point[1] * teapotSize, point[2] * teapotSize);
}

/* An arrow pointing left at the spout, then the pour angle in Greek. */
void labelSpout()
{
    anchorAtTeapot(spoutTip);
    glColor4fv(colorYellow());
    setTextAlignment(alignLeft);
    constexpr char arrow[] = "fTTT";
    const float gap = scaled(8.0f);
    setTextOffset(gap, scaled(8.0f), 0.0f);  // the arrow's shaft runs 8 pixels above its baseline
    drawTextInFont(arrowFont, "%s", arrow);
    setTextOffset(gap + static_cast<float>(textWidth(arrowFont, "%s", arrow)) + gap, scaled(3.0f),
                  0.0f);
    drawText(0, greekFont, "a = %.0f", static_cast<double>(pourAngle));  // a shows alpha
}

/* A callout from the lid's knob up to a small label. */
void labelLid()
{
    anchorAtTeapot(lidKnob);
    glColor4fv(colorGrey75());
    drawWindowLine(2, -4, 26, -28);
    glColor4fv(colorCyan());
    setTextAlignment(alignLeft);
    setTextOffset(30.0f, -26.0f, 0.0f);
    drawTextInFont(smallFont, "lid");
}

/* A callout from the handle to a label that the depth test hides when
 * the handle turns behind the pot. */
void labelHandle()
{
    anchorAtTeapot(handleBack);
    glColor4fv(colorGrey75());
    drawWindowLine(-4, 0, -30, 0);
    glColor4fv(colorWhite());
    setTextAlignment(alignRight);
    setTextOffset(-34.0f, -1.0f, 0.0f);  // capitals centred on the line
    drawTextDefault("HANDLE");
}

/* A caption in a loaded font, centred under the middle of the base. */
void labelBase()
{
    anchorAtTeapot(baseMiddle);
    glColor4fv(colorWhite());
    setTextAlignment(alignCentred);
    setTextOffset(0.0f, scaled(24.0f), 0.0f);
    drawTextInFont(teapotFont, "%s", teapotText);
}

/* Turns the matrix from scene coordinates to the teapot's own. */
void turnToTeapot()
{
    glRotatef(teapotTiltX, 1.0f, 0.0f, 0.0f);
    glRotatef(teapotTurnY, 0.0f, 1.0f, 0.0f);
    glRotatef(-pourAngle, 0.0f, 0.0f, 1.0f);
}

void labelTeapot()
{
    glPushMatrix();
    turnToTeapot();
    labelSpout();
    labelLid();
    labelHandle();
    labelBase();
    glPopMatrix();
}

/* The point under a click, from the depth drawn so far (the title and the
 * teapot, not yet the labels); the background clears the mark. */
void resolveClick()
{
    if (!click.pending)
        return;
    click.pending = false;
    marked = windowToScene(click.x, click.y, &markedPoint.x, &markedPoint.y, &markedPoint.z) != 0;
}

/* A cross on the marked point and its scene coordinates beside it, in
 * front of everything. */
void drawMark()
{
    if (!marked)
        return;
    glColor4fv(colorGreen());
    setTextAnchor(static_cast<float>(markedPoint.x), static_cast<float>(markedPoint.y),
                  static_cast<float>(markedPoint.z));
    const int arm = 6 * getTextScale();
    drawWindowLine(-arm, 0, arm, 0);
    drawWindowLine(0, -arm, 0, arm);
    setTextAlignment(alignLeft);
    setTextOffset(scaled(9.0f), scaled(-4.0f), 0.0f);
    drawTextInFont(boldFont, "(%.2f, %.2f, %.2f)", markedPoint.x, markedPoint.y, markedPoint.z);
}

/* The title stands in the scene, centred above the teapot, so it turns,
 * scales and hides like geometry. */
void drawTitle()
{
    const float width = strokeTextWidth(titleSize, "%s", titleText);
    glColor4fv(colorLightBlue());
    drawStrokeText(-width / 2.0f, titleBaseline, titleSize, "%s", titleText);
}

void drawScene()
{
    placeLights();
    glPushMatrix();
    applyMouseTransform();
    applyKeyRotation();
    drawTitle();
    glPushMatrix();
    turnToTeapot();
    drawTeapot();
    glPopMatrix();
    resolveClick();
    labelTeapot();
    drawMark();
    glPopMatrix();
}

/* ---- Overlay in window pixels ----------------------------------------- */

/* One unit a pixel, (0, 0) at the bottom-left corner of the window. */
void beginPixelOverlay(int width, int height)
{
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    reshapeWindowPixels(width, height);
    glTranslatef(0.0f, static_cast<float>(-height), 0.0f);
    glDisable(GL_DEPTH_TEST);
}

void endPixelOverlay()
{
    glEnable(GL_DEPTH_TEST);
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
}

void fillRect(const Color* color, int left, int bottom, int width, int height)
{
    glColor4fv(color);
    glRecti(left, bottom, left + width, bottom + height);
}

/* Translucent bands under the status line and the help. */
void drawBands(int width, int height)
{
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    fillRect(greyWithAlpha(1.0f, 0.08f), 0, height - statusBand(), width, statusBand());
    fillRect(colorSlateBlueWithAlpha(0.35f), 0, 0, width, helpBand());
    glDisable(GL_BLEND);
}

/* A vertical bar of a ramp's 256 colours, value 0 at the bottom. */
void drawRampBar(Color* const* ramp, int left, int bottom, int top)
{
    const float step = static_cast<float>(top - bottom) / (rampSize - 1);
    glBegin(GL_QUAD_STRIP);
    for (int i = 0; i < rampSize; ++i) {
        const float y = static_cast<float>(bottom) + step * static_cast<float>(i);
        glColor4fv(ramp[i]);
        glVertex2f(static_cast<float>(left), y);
        glVertex2f(static_cast<float>(left + barWidth), y);
    }
    glEnd();
    glColor4fv(colorGrey50());
    glBegin(GL_LINE_LOOP);
    glVertex2i(left - 1, bottom - 1);
    glVertex2i(left + barWidth + 1, bottom - 1);
    glVertex2i(left + barWidth + 1, top + 1);
    glVertex2i(left - 1, top + 1);
    glEnd();
}

/* The caption above the bar and the values at its ends, on the side of the
 * bar that faces the middle of the window. */
void labelRampBar(const char* caption, int left, int bottom, int top, bool labelsRight)
{
    // The caption starts over the bar's left edge or ends over its right
    // one, moved by its measured width, on one baseline on both sides.
    const int captionX =
        labelsRight ? left : left + barWidth - textWidth(overlayFont, "%s", caption);
    setTextAlignment(alignLeft);
    glColor4fv(colorGrey75());
    setTextAnchor(static_cast<float>(captionX), static_cast<float>(top) + scaled(8.0f), 0.0f);
    drawTextInFont(overlayFont, "%s", caption);
    // Right-aligned own-font text stands 6 pixels (times the scale) lower
    // than left-aligned text: the offsets put both sides on the same
    // baselines.
    const int labelX = labelsRight ? left + barWidth + 5 : left - 5;
    setTextAlignment(labelsRight ? alignLeft : alignRight);
    glColor4fv(colorGrey50());
    for (int value : {0, rampSize - 1}) {
        setTextAnchor(static_cast<float>(labelX), static_cast<float>(value == 0 ? bottom : top),
                      0.0f);
        setTextOffset(0.0f, scaled(labelsRight ? 4.0f : -2.0f), 0.0f);
        drawTextInFont(smallFont, "%d", value);
    }
}

void drawRampBars(int width, int height)
{
    const int bottom = helpBand() + barGap;
    const int top = height - statusBand() - barGap;
    const int rightBar = width - margin - barWidth;
    if (rainbowRamp != nullptr) {
        drawRampBar(rainbowRamp, margin, bottom, top);
        labelRampBar("rainbow", margin, bottom, top, true);
    }
    if (greyRamp != nullptr) {
        drawRampBar(greyRamp, rightBar, bottom, top);
        labelRampBar("grey", rightBar, bottom, top, false);
    }
}

/* Anchors the status line `line` (1 at the top) at the left margin, on its
 * baseline. */
void anchorStatusLine(int line, int height)
{
    setTextAnchor(static_cast<float>(margin),
                  static_cast<float>(height - line * overlayLineHeight()), 0.0f);
}

/* What the current projection reports through the getters. */
void drawProjectionStatus(int height)
{
    const Projection& projection = projections[projectionIndex];
    glColor4fv(colorMediumYellow());
    anchorStatusLine(1, height);
    if (projection.boxName == nullptr) {
        drawTextInFont(overlayFont, "%s   fovy %.1f   aspect %.3f", projection.name,
                       static_cast<double>(getPerspectiveFovy()),
                       static_cast<double>(getPerspectiveAspect()));
        return;
    }
    drawTextInFont(overlayFont, "%s %s  x %.2f .. %.2f  y %.2f .. %.2f  pixel %.4f",
                   projection.name, projection.boxName, static_cast<double>(getViewLeft()),
                   static_cast<double>(getViewRight()), static_cast<double>(getViewBottom()),
                   static_cast<double>(getViewTop()), static_cast<double>(getPixelSize()));
}

const char* onOff(int value)
{
    return value != 0 ? "on" : "off";
}

/* What the view reports through its getters. */
void drawViewStatus(int height)
{
    float mouse[3];
    float keys[3];
    float pan[2];
    getMouseAngles(&mouse[0], &mouse[1], &mouse[2]);
    getKeyAngles(&keys[0], &keys[1], &keys[2]);
    getPan(&pan[0], &pan[1]);
    glColor4fv(colorGrey75());
    anchorStatusLine(2, height);
    drawTextInFont(
        overlayFont, "mouse %.1f %.1f %.1f  keys %.0f %.0f %.0f  pan %.2f %.2f (x%g)  zoom %.3f",
        static_cast<double>(mouse[0]), static_cast<double>(mouse[1]), static_cast<double>(mouse[2]),
        static_cast<double>(keys[0]), static_cast<double>(keys[1]), static_cast<double>(keys[2]),
        static_cast<double>(pan[0]), static_cast<double>(pan[1]),
        static_cast<double>(getPanFactor()), static_cast<double>(getZoomScale()));
}

/* The auto-rotation's settings and the stroke title's style. */
void drawSpinAndStrokeStatus(int height)
{
    glColor4fv(colorGrey75());
    anchorStatusLine(3, height);
    drawTextInFont(
        overlayFont, "spin %s x%.2f (window %d)   title: bold %s  smooth %s  spacing %.0f",
        onOff(getAutoRotate()), static_cast<double>(getAutoRotateSpeed()), getAutoRotateWindow(),
        onOff(getStrokeBold()), onOff(getStrokeSmooth()), static_cast<double>(getStrokeSpacing()));
}

void drawHelp()
{
    glColor4fv(colorGrey75());
    setTextAlignment(alignLeft);
    for (int line = 0; line < helpLines; ++line) {
        setTextAnchor(static_cast<float>(margin),
                      static_cast<float>(helpBand() - (line + 1) * overlayLineHeight()), 0.0f);
        drawTextInFont(overlayFont, "%s", helpText[line]);
    }
}

void drawOverlay()
{
    const int width = glutGet(GLUT_WINDOW_WIDTH);
    const int height = glutGet(GLUT_WINDOW_HEIGHT);
    beginPixelOverlay(width, height);
    drawBands(width, height);
    drawRampBars(width, height);
    setTextAlignment(alignLeft);  // for the status lines
    drawProjectionStatus(height);
    drawViewStatus(height);
    drawSpinAndStrokeStatus(height);
    drawHelp();
    endPixelOverlay();
}

/* ---- Keys -------------------------------------------------------------- */

/* Registers the projection's reshape and applies it to the window as it is. */
void selectProjection(int index)
{
    projectionIndex = index;
    const Projection& projection = projections[index];
    setPanFactor(projection.panFactor);
    glutReshapeFunc(projection.reshape);
    projection.reshape(glutGet(GLUT_WINDOW_WIDTH), glutGet(GLUT_WINDOW_HEIGHT));
}

void lookAtTheLid()
{
    setMouseAngles(0.0f, 0.0f, 0.0f);
    setKeyAngles(topViewAngle, 0.0f, 0.0f);
}

void changeSpacing(float step)
{
    setStrokeSpacing(std::max(0.0f, getStrokeSpacing() + step));
}

/* The auto-rotation steps as the idle function only while it is on, so
 * that the program sleeps while nothing moves. */
void followAutoRotation()
{
    glutIdleFunc(getAutoRotate() != 0 ? autoRotateStep : nullptr);
}

/* The showcase's own keys; true when the key changed the picture. */
bool handleShowcaseKey(unsigned char key)
{
    switch (key) {
    case '1':
    case '2':
    case '3': selectProjection(key - '1'); return true;
    case 't': lookAtTheLid(); return true;
    case 'r': resetView(); return true;
    case 'a':
    case 'A':
        pourAngle = std::clamp(pourAngle + (key == 'a' ? pourStep : -pourStep), 0.0f, pourMax);
        return true;
    case 'b': setStrokeBold(!getStrokeBold()); return true;
    case 's': setStrokeSmooth(!getStrokeSmooth()); return true;
    case '+':
    case '-': changeSpacing(key == '+' ? spacingStep : -spacingStep); return true;
    case 'p': saveRequested = true; return true;
    default: return false;
    }
}

/* The view's rotation keys (and Escape) come first. */
void keyboardShowcase(unsigned char key, int x, int y)
{
    if (handleRotationKey(key, x, y) != 0 || handleShowcaseKey(key)) {
        followAutoRotation();
        glutPostWindowRedisplay(showcaseWindow);
    }
}

/* A plain left click marks a point; the drags with modifiers keep theirs. */
void mouseShowcase(int button, int state, int x, int y)
{
    if (button == GLUT_LEFT_BUTTON && state == GLUT_DOWN && glutGetModifiers() == 0) {
        click = {x, y, true};
        glutPostWindowRedisplay(showcaseWindow);
        return;
    }
    mouseButtonCallback(button, state, x, y);
}

/* ---- Saving the picture ------------------------------------------------ */

/* Saves the frame just drawn as the first vestrane-showcase-N.png that does
 * not exist yet in the current folder, and says where, or why not. */
void saveNextImage()
{
    std::array<char, 64> path{};
    for (int n = 1; n < 100000; ++n) {
        if (std::snprintf(path.data(), path.size(), "vestrane-showcase-%d.png", n) < 0 ||
            access(path.data(), F_OK) != 0)
            break;
    }
    if (saveWindowImage(path.data()) != 0)
        std::printf("saved %s\n", path.data());
    else  // a console that cannot be written to leaves nothing more to tell
        (void)std::fprintf(stderr, "vestrane-showcase: could not save %s: %s\n", path.data(),
                           std::strerror(errno));
    (void)std::fflush(stdout);  // the same
}

/* ---- Display and set-up ------------------------------------------------ */

void displayShowcase()
{
    const Color* background = backgroundColor != nullptr ? backgroundColor : colorBlack();
    glClearColor(background[0], background[1], background[2], 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    drawScene();
    drawOverlay();
    if (saveRequested) {  // the back buffer holds the frame: before the swap
        saveRequested = false;
        saveNextImage();
    }
    glutSwapBuffers();
}

/* Every projection sees -5..5 around the teapot, widened to the window's
 * shape; the orthographic one comes first. */
void setUpProjections()
{
    setOrthoBox(-sceneHalfSize, sceneHalfSize, -sceneHalfSize, sceneHalfSize, -sceneFar, sceneFar);
    const float nearHalfSize = sceneHalfSize * frustumNear / eyeDistance;
    setFrustumBox(-nearHalfSize, nearHalfSize, -nearHalfSize, nearHalfSize, frustumNear, sceneFar,
                  0.0f, 0.0f, -eyeDistance);
    setPerspectiveForWindow(perspectiveFovy, perspectiveRefAspect, frustumNear, sceneFar, 0.0f,
                            0.0f, -eyeDistance, showcaseWindow);
    selectProjection(0);
}

/* The title starts heavy, smooth and airy; b, s, + and - change that. */
void styleTitle()
{
    setStrokeBold(1);
    setStrokeSmooth(1);
    setStrokeSpacing(spacingStep);
}

void registerInput()
{
    glutKeyboardFunc(keyboardShowcase);
    glutSpecialFunc(specialKeyCallback);
    glutMouseFunc(mouseShowcase);
    glutMotionFunc(mouseMotionCallback);
    setAutoRotateWindow(showcaseWindow);
    followAutoRotation();
}

}  // namespace

/* ---- Program entry ----------------------------------------------------- */

int main(int argc, char** argv)
{
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_RGBA | GLUT_DOUBLE | GLUT_DEPTH);
    glutInitWindowSize(windowWidth, windowHeight);
    glutInitWindowPosition(windowX, windowY);
    showcaseWindow = glutCreateWindow("Vestrane showcase");
    // Text as large as the screen wants it, and the window as large on the
    // screen as it is at scale 1.
    setTextScale(0);
    if (getTextScale() > 1)
        glutReshapeWindow(windowWidth * getTextScale(), windowHeight * getTextScale());
    loadFonts();
    makeColors();
    initLighting();
    setUpProjections();
    styleTitle();
    registerInput();
    glutDisplayFunc(displayShowcase);
    glutMainLoop();
    return 0;
}
