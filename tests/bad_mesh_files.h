#pragma once
// Malformed model files shared by the reader test and the command-line test.
#include <cmath>
#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

namespace orvane_test {

struct BadFile {
    const char* name;
    std::string content;
    const char* message;
};

inline void PrintTo(const BadFile& f, std::ostream* os) { *os << f.name; }

inline std::string Garbage()
{
    std::string s;
    unsigned int x = 12345;
    for (int i = 0; i < 4096; ++i) {
        x = x * 1103515245u + 12345u;
        s += static_cast<char>(x >> 24);
    }
    return s;
}

// A binary PLY holding one triangle with a NaN corner (text formats cannot carry one).
inline std::string Binary_Ply_With_Nan()
{
    std::string s = "ply\nformat binary_little_endian 1.0\nelement vertex 3\nproperty float x\nproperty float y\n"
                    "property float z\nelement face 1\nproperty list uchar int vertex_indices\nend_header\n";
    const float points[9] = {0, 0, 0, std::nanf(""), 0, 0, 0, 1, 0};
    s.append(reinterpret_cast<const char*>(points), sizeof points);
    const unsigned char corners = 3;
    const std::int32_t face[3] = {0, 1, 2};
    s.append(reinterpret_cast<const char*>(&corners), 1);
    s.append(reinterpret_cast<const char*>(face), sizeof face);
    return s;
}

/// Malformed model files; every one must give the reader's line and no mesh.
inline const std::vector<BadFile>& Bad_Files()
{
    static const std::vector<BadFile> files = {
        {"missing.obj", "", "Unsupported or Unknown file"},
        {"empty.obj", "", "No triangle in file"},
        {"garbage.obj", Garbage(), "No triangle in file"},
        {"unknown.xyz", "v 0 0 0\n", "Unsupported or Unknown file"},
        {"out_of_range.obj", "v 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 3\nf 1 2 7\n", "Invalid face in file"},
        {"zero_index.obj", "v 0 0 0\nv 1 0 0\nv 0 1 0\nf 0 1 2\n", "Invalid face in file"},
        {"negative.obj", "v 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 3\nf -1 -2 -9\n", "Invalid face in file"},
        {"two_corners.obj", "v 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 3\nf 1 2\n", "Invalid face in file"},
        {"nan.obj", "v 0 0 0\nv nan 0 0\nv 0 1 0\nv 1 1 0\nf 1 3 4\n", "Invalid vertex in file"},
        {"inf.obj", "v 0 0 0\nv 1 0 0\nv 0 inf 0\nf 1 2 3\n", "Invalid vertex in file"},
        {"huge.obj", "v 0 0 0\nv 1e999 0 0\nv 0 1 0\nf 1 2 3\n", "Invalid vertex in file"},
        {"nan.off", "OFF\n3 1 0\n0 0 0\nnan 0 0\n0 1 0\n3 0 1 2\n", "Invalid vertex in file"},
        {"short_face.off", "OFF\n3 1 0\n0 0 0\n1 0 0\n0 1 0\n3 0 1\n", "Invalid face in file"},
        {"nan.ply", Binary_Ply_With_Nan(), "Invalid vertex in file"},
    };
    return files;
}

} // namespace orvane_test
