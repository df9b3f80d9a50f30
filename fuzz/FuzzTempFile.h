#pragma once
// A scratch file for fuzz targets whose reader takes a path: one per process and target.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>

inline std::string FuzzTempPath(const char* tag) {
    static const std::string base = [] {
        static int anchor;
        // The address differs between processes, so parallel fuzzing jobs do not collide.
        return (std::filesystem::temp_directory_path() /
                ("pictorra-fuzz-" + std::to_string(reinterpret_cast<std::uintptr_t>(&anchor))))
            .string();
    }();
    return base + "-" + tag;
}

inline bool FuzzWriteFile(const std::string& path, const std::uint8_t* data, std::size_t size) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    bool ok = size == 0 || std::fwrite(data, 1, size, f) == size;
    return std::fclose(f) == 0 && ok;
}
