#pragma once
// Row loops over raw surface memory: fills and (keyed, stretched) copies with the
// destination clipped to its bounds. Both sides are in the same pixel layout.
#include <cstddef>
#include <cstdint>

struct PixelPlane {
    std::uint8_t* bits = nullptr;
    int pitch = 0;  // bytes per row
    int width = 0;  // pixels
    int height = 0; // rows
    int bytesPerPixel = 4;
};

// Fills [l, r) x [t, b) clipped to the plane.
void FillPixels(const PixelPlane& plane, int l, int t, int r, int b, std::uint32_t value);

// One row's stretch of pixels, [left, right) on row y.
struct PixelRun {
    std::int32_t y = 0, left = 0, right = 0;
};

// Fills every run moved by (x, y), clipped to the plane: a one-colour shape.
void FillRuns(const PixelPlane& plane, int x, int y, const PixelRun* runs, std::size_t count, std::uint32_t value);

struct BlitRequest {
    int srcLeft = 0, srcTop = 0, srcWidth = 0, srcHeight = 0; // inside the source plane
    int dstX = 0, dstY = 0, dstWidth = 0, dstHeight = 0;      // may reach outside the destination
    bool useKey = false;
    std::uint32_t key = 0; // source pixels equal to this (within `keyMask`) are skipped
    std::uint32_t keyMask = 0xFFFFFFFF;
};

// Copies the source rectangle onto the destination rectangle, nearest pixel when the sizes
// differ; only the part inside the destination plane is written.
void BlitPixels(const PixelPlane& dst, const PixelPlane& src, const BlitRequest& request);
