#include "app/CMainApp.h"

#include "app/GameMain.h"
#include "app/Globals.h"
#include "app/Log.h"
#include "app/Settings.h"
#include "app/StatusBarText.h"
#include "display/CDisplay.h"
#include "display/CSurface.h"
#include "pack/CPackFile.h"
#include "pack/CProOptions.h"
#include "platform/Platform.h"
#include "play/CMouseController.h"
#include "play/CPuzzle.h"
#include "preview/CPreviewWnd.h"

namespace {
// A screen this narrow gets the whole of it.
constexpr int kMaximiseWidth = 800;
} // namespace

CMainApp::CMainApp() = default;

CMainApp::~CMainApp() {
    SaveSettings(*this);
    if (previewWnd) SaveSettings(*previewWnd);
    delete previewWnd;
    previewWnd = nullptr;
    delete packFile;
    packFile = nullptr;
    delete probeSurface;
    probeSurface = nullptr;
}

void CMainApp::Init() {
    IPlatform* platform = Platform();
    LoadSettings(*this);
    if (!UnPackEXE()) platform->MessageBox("Failed to Unpack EXE", "Error", MB_OK);
    ExtractSounds();

    const ScreenInfo screen = platform->Screen();
    if (screen.usableWidth <= kMaximiseWidth) platform->ShowMaximized();
    delete previewWnd;
    previewWnd = new CPreviewWnd(*platform, window, 1);
    LoadSettings(*previewWnd);

    platform->SetTimer(static_cast<int>(kAutoScrollTimerId), kAutoScrollPeriodMs);
    platform->SetTimer(static_cast<int>(kClockTimerId), kClockPeriodMs);
    platform->ShowScrollBars(true);
    if (g_puzzle) {
        g_puzzle->InitBoardView();
        if (g_puzzle->mouse) {
            g_puzzle->mouse->app = this;
            g_puzzle->mouse->clock = g_clock;
        }
    }

    // The back buffer is as large as the largest client area the screen allows.
    if (!g_display ||
        g_display->CreateWindowedDisplay(window, screen.usableWidth, screen.usableHeight) != S_OK)
        LogWrite(0, "CreateWindowedDisplay Failed");
    ResetPieceCounts();
    CreateProbeSurface();

    if (probeSurface && probeSurface->BitsPerPixel() == 8) {
        platform->MessageBox(
            "This application cannot be run in 8 bit color, please change your display settings "
            "to a higher color depth\nand then run this program again. This application will now "
            "terminate.",
            "Color depth too low!", MB_ICONWARNING);
        platform->PostQuitMessage(0);
        displayRefused = 1;
    }

    ExtractProOptions();
    if (g_proOptions && g_proOptions->present) platform->SetWindowText(g_proOptions->extras.title);
}
