#include "pack/PackNames.h"

std::string BareProgramName(const std::string& programPath) {
    std::string::size_type slash = programPath.find_last_of("/\\");
    std::string name = slash == std::string::npos ? programPath : programPath.substr(slash + 1);
    std::string::size_type dot = name.rfind('.');
    if (dot != std::string::npos) name.erase(dot);
    return name;
}
