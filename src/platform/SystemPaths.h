#pragma once
// Operating-system specific look-ups shared by every platform implementation, and the private
// folders the game keeps its files in.
#include <filesystem>
#include <string>

// The per-user state folder ($XDG_STATE_HOME/pictorra-vaze/), created when missing, ending in
// a path separator. Empty when it cannot be had.
std::string DefaultTempDirectory();

// Where the working directory lies outside Windows: under `stateHome` ($XDG_STATE_HOME),
// else under `home`/.local/state; empty when neither is given (null or "").
std::filesystem::path StateBase(const char* stateHome, const char* home);
// `base`/pictorra-vaze, created when missing and verified private (see IsPrivateFolder).
// Ends in a separator; empty when the folder cannot be had.
std::string PrivateStateDirectory(const std::filesystem::path& base);

// True when `dir` itself is a directory, not a link to one, owned by this user. A folder of
// ours open to others is narrowed to its owner (0700) first.
bool IsPrivateFolder(const std::filesystem::path& dir);

// The system's folder for temporary files ($TMPDIR, else /tmp).
std::filesystem::path SystemTempRoot();

struct PrivateFolder {
    std::string path;      // ends in a separator; empty when no private folder could be had
    bool fallback = false; // true when `preferred` was refused and `path` lies under the temp root
};
// `preferred` (made when missing, its parent must exist) when it is a private folder; otherwise a folder of this user's own under
// `tempRoot`, made afresh with a unique name when the usual one is taken by a link or by
// someone else.
PrivateFolder ChoosePrivateFolder(const std::string& preferred, const std::filesystem::path& tempRoot);

// A new folder named `prefix` followed by characters no other folder there has; empty when
// none can be made.
std::filesystem::path MakeUniqueFolder(const std::filesystem::path& prefix);

// Full path of the running executable, or empty when it cannot be found.
std::string OwnExecutablePath();
