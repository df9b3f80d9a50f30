#include "platform/FileAccess.h"

#include <filesystem>
#include <fstream>

bool ReadWholeFile(const std::string& path, std::uintmax_t maxBytes, std::vector<std::uint8_t>& bytes,
                   std::string* error) {
    bytes.clear();
    auto fail = [&](const char* message) {
        if (error) *error = message + (": " + path);
        bytes.clear();
        return false;
    };
    std::error_code ec;
    const std::uintmax_t size = std::filesystem::file_size(path, ec);
    if (ec) return fail("file missing");
    if (size > maxBytes) return fail("file too large");
    std::ifstream in(path, std::ios::binary);
    if (!in) return fail("file unreadable");
    bytes.resize(static_cast<std::size_t>(size));
    if (size > 0 && !in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(size)))
        return fail("file unreadable");
    return true;
}
