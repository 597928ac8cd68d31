#include "KxCliCommon.h"

#include <algorithm>
#include <filesystem>
#include <iostream>

namespace KxCli {

std::string Program_Folder()
{
    std::error_code error;
    const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::string(".") : exe.parent_path().string();
}

int Usage_Error(const std::string& command, const std::string& message)
{
    std::cerr << "orvane " << command << ": " << message << "\n"
              << "Try 'orvane " << command << " --help'." << std::endl;
    return Exit_Usage;
}

bool KxCArgs::Take(const std::string& flag)
{
    if (Empty() || Peek() != flag) return false;
    ++m_Pos;
    return true;
}

bool KxCArgs::Take_Value(const std::string& option, std::string& value, bool& missing)
{
    if (Empty()) return false;
    const std::string& arg = Peek();
    if (arg.compare(0, option.size() + 1, option + "=") == 0) {
        value = arg.substr(option.size() + 1);
        ++m_Pos;
        return true;
    }
    if (arg != option) return false;
    ++m_Pos;
    missing = Empty();
    if (!missing) value = Next();
    return true;
}

bool KxCArgs::Wants_Help() const
{
    return std::any_of(m_Args.begin(), m_Args.end(), [](const std::string& a) { return a == "--help" || a == "-h"; });
}

} // namespace KxCli
