// Keyframe animation of the analysed mesh: keys read from mesh files, frames
// blended between them, and playback that moves the mesh to a frame.
#include "analysis/KxCAppMesh.h"

#include "mesh/KxCMeshKernel.h"
#include "pipeline/params/KxCAppProp.h"
#include "pipeline/util/AppGlobal.h"
#include "pipeline/util/KxDebug.h"

namespace OrvaneImage {

namespace {

void Progress_Init(const std::string& text, int max)
{
    if (AppGlobal::g_Form) AppGlobal::g_Form->ProgressBar_Init(text, 0, max, 0);
}

void Progress_Update(const std::string& text, int value)
{
    if (AppGlobal::g_Form) AppGlobal::g_Form->ProgressBar_Update(text, value);
}

} // namespace

bool KxCAppMesh::Read_Animation(const std::vector<std::string>& paths, const KxCAIOProp* option)
{
    if (paths.empty() || !option) return false;
    const int last = static_cast<int>(paths.size()) - 1;
    Progress_Init("Reading keyframe files...", last);
    Release_Animation();
    for (int i = 0; i <= last; ++i) {
        // Positions exactly as stored: no normalising, centring, box or buffer.
        KxMesh::KxCMesh key(new KxMesh::KxCTriangleKernel());
        KxMesh::KxCIOOption io(0, 0.0f);
        if (!key.Read_Mesh(paths[i], io)) {
            Throw_Debug_Msg("KxCAppMesh", "Read_Animation", "Failed to open keyframe file");
            continue;
        }
        if (key.n_vertices() != n_vertices() || key.n_faces() != n_faces()) {
            Throw_Debug_Msg("KxCAppMesh", "Read_Animation", "Invalid size of vertex/face");
            continue;
        }
        auto* pose = new KxCPose(n_vertices());
        for (auto v : key.vertices()) (*pose)[v.idx()] = key.property(key.get_VPoint_Prop(), v);
        m_Keys.push_back(pose);
        Progress_Update("Reading keyframe files...", i);
    }
    Progress_Update("Read keyframe files done", last);
    return true;
}

void KxCAppMesh::Interpolate_Animation(const KxCAIOProp* option)
{
    if (!option) return;
    const int keys = Total_Keys();
    Progress_Init("Interpolating animation...", keys - 1);
    // Frames are rebuilt from the keys; blends of an earlier build go, the keys stay.
    for (KxCPose* f : m_Frames)
        if (std::find(m_Keys.begin(), m_Keys.end(), f) == m_Keys.end()) delete f;
    m_Frames.clear();
    m_InterFrames = option->Inter_Frames();
    m_FrameIdx = 0;
    const int n = m_InterFrames;
    if (n <= 0 || keys < 2) {
        m_Frames = m_Keys;
    } else {
        const double step = 1.0 / (n + 1);
        for (int i = 0; i + 1 < keys; ++i) {
            const KxCPose& a = *m_Keys[i];
            const KxCPose& b = *m_Keys[i + 1];
            m_Frames.push_back(m_Keys[i]);
            for (int j = 1; j <= n; ++j) {
                const double t = j * step;
                auto* f = new KxCPose(a.size());
                for (std::size_t v = 0; v < a.size(); ++v) (*f)[v] = a[v] * (1 - t) + b[v] * t;
                m_Frames.push_back(f);
            }
            if (i == keys - 2) m_Frames.push_back(m_Keys[i + 1]);
            Progress_Update("Interpolating animation...", i);
        }
    }
    Progress_Update("Interpolate animation done", keys - 1);
}

void KxCAppMesh::Release_Animation()
{
    for (KxCPose* f : m_Frames) delete f;
    // Keys that never reached a frame list are owned by nobody else.
    if (m_Frames.empty())
        for (KxCPose* k : m_Keys) delete k;
    m_Frames.clear();
    m_Keys.clear();
    m_InterFrames = 0;
    m_FrameIdx = 0;
}

void KxCAppMesh::Playback_Goto(int index)
{
    const int n = Total_Frames();
    if (n == 0) return;
    if (index != -1) {
        if (index < 0 || index >= n) {
            Throw_Debug_Msg("KxCAppMesh", "Playback_Goto", "Index is out of range");
            return;
        }
        m_FrameIdx = index;
    }
    const KxCPose& pose = *m_Frames[m_FrameIdx];
    for (auto v : vertices()) property(m_VPoint_Prop, v) = pose[v.idx()];
    Update_AABB(false);
    Update_Normals();
    if (has_VBO()) Update_VBO(3);
}

void KxCAppMesh::Playback(const KxCAnimeProp* anime)
{
    const int n = Total_Frames();
    if (n == 0 || !anime) return;
    ++m_FrameIdx;
    if (anime->Loop()) {
        m_FrameIdx %= n;
        Playback_Goto(-1);
    } else if (m_FrameIdx < n) {
        Playback_Goto(-1);
    } else {
        m_FrameIdx = n - 1;
    }
}

void KxCAppMesh::Playback_Fwd()
{
    const int n = Total_Frames();
    if (n == 0) return;
    if (++m_FrameIdx < n) Playback_Goto(-1);
    else m_FrameIdx = n - 1;
}

void KxCAppMesh::Playback_Rew()
{
    if (Total_Frames() == 0) return;
    if (--m_FrameIdx >= 0) Playback_Goto(-1);
    else m_FrameIdx = 0;
}

} // namespace OrvaneImage
