#include "pipeline/util/KxUserMessage.h"

#include <iostream>

#include "pipeline/util/AppGlobal.h"

void Show_User_Message(const std::string& text)
{
    if (AppGlobal::g_Message) AppGlobal::g_Message->Show_Message(text);
    else std::cerr << text << std::endl;
}
