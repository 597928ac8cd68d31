// Saving result pictures: bitmaps replaced whole, and nothing left behind
// when anything fails.
#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <set>
#include <string>
#include <vector>

#include <sys/stat.h>

#include <opencv2/imgcodecs.hpp>
#include <opencv2/imgproc.hpp>

#include "render/KxPictureFiles.h"
#include "test_support.h"

namespace {

using namespace orvane_test;
using OrvaneImage::Write_Picture;

const cv::Vec3b kBlack(0, 0, 0), kWhite(255, 255, 255), kBlue(255, 0, 0);

/// 64 x 48 white, a black disc of radius 15 in the middle and a blue 4 x 4
/// mark in the top-left corner, so flips and swapped channels show.
cv::Mat Disc_Picture()
{
    cv::Mat bgr(48, 64, CV_8UC3, cv::Scalar(255, 255, 255));
    cv::circle(bgr, {32, 24}, 15, cv::Scalar(0, 0, 0), cv::FILLED);
    bgr(cv::Rect(0, 0, 4, 4)).setTo(cv::Scalar(255, 0, 0));
    return bgr;
}

/// Every file and folder under folder, by its path relative to it.
std::set<std::string> Entries(const fs::path& folder)
{
    std::set<std::string> out;
    for (const auto& e : fs::recursive_directory_iterator(folder)) out.insert(fs::relative(e.path(), folder).string());
    return out;
}

bool Starts_With(const std::string& text, const std::string& head) { return text.rfind(head, 0) == 0; }

// ---------------------------------------------------------------- bitmaps

TEST(ResultFilePicture, FormatFollowsTheExtensionAndReadsBackAsDrawn)
{
    struct Case { const char* name; std::string magic; };
    const Case cases[] = {{"disc.png", "\x89PNG"}, {"disc.bmp", "BM"}, {"DISC.PNG", "\x89PNG"}};
    TempDir dir;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const fs::path path = dir / c.name;
        std::string error;
        ASSERT_TRUE(Write_Picture(path.string(), Disc_Picture(), error)) << error;
        EXPECT_TRUE(Starts_With(Read_File(path), c.magic));
        const cv::Mat back = cv::imread(path.string(), cv::IMREAD_UNCHANGED);
        ASSERT_EQ(back.size(), cv::Size(64, 48));
        ASSERT_EQ(back.channels(), 3);
        EXPECT_EQ(back.at<cv::Vec3b>(24, 32), kBlack);
        EXPECT_EQ(back.at<cv::Vec3b>(47, 63), kWhite);
        EXPECT_EQ(back.at<cv::Vec3b>(0, 0), kBlue);
    }
    EXPECT_EQ(Entries(dir.path()), (std::set<std::string>{"disc.png", "disc.bmp", "DISC.PNG"}));
}

TEST(ResultFilePicture, RefusesOtherTypesAndPicturesThatAreNotEightBitBgr)
{
    struct Case { const char* name; cv::Mat picture; std::string expect; };
    const Case cases[] = {
        {"disc.xyz", Disc_Picture(), "unsupported picture type '.xyz'"},
        {"disc.jpg", Disc_Picture(), "unsupported picture type '.jpg'"},
        {"disc", Disc_Picture(), "unsupported picture type ''"},
        {"empty.png", cv::Mat(), "empty or not 8-bit BGR"},
        {"grey.png", cv::Mat(48, 64, CV_8UC1, cv::Scalar(0)), "empty or not 8-bit BGR"},
    };
    TempDir dir;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::string error;
        EXPECT_FALSE(Write_Picture((dir / c.name).string(), c.picture, error));
        EXPECT_NE(error.find(c.expect), std::string::npos) << error;
    }
    EXPECT_TRUE(Entries(dir.path()).empty());
}

TEST(ResultFilePicture, UnwritablePlacesFailNamingPathAndReasonLeavingNothing)
{
    struct Case { const char* name; int reason; };
    const Case cases[] = {{"missing/disc.png", ENOENT}, {"plain.txt/disc.png", ENOTDIR}, {"taken.png", EISDIR}};
    TempDir dir;
    Write_File(dir / "plain.txt", "x");
    fs::create_directory(dir / "taken.png");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = (dir / c.name).string();
        std::string error;
        EXPECT_FALSE(Write_Picture(path, Disc_Picture(), error));
        EXPECT_NE(error.find(path), std::string::npos) << error;
        EXPECT_NE(error.find(std::strerror(c.reason)), std::string::npos) << error;
    }
    EXPECT_EQ(Entries(dir.path()), (std::set<std::string>{"plain.txt", "taken.png"}));
    EXPECT_EQ(Read_File(dir / "plain.txt"), "x");
}

TEST(ResultFilePicture, OverwritingReplacesTheFileWholeAndAFailedWriteKeepsIt)
{
    TempDir dir;
    const fs::path path = dir / "disc.png";
    Write_File(path, std::string(100000, 'x'));
    std::string error;
    ASSERT_TRUE(Write_Picture(path.string(), Disc_Picture(), error)) << error;
    std::vector<unsigned char> expected;
    ASSERT_TRUE(cv::imencode(".png", Disc_Picture(), expected));
    const std::string written = Read_File(path);
    EXPECT_EQ(written, std::string(expected.begin(), expected.end()));

    EXPECT_FALSE(Write_Picture(path.string(), cv::Mat(), error));
    EXPECT_EQ(Read_File(path), written);
    EXPECT_EQ(Entries(dir.path()), std::set<std::string>{"disc.png"});
}

TEST(ResultFilePicture, GetsTheModeOfAnyNewFileNotAPrivateOne)
{
    TempDir dir;
    const mode_t old_mask = umask(022);
    std::string error;
    const bool written = Write_Picture((dir / "disc.png").string(), Disc_Picture(), error);
    umask(old_mask);
    ASSERT_TRUE(written) << error;
    EXPECT_EQ(fs::status(dir / "disc.png").permissions(), fs::perms(0644));
}

} // namespace
