#pragma once
// Helpers for the publishing tests: pictures of every type, stand-in game programs, reading
// a published program back with the game's readers, and a headless game to cut with.
#include "support/PictureFiles.h"
#include "SideShapeGenerator.h"
#include "cutting/CMaskCache.h"
#include "cutting/CSideList.h"
#include "display/CDisplay.h"
#include "pack/CPackFile.h"
#include "play/CPuzzle.h"
#include "support/TempDir.h"

#include <string>
#include <vector>

// The colour of picture pixel (x, y) in the test pictures: every cell looks different.
std::uint32_t TestPixel(int x, int y);

// Writes a width x height picture of TestPixel as `type` ("bmp", "jpg", "jpeg", "gif",
// "ico", "pcx") and returns its path. GIF and PCX keep TestPixel's colours only roughly.
std::string MakePicture(const TempDir& dir, const std::string& type, int width, int height);

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

// The game's process-wide display, side list and mask cache for one test, with an RGB32
// display; the previous globals come back afterwards.
class HeadlessCut {
  public:
    HeadlessCut();
    ~HeadlessCut();
    HeadlessCut(const HeadlessCut&) = delete;
    HeadlessCut& operator=(const HeadlessCut&) = delete;

    // Fills the side list with generated sets directly (no bitmaps in between).
    void UseSets(const publish::CutInfo& cut, const std::vector<publish::SideSet>& sets);
    // Cuts a cols x rows grid of a plain picture with the game's cutting pass.
    void CutGrid(CPuzzle& puzzle, int cols, int rows, std::uint32_t seed);

    CDisplay display;
    CSideList sideList;
    CMaskCache maskCache;

  private:
    CDisplay* oldDisplay;
    CSideList* oldSideList;
    CMaskCache* oldMaskCache;
    std::int32_t oldCell;
};
