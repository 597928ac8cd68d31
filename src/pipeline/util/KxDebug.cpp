#include "pipeline/util/KxDebug.h"

#include <iostream>

void Throw_Debug_Msg(const std::string& class_name, const std::string& function_name,
                     const std::string& message)
{
    std::cerr << class_name << "::" << function_name << ": " << message << std::endl;
}
