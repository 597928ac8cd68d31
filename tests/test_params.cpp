// Behaviour of the parameter objects: setters with side effects, derived
// values, difficulty presets and the summary <-> detailed mapping.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "pipeline/params/KxCAppParam.h"
#include "pipeline/params/KxCAppProp.h"
#include "pipeline/params/KxCMeshParam.h"
#include "pipeline/params/KxCMeshProp.h"
#include "pipeline/params/KxCSummaryParams.h"
#include "pipeline/params/KxParamMapping.h"
#include "pipeline/util/AppGlobal.h"
#include "pipeline/util/KxRandom.h"

using namespace OrvaneImage;

namespace {

void Expect_XForm(const KxCXFormParam& x, bool enabled, double rotate, double move)
{
    EXPECT_EQ(x.Enabled(), enabled);
    EXPECT_DOUBLE_EQ(x.Rotate_Factor(), rotate);
    EXPECT_DOUBLE_EQ(x.Move_Factor(), move);
}

} // namespace

// ---- KxCRandSParam ---------------------------------------------------------

TEST(RandSParam, DensityIsClampedAndCurRatioFollows)
{
    struct Case { int set; int stored; double cur_ratio; };
    const Case cases[] = {{150, 100, 0.1}, {-5, 0, 0.0}, {50, 50, 0.05}, {100, 100, 0.1}, {0, 0, 0.0}};
    for (const Case& c : cases) {
        KxCRandSParam p;
        p.set_Density(37); // away from the default, so a setter that forgets Cur_Ratio shows
        p.set_Density(c.set);
        EXPECT_EQ(p.Density(), c.stored) << c.set;
        EXPECT_DOUBLE_EQ(p.Cur_Ratio(), c.cur_ratio) << c.set;
    }
}

TEST(RandSParam, VertexRatioRecomputesCurRatio)
{
    KxCRandSParam p;
    p.set_Density(50);
    p.set_Vertex_Ratio(0.2);
    EXPECT_DOUBLE_EQ(p.Cur_Ratio(), 0.1);
    p.set_Vertex_Ratio(0.6);
    EXPECT_DOUBLE_EQ(p.Cur_Ratio(), 0.3);
}

// ---- KxCSilhoParam::is_Silhouette ------------------------------------------

TEST(SilhoParam, IsSilhouetteBand)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    struct Case { double margin; double dot; bool inside; };
    const Case cases[] = {
        {35.0, 0.0, true},   {35.0, 0.57, true},   {35.0, 0.58, false}, {35.0, -0.01, false},
        {35.0, nan, false},  {90.0, 0.0, true},    {90.0, 1.0, true},   {90.0, 0.5, true},
        {90.0, -1e-9, false}, {90.0, 1.0001, false}, {0.0, 0.0, true},  {0.0, 1e-17, true}, // cos 90 deg ~ 6e-17
        {0.0, 1e-9, false},  {0.0, 0.3, false},
    };
    for (const Case& c : cases) {
        KxCSilhoParam p;
        p.set_Margin(c.margin);
        EXPECT_EQ(p.is_Silhouette(c.dot), c.inside) << "margin " << c.margin << " dot " << c.dot;
    }
}

// ---- KxCDecalParam ---------------------------------------------------------

TEST(DecalParam, JitterScaleWithoutJitterIsOneAndDrawsNothing)
{
    KxCDecalParam p;
    p.set_Use_Jitter(false);
    KxUtils::SRand(7);
    const int first = KxUtils::Rand();
    KxUtils::SRand(7);
    EXPECT_EQ(p.Jitter_Scale(), 1.0);
    EXPECT_EQ(KxUtils::Rand(), first);
}

TEST(DecalParam, JitterScaleConsumesTwoDraws)
{
    KxCDecalParam p;
    KxUtils::SRand(7);
    KxUtils::Rand();
    KxUtils::Rand();
    const int third = KxUtils::Rand();
    KxUtils::SRand(7);
    p.Jitter_Scale();
    EXPECT_EQ(KxUtils::Rand(), third);
}

TEST(DecalParam, JitterScaleExactValuesAfterSeed1024)
{
    // Seed 1024 draws 3382, 4039 (odd: j negated), 29605, 1734 (even).
    KxCDecalParam p;
    KxUtils::SRand(1024);
    EXPECT_DOUBLE_EQ(p.Jitter_Scale(), 1.0 + (3382 / 32767.0) * 0.4);   // 1.041285439619129
    EXPECT_DOUBLE_EQ(p.Jitter_Scale(), 1.0 - (29605 / 32767.0) * 0.4);  // 0.6385998107852413

    // Reversed ends: the span is |0.1 - 0.3| and j starts from Minimum 0.3.
    p.set_Jitter_Range(KxCRange(0.3, 0.1));
    KxUtils::SRand(1024);
    EXPECT_DOUBLE_EQ(p.Jitter_Scale(), 1.3206427198095645);
}

