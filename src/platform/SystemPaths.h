#pragma once
// Operating-system specific look-ups shared by every platform implementation.
#include <filesystem>
#include <string>

// The per-user private working directory, created when missing, ending in a path separator.
// Empty when it cannot be created.
std::string DefaultTempDirectory();

// Where the working directory lies outside Windows: under `stateHome` ($XDG_STATE_HOME),
// else under `home`/.local/state; empty when neither is given (null or "").
std::filesystem::path StateBase(const char* stateHome, const char* home);
// `base`/pictorra-vaze, created when missing and made private to its owner (0700) even when
// it already existed: saved positions live there under fixed names. Ends in a separator;
// empty when the folder cannot be made.
std::string PrivateStateDirectory(const std::filesystem::path& base);

// Full path of the running executable, or empty when it cannot be found.
std::string OwnExecutablePath();
