#include "preview/CPreviewWnd.h"

#include "app/Commands.h"
#include "display/CDisplay.h"
#include "display/CSurface.h"
#include "platform/Platform.h"

#include <algorithm>

namespace {
constexpr const char* kTitle = "Puzzle preview";
constexpr int kCreatedSize = 200;
// Beyond this the window opens smaller on first showing, keeping the picture's shape.
constexpr int kLimitWidth = 640;
constexpr int kLimitHeight = 480;
// A window at most this much smaller than the picture shows no scroll bar; the picture's
// edge strip is simply cut off.
constexpr int kScrollSlack = 16;
constexpr int kLineStep = 5;
constexpr int kPageStep = 30;
constexpr int kWheelNotch = 120;
constexpr int kWheelStep = 20;

FrameView ViewOf(CSurface& surface, int w, int h) {
    FrameView view;
    view.pixels = surface.Bits();
    view.width = std::min(w, surface.Width());
    view.height = std::min(h, surface.Height());
    view.pitch = surface.Pitch();
    view.formatCode = static_cast<int>(surface.pixelFormat);
    return view;
}
} // namespace

CPreviewWnd::CPreviewWnd(IPlatform& platform, HWND ownerWindow, std::int32_t mode)
    : owner(ownerWindow), showMode(mode), platform_(platform) {
    window = platform_.CreatePreviewWindow(kTitle, kCreatedSize, kCreatedSize, PreviewWndProc);
    SendBar(SB_HORZ, false);
    SendBar(SB_VERT, false);
}

CPreviewWnd::~CPreviewWnd() {
    // The picture belongs to the display's layout; it goes first.
    picture_.reset();
    display_.reset();
}

bool CPreviewWnd::LoadPictureSurface(const std::string& path, const DecodedImage* decoded) {
    picture_.reset();
    CSurface* loaded = nullptr;
    const HRESULT made = !display_ ? E_POINTER
                         : decoded ? display_->NewSurfaceFromImage(&loaded, *decoded, false)
                                   : display_->NewSurfaceFromBitmap(&loaded, path, width, height, false);
    if (made != S_OK || !loaded) {
        delete loaded;
        return false;
    }
    picture_.reset(loaded);
    return true;
}

bool CPreviewWnd::SetPicture(const std::string& path, int pictureWidth, int pictureHeight,
                             const DecodedImage* decoded) {
    picture_.reset();
    display_.reset();
    auto display = std::make_unique<CDisplay>();
    if (display->CreateWindowedDisplay(window, pictureWidth, pictureHeight) != S_OK) return false;
    display_ = std::move(display);
    width = pictureWidth;
    height = pictureHeight;
    if (!LoadPictureSurface(path, decoded)) return false;

    const POINT whole = MaxTrackSize();
    platform_.SetPreviewMaximumSize(whole.x, whole.y);
    platform_.SetPreviewWindowSize(whole.x, whole.y);
    return true;
}

bool CPreviewWnd::ReloadPicture(const std::string& path) {
    auto display = std::make_unique<CDisplay>();
    picture_.reset();
    if (display->CreateWindowedDisplay(window, width, height) != S_OK) {
        display_.reset();
        return false;
    }
    display_ = std::move(display);
    if (!LoadPictureSurface(path)) return false;
    Paint();
    return true;
}

POINT CPreviewWnd::MaxTrackSize() const {
    const ScreenInfo screen = platform_.Screen();
    return POINT{width + 2 * screen.frameWidth, height + screen.captionHeight + 2 * screen.frameHeight};
}

void CPreviewWnd::Show() {
    visible = 1;
    LimitSize();
    platform_.ShowPreviewWindow(true);
}

void CPreviewWnd::LimitSize() {
    if (width <= kLimitWidth && height <= kLimitHeight) return;
    if (width > height)
        platform_.SetPreviewWindowSize(kLimitWidth,
                                       static_cast<int>(static_cast<double>(height) / width * kLimitWidth));
    else
        platform_.SetPreviewWindowSize(static_cast<int>(static_cast<double>(width) / height * kLimitHeight),
                                       kLimitHeight);
}

void CPreviewWnd::Hide() {
    if (!visible) return;
    visible = 0;
    platform_.ShowPreviewWindow(false);
}

void CPreviewWnd::Toggle() {
    if (visible)
        Hide();
    else
        Show();
    UpdateMenuText();
}