TEST(DecalParam, JitterScaleWithDefaultsStaysInBandOnBothSides)
{
    KxCDecalParam p;
    KxUtils::SRand(99);
    bool above = false, below = false;
    for (int i = 0; i < 200; ++i) {
        const double s = p.Jitter_Scale();
        ASSERT_GE(s, 0.6);
        ASSERT_LE(s, 1.4);
        above |= s > 1.0;
        below |= s < 1.0;
    }
    EXPECT_TRUE(above && below);
}

TEST(DecalParam, ImptnScaleMapsImportanceOntoRange)
{
    struct Case { double min, max, importance, expected; };
    const Case cases[] = {{0.0, 1.0, 0.25, 0.25}, {0.2, 0.6, 0.5, 0.4}, {0.6, 0.2, 0.5, 0.8}, {0.2, 0.6, 0.0, 0.2}};
    for (const Case& c : cases) {
        KxCDecalParam p;
        p.set_Imptn_Range(KxCRange(c.min, c.max));
        EXPECT_DOUBLE_EQ(p.Imptn_Scale(c.importance), c.expected) << c.min << "," << c.max;
    }
}

// ---- Owners' overrides of nested defaults ----------------------------------

TEST(NestedDefaults, OwnersOverrideTheirPartsConstructors)
{
    EXPECT_FALSE(KxCBrkParam().Enabled());
    EXPECT_FALSE(KxCDGFilterParam().Enabled());
    EXPECT_DOUBLE_EQ(KxCSGFilterParam().Distance_Ratio(), 0.05);
    EXPECT_FALSE(KxCSGFilterParam().Enabled());

    const KxCDecalGParam dg;
    EXPECT_TRUE(dg.Breaker().Enabled());
    EXPECT_TRUE(dg.Filter().Enabled());
    Expect_XForm(dg.Perturb(), false, 5.0, 0.005);
    Expect_XForm(dg.Multi_Resolution().Perturb(), true, 0.0, 0.75);

    const KxCStampGParam sg;
    EXPECT_TRUE(sg.Filter().Enabled());
    EXPECT_DOUBLE_EQ(sg.Filter().Distance_Ratio(), 0.1);
    Expect_XForm(sg.Perturb_SG(), true, 360.0, 0.75);
    Expect_XForm(sg.Perturb_DG(), true, 36.0, 0.05);
}

TEST(BaseParams, CaptionFollowsTheDynamicType)
{
    KxCBrkParam brk;
    KxCSGFilterParam sg;
    KxCSilhoParam silho;
    KxCAIOProp aio;
    EXPECT_EQ(static_cast<const KxCFilterParam&>(brk).ToString(), "Breaking Parameters");
    EXPECT_EQ(static_cast<const KxCFilterParam&>(sg).ToString(), "Stamp Grid Filter Parameters");
    EXPECT_EQ(static_cast<const KxCLightParam&>(silho).ToString(), "Silhouette Parameters");
    EXPECT_EQ(static_cast<const KxCIOProp&>(aio).ToString(), "Animation I/O Properties");
}

// ---- KxCAppParam::Fix_Rand ---------------------------------------------------

TEST(AppParam, FixRandIsTheProcessWideSwitch)
{
    KxCAppParam a, b;
    a.set_Fix_Rand(false);
    EXPECT_FALSE(AppGlobal::g_Fix_Rand);
    EXPECT_FALSE(b.Fix_Rand());
    AppGlobal::g_Fix_Rand = true;
    EXPECT_TRUE(a.Fix_Rand());
}

// ---- Grid container display switches ----------------------------------------

TEST(GCntrProp, WindowPerturbAlwaysReadsTrue)
{
    KxCWndGCntrProp w;
    w.set_Perturb(false);
    const KxCGCntrPropIT& it = w;
    EXPECT_TRUE(it.Perturb());
    w.set_Boundary(true);
    EXPECT_TRUE(it.Boundary());
}

