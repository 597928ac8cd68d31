// Saving result pictures: bitmaps replaced whole, the tracer found and run on
// them without a shell, and nothing left behind when anything fails.
#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include <sys/stat.h>

#include <opencv2/imgcodecs.hpp>
#include <opencv2/imgproc.hpp>

#include "render/KxPictureFiles.h"
#include "render/KxTracer.h"
#include "test_support.h"

namespace {

using namespace orvane_test;
using OrvaneImage::Find_Tracer;
using OrvaneImage::Trace_Picture;
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

/// A shell script with the given mode.
void Write_Script(const fs::path& path, const std::string& body, fs::perms mode = fs::perms(0755))
{
    Write_File(path, "#!/bin/sh\n" + body + "\n");
    fs::permissions(path, mode);
}

bool Starts_With(const std::string& text, const std::string& head) { return text.rfind(head, 0) == 0; }

/// Sets $PATH for one test and puts back what it was.
class PathGuard {
public:
    explicit PathGuard(const std::string& path)
    {
        if (const char* old = std::getenv("PATH")) m_Old = old;
        setenv("PATH", path.c_str(), 1);
    }
    ~PathGuard() { m_Old ? setenv("PATH", m_Old->c_str(), 1) : unsetenv("PATH"); }

private:
    std::optional<std::string> m_Old;
};

/// Works in a folder for one test and goes back to where it was.
class CwdGuard {
public:
    explicit CwdGuard(const fs::path& folder) : m_Old(fs::current_path()) { fs::current_path(folder); }
    ~CwdGuard() { fs::current_path(m_Old); }

private:
    fs::path m_Old;
};

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

// ---------------------------------------------------------------- tracer lookup

enum class Entry { None, Executable, Plain, Folder };

/// Puts a "potrace" of the given kind into folder, which is made when missing
/// unless there is to be nothing in it.
void Make_Potrace(const fs::path& folder, Entry kind)
{
    if (kind == Entry::None) return;
    fs::create_directories(folder);
    if (kind == Entry::Folder) fs::create_directory(folder / "potrace");
    else Write_Script(folder / "potrace", "exit 0", fs::perms(kind == Entry::Executable ? 0755 : 0644));
}

TEST(ResultFileTracerLookup, BundledExecutableFirstThenFirstExecutableOnPath)
{
    struct Case { const char* what; Entry bundled; std::vector<Entry> path; std::string expect; };
    const Case cases[] = {
        {"bundled wins over PATH", Entry::Executable, {Entry::Executable}, "utils"},
        {"plain bundled file skipped", Entry::Plain, {Entry::Executable}, "p0"},
        {"first executable file on PATH", Entry::Folder, {Entry::None, Entry::Plain, Entry::Folder, Entry::Executable, Entry::Executable}, "p3"},
        {"none anywhere, no app folder", Entry::None, {Entry::None}, ""},
        {"empty PATH is not the current folder", Entry::Plain, {}, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TempDir dir;
        // A tracer in the working folder must never be picked up.
        Make_Potrace(dir / "cwd", Entry::Executable);
        CwdGuard cwd(dir / "cwd");
        const std::string app = (dir / "app").string();
        Make_Potrace(dir / "app" / "utils", c.bundled);
        std::string path_var;
        for (std::size_t i = 0; i < c.path.size(); ++i) {
            const fs::path folder = dir / ("p" + std::to_string(i));
            fs::create_directory(folder);
            Make_Potrace(folder, c.path[i]);
            path_var += (i ? ":" : "") + folder.string();
        }
        PathGuard guard(path_var);
        const std::string expect = c.expect == "utils" ? app + "/utils/potrace"
                                   : c.expect.empty()  ? ""
                                                       : (dir / c.expect / "potrace").string();
        EXPECT_EQ(Find_Tracer(app), expect);
    }
}

// ---------------------------------------------------------------- tracing with stand-in tracers

/// Checks its bitmap (the last argument) is in its working folder, then
/// writes that folder and its arguments into the -o file.
const char* const kRecordingTracer =
    "for a; do bmp=$a; done\n"
    "[ -s \"$bmp\" ] || exit 5\n"
    "args=\"$*\"\n"
    "while [ \"$1\" != -o ]; do shift; done\n"
    "printf '%s\\n%s\\n' \"$(pwd -P)\" \"$args\" > \"$2\"";

/// Writes part of its output, then fails.
const char* const kHalfTracer =
    "while [ \"$1\" != -o ]; do shift; done\n"
    "echo half > \"$2\"\n"
    "exit 1";

TEST(ResultFileTraceRun, TracerRunsInTheOutputFolderOnAPageOfThePicturesSize)
{
    TempDir dir;
    Write_Script(dir / "tracer", kRecordingTracer);
    fs::create_directory(dir / "out");
    const mode_t old_mask = umask(022);
    std::string error;
    const bool traced = Trace_Picture((dir / "tracer").string(), Disc_Picture(), (dir / "out" / "disc.svg").string(), error);
    umask(old_mask);
    ASSERT_TRUE(traced) << error;
    std::istringstream record(Read_File(dir / "out" / "disc.svg"));
    std::string folder, args;
    std::getline(record, folder);
    std::getline(record, args);
    EXPECT_EQ(folder, fs::canonical(dir / "out").string());
    EXPECT_TRUE(Starts_With(args, "-b svg -W 64pt -H 48pt -t 10 -o ")) << args;
    EXPECT_EQ(Entries(dir / "out"), std::set<std::string>{"disc.svg"});
    EXPECT_EQ(fs::status(dir / "out" / "disc.svg").permissions(), fs::perms(0644));
}

TEST(ResultFileTraceRun, FailuresLeaveNoTargetAndNoTemporaries)
{
    struct Case { const char* what; std::string script; fs::perms mode; const char* target; std::string expect; };
    const Case cases[] = {
        {"exits 3", "exit 3", fs::perms(0755), "disc.eps", "tracer failed (exit status 3)"},
        {"killed", "kill -9 $$", fs::perms(0755), "disc.eps", "tracer killed by signal 9"},
        {"writes half, then fails", kHalfTracer, fs::perms(0755), "disc.pdf", "tracer failed (exit status 1)"},
        {"not executable", "exit 0", fs::perms(0644), "disc.eps", "cannot run tracer"},
        {"unsupported type", kRecordingTracer, fs::perms(0755), "disc.png", "unsupported vector type '.png'"},
        {"missing folder", kRecordingTracer, fs::perms(0755), "missing/disc.eps", std::strerror(ENOENT)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TempDir dir;
        Write_Script(dir / "tracer", c.script, c.mode);
        fs::create_directory(dir / "out");
        const fs::path target = dir / "out" / c.target;
        std::string error;
        EXPECT_FALSE(Trace_Picture((dir / "tracer").string(), Disc_Picture(), target.string(), error));
        EXPECT_NE(error.find(c.expect), std::string::npos) << error;
        EXPECT_FALSE(fs::exists(target));
        EXPECT_TRUE(Entries(dir / "out").empty());
    }
}

TEST(ResultFileTraceRun, NoTracerIsReportedAsSuch)
{
    TempDir dir;
    std::string error;
    EXPECT_FALSE(Trace_Picture("", Disc_Picture(), (dir / "disc.eps").string(), error));
    EXPECT_EQ(error, "tracer not found");
    EXPECT_TRUE(Entries(dir.path()).empty());
}

TEST(ResultFileTraceRun, FailedTracingLeavesAnExistingTargetUntouched)
{
    for (const char* script : {"exit 3", kHalfTracer}) {
        SCOPED_TRACE(script);
        TempDir dir;
        Write_Script(dir / "tracer", script);
        fs::create_directory(dir / "out");
        Write_File(dir / "out" / "disc.eps", "old");
        std::string error;
        EXPECT_FALSE(Trace_Picture((dir / "tracer").string(), Disc_Picture(), (dir / "out" / "disc.eps").string(), error));
        EXPECT_EQ(Read_File(dir / "out" / "disc.eps"), "old");
        EXPECT_EQ(Entries(dir / "out"), std::set<std::string>{"disc.eps"});
    }
}

// ---------------------------------------------------------------- tracing with potrace

/// A test with the installed potrace; skipped where there is none.
class ResultFilePotrace : public ::testing::Test {
protected:
    void SetUp() override
    {
        tracer = Find_Tracer("/nonexistent");
        if (tracer.empty()) GTEST_SKIP() << "potrace is not installed";
    }

    /// Traces the picture into path, asserting it succeeds.
    void Trace(const cv::Mat& bgr, const fs::path& path)
    {
        std::string error;
        ASSERT_TRUE(Trace_Picture(tracer, bgr, path.string(), error)) << error;
    }

    std::string tracer;
    TempDir dir;
};

TEST_F(ResultFilePotrace, EachVectorTypeHoldsTheDrawingOnAPageOfThePicturesSize)
{
    struct Case { const char* type; const char* magic; std::regex page; };
    const Case cases[] = {
        {".eps", "%!PS-Adobe", std::regex(R"(%%BoundingBox: 0 0 (\d+) (\d+))")},
        {".svg", "<?xml", std::regex(R"(<svg[^>]*width="([\d.]+)pt"[^>]*height="([\d.]+)pt")")},
        {".pdf", "%PDF-", std::regex(R"(/MediaBox\s*\[\s*0 0 ([\d.]+) ([\d.]+)\s*\])")},
    };
    const cv::Mat blank(48, 64, CV_8UC3, cv::Scalar(255, 255, 255));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.type);
        const fs::path disc = dir / (std::string("disc") + c.type), empty = dir / (std::string("blank") + c.type);
        Trace(Disc_Picture(), disc);
        Trace(blank, empty);
        const std::string text = Read_File(disc);
        EXPECT_TRUE(Starts_With(text, c.magic)) << text.substr(0, 40);
        std::smatch page;
        ASSERT_TRUE(std::regex_search(text, page, c.page));
        EXPECT_DOUBLE_EQ(std::stod(page[1]), 64.0);
        EXPECT_DOUBLE_EQ(std::stod(page[2]), 48.0);
        // The disc's outline makes the file larger than an empty page's.
        EXPECT_GT(fs::file_size(disc), fs::file_size(empty));
    }
    EXPECT_EQ(Entries(dir.path()), (std::set<std::string>{"disc.eps", "blank.eps", "disc.svg", "blank.svg",
                                                          "disc.pdf", "blank.pdf"}));
}

TEST_F(ResultFilePotrace, ShellCharactersInTheNameAreTakenLiterally)
{
    const std::string name = "a b;touch injected;$(touch dollar) `touch tick`.eps";
    CwdGuard cwd(dir.path());
    Trace(Disc_Picture(), dir / name);
    EXPECT_TRUE(Starts_With(Read_File(dir / name), "%!PS-Adobe"));
    EXPECT_EQ(Entries(dir.path()), std::set<std::string>{name});
}

TEST_F(ResultFilePotrace, RelativePathsStartAtTheCallersFolderWhichStaysPut)
{
    CwdGuard cwd(dir.path());
    fs::create_directory("sub");
    const fs::path before = fs::current_path();
    Trace(Disc_Picture(), "sub/rel.eps");
    Trace(Disc_Picture(), "rel.svg");
    EXPECT_EQ(fs::current_path(), before);
    EXPECT_EQ(Entries(dir.path()), (std::set<std::string>{"sub", "sub/rel.eps", "rel.svg"}));
    EXPECT_TRUE(Starts_With(Read_File(dir / "sub" / "rel.eps"), "%!PS-Adobe"));
}

} // namespace
