#include "KxCConsoleProgress.h"

#include <algorithm>
#include <iomanip>

namespace KxCli {

void KxCConsoleProgress::ProgressBar_Init(const std::string& text, int min, int max, int value)
{
    std::lock_guard<std::mutex> lock(m_Mutex);
    m_Min = min;
    m_Max = max;
    Draw(text, value);
}

void KxCConsoleProgress::ProgressBar_Update(const std::string& text, int value)
{
    std::lock_guard<std::mutex> lock(m_Mutex);
    Draw(text, value);
}

void KxCConsoleProgress::Draw(const std::string& text, int value)
{
    const int span = m_Max - m_Min;
    const double done = span > 0 ? std::clamp(static_cast<double>(value - m_Min) / span, 0.0, 1.0) : 1.0;
    const int filled = static_cast<int>(done * m_Width + 0.5);
    m_Out << '\r' << text << " [" << std::string(filled, '#') << std::string(m_Width - filled, '.') << "] "
          << std::setw(3) << static_cast<int>(done * 100 + 0.5) << '%';
    if (value >= m_Max) m_Out << '\n';
    m_Out.flush();
}

} // namespace KxCli
