#pragma once
// Assembles a published puzzle: the archive with the author's options and picture, the
// side list and bitmaps for the chosen cut, the selector image and the two sounds, appended
// as a pack to a copy of the game program, with the author's extras when asked for.
#include "ExtrasEntries.h"
#include "PackWriter.h"
#include "Progress.h"

#include <cstdint>
#include <string>
#include <vector>

namespace publish {

struct PublishRequest {
    std::string gameProgram;
    std::string picturePath;
    // The picture's bytes and type name when already prepared (converted or scaled); when
    // empty, the file at picturePath is published as it is.
    std::vector<std::uint8_t> pictureBytes;
    std::string pictureType;
    std::string cutName = "medium";
    std::string title;
    std::string completionText;
    bool previewAllowed = true;
    bool targetGiven = false; // otherwise the target follows the piece count, as in the game
    int targetHours = 0;
    int targetMinutes = 0;
    bool scramble = false;
    std::string output;
    ExtrasRequest extras;
};

struct PublishSummary {
    std::string pictureType;
    int pictureWidth = 0;
    int pictureHeight = 0;
    int cellSize = 0;
    int cols = 0;
    int rows = 0;
    std::size_t sets = 0;
    std::vector<std::string> entryNames; // pack order
};

class Publisher {
  public:
    // The seed each cut's side shapes are generated from, so a cut always looks the same.
    static std::uint32_t SideSeed(int cutStyle) { return 0x50760000u + static_cast<std::uint32_t>(cutStyle); }

    // Every pack entry of the puzzle, in pack order. False with `error` set when the cut is
    // unknown, the picture is missing, not of a type the game reads, undecodable, smaller
    // than one cell or larger than the game takes, an option does not fit its line, or an
    // extra is refused.
    static bool BuildEntries(const PublishRequest& request, std::vector<PackEntrySource>* entries,
                             PublishSummary* summary, std::string* error, Progress* progress = nullptr);
    // BuildEntries, then the program with the pack written to the output, executable like
    // the program. Refuses to overwrite the program itself.
    static bool Publish(const PublishRequest& request, PublishSummary* summary, std::string* error,
                        Progress* progress = nullptr);

    // Empty when the game takes a picture of width x height cut in cells of `cellSize`;
    // otherwise why not, and how to publish it smaller.
    static std::string SizeRefusal(int width, int height, int cellSize);

    // The lowercased extension of a file name ("" without one), the picture's type name.
    static std::string TypeNameFromFileName(const std::string& path);
};

} // namespace publish
