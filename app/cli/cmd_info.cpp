// orvane info: load a model as the still-image open does and describe it.
#include <chrono>
#include <iomanip>
#include <iostream>

#include "KxCliCommon.h"
#include "pipeline/driver/KxModelLoading.h"

namespace KxCli {

const char* const Info_Help =
    "Usage: orvane info MODEL\n\n"
    "Loads MODEL (OBJ, OFF, PLY, STL or OM) the way a still image is opened: centred,\n"
    "scaled so that its largest side is 1, dropped onto the ground plane y = 0.\n"
    "Prints its vertex, face and edge counts, bounding box, edge-length statistics\n"
    "and the load time.\n\n"
    "Exit status: 0 success, 2 usage error, 3 the model cannot be read.\n";

namespace {

void Print_Vec(const char* label, const KxUtils::Vec3d& v)
{
    std::cout << std::left << std::setw(13) << label << ": " << v[0] << " " << v[1] << " " << v[2] << "\n";
}

} // namespace

int Run_Info(KxCArgs& args)
{
    if (args.Empty()) return Usage_Error("info", "missing MODEL");
    const std::string path = args.Next();
    if (!path.empty() && path[0] == '-') return Usage_Error("info", "unknown option '" + path + "'");
    if (!args.Empty()) return Usage_Error("info", "unexpected argument '" + args.Peek() + "'");

    const OrvaneImage::KxCIOProp io = OrvaneImage::Still_Image_Options();
    const auto start = std::chrono::steady_clock::now();
    auto mesh = OrvaneImage::Load_Model_Mesh(path, io, false);
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    if (!mesh) {
        std::cerr << "orvane info: cannot read model '" << path << "'" << std::endl;
        return Exit_Input;
    }
    std::cout << std::left << std::setw(13) << "Model" << ": " << path << "\n"
              << std::setw(13) << "Vertices" << ": " << mesh->n_vertices() << "\n"
              << std::setw(13) << "Faces" << ": " << mesh->n_faces() << "\n"
              << std::setw(13) << "Edges" << ": " << mesh->n_edges() << "\n";
    Print_Vec("Box min", mesh->get_AABB()->MinPoint());
    Print_Vec("Box max", mesh->get_AABB()->MaxPoint());
    Print_Vec("Box size", mesh->get_AABB()->Diagonal());
    std::cout << std::setw(13) << "Edge length" << ": min " << mesh->Min_Edge() << "  avg " << mesh->Avg_Edge()
              << "  max " << mesh->Max_Edge() << "\n"
              << std::setw(13) << "Load time" << ": " << std::fixed << std::setprecision(3) << seconds << " s\n";
    return Exit_Ok;
}

} // namespace KxCli
