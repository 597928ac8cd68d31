#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <ostream>
#include <string>
#include <vector>

#include <opencv2/imgcodecs.hpp>

#include "pipeline/util/AppGlobal.h"
#include "pipeline/util/KxOGL.h"
#include "render/JdTexture.h"
#include "test_support.h"

using JdImage::JdTexture;
using namespace orvane_test;

namespace {

using RGB = std::array<int, 3>;

/// Every table case has a name: gtest shows it for the case and uses it in the test's name.
template <class Case>
auto operator<<(std::ostream& out, const Case& c) -> decltype(out << c.name)
{
    return out << c.name;
}

struct Case_Name {
    template <class Case>
    std::string operator()(const ::testing::TestParamInfo<Case>& info) const
    {
        return info.param.name;
    }
};

/// Keeps the user messages shown while it is installed.
class KxCMessageLog : public KxCMessageSink {
public:
    void Show_Message(const std::string& text) override { messages.push_back(text); }
    std::vector<std::string> messages;
};

/// A current context, a folder for pictures and the user messages of the test.
class TextureTest : public GLTest {
protected:
    void SetUp() override
    {
        GLTest::SetUp();
        AppGlobal::g_Message = &log;
    }
    void TearDown() override { AppGlobal::g_Message = nullptr; }

    /// Writes the picture (BGR(A), top row first) into the folder; returns its path.
    std::string Write(const std::string& name, const cv::Mat& picture)
    {
        const std::string path = (dir / name).string();
        EXPECT_TRUE(cv::imwrite(path, picture)) << path;
        return path;
    }

    TempDir dir;
    KxCMessageLog log;
};

int Parameter(unsigned int name, GLenum which)
{
    GLint v = 0;
    glBindTexture(GL_TEXTURE_2D, name);
    glGetTexParameteriv(GL_TEXTURE_2D, which, &v);
    glBindTexture(GL_TEXTURE_2D, 0);
    return v;
}

int Level_Parameter(unsigned int name, int level, GLenum which)
{
    GLint v = 0;
    glBindTexture(GL_TEXTURE_2D, name);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, level, which, &v);
    glBindTexture(GL_TEXTURE_2D, 0);
    return v;
}

/// Level 0 of the texture as RGBA bytes, row 0 at t = 0.
std::vector<unsigned char> Texels(unsigned int name)
{
    const int w = Level_Parameter(name, 0, GL_TEXTURE_WIDTH), h = Level_Parameter(name, 0, GL_TEXTURE_HEIGHT);
    std::vector<unsigned char> out(static_cast<std::size_t>(w) * h * 4);
    glBindTexture(GL_TEXTURE_2D, name);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, out.data());
    glBindTexture(GL_TEXTURE_2D, 0);
    return out;
}

std::array<int, 4> Texel(const std::vector<unsigned char>& texels, int w, int s, int t)
{
    const std::size_t i = (static_cast<std::size_t>(t) * w + s) * 4;
    return {texels[i], texels[i + 1], texels[i + 2], texels[i + 3]};
}

TEST_F(TextureTest, RgbaPictureUploadsUnscaledWithItsTopRowAtTheTopInRgbOrder)
{
    cv::Mat picture(64, 64, CV_8UC4, cv::Scalar(255, 255, 255, 255));
    picture.at<cv::Vec4b>(0, 0) = {0, 0, 255, 255};        // top-left: red (BGRA)
    picture.at<cv::Vec4b>(63, 63) = {200, 100, 0, 77};     // bottom-right: sky blue, translucent
    picture.at<cv::Vec4b>(10, 20) = {0, 255, 0, 128};      // green, 10 rows below the top
    JdTexture texture(Write("marks.png", picture));
    ASSERT_TRUE(texture.has_Bitmap());
    EXPECT_EQ(texture.Texture_Name(), 0u);
    const unsigned int name = texture.JdGenTextures();
    ASSERT_NE(name, 0u);
    EXPECT_EQ(texture.Texture_Name(), name);
    EXPECT_TRUE(texture.is_Alpha());
    const std::vector<unsigned char> t = Texels(name);
    ASSERT_EQ(t.size(), 64u * 64u * 4u);
    EXPECT_EQ(Texel(t, 64, 0, 63), (std::array<int, 4>{255, 0, 0, 255}));
    EXPECT_EQ(Texel(t, 64, 63, 0), (std::array<int, 4>{0, 100, 200, 77}));
    EXPECT_EQ(Texel(t, 64, 20, 53), (std::array<int, 4>{0, 255, 0, 128}));
    int white = 0;
    for (std::size_t i = 0; i < t.size(); i += 4) white += t[i] == 255 && t[i + 1] == 255 && t[i + 2] == 255 && t[i + 3] == 255;
    EXPECT_EQ(white, 64 * 64 - 3);
    EXPECT_TRUE(log.messages.empty());
}

