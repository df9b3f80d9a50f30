#include "platform/RunFolder.h"

#include "platform/SystemPaths.h"

#include <filesystem>
#include <system_error>

#if defined(_WIN32)
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#endif

namespace fs = std::filesystem;

namespace {

constexpr char kRunPrefix[] = "run-";
constexpr char kRunLockName[] = "lock";
// Held while a copy clears leftovers and makes its folder, so no copy takes another's new
// folder, not yet locked, for a leftover.
constexpr char kGuardName[] = "runs.lock";
constexpr char kLogLockName[] = "DUVereLog.lock";
constexpr char kLogName[] = "DUVereLog.txt";
constexpr char kOtherLogPrefix[] = "DUVereLog-";
constexpr char kOtherLogSuffix[] = ".txt";

// Opens `path` (created when missing) and takes its lock: -1 when the file cannot be opened
// or, without `wait`, when another holder has it.
std::intptr_t LockFile(const std::string& path, bool wait) {
#if defined(_WIN32)
    // A file opened without sharing is locked until it is closed.
    for (int attempt = 0; attempt < (wait ? 500 : 1); ++attempt) {
        HANDLE h = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
        if (h != INVALID_HANDLE_VALUE) return reinterpret_cast<std::intptr_t>(h);
        if (wait) Sleep(10);
    }
    return -1;
#else
    const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0) return -1;
    if (::flock(fd, LOCK_EX | (wait ? 0 : LOCK_NB)) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
#endif
}

void Unlock(std::intptr_t& handle) {
    if (handle < 0) return;
#if defined(_WIN32)
    CloseHandle(reinterpret_cast<HANDLE>(handle));
#else
    ::close(static_cast<int>(handle));
#endif
    handle = -1;
}

bool StartsWith(const std::string& text, const std::string& prefix) {
    return text.size() >= prefix.size() && text.compare(0, prefix.size(), prefix) == 0;
}

bool EndsWith(const std::string& text, const std::string& suffix) {
    return text.size() >= suffix.size() && text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}

} // namespace

RunFolder::RunFolder(std::string stateFolder) : state_(std::move(stateFolder)) {
    if (state_.empty()) return;
    std::intptr_t guard = LockFile(state_ + kGuardName, true);
    if (guard < 0) return;
    RemoveLeftovers();
    const fs::path made = MakeUniqueFolder(fs::path(state_) / kRunPrefix);
    if (!made.empty()) {
        runLock_ = LockFile((made / kRunLockName).string(), false);
        std::error_code ec;
        if (runLock_ < 0) fs::remove_all(made, ec);
        else path_ = (made / "").string();
    }
    Unlock(guard);
    if (path_.empty()) return;

    logLock_ = LockFile(state_ + kLogLockName, false);
    const std::string tag = made.filename().string().substr(sizeof kRunPrefix - 1);
    logName_ = logLock_ >= 0 ? kLogName : kOtherLogPrefix + tag + kOtherLogSuffix;
}

RunFolder::~RunFolder() {
    Unlock(runLock_);
    std::error_code ec;
    if (!path_.empty()) fs::remove_all(path_, ec);
    Unlock(logLock_);
}

void RunFolder::RemoveLeftovers() {
    std::error_code ec;
    const fs::path state(state_);
    for (const fs::directory_entry& entry : fs::directory_iterator(state, ec)) {
        const std::string name = entry.path().filename().string();
        std::error_code statusError;
        if (!StartsWith(name, kRunPrefix) || !entry.is_directory(statusError) || entry.is_symlink(statusError))
            continue;
        // A lock that can be taken is held by no running copy.
        std::intptr_t lock = LockFile((entry.path() / kRunLockName).string(), false);
        if (lock < 0) continue;
        Unlock(lock);
        std::error_code removeError;
        fs::remove_all(entry.path(), removeError);
    }
    // The logs of other copies go with their folders.
    for (const fs::directory_entry& entry : fs::directory_iterator(state, ec)) {
        const std::string name = entry.path().filename().string();
        if (!StartsWith(name, kOtherLogPrefix) || !EndsWith(name, kOtherLogSuffix)) continue;
        const std::string tag = name.substr(sizeof kOtherLogPrefix - 1,
                                            name.size() - (sizeof kOtherLogPrefix - 1) - (sizeof kOtherLogSuffix - 1));
        std::error_code existsError;
        if (!fs::exists(state / (kRunPrefix + tag), existsError)) fs::remove(entry.path(), existsError);
    }
}
