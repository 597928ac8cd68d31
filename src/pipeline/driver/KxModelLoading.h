#pragma once
// Loading one mesh file as a model of the tool: the load option built from
// the user's load options, and the preparation every loaded model gets.
#include <memory>
#include <string>

#include "analysis/KxCAppMesh.h"
#include "mesh/KxCIOOption.h"
#include "pipeline/params/KxCAppProp.h"

namespace OrvaneImage {

/// The load options of a still model, as the still-image open sets them: centred,
/// normalised, dropped onto the ground, no buffer object.
KxCIOProp Still_Image_Options();

/// The read option of a model: the enlarged box always; a buffer object when
/// the options ask for one and the GL driver offers it; centring; scale 1 when normalising.
KxMesh::KxCIOOption Model_IO_Option(const KxCIOProp& io, bool vbo_offered);

/// Reads a model file into a new analysed mesh drawn with triangle strips,
/// drops it onto the ground when asked, and prepares it for the generation
/// steps (edge statistics, KD-tree, scratch flags). Null when the file cannot be read.
std::unique_ptr<KxCAppMesh> Load_Model_Mesh(const std::string& path, const KxCIOProp& io, bool vbo_offered);

} // namespace OrvaneImage
