#include "sampling/KxCQuasiSampler.h"

#include <algorithm>
#include <cmath>

#include <opencv2/core.hpp>

#include "analysis/KxCAppMesh.h"
#include "mesh/KxCRenderInfo.h"
#include "pipeline/params/KxCDecalParam.h"
#include "pipeline/params/KxCSampleParam.h"
#include "pipeline/util/KxDebug.h"
#include "pipeline/util/KxOGL.h"
#include "render/KxCKDtree.h"
#include "render/KxCOGLProjector.h"
#include "render/KxCViewScope.h"
#include "render/KxReadPixels.h"
#include "sampling/KxCSampleMask.h"
#include "splats/KxCDecalCntr.h"

namespace OrvaneImage {

namespace {

// Deep enough for the densest importance (255 x the default density) to need only one more level.
constexpr unsigned int kSubdivideLevel = 10;

/// Draws the mesh grey by importance (white = important) and reads the red channel of
/// rect, bottom row first. With shading disabled the image stays black and the mesh is
/// drawn into the depth buffer only. Either way the mesh's depth is left in the buffer.
cv::Mat Draw_Shading(KxCAppMesh* mesh, const KxCGrid& rect, const KxCImptSParam& ip)
{
    const int w = static_cast<int>(rect.Width()), h = static_cast<int>(rect.Height());
    if (!ip.Shading().Enabled()) {
        glColorMask(GL_FALSE, GL_FALSE, GL_FALSE, GL_FALSE);
        mesh->Render_Geometry();
        glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
        return cv::Mat(h, w, CV_8UC1, cv::Scalar(0));
    }
    mesh->Request_Shade(&ip.Shading());
    mesh->Request_Importance(&ip.Silhouette(), &ip.Shading());
    KxMesh::KxCRenderInfo* info = mesh->get_RenderInfo();
    const auto color_mode = info->get_Color_Mode();
    const bool light_mode = info->get_Light_Mode();
    info->set_Color_Mode(KxMesh::KxCRenderInfo::COLOR_VERTEX);
    info->set_Light_Mode(false);
    mesh->Convert_To_Gradient(GetImportanceInv());
    mesh->Render_Geometry();
    info->set_Color_Mode(color_mode);
    info->set_Light_Mode(light_mode);
    return KxUtils::Read_Red(static_cast<int>(rect.Corners()[0][0]), static_cast<int>(rect.Corners()[0][1]), w, h);
}

/// 255 on the object pixels whose distance to the background is at most Ratio x the largest
/// such distance; all zero when the band is disabled.
cv::Mat Silhouette_Band(KxCSampleMask* mask, const KxCSilhoParam& sp, cv::Size size)
{
    cv::Mat band(size, CV_8UC1, cv::Scalar(0));
    const cv::Mat* object = mask->Mask_Image()->Image();
    const cv::Mat* dist = mask->Dist_Image()->Matrix();
    if (!sp.Enabled() || !object || !dist || object->size() != size || dist->size() != size) return band;
    double largest = 0.0;
    cv::minMaxLoc(*dist, nullptr, &largest);
    band.setTo(255, (*object == 255) & (*dist <= sp.Ratio() * largest));
    return band;
}

/// The importance vector: grey x density, row-major, bottom row first.
std::vector<unsigned int> Importance_Vector(const cv::Mat& grey, int density)
{
    const unsigned int d = static_cast<unsigned int>(std::max(density, 0));
    std::vector<unsigned int> out(grey.total());
    std::transform(grey.datastart, grey.dataend, out.begin(), [d](unsigned char g) { return g * d; });
    return out;
}

/// The nearest vertex of p, or -1 without a KD-tree; idx and dist are the caller's scratch.
int Nearest_Vertex(const KxCAppMesh* mesh, const double p[3], std::vector<int>& idx, std::vector<double>& dist)
{
    idx.clear();
    if (mesh->get_KDTreePtr()) mesh->get_KDTreePtr()->Find(p, 1, idx, dist);
    return idx.empty() ? -1 : idx[0];
}

} // namespace

MyQuasiSampler::MyQuasiSampler(const std::vector<unsigned int>* importance, double w, double h)
    : Quasisampler(w, h), mp_Importance(importance)
{
}

unsigned int MyQuasiSampler::getImportanceAt(PelmoSampler::Point2D pt)
{
    const int rows = static_cast<int>(height), cols = static_cast<int>(width);
    const int row = std::min(static_cast<int>(height - pt.y), rows - 1);
    const int col = std::min(static_cast<int>(pt.x), cols - 1);
    return (*mp_Importance)[static_cast<std::size_t>(row) * cols + col];
}

bool KxCQuasiSampler::Sample(KxCAppMesh* mesh, KxCSampleMask* mask, KxCDecalCntr* cntr, const KxCSampleParam* sparam,
                             KxCDecalParam* dparam)
{
    if (!mesh || !mask || !cntr || !sparam || !dparam) {
        Throw_Debug_Msg("KxCQuasiSampler", "Sample", "Invalid inputs");
        return false;
    }
    Seed();
    const KxCImptSParam& ip = sparam->Importance();
    const double base = dparam->Radius_Ratio() * mesh->Avg_Edge();
    if (mesh->Vertex_Flags().size() != mesh->n_vertices()) mesh->Request_Vertex_Flags();

    auto* projector = KxUtils::KxCOGLProjector::InstancePtr();
    std::vector<PelmoSampler::Point2D> points;
    cv::Mat combined;
    double x0 = 0, y0 = 0;
    int H = 0;
    {
        const KxUtils::KxCViewScope view(KxUtils::KxCViewScope::KxEnumView::Captured);
        glPushAttrib(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glClearColor(0, 0, 0, 0);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glEnable(GL_DEPTH_TEST);
        glDepthMask(GL_TRUE);
        const KxCGrid& rect = *mask->Rectangle();
        if (!rect.is_Valid()) {
            glPopAttrib();
            Throw_Debug_Msg("KxCQuasiSampler", "Sample", "Invalid mask rectangle");
            return false;
        }
        x0 = rect.Corners()[0][0];
        y0 = rect.Corners()[0][1];
        H = static_cast<int>(rect.Height());
        const cv::Mat shade = Draw_Shading(mesh, rect, ip);
        cv::Mat band = Silhouette_Band(mask, ip.Silhouette(), shade.size());
        combined = cv::max(shade, band);
        mask->Silho_Image()->Clear();
        mask->Silho_Image()->Image(band);

        const std::vector<unsigned int> importance = Importance_Vector(combined, ip.Density());
        MyQuasiSampler sampler(&importance, rect.Width(), rect.Height());
        sampler.getSamplingPoints(points, kSubdivideLevel);
        // Inside the camera set-up, so the captured depth and matrices are the ones just drawn with.
        projector->Init_UnProject();
        glPopAttrib();
    }

    auto& flags = mesh->Vertex_Flags();
    std::vector<int> idx;
    std::vector<double> dist;
    for (const auto& pt : points) {
        const double wx = x0 + pt.x, wy = y0 + (H - pt.y);
        if (!mask->Intersect(wx, wy)) continue;
        double p[3];
        projector->UnProject(wx, wy, p);
        const int v = Nearest_Vertex(mesh, p, idx, dist);
        if (v < 0 || flags[v]) continue;
        flags[v] = 1;
        const int row = std::min(static_cast<int>(H - pt.y), H - 1);
        const double grey = combined.at<unsigned char>(row, static_cast<int>(pt.x));
        auto* decal = new KxCDecal();
        Setup_Decal(mesh, decal, v, dparam->Imptn_Scale(grey / 255.0) * base, dparam);
        decal->Point2D() = {wx, wy, projector->Depth(static_cast<int>(wx), static_cast<int>(wy))};
        cntr->Decals().push_back(decal);
    }
    for (KxCDecal* d : cntr->Decals())
        if (d->VertexIdx() >= 0 && d->VertexIdx() < static_cast<int>(flags.size())) flags[d->VertexIdx()] = 0;
    dparam->set_Number(static_cast<int>(cntr->Decals().size()));
    return true;
}

} // namespace OrvaneImage
