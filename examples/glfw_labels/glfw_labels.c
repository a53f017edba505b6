/*
 * glfw_labels - text outside GLUT: a GLFW window with an OpenGL 3.3 core,
 * forward-compatible context where a colour cube turns, drawn by a shader
 * and matrices of its own; with --es, the same in an OpenGL ES 3.0 context
 * made through EGL. Labels in a loaded sans-serif font stay pinned to the
 * cube's corners through setTextMatrix (the cube's projection x view x
 * model), those of hidden corners faint (setTextColor); a status line in an
 * own font sits in the bottom-left corner, anchored in clip coordinates. The
 * text scale is the window's content scale (Xft.dpi on X), rounded, and the
 * window grows by it. No glutInit anywhere.
 *
 * Depends on: GLFW 3.3, libepoxy (the GL entry points), the library.
 * Keys: Escape or q quit.
 */
#include <epoxy/gl.h>
#define GLFW_INCLUDE_NONE
#include <GLFW/glfw3.h>

#include <support/text/text.h>

#include <math.h>
#include <stdio.h>
#include <string.h>

static const float corners[8][3] = {{-1, -1, -1}, {1, -1, -1}, {-1, 1, -1}, {1, 1, -1},
                                    {-1, -1, 1},  {1, -1, 1},  {-1, 1, 1},  {1, 1, 1}};
static const GLubyte faces[36] = {0, 2, 1, 1, 2, 3, 4, 5, 6, 5, 7, 6, 0, 1, 4, 1, 5, 4,
                                  2, 6, 3, 3, 6, 7, 0, 4, 2, 2, 4, 6, 1, 3, 5, 3, 7, 5};
static const char* const vertexShader =
    "layout(location = 0) in vec3 corner;\nuniform mat4 mvp;\nout vec3 colour;\n"
    "void main() {\n"
    "    colour = 0.2 + 0.3 * (corner + 1.0); /* each corner its own colour */\n"
    "    gl_Position = mvp * vec4(corner, 1.0);\n}\n";
static const char* const fragmentShader =
    "in vec3 colour;\nout vec4 fragment;\nvoid main() { fragment = vec4(colour, 1.0); }\n";

static GLuint compile(GLenum kind, const char* header, const char* body)
{
    const char* const source[2] = {header, body};
    const GLuint shader = glCreateShader(kind);
    glShaderSource(shader, 2, source, NULL);
    glCompileShader(shader);
    return shader;
}

static void key(GLFWwindow* window, int code, int scancode, int action, int mods)
{
    (void)scancode;
    (void)mods;
    if (action == GLFW_PRESS && (code == GLFW_KEY_ESCAPE || code == GLFW_KEY_Q))
        glfwSetWindowShouldClose(window, GLFW_TRUE);
}

/* A window of 480 x 360 with a 3.3 core-profile, forward-compatible context, or
 * with an OpenGL ES 3.0 context made through EGL; its context current. */
static GLFWwindow* openWindow(int es)
{
    glfwWindowHint(GLFW_CLIENT_API, es ? GLFW_OPENGL_ES_API : GLFW_OPENGL_API);
    glfwWindowHint(GLFW_CONTEXT_CREATION_API, es ? GLFW_EGL_CONTEXT_API : GLFW_NATIVE_CONTEXT_API);
    glfwWindowHint(GLFW_CONTEXT_VERSION_MAJOR, 3);
    glfwWindowHint(GLFW_CONTEXT_VERSION_MINOR, es ? 0 : 3);
    glfwWindowHint(GLFW_OPENGL_PROFILE, GLFW_OPENGL_CORE_PROFILE); /* both ignored for ES */
    glfwWindowHint(GLFW_OPENGL_FORWARD_COMPAT, GLFW_TRUE);
    GLFWwindow* window = glfwCreateWindow(480, 360, "Vestrane GLFW labels", NULL, NULL);
    if (window != NULL) {
        glfwMakeContextCurrent(window);
        glfwSetKeyCallback(window, key);
    }
    return window;
}

/* The cube's program; its vertex array bound, its corners attribute 0. */
static GLuint makeCube(int es)
{
    const char* header = es ? "#version 300 es\nprecision mediump float;\n" : "#version 330 core\n";
    const GLuint program = glCreateProgram();
    glAttachShader(program, compile(GL_VERTEX_SHADER, header, vertexShader));
    glAttachShader(program, compile(GL_FRAGMENT_SHADER, header, fragmentShader));
    glLinkProgram(program);
    GLint linked;
    glGetProgramiv(program, GL_LINK_STATUS, &linked);
    if (!linked)
        (void)fputs("glfw_labels: the cube's shaders do not build\n", stderr);
    GLuint vertexArray;
    GLuint buffers[2];
    glGenVertexArrays(1, &vertexArray);
    glBindVertexArray(vertexArray);
    glGenBuffers(2, buffers);
    glBindBuffer(GL_ARRAY_BUFFER, buffers[0]);
    glBufferData(GL_ARRAY_BUFFER, sizeof corners, corners, GL_STATIC_DRAW);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, buffers[1]);
    glBufferData(GL_ELEMENT_ARRAY_BUFFER, sizeof faces, faces, GL_STATIC_DRAW);
    glVertexAttribPointer(0, 3, GL_FLOAT, GL_FALSE, 0, NULL);
    glEnableVertexAttribArray(0);
    return program;
}

