#pragma once
// The windowed double-buffered display: everything is composed in a back buffer in the
// screen's pixel layout and handed to the platform in one present.
#include "display/CSurface.h"
#include "platform/WinTypes.h"

#include <memory>
#include <string>

class CDisplay {
  public:
    CDisplay() = default;
    virtual ~CDisplay();
    CDisplay(const CDisplay&) = delete;
    CDisplay& operator=(const CDisplay&) = delete;

    HRESULT CreateWindowedDisplay(HWND window, int width, int height);
    virtual HRESULT ReleaseAll();

    HRESULT NewSurface(CSurface** out, int width, int height, bool systemMemory);
    // Loads a BMP file (1, 4, 8, 16, 24 or 32 bits) into a new surface of its own size;
    // width and height are accepted and ignored.
    HRESULT NewSurfaceFromBitmap(CSurface** out, const std::string& name, int width, int height,
                                 bool systemMemory);

    HRESULT DrawSurface(int x, int y, CSurface* surface, const RECT* source, int w, int h);
    HRESULT DrawRaw(int x, int y, CSurface* source, const RECT& sourceRect, int w, int h, bool useKey);
    HRESULT ClearBackBuffer(std::uint32_t value);
    HRESULT FillArea(std::uint32_t value, int l, int t, int r, int b);
    HRESULT DrawFrame(std::uint32_t value, int l, int t, int r, int b, int thickness);
    HRESULT ShowBackBuffer();

    // The layout every surface of this display uses.
    PixelFormatCode Format() const { return format; }
    bool Created() const { return created; }
    CSurface* BackBuffer() { return backBuffer.get(); }

    // Tests make the next present report a lost surface.
    void InjectSurfaceLoss() { injectLoss = true; }

    HWND window = 0;
    std::int32_t width = 100;
    std::int32_t height = 100;

  private:
    bool created = false;
    bool injectLoss = false;
    PixelFormatCode format = RGB32;
    std::unique_ptr<CSurface> backBuffer;
};
