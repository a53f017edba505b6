/*
 * labels - text in TrueType fonts pinned to points of a scene: a map seen in
 * perspective, each city's name centred above its dot and its temperature
 * right-aligned beside it, placed by their exact widths. Three fonts from
 * fontconfig patterns, three sizes, UTF-8 text in Latin with accents, Greek,
 * Cyrillic and Arabic (shaped, right to left, and mixed with Latin and
 * digits in display order), a label of two lines, rasterised at the
 * screen's text scale: crisp on a HiDPI screen, where the window grows by
 * that scale.
 * Every label has a dark halo, so that it reads over the bright band
 * across the map too.
 *
 * Key m (or the argument --many) adds 1,000 labels drawn in one batch, and
 * shows how long a frame takes.
 *
 * Keys: m 1,000 labels on or off, Escape or q quit.
 */
#include <support/color/color.h>
#include <support/projection/projection.h>
#include <support/text/text.h>

#include <GL/freeglut.h>
#include <stdio.h>
#include <string.h>

struct City {
    const char* name; /* UTF-8 */
    float longitude, latitude;
    int celsius;
};

/* One name of two lines; one mixing Arabic with Latin and digits, read
 * right to left as its first letter says: the Latin part stays in order. */
static const struct City cities[] = {
    {"Zürich\n408 m", 8.5f, 47.4f, 19}, {"Kraków", 19.9f, 50.1f, 17},
    {"Αθήνα", 23.7f, 38.0f, 29},        {"Москва", 37.6f, 55.8f, 14},
    {"Київ", 30.5f, 50.5f, 18},         {"القاهرة · Cairo 23 m", 31.2f, 30.0f, 34},
    {"București", 26.1f, 44.4f, 24},
};
enum { cityCount = sizeof cities / sizeof cities[0] };

static int titleFont, nameFont, valueFont; /* loaded in main */
static int manyLabels;                     /* key m: 1,000 more labels */
static double frameMilliseconds;           /* a frame's, with them, averaged */

/* The map, in degrees: x the longitude 0..45 east, y the latitude 25..60
 * north, a grid line every 5; a dot on each city. */
static void drawMap(void)
{
    glColor4fv(colorGrey25());
    glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
    for (int longitude = 0; longitude < 45; longitude += 5)
        for (int latitude = 25; latitude < 60; latitude += 5)
            glRecti(longitude, latitude, longitude + 5, latitude + 5);
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    glColor3f(0.95f, 0.85f, 0.55f); /* a bright band, under the labels */
    glRectf(0.0f, 40.0f, 45.0f, 46.0f);
    glPointSize(7.0f * (float)getTextScale());
    glColor4fv(colorPink());
    glBegin(GL_POINTS);
    for (int i = 0; i < cityCount; ++i)
        glVertex2f(cities[i].longitude, cities[i].latitude);
    glEnd();
}

/* 1,000 labels over the map, in one batch: names with their number, every
 * fifth of two lines. */
static void drawManyLabels(void)
{
    beginTextBatch();
    setTextAlignment(alignCentred);
    for (int i = 0; i < 1000; ++i) {
        const struct City* city = &cities[i % cityCount];
        const char* name = city->name;
        const char* end = strchr(name, '\n');
        const int length = end != NULL ? (int)(end - name) : (int)strlen(name);
        setTextAnchor((float)((i * 37) % 450) / 10.0f, 25.0f + (float)((i * 53) % 350) / 10.0f,
                      0.0f);
        glColor4fv(i % 3 == 0 ? colorMediumYellow() : colorWhite());
        if (i % 5 == 0)
            drawTextInFont(valueFont, "%.*s\n%d", length, name, i);
        else
            drawTextInFont(valueFont, "%.*s %d", length, name, i);
    }
    endTextBatch();
}

