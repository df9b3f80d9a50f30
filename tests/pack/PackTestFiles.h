#pragma once
// Text helpers for pack tests, on top of the shared file helpers.
#include "support/PictureFiles.h"

#include <string>

inline Bytes ToBytes(const std::string& text) {
    return Bytes(text.begin(), text.end());
}
inline std::string ReadText(const std::string& path) {
    const Bytes b = ReadBytes(path);
    return {b.begin(), b.end()};
}