/* Each corner's label centred above or below it; a corner hidden behind the cube
 * faint, seen through it: none of its three faces turned to the eye, the z of each
 * face's normal in eye coordinates at most 1/7, the eye being 7 units away. */
static void drawLabels(int font, const float mvp[16], const float eye[3][4])
{
    const Color white[4] = {1.0f, 1.0f, 1.0f, 1.0f};
    const Color faint[4] = {0.6f, 0.7f, 1.0f, 0.5f};
    setTextMatrix(mvp);
    setTextAlignment(alignCentred);
    for (int i = 0; i < 8; ++i) {
        const float* c = corners[i];
        const float y = mvp[1] * c[0] + mvp[5] * c[1] + mvp[9] * c[2] + mvp[13];
        const int seen = c[0] * eye[2][0] > 1.0f / 7.0f || c[1] * eye[2][1] > 1.0f / 7.0f ||
                         c[2] * eye[2][2] > 1.0f / 7.0f;
        setTextColor(seen ? white : faint);
        setTextAnchor(c[0], c[1], c[2]);
        setTextOffset(0.0f, (y > 0.0f ? -0.9f : 0.9f) * (float)fontLineHeight(font), 0.0f);
        drawTextInFont(font, "(%s1, %s1, %s1)", c[0] < 0 ? "−" : "", c[1] < 0 ? "−" : "",
                       c[2] < 0 ? "−" : "");
    }
}

int main(int argc, char** argv)
{
    const int es = argc > 1 && strcmp(argv[1], "--es") == 0;
    const int label = loadFont("sans-serif", 15.0f); /* needs no context */
    if (label == 0) {
        perror("glfw_labels: no font");
        return 1;
    }
    GLFWwindow* window = glfwInit() ? openWindow(es) : NULL;
    if (window == NULL) {
        glfwTerminate();
        return 1;
    }
    float content; /* the text scale: the window's content scale, rounded, 1 to 8 */
    glfwGetWindowContentScale(window, &content, NULL);
    const int scale = content > 8.0f ? 8 : content < 1.5f ? 1 : (int)lroundf(content);
    setTextScale(scale);
    glfwSetWindowSize(window, 480 * scale, 360 * scale);
    const GLuint program = makeCube(es);
    const char* version = (const char*)glGetString(GL_VERSION);

    while (!glfwWindowShouldClose(window)) {
        int width;
        int height;
        glfwGetFramebufferSize(window, &width, &height);
        glViewport(0, 0, width, height);
        glClearColor(0.08f, 0.10f, 0.15f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        /* The cube tilted 0.45 radians about x, turned about y, 7 units before the eye;
         * projected 35 degrees high, from 1 to 20 units away. Column-major. */
        const float t = 0.6f * (float)glfwGetTime();
        const float ca = cosf(0.45f);
        const float sa = sinf(0.45f);
        const float eye[3][4] = {{cosf(t), 0.0f, sinf(t), 0.0f},
                                 {sa * sinf(t), ca, -sa * cosf(t), 0.0f},
                                 {-ca * sinf(t), sa, ca * cosf(t), -7.0f}};
        const float f = 1.0f / tanf(0.3054f);
        const float n = 1.0f;
        const float d = 20.0f;
        float mvp[16];
        for (size_t column = 0; column < 4; ++column) {
            mvp[column * 4] = f * (float)height / (float)width * eye[0][column];
            mvp[column * 4 + 1] = f * eye[1][column];
            mvp[column * 4 + 2] = (d + n) / (n - d) * eye[2][column];
            mvp[column * 4 + 3] = -eye[2][column];
        }
        mvp[14] += 2.0f * d * n / (n - d);
        glEnable(GL_DEPTH_TEST);
        glUseProgram(program);
        glUniformMatrix4fv(glGetUniformLocation(program, "mvp"), 1, GL_FALSE, mvp);
        glDrawElements(GL_TRIANGLES, 36, GL_UNSIGNED_BYTE, NULL); /* its vertex array kept */
        drawLabels(label, mvp, eye);

        /* The status line 8 pixels in from the bottom-left corner: with the matrix
         * NULL, the identity in a core or ES context, the anchor is in clip coordinates. */
        const Color yellow[4] = {1.0f, 1.0f, 0.0f, 1.0f};
        setTextMatrix(NULL);
        setTextColor(yellow);
        setTextAlignment(alignLeft);
        const float inset = 16.0f * (float)scale; /* 8 pixels: clip x and y span 2 */
        setTextAnchor(-1.0f + inset / (float)width, -1.0f + inset / (float)height, 0.0f);
        drawTextInFont(boldFont, "%s, text scale %d", version, scale);
        glfwSwapBuffers(window);
        glfwWaitEventsTimeout(1.0 / 60.0); /* about 60 frames a second, idle in between */
    }
    releaseTextContext(); /* the text resources, while their context is current */
    freeFont(label);
    glfwDestroyWindow(window);
    glfwTerminate();
    return 0;
}
