// Loading the puzzle carried in the program's own pack: a saved position when one lies
// beside the extracted archive, otherwise a fresh cut.
#include "app/CMainApp.h"
#include "app/Globals.h"
#include "app/Log.h"
#include "pack/CPackFile.h"
#include "pack/Loader.h"
#include "play/CPuzzle.h"
#include "preview/CPreviewWnd.h"

bool CMainApp::LoadPuzzle() {
    // A refused display ends the run; there is nothing to cut pieces for.
    if (displayRefused || !g_puzzle) return false;
    if (previewWnd) previewWnd->Hide();
    if (!ExtractPuzzleFile()) return false;

    const std::string positionPath = puzzleFilePath + ".sav";
    if (FileExists(positionPath) && g_puzzle->LoadPosition(positionPath)) return true;

    g_renderEnabled = 0;
    const bool loaded = g_puzzle->LoadPuzzleArchive(puzzleFilePath);
    g_renderEnabled = 1;
    return loaded;
}

bool RecutPuzzle() {
    if (!g_puzzle) return false;
    g_renderEnabled = 0;
    const std::string picture = g_puzzle->currentPicturePath;
    const bool started = g_puzzle->StartCutting(picture, true);
    g_renderEnabled = 1;
    return started;
}

bool CMainApp::ExtractSounds() {
    LogWrite(0, "CMainApp::ExtractSounds()");
    if (!packFile) return false;
    std::string path;
    if (!packFile->ExtractToTemp("click.wav", "temp1", &path)) return false;
    if (!packFile->ExtractToTemp("rotate.wav", "temp2", &path)) return false;
    LogWrite(0, "Passed\n");
    return true;
}

bool CMainApp::ExtractProOptions() {
    LogWrite(0, "CMainApp::ExtractProOptions()");
    // The author extras are not read yet; the game runs without them.
    return false;
}
