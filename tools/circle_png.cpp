// circle_png: writes the splat picture data/circle.png, the 64 x 64 RGBA disc of
// KxTools::Disc_RGBA (an opaque black disc on transparent white, its edge soft over
// one pixel), which the programs texture their splats with.
//
// Regenerate (the picture is committed; the build copies it beside the programs):
//   build/bin/circle_png data/circle.png
// The picture goes to a temporary file first, so a failed write leaves no half a picture.
#include <opencv2/imgcodecs.hpp>
#include <opencv2/imgproc.hpp>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>
#include <vector>

#include "KxDiscImage.h"

namespace {

constexpr int kSize = 64;

/// The disc as PNG bytes, top row first as picture files store it.
std::vector<unsigned char> Disc_PNG()
{
    std::vector<unsigned char> rgba = KxTools::Disc_RGBA(kSize);
    const cv::Mat bottom_first(kSize, kSize, CV_8UC4, rgba.data());
    cv::Mat picture;
    cv::flip(bottom_first, picture, 0);
    cv::cvtColor(picture, picture, cv::COLOR_RGBA2BGRA);
    std::vector<unsigned char> png;
    cv::imencode(".png", picture, png);
    return png;
}

/// Writes bytes to path through a temporary file beside it; false when any step fails.
bool Write_Whole(const std::filesystem::path& path, const std::vector<unsigned char>& bytes)
{
    const std::filesystem::path part = path.string() + ".part";
    std::ofstream out(part, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    out.close();
    std::error_code ec;
    if (out) std::filesystem::rename(part, path, ec);
    if (!out || ec) std::filesystem::remove(part, ec);
    return out && !ec;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: circle_png OUTPUT.png\n");
        return 2;
    }
    const std::vector<unsigned char> png = Disc_PNG();
    if (png.empty() || !Write_Whole(argv[1], png)) {
        std::fprintf(stderr, "circle_png: cannot write '%s'\n", argv[1]);
        return 1;
    }
    return 0;
}
