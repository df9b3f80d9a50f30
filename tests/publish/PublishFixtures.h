#pragma once
// Helpers for the publishing tests: pictures, stand-in game programs, reading a published
// program back with the game's readers, and cutting the game's way without a window.
#include "HeadlessCutter.h"
#include "Publisher.h"
#include "SideShapeGenerator.h"
#include "pack/CPackFile.h"
#include "play/CPuzzle.h"
#include "support/PictureFiles.h"
#include "support/PublishedPuzzle.h"
#include "support/TempDir.h"

#include <string>
#include <vector>

// Writes a width x height gradient as "bmp", "jpg" or "jpeg" and returns its path.
std::string MakePicture(const TempDir& dir, const std::string& type, int width, int height);

// A request for a puzzle titled "Test Puzzle".
publish::PublishRequest PublishRequestFor(const std::string& program, const std::string& picture,
                                          const std::string& cut, const std::string& output);

// A stand-in game program of `size` bytes that holds no pack marker.
std::string MakeProgram(const TempDir& dir, std::size_t size = 4096);

// A published program read back through the game's pack reader.
class Readback {
  public:
    explicit Readback(const TempDir& dir) : dir(dir) {}
    bool Open(const std::string& program) { return pack.OpenPackFile(program, 200000); }
    // The entry's bytes (empty when it cannot be extracted).
    Bytes Entry(const std::string& name);
    // The entry extracted into the scratch folder; its path, or "" when it is absent.
    std::string EntryFile(const std::string& name);

    CPackFile pack;

  private:
    const TempDir& dir;
    int counter = 0;
};

// Fills the cutter's side list with generated sets directly (no bitmaps in between).
void UseSets(publish::HeadlessCutter& cutter, const publish::CutInfo& cut,
             const std::vector<publish::SideSet>& sets);
// Cuts a cols x rows grid of a plain picture with the game's cutting pass.
void CutGrid(publish::HeadlessCutter& cutter, const publish::CutInfo& cut, CPuzzle& puzzle, int cols,
             int rows, std::uint32_t seed);
