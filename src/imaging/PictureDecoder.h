#pragma once
// One door to every picture decoder: pick the decoder by format, read the file bounded.
#include "imaging/DecodedImage.h"
#include "imaging/PictureFormat.h"
#include "platform/FileAccess.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Files larger than this are refused unread; no picture the game can use comes near it.
constexpr std::uintmax_t kMaxPictureFileBytes = std::uintmax_t{256} * 1024 * 1024;

// Reads a whole picture file within that bound; false (with a reason) when it is missing,
// unreadable or too large.
inline bool ReadPictureFile(const std::string& path, std::vector<std::uint8_t>& bytes, std::string* error) {
    return ReadWholeFile(path, kMaxPictureFileBytes, bytes, error);
}

// Decodes a picture of the given format (a GIF gives its first frame, transparent parts
// white). False when the format is unknown or the data does not decode; `out` is then empty.
bool DecodePicture(const std::uint8_t* data, std::size_t size, PictureFormat format, DecodedImage& out,
                   std::string* error);
bool DecodePictureFile(const std::string& path, PictureFormat format, DecodedImage& out, std::string* error);
