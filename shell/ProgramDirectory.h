// Where the game finds its two bitmap files: beside its own executable.
#pragma once

#include <string>

namespace nuikaro {

// The directory that holds the program's executable, ending in the system's separator. Throws
// StartupError when the system cannot say.
std::string ProgramDirectory();

}  // namespace nuikaro
