#include <gtest/gtest.h>

#include <sys/wait.h>

#include <algorithm>
#include <array>
#include <cstdio>

#include <opencv2/imgcodecs.hpp>
#include <opencv2/imgproc.hpp>

#include "bad_mesh_files.h"
#include "test_support.h"

using namespace orvane_test;

namespace {

struct Run_Result {
    int code;
    std::string out; // stdout and stderr together
};

Run_Result Run_Cli(const std::string& args)
{
    const std::string command = std::string("'") + ORVANE_CLI + "' " + args + " 2>&1";
    FILE* pipe = popen(command.c_str(), "r");
    Run_Result r{-1, ""};
    if (!pipe) return r;
    std::array<char, 4096> buf;
    std::size_t n;
    while ((n = fread(buf.data(), 1, buf.size(), pipe)) > 0) r.out.append(buf.data(), n);
    const int status = pclose(pipe);
    r.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return r;
}

TEST(Cli, InfoDescribesTheBundledModel)
{
    const auto r = Run_Cli("info '" + Bundled_Model("cow.obj") + "'");
    ASSERT_EQ(r.code, 0) << r.out;
    EXPECT_NE(r.out.find("Vertices     : 2904"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("Faces        : 5804"), std::string::npos);
    EXPECT_NE(r.out.find("Edges        : 8706"), std::string::npos);
    // Normalised (largest side 1) and resting on the ground.
    double size[3] = {0, 0, 0}, low[3] = {1, 1, 1};
    ASSERT_EQ(std::sscanf(r.out.c_str() + r.out.find("Box size"), "Box size : %lf %lf %lf", &size[0], &size[1], &size[2]), 3);
    ASSERT_EQ(std::sscanf(r.out.c_str() + r.out.find("Box min"), "Box min : %lf %lf %lf", &low[0], &low[1], &low[2]), 3);
    EXPECT_DOUBLE_EQ(std::max({size[0], size[1], size[2]}), 1.0);
    EXPECT_DOUBLE_EQ(low[1], 0.0);
    EXPECT_NE(r.out.find("Load time"), std::string::npos);
}

class CliBadModel : public ::testing::TestWithParam<BadFile> {};

TEST_P(CliBadModel, InfoReportsTheReaderLineAndExitsThree)
{
    const BadFile& bad = GetParam();
    TempDir dir;
    if (std::string(bad.name) != "missing.obj") Write_File(dir / bad.name, bad.content);
    const auto r = Run_Cli("info '" + (dir / bad.name).string() + "'");
    EXPECT_EQ(r.code, 3) << r.out;
    EXPECT_NE(r.out.find(std::string("KxCIOManager::Read_Mesh : ") + bad.message), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("orvane info: cannot read model"), std::string::npos) << r.out;
}

INSTANTIATE_TEST_SUITE_P(Table, CliBadModel, ::testing::ValuesIn(Bad_Files()), [](const auto& info) {
    std::string n = info.param.name;
    for (char& c : n)
        if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
    return n;
});

std::string Row(const std::string& listing, const std::string& path)
{
    const auto at = listing.find("\n" + path + " ");
    if (at == std::string::npos) return "";
    const auto end = listing.find('\n', at + 1);
    return listing.substr(at + 1, end - at - 1);
}

TEST(Cli, ParamsListsDefaultsPresetsAndAssignments)
{
    const auto easy = Run_Cli("params");
    ASSERT_EQ(easy.code, 0) << easy.out;
    EXPECT_NE(Row(easy.out, "MeshParam.Sample.Importance.Density").find(" 100 "), std::string::npos);
    EXPECT_NE(Row(easy.out, "MeshParam.Sample.Random.Cur_Ratio").find("read-only"), std::string::npos);
    EXPECT_NE(Row(easy.out, "MeshParam.DecalGrid.Multi_Resolution.Cur_Ratio").find("hidden"), std::string::npos);
    EXPECT_NE(Row(easy.out, "AppProp.Orvane_Mode").find("{Develop|Orvane|Scene}"), std::string::npos);
    EXPECT_NE(Row(easy.out, "MeshParam.Decal.Radius_Ratio").find("[Size]"), std::string::npos);

    const auto hard = Run_Cli("params --difficulty hard --set MeshParam.Decal.Radius_Ratio=4.5");
    ASSERT_EQ(hard.code, 0) << hard.out;
    EXPECT_NE(Row(hard.out, "MeshParam.Sample.Importance.Density").find(" 70 "), std::string::npos);
    EXPECT_NE(Row(hard.out, "MeshParam.DecalGrid.Breaker.Lnth_Ratio").find(" 0.15 "), std::string::npos);
    EXPECT_NE(Row(hard.out, "MeshParam.DecalGrid.Perturb.Move_Factor").find(" 0.001 "), std::string::npos);
    EXPECT_NE(Row(hard.out, "MeshParam.Decal.Radius_Ratio").find(" 4.5 "), std::string::npos);
    EXPECT_NE(Row(hard.out, "OIParam.Difficulty").find(" Hard "), std::string::npos);
}

TEST(Cli, ParamsRejectsUnknownPathsAndBadValues)
{
    struct Case {
        const char* args;
        const char* message;
    } cases[] = {{"params --set MeshParam.Decal.Radius_Rato=3", "nearest: Radius_Ratio"},
                 {"params --set MeshParam.Sample.Importance.Density=lots", "bad value 'lots'"},
                 {"params --set MeshParam.Sample.Random.Cur_Ratio=1", "read-only"},
                 {"params --set MeshParam.Decal", "PATH=VALUE"},
                 {"params --difficulty impossible", "easy, medium or hard"}};
    for (const auto& c : cases) {
        const auto r = Run_Cli(c.args);
        EXPECT_EQ(r.code, 2) << c.args;
        EXPECT_NE(r.out.find(c.message), std::string::npos) << c.args << "\n" << r.out;
    }
}

TEST(Cli, UsageErrorsExitTwo)
{
    const char* cases[] = {"", "frobnicate", "info", "info a.obj b.obj", "info --bogus"};
    for (const char* args : cases) {
        const auto r = Run_Cli(args);
        EXPECT_EQ(r.code, 2) << args << "\n" << r.out;
        EXPECT_NE(r.out.find("orvane"), std::string::npos) << args;
    }
}

TEST(Cli, HelpDescribesEveryCommand)
{
    const auto top = Run_Cli("--help");
    EXPECT_EQ(top.code, 0);
    for (const char* cmd : {"info", "params", "sampler-report"}) {
        EXPECT_NE(top.out.find(std::string("  ") + cmd), std::string::npos) << cmd;
        const auto r = Run_Cli(std::string(cmd) + " --help");
        EXPECT_EQ(r.code, 0) << cmd;
        EXPECT_NE(r.out.find(std::string("Usage: orvane ") + cmd), std::string::npos) << r.out;
    }
}

/// The last non-empty line of text.
std::string Last_Line(const std::string& text)
{
    std::size_t end = text.find_last_not_of('\n');
    if (end == std::string::npos) return "";
    const std::size_t start = text.rfind('\n', end);
    return text.substr(start == std::string::npos ? 0 : start + 1, end - (start == std::string::npos ? 0 : start + 1) + 1);
}

TEST(Cli, SamplerReportRatesTheQuasiSampler)
{
    TempDir dir;
    const fs::path out = dir / "report" / "pictures"; // created with its parent
    const auto r = Run_Cli("sampler-report --size 256 --out '" + out.string() + "'");
    ASSERT_EQ(r.code, 0) << r.out;
    unsigned long points = 0;
    double expected = 0, mean_rel = 0, min_rel = 0;
    const std::string last = Last_Line(r.out);
    ASSERT_EQ(std::sscanf(last.c_str(), "points=%lu expected=%lf mean_nn_rel=%lf min_rel=%lf", &points, &expected,
                          &mean_rel, &min_rel),
              4)
        << last;
    EXPECT_EQ(last.rfind("points=", 0), 0u);
    EXPECT_DOUBLE_EQ(expected, 2550);
    EXPECT_NEAR(static_cast<double>(points), expected, 0.03 * expected);
    EXPECT_GE(mean_rel, 0.75);
    EXPECT_LE(mean_rel, 1.05);
    EXPECT_GT(min_rel, 0.3);
    EXPECT_LE(min_rel, mean_rel);
    EXPECT_NE(r.out.find("Ramp importance 0 ... 25500"), std::string::npos) << r.out;
    for (const char* name : {"points.png", "spectrum.png"}) {
        EXPECT_TRUE(fs::exists(out / name)) << name;
        if (fs::exists(out / name)) {
            EXPECT_GT(fs::file_size(out / name), 100u) << name;
        }
    }

    // Another importance: about a tenth of it, in the last line too.
    const auto low = Run_Cli("sampler-report --importance 5000 --size 128 --out '" + (dir / "low").string() + "'");
    ASSERT_EQ(low.code, 0) << low.out;
    ASSERT_EQ(std::sscanf(Last_Line(low.out).c_str(), "points=%lu expected=%lf", &points, &expected), 2);
    EXPECT_DOUBLE_EQ(expected, 500);
    EXPECT_NEAR(static_cast<double>(points), 500, 25);
}

TEST(Cli, SamplerReportRejectsBadArguments)
{
    const char* cases[] = {"sampler-report --importance", "sampler-report --importance abc",
                           "sampler-report --importance 0", "sampler-report --importance -5",
                           "sampler-report --importance 300000", "sampler-report --size 8",
                           "sampler-report --size 12x", "sampler-report --out", "sampler-report --bogus",
                           "sampler-report extra"};
    for (const char* args : cases) {
        const auto r = Run_Cli(args);
        EXPECT_EQ(r.code, 2) << args << "\n" << r.out;
        EXPECT_NE(r.out.find("orvane sampler-report:"), std::string::npos) << args << "\n" << r.out;
    }
}

TEST(Cli, SamplerReportCannotWriteItsPictures)
{
    TempDir dir;
    Write_File(dir / "file", "not a folder");
    const auto r = Run_Cli("sampler-report --size 64 --out '" + (dir / "file" / "sub").string() + "'");
    EXPECT_EQ(r.code, 1) << r.out;
    EXPECT_NE(r.out.find("orvane sampler-report: cannot create folder"), std::string::npos) << r.out;
}

// --- orvane image -------------------------------------------------------------

std::string Image_Args(const fs::path& out, const std::string& extra = "")
{
    return "image '" + Bundled_Model("cow.obj") + "' --size 320x240 -o '" + out.string() + "' " + extra;
}

TEST(Cli, ImageWritesTheComposedPictureAndItsTimings)
{
    TempDir dir;
    const auto r = Run_Cli(Image_Args(dir / "cow.eps", "--difficulty medium"));
    ASSERT_EQ(r.code, 0) << r.out;
    std::size_t at = 0;
    for (const char* label : {"Create orvane image Timing", "Sample Timing", "Parameterize Timing", "Analyze Timing",
                              "Stamp Timing", "Wrote "}) {
        at = r.out.find(label, at);
        ASSERT_NE(at, std::string::npos) << label << "\n" << r.out;
    }
    const std::string eps = Read_File(dir / "cow.eps");
    EXPECT_EQ(eps.rfind("%!PS-Adobe", 0), 0u);
    EXPECT_NE(eps.find("%%BoundingBox: 0 0 320 240"), std::string::npos);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 1);
}

TEST(Cli, ImageOptionsReachTheView)
{
    TempDir dir;
    // A camera file and an orbit change the view; the scene mode writes the shaded model as a
    // bitmap and says so.
    {
        std::ofstream view(dir / "side.view");
        view << "orvane-view 1\neye 2.5 0.4 0\ncenter 0 0.4 0\nup 0 1 0\nrotation 1 0 0 0\n"
                "translation 0 0 0\nzoom 1\n";
    }
    const auto front = Run_Cli(Image_Args(dir / "front.png", "--mode scene"));
    const auto side = Run_Cli(Image_Args(dir / "side.eps", "--mode scene --camera '" + (dir / "side.view").string() + "'"));
    const auto orbit = Run_Cli(Image_Args(dir / "orbit.png", "--mode scene --orbit 90,0"));
    ASSERT_EQ(front.code, 0) << front.out;
    ASSERT_EQ(side.code, 0) << side.out;
    ASSERT_EQ(orbit.code, 0) << orbit.out;
    EXPECT_NE(side.out.find("Wrote " + (dir / "side.bmp").string()), std::string::npos) << side.out;
    EXPECT_FALSE(fs::exists(dir / "side.eps"));
    EXPECT_EQ(front.out.find("Timing"), std::string::npos) << "the scene mode generates nothing";
    // The cow is long from the front's view and short seen from its side.
    auto width = [](const fs::path& file) {
        const cv::Mat grey = cv::imread(file.string(), cv::IMREAD_GRAYSCALE);
        cv::Mat ink = grey < 250;
        return cv::boundingRect(ink).width;
    };
    EXPECT_GT(width(dir / "front.png"), 2 * width(dir / "orbit.png"));
    EXPECT_GT(width(dir / "front.png"), 2 * width(dir / "side.bmp"));

    // A display property set on the loaded model shows in the working view: the mask's red frame.
    const auto develop = Run_Cli(Image_Args(dir / "dev.png", "--mode develop --set MeshProp.Sample_Mask.Rectangle=true"));
    ASSERT_EQ(develop.code, 0) << develop.out;
    cv::Mat red;
    cv::inRange(cv::imread((dir / "dev.png").string()), cv::Scalar(0, 0, 200), cv::Scalar(60, 60, 255), red);
    EXPECT_GT(cv::countNonZero(red), 50);
}

TEST(Cli, ImageRejectsBadArgumentsBeforeLoading)
{
    TempDir dir;
    const struct {
        std::string args;
        const char* message;
    } cases[] = {
        {"image", "missing MODEL"},
        {Image_Args(dir / "a.eps", "--size 320"), "--size takes WxH"},
        {Image_Args(dir / "a.eps", "--size 1x240"), "--size takes WxH"},
        {Image_Args(dir / "a.eps", "--mode photo"), "--mode takes orvane, develop or scene"},
        {Image_Args(dir / "a.eps", "--difficulty extreme"), "--difficulty takes easy, medium or hard"},
        {Image_Args(dir / "a.eps", "--orbit 10"), "--orbit takes YAW,PITCH"},
        {Image_Args(dir / "a.eps", "--orbit 0,90"), "--orbit takes YAW,PITCH"},
        {Image_Args(dir / "a.jpg"), "must end in .eps, .svg, .pdf, .png or .bmp"},
        {Image_Args(dir / "a.eps", "--set MeshParam.Sample.Importance.Densty=80"), "nearest: Density"},
        {Image_Args(dir / "a.eps", "--set AppProp.See_Through=maybe"), "bad value 'maybe'"},
        {Image_Args(dir / "a.eps", "--camera"), "--camera takes a view file"},
        {Image_Args(dir / "a.eps", "--bogus"), "unexpected argument '--bogus'"},
    };
    for (const auto& c : cases) {
        const auto r = Run_Cli(c.args);
        EXPECT_EQ(r.code, 2) << c.args << "\n" << r.out;
        EXPECT_NE(r.out.find(c.message), std::string::npos) << c.args << "\n" << r.out;
    }
    EXPECT_TRUE(fs::is_empty(dir.path()));
}

TEST(Cli, ImageReportsUnreadableInputAndUnwritableOutput)
{
    TempDir dir;
    Write_File(dir / "plain", "not a folder");
    const auto model = Run_Cli("image '" + (dir / "none.obj").string() + "' -o '" + (dir / "a.png").string() + "'");
    EXPECT_EQ(model.code, 3) << model.out;
    EXPECT_NE(model.out.find("Form1::Read_Model: Read mesh obj file failed"), std::string::npos) << model.out;
    const auto camera = Run_Cli(Image_Args(dir / "a.png", "--camera '" + (dir / "none.view").string() + "'"));
    EXPECT_EQ(camera.code, 3) << camera.out;
    EXPECT_NE(camera.out.find("cannot read view file"), std::string::npos) << camera.out;
    const auto light = Run_Cli(Image_Args(dir / "a.png", "--light '" + (dir / "none.view").string() + "'"));
    EXPECT_EQ(light.code, 3) << light.out;
    const auto out = Run_Cli(Image_Args(dir / "plain" / "a.png"));
    EXPECT_EQ(out.code, 1) << out.out;
    EXPECT_NE(out.out.find("Save bmp file failed"), std::string::npos) << out.out;
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 1);
}

} // namespace
