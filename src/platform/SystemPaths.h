#pragma once
// Operating-system specific look-ups shared by every platform implementation.
#include <string>

// The per-user private working directory, created (mode 0700 where that means something)
// when missing, ending in a path separator. Empty when it cannot be created.
std::string DefaultTempDirectory();

// Full path of the running executable, or empty when it cannot be found.
std::string OwnExecutablePath();
