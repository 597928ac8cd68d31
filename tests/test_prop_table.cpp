// The descriptor table: captions, categories and marks as a front end sees
// them, and listing, reading and writing by path.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "pipeline/params/KxCAppParam.h"
#include "pipeline/params/KxCAppProp.h"
#include "pipeline/params/KxCMeshParam.h"
#include "pipeline/params/KxCMeshProp.h"
#include "pipeline/params/KxCPropTable.h"
#include "pipeline/params/KxCSummaryParams.h"
#include "pipeline/util/KxRandom.h"

using namespace OrvaneImage;

namespace {

// The nine top-level objects under the names a front end uses.
struct Fixture {
    KxCMeshParam mesh_param;
    KxCAppParam app_param;
    KxCMeshProp mesh_prop;
    KxCAppProp app_prop;
    KxCAnimeProp anime_prop;
    KxCIOProp io_prop;
    KxCAIOProp aio_prop;
    KxCOIParam oi_param;
    KxCOVParam ov_param;
    KxCPropTree tree;

    Fixture()
    {
        tree.Add_Root("MeshParam", mesh_param);
        tree.Add_Root("AppParam", app_param);
        tree.Add_Root("MeshProp", mesh_prop);
        tree.Add_Root("AppProp", app_prop);
        tree.Add_Root("AnimeProp", anime_prop);
        tree.Add_Root("IOProp", io_prop);
        tree.Add_Root("AIOProp", aio_prop);
        tree.Add_Root("OIParam", oi_param);
        tree.Add_Root("OVParam", ov_param);
    }

    std::string Get(const std::string& path) const
    {
        std::string value;
        const KxCPropResult r = tree.Get(path, value);
        EXPECT_TRUE(r.Ok) << path << ": " << r.Error;
        return value;
    }

    KxCPropRow Row(const std::string& path) const
    {
        const std::vector<KxCPropRow> rows = tree.List();
        const auto it = std::find_if(rows.begin(), rows.end(), [&](const KxCPropRow& r) { return r.Path == path; });
        EXPECT_NE(it, rows.end()) << path;
        return it == rows.end() ? KxCPropRow{} : *it;
    }

    // Every listed value, with the jitter switched off so listing draws nothing.
    std::vector<std::string> Values()
    {
        mesh_param.Decal().set_Use_Jitter(false);
        std::vector<std::string> values;
        for (const KxCPropRow& r : tree.List()) values.push_back(r.Path + "=" + r.Value);
        return values;
    }
};

} // namespace

TEST(PropTable, DefaultsAsText)
{
    Fixture f;
    struct Case { const char* path; const char* value; };
    const Case cases[] = {
        {"MeshParam.Sample.Importance.Density", "100"},
        {"MeshParam.Sample.Importance.Silhouette.Margin", "35"},
        {"MeshParam.Sample.Importance.Silhouette.Ratio", "0.14"},
        {"MeshParam.Sample.Importance.Silhouette.Enabled", "true"},
        {"MeshParam.Sample.Importance.Shading.Dot_Range", "0.33,0.76"},
        {"MeshParam.Sample.Importance.Shading.Dot_Value", "0.43,0.76"},
        {"MeshParam.Sample.Random.Cur_Ratio", "0.1"},
        {"MeshParam.Sample.Random.Depth_Ratio", "0.01"},
        {"MeshParam.Decal.Jitter_Range", "0,0.4"},
        {"MeshParam.Decal.Radius_Ratio", "5"},
        {"MeshParam.DecalGrid.Breaker.Enabled", "true"},
        {"MeshParam.DecalGrid.Breaker.Lnth_Ratio", "0.1"},
        {"MeshParam.DecalGrid.Filter.Enabled", "true"},
        {"MeshParam.DecalGrid.Filter.Area_Ratio", "0.0002"},
        {"MeshParam.DecalGrid.Perturb.Enabled", "false"},
        {"MeshParam.DecalGrid.Multi_Resolution.Perturb.Move_Factor", "0.75"},
        {"AppParam.StampGrid.Filter.Distance_Ratio", "0.1"},
        {"AppParam.StampGrid.Filter.Enabled", "true"},
        {"AppParam.StampGrid.Perturb_SG.Rotate_Factor", "360"},
        {"AppParam.Fix_Rand", "true"},
        {"MeshProp.Name", " "},
        {"MeshProp.Render_Color.Mesh_Color", "211,211,211,255"},
        {"MeshProp.Render_Color.Point_Color", "255,0,0,255"},
        {"MeshProp.Render_Mode.Line_Width", "1"},
        {"MeshProp.Render_Mode.Render_Mode", "Solid"},
        {"MeshProp.Select_Mode", "None"},
        {"MeshProp.WindowGrid_Cntr.Perturb", "true"},
        {"MeshProp.DecalGrid_Cntr.Selected", "-1"},
        {"AppProp.App_Mode", "Orvane_Image"},
        {"AppProp.Orvane_Mode", "Develop"},
        {"AnimeProp.Time_Interval", "100"},
        {"AIOProp.Use_VBO", "true"},
        {"OIParam.Render_Mode", "Scene"},
        {"OIParam.Silhouette_Break.Degree", "0.05"},
        {"OVParam.Splat_Size", "6"},
        {"OVParam.Difficulty", "Easy"},
    };
    for (const Case& c : cases) EXPECT_EQ(f.Get(c.path), c.value) << c.path;
}

