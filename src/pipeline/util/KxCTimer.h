#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "pipeline/util/KxCSingleton.h"

namespace KxUtils {

/// Named stopwatches that time the generation steps. Labels keep the order of
/// their first Start or Add; Show prints "label Timing : seconds" to stdout.
class KxCTimer : public KxCSingleton<KxCTimer> {
public:
    using Clock = std::uint32_t (*)();

    /// Starts or restarts the stopwatch of a label.
    void Start(const std::string& label);
    /// Stores the milliseconds since the label's last Start (wrap-safe).
    void End(const std::string& label);
    /// Prints one label's stored time.
    void Show(const std::string& label);
    /// Prints every label's stored time in label order.
    void ShowAll();
    /// Forgets all labels.
    void Clear();
    /// Index of a label, or -1.
    int Find(const std::string& label);
    /// Appends a label unless it exists.
    void Add(const std::string& label);

    /// Milliseconds stored by the last End of a label; 0 for an unknown label.
    std::uint32_t Elapsed(const std::string& label);
    /// The labels in order.
    const std::vector<std::string>& Labels() const { return m_Labels; }

    /// Replaces the millisecond tick source (the system's monotonic clock by default).
    void set_Clock(Clock clock);
    /// The system's millisecond tick counter, 32-bit and wrapping.
    static std::uint32_t System_Ticks();

private:
    void Print(int index) const;

    std::vector<std::string> m_Labels;
    std::vector<std::uint32_t> m_Elapsed;
    std::vector<std::uint32_t> m_Started;
    std::string m_LastLabel;
    int m_LastIndex = -1;
    Clock m_Clock = &System_Ticks;
};

} // namespace KxUtils
