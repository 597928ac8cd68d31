#pragma once
#include <cstdint>

namespace KxMesh {

/// Options carried into and out of a mesh read or write. The flag word's low
/// twelve bits are the mesh library's own option flags (handed to its readers
/// and writers, which may add bits such as VertexNormal while reading); the
/// bits above are the system's load requests, which the library never sees:
/// the library gives 0x1000 and up meanings of its own (float colours,
/// custom properties, status) that would collide with them.
class KxCIOOption {
public:
    enum Flag2 : std::uint32_t {
        Binary = 0x0001,
        VertexNormal = 0x0010,
        VertexColor = 0x0020,
        FaceNormal = 0x0100,
        FaceColor = 0x0200,
        ColorAlpha = 0x0800,
        Library_Mask = 0x0FFF,
        Opt_AABB = 0x1000,      ///< build the bounding box enlarged by 1 % per side
        Opt_Centerize = 0x2000, ///< when normalising, move the vertex average to the origin
        Opt_VBO = 0x4000,       ///< create the vertex buffer object
    };

    explicit KxCIOOption(std::uint32_t flags = 0, float scale = 0.0f) : m_Flags(flags), m_ScaleFactor(scale) {}

    std::uint32_t Flags() const { return m_Flags; }
    void set_Flags(std::uint32_t flags) { m_Flags = flags; }
    bool Has(std::uint32_t bits) const { return (m_Flags & bits) == bits; }
    /// The part of the flag word the mesh library reads and writes.
    std::uint32_t Library_Flags() const { return m_Flags & Library_Mask; }
    /// Replaces the library part of the flag word, keeping the system's requests.
    void set_Library_Flags(std::uint32_t lib) { m_Flags = (m_Flags & ~std::uint32_t(Library_Mask)) | (lib & Library_Mask); }

    /// Target size of the largest box side after loading; 0 keeps the size.
    float get_ScaleFactor() const { return m_ScaleFactor; }
    void set_ScaleFactor(float s) { m_ScaleFactor = s; }

private:
    std::uint32_t m_Flags;
    float m_ScaleFactor;
};

} // namespace KxMesh
