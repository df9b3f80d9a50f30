#pragma once
// An off-screen image in the display's pixel layout: pictures, piece images, shadows,
// banner frames and the colour probe.
#include "display/PixelFormat.h"
#include "imaging/DecodedImage.h"
#include "platform/WinTypes.h"

#include <cstdint>
#include <string>
#include <vector>

class CDisplay;

struct SurfaceDesc {
    std::int32_t dwWidth = 0;
    std::int32_t dwHeight = 0;
    std::int32_t lPitch = 0; // bytes per row
    PixelFormatDesc pixelFormat;
};

class CSurface {
  public:
    CSurface() = default;
    virtual ~CSurface();
    CSurface(const CSurface&) = delete;
    CSurface& operator=(const CSurface&) = delete;

    // Allocates the pixel memory for `desc` (width, height, format); the pitch is computed.
    HRESULT Create(const SurfaceDesc& desc);
    HRESULT Release();

    // Scales a decoded bitmap (32-bit 0x00RRGGBB pixels, top-down) from the source rectangle
    // onto the whole surface; w or h 0 means the bitmap's own.
    // A source rectangle reaching outside the bitmap is refused.
    HRESULT PaintBitmap(const std::vector<std::uint32_t>& bitmap, int bitmapWidth, int bitmapHeight, int x,
                        int y, int w, int h);
    HRESULT PaintBitmap(const DecodedImage& bitmap, int x, int y, int w, int h);
    HRESULT SetTransparentColour(COLORREF colour);
    HRESULT Fill(std::uint32_t colour, bool convert);
    // The pixel value this surface stores for `colour`; CLR_INVALID reads the first pixel.
    std::uint32_t MatchColour(COLORREF colour);
    void DetectPixelFormat();
    int BitsPerPixel() const;

    // Direct pixel access. Lock returns null when the surface has no memory. Rows are
    // `pitch` bytes apart (a multiple of 4, possibly wider than the pixels).
    std::uint8_t* Lock(std::int32_t* pitch);
    void Unlock();

    // Pixel helpers in this surface's layout (no bounds checks beyond the surface's own).
    std::uint32_t GetPixelValue(int x, int y) const;
    void SetPixelValue(int x, int y, std::uint32_t value);
    COLORREF GetPixelColour(int x, int y) const; // converts back to 0x00BBGGRR
    void SetPixelColour(int x, int y, COLORREF colour);

    bool HasMemory() const { return !pixels.empty(); }
    int Width() const { return desc.dwWidth; }
    int Height() const { return desc.dwHeight; }
    int Pitch() const { return desc.lPitch; }
    const std::uint8_t* Bits() const { return pixels.data(); }
    std::uint8_t* Bits() { return pixels.data(); }

    // Fields other code reads.
    std::int32_t transparent = 0; // blits of this surface use the colour key
    std::uint32_t colourKey = 0;  // pixel value that is not drawn when transparent
    SurfaceDesc desc;             // size, pitch and layout
    PixelFormatCode pixelFormat = RGB565;

  private:
    std::vector<std::uint8_t> pixels;
};
