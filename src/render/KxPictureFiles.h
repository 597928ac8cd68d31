#pragma once
// Saving a finished picture as a bitmap file, whole or not at all.
#include <string>
#include <vector>

#include <opencv2/core.hpp>

namespace OrvaneImage {

/// The extension of path with its dot, in lower case; "" when it has none.
std::string File_Type(const std::string& path);

/// Encodes an 8-bit BGR picture (top row first) as a bitmap of the given
/// type (".png" or ".bmp") into bytes; false with error for another type or an empty picture.
bool Encode_Picture(const cv::Mat& bgr, const std::string& type, std::vector<unsigned char>& bytes, std::string& error);

/// Writes an 8-bit BGR picture (top row first) to path as the bitmap its
/// extension names (".png" or ".bmp"). The file is replaced whole: on any
/// failure it is left as it was, nothing else is left behind, and error says
/// why, naming the path and the reason when the file cannot be written.
bool Write_Picture(const std::string& path, const cv::Mat& bgr, std::string& error);

} // namespace OrvaneImage
