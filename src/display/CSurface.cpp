#include "display/CSurface.h"

#include "display/PixelOps.h"

#include <cstring>
#include <new>

CSurface::~CSurface() {
    Release();
}

HRESULT CSurface::Create(const SurfaceDesc& wanted) {
    if (wanted.dwWidth <= 0 || wanted.dwHeight <= 0 || wanted.dwWidth > kMaxPictureSide ||
        wanted.dwHeight > kMaxPictureSide)
        return E_INVALIDARG;
    const PixelFormatCode code = ClassifyPixelFormat(wanted.pixelFormat);
    // Rows start on 4-byte boundaries, as display memory has them.
    const std::int32_t pitch = (wanted.dwWidth * BytesPerPixel(code) + 3) & ~3;
    try {
        pixels.assign(static_cast<std::size_t>(pitch) * static_cast<std::size_t>(wanted.dwHeight), 0);
    } catch (const std::bad_alloc&) {
        pixels.clear();
        return E_FAIL;
    }
    desc = wanted;
    desc.lPitch = pitch;
    DetectPixelFormat();
    return S_OK;
}

HRESULT CSurface::Release() {
    std::vector<std::uint8_t>().swap(pixels);
    return S_OK;
}

void CSurface::DetectPixelFormat() {
    pixelFormat = ClassifyPixelFormat(desc.pixelFormat);
}

int CSurface::BitsPerPixel() const {
    return ::BitsPerPixel(pixelFormat);
}

std::uint8_t* CSurface::Lock(std::int32_t* pitch) {
    if (pitch) *pitch = desc.lPitch;
    return pixels.empty() ? nullptr : pixels.data();
}

void CSurface::Unlock() {}

HRESULT CSurface::PaintBitmap(const std::vector<std::uint32_t>& bitmap, int bitmapWidth, int bitmapHeight,
                              int x, int y, int w, int h) {
    if (pixels.empty() || bitmapWidth <= 0 || bitmapHeight <= 0 ||
        bitmap.size() < static_cast<std::size_t>(bitmapWidth) * static_cast<std::size_t>(bitmapHeight))
        return E_INVALIDARG;
    if (w == 0) w = bitmapWidth;
    if (h == 0) h = bitmapHeight;
    if (x < 0 || y < 0 || w < 0 || h < 0 || static_cast<std::int64_t>(x) + w > bitmapWidth ||
        static_cast<std::int64_t>(y) + h > bitmapHeight)
        return E_INVALIDARG;
    const int bpp = BytesPerPixel(pixelFormat);
    const std::int64_t dw = desc.dwWidth, dh = desc.dwHeight;
    for (std::int64_t dy = 0; dy < dh; ++dy) {
        const std::int64_t sy = y + (2 * dy + 1) * h / (2 * dh);
        const std::uint32_t* src = bitmap.data() + sy * bitmapWidth;
        std::uint8_t* row = pixels.data() + dy * desc.lPitch;
        for (std::int64_t dx = 0; dx < dw; ++dx) {
            // Unscaled, the column itself: the same value without a division per pixel.
            const std::int64_t sx = w == dw ? x + dx : x + (2 * dx + 1) * w / (2 * dw);
            const std::uint32_t v = RgbToPixel(pixelFormat, src[sx]);
            std::uint8_t* p = row + dx * bpp;
            switch (bpp) {
            case 1:
                p[0] = static_cast<std::uint8_t>(v);
                break;
            case 2: {
                const auto w16 = static_cast<std::uint16_t>(v);
                std::memcpy(p, &w16, 2);
                break;
            }
            case 3:
                p[0] = static_cast<std::uint8_t>(v);
                p[1] = static_cast<std::uint8_t>(v >> 8);
                p[2] = static_cast<std::uint8_t>(v >> 16);
                break;
            default:
                std::memcpy(p, &v, 4);
                break;
            }
        }
    }
    return S_OK;
}

HRESULT CSurface::PaintBitmap(const DecodedImage& bitmap, int x, int y, int w, int h) {
    return PaintBitmap(bitmap.pixels, bitmap.width, bitmap.height, x, y, w, h);
}

std::uint32_t CSurface::MatchColour(COLORREF colour) {
    if (pixels.empty()) return 0;
    // The colour's value is computed, not written into the surface, so the first pixel is
    // never disturbed. Without a colour the first pixel's own value is the answer.
    if (colour == CLR_INVALID) return GetPixelValue(0, 0);
    return ColourToPixel(pixelFormat, colour & 0xFFFFFF);
}

HRESULT CSurface::SetTransparentColour(COLORREF colour) {
    if (pixels.empty()) return E_POINTER;
    transparent = 1;
    colourKey = MatchColour(colour);
    return S_OK;
}

HRESULT CSurface::Fill(std::uint32_t colour, bool convert) {
    if (pixels.empty()) return E_POINTER;
    const std::uint32_t value = convert ? MatchColour(colour) : colour;
    FillPixels(
        PixelPlane{pixels.data(), desc.lPitch, desc.dwWidth, desc.dwHeight, BytesPerPixel(pixelFormat)}, 0, 0,
        desc.dwWidth, desc.dwHeight, value);
    return S_OK;
}

std::uint32_t CSurface::GetPixelValue(int x, int y) const {
    if (pixels.empty() || x < 0 || y < 0 || x >= desc.dwWidth || y >= desc.dwHeight) return 0;
    const int bpp = BytesPerPixel(pixelFormat);
    const std::uint8_t* p =
        pixels.data() + static_cast<std::size_t>(y) * desc.lPitch + static_cast<std::size_t>(x) * bpp;
    std::uint32_t v = 0;
    for (int i = 0; i < bpp; ++i)
        v |= static_cast<std::uint32_t>(p[i]) << (8 * i);
    return v;
}

void CSurface::SetPixelValue(int x, int y, std::uint32_t value) {
    if (pixels.empty() || x < 0 || y < 0 || x >= desc.dwWidth || y >= desc.dwHeight) return;
    const int bpp = BytesPerPixel(pixelFormat);
    std::uint8_t* p =
        pixels.data() + static_cast<std::size_t>(y) * desc.lPitch + static_cast<std::size_t>(x) * bpp;
    for (int i = 0; i < bpp; ++i)
        p[i] = static_cast<std::uint8_t>(value >> (8 * i));
}

COLORREF CSurface::GetPixelColour(int x, int y) const {
    return PixelToColour(pixelFormat, GetPixelValue(x, y));
}

void CSurface::SetPixelColour(int x, int y, COLORREF colour) {
    SetPixelValue(x, y, ColourToPixel(pixelFormat, colour));
}
