#pragma once
// The command line's own parameter sets: one of each family, as a freshly
// loaded still model has them, walkable by dotted path.
#include <string>

#include "pipeline/params/KxCAppParam.h"
#include "pipeline/params/KxCAppProp.h"
#include "pipeline/params/KxCMeshParam.h"
#include "pipeline/params/KxCMeshProp.h"
#include "pipeline/params/KxCPropTable.h"
#include "pipeline/params/KxCSummaryParams.h"

namespace KxCli {

struct KxCParamSets {
    OrvaneImage::KxCMeshParam MeshParam;
    OrvaneImage::KxCAppParam AppParam;
    OrvaneImage::KxCMeshProp MeshProp;
    OrvaneImage::KxCAppProp AppProp;
    OrvaneImage::KxCAnimeProp AnimeProp;
    OrvaneImage::KxCIOProp IOProp;
    OrvaneImage::KxCAIOProp AIOProp;
    OrvaneImage::KxCOIParam OIParam;
    OrvaneImage::KxCOVParam OVParam;

    /// Every set under its root name (MeshParam, AppParam, ..., OIParam, OVParam).
    OrvaneImage::KxCPropTree Tree();
};

/// Parses "easy", "medium" or "hard" (any case); false for anything else.
bool Parse_Difficulty(const std::string& text, OrvaneImage::KxEnumDifficulty& out);

/// Applies a difficulty to both summary sets and pushes the still-image set
/// into the detailed parameters, as activating a still model does.
void Apply_Difficulty(KxCParamSets& sets, OrvaneImage::KxEnumDifficulty difficulty);

/// Applies one "PATH=VALUE" assignment; "" on success, else the error line.
std::string Apply_Assignment(OrvaneImage::KxCPropTree& tree, const std::string& assignment);

} // namespace KxCli
