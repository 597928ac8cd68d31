// The analysis and the stamping of real splats: a sphere seen head-on,
// sampled, parameterized and textured with the disc, as a still image is made.
#include <set>

#include "KxDiscImage.h"
#include "analysis/KxCAppMesh.h"
#include "composition/KxCAnalyzerOI.h"
#include "composition/KxCDecalGrid.h"
#include "composition/KxCGridCntr.h"
#include "composition/KxCStampGrid.h"
#include "composition/KxCStamperCPP.h"
#include "composition/KxCWndGrid.h"
#include "composition/KxGridDrawing.h"
#include "pipeline/params/KxCAppParam.h"
#include "pipeline/params/KxCDecalGParam.h"
#include "pipeline/params/KxCDecalParam.h"
#include "pipeline/params/KxCSampleParam.h"
#include "pipeline/util/KxPtrVector.h"
#include "sampling/KxCQuasiSampler.h"
#include "sampling/KxCStencilMask.h"
#include "splats/KxCDecalCntr.h"
#include "splats/KxCGEMap.h"
#include "splats/KxCTexturer.h"
#include "test_support.h"

using namespace OrvaneImage;

namespace {

constexpr int kSize = 256;

/// The products of one analysis and stamping; deletes the containers it holds.
struct KxComposition {
    KxCDecalGCntr merged, unmerged;
    std::vector<KxCWndGCntr*> windows;
    std::vector<KxCStampGCntr*> stamps;
    ~KxComposition()
    {
        KxUtils::Clear_Ptr_Vector(stamps);
        KxUtils::Clear_Ptr_Vector(windows);
    }
};

/// A sphere of radius 0.8 filling a disc of radius ~102 pixels about the centre of a 256 x 256 view.
class CompositionTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        panel = KxOGLPanel::KxCHeadlessPanel::Create(kSize, kSize);
        ASSERT_TRUE(panel) << "a headless OpenGL context is required (Mesa EGL)";
        orvane_test::Capture_Ortho(-1, 1, -1, 1, {0, 0, kSize, kSize});
        orvane_test::Make_Sphere(mesh, 0.8, 4);
        mesh.Request_AABB(false);
        mesh.Preprocess();
        mesh.Request_KDTree();
        mesh.Request_TangentPlane();
        mesh.Request_Vertex_Flags();
        mesh.Request_Face_Flags();
        texture = KxTools::Disc_Texture();
        ASSERT_TRUE(mask.Create(&mesh, KxCSampleMask::Mode_Depth));
    }

    /// Samples, parameterizes and textures fresh splats.
    void Make_Splats()
    {
        KxCSampleParam sparam;
        sparam.Importance().Silhouette().Light().Light_Pos() = {0, 0, 10};
        sparam.Importance().Shading().Light().Light_Vec() = {0, 0, -1};
        sparam.Importance().set_Density(200); // enough splats for a picture at this size
        KxCDecalParam dparam;
        decals.Clear();
        KxCGEMap::InstancePtr()->Trick() = true;
        ASSERT_TRUE(KxCQuasiSampler::InstancePtr()->Sample(&mesh, &mask, &decals, &sparam, &dparam));
        ASSERT_TRUE(KxCGEMap::InstancePtr()->Parameterize(&mesh, &decals, &dparam));
        ASSERT_TRUE(KxCRandomTexturer::InstancePtr()->Texture(&mesh, &decals, {}, {texture}));
    }

    void Compose(KxComposition& c)
    {
        ASSERT_TRUE(KxCAnalyzerOI::InstancePtr()->Analyze(&decals, &c.merged, &c.unmerged, &c.windows, &mask, &gparam));
        ASSERT_FALSE(c.windows.empty());
        ASSERT_TRUE(KxCStamperCPP::InstancePtr()->Stamp(&c.windows, &c.stamps, &mask, &sparams));
    }

    std::unique_ptr<KxOGLPanel::KxCHeadlessPanel> panel;
    KxCAppMesh mesh;
    KxCStencilMask mask;
    KxCDecalCntr decals;
    KxCDecalGParam gparam;
    KxCStampGParam sparams;
    unsigned int texture = 0;
};

} // namespace

