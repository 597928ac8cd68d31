#include "render/KxPictureFiles.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

#include <opencv2/imgcodecs.hpp>

#include "render/KxCTempFile.h"

namespace OrvaneImage {

std::string File_Type(const std::string& path)
{
    std::string type = std::filesystem::path(path).extension().string();
    std::transform(type.begin(), type.end(), type.begin(), [](unsigned char c) { return std::tolower(c); });
    return type;
}

bool Encode_Picture(const cv::Mat& bgr, const std::string& type, std::vector<unsigned char>& bytes, std::string& error)
{
    if (type != ".png" && type != ".bmp") {
        error = "unsupported picture type '" + type + "'";
        return false;
    }
    if (bgr.empty() || bgr.type() != CV_8UC3) {
        error = "the picture is empty or not 8-bit BGR";
        return false;
    }
    try {
        if (cv::imencode(type, bgr, bytes)) return true;
        error = "the picture cannot be encoded as '" + type + "'";
    } catch (const cv::Exception& e) {
        error = "the picture cannot be encoded as '" + type + "': " + e.what();
    }
    return false;
}

bool Write_Picture(const std::string& path, const cv::Mat& bgr, std::string& error)
{
    std::vector<unsigned char> bytes;
    if (!Encode_Picture(bgr, File_Type(path), bytes, error)) return false;
    KxCTempFile temp;
    return temp.Create(path, "", error) && temp.Write_All(bytes, error) && temp.Move_Over_Target(error);
}

} // namespace OrvaneImage
