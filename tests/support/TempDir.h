#pragma once
// A scratch folder for one test, removed afterwards.
#include <filesystem>
#include <string>

class TempDir {
  public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& Path() const { return path; }
    // The folder as a string ending in a separator.
    std::string Str() const { return path.string() + "/"; }
    std::string File(const std::string& name) const { return (path / name).string(); }

  private:
    std::filesystem::path path;
};