TEST_F(TextureTest, CommittedSplatPictureIsASoftEdgedBlackDiscOnTransparentWhite)
{
    JdTexture texture(std::string(ORVANE_SOURCE_DIR) + "/data/circle.png");
    ASSERT_TRUE(texture.has_Bitmap());
    EXPECT_EQ(texture.Bitmap().size(), cv::Size(64, 64));
    EXPECT_EQ(texture.Bitmap().type(), CV_8UC4);
    const unsigned int name = texture.JdGenTextures();
    ASSERT_NE(name, 0u);
    EXPECT_TRUE(texture.is_Alpha());
    EXPECT_EQ(Level_Parameter(name, 0, GL_TEXTURE_WIDTH), 64);
    EXPECT_EQ(Level_Parameter(name, 0, GL_TEXTURE_HEIGHT), 64);
    const std::vector<unsigned char> t = Texels(name);
    EXPECT_EQ(Texel(t, 64, 32, 32), (std::array<int, 4>{0, 0, 0, 255}));
    for (const auto& corner : {std::array<int, 2>{0, 0}, {63, 0}, {0, 63}, {63, 63}})
        EXPECT_EQ(Texel(t, 64, corner[0], corner[1]), (std::array<int, 4>{255, 255, 255, 0}));
    // Opaque inside radius 30.5, a one-pixel ring in between, black wherever it shows at all.
    int opaque = 0, soft = 0, stray = 0;
    for (std::size_t i = 0; i < t.size(); i += 4) {
        opaque += t[i + 3] == 255;
        soft += t[i + 3] > 0 && t[i + 3] < 255;
        stray += t[i + 3] > 0 && (t[i] != 0 || t[i + 1] != 0 || t[i + 2] != 0);
    }
    EXPECT_NEAR(opaque, M_PI * 30.5 * 30.5, 60);
    EXPECT_NEAR(soft, 2 * M_PI * 31, 40);
    EXPECT_EQ(stray, 0);
}

// Sizes: which texture a picture becomes, and whether its corners stay where they were.
struct SizeCase {
    const char* name;
    int cols, rows, channels;
    int width, height; // of the texture
};

class TextureSizes : public TextureTest, public ::testing::WithParamInterface<SizeCase> {};

// Quadrants of the picture as seen: top-left, top-right, bottom-left, bottom-right.
const std::array<RGB, 4> kQuadrants = {{{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {255, 255, 255}}};

/// cols x rows, each quadrant in its colour (the larger half of an odd side on the left or top).
cv::Mat Quadrants(int cols, int rows, int channels)
{
    cv::Mat picture(rows, cols, channels == 4 ? CV_8UC4 : CV_8UC3);
    for (int y = 0; y < rows; ++y)
        for (int x = 0; x < cols; ++x) {
            const RGB& c = kQuadrants[(y < (rows + 1) / 2 ? 0 : 2) + (x < (cols + 1) / 2 ? 0 : 1)];
            unsigned char* p = picture.ptr(y) + x * channels;
            p[0] = c[2], p[1] = c[1], p[2] = c[0];
            if (channels == 4) p[3] = 255;
        }
    return picture;
}

/// Index of the quadrant colour nearest to c.
int Nearest_Quadrant(const std::array<int, 4>& c)
{
    int best = 0;
    double best_d = 1e9;
    for (int q = 0; q < 4; ++q) {
        const double d = std::hypot(c[0] - kQuadrants[q][0], c[1] - kQuadrants[q][1], c[2] - kQuadrants[q][2]);
        if (d < best_d) best = q, best_d = d;
    }
    return best;
}

TEST_P(TextureSizes, BecomesThePowerOfTwoTextureWithItsCornersInPlace)
{
    const SizeCase& c = GetParam();
    // Another part of the program packs and unpacks bytes tightly; the upload must not depend on it.
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    JdTexture texture(Write("quadrants.png", Quadrants(c.cols, c.rows, c.channels)));
    const unsigned int name = texture.JdGenTextures();
    ASSERT_NE(name, 0u);
    EXPECT_EQ(texture.is_Alpha(), c.channels == 4);
    EXPECT_EQ(Level_Parameter(name, 0, GL_TEXTURE_WIDTH), c.width);
    EXPECT_EQ(Level_Parameter(name, 0, GL_TEXTURE_HEIGHT), c.height);
    EXPECT_EQ(Level_Parameter(name, 0, GL_TEXTURE_ALPHA_SIZE) > 0, c.channels == 4);
    GLint pack = 0, unpack = 0;
    glGetIntegerv(GL_PACK_ALIGNMENT, &pack);
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &unpack);
    EXPECT_EQ(pack, 1);
    EXPECT_EQ(unpack, 1);
    // Texture corners (s, t) and the picture corners (x, y) they come from.
    const std::array<std::array<int, 4>, 4> corners = {{{0, c.height - 1, 0, 0},
                                                        {c.width - 1, c.height - 1, c.cols - 1, 0},
                                                        {0, 0, 0, c.rows - 1},
                                                        {c.width - 1, 0, c.cols - 1, c.rows - 1}}};
    const std::vector<unsigned char> t = Texels(name);
    const cv::Mat picture = Quadrants(c.cols, c.rows, c.channels);
    for (const auto& k : corners) {
        const unsigned char* p = picture.ptr(k[3]) + k[2] * c.channels;
        const int expected = Nearest_Quadrant({p[2], p[1], p[0], 255});
        const std::array<int, 4> got = Texel(t, c.width, k[0], k[1]);
        EXPECT_EQ(Nearest_Quadrant(got), expected) << "texel " << k[0] << ", " << k[1];
        EXPECT_LT(std::hypot(got[0] - kQuadrants[expected][0], got[1] - kQuadrants[expected][1],
                             got[2] - kQuadrants[expected][2]),
                  128)
            << "texel " << k[0] << ", " << k[1];
    }
}

