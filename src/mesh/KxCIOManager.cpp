#include "mesh/KxCIOManager.h"

#include <OpenMesh/Core/IO/MeshIO.hh>

#include <cctype>
#include <cmath>
#include <fstream>
#include <iostream>

#include "mesh/KxCMesh.h"

namespace KxMesh {

namespace {

// The library's importer, counting the faces it is given and those the
// library would drop with at most a warning: bad indices, fewer than three corners.
class KxCCheckedImporter : public OpenMesh::IO::ImporterT<KxCMesh> {
public:
    using Base = OpenMesh::IO::ImporterT<KxCMesh>;
    explicit KxCCheckedImporter(KxCMesh& mesh) : Base(mesh), m_Mesh(mesh) {}

    OpenMesh::FaceHandle add_face(const VHandles& corners) override
    {
        bool valid = corners.size() >= 3;
        for (const auto& v : corners) valid = valid && m_Mesh.is_valid_handle(v);
        if (!valid) ++m_BadFaces;
        ++m_Faces;
        return Base::add_face(corners);
    }

    long m_Faces = 0;
    int m_BadFaces = 0;

private:
    KxCMesh& m_Mesh;
};

bool All_Points_Finite(const KxCMesh& mesh)
{
    for (auto v : mesh.vertices()) {
        const auto& p = mesh.point(v);
        if (!std::isfinite(p[0]) || !std::isfinite(p[1]) || !std::isfinite(p[2])) return false;
    }
    return true;
}

std::string Lower(std::string s)
{
    for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

struct KxObjCounts {
    long vertices = 0;
    long faces = 0;
};

// Vertex and face lines of an OBJ file. The library skips, without a word, a
// "v" line whose numbers do not parse (shifting every later face index) and
// an "f" line with fewer than three corners.
KxObjCounts Count_Obj_Lines(const std::string& file)
{
    std::ifstream in(file);
    KxObjCounts counts;
    std::string line;
    while (std::getline(in, line)) {
        const std::size_t i = line.find_first_not_of(" \t");
        if (i == std::string::npos || i + 1 >= line.size() || (line[i + 1] != ' ' && line[i + 1] != '\t')) continue;
        counts.vertices += line[i] == 'v';
        counts.faces += line[i] == 'f';
    }
    return counts;
}

enum class KxOffFault { None, Vertex, Face };

// A plain text OFF file read number by number, as the library reads it. The
// library does not notice a number that fails to parse ("nan"): every later
// read fails too and leaves its values undefined, so the fault is found here.
KxOffFault Check_Off_Text(const std::string& file)
{
    std::ifstream in(file);
    std::string magic;
    long nv = 0, nf = 0, ne = 0;
    if (!(in >> magic) || magic != "OFF" || !(in >> nv >> nf >> ne)) return KxOffFault::None;
    double x = 0;
    for (long i = 0; i < 3 * nv; ++i)
        if (!(in >> x)) return KxOffFault::Vertex;
    for (long f = 0; f < nf; ++f) {
        long n = 0, index = 0;
        if (!(in >> n) || n < 0) return KxOffFault::Face;
        for (long k = 0; k < n; ++k)
            if (!(in >> index)) return KxOffFault::Face;
    }
    return KxOffFault::None;
}

bool Fail_Read(KxCMesh* mesh, const char* message)
{
    mesh->clean();
    std::cerr << "KxCIOManager::Read_Mesh : " << message << std::endl;
    return false;
}

} // namespace

bool KxCIOManager::Read_Mesh(KxCMesh* mesh, const std::string& file, KxCIOOption& option)
{
    if (!mesh) return false;
    mesh->clean();
    KxCCheckedImporter importer(*mesh);
    OpenMesh::IO::Options lib(static_cast<OpenMesh::IO::Options::value_type>(option.Library_Flags()));
    bool read = OpenMesh::IO::IOManager().read(file, importer, lib);
    if (read)
        option.set_Library_Flags(static_cast<std::uint32_t>(static_cast<OpenMesh::IO::Options::value_type>(lib)));
    else
        read = Read_Mesh_Ext(mesh, file, option);
    if (!read) return Fail_Read(mesh, "Unsupported or Unknown file");
    const std::string ext = Lower(get_File_Ext(file));
    const bool obj = ext == "obj";
    const KxObjCounts lines = obj ? Count_Obj_Lines(file) : KxObjCounts();
    const KxOffFault off = ext == "off" ? Check_Off_Text(file) : KxOffFault::None;
    if (!All_Points_Finite(*mesh) || off == KxOffFault::Vertex ||
        (obj && lines.vertices != static_cast<long>(mesh->n_vertices())))
        return Fail_Read(mesh, "Invalid vertex in file");
    if (importer.m_BadFaces > 0 || off == KxOffFault::Face || (obj && lines.faces != importer.m_Faces))
        return Fail_Read(mesh, "Invalid face in file");
    if (mesh->n_faces() == 0) return Fail_Read(mesh, "No triangle in file");
    return true;
}

bool KxCIOManager::Save_Mesh(KxCMesh* mesh, const std::string& file, KxCIOOption& option)
{
    if (!mesh) return false;
    if (mesh->get_VPoint_Name() == "v:points") {
        OpenMesh::IO::Options lib(static_cast<OpenMesh::IO::Options::value_type>(option.Library_Flags()));
        OpenMesh::IO::ExporterT<KxCMesh> exporter(*mesh);
        if (OpenMesh::IO::IOManager().write(file, exporter, lib) || Save_Mesh_Ext(mesh, file, option)) return true;
        std::cerr << "KxCIOManager::Save_Mesh : Unsupported or Unknown file" << std::endl;
        return false;
    }
    if (get_File_Ext(file) == "obj") return Save_Obj_Mesh(mesh, file, option);
    return Save_Mesh_Ext(mesh, file, option);
}

std::string KxCIOManager::get_File_Ext(const std::string& file) const
{
    const auto dot = file.find_last_of('.');
    return dot == std::string::npos ? file : file.substr(dot + 1);
}

bool KxCIOManager::Save_Obj_Mesh(KxCMesh* mesh, const std::string& file, KxCIOOption&)
{
    if (!mesh || !mesh->is_Valid()) return false;
    const KxVec3Prop points = mesh->get_VPoint_Prop();
    if (!points.is_valid()) {
        std::cerr << "KxCIOManager::Save_Obj_Mesh : Invalid vertex property handle" << std::endl;
        return false;
    }
    std::ofstream out(file, std::ios::trunc);
    if (!out) {
        std::cerr << "KxCIOManager::Save_Obj_Mesh : Cannot open file for writing" << std::endl;
        return false;
    }
    for (auto v : mesh->vertices()) {
        const auto& p = mesh->property(points, v);
        out << "v " << p[0] << " " << p[1] << " " << p[2] << "\n";
    }
    const bool status = mesh->has_face_status();
    for (auto f : mesh->faces()) {
        if (status && mesh->status(f).deleted()) continue;
        out << "f";
        for (auto v : mesh->fv_range(f)) out << " " << v.idx() + 1;
        out << "\n";
    }
    return static_cast<bool>(out.flush());
}

} // namespace KxMesh
