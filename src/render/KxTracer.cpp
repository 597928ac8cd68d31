#include "render/KxTracer.h"

#include <cstdlib>
#include <filesystem>
#include <map>
#include <sstream>
#include <vector>

#include <sys/stat.h>
#include <unistd.h>

#include "render/KxCTempFile.h"
#include "render/KxPictureFiles.h"
#include "render/KxRunProgram.h"

namespace OrvaneImage {

namespace {

bool Is_Executable_File(const std::string& path)
{
    struct stat st;
    return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && access(path.c_str(), X_OK) == 0;
}

// Empty entries of $PATH (the current folder) are skipped: the tracer is never
// picked up from wherever the user happens to be.
std::string Find_In_Path(const std::string& name)
{
    const char* path = std::getenv("PATH");
    std::istringstream folders(path ? path : "");
    for (std::string folder; std::getline(folders, folder, ':');)
        if (!folder.empty() && Is_Executable_File(folder + "/" + name)) return folder + "/" + name;
    return "";
}

// The tracer's back end for a vector file type, "" for a type it does not write.
std::string Back_End(const std::string& type)
{
    static const std::map<std::string, std::string> back_ends = {{".eps", "eps"}, {".svg", "svg"}, {".pdf", "pdf"}};
    const auto it = back_ends.find(type);
    return it == back_ends.end() ? "" : it->second;
}

// The tracer runs in the output folder, so it is named by an absolute path and
// its files by their names there. One pixel is one point, and speckles of up
// to 10 pixels are dropped.
std::vector<std::string> Tracer_Arguments(const std::string& tracer, const std::string& back_end, const cv::Mat& bgr,
                                          const std::string& output, const std::string& bitmap)
{
    std::error_code ignored; // an unresolvable name fails to start, and that is reported
    return {std::filesystem::absolute(tracer, ignored).string(),
            "-b", back_end,
            "-W", std::to_string(bgr.cols) + "pt",
            "-H", std::to_string(bgr.rows) + "pt",
            "-t", "10",
            "-o", output, bitmap};
}

} // namespace

std::string Find_Tracer(const std::string& app_path)
{
    const std::string bundled = app_path + "/utils/potrace";
    return Is_Executable_File(bundled) ? bundled : Find_In_Path("potrace");
}

bool Trace_Picture(const std::string& tracer, const cv::Mat& bgr, const std::string& path, std::string& error)
{
    if (tracer.empty()) {
        error = "tracer not found";
        return false;
    }
    const std::string type = File_Type(path);
    const std::string back_end = Back_End(type);
    if (back_end.empty()) {
        error = "unsupported vector type '" + type + "'";
        return false;
    }
    std::vector<unsigned char> bytes;
    KxCTempFile bitmap, output;
    if (!Encode_Picture(bgr, ".bmp", bytes, error) || !bitmap.Create(path, ".bmp", error) ||
        !bitmap.Write_All(bytes, error) || !output.Create(path, type, error))
        return false;
    const auto args = Tracer_Arguments(tracer, back_end, bgr, output.Name(), bitmap.Name());
    return Run_Program(args, output.Folder(), "tracer", error) && output.Move_Over_Target(error);
}

} // namespace OrvaneImage
