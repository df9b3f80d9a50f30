#include "app/WndProc.h"

#include "app/CMainApp.h"
#include "app/CStatusBar.h"
#include "app/Commands.h"
#include "app/GameMain.h"
#include "app/Globals.h"
#include "app/StatusBarText.h"
#include "clock/CGameClock.h"
#include "display/CDisplay.h"
#include "pack/Loader.h"
#include "platform/Platform.h"
#include "play/CMouseController.h"
#include "play/CPuzzle.h"

#include <cstdint>

namespace {
int LowWord(WPARAM w) {
    return static_cast<int>(w & 0xFFFF);
}
int HighWord(WPARAM w) {
    return static_cast<int>((w >> 16) & 0xFFFF);
}

CMouseController* Mouse() {
    return g_puzzle ? g_puzzle->mouse.get() : nullptr;
}

void RenderFrame() {
    if (g_mainApp) g_mainApp->Render();
}

// Space and the double click turn the selection, with a click of its own.
void TurnSelection() {
    if (!g_puzzle || !g_puzzle->RotateSelection()) return;
    if (g_puzzle->soundeffects && Platform()) Platform()->PlaySoundFile(g_tempDirectory + "temp2");
}

// The pieces are on the board: their counts, the frame, the title, the clock and the pointer.
void ShowLoadedPuzzle() {
    ShowPieceCounts();
    RenderFrame();
    SetPuzzleTitle();
    if (g_clock) g_clock->stopped = false;
    if (Platform()) Platform()->SetCursor(CursorKind::Arrow);
}

// Closing the window and Exit: leave only when the player agrees.
void Leave() {
    if (g_mainApp && !g_mainApp->CanLeave()) return;
    Destructor();
    if (Platform()) Platform()->PostQuitMessage(0);
}

void OnKeyDown(WPARAM key) {
    if (!g_mainApp || PuzzleLoading()) return;
    switch (static_cast<int>(key)) {
    case VK_SHIFT:
        g_mainApp->shiftDown = 1;
        break;
    case VK_CONTROL:
        g_mainApp->ctrlDown = 1;
        break;
    case VK_SPACE:
        TurnSelection();
        RenderFrame();
        break;
    default:
        break;
    }
}

void OnKeyUp(WPARAM key) {
    if (!g_mainApp || PuzzleLoading()) return;
    if (static_cast<int>(key) == VK_SHIFT) g_mainApp->shiftDown = 0;
    if (static_cast<int>(key) == VK_CONTROL) g_mainApp->ctrlDown = 0;
}

void OnCommand(int id) {
    if (!g_mainApp) return;
    switch (id) {
    case ID_FILE_EXIT:
        Leave();
        break;
    case ID_FILE_SAVEPOSITION:
        if (!PuzzleLoading()) g_mainApp->SavePosition();
        break;
    case ID_FILE_LOADPOSITION:
        if (!PuzzleLoading()) g_mainApp->LoadSavedPosition();
        break;
    case ID_FILE_RESETJIGSAW:
        g_mainApp->ResetJigsaw();
        break;
    case ID_OPTIONS_PREVIEW:
        g_mainApp->PreviewCommand();
        break;
    case ID_CLOCK_RESET:
        if (!PuzzleLoading() && g_clock) g_clock->seconds = 0;
        break;
    case ID_CLOCK_PAUSE:
        if (!PuzzleLoading() && g_clock) g_clock->TogglePause();
        break;
    case ID_OPTIONS_PREFERENCES:
        if (!PuzzleLoading()) g_mainApp->ShowPreferences();
        break;
    case ID_OPTIONS_AUTOARRANGE:
        if (g_puzzle && g_puzzle->AutoArrange()) RenderFrame();
        break;
    case ID_OPTIONS_BACKGROUND:
        g_mainApp->ChooseBackgroundColour();
        break;
    case ID_HELP_ABOUT:
        g_mainApp->ShowAbout();
        break;
    case ID_PRODUCT_PAGE:
        g_mainApp->OpenProductPage();
        break;
    default:
        break;
    }
}

void OnLoaderDone(WPARAM result) {
    // Only a load that is still running can end; a late message after the workers were
    // stopped must not place the pieces a second time.
    if (!g_puzzle || !g_puzzle->loaderBusy) return;
    if (result == 0)
        g_puzzle->NewGame();
    else if (result == 1)
        g_puzzle->FinishLoad();
    else if (result == kLoaderOutOfMemory)
        g_puzzle->FinishLoad(), ReportOutOfMemory(g_puzzle->archivePath);
    else
        return;
    ShowLoadedPuzzle();
}
} // namespace

bool PuzzleLoading() {
    return g_puzzle && g_puzzle->loaderBusy;
}

LRESULT WndProc(HWND, UINT message, WPARAM wParam, LPARAM lParam) {
    const bool idle = !PuzzleLoading();
    CMouseController* mouse = Mouse();
    switch (message) {
    case WM_SIZE:
        if (g_display) g_display->CoverClient(LParamX(lParam), LParamY(lParam));
        if (g_statusBar) g_statusBar->Resize(wParam, lParam);
        break;
    case WM_KILLFOCUS:
        if (g_mainApp) g_mainApp->ctrlDown = g_mainApp->shiftDown = 0;
        break;
    case WM_PAINT:
        RenderFrame();
        break;
    case WM_CLOSE:
        Leave();
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_KEYDOWN:
        OnKeyDown(wParam);
        break;
    case WM_KEYUP:
        OnKeyUp(wParam);
        break;
    case WM_COMMAND:
        OnCommand(LowWord(wParam));
        break;
    case WM_TIMER:
        // The clock's timer has its own procedure; it also runs while a puzzle loads.
        if (wParam == kClockTimerId)
            UpdateClock();
        else if (wParam == kAutoScrollTimerId && idle && mouse)
            mouse->OnAutoScrollTimer();
        break;
    case WM_HSCROLL:
        if (g_mainApp) g_mainApp->OnHScroll(LowWord(wParam), HighWord(wParam));
        break;
    case WM_VSCROLL:
        if (g_mainApp) g_mainApp->OnVScroll(LowWord(wParam), HighWord(wParam));
        break;
    case WM_MOUSEMOVE:
        if (idle && mouse) mouse->OnMouseMove(lParam);
        break;
    case WM_LBUTTONDOWN:
        if (idle && mouse) mouse->OnLeftDown(LParamX(lParam), LParamY(lParam));
        break;
    case WM_LBUTTONUP:
        if (idle && mouse) mouse->OnLeftUp();
        break;
    case WM_LBUTTONDBLCLK:
        TurnSelection();
        break;
    case WM_RBUTTONDOWN:
        if (idle && mouse) mouse->OnRightDown(LParamX(lParam), LParamY(lParam));
        break;
    case WM_RBUTTONUP:
        if (idle && mouse) mouse->OnRightUp();
        break;
    case WM_RBUTTONDBLCLK:
        break;
    case WM_MOUSEWHEEL:
        if (idle && mouse) mouse->OnWheel(LowWord(wParam), static_cast<std::int16_t>(HighWord(wParam)));
        break;
    case WM_LOADPROGRESS:
        ShowLoadProgress(static_cast<int>(wParam));
        break;
    case WM_LOADERDONE:
        OnLoaderDone(wParam);
        break;
    default:
        break;
    }
    return 0;
}