void CPreviewWnd::UpdateMenuText() {
    platform_.SetMenuItemText(ID_OPTIONS_PREVIEW,
                              visible ? "Close preview window\tCtrl+F" : "Show preview window\tCtrl+F");
}

void CPreviewWnd::SendBar(int bar, bool shown) {
    barShown_[bar] = shown;
    platform_.SetPreviewScrollBar(bar, shown, barMax[bar], barPos[bar]);
}

void CPreviewWnd::SetBarPos(int bar, int position) {
    barPos[bar] = std::clamp(position, 0, std::max(0, barMax[bar]));
    SendBar(bar, barShown_[bar]);
}

void CPreviewWnd::ApplyShowMode() {
    if (showMode != 0) {
        SendBar(SB_HORZ, false);
        SendBar(SB_VERT, false);
        scrollX = scrollY = 0;
        return;
    }
    SendBar(SB_HORZ, true);
    SendBar(SB_VERT, true);
    // Fitted now as well: the window may keep its size, and bars then would never fit.
    UpdateScrollBars();
}

void CPreviewWnd::FitBar(int bar, int client, int extent) {
    if (client >= extent - kScrollSlack) {
        // Nothing to scroll: a hidden bar must not let the wheel move the picture either.
        barMax[bar] = 0;
        barPos[bar] = 0;
        SendBar(bar, false);
        return;
    }
    barMax[bar] = extent - client;
    barPos[bar] = std::clamp(barPos[bar], 0, barMax[bar]);
    SendBar(bar, true);
}

void CPreviewWnd::UpdateScrollBars() {
    if (!picture_ || width <= 0 || height <= 0) return;
    if (showMode != 0) {
        platform_.InvalidatePreview();
        return;
    }
    const ClientSize client = platform_.PreviewClientSize();
    FitBar(SB_HORZ, client.width, width);
    FitBar(SB_VERT, client.height, height);
    scrollX = barPos[SB_HORZ];
    scrollY = barPos[SB_VERT];
    if (client.width >= width - kScrollSlack) scrollX = 0;
    if (client.height >= height - kScrollSlack) scrollY = 0;
    platform_.InvalidatePreview();
}

void CPreviewWnd::Paint() {
    if (!picture_ || !display_ || !display_->BackBuffer()) return;
    const ClientSize client = platform_.PreviewClientSize();
    if (client.width <= 0 || client.height <= 0) return;
    const bool shrink = showMode != 0;
    if (shrink)
        display_->DrawSurface(0, 0, picture_.get(), nullptr, client.width, client.height);
    else
        display_->DrawSurface(-scrollX, -scrollY, picture_.get(), nullptr, -1, -1);

    const FrameView frame = ViewOf(*display_->BackBuffer(), client.width, client.height);
    const FrameView source = ViewOf(*picture_, width, height);
    platform_.PresentPreview(frame, shrink ? &source : nullptr);
}

void CPreviewWnd::OnScroll(int bar, int request, int thumb) {
    std::int32_t& scroll = bar == SB_HORZ ? scrollX : scrollY;
    if (request == SB_THUMBTRACK || request == SB_THUMBPOSITION) {
        SetBarPos(bar, thumb);
        scroll = thumb;
    } else {
        const int step = ScrollStep(request, kLineStep, kPageStep);
        if (step == 0) return;
        SetBarPos(bar, barPos[bar] + step);
        scroll += step;
    }
    ClampScroll();
    platform_.InvalidatePreview();
}

void CPreviewWnd::OnWheel(WPARAM wParam) {
    const WPARAM keys = wParam & 0xFFFF;
    const int delta = static_cast<std::int16_t>((wParam >> 16) & 0xFFFF);
    const int step = delta / kWheelNotch * kWheelStep;
    const int bar = keys == MK_CONTROL || keys == MK_SHIFT ? SB_HORZ : SB_VERT;
    std::int32_t& scroll = bar == SB_HORZ ? scrollX : scrollY;
    SetBarPos(bar, barPos[bar] - step);
    scroll -= step;
    ClampScroll();
    platform_.InvalidatePreview();
}

void CPreviewWnd::ClampScroll() {
    scrollX = std::clamp(scrollX, 0, std::max(0, barMax[SB_HORZ]));
    scrollY = std::clamp(scrollY, 0, std::max(0, barMax[SB_VERT]));
}
