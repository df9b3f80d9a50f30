#include "platform/SystemPaths.h"

#include <cstdlib>
#include <system_error>

#if defined(_WIN32)
#include <windows.h>
#elif defined(__APPLE__)
#include <mach-o/dyld.h>
#endif

namespace fs = std::filesystem;

fs::path StateBase(const char* stateHome, const char* home) {
    if (stateHome && *stateHome) return fs::path(stateHome);
    if (home && *home) return fs::path(home) / ".local" / "state";
    return {};
}

std::string PrivateStateDirectory(const fs::path& base) {
    if (base.empty()) return {};
    const fs::path dir = base / "pictorra-vaze";
    std::error_code ec;
    fs::create_directories(dir, ec);
    if (!fs::is_directory(dir, ec)) return {};
    fs::permissions(dir, fs::perms::owner_all, fs::perm_options::replace, ec);
    if (ec) return {};
    std::string s = dir.string();
    if (s.back() != '/') s += '/';
    return s;
}

std::string DefaultTempDirectory() {
#if defined(_WIN32)
    char buffer[MAX_PATH + 1] = {};
    DWORD n = GetTempPathA(MAX_PATH, buffer);
    if (n == 0 || n > MAX_PATH) return {};
    return std::string(buffer, n);
#else
    return PrivateStateDirectory(StateBase(std::getenv("XDG_STATE_HOME"), std::getenv("HOME")));
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
