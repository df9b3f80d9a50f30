#pragma once
// Texts from packs: packs written on Windows hold Windows-1252 bytes, newer ones UTF-8.
#include <string>
#include <string_view>

// True when every byte sequence is well-formed UTF-8 (no overlong forms, no surrogates).
bool IsValidUtf8(std::string_view text);
// Windows-1252 bytes as UTF-8. The five bytes the code page leaves undefined become U+FFFD.
std::string Cp1252ToUtf8(std::string_view text);
// The text as UTF-8 for display: kept as it is when already valid UTF-8, else read as
// Windows-1252.
std::string ToDisplayText(std::string_view text);
