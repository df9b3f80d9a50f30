#pragma once
// The game's plain-text log. Every line is appended and the file closed again at once, so
// whatever was logged before a crash is on disk.
#include <string>

// Remembers the log path and empties the file; false when it cannot be created.
bool LogInit(const std::string& path);
// Formats one line (cut to 2047 characters) and appends it with a line feed when level <= 2.
void LogWrite(int level, const char* format, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 2, 3)))
#endif
    ;
bool FileExists(const std::string& path);
// The path LogInit remembered.
std::string LogPath();
