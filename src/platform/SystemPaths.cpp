#include "platform/SystemPaths.h"

#include <cstdlib>
#include <system_error>
#include <vector>

#if defined(_WIN32)
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#if defined(__APPLE__)
#include <mach-o/dyld.h>
#endif
#endif

namespace fs = std::filesystem;

namespace {
std::string WithSeparator(const fs::path& dir) {
    std::string s = dir.string();
    if (!s.empty() && s.back() != '/' && s.back() != '\\') s += static_cast<char>(fs::path::preferred_separator);
    return s;
}

// A trailing separator would make the system follow a link in the last place.
fs::path WithoutSeparator(const fs::path& dir) {
    std::string s = dir.string();
    while (s.size() > 1 && (s.back() == '/' || s.back() == static_cast<char>(fs::path::preferred_separator)))
        s.pop_back();
    return fs::path(s);
}

// Makes `dir` (not its parents) private to its owner; an existing entry is left for the check.
void MakeFolder(const fs::path& dir) {
#if defined(_WIN32)
    std::error_code ec;
    fs::create_directory(dir, ec);
#else
    ::mkdir(dir.c_str(), 0700);
#endif
}

std::string UserTag() {
#if defined(_WIN32)
    return "user";
#else
    return std::to_string(::geteuid());
#endif
}
} // namespace

fs::path StateBase(const char* stateHome, const char* home) {
    if (stateHome && *stateHome) return fs::path(stateHome);
    if (home && *home) return fs::path(home) / ".local" / "state";
    return {};
}

bool IsPrivateFolder(const fs::path& folder) {
    if (folder.empty()) return false;
    const fs::path dir = WithoutSeparator(folder);
#if defined(_WIN32)
    std::error_code ec;
    const fs::file_status status = fs::symlink_status(dir, ec);
    return !ec && fs::is_directory(status);
#else
    // Opened without following a link, so the checks and the mode change meet the same folder.
    const int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) return false;
    struct stat st {};
    bool ok = ::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == ::geteuid();
    if (ok && (st.st_mode & 07777) != 0700) ok = ::fchmod(fd, 0700) == 0;
    ::close(fd);
    return ok;
#endif
}

std::string PrivateStateDirectory(const fs::path& base) {
    if (base.empty()) return {};
    const fs::path dir = base / "pictorra-vaze";
    std::error_code ec;
    fs::create_directories(base, ec);
    MakeFolder(dir);
    return IsPrivateFolder(dir) ? WithSeparator(dir) : std::string();
}

fs::path SystemTempRoot() {
#if defined(_WIN32)
    std::error_code ec;
    return fs::temp_directory_path(ec);
#else
    const char* tmp = std::getenv("TMPDIR");
    return fs::path(tmp && *tmp ? tmp : "/tmp");
#endif
}

PrivateFolder ChoosePrivateFolder(const std::string& preferred, const fs::path& tempRoot) {
    if (!preferred.empty() && fs::path(preferred).is_absolute()) {
        MakeFolder(WithoutSeparator(preferred));
        if (IsPrivateFolder(preferred)) return {WithSeparator(preferred), false};
    }
    if (tempRoot.empty() || !tempRoot.is_absolute()) return {};
    const fs::path usual = tempRoot / ("pictorra-vaze-" + UserTag());
    MakeFolder(usual);
    if (IsPrivateFolder(usual)) return {WithSeparator(usual), true};
    // The usual name is a link or someone else's folder: never follow it, take a new name.
    const fs::path fresh = MakeUniqueFolder(tempRoot / ("pictorra-vaze-" + UserTag() + "-"));
    if (!fresh.empty() && IsPrivateFolder(fresh)) return {WithSeparator(fresh), true};
    return {};
}

fs::path MakeUniqueFolder(const fs::path& prefix) {
#if defined(_WIN32)
    for (unsigned n = 0; n < 100; ++n) {
        fs::path dir = prefix.string() + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(n);
        if (CreateDirectoryW(dir.c_str(), nullptr)) return dir;
    }
    return {};
#else
    std::string name = prefix.string() + "XXXXXX";
    std::vector<char> buffer(name.begin(), name.end());
    buffer.push_back('\0');
    if (!::mkdtemp(buffer.data())) return {};
    return fs::path(buffer.data());
#endif
}

std::string DefaultTempDirectory() {
#if defined(_WIN32)
    char buffer[MAX_PATH + 1] = {};
    DWORD n = GetTempPathA(MAX_PATH, buffer);
    if (n == 0 || n > MAX_PATH) return {};
    return PrivateStateDirectory(fs::path(std::string(buffer, n)));
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
