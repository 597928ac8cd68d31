#include "render/KxCTempFile.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace OrvaneImage {

namespace {

// Keeps a long target name within the folder's name limit once the dot, the
// six unique letters and the suffix are added.
constexpr std::size_t Max_Stem = 64;

mode_t New_File_Mode()
{
    // The process mask can only be read by setting it.
    mode_t mask = umask(0);
    umask(mask);
    return 0666 & ~mask;
}

} // namespace

KxCTempFile::~KxCTempFile()
{
    Close();
    if (!m_Path.empty()) unlink(m_Path.c_str());
}

std::string KxCTempFile::Failure(const std::string& reason) const
{
    return "cannot write '" + m_Target + "': " + reason;
}

bool KxCTempFile::Create(const std::string& target, const std::string& suffix, std::string& error)
{
    const std::filesystem::path t(target);
    m_Target = target;
    m_Folder = t.has_parent_path() ? t.parent_path().string() : ".";
    const std::string prefix = m_Folder + "/";
    std::string pattern = prefix + "." + t.filename().string().substr(0, Max_Stem) + ".XXXXXX" + suffix;
    m_Fd = mkostemps(pattern.data(), static_cast<int>(suffix.size()), O_CLOEXEC);
    if (m_Fd < 0) {
        error = Failure(std::strerror(errno));
        return false;
    }
    m_Path = pattern;
    m_Name = pattern.substr(prefix.size());
    // mkstemp makes the file private; a result gets the mode any new file of the user gets.
    if (fchmod(m_Fd, New_File_Mode()) != 0) {
        error = Failure(std::strerror(errno));
        return false;
    }
    return true;
}

bool KxCTempFile::Write_All(const std::vector<unsigned char>& bytes, std::string& error)
{
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = write(m_Fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            error = Failure(std::strerror(errno));
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    if (fsync(m_Fd) != 0) {
        error = Failure(std::strerror(errno));
        return false;
    }
    const int fd = m_Fd;
    m_Fd = -1;
    if (close(fd) != 0) {
        error = Failure(std::strerror(errno));
        return false;
    }
    return true;
}

void KxCTempFile::Close()
{
    if (m_Fd < 0) return;
    close(m_Fd);
    m_Fd = -1;
}

bool KxCTempFile::Move_Over_Target(std::string& error)
{
    Close();
    if (rename(m_Path.c_str(), m_Target.c_str()) != 0) {
        error = Failure(std::strerror(errno));
        return false;
    }
    m_Path.clear();
    return true;
}

} // namespace OrvaneImage
