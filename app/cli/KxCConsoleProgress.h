#pragma once
#include <mutex>
#include <ostream>
#include <string>

#include "pipeline/util/KxCProgressSink.h"

namespace KxCli {

/// Progress as one redrawn line on a stream: "text [#####.....]  50%".
/// Callable from any thread; the line ends when the value reaches the maximum.
class KxCConsoleProgress : public KxCProgressSink {
public:
    explicit KxCConsoleProgress(std::ostream& out, int width = 30) : m_Out(out), m_Width(width) {}
    void ProgressBar_Init(const std::string& text, int min, int max, int value) override;
    void ProgressBar_Update(const std::string& text, int value) override;

private:
    void Draw(const std::string& text, int value);

    std::mutex m_Mutex;
    std::ostream& m_Out;
    int m_Width;
    int m_Min = 0;
    int m_Max = 100;
};

} // namespace KxCli
