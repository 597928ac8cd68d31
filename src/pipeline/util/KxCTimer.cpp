#include "pipeline/util/KxCTimer.h"

#include <chrono>
#include <iostream>

namespace KxUtils {

std::uint32_t KxCTimer::System_Ticks()
{
    using namespace std::chrono;
    const auto ms = duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
    return static_cast<std::uint32_t>(ms);
}

void KxCTimer::set_Clock(Clock clock) { m_Clock = clock ? clock : &System_Ticks; }

int KxCTimer::Find(const std::string& label)
{
    if (label == m_LastLabel) return m_LastIndex;
    for (std::size_t i = 0; i < m_Labels.size(); ++i) {
        if (m_Labels[i] == label) {
            m_LastLabel = label;
            m_LastIndex = static_cast<int>(i);
            return m_LastIndex;
        }
    }
    return -1;
}

void KxCTimer::Add(const std::string& label)
{
    if (Find(label) != -1) return;
    m_Labels.push_back(label);
    m_Started.push_back(0);
    m_Elapsed.push_back(0);
    m_LastLabel = label;
    m_LastIndex = static_cast<int>(m_Labels.size()) - 1;
}

void KxCTimer::Start(const std::string& label)
{
    int i = Find(label);
    if (i == -1) {
        Add(label);
        i = static_cast<int>(m_Labels.size()) - 1;
    }
    m_Started[i] = m_Clock();
}

void KxCTimer::End(const std::string& label)
{
    const int i = Find(label);
    if (i == -1) {
        std::cerr << "KxCTimer::End : no label found" << std::endl;
        return;
    }
    m_Elapsed[i] = m_Clock() - m_Started[i];
}

void KxCTimer::Print(int index) const
{
    std::cout << m_Labels[index] << " Timing : " << m_Elapsed[index] * 0.001 << std::endl;
}

void KxCTimer::Show(const std::string& label)
{
    const int i = Find(label);
    if (i == -1) {
        std::cerr << "KxCTimer::ShowTime : no label found" << std::endl;
        return;
    }
    Print(i);
}

void KxCTimer::ShowAll()
{
    for (std::size_t i = 0; i < m_Labels.size(); ++i) Print(static_cast<int>(i));
}

void KxCTimer::Clear()
{
    m_Labels.clear();
    m_Elapsed.clear();
    m_Started.clear();
    m_LastLabel.clear();
    m_LastIndex = -1;
}

std::uint32_t KxCTimer::Elapsed(const std::string& label)
{
    const int i = Find(label);
    return i == -1 ? 0 : m_Elapsed[i];
}

} // namespace KxUtils
