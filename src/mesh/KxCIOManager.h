#pragma once
// Reads meshes into a KxCMesh and writes them back, through the mesh
// library's reader and writer registry (OBJ, OFF, PLY, STL, OM), with a plain
// OBJ writer for meshes whose positions live in another property.
#include <string>

#include "mesh/KxCIOOption.h"
#include "pipeline/util/KxCSingleton.h"

namespace KxMesh {

class KxCMesh;

class KxCIOManager : public KxCSingleton<KxCIOManager> {
public:
    virtual ~KxCIOManager() = default;

    /// Clears the mesh and reads the file. Fails (mesh left empty, one line on
    /// stderr) when no reader accepts the file, or when it holds an invalid
    /// face, an unreadable or non-finite vertex, or no triangle at all.
    virtual bool Read_Mesh(KxCMesh* mesh, const std::string& file, KxCIOOption& option);
    /// Writes through the library when positions are the built-in ones, else with the own OBJ writer.
    virtual bool Save_Mesh(KxCMesh* mesh, const std::string& file, KxCIOOption& option);
    /// Extension hook tried when the library cannot read the file; none here.
    virtual bool Read_Mesh_Ext(KxCMesh*, const std::string&, KxCIOOption&) { return false; }
    /// Extension hook tried when the library cannot write the file; none here.
    virtual bool Save_Mesh_Ext(KxCMesh*, const std::string&, KxCIOOption&) { return false; }

    /// The text after the last '.', or the whole name when there is none.
    std::string get_File_Ext(const std::string& file) const;
    /// Writes "v x y z" lines from the position role and "f i j k" lines (1-based).
    bool Save_Obj_Mesh(KxCMesh* mesh, const std::string& file, KxCIOOption& option);
};

} // namespace KxMesh
