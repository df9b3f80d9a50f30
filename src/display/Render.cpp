// Composing a frame: background, resting groups from the bottom of the stack up, the
// selection on top, the rubber band and the banner; then one present. Nothing is drawn
// continuously; whoever changes something visible asks for a frame.
#include "app/CMainApp.h"
#include "app/Globals.h"
#include "app/Log.h"
#include "display/CDisplay.h"
#include "display/CSurface.h"
#include "pack/CProOptions.h"
#include "pack/Loader.h"
#include "platform/Platform.h"
#include "play/CMouseController.h"
#include "play/CPuzzle.h"
#include "preview/CPreviewWnd.h"

#include <algorithm>

namespace {
constexpr int kProbeSize = 32;

// A lost surface is repaired from inside Render, and the repair renders again; this
// keeps a display that keeps losing its surfaces from recursing without end.
bool g_restoringSurfaces = false;

void DrawRubberBand(CDisplay* display, const CMouseController* mouse) {
    if (!mouse || !mouse->rubberBanding || !mouse->BandComplete()) return;
    const int l = std::min(mouse->band[0], mouse->band[2]);
    const int r = std::max(mouse->band[0], mouse->band[2]);
    const int t = std::min(mouse->band[1], mouse->band[3]);
    const int b = std::max(mouse->band[1], mouse->band[3]);
    display->DrawFrame(0, l, t, r, b, 1);
}
} // namespace

void CMainApp::Render() {
    if (!g_display || !g_display->Created() || !g_renderEnabled) return;
    // While the loader replaces the images of pieces on the board, the last frame stays
    // on screen rather than drawing surfaces that are being released.
    if (g_puzzle && g_puzzle->loaderBusy && g_puzzle->loaderMode == 1) return;

    g_display->ClearBackBuffer(backgroundPixel);
    if (g_puzzle) {
        g_puzzle->DrawGroups(g_display);
        DrawRubberBand(g_display, g_puzzle->mouse.get());
    }
    if (g_proOptions) g_proOptions->DrawBanner();

    if (g_display->ShowBackBuffer() == DDERR_SURFACELOST && g_puzzle && !g_restoringSurfaces) {
        g_restoringSurfaces = true;
        g_puzzle->RestoreSurfaces();
        g_restoringSurfaces = false;
    }
}

bool CMainApp::CreateProbeSurface() {
    delete probeSurface;
    probeSurface = nullptr;
    if (!g_display) return false;
    CSurface* probe = nullptr;
    if (g_display->NewSurface(&probe, kProbeSize, kProbeSize, false) != S_OK || !probe) {
        delete probe;
        return false;
    }
    probeSurface = probe;
    UpdateBackgroundColour();
    return true;
}

void CMainApp::UpdateBackgroundColour() {
    if (probeSurface) backgroundPixel = probeSurface->MatchColour(backgroundColour);
}

void CPuzzle::RestoreSurfaces() {
    if (loaderBusy || !g_display) return;
    if (Platform()) {
        ScreenInfo screen = Platform()->Screen();
        HWND window = g_mainApp ? g_mainApp->window : 0;
        if (g_display->CreateWindowedDisplay(window, screen.usableWidth, screen.usableHeight) != S_OK)
            LogWrite(0, "CreateWindowedDisplay Failed");
    }
    if (g_mainApp) g_mainApp->CreateProbeSurface();
    if (g_mainApp && g_mainApp->previewWnd) g_mainApp->previewWnd->ReloadPicture(currentPicturePath);

    if (g_display->RestoreAllSurfaces() != S_OK) return;
    if (!ReloadPictureSurface(this)) return;
    LoadSelectorSurface(this);
    RunRebuildPass(this);
    if (g_proOptions) g_proOptions->LoadFrameSurfaces();
    if (g_mainApp) g_mainApp->Render();
}