TEST(GCntrProp, InterfaceReadsEachImplementersOwnValues)
{
    KxCDecalGCntrProp d;
    KxCWndGCntrProp w;
    KxCStampGCntrProp s;
    struct Expect { const KxCGCntrPropIT* it; bool grid, rect, bdry, perturb; };
    const Expect cases[] = {{&d, true, false, false, true}, {&w, false, false, false, true}, {&s, true, false, false, true}};
    for (const Expect& c : cases) {
        EXPECT_EQ(c.it->Grid(), c.grid);
        EXPECT_EQ(c.it->Rectangle(), c.rect);
        EXPECT_EQ(c.it->Boundary(), c.bdry);
        EXPECT_EQ(c.it->Perturb(), c.perturb);
        EXPECT_EQ(c.it->Selected(), -1);
    }
    KxCGCntrPropIT& it = s;
    it.set_Selected(4);
    EXPECT_EQ(s.Selected(), 4);
    s.set_Perturb(false);
    EXPECT_FALSE(it.Perturb());
}

// ---- Difficulty presets ------------------------------------------------------

namespace {

// Puts every preset-controlled field of a summary set far from any preset.
void Scramble(KxCSummaryParam& s)
{
    s.set_Render_Mode(KxEnumOrvaneMode::Orvane);
    s.set_Density(1);
    s.set_Splat_Size(99);
    s.Splat_Perturb() = KxCXFormParam(false, -1.0, -1.0);
    s.Stamp_Perturb() = KxCXFormParam(false, -2.0, -2.0);
}

void Scramble(KxCOIParam& s)
{
    Scramble(static_cast<KxCSummaryParam&>(s));
    s.Silhouette_Break().set_Enabled(false);
    s.Silhouette_Break().set_Degree(-3.0);
    s.Silhouette_Perturb() = KxCXFormParam(false, -4.0, -4.0);
}

void Expect_Shared_Preset(const KxCSummaryParam& s)
{
    Expect_XForm(s.Splat_Perturb(), true, 36.0, 0.05);
    Expect_XForm(s.Stamp_Perturb(), true, 360.0, 0.75);
}

} // namespace

TEST(OIParam, DifficultyPresets)
{
    struct Preset { KxEnumDifficulty d; int density; double degree, rotate, move; };
    const Preset presets[] = {
        {KxEnumDifficulty::Easy, 100, 0.05, 5.0, 0.005},
        {KxEnumDifficulty::Medium, 80, 0.1, 10.0, 0.005},
        {KxEnumDifficulty::Hard, 70, 0.15, 15.0, 0.001},
    };
    for (const Preset& p : presets) {
        SCOPED_TRACE(Enum_Name(p.d));
        KxCOIParam s;
        Scramble(s);
        s.set_Difficulty(p.d);
        EXPECT_EQ(s.Difficulty(), p.d);
        EXPECT_EQ(s.Render_Mode(), KxEnumOrvaneMode::Orvane); // never touched by a preset
        EXPECT_EQ(s.Density(), p.density);
        EXPECT_EQ(s.Splat_Size(), 5);
        EXPECT_TRUE(s.Silhouette_Break().Enabled());
        EXPECT_DOUBLE_EQ(s.Silhouette_Break().Degree(), p.degree);
        Expect_XForm(s.Silhouette_Perturb(), true, p.rotate, p.move);
        Expect_Shared_Preset(s);
    }
}

TEST(OVParam, DifficultyPresets)
{
    struct Preset { KxEnumDifficulty d; int density; };
    const Preset presets[] = {
        {KxEnumDifficulty::Easy, 100}, {KxEnumDifficulty::Medium, 60}, {KxEnumDifficulty::Hard, 30}};
    for (const Preset& p : presets) {
        SCOPED_TRACE(Enum_Name(p.d));
        KxCOVParam s;
        Scramble(s);
        s.set_Difficulty(p.d);
        EXPECT_EQ(s.Difficulty(), p.d);
        EXPECT_EQ(s.Render_Mode(), KxEnumOrvaneMode::Orvane);
        EXPECT_EQ(s.Density(), p.density);
        EXPECT_EQ(s.Splat_Size(), 6);
        Expect_Shared_Preset(s);
    }
}

