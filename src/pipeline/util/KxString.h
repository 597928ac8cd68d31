#pragma once
#include <string>

/// Converts a window-toolkit string (UTF-16) to the narrow UTF-8 string the
/// mesh, image and GL layers take. Unpaired surrogates become U+FFFD.
void MarshalString(const std::u16string& s, std::string& out);

/// The part of name from its last dot (included) to the end: "model.obj" -> ".obj";
/// a name without a dot gives "".
std::string get_FileExt(const std::string& name);

/// The part of name before its last dot: "dir/model.obj" -> "dir/model"; a name without a dot is returned whole.
std::string get_FilePathWithoutExt(const std::string& name);
