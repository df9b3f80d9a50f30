#include "GameTemplate.h"

#include <filesystem>
#include <system_error>

namespace publish {

namespace fs = std::filesystem;

bool FindGameTemplate(const std::string& toolPath, const std::string& given, GameTemplate* found,
                      std::string* error) {
    std::error_code ec;
    if (!given.empty()) {
        if (!fs::is_regular_file(given, ec)) {
            *error = "game program " + given + " not found";
            return false;
        }
        *found = {given, "given with --game"};
        return true;
    }
    if (toolPath.empty()) {
        *error = "cannot tell where the tool lies; name the game program with --game PROGRAM";
        return false;
    }
    const fs::path folder = fs::path(toolPath).parent_path();
    const std::pair<fs::path, const char*> places[] = {
        {folder / kGameProgramName, "found beside the tool"},
        {folder / ".." / "lib" / "pictorra-vaze" / kGameProgramName, "installed with the tool"},
    };
    for (const auto& [place, how] : places) {
        if (fs::is_regular_file(place, ec)) {
            *found = {place.lexically_normal().string(), how};
            return true;
        }
    }
    *error = "no game program at " + places[0].first.lexically_normal().string() + " or " +
             places[1].first.lexically_normal().string() + "; name it with --game PROGRAM";
    return false;
}

} // namespace publish
