#pragma once
// Running a helper program directly, without a shell, so that no argument
// (a file name with spaces or ';' in it) is ever read as a command.
#include <string>
#include <vector>

namespace OrvaneImage {

/// Runs the program at argv[0] (a path, not looked up in $PATH) with the
/// arguments argv[1...] in the working folder `folder`, and waits for it;
/// what it prints passes through. The caller's own working folder never changes.
/// False with error when it cannot be started there, exits non-zero or is
/// killed; the messages call the program `role` ("tracer failed (exit status 3)").
bool Run_Program(const std::vector<std::string>& argv, const std::string& folder, const std::string& role, std::string& error);

} // namespace OrvaneImage
