#pragma once
// Small helpers for writing pack and archive files in pack tests.
#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

inline void PutLe32(std::vector<std::uint8_t>* out, std::uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8)
        out->push_back(static_cast<std::uint8_t>(value >> shift));
}

inline void SaveBytes(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

inline std::string ReadText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline std::vector<std::uint8_t> ToBytes(const std::string& text) {
    return std::vector<std::uint8_t>(text.begin(), text.end());
}

// The log file's text after the header every run starts with.
inline const std::string kLogHeader = "Log File Initialised\n**************************\n\n";
inline std::string LogBody(const std::string& path) {
    const std::string text = ReadText(path);
    return text.rfind(kLogHeader, 0) == 0 ? text.substr(kLogHeader.size()) : "<no header>" + text;
}
