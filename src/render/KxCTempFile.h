#pragma once
// A hidden, uniquely named file beside the file it will become, so a result
// appears whole by one rename in its own folder or does not appear at all.
#include <string>
#include <vector>

namespace OrvaneImage {

/// A temporary file ".NAME.XXXXXX<suffix>" in the folder of a target NAME;
/// removed with the object unless it has been moved over its target.
class KxCTempFile {
public:
    KxCTempFile() = default;
    ~KxCTempFile();
    KxCTempFile(const KxCTempFile&) = delete;
    KxCTempFile& operator=(const KxCTempFile&) = delete;

    /// Creates the file (once per object), empty and with the mode any new file
    /// of the user gets, for this object or another program to fill; false with
    /// error naming the target and the reason when its folder does not take it.
    bool Create(const std::string& target, const std::string& suffix, std::string& error);
    /// Writes all bytes, flushes them to the disk and closes the file; false with error on failure.
    bool Write_All(const std::vector<unsigned char>& bytes, std::string& error);
    /// Renames the file over its target, which then holds its content whole; false with error on failure.
    bool Move_Over_Target(std::string& error);

    /// The folder the file is in: the target's folder, "." when the target names none.
    const std::string& Folder() const { return m_Folder; }
    /// The file's name within Folder().
    const std::string& Name() const { return m_Name; }

private:
    void Close();
    std::string Failure(const std::string& reason) const;

    std::string m_Target;
    std::string m_Folder;
    std::string m_Name;
    std::string m_Path;
    int m_Fd = -1;
};

} // namespace OrvaneImage
