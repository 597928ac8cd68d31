#include "composition/KxCGridCntr.h"

#include "composition/KxCDecalGrid.h"
#include "composition/KxCGrid.h"
#include "composition/KxCStampGrid.h"
#include "composition/KxCWndGrid.h"
#include "composition/KxGridDrawing.h"
#include "pipeline/params/KxCGCntrProp.h"
#include "pipeline/util/KxOGL.h"
#include "pipeline/util/KxPtrVector.h"

namespace OrvaneImage {

// ---- KxCGridCntr ----

KxCGridCntr::~KxCGridCntr() { KxCGridCntr::Clear(); }

void KxCGridCntr::Clear() { KxUtils::Clear_Ptr_Vector(m_Grids); }

int KxCGridCntr::Clamp_Selected(KxCGCntrPropIT* prop) const
{
    int sel = prop->Selected();
    if (sel != -1) {
        if (sel < 0) sel = 0;
        if (sel >= static_cast<int>(m_Grids.size())) sel = static_cast<int>(m_Grids.size()) - 1;
        prop->set_Selected(sel);
    }
    return sel;
}

void KxCGridCntr::Render(KxCGCntrPropIT* prop)
{
    if (!prop) return;
    Clamp_Selected(prop);
    if (prop->Rectangle()) Render_Rect(prop);
}

void KxCGridCntr::Render_Rect(KxCGCntrPropIT* prop)
{
    if (!prop) return;
    const int sel = Clamp_Selected(prop);
    const bool perturb = prop->Perturb();
    KxCOutlineSetup setup(1.0f, 0.0f, 0.0f);
    if (sel == -1)
        for (const KxCGrid* g : m_Grids) Render_Helper(g, perturb);
    else
        Render_Helper(m_Grids[sel], perturb);
}

void KxCGridCntr::Render_Helper(const KxCGrid* grid, bool perturb)
{
    if (!grid) return;
    const auto& c = grid->Corners();
    if (perturb) {
        glPushMatrix();
        Apply_XForm(*grid);
    }
    glBegin(GL_QUADS);
    for (int i = 0; i < 4; ++i) glVertex2d(c[i][0], c[i][1]);
    glEnd();
    if (perturb) glPopMatrix();
}

void KxCGridCntr::Render_Helper(const KxCDecalGrid* grid, bool perturb)
{
    if (!grid) return;
    const GLuint id = grid->TextureID();
    if (id == 0) return;
    static const double kTexCoords[4][2] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
    const auto& c = grid->Corners();
    glBindTexture(GL_TEXTURE_2D, id);
    if (perturb) {
        glPushMatrix();
        Apply_XForm(*grid);
    }
    glBegin(GL_QUADS);
    for (int i = 0; i < 4; ++i) {
        glTexCoord2dv(kTexCoords[i]);
        glVertex2d(c[i][0], c[i][1]);
    }
    glEnd();
    if (perturb) glPopMatrix();
    glBindTexture(GL_TEXTURE_2D, 0);
}

// ---- KxCDecalGCntr ----

void KxCDecalGCntr::Clear()
{
    KxCGridCntr::Clear();
    Clear_Local();
}

void KxCDecalGCntr::Render(KxCGCntrPropIT* prop)
{
    if (!prop) return;
    const int sel = Clamp_Selected(prop);
    const bool perturb = prop->Perturb();
    if (prop->Grid()) {
        KxCTextureSetup setup;
        if (sel == -1) {
            for (KxCGrid* g : m_Grids) {
                auto* dg = dynamic_cast<KxCDecalGrid*>(g);
                if (dg && dg->Enabled()) Render_Helper(dg, perturb);
            }
        } else {
            // A selected grid is shown even when the area filter disabled it.
            Render_Helper(dynamic_cast<KxCDecalGrid*>(m_Grids[sel]), perturb);
        }
    }
    if (prop->Boundary()) {
        KxCOutlineSetup setup(0.0f, 0.0f, 1.0f);
        for (KxCGrid* g : m_Grids) {
            auto* dg = dynamic_cast<KxCDecalGrid*>(g);
            if (dg && dg->Boundary_Flag()) Render_Helper(static_cast<const KxCGrid*>(dg), perturb);
        }
    }
    if (prop->Rectangle()) Render_Rect(prop);
}

// ---- KxCWndGCntr ----

void KxCWndGCntr::Clear()
{
    KxCGridCntr::Clear();
    Clear_Local();
}

void KxCWndGCntr::Render(KxCGCntrPropIT* prop)
{
    if (!prop) return;
    const int sel = Clamp_Selected(prop);
    const bool perturb = prop->Perturb();
    if (prop->Grid()) {
        KxCTextureSetup setup;
        auto draw = [perturb](const KxCGrid* g) {
            const auto* wnd = dynamic_cast<const KxCWndGrid*>(g);
            if (!wnd) return;
            // Windows are only ever shown at their perturbed places.
            glPushMatrix();
            Apply_XForm(*wnd);
            for (const KxCDecalGrid* dg : wnd->DecalGrids()) Render_Helper(dg, perturb);
            glPopMatrix();
        };
        if (sel == -1)
            for (const KxCGrid* g : m_Grids) draw(g);
        else
            draw(m_Grids[sel]);
    }
    if (prop->Rectangle()) Render_Rect(prop);
}

// ---- KxCStampGCntr ----

void KxCStampGCntr::Clear()
{
    KxCGridCntr::Clear();
    Clear_Local();
}

void KxCStampGCntr::Render(KxCGCntrPropIT* prop)
{
    if (!prop) return;
    const int sel = Clamp_Selected(prop);
    const bool perturb = prop->Perturb();
    const auto* stamp_prop = dynamic_cast<const KxCStampGCntrProp*>(prop);
    const bool perturb_dg = stamp_prop ? stamp_prop->Perturb_DG() : perturb;
    if (prop->Grid()) {
        KxCTextureSetup setup;
        auto draw = [perturb, perturb_dg](const KxCGrid* g) {
            const auto* tile = dynamic_cast<const KxCStampGrid*>(g);
            if (!tile || !tile->WindowGrid()) return;
            if (perturb) {
                glPushMatrix();
                Apply_XForm(*tile);
            }
            for (const KxCDecalGrid* dg : tile->DecalGrids())
                if (dg && dg->Stamp_Flag()) Render_Helper(dg, perturb_dg);
            if (perturb) glPopMatrix();
        };
        if (sel == -1)
            for (const KxCGrid* g : m_Grids) draw(g);
        else
            draw(m_Grids[sel]);
    }
    if (prop->Rectangle()) Render_Rect(prop);
}

} // namespace OrvaneImage