TEST(SummaryParams, DifficultyOutsidePresetsIsStoredAndChangesNothingElse)
{
    for (const int raw : {3, -1, 42}) {
        const auto d = static_cast<KxEnumDifficulty>(raw);
        KxCOIParam oi;
        Scramble(oi);
        oi.set_Difficulty(d);
        EXPECT_EQ(static_cast<int>(oi.Difficulty()), raw);
        EXPECT_EQ(oi.Density(), 1);
        EXPECT_EQ(oi.Splat_Size(), 99);
        EXPECT_DOUBLE_EQ(oi.Silhouette_Break().Degree(), -3.0);
        Expect_XForm(oi.Silhouette_Perturb(), false, -4.0, -4.0);
        Expect_XForm(oi.Stamp_Perturb(), false, -2.0, -2.0);

        KxCOVParam ov;
        Scramble(ov);
        ov.set_Difficulty(d);
        EXPECT_EQ(static_cast<int>(ov.Difficulty()), raw);
        EXPECT_EQ(ov.Density(), 1);
        Expect_XForm(ov.Splat_Perturb(), false, -1.0, -1.0);
    }
}

TEST(SummaryParams, ConstructionAppliesEasyAfterOwnDefaults)
{
    const KxCOIParam oi;
    EXPECT_EQ(oi.Render_Mode(), KxEnumOrvaneMode::Scene);
    EXPECT_EQ(oi.Difficulty(), KxEnumDifficulty::Easy);
    EXPECT_EQ(oi.Density(), 100);
    EXPECT_EQ(oi.Splat_Size(), 5);
    EXPECT_TRUE(oi.Silhouette_Break().Enabled());                // constructor false, preset true
    EXPECT_DOUBLE_EQ(oi.Silhouette_Break().Degree(), 0.05);     // constructor 0.1, preset 0.05
    Expect_XForm(oi.Silhouette_Perturb(), true, 5.0, 0.005);

    const KxCOVParam ov;
    EXPECT_EQ(ov.Render_Mode(), KxEnumOrvaneMode::Scene);
    EXPECT_EQ(ov.Splat_Size(), 6);
    Expect_Shared_Preset(ov);
}

// ---- Summary <-> detailed mapping ------------------------------------------

namespace {

struct Item {
    KxCMeshParam M;
    KxCAppParam P;
    KxCAppProp A;
};

} // namespace

TEST(ParamMapping, HardStillImageReachesTheDetailedParameters)
{
    KxCOIParam oi;
    oi.set_Difficulty(KxEnumDifficulty::Hard);
    Item item;
    Param_Sys2App(oi, item.M, item.P, item.A);

    EXPECT_EQ(item.M.Sample().Importance().Density(), 70);
    EXPECT_EQ(item.M.Sample().Random().Density(), 100); // the video target stays
    EXPECT_TRUE(item.M.DecalGrid().Breaker().Enabled());
    EXPECT_DOUBLE_EQ(item.M.DecalGrid().Breaker().Lnth_Ratio(), 0.15);
    Expect_XForm(item.M.DecalGrid().Perturb(), true, 15.0, 0.001);
    EXPECT_DOUBLE_EQ(item.M.Decal().Radius_Ratio(), 5.0);
    Expect_XForm(item.P.StampGrid().Perturb_DG(), true, 36.0, 0.05);
    Expect_XForm(item.P.StampGrid().Perturb_SG(), true, 360.0, 0.75);
    EXPECT_EQ(item.A.Orvane_Mode(), KxEnumOrvaneMode::Scene); // summary starts in Scene, item in Develop
}

TEST(ParamMapping, VideoSetCopiesItsRowsWithClampedDensity)
{
    KxCOVParam ov;
    ov.set_Render_Mode(KxEnumOrvaneMode::Orvane);
    ov.set_Density(150);
    ov.set_Splat_Size(7);
    ov.Splat_Perturb() = KxCXFormParam(false, 18.0, 0.02);
    ov.Stamp_Perturb() = KxCXFormParam(false, 90.0, 0.3);
    Item item;
    item.M.DecalGrid().Breaker().set_Lnth_Ratio(0.33);
    Param_Sys2App(ov, item.M, item.P, item.A);

    EXPECT_EQ(item.A.Orvane_Mode(), KxEnumOrvaneMode::Orvane);
    Expect_XForm(item.P.StampGrid().Perturb_DG(), false, 18.0, 0.02);
    Expect_XForm(item.P.StampGrid().Perturb_SG(), false, 90.0, 0.3);

    EXPECT_EQ(item.M.Sample().Random().Density(), 100);
    EXPECT_DOUBLE_EQ(item.M.Sample().Random().Cur_Ratio(), 0.1);
    EXPECT_EQ(item.M.Sample().Importance().Density(), 100);
    EXPECT_DOUBLE_EQ(item.M.Decal().Radius_Ratio(), 7.0);
    EXPECT_DOUBLE_EQ(item.M.DecalGrid().Breaker().Lnth_Ratio(), 0.33); // no silhouette rows for videos
}

