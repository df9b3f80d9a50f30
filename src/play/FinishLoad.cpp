#include "app/CMainApp.h"
#include "app/Globals.h"
#include "app/StatusBarText.h"
#include "clock/CGameClock.h"
#include "platform/Platform.h"
#include "play/CPuzzle.h"

void CPuzzle::FinishLoad() {
    // The loader posted its end message as its last act, so this wait is short. It comes
    // first so that nothing below can meet a loader still touching the pieces.
    if (loaderThread.joinable()) loaderThread.join();
    loaderBusy = false;

    ShowPieceCounts();
    if (g_mainApp) g_mainApp->Render();
    SetPuzzleTitle();
    if (g_clock) g_clock->stopped = false;
    if (Platform()) Platform()->SetCursor(CursorKind::Arrow);
}
