#include "cutting/PieceGrid.h"

#include "cutting/CutTable.h"
#include "display/CSurface.h"
#include "play/CPuzzle.h"

#include <cstring>

void ComputeGrid(int width, int height, int cell, std::int32_t* cols, std::int32_t* rows) {
    if (!IsUsableCellSize(cell) || width <= 0 || height <= 0) {
        *cols = *rows = 0;
        return;
    }
    *cols = width / cell;
    *rows = height / cell;
}

void NudgeWhitePixels(std::uint8_t* bits, int pitch, int width, int height, PixelFormatCode format) {
    if (!bits) return;
    const int bpp = BytesPerPixel(format);
    if (bpp == 2) {
        // In 5-5-5 the top bit is unused, so white there is 0x7FFF as well as 0xFFFF.
        const PixelFormatDesc layout = DescribePixelFormat(format);
        const std::uint16_t white =
            static_cast<std::uint16_t>(layout.redMask | layout.greenMask | layout.blueMask);
        for (int y = 0; y < height; ++y) {
            std::uint8_t* row = bits + static_cast<std::size_t>(y) * pitch;
            for (int x = 0; x < width; ++x) {
                std::uint16_t v;
                std::memcpy(&v, row + x * 2, 2);
                if ((v & white) == white) {
                    v = static_cast<std::uint16_t>(v & ~1u);
                    std::memcpy(row + x * 2, &v, 2);
                }
            }
        }
    } else if (bpp == 3 || bpp == 4) {
        for (int y = 0; y < height; ++y) {
            std::uint8_t* p = bits + static_cast<std::size_t>(y) * pitch;
            for (int x = 0; x < width; ++x, p += bpp) {
                if (p[0] == 255 && p[1] == 255 && p[2] == 255) p[0] = 250;
            }
        }
    }
}

void NudgeWhite(CSurface* picture) {
    if (!picture) return;
    std::int32_t pitch = 0;
    std::uint8_t* bits = picture->Lock(&pitch);
    if (!bits) return;
    NudgeWhitePixels(bits, pitch, picture->desc.dwWidth, picture->desc.dwHeight, picture->pixelFormat);
    picture->Unlock();
}

void PrepareGrid(CPuzzle* puzzle, int cell) {
    CSurface* picture = puzzle->pictureSurface;
    if (!picture) {
        puzzle->cols = puzzle->rows = 0;
        return;
    }
    ComputeGrid(picture->desc.dwWidth, picture->desc.dwHeight, cell, &puzzle->cols, &puzzle->rows);
    NudgeWhite(picture);
}
