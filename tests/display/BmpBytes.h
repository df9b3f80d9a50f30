#pragma once
// Builds small bitmap files byte by byte, so tests control every header field.
#include <cstdint>
#include <vector>

struct BmpSpec {
    int headerSize = 40; // 12 core, 40 info, 108 V4, 124 V5
    std::int32_t width = 2;
    std::int32_t height = 2; // negative: top-down
    int bits = 24;
    std::uint32_t compression = 0;
    std::uint32_t coloursUsed = 0;
    std::vector<std::uint32_t> palette;  // 0x00RRGGBB
    std::vector<std::uint32_t> masks;    // r, g, b when compression is 3
    std::vector<std::uint8_t> pixelData; // exactly as stored
    std::int64_t offsetOverride = -1;    // pixel offset written into the file header
};

inline void PutLe(std::vector<std::uint8_t>& v, std::uint32_t x, int bytes) {
    for (int i = 0; i < bytes; ++i)
        v.push_back(static_cast<std::uint8_t>(x >> (8 * i)));
}

inline std::vector<std::uint8_t> MakeBmp(const BmpSpec& s) {
    std::vector<std::uint8_t> dib;
    PutLe(dib, static_cast<std::uint32_t>(s.headerSize), 4);
    if (s.headerSize == 12) {
        PutLe(dib, static_cast<std::uint32_t>(s.width), 2);
        PutLe(dib, static_cast<std::uint32_t>(s.height), 2);
        PutLe(dib, 1, 2);
        PutLe(dib, static_cast<std::uint32_t>(s.bits), 2);
    } else {
        PutLe(dib, static_cast<std::uint32_t>(s.width), 4);
        PutLe(dib, static_cast<std::uint32_t>(s.height), 4);
        PutLe(dib, 1, 2);
        PutLe(dib, static_cast<std::uint32_t>(s.bits), 2);
        PutLe(dib, s.compression, 4);
        PutLe(dib, static_cast<std::uint32_t>(s.pixelData.size()), 4);
        PutLe(dib, 2835, 4);
        PutLe(dib, 2835, 4);
        PutLe(dib, s.coloursUsed, 4);
        PutLe(dib, 0, 4);
        if (s.headerSize > 40) {
            for (int i = 0; i < 3; ++i)
                PutLe(dib, i < static_cast<int>(s.masks.size()) ? s.masks[i] : 0, 4);
            dib.resize(static_cast<std::size_t>(s.headerSize), 0);
        } else if (s.compression == 3) {
            for (std::uint32_t m : s.masks)
                PutLe(dib, m, 4);
        }
    }
    for (std::uint32_t c : s.palette) {
        PutLe(dib, c & 0xFFFFFF, s.headerSize == 12 ? 3 : 4);
    }
    std::vector<std::uint8_t> file{'B', 'M'};
    const std::uint32_t offset = s.offsetOverride >= 0 ? static_cast<std::uint32_t>(s.offsetOverride)
                                                       : static_cast<std::uint32_t>(14 + dib.size());
    PutLe(file, static_cast<std::uint32_t>(14 + dib.size() + s.pixelData.size()), 4);
    PutLe(file, 0, 4);
    PutLe(file, offset, 4);
    file.insert(file.end(), dib.begin(), dib.end());
    file.insert(file.end(), s.pixelData.begin(), s.pixelData.end());
    return file;
}