INSTANTIATE_TEST_SUITE_P(TextureTable, TextureSizes,
                         ::testing::Values(SizeCase{"Rgba64x64Unchanged", 64, 64, 4, 64, 64},
                                           SizeCase{"Rgb100x100To64x64", 100, 100, 3, 64, 64},
                                           SizeCase{"Rgb256x100To128x64", 256, 100, 3, 128, 64},
                                           SizeCase{"Rgb1x1Stays1x1", 1, 1, 3, 1, 1},
                                           SizeCase{"Rgb1x4To1x2", 1, 4, 3, 1, 2}, // a side of 1 counts as 2
                                           SizeCase{"Rgb2x2PaddedRowsUnchanged", 2, 2, 3, 2, 2},
                                           SizeCase{"Rgb3x6To2x4PaddedRows", 3, 6, 3, 2, 4},
                                           SizeCase{"Rgba5x7To4x4", 5, 7, 4, 4, 4}),
                         Case_Name());

// Filters and wrap modes as asked, and mipmaps exactly when the minifying filter reads them.
struct ParameterCase {
    const char* name;
    bool defaults; // JdGenTextures() instead of the four values below
    int min_filter, mag_filter, wrap_s, wrap_t;
    bool mipmaps;
};

class TextureParameters : public TextureTest, public ::testing::WithParamInterface<ParameterCase> {};

