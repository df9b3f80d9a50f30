// Messages of the preview window. The window reaches its object through the application,
// which owns it.
#include "app/CMainApp.h"
#include "app/Commands.h"
#include "app/Globals.h"
#include "play/CMouseController.h"
#include "play/CPuzzle.h"
#include "preview/CPreviewWnd.h"

LRESULT PreviewWndProc(HWND, UINT message, WPARAM wParam, LPARAM) {
    CPreviewWnd* preview = g_mainApp ? g_mainApp->previewWnd : nullptr;
    if (!preview) return 0;
    switch (message) {
    case WM_SIZE:
        preview->UpdateScrollBars();
        break;
    case WM_PAINT:
        preview->Paint();
        break;
    case WM_CLOSE:
        // The close button hides the window; it lives until the game ends.
        preview->Toggle();
        return 1;
    case WM_ERASEBKGND:
        return 0;
    case WM_HSCROLL:
        preview->OnScroll(SB_HORZ, static_cast<int>(wParam & 0xFFFF),
                          static_cast<int>((wParam >> 16) & 0xFFFF));
        break;
    case WM_VSCROLL:
        preview->OnScroll(SB_VERT, static_cast<int>(wParam & 0xFFFF),
                          static_cast<int>((wParam >> 16) & 0xFFFF));
        break;
    case WM_MOUSEMOVE:
        // The pointer left the board: a drag, band or right-button scroll there ends.
        if (g_puzzle && g_puzzle->mouse) g_puzzle->mouse->Cancel();
        break;
    case WM_MOUSEWHEEL:
        preview->OnWheel(wParam);
        break;
    default:
        break;
    }
    return 0;
}