static void display(void)
{
    const float scale = (float)getTextScale();    /* own offsets, in pixels, grow with it */
    const int start = glutGet(GLUT_ELAPSED_TIME); /* milliseconds */
    glClearColor(0.08f, 0.10f, 0.15f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    glPushMatrix();
    glRotatef(-40.0f, 1.0f, 0.0f, 0.0f); /* the map tilted, north away from the eye, */
    glScalef(0.1f, 0.1f, 1.0f);          /* ten degrees a unit, */
    glTranslatef(-22.5f, -42.5f, 0.0f);  /* its middle at the origin */
    drawMap();
    setTextHalo(2.0f, colorBlack()); /* every label over a dark halo */
    if (manyLabels)
        drawManyLabels();
    for (int i = 0; i < cityCount; ++i) {
        setTextAnchor(cities[i].longitude, cities[i].latitude, 0.0f);
        glColor4fv(colorWhite()); /* the name centred 14 pixels above the dot */
        setTextAlignment(alignCentred);
        setTextOffset(0.0f,
                      -14.0f * scale - (float)(textHeight(nameFont, "%s", cities[i].name) -
                                               fontLineHeight(nameFont)),
                      0.0f);
        drawTextInFont(nameFont, "%s", cities[i].name);
        glColor4fv(colorMediumYellow()); /* the temperature ending 8 pixels left of it */
        setTextAlignment(alignRight);
        setTextOffset(-8.0f * scale, 0.0f, 0.0f);
        drawTextInFont(valueFont, "%d °C", cities[i].celsius);
    }
    /* The title centred over the map's far edge, underlined across its width. */
    setTextAnchor(22.5f, 60.0f, 0.0f);
    glColor4fv(colorLightBlue());
    setTextAlignment(alignCentred);
    setTextOffset(0.0f, -30.0f * scale, 0.0f);
    drawTextInFont(titleFont, "Températures à midi");
    const int half = textWidth(titleFont, "Températures à midi") / 2;
    drawWindowLine(-half, (int)(-15.0f * scale), half, (int)(-15.0f * scale));
    glPopMatrix();
    if (manyLabels) { /* the frame time, in the bottom-left corner */
        glFinish();
        frameMilliseconds = 0.9 * frameMilliseconds + 0.1 * (glutGet(GLUT_ELAPSED_TIME) - start);
        const float width = (float)glutGet(GLUT_WINDOW_WIDTH);
        const float height = (float)glutGet(GLUT_WINDOW_HEIGHT);
        const float pixels[16] = {2.0f / width, 0,  0, 0, 0, 2.0f / height, 0, 0, 0, 0, 1, 0,
                                  -1,           -1, 0, 1}; /* window pixels to clip */
        setTextMatrix(pixels);
        setTextAnchor(8.0f * scale, 8.0f * scale, 0.0f);
        setTextMatrix(NULL);
        setTextAlignment(alignLeft);
        glColor4fv(colorWhite());
        drawTextInFont(valueFont, "1,000 labels in one batch: %.1f ms a frame", frameMilliseconds);
        glutPostRedisplay(); /* keep measuring */
    }
    setTextHalo(0.0f, NULL);
    glutSwapBuffers();
}

static void keyboard(unsigned char key, int x, int y)
{
    (void)x;
    (void)y;
    if (key == 27 || key == 'q') /* 27 is Escape */
        glutLeaveMainLoop();     /* glutMainLoop returns, and GLUT ends cleanly */
    if (key == 'm') {
        manyLabels = !manyLabels;
        glutPostRedisplay();
    }
}

int main(int argc, char** argv)
{
    glutInit(&argc, argv);
    manyLabels = argc > 1 && strcmp(argv[1], "--many") == 0;
    glutSetOption(GLUT_ACTION_ON_WINDOW_CLOSE, GLUT_ACTION_GLUTMAINLOOP_RETURNS);
    glutInitDisplayMode(GLUT_RGBA | GLUT_DOUBLE);
    glutInitWindowSize(480, 360);
    glutInitWindowPosition(50, 50);
    glutCreateWindow("Vestrane labels");
    setTextScale(0); /* the screen's scale; the window as large on it as at scale 1 */
    glutReshapeWindow(480 * getTextScale(), 360 * getTextScale());
    titleFont = loadFont("serif:bold", 20.0f); /* pixel sizes at scale 1 */
    nameFont = loadFont("sans-serif", 15.0f);
    valueFont = loadFont("monospace", 12.0f);
    if (titleFont == 0 || nameFont == 0 || valueFont == 0) {
        perror("labels: no font");
        return 1;
    }
    setPerspective(40.0f, 480.0f / 360.0f, 1.0f, 20.0f, 0.0f, 0.0f, -6.3f);
    glutReshapeFunc(reshapePerspective);
    glutDisplayFunc(display);
    glutKeyboardFunc(keyboard);
    glutMainLoop();
    freeFont(titleFont);
    freeFont(nameFont);
    freeFont(valueFont);
    return 0;
}
