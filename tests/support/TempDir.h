#pragma once
// A scratch folder for one test, removed afterwards.
#include <atomic>
#include <filesystem>
#include <string>
#include <unistd.h>

class TempDir {
  public:
    TempDir() {
        static std::atomic<int> counter{0};
        path = std::filesystem::temp_directory_path() /
               ("pictorra-test-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
        std::filesystem::remove_all(path);
        std::filesystem::create_directories(path);
    }
    ~TempDir() { std::filesystem::remove_all(path, ignored); }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& Path() const { return path; }
    // The folder as a string ending in a separator.
    std::string Str() const { return path.string() + "/"; }
    std::string File(const std::string& name) const { return (path / name).string(); }

  private:
    std::filesystem::path path;
    std::error_code ignored;
};