TEST_F(CompositionTest, BlobsWindowsAndHiddenSplatsFitTheObject)
{
    Make_Splats();
    KxComposition c;
    Compose(c);
    ASSERT_GT(decals.Decals().size(), 100u);
    ASSERT_GT(c.merged.Grids().size(), 20u);

    // Blobs lie on the object; the ones flagged touch the silhouette band.
    const double bdry = gparam.Bdry_Ratio() * mask.Rectangle()->Diagonal().norm();
    for (KxCGrid* g : c.merged.Grids()) {
        const auto& grid = *dynamic_cast<KxCDecalGrid*>(g);
        double nearest = 1e9;
        for (const auto& [x, y] : orvane_test::Grid_Pixels(grid)) {
            ASSERT_TRUE(mask.Intersect(x, y)) << x << ", " << y;
            nearest = std::min(nearest, mask.Dist_to_Bdry({double(x), double(y)}, false));
        }
        EXPECT_EQ(grid.Boundary_Flag(), nearest < bdry);
    }
    // Only splats by the silhouette are hidden, and they leave no grid behind.
    std::size_t visible = 0;
    for (KxCDecal* d : decals.Decals()) {
        if (!d->Visible()) {
            EXPECT_TRUE(d->Boundary());
        }
        visible += d->Visible();
    }
    EXPECT_LE(c.unmerged.Grids().size(), visible);
    // Every window touches the object and lists unmerged grids only.
    const std::set<KxCGrid*> splat_grids(c.unmerged.Grids().begin(), c.unmerged.Grids().end());
    for (KxCWndGCntr* layer : c.windows)
        for (KxCGrid* g : layer->Grids()) {
            const auto& w = *dynamic_cast<KxCWndGrid*>(g);
            EXPECT_TRUE(w.Intersect(*mask.Rectangle()));
            for (KxCDecalGrid* dg : w.DecalGrids()) EXPECT_TRUE(splat_grids.count(dg));
        }
}

TEST_F(CompositionTest, NoShownCopyIsDrawnOnTheObject)
{
    const orvane_test::FixRand fix(true);
    Make_Splats();
    KxComposition c;
    Compose(c);
    int shown = 0, hidden = 0;
    const auto& vp = KxUtils::KxCOGLProjector::InstancePtr()->Viewport();
    for (KxCStampGCntr* layer : c.stamps)
        for (KxCGrid* g : layer->Grids()) {
            // Tiles off the object's rectangle are not filtered, wherever their copies are drawn.
            const auto& tile = *dynamic_cast<KxCStampGrid*>(g);
            if (!tile.Intersect(*mask.Rectangle())) continue;
            for (const KxCDecalGrid* copy : tile.DecalGrids()) {
                const auto p = XForm_Point(tile, XForm_Point(*copy, copy->Center()));
                const bool in_view = p[0] >= 0 && p[1] >= 0 && p[0] < vp[2] && p[1] < vp[3];
                if (copy->Stamp_Flag()) {
                    ++shown;
                    if (in_view) {
                        EXPECT_FALSE(mask.Intersect(int(p[0]), int(p[1])));
                    }
                } else {
                    ++hidden;
                }
            }
        }
    EXPECT_GT(shown, 50);
    EXPECT_GT(hidden, 0);
}

TEST_F(CompositionTest, FixedRandomnessRepeatsTheWholeComposition)
{
    const orvane_test::FixRand fix(true);
    auto run = [&] {
        Make_Splats();
        KxComposition c;
        Compose(c);
        std::vector<double> out;
        for (KxCGrid* g : c.merged.Grids()) out.insert(out.end(), {g->XForm().m_Move[0], g->XForm().m_Angle});
        for (KxCWndGCntr* layer : c.windows)
            for (KxCGrid* g : layer->Grids()) out.insert(out.end(), {g->Corners()[0][0], g->Corners()[0][1]});
        for (KxCStampGCntr* layer : c.stamps)
            for (KxCGrid* g : layer->Grids())
                for (const KxCDecalGrid* copy : dynamic_cast<KxCStampGrid*>(g)->DecalGrids())
                    out.insert(out.end(), {copy->Corners()[0][0], copy->XForm().m_Move[1], double(copy->Stamp_Flag())});
        return out;
    };
    const std::vector<double> first = run();
    EXPECT_EQ(run(), first);
    EXPECT_GT(first.size(), 1000u);
}
