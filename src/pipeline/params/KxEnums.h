#pragma once
// The enumerations of the parameter and property objects, with the value
// names the inspector and the command line show. Every enumeration numbers
// its values 0, 1, 2, ... so a value's name is Names[value].
#include <array>
#include <string>

namespace OrvaneImage {

/// Difficulty preset of the summary parameter sets.
enum class KxEnumDifficulty { Easy = 0, Medium = 1, Hard = 2 };
/// What the main view draws: the working view, the composed picture or the shaded model.
enum class KxEnumOrvaneMode { Develop = 0, Orvane = 1, Scene = 2 };
/// Whether an application item holds a still image or a video.
enum class KxEnumAppMode { Orvane_Image = 0, Orvane_Video = 1 };
/// Player commands.
enum class KxEnumPlaybackMode { Playback = 0, Forward = 1, Rewind = 2, Start = 3, End = 4 };
/// Role of a mesh in a scene.
enum class KxEnumMeshType { Subject = 0, Ground = 1 };
/// Mesh drawing style.
enum class KxEnumRenderMode { Solid = 0, Wireframe = 1, Point = 2, Add_Wireframe = 3, Add_Point = 4 };
/// Source of the per-vertex colours.
enum class KxEnumVColorMode { None = 0, Importance = 1, Importance_Smooth = 2 };
/// Which mesh primitive picking selects.
enum class KxEnumSelectMode { None = 0, Vertex = 1, Face = 2, Edge = 3 };

/// Type name and value names of an enumeration; specialised for each one below.
template <class E>
struct KxEnumInfo;

template <>
struct KxEnumInfo<KxEnumDifficulty> {
    static constexpr const char* Type_Name = "KxEnumDifficulty";
    static constexpr std::array<const char*, 3> Names{"Easy", "Medium", "Hard"};
};

template <>
struct KxEnumInfo<KxEnumOrvaneMode> {
    static constexpr const char* Type_Name = "KxEnumOrvaneMode";
    static constexpr std::array<const char*, 3> Names{"Develop", "Orvane", "Scene"};
};

template <>
struct KxEnumInfo<KxEnumAppMode> {
    static constexpr const char* Type_Name = "KxEnumAppMode";
    static constexpr std::array<const char*, 2> Names{"Orvane_Image", "Orvane_Video"};
};

template <>
struct KxEnumInfo<KxEnumPlaybackMode> {
    static constexpr const char* Type_Name = "KxEnumPlaybackMode";
    static constexpr std::array<const char*, 5> Names{"Playback", "Forward", "Rewind", "Start", "End"};
};

template <>
struct KxEnumInfo<KxEnumMeshType> {
    static constexpr const char* Type_Name = "KxEnumMeshType";
    static constexpr std::array<const char*, 2> Names{"Subject", "Ground"};
};

template <>
struct KxEnumInfo<KxEnumRenderMode> {
    static constexpr const char* Type_Name = "KxEnumRenderMode";
    static constexpr std::array<const char*, 5> Names{"Solid", "Wireframe", "Point", "Add_Wireframe", "Add_Point"};
};

template <>
struct KxEnumInfo<KxEnumVColorMode> {
    static constexpr const char* Type_Name = "KxEnumVColorMode";
    static constexpr std::array<const char*, 3> Names{"None", "Importance", "Importance_Smooth"};
};

template <>
struct KxEnumInfo<KxEnumSelectMode> {
    static constexpr const char* Type_Name = "KxEnumSelectMode";
    static constexpr std::array<const char*, 4> Names{"None", "Vertex", "Face", "Edge"};
};

/// The name of a value, or its number when it names no value (a stored
/// out-of-range difficulty, for example).
template <class E>
std::string Enum_Name(E value)
{
    const auto i = static_cast<long long>(value);
    const auto& names = KxEnumInfo<E>::Names;
    if (i >= 0 && i < static_cast<long long>(names.size())) return names[static_cast<std::size_t>(i)];
    return std::to_string(i);
}

} // namespace OrvaneImage
