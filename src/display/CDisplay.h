#pragma once
// The windowed double-buffered display: everything is composed in a back buffer in the
// screen's pixel layout and handed to the platform in one present.
#include "display/CSurface.h"
#include "display/PixelOps.h"
#include "platform/WinTypes.h"

#include <atomic>
#include <memory>
#include <string>
#include <vector>

class CDisplay {
  public:
    CDisplay() = default;
    virtual ~CDisplay();
    CDisplay(const CDisplay&) = delete;
    CDisplay& operator=(const CDisplay&) = delete;

    // The layout follows the platform's screen unless PICTORRA_DISPLAY_FORMAT names one
    // (rgb555, rgb565, rgb24, rgb32 or 8); width and height are the back buffer's size.
    HRESULT CreateWindowedDisplay(HWND window, int width, int height);
    // Grows the back buffer (never shrinks it) so it covers a client area of this size, as a
    // window on a screen larger than the one it was sized for needs; sides are capped at
    // kMaxBackBufferSide. The old buffer stays when the new one cannot be had.
    HRESULT CoverClient(int clientWidth, int clientHeight);
    static constexpr int kMaxBackBufferSide = 8192;
    virtual HRESULT ReleaseAll();

    // On failure *out is null. Surfaces may be created on another thread while this one draws.
    HRESULT NewSurface(CSurface** out, int width, int height, bool systemMemory);
    // Loads a BMP file (1, 4, 8, 16, 24 or 32 bits) into a new surface of its own size; width and height are accepted and ignored.
    HRESULT NewSurfaceFromBitmap(CSurface** out, const std::string& name, int width, int height,
                                 bool systemMemory);
    // A picture already decoded into a new surface of its own size.
    HRESULT NewSurfaceFromImage(CSurface** out, const DecodedImage& image, bool systemMemory);

    // Width and height -1, -1 draw at the source's own size; others stretch. Destinations
    // entirely off the back buffer are skipped, others are clipped to it.
    HRESULT DrawSurface(int x, int y, CSurface* surface, const RECT* source, int w, int h);
    HRESULT DrawRaw(int x, int y, CSurface* source, const RECT& sourceRect, int w, int h, bool useKey);
    // Fills the runs moved by (x, y) with one pixel value, clipped to the back buffer.
    HRESULT FillRuns(int x, int y, const std::vector<PixelRun>& runs, std::uint32_t value);
    HRESULT ClearBackBuffer(std::uint32_t value);
    HRESULT FillArea(std::uint32_t value, int l, int t, int r, int b);
    // Bars top, left, right and bottom; the right and bottom ones lie outside (r, b), so the
    // corner pixel (r, b) itself stays undrawn.
    HRESULT DrawFrame(std::uint32_t value, int l, int t, int r, int b, int thickness);
    // Confines every drawing call, the clear included, to `area` (right and bottom exclusive,
    // cut to the back buffer); null lifts the limit. Coordinates stay those of the buffer.
    void SetClip(const RECT* area);
    // The rectangle drawing may touch: the clip, or the whole buffer.
    RECT Clip() const;
    // Hands the back buffer to the platform; DDERR_SURFACELOST when it was lost. With `changed`
    // only that part differs from the previous present.
    HRESULT ShowBackBuffer(const RECT* changed = nullptr);
    // Surfaces live in ordinary memory and keep their pixels over a loss, so restoring
    // them only needs a display to exist.
    HRESULT RestoreAllSurfaces() const { return created ? S_OK : E_POINTER; }

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
    // The part of the back buffer inside the clip, with the clip's top-left corner.
    PixelPlane Target(POINT* origin);

    bool clipped = false;
    RECT clip;
    // Read by the loader thread when it makes surfaces.
    std::atomic<bool> created{false};
    std::atomic<bool> injectLoss{false};
    std::atomic<PixelFormatCode> format{RGB32};
    std::unique_ptr<CSurface> backBuffer;
};
