#include "cutting/CSideShape.h"

#include "display/CDisplay.h"
#include "display/CSurface.h"

#include <cstring>
#include <memory>

std::uint8_t RedComponent(const std::uint8_t* pixel, PixelFormatCode format) {
    switch (format) {
    case RGB565: {
        std::uint16_t v;
        std::memcpy(&v, pixel, 2);
        return static_cast<std::uint8_t>((v >> 8) & 0xF8);
    }
    case RGB555:
    case RGB16Other: {
        std::uint16_t v;
        std::memcpy(&v, pixel, 2);
        return static_cast<std::uint8_t>((v >> 7) & 0xF8);
    }
    case RGB24:
    case RGB32:
        return pixel[2];
    default:
        return pixel[0];
    }
}

bool CSideShape::LoadMapFromSurface(CSurface* surface) {
    width = height = 0;
    map.clear();
    if (!surface) return false;
    const int bpp = BytesPerPixel(surface->pixelFormat);
    const int w = surface->desc.dwWidth;
    const int h = surface->desc.dwHeight;
    if (w <= 0 || h <= 0 || bpp <= 0) return false;

    std::int32_t pitch = 0;
    const std::uint8_t* bits = surface->Lock(&pitch);
    // An unreadable bitmap gives no map rather than a map of middle grey, which would
    // cut a whole square out of every piece that uses it.
    if (!bits || pitch < w * bpp) {
        if (bits) surface->Unlock();
        return false;
    }
    map.assign(static_cast<std::size_t>(w) * h, 128);
    for (int y = 0; y < h; ++y) {
        const std::uint8_t* row = bits + static_cast<std::size_t>(y) * pitch;
        for (int x = 0; x < w; ++x)
            map[static_cast<std::size_t>(y) * w + x] = RedComponent(row + x * bpp, surface->pixelFormat);
    }
    surface->Unlock();
    width = w;
    height = h;
    return true;
}

bool CSideShape::LoadMap(CDisplay* display, const std::string& bitmapFile) {
    width = height = 0;
    map.clear();
    if (!display) return false;
    CSurface* raw = nullptr;
    if (display->NewSurfaceFromBitmap(&raw, bitmapFile, 0, 0, true) != S_OK || !raw) {
        delete raw;
        return false;
    }
    std::unique_ptr<CSurface> surface(raw);
    return LoadMapFromSurface(surface.get());
}
