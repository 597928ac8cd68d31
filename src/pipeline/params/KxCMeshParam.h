#pragma once
#include <string>

#include "pipeline/params/KxCDecalGParam.h"
#include "pipeline/params/KxCDecalParam.h"
#include "pipeline/params/KxCSampleParam.h"

namespace OrvaneImage {

/// The detailed generation parameters of one mesh item.
class KxCMeshParam {
public:
    static constexpr const char* Caption = "Mesh Parameters";

    /// Inspector caption.
    std::string ToString() const { return Caption; }

    /// Splat placement.
    KxCSampleParam& Sample() { return m_Sample; }
    const KxCSampleParam& Sample() const { return m_Sample; }
    /// Splat size and jitter.
    KxCDecalParam& Decal() { return m_Decal; }
    const KxCDecalParam& Decal() const { return m_Decal; }
    /// Image-space splat grids.
    KxCDecalGParam& DecalGrid() { return m_DecalGrid; }
    const KxCDecalGParam& DecalGrid() const { return m_DecalGrid; }

private:
    KxCSampleParam m_Sample;
    KxCDecalParam m_Decal;
    KxCDecalGParam m_DecalGrid;
};

} // namespace OrvaneImage