TEST(ParamMapping, RadiusRatioTruncatesTowardZero)
{
    struct Case { double radius; int splat_size; };
    const Case cases[] = {{4.7, 4}, {5.9, 5}, {5.0, 5}, {-4.7, -4}, {0.99, 0}};
    for (const Case& c : cases) {
        Item item;
        item.M.Decal().set_Radius_Ratio(c.radius);
        KxCOIParam oi;
        Param_App2Sys(oi, item.M, item.P, item.A);
        EXPECT_EQ(oi.Splat_Size(), c.splat_size) << c.radius;
        Param_Sys2App(oi, item.M, item.P, item.A);
        EXPECT_DOUBLE_EQ(item.M.Decal().Radius_Ratio(), c.splat_size) << c.radius;
    }
}

TEST(ParamMapping, App2SysCopiesEveryRowButDifficulty)
{
    Item item;
    item.A.set_Orvane_Mode(KxEnumOrvaneMode::Develop);
    item.M.Sample().Importance().set_Density(42);
    item.M.Decal().set_Radius_Ratio(8.2);
    item.M.DecalGrid().Breaker().set_Enabled(false);
    item.M.DecalGrid().Breaker().set_Lnth_Ratio(0.27);
    item.M.DecalGrid().Perturb() = KxCXFormParam(true, 11.0, 0.002);
    item.P.StampGrid().Perturb_DG() = KxCXFormParam(false, 12.0, 0.06);
    item.P.StampGrid().Perturb_SG() = KxCXFormParam(false, 180.0, 0.5);

    KxCOIParam oi;
    oi.set_Difficulty(KxEnumDifficulty::Medium);
    Param_App2Sys(oi, item.M, item.P, item.A);
    EXPECT_EQ(oi.Render_Mode(), KxEnumOrvaneMode::Develop);
    EXPECT_EQ(oi.Density(), 42);
    EXPECT_EQ(oi.Splat_Size(), 8);
    EXPECT_FALSE(oi.Silhouette_Break().Enabled());
    EXPECT_DOUBLE_EQ(oi.Silhouette_Break().Degree(), 0.27);
    Expect_XForm(oi.Silhouette_Perturb(), true, 11.0, 0.002);
    Expect_XForm(oi.Splat_Perturb(), false, 12.0, 0.06);
    Expect_XForm(oi.Stamp_Perturb(), false, 180.0, 0.5);
    EXPECT_EQ(oi.Difficulty(), KxEnumDifficulty::Medium);

    item.M.Sample().Random().set_Density(55);
    KxCOVParam ov;
    Param_App2Sys(ov, item.M, item.P, item.A);
    EXPECT_EQ(ov.Density(), 55);
    Expect_XForm(ov.Stamp_Perturb(), false, 180.0, 0.5);
}

TEST(ParamMapping, DispatchFollowsTheItemsAppMode)
{
    KxCOIParam oi;
    KxCOVParam ov;
    oi.set_Density(11);
    ov.set_Density(22);

    Item image;
    Param_Sys2App(oi, ov, image.M, image.P, image.A);
    EXPECT_EQ(image.M.Sample().Importance().Density(), 11);
    EXPECT_EQ(image.M.Sample().Random().Density(), 100);

    Item video;
    video.A.set_App_Mode(KxEnumAppMode::Orvane_Video);
    Param_Sys2App(oi, ov, video.M, video.P, video.A);
    EXPECT_EQ(video.M.Sample().Random().Density(), 22);
    EXPECT_EQ(video.M.Sample().Importance().Density(), 100);

    video.M.Sample().Random().set_Density(33);
    Param_App2Sys(oi, ov, video.M, video.P, video.A);
    EXPECT_EQ(ov.Density(), 33);
    EXPECT_EQ(oi.Density(), 11);
}

TEST(ParamMapping, UnknownAppModeDoesNothing)
{
    KxCOIParam oi;
    KxCOVParam ov;
    oi.set_Density(11);
    Item item;
    item.A.set_App_Mode(static_cast<KxEnumAppMode>(5));
    Param_Sys2App(oi, ov, item.M, item.P, item.A);
    EXPECT_EQ(item.M.Sample().Importance().Density(), 100);
    EXPECT_EQ(item.A.Orvane_Mode(), KxEnumOrvaneMode::Develop);

    item.M.Decal().set_Radius_Ratio(9.0);
    Param_App2Sys(oi, ov, item.M, item.P, item.A);
    EXPECT_EQ(oi.Splat_Size(), 5);
    EXPECT_EQ(ov.Splat_Size(), 6);
}
