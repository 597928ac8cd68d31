#include "pipeline/util/AppGlobal.h"

KxCProgressSink* AppGlobal::g_Form = nullptr;
bool AppGlobal::g_Fix_Rand = true;
