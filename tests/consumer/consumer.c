/*
 * consumer.c - a program of someone else's, built against the library as
 * it is installed: opens a window and draws in it, one band below another,
 * a text in boldFont at the screen's text scale (which reads the X display:
 * linking the library statically needs Xlib), a line of UTF-8 text in
 * DejaVu Sans loaded from its file, the same line in the font fontconfig
 * picks for "sans-serif" (linking statically needs FreeType, HarfBuzz and
 * fontconfig), and a stroke text; reads the pixels back, saves the picture
 * as the PNG file its argument names, and exits 0 when every band has lit
 * pixels, the loaded font measures, and the picture was saved (and the
 * header's version is the one the build expected). C99, and also compiled
 * as C++.
 */
#include <support/color/color.h>
#include <support/image/image.h>
#include <support/projection/projection.h>
#include <support/text/text.h>
#include <support/version.h>
#include <support/view/view.h>

#include <GL/freeglut.h>
#include <errno.h>
#include <stdio.h>
#include <string.h>

/* Four bands of 60 rows, 60 pixels a unit of the orthographic box. */
enum { windowWidth = 240, windowHeight = 240, bandHeight = 60 };

static const char* const fontFile = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
/* "Grüße, Ωμέγα" */
static const char* const greeting = "Gr\xc3\xbc\xc3\x9f"
                                    "e, \xce\xa9\xce\xbc\xce\xad\xce\xb3\xce\xb1";

static int result = 1;
static const char* imagePath = NULL;
static int fileFont = 0;
static int patternFont = 0;

/* Pixels of the back buffer's rows [from, to) brighter than mid-grey. */
static int litPixels(int from, int to)
{
    static unsigned char red[windowWidth * windowHeight];
    int count = 0;
    int i;
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, from, windowWidth, to - from, GL_RED, GL_UNSIGNED_BYTE, red);
    for (i = 0; i < windowWidth * (to - from); ++i) {
        count += red[i] > 128;
    }
    return count;
}

static void display(void)
{
    int bitmap;
    int fromFile;
    int fromPattern;
    int stroke;
    int width;
    int lineHeight;
    int drew;
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glPushMatrix();
    applyMouseTransform();
    applyKeyRotation();
    glColor4fv(colorWhite());
    setTextScale(0);
    setTextAnchor(-1.8f, 1.4f, 0.0f); /* top band */
    drawText(0, boldFont, "Vestrane %s", VESTRANE_VERSION_STRING);
    setTextAnchor(-1.8f, 0.3f, 0.0f); /* second band */
    drawText(0, fileFont, "%s", greeting);
    setTextAnchor(-1.8f, -0.7f, 0.0f); /* third band */
    drawTextInFont(patternFont, "%s", greeting);
    drawStrokeText(-1.8f, -1.8f, 1.0f, "%s", "Stroke"); /* bottom band */
    glPopMatrix();
    bitmap = litPixels(3 * bandHeight, 4 * bandHeight);
    fromFile = litPixels(2 * bandHeight, 3 * bandHeight);
    fromPattern = litPixels(bandHeight, 2 * bandHeight);
    stroke = litPixels(0, bandHeight);
    width = textWidth(fileFont, "%s", greeting);
    lineHeight = fontLineHeight(fileFont);
    printf("Vestrane %s: %d lit pixels of boldFont text at scale %d, %d of DejaVu Sans text "
           "(%d wide, lines %d apart), %d of sans-serif text, %d of stroke text\n",
           VESTRANE_VERSION_STRING, bitmap, getTextScale(), fromFile, width, lineHeight,
           fromPattern, stroke);
    drew = bitmap > 0 && fromFile > 0 && fromPattern > 0 && stroke > 0;
    result = drew && width > 0 && lineHeight > 0 ? 0 : 1;
    if (imagePath == NULL || !saveWindowImage(imagePath)) {
        printf("could not save the picture as %s\n", imagePath ? imagePath : "(no path given)");
        result = 1;
    }
#ifdef VESTRANE_EXPECTED_VERSION
    if (strcmp(VESTRANE_VERSION_STRING, VESTRANE_EXPECTED_VERSION) != 0) {
        printf("expected version %s\n", VESTRANE_EXPECTED_VERSION);
        result = 1;
    }
#endif
    glutLeaveMainLoop();
}

int main(int argc, char** argv)
{
    glutInit(&argc, argv);
    imagePath = argc > 1 ? argv[1] : NULL;
    fileFont = loadFont(fontFile, 16.0f);
    if (fileFont == 0) {
        printf("could not load %s: %s\n", fontFile, strerror(errno));
        return 1;
    }
    patternFont = loadFont("sans-serif", 16.0f);
    if (patternFont == 0) {
        printf("could not load sans-serif: %s\n", strerror(errno));
        return 1;
    }
    glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
    glutInitWindowSize(windowWidth, windowHeight);
    glutSetOption(GLUT_ACTION_ON_WINDOW_CLOSE, GLUT_ACTION_GLUTMAINLOOP_RETURNS);
    glutCreateWindow("consumer");
    setOrthoBox(-2.0f, 2.0f, -2.0f, 2.0f, -1.0f, 1.0f);
    glutReshapeFunc(reshapeOrtho);
    glutDisplayFunc(display);
    glutKeyboardFunc(rotationKeyCallback);
    glutMouseFunc(mouseButtonCallback);
    glutMotionFunc(mouseMotionCallback);
    glutMainLoop(); /* returns with GLUT ended, window closed */
    freeFont(patternFont);
    freeFont(fileFont);
    return result;
}
