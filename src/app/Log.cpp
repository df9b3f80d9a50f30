#include "app/Log.h"

#include <cstdarg>
#include <cstdio>
#include <mutex>

namespace {
constexpr int kLogThreshold = 2;
constexpr std::size_t kLineBuffer = 2048;

std::mutex g_logMutex; // the loader thread and the main thread both log
std::string g_logPath;
} // namespace

bool LogInit(const std::string& path) {
    std::lock_guard<std::mutex> lock(g_logMutex);
    g_logPath = path;
    std::FILE* f = std::fopen(path.c_str(), "w");
    if (!f) return false;
    std::fputs("Log File Initialised\n**************************\n\n", f);
    std::fclose(f);
    return true;
}

void LogWrite(int level, const char* format, ...) {
    if (level > kLogThreshold || !format) return;
    char buffer[kLineBuffer];
    va_list args;
    va_start(args, format);
    // vsnprintf never writes past the buffer; a longer line is cut.
    int n = std::vsnprintf(buffer, sizeof buffer, format, args);
    va_end(args);
    if (n < 0) return;

    std::lock_guard<std::mutex> lock(g_logMutex);
    if (g_logPath.empty()) return;
    std::FILE* f = std::fopen(g_logPath.c_str(), "a+");
    if (!f) return;
    std::fputs(buffer, f);
    std::fputs("\n", f);
    std::fclose(f);
}

bool FileExists(const std::string& path) {
    std::FILE* f = std::fopen(path.c_str(), "r");
    if (!f) return false;
    std::fclose(f);
    return true;
}

std::string LogPath() {
    std::lock_guard<std::mutex> lock(g_logMutex);
    return g_logPath;
}
