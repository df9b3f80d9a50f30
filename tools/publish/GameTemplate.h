#pragma once
// Finding the game program a puzzle is published onto: the one named with --game, else the one
// beside the tool, else the one the package installs next to it (../lib/pictorra-vaze/).
#include <string>

namespace publish {

#if defined(_WIN32)
inline constexpr char kGameProgramName[] = "pictorra-vaze.exe";
#else
inline constexpr char kGameProgramName[] = "pictorra-vaze";
#endif

struct GameTemplate {
    std::string path;
    std::string how; // "given with --game", "found beside the tool", "installed with the tool"
};

// `toolPath` is the tool's own program file (empty when unknown); `given` is the --game value or
// empty. False with `error` naming the places looked at when there is no game program.
bool FindGameTemplate(const std::string& toolPath, const std::string& given, GameTemplate* found,
                      std::string* error);

} // namespace publish