TEST(PropTable, CaptionsAndExpandability)
{
    Fixture f;
    struct Case { const char* path; const char* caption; };
    const Case cases[] = {
        {"MeshParam", "Mesh Parameters"},
        {"MeshParam.Sample", "Sampling Parameters"},
        {"MeshParam.Sample.Importance", "Importance Sampling Parameters"},
        {"MeshParam.Sample.Importance.Silhouette", "Silhouette Parameters"},
        {"MeshParam.DecalGrid.Multi_Resolution", "Multi-resolution Parameters"},
        {"MeshParam.DecalGrid.Perturb", "Random Transform Parameters"},
        {"AppParam.StampGrid.Filter", "Stamp Grid Filter Parameters"},
        {"MeshProp.Render_Color", "Color Info"},
        {"AppProp.StampGrid_Cntr", "Stamp Grid Container Info"},
        {"AIOProp", "Animation I/O Properties"},
        {"OIParam.Silhouette_Break", "Breaking Parameters"},
        {"OVParam", "Orvane Video Parameters"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(f.Get(c.path), c.caption) << c.path;
        EXPECT_TRUE(f.Row(c.path).Is_Object) << c.path;
    }

    for (const KxCClassDesc* top : {&Describe<KxCMeshParam>(), &Describe<KxCAppParam>(), &Describe<KxCMeshProp>(),
                                    &Describe<KxCAppProp>(), &Describe<KxCAnimeProp>(), &Describe<KxCIOProp>(),
                                    &Describe<KxCAIOProp>(), &Describe<KxCOIParam>(), &Describe<KxCOVParam>()})
        EXPECT_FALSE(top->Expandable) << top->Name;
    for (const KxCClassDesc* nested : {&Describe<KxCSampleParam>(), &Describe<KxCXFormParam>(),
                                       &Describe<KxCWndGCntrProp>(), &Describe<KxCOIBrkParam>()})
        EXPECT_TRUE(nested->Expandable) << nested->Name;
}

TEST(PropTable, CategoriesAndMarks)
{
    Fixture f;
    struct Case { const char* path; const char* category; bool ro, hidden; };
    const Case cases[] = {
        {"MeshParam.Sample", "Sample", false, false},
        {"MeshParam.DecalGrid", "Decal Grid", false, false},
        {"MeshParam.Sample.Importance", "Importance Map", false, false},
        {"MeshParam.Sample.Random.Cur_Ratio", "", true, false},
        {"MeshParam.Sample.Random.Density", "", false, false},
        {"MeshParam.Sample.Importance.Silhouette.Light", "", true, true},
        {"MeshParam.Decal.Number", "", true, false},
        {"MeshParam.Decal.Jitter_Scale", "Jitter", true, false},
        {"MeshParam.Decal.Imptn_Range", "Size", false, false},
        {"MeshParam.DecalGrid.Multi_Resolution.Cur_Ratio", "", false, true},
        {"AppParam.StampGrid.Cur_Prob", "", false, true},
        {"AppParam.Fix_Rand", "Others", false, false},
        {"MeshProp.Name", "Mesh Info", true, false},
        {"MeshProp.Face_Number", "Mesh Info", true, false},
        {"MeshProp.Select_Mode", "Select Options", false, false},
        {"MeshProp.WindowGrid_Cntr", "Container - Window Grid", false, false},
        {"MeshProp.WindowGrid_Cntr.Boundary", "", false, true},
        {"MeshProp.WindowGrid_Cntr.Perturb", "", false, true},
        {"AppProp.App_Mode", "Information", true, false},
        {"AppProp.StampGrid_Cntr.Boundary", "", false, true},
        {"AppProp.StampGrid_Cntr.Perturb", "", false, false},
        {"AnimeProp.Inter_Frames", "Information", true, false},
        {"AIOProp.Gravity", "Mesh I/O Options", false, false},
        {"AIOProp.Inter_Frames", "Animation I/O options", false, false},
        {"OIParam.Difficulty", "Difficulty", false, false},
        {"OVParam.Stamp_Perturb", "Perturbation", false, false},
    };
    for (const Case& c : cases) {
        const KxCPropRow row = f.Row(c.path);
        EXPECT_EQ(row.Category, c.category) << c.path;
        EXPECT_EQ(row.Read_Only, c.ro) << c.path;
        EXPECT_EQ(row.Hidden, c.hidden) << c.path;
    }
}

TEST(PropTable, ListIsDepthFirstWithBasePropertiesFirst)
{
    Fixture f;
    std::vector<std::string> paths;
    for (const KxCPropRow& r : f.tree.List())
        if (r.Path.rfind("MeshParam.Sample.Importance.S", 0) == 0 || r.Path.rfind("AIOProp", 0) == 0)
            paths.push_back(r.Path);
    const std::vector<std::string> expected = {
        "MeshParam.Sample.Importance.Silhouette",
        "MeshParam.Sample.Importance.Silhouette.Light",
        "MeshParam.Sample.Importance.Silhouette.Enabled",
        "MeshParam.Sample.Importance.Silhouette.Margin",
        "MeshParam.Sample.Importance.Silhouette.Ratio",
        "MeshParam.Sample.Importance.Shading",
        "MeshParam.Sample.Importance.Shading.Light",
        "MeshParam.Sample.Importance.Shading.Enabled",
        "MeshParam.Sample.Importance.Shading.Dot_Range",
        "MeshParam.Sample.Importance.Shading.Dot_Value",
        "AIOProp",
        "AIOProp.Centerize",
        "AIOProp.Normalize",
        "AIOProp.Use_VBO",
        "AIOProp.Gravity",
        "AIOProp.Inter_Frames",
    };
    EXPECT_EQ(paths, expected);

    const KxCPropRow difficulty = f.Row("OIParam.Difficulty");
    EXPECT_EQ(difficulty.Type_Name, "KxEnumDifficulty");
    EXPECT_EQ(difficulty.Choices, (std::vector<std::string>{"Easy", "Medium", "Hard"}));
    EXPECT_EQ(f.Row("MeshParam.Decal").Type_Name, "KxCDecalParam");
}

TEST(PropTable, SetGoesThroughTheRealSetters)
{
    Fixture f;
    ASSERT_TRUE(f.tree.Set("MeshParam.Sample.Random.Density", "150").Ok);
    EXPECT_EQ(f.mesh_param.Sample().Random().Density(), 100);
    ASSERT_TRUE(f.tree.Set("MeshParam.Sample.Random.Vertex_Ratio", "0.2").Ok);
    EXPECT_EQ(f.Get("MeshParam.Sample.Random.Cur_Ratio"), "0.2");

    ASSERT_TRUE(f.tree.Set("OIParam.Difficulty", "hard").Ok); // case-insensitive name, preset applied
    EXPECT_EQ(f.oi_param.Density(), 70);
    ASSERT_TRUE(f.tree.Set("OVParam.Difficulty", "1").Ok);    // by number
    EXPECT_EQ(f.ov_param.Density(), 60);

    ASSERT_TRUE(f.tree.Set("AppParam.Fix_Rand", "FALSE").Ok);
    EXPECT_FALSE(KxCAppParam().Fix_Rand());
    ASSERT_TRUE(f.tree.Set("AppParam.Fix_Rand", "1").Ok);
    EXPECT_TRUE(KxCAppParam().Fix_Rand());

    ASSERT_TRUE(f.tree.Set("MeshProp.WindowGrid_Cntr.Perturb", "false").Ok); // accepted, ignored
    EXPECT_EQ(f.Get("MeshProp.WindowGrid_Cntr.Perturb"), "true");
}

TEST(PropTable, ValuesRoundTripThroughText)
{
    Fixture f;
    struct Case { const char* path; const char* text; const char* shown; };
    const Case cases[] = {
        {"MeshParam.Decal.Radius_Ratio", "4.5", "4.5"},
        {"MeshParam.Decal.Radius_Ratio", "0.30000000000000004", "0.3"}, // 15 significant digits
        {"MeshParam.Decal.Radius_Ratio", " 1e-20 ", "1e-20"},
        {"MeshParam.Decal.Jitter_Range", "0.2, 0.9", "0.2,0.9"},
        {"MeshParam.Sample.Importance.Density", "-3", "-3"},
        {"MeshProp.Render_Mode.Point_Size", "2.5", "2.5"},
        {"MeshProp.Render_Mode.VtxColor_Mode", "importance_smooth", "Importance_Smooth"},
        {"MeshProp.Render_Color.Alpha", "128", "128"},
        {"MeshProp.Render_Color.Line_Color", "1,2,3", "1,2,3,255"},
        {"MeshProp.Render_Color.Line_Color", "10,20,30,40", "10,20,30,40"},
        {"MeshProp.Select_Mode", "3", "Edge"},
    };
    for (const Case& c : cases) {
        const KxCPropResult r = f.tree.Set(c.path, c.text);
        ASSERT_TRUE(r.Ok) << c.path << " <- " << c.text << ": " << r.Error;
        EXPECT_EQ(f.Get(c.path), c.shown) << c.path;
    }
    EXPECT_DOUBLE_EQ(f.mesh_param.Decal().Jitter_Range().Maximum(), 0.9);
    EXPECT_EQ(f.mesh_prop.Render_Color().Line_Color(), (KxCColor{10, 20, 30, 40}));
}

TEST(PropTable, SetErrorsNameTheProblemAndChangeNothing)
{
    Fixture f;
    struct Case { const char* path; const char* text; std::vector<std::string> mentions; };
    const std::vector<Case> cases = {
        {"MeshParam.Sample.Importance.Densty", "5", {"unknown property 'Densty'", "nearest: Density"}},
        {"MeshParm.Decal.Radius_Ratio", "5", {"unknown root 'MeshParm'", "nearest: MeshParam"}},
        {"MeshParam.Decal.Radius_Ratio.Minimum", "5", {"not an object"}},
        {"MeshParam.Sample.Importance.Density", "abc", {"bad value 'abc'", "int"}},
        {"MeshParam.Sample.Importance.Density", "12x", {"bad value"}},
        {"MeshParam.Sample.Importance.Density", "99999999999", {"bad value"}},
        {"MeshParam.Decal.Radius_Ratio", "nan", {"double"}},
        {"MeshParam.Decal.Radius_Ratio", "inf", {"double"}},
        {"MeshParam.Decal.Radius_Ratio", "", {"double"}},
        {"MeshParam.Decal.Jitter_Range", "0.1", {"min,max"}},
        {"MeshProp.Render_Color.Alpha", "-1", {"unsigned"}},
        {"MeshProp.Render_Color.Mesh_Color", "300,0,0", {"colour"}},
        {"OIParam.Difficulty", "Hardest", {"Easy, Medium, Hard"}},
        {"OIParam.Difficulty", "3", {"Easy, Medium, Hard"}},
        {"IOProp.Normalize", "yes", {"true, false"}},
        {"MeshParam.Sample.Random.Cur_Ratio", "0.5", {"read-only"}},
        {"MeshParam.Sample.Importance.Silhouette.Light", "0,0,1", {"read-only"}},
        {"MeshProp.Name", "x", {"read-only"}},
        {"MeshParam.Sample", "1", {"is an object"}},
        {"OIParam", "1", {"is an object"}},
    };
    const std::vector<std::string> before = f.Values();
    for (const Case& c : cases) {
        const KxCPropResult r = f.tree.Set(c.path, c.text);
        EXPECT_FALSE(r.Ok) << c.path << " <- " << c.text;
        EXPECT_EQ(r.Error.find('\n'), std::string::npos);
        for (const std::string& m : c.mentions) EXPECT_NE(r.Error.find(m), std::string::npos) << r.Error;
    }
    EXPECT_EQ(f.Values(), before);
}

TEST(PropTable, UnknownPathSuggestsAtMostThreeNearestNames)
{
    Fixture f;
    std::string value;
    // Jitter_Range and Imptn_Range tie at distance 9; the earlier-declared one wins.
    const KxCPropResult r = f.tree.Get("MeshParam.Decal.Radius_Rato", value);
    ASSERT_FALSE(r.Ok);
    EXPECT_EQ(r.Error,
              "unknown property 'Radius_Rato' in 'MeshParam.Decal' (nearest: Radius_Ratio, Radius_Scale, Jitter_Range)");
}

TEST(PropTable, ReadingJitterScaleConsumesTwoDraws)
{
    Fixture f;
    KxUtils::SRand(1024);
    EXPECT_EQ(f.Get("MeshParam.Decal.Jitter_Scale"), "1.04128543961913");
    EXPECT_EQ(KxUtils::Rand(), 29605); // the third value of seed 1024
}

TEST(PropTable, AddRootRebindsAName)
{
    Fixture f;
    KxCMeshParam other;
    other.Decal().set_Radius_Ratio(2.5);
    f.tree.Add_Root("MeshParam", other);
    EXPECT_EQ(f.Get("MeshParam.Decal.Radius_Ratio"), "2.5");
    const std::vector<KxCPropRow> rows = f.tree.List();
    EXPECT_EQ(std::count_if(rows.begin(), rows.end(), [](const KxCPropRow& r) { return r.Path == "MeshParam"; }), 1);
}
