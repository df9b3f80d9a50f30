#include "platform/SystemPaths.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

#if defined(_WIN32)
#include <windows.h>
#elif defined(__APPLE__)
#include <mach-o/dyld.h>
#include <sys/stat.h>
#else
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace fs = std::filesystem;

std::string DefaultTempDirectory() {
#if defined(_WIN32)
    char buffer[MAX_PATH + 1] = {};
    DWORD n = GetTempPathA(MAX_PATH, buffer);
    if (n == 0 || n > MAX_PATH) return {};
    return std::string(buffer, n);
#else
    fs::path base;
    if (const char* state = std::getenv("XDG_STATE_HOME"); state && *state) {
        base = state;
    } else if (const char* home = std::getenv("HOME"); home && *home) {
        base = fs::path(home) / ".local" / "state";
    } else {
        return {};
    }
    fs::path dir = base / "pictorra-vaze";
    std::error_code ec;
    fs::create_directories(dir, ec);
    if (!fs::is_directory(dir, ec)) return {};
    // Saved positions live here and the file names are fixed: keep it private.
    ::chmod(dir.c_str(), 0700);
    std::string s = dir.string();
    if (s.empty() || s.back() != '/') s += '/';
    return s;
#endif
}

std::string OwnExecutablePath() {
#if defined(_WIN32)
    wchar_t buffer[32768] = {};
    DWORD n = GetModuleFileNameW(nullptr, buffer, 32767);
    if (n == 0) return {};
    return fs::path(std::wstring(buffer, n)).string();
#elif defined(__APPLE__)
    char buffer[4096] = {};
    uint32_t size = sizeof buffer;
    if (_NSGetExecutablePath(buffer, &size) != 0) return {};
    return buffer;
#else
    std::error_code ec;
    fs::path p = fs::read_symlink("/proc/self/exe", ec);
    return ec ? std::string() : p.string();
#endif
}
