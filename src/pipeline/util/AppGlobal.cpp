#include "pipeline/util/AppGlobal.h"

KxCProgressSink* AppGlobal::g_Form = nullptr;
KxCMessageSink* AppGlobal::g_Message = nullptr;
bool AppGlobal::g_Fix_Rand = true;
