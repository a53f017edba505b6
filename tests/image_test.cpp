/*
 * image_test.cpp - saveWindowImage: the PNG holds what glReadPixels reads,
 * top row first, with GL state put back; every failure returns 0 with errno
 * set, leaves an existing file byte for byte and no hidden file behind.
 */
#define GL_GLEXT_PROTOTYPES /* glBindBuffer, for a bound pack buffer */
#include "support/image/image.h"
#include "tests/harness/glut_window.h"
#include "tests/harness/pixels.h"

#include <GL/glut.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <set>

namespace fs = std::filesystem;

namespace {

constexpr int width = 161, height = 120; /* rows of 483 bytes: no alignment fits */

std::string bytesOf(const fs::path& path)
{
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

std::set<std::string> namesIn(const fs::path& folder)
{
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) {
        names.insert(entry.path().filename().string());
    }
    return names;
}

/* errno of a failed save; -1 for one that succeeded. errno starts stale:
 * a success must not read it, a failure must set its own. */
int failure(const fs::path& path)
{
    errno = EIO;
    return saveWindowImage(path.c_str()) ? -1 : errno;
}

/* A scratch folder and a window of noise (which compresses badly). */
class SaveWindowImage : public ::testing::Test {
  protected:
    void SetUp() override
    {
        char name[] = "/tmp/vestrane-image-XXXXXX";
        ASSERT_NE(mkdtemp(name), nullptr);
        folder = name;
        window = openTestWindow("image", width, height);
        std::vector<unsigned char> noise(width * height * 3);
        std::generate(noise.begin(), noise.end(), std::mt19937(7));
        glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
        glRasterPos2f(-1.0f, -1.0f);
        glDrawPixels(width, height, GL_RGB, GL_UNSIGNED_BYTE, noise.data());
    }
    void TearDown() override
    {
        closeTestWindow(window);
        fs::remove_all(folder);
    }
    fs::path folder;
    int window = 0;
};

}  // namespace

TEST(SaveWindowImageAlone, FailsWithoutACurrentWindowAndSavesOneOfOnePixel)
{
    const fs::path path = "/tmp/vestrane-image-alone.png";
    EXPECT_EQ(failure(path), EINVAL); /* before glutInit */
    const int window = openTestWindow("one pixel", 1, 1);
    ASSERT_EQ(failure(path), -1);
    EXPECT_TRUE(readPngFile(path) == readGlPixels(1, 1, GL_BACK));
    fs::remove(path);
    closeTestWindow(window);
    EXPECT_EQ(failure(path), EINVAL);
    EXPECT_FALSE(fs::exists(path));
}

TEST_F(SaveWindowImage, HoldsTheBackBufferTopRowFirstAndPutsGlStateBack)
{
    constexpr GLenum pack[] = {GL_PACK_ALIGNMENT, GL_PACK_ROW_LENGTH, GL_PACK_SKIP_ROWS,
                               GL_PACK_SKIP_PIXELS, GL_PACK_SWAP_BYTES};
    constexpr GLint odd[] = {8, 300, 2, 3, GL_TRUE};
    for (int i = 0; i < 5; ++i) {
        glPixelStorei(pack[i], odd[i]);
    }
    glReadBuffer(GL_FRONT);
    const mode_t mask = umask(027);
    ASSERT_EQ(failure(folder / "a.png"), -1);
    umask(mask);
    for (int i = 0; i < 5; ++i) {
        GLint value = -1;
        glGetIntegerv(pack[i], &value);
        EXPECT_EQ(value, odd[i]) << "pack setting " << i;
    }
    GLint readBuffer = 0;
    glGetIntegerv(GL_READ_BUFFER, &readBuffer);
    EXPECT_EQ(readBuffer, GL_FRONT);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    EXPECT_TRUE(readPngFile(folder / "a.png") == readGlPixels(width, height, GL_BACK));
    EXPECT_EQ(fs::status(folder / "a.png").permissions(), fs::perms(0640));
    /* Saving through a link replaces the file, which keeps its mode. */
    fs::permissions(folder / "a.png", fs::perms(0600));
    fs::create_symlink("a.png", folder / "link.png");
    ASSERT_EQ(failure(folder / "link.png"), -1);
    EXPECT_TRUE(fs::is_symlink(folder / "link.png"));
    EXPECT_EQ(fs::status(folder / "a.png").permissions(), fs::perms(0600));
    EXPECT_EQ(namesIn(folder), (std::set<std::string>{"a.png", "link.png"}));
}

TEST_F(SaveWindowImage, FailuresLeaveTheOldFileAndNothingNew)
{
    const fs::path old = folder / "old.png";
    ASSERT_EQ(failure(old), -1);
    const std::string oldBytes = bytesOf(old);
    EXPECT_EQ(saveWindowImage(nullptr) == 0 ? errno : -1, EINVAL);
    EXPECT_EQ(failure(""), ENOENT);
    EXPECT_EQ(failure(folder), EISDIR);
    EXPECT_EQ(failure(folder / "missing/x.png"), ENOENT);
    EXPECT_EQ(failure(old.string() + "/"), ENOTDIR);
    EXPECT_EQ(failure("/dev/null"), EINVAL);
    GLuint buffer = 0; /* glReadPixels would fill it instead of the picture */
    glGenBuffers(1, &buffer);
    glBindBuffer(GL_PIXEL_PACK_BUFFER, buffer);
    EXPECT_EQ(failure(old), ENOTSUP);
    glBindBuffer(GL_PIXEL_PACK_BUFFER, 0);
    glDeleteBuffers(1, &buffer);
    /* The size limit cut inside libpng's writing, then at the last flush. */
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    const auto previous = std::signal(SIGXFSZ, SIG_IGN);
    for (rlim_t limit : {rlim_t{100}, static_cast<rlim_t>(oldBytes.size() - 1)}) {
        rlimit cut = saved;
        cut.rlim_cur = limit;
        setrlimit(RLIMIT_FSIZE, &cut);
        const int error = failure(old);
        setrlimit(RLIMIT_FSIZE, &saved);
        EXPECT_EQ(error, EFBIG) << "limit " << limit;
    }
    std::signal(SIGXFSZ, previous);
    EXPECT_EQ(bytesOf(old), oldBytes);
    EXPECT_EQ(namesIn(folder), std::set<std::string>{"old.png"});
}
