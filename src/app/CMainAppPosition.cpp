// The File menu's save and load of the player's position.
#include "app/CMainApp.h"
#include "app/Globals.h"
#include "app/Log.h"
#include "app/WndProc.h"
#include "clock/CGameClock.h"
#include "platform/Platform.h"
#include "play/CPuzzle.h"
#include "position/CPositionFile.h"

std::string CMainApp::PositionFilePath() const {
    return puzzleFilePath + ".sav";
}

bool CMainApp::SavePosition() {
    if (!g_puzzle || PuzzleLoading()) return false;
    if (g_puzzle->pieces.empty()) return true;
    CPositionFile file;
    std::string why;
    const std::uint32_t seconds = g_clock ? g_clock->seconds : 0;
    if (!file.Write(PositionFilePath(), *g_puzzle, seconds, g_puzzle->userotation, &why)) {
        LogWrite(0, "Failed to save position %s: %s", PositionFilePath().c_str(), why.c_str());
        Platform()->MessageBox("Your position could not be saved:\n" + why, "Position not saved",
                               MB_OK | MB_ICONWARNING);
        return false;
    }
    g_puzzle->positionChanged = 0;
    return true;
}

void CMainApp::LoadSavedPosition() {
    if (!g_puzzle || PuzzleLoading()) return;
    // MB_ICONWARNING is the exclamation mark.
    if (g_puzzle->positionChanged &&
        Platform()->MessageBox("Are you sure you want to load the last saved position?\n"
                               "All changes since then will be lost",
                               "Are you sure?", MB_YESNO | MB_ICONWARNING) != IDYES)
        return;
    // The old pieces are cleared on the way; nothing may draw them meanwhile.
    g_renderEnabled = 0;
    const bool loaded = g_puzzle->LoadPosition(PositionFilePath(), g_clock, Platform());
    g_renderEnabled = 1;
    if (!loaded) Platform()->MessageBox("There is no saved position for this jigsaw yet", "Pictorra Vaze", MB_OK);
}
