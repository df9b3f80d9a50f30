#pragma once
// Reading the author's picture through Qt's image readers, so any picture Qt reads can become a
// puzzle: what the game reads is kept as it is unless it must be scaled or turned upright;
// everything else becomes a high-quality JPEG of the chosen size.
#include "PictureSize.h"
#include "Progress.h"

#include <cstdint>
#include <string>
#include <vector>

namespace publish {

inline constexpr int kImportJpegQuality = 92;
// Pictures with more pixels than this are refused unread.
inline constexpr std::int64_t kMaxImportPixels = std::int64_t{256} * 1024 * 1024;

struct ImportedPicture {
    std::vector<std::uint8_t> bytes; // the picture as the pack stores it
    std::string type;                // its type name for the game, e.g. "jpg"
    int width = 0, height = 0;       // as published
    int originalWidth = 0, originalHeight = 0; // upright, before any scaling
    bool converted = false;          // re-encoded as JPEG rather than kept as it is
};

// Reads `path` (applying its EXIF orientation) at the size ChoosePictureSize gives for cells of
// `cellSize`. A picture larger than the game takes is refused before it is decoded at full size.
// False with `error` saying why the picture cannot be used.
bool ImportPicture(const std::string& path, int cellSize, const PictureSizeRequest& size, Progress* progress,
                   ImportedPicture* out, std::string* error);

} // namespace publish
