// Drawing a frame and keeping the display usable: the probe surface that matches the
// background colour, and the repair after the display lost its surfaces. Nothing is drawn
// continuously; whoever changes something visible asks for a frame.
#include "app/CMainApp.h"
#include "app/Globals.h"
#include "app/Log.h"
#include "display/CDisplay.h"
#include "display/CSurface.h"
#include "display/FrameComposition.h"
#include "pack/CProOptions.h"
#include "pack/GameCutContext.h"
#include "pack/Loader.h"
#include "platform/Platform.h"
#include "play/CPuzzle.h"
#include "preview/CPreviewWnd.h"

namespace {
constexpr int kProbeSize = 32;
} // namespace

void CMainApp::Render(const RECT* area) {
    if (!g_display || !g_display->Created() || !g_renderEnabled) return;
    // While the loader replaces the images of pieces on the board, the last frame stays
    // on screen rather than drawing surfaces that are being released.
    if (g_puzzle && g_puzzle->loaderBusy && g_puzzle->loaderMode == 1) return;

    // With an area, the rest of the back buffer still holds the last frame and stays as it is.
    // A whole frame is what the window shows: the back buffer is as big as the screen, and
    // the part past the client area is drawn when the window grows (a resize repaints).
    RECT client{};
    if (!area && Platform() && Platform()->ClientWidth() > 0 && Platform()->ClientHeight() > 0) {
        client = RECT{0, 0, Platform()->ClientWidth(), Platform()->ClientHeight()};
        area = &client;
    }
    g_display->SetClip(area);
    ComposeFrame(*g_display, g_puzzle, backgroundPixel, POINT{scrollX, scrollY});
    if (g_proOptions) g_proOptions->DrawBanner();
    g_display->SetClip(nullptr);

    // The repair renders again; the flag keeps a display that keeps losing its surfaces
    // from recursing without end.
    if (g_display->ShowBackBuffer(area == &client ? nullptr : area) == DDERR_SURFACELOST && g_puzzle &&
        !restoringSurfaces) {
        restoringSurfaces = true;
        RestoreSurfaces(*g_puzzle);
        restoringSurfaces = false;
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

void CMainApp::RestoreSurfaces(CPuzzle& puzzle) {
    if (puzzle.loaderBusy || !g_display) return;
    if (Platform()) {
        ScreenInfo screen = Platform()->Screen();
        if (g_display->CreateWindowedDisplay(window, screen.usableWidth, screen.usableHeight) != S_OK)
            LogWrite(0, "CreateWindowedDisplay Failed");
        g_display->CoverClient(Platform()->ClientWidth(), Platform()->ClientHeight());
    }
    CreateProbeSurface();
    if (previewWnd) previewWnd->ReloadPicture(puzzle.currentPicturePath);

    if (g_display->RestoreAllSurfaces() != S_OK) return;
    if (!ReloadPictureSurface(&puzzle)) return;
    LoadSelectorSurface(&puzzle);
    RunRebuildPass(GameCutContext(), &puzzle);
    if (g_proOptions) g_proOptions->LoadFrameSurfaces();
    Render();
}
