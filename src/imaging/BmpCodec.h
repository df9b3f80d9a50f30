#pragma once
// Reading and writing Windows bitmap files.
//
// The reader takes 1, 4 and 8 bits with a palette (plain or run-length coded), 16 bits
// (5-5-5 or any channel masks), 24 and 32 bits, bottom-up or top-down rows, and the core,
// info, V4 and V5 headers. Every read is bounded by the buffer; anything that does not add
// up is refused with a message instead of being guessed at.
#include "imaging/DecodedImage.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Most pixels one decode will allocate (a full 16384 x 16384 picture).
constexpr std::size_t kMaxBmpPixels = static_cast<std::size_t>(kMaxPictureSide) * kMaxPictureSide;

// Decodes a whole bitmap file held in memory ("BM" file header first).
bool DecodeBmp(const std::uint8_t* data, std::size_t size, DecodedImage& out, std::string* error,
               std::size_t maxPixels = kMaxBmpPixels);

// Decodes a bitmap without the file header (as icons and the clipboard hold them): the
// info header, then masks and palette, then the pixels.
bool DecodeDib(const std::uint8_t* data, std::size_t size, DecodedImage& out, std::string* error,
               std::size_t maxPixels = kMaxBmpPixels);

bool ReadBmpFile(const std::string& path, DecodedImage& out, std::string* error);

// A 24-bit bottom-up bitmap file of the image (info header, no palette).
std::vector<std::uint8_t> EncodeBmp24(const DecodedImage& image);
bool WriteBmpFile(const std::string& path, const DecodedImage& image);
