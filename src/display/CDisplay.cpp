#include "display/CDisplay.h"

#include "display/PixelOps.h"
#include "imaging/BmpCodec.h"
#include "platform/Platform.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace {

// The layout asked for in PICTORRA_DISPLAY_FORMAT, if it names one.
bool ForcedFormat(PixelFormatCode* code) {
    const char* value = std::getenv("PICTORRA_DISPLAY_FORMAT");
    if (!value) return false;
    const std::string v = value;
    if (v == "rgb555")
        *code = RGB555;
    else if (v == "rgb565")
        *code = RGB565;
    else if (v == "rgb24")
        *code = RGB24;
    else if (v == "rgb32")
        *code = RGB32;
    else if (v == "8")
        *code = OtherFormat;
    else
        return false;
    return true;
}

PixelFormatCode ScreenFormat() {
    PixelFormatCode code = RGB32;
    if (ForcedFormat(&code)) return code;
    IPlatform* platform = Platform();
    if (!platform) return RGB32;
    const ScreenInfo screen = platform->Screen();
    PixelFormatDesc desc;
    desc.bitsPerPixel = screen.bitsPerPixel;
    desc.redMask = screen.redMask;
    desc.greenMask = screen.greenMask;
    desc.blueMask = screen.blueMask;
    return ClassifyPixelFormat(desc);
}

PixelPlane PlaneOf(CSurface* s) {
    std::int32_t pitch = 0;
    std::uint8_t* bits = s->Lock(&pitch);
    return PixelPlane{bits, pitch, s->desc.dwWidth, s->desc.dwHeight, BytesPerPixel(s->pixelFormat)};
}

} // namespace

CDisplay::~CDisplay() {
    ReleaseAll();
}

HRESULT CDisplay::ReleaseAll() {
    created = false;
    backBuffer.reset();
    return S_OK;
}

HRESULT CDisplay::CreateWindowedDisplay(HWND win, int w, int h) {
    ReleaseAll();
    if (w <= 0 || h <= 0) return E_FAIL;
    const PixelFormatCode code = ScreenFormat();
    SurfaceDesc desc;
    desc.dwWidth = w;
    desc.dwHeight = h;
    desc.pixelFormat = DescribePixelFormat(code);
    auto buffer = std::make_unique<CSurface>();
    if (buffer->Create(desc) != S_OK) return E_FAIL;
    backBuffer = std::move(buffer);
    format = code;
    window = win;
    width = w;
    height = h;
    injectLoss = false;
    created = true;
    return S_OK;
}

HRESULT CDisplay::CoverClient(int clientWidth, int clientHeight) {
    if (!created || !backBuffer) return E_POINTER;
    const int w = std::clamp(clientWidth, width, std::max(width, kMaxBackBufferSide));
    const int h = std::clamp(clientHeight, height, std::max(height, kMaxBackBufferSide));
    if (w == width && h == height) return S_OK;
    SurfaceDesc desc;
    desc.dwWidth = w;
    desc.dwHeight = h;
    desc.pixelFormat = backBuffer->desc.pixelFormat;
    auto buffer = std::make_unique<CSurface>();
    if (buffer->Create(desc) != S_OK) return E_FAIL;
    backBuffer = std::move(buffer);
    width = w;
    height = h;
    return S_OK;
}

HRESULT CDisplay::NewSurface(CSurface** out, int w, int h, bool /*systemMemory*/) {
    // The out pointer is cleared on every failure, so callers never keep a stale surface.
    if (out) *out = nullptr;
    if (!created) return E_POINTER;
    if (!out) return E_INVALIDARG;
    SurfaceDesc desc;
    desc.dwWidth = w;
    desc.dwHeight = h;
    desc.pixelFormat = DescribePixelFormat(format);
    auto surface = std::make_unique<CSurface>();
    const HRESULT hr = surface->Create(desc);
    if (hr != S_OK) return hr;
    *out = surface.release();
    return S_OK;
}

HRESULT CDisplay::NewSurfaceFromBitmap(CSurface** out, const std::string& name, int /*width*/, int /*height*/,
                                       bool systemMemory) {
    if (out) *out = nullptr;
    if (!created || name.empty() || !out) return E_INVALIDARG;
    DecodedImage image;
    if (!ReadBmpFile(name, image, nullptr)) return E_FAIL;
    return NewSurfaceFromImage(out, image, systemMemory);
}

HRESULT CDisplay::NewSurfaceFromImage(CSurface** out, const DecodedImage& image, bool systemMemory) {
    if (out) *out = nullptr;
    if (!created || !out) return E_INVALIDARG;
    CSurface* surface = nullptr;
    const HRESULT hr = NewSurface(&surface, image.width, image.height, systemMemory);
    if (hr != S_OK) return hr;
    const HRESULT painted = surface->PaintBitmap(image, 0, 0, 0, 0);
    if (painted != S_OK) {
        delete surface;
        return painted;
    }
    *out = surface;
    return S_OK;
}

HRESULT CDisplay::DrawSurface(int x, int y, CSurface* surface, const RECT* source, int w, int h) {
    if (!surface) return E_INVALIDARG;
    RECT whole{0, 0, surface->desc.dwWidth, surface->desc.dwHeight};
    return DrawRaw(x, y, surface, source ? *source : whole, w, h, surface->transparent != 0);
}

