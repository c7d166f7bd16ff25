#pragma once

#include <filesystem>
#include <string>

namespace platform {

// The folder of the running executable, symbolic links resolved. Throws
// std::filesystem::filesystem_error when /proc/self/exe cannot be resolved.
std::filesystem::path programFolder();

// Everything after the program name, joined by single blanks, as the platform's command-line
// text gives it; "" without arguments.
std::string commandLineText(int argc, const char* const* argv);

}  // namespace platform
