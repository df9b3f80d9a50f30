#include "platform/FileReplace.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>

#if defined(_WIN32)
#include <io.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

namespace fs = std::filesystem;

namespace {
bool Fail(std::string* why, const std::string& text) {
    if (why) *why = text;
    return false;
}

// Until this returns the bytes may still sit in the operating system's cache only.
bool FlushToDisk(std::FILE* file) {
    if (std::fflush(file) != 0) return false;
#if defined(_WIN32)
    return _commit(_fileno(file)) == 0;
#else
    return ::fsync(::fileno(file)) == 0;
#endif
}

// The rename itself lives in the folder's entry; flushing the folder makes it last.
void FlushFolder(const std::string& path) {
#if !defined(_WIN32)
    fs::path folder = fs::path(path).parent_path();
    if (folder.empty()) folder = fs::current_path();
    const int fd = ::open(folder.c_str(), O_RDONLY);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
#else
    (void)path;
#endif
}
} // namespace

std::string SiblingPath(const std::string& path) {
    std::string sibling = path;
    sibling.append(".new");
    return sibling;
}

bool WriteSiblingFile(const std::string& path, const std::vector<std::uint8_t>& bytes, std::string* why) {
    const std::string sibling = SiblingPath(path);
    std::FILE* file = std::fopen(sibling.c_str(), "wb");
    if (!file) return Fail(why, std::strerror(errno));
    bool written = bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    int error = written ? 0 : errno;
    if (written && !FlushToDisk(file)) {
        written = false;
        error = errno;
    }
    if (std::fclose(file) != 0 && written) {
        written = false;
        error = errno;
    }
    if (!written) {
        std::remove(sibling.c_str());
        return Fail(why, error ? std::strerror(error) : "the file could not be written");
    }
    return true;
}

bool CommitSiblingFile(const std::string& path, std::string* why) {
    const std::string sibling = SiblingPath(path);
    std::error_code ec;
    fs::rename(sibling, path, ec);
    if (ec) {
        std::remove(sibling.c_str());
        return Fail(why, ec.message());
    }
    FlushFolder(path);
    return true;
}

bool ReplaceFileAtomically(const std::string& path, const std::vector<std::uint8_t>& bytes, std::string* why) {
    return WriteSiblingFile(path, bytes, why) && CommitSiblingFile(path, why);
}
