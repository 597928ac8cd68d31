#pragma once
#include <string>

/// Writes the diagnostic line "class::function: message" to stderr.
/// Throws nothing and changes no control flow: callers return their failure value themselves.
void Throw_Debug_Msg(const std::string& class_name, const std::string& function_name,
                     const std::string& message);
