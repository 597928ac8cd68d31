#pragma once
// Vector pictures: finding the bitmap tracer potrace and running it on a
// finished picture.
#include <string>

#include <opencv2/core.hpp>

namespace OrvaneImage {

/// The tracer to run: app_path + "/utils/potrace" when that is an executable
/// file, else the first executable "potrace" in the folders of $PATH, else "".
std::string Find_Tracer(const std::string& app_path);

/// Traces an 8-bit BGR picture (top row first) into the vector file path,
/// whose extension picks the kind: ".eps", ".svg" or ".pdf". The page is the
/// picture's size in points. path may be relative and hold any characters.
/// The file is replaced whole and no temporary is left behind; on failure it
/// is left as it was and error says why ("tracer not found" when tracer is "").
bool Trace_Picture(const std::string& tracer, const cv::Mat& bgr, const std::string& path, std::string& error);

} // namespace OrvaneImage
