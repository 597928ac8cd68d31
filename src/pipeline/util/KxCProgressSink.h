#pragma once
#include <string>

/// Receiver of progress reports. Implementations must accept calls from any
/// thread and apply them in call order (the window re-posts them to its own
/// thread; the command line draws a bar on stderr).
class KxCProgressSink {
public:
    virtual ~KxCProgressSink() = default;
    /// Shows text and sets the bar's range and value.
    virtual void ProgressBar_Init(const std::string& text, int min, int max, int value) = 0;
    /// Shows text and sets the bar's value.
    virtual void ProgressBar_Update(const std::string& text, int value) = 0;
};