HRESULT CDisplay::DrawRaw(int x, int y, CSurface* source, const RECT& sourceRect, int w, int h, bool useKey) {
    if (!backBuffer) return E_POINTER;
    if (!source) return E_INVALIDARG;
    if (w == -1 && h == -1) {
        w = sourceRect.right - sourceRect.left;
        h = sourceRect.bottom - sourceRect.top;
    }
    // Wholly off the back buffer: nothing to do. Touching an edge still counts as on it.
    const std::int64_t right = static_cast<std::int64_t>(x) + w, bottom = static_cast<std::int64_t>(y) + h;
    if (right < 0 || x > width || bottom < 0 || y > height) return S_OK;

    if (w <= 0 || h <= 0 || sourceRect.left < 0 || sourceRect.top < 0 ||
        sourceRect.right <= sourceRect.left || sourceRect.bottom <= sourceRect.top ||
        sourceRect.right > source->desc.dwWidth || sourceRect.bottom > source->desc.dwHeight)
        return E_INVALIDARG;
    if (source == backBuffer.get() || source->pixelFormat != backBuffer->pixelFormat || !source->HasMemory())
        return E_FAIL;

    BlitRequest q;
    q.srcLeft = sourceRect.left;
    q.srcTop = sourceRect.top;
    q.srcWidth = sourceRect.right - sourceRect.left;
    q.srcHeight = sourceRect.bottom - sourceRect.top;
    q.dstX = x;
    q.dstY = y;
    q.dstWidth = w;
    q.dstHeight = h;
    q.useKey = useKey;
    q.key = source->colourKey;
    // The spare byte of 32-bit pixels is not part of the colour.
    q.keyMask = source->pixelFormat == RGB32 ? 0x00FFFFFF : PixelValueMask(source->pixelFormat);
    POINT origin;
    const PixelPlane target = Target(&origin);
    q.dstX -= origin.x;
    q.dstY -= origin.y;
    BlitPixels(target, PlaneOf(source), q);
    return S_OK;
}

HRESULT CDisplay::FillRuns(int x, int y, const std::vector<PixelRun>& runs, std::uint32_t value) {
    if (!backBuffer) return E_POINTER;
    POINT origin;
    const PixelPlane target = Target(&origin);
    ::FillRuns(target, x - origin.x, y - origin.y, runs.data(), runs.size(), value);
    return S_OK;
}

HRESULT CDisplay::ClearBackBuffer(std::uint32_t value) {
    if (!backBuffer) return E_POINTER;
    POINT origin;
    const PixelPlane target = Target(&origin);
    FillPixels(target, 0, 0, target.width, target.height, value);
    return S_OK;
}

HRESULT CDisplay::FillArea(std::uint32_t value, int l, int t, int r, int b) {
    if (!backBuffer) return E_POINTER;
    if (r < l || b < t) return E_INVALIDARG;
    POINT origin;
    const PixelPlane target = Target(&origin);
    FillPixels(target, l - origin.x, t - origin.y, r - origin.x, b - origin.y, value);
    return S_OK;
}

HRESULT CDisplay::DrawFrame(std::uint32_t value, int l, int t, int r, int b, int k) {
    FillArea(value, l, t, r, t + k);
    FillArea(value, l, t, l + k, b);
    FillArea(value, r, t, r + k, b);
    FillArea(value, l, b, r, b + k);
    return S_OK;
}

void CDisplay::SetClip(const RECT* area) {
    clipped = area != nullptr;
    if (area) clip = *area;
}

RECT CDisplay::Clip() const {
    RECT whole{0, 0, width, height};
    if (!clipped) return whole;
    return RECT{std::clamp(clip.left, 0, width), std::clamp(clip.top, 0, height),
                std::clamp(clip.right, 0, width), std::clamp(clip.bottom, 0, height)};
}

PixelPlane CDisplay::Target(POINT* origin) {
    PixelPlane plane = PlaneOf(backBuffer.get());
    const RECT c = Clip();
    *origin = POINT{c.left, c.top};
    if (!clipped) return plane;
    plane.width = std::max(0, c.right - c.left);
    plane.height = std::max(0, c.bottom - c.top);
    if (plane.width == 0 || plane.height == 0) return PixelPlane{};
    plane.bits += static_cast<std::ptrdiff_t>(c.top) * plane.pitch +
                  static_cast<std::ptrdiff_t>(c.left) * plane.bytesPerPixel;
    return plane;
}

HRESULT CDisplay::ShowBackBuffer(const RECT* changed) {
    if (!backBuffer || !backBuffer->HasMemory()) return E_POINTER;
    if (injectLoss.exchange(false)) return DDERR_SURFACELOST;
    IPlatform* platform = Platform();
    if (!platform) return E_POINTER;
    FrameView frame;
    frame.pixels = backBuffer->Bits();
    frame.width = width;
    frame.height = height;
    frame.pitch = backBuffer->Pitch();
    frame.formatCode = static_cast<int>(backBuffer->pixelFormat);
    if (!changed) return platform->Present(frame) ? S_OK : DDERR_SURFACELOST;
    const RECT part{std::clamp(changed->left, 0, width), std::clamp(changed->top, 0, height),
                    std::clamp(changed->right, 0, width), std::clamp(changed->bottom, 0, height)};
    // Nothing changed: there is nothing to show.
    if (part.left >= part.right || part.top >= part.bottom) return S_OK;
    return platform->PresentPart(frame, part) ? S_OK : DDERR_SURFACELOST;
}
