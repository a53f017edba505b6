/*
 * harness_main.cpp - main() of every test program that needs X
 *
 * Starts the private X server (whatever DISPLAY says), runs the tests, then
 * ends GLFW and GLUT (each only if a test used it) and stops the server
 * again.
 */
#include "tests/harness/gl_context.h"
#include "tests/harness/glut_window.h"

#include "tests/harness/x_server.h"

#include <gtest/gtest.h>

namespace {

class XServerEnvironment : public ::testing::Environment {
  public:
    void SetUp() override
    {
        ASSERT_TRUE(ensureXServer()) << "no X server: is Xvfb installed?";
    }

    void TearDown() override
    {
        shutDownGlfw();
        shutDownGlut();
        stopPrivateXServer();
    }
};

}  // namespace

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    ::testing::AddGlobalTestEnvironment(new XServerEnvironment);
    return RUN_ALL_TESTS();
}
