#pragma once
#include "pipeline/util/KxCProgressSink.h"
#include "pipeline/util/KxUserMessage.h"

/// Process-wide globals; the class has no instances.
class AppGlobal {
public:
    AppGlobal() = delete;
    /// Receiver of progress reports from any thread; null until a front end installs one.
    static KxCProgressSink* g_Form;
    /// Receiver of the messages the user must see; null writes them to stderr.
    static KxCMessageSink* g_Message;
    /// Repeatable randomness: every randomised step reseeds the generator with 1024 on entry.
    static bool g_Fix_Rand;
};