TEST_P(TextureParameters, AreSetAsAskedWithMipmapsOnlyForMipmapFilters)
{
    const ParameterCase& c = GetParam();
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
    JdTexture texture(Write("grey.png", cv::Mat(100, 100, CV_8UC3, cv::Scalar(40, 90, 160))));
    const unsigned int name =
        c.defaults ? texture.JdGenTextures() : texture.JdGenTextures(c.min_filter, c.mag_filter, c.wrap_s, c.wrap_t);
    ASSERT_NE(name, 0u);
    GLint bound = -1;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    EXPECT_EQ(bound, 0);
    EXPECT_EQ(Parameter(name, GL_TEXTURE_MIN_FILTER), c.min_filter);
    EXPECT_EQ(Parameter(name, GL_TEXTURE_MAG_FILTER), c.mag_filter);
    EXPECT_EQ(Parameter(name, GL_TEXTURE_WRAP_S), c.wrap_s);
    EXPECT_EQ(Parameter(name, GL_TEXTURE_WRAP_T), c.wrap_t);
    GLint mode = 0;
    glGetTexEnviv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, &mode);
    EXPECT_EQ(mode, GL_MODULATE);
    EXPECT_EQ(Level_Parameter(name, 0, GL_TEXTURE_WIDTH), 64);
    EXPECT_EQ(Level_Parameter(name, 1, GL_TEXTURE_WIDTH), c.mipmaps ? 32 : 0);
    EXPECT_EQ(Level_Parameter(name, 6, GL_TEXTURE_WIDTH), c.mipmaps ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(
    TextureTable, TextureParameters,
    ::testing::Values(ParameterCase{"DefaultsLinearRepeat", true, GL_LINEAR, GL_LINEAR, GL_REPEAT, GL_REPEAT, false},
                      ParameterCase{"NearestClampToEdge", false, GL_NEAREST, GL_NEAREST, GL_CLAMP_TO_EDGE, GL_REPEAT, false},
                      ParameterCase{"LinearClamp", false, GL_LINEAR, GL_LINEAR, GL_CLAMP, GL_CLAMP, false},
                      ParameterCase{"LinearMipmapLinear", false, GL_LINEAR_MIPMAP_LINEAR, GL_LINEAR, GL_REPEAT, GL_REPEAT, true},
                      ParameterCase{"NearestMipmapNearestMirrored", false, GL_NEAREST_MIPMAP_NEAREST, GL_NEAREST,
                                    GL_MIRRORED_REPEAT, GL_CLAMP, true}),
    Case_Name());

// Files that decode to nothing: the user is told which, and nothing uploads.
struct BadFileCase {
    const char* name;    // of the file, with ".png" added
    const char* content; // null: the file does not exist
};

class TextureBadFiles : public TextureTest, public ::testing::WithParamInterface<BadFileCase> {};

TEST_P(TextureBadFiles, LeaveNoBitmapAndTellTheUser)
{
    const BadFileCase& c = GetParam();
    const std::string path = (dir / (std::string(c.name) + ".png")).string();
    if (c.content) Write_File(path, c.content);
    JdTexture texture(path);
    EXPECT_FALSE(texture.has_Bitmap());
    EXPECT_TRUE(texture.Bitmap().empty());
    EXPECT_EQ(texture.JdGenTextures(), 0u);
    EXPECT_EQ(texture.JdGenTextures(GL_LINEAR_MIPMAP_LINEAR, GL_LINEAR, GL_CLAMP, GL_CLAMP), 0u);
    EXPECT_EQ(texture.Texture_Name(), 0u);
    EXPECT_FALSE(texture.is_Alpha());
    ASSERT_EQ(log.messages.size(), 1u);
    EXPECT_EQ(log.messages[0], "There was an error in " + path + ". \nCheck the path to the image file. (or Image Format)");
}

INSTANTIATE_TEST_SUITE_P(TextureTable, TextureBadFiles,
                         ::testing::Values(BadFileCase{"missing", nullptr},
                                           BadFileCase{"notes", "these are words, not pixels\n"},
                                           BadFileCase{"empty", ""},
                                           BadFileCase{"cut", "\x89PNG\r\n\x1a\n"}),
                         Case_Name());

// Pictures that decode but are no 8-bit RGB(A): reported with their format, nothing uploads.
struct FormatCase {
    const char* name;
    int type;           // OpenCV type of the written picture
    const char* format; // as the report names it
};

class TextureFormats : public TextureTest, public ::testing::WithParamInterface<FormatCase> {};

TEST_P(TextureFormats, AreReportedAndNotUploaded)
{
    const FormatCase& c = GetParam();
    JdTexture texture(Write(std::string(c.name) + ".png", cv::Mat(8, 8, c.type, cv::Scalar::all(100))));
    ASSERT_TRUE(texture.has_Bitmap());
    testing::internal::CaptureStdout();
    const unsigned int name = texture.JdGenTextures();
    const std::string out = testing::internal::GetCapturedStdout();
    EXPECT_EQ(name, 0u);
    EXPECT_EQ(texture.Texture_Name(), 0u);
    EXPECT_EQ(out, std::string("Unsupport PixelFormat !\nPixel format: ") + c.format + "\n");
    ASSERT_EQ(log.messages.size(), 1u);
    EXPECT_EQ(log.messages[0],
              std::string("Unsupport PixelFormat !: ") + c.format + " \nCheck the Pixel format to this image file.");
}

INSTANTIATE_TEST_SUITE_P(TextureTable, TextureFormats,
                         ::testing::Values(FormatCase{"Grey8", CV_8UC1, "8-bit 1-channel"},
                                           FormatCase{"Grey16", CV_16UC1, "16-bit 1-channel"},
                                           FormatCase{"Rgb16", CV_16UC3, "16-bit 3-channel"},
                                           FormatCase{"Rgba16", CV_16UC4, "16-bit 4-channel"}),
                         Case_Name());

} // namespace
