// The application's pack steps: opening the program's own pack, copying the puzzle archive
// and the sounds out of it, and loading the puzzle it carries.
#include "app/CMainApp.h"
#include "app/Globals.h"
#include "app/Log.h"
#include "pack/CPackFile.h"
#include "pack/PackFormat.h"
#include "pack/PackNames.h"
#include "pack/PuzzleArchiveLoader.h"
#include "platform/Platform.h"
#include "play/CPuzzle.h"
#include "preview/CPreviewWnd.h"

namespace {
std::string ModuleFileName() {
    if (!g_moduleFileName.empty()) return g_moduleFileName;
    if (IPlatform* platform = Platform()) return platform->ExecutablePath();
    return std::string();
}
} // namespace

bool CMainApp::UnPackEXE() {
    LogWrite(0, "CMainApp::UnPackEXE()");
    delete packFile;
    packFile = new CPackFile;
    std::string path = ModuleFileName();
    LogWrite(0, "UnPackEXE()- OpenPackFile %s", path.c_str());
    if (!packFile->OpenPackFile(path, kPackSearchOffset)) return false;
    LogWrite(0, "Passed\n");
    return true;
}

bool CMainApp::ExtractPuzzleFile() {
    LogWrite(0, "CMainApp::ExtractPuzzleFile()");
    const std::string bareName = BareProgramName(ModuleFileName());
    LogWrite(0, "CMainApp::ExtractPuzzleFile() - extracting to %s", bareName.c_str());
    puzzleFilePath = PackTempDirectory() + bareName;
    if (packFile && packFile->ExtractEntry("puzzlefile", puzzleFilePath)) {
        LogWrite(0, "Passed");
        return true;
    }
    LogWrite(0, "CMainApp::ExtractPuzzleFile() - FAILED");
    if (IPlatform* platform = Platform()) platform->MessageBox("Could not extract PUZ file", "Error", MB_OK);
    return false;
}

bool CMainApp::ExtractSounds() {
    LogWrite(0, "CMainApp::ExtractSounds()");
    if (!packFile) return false;
    const std::string directory = PackTempDirectory();
    if (!packFile->ExtractEntry("click.wav", directory + "temp1")) return false;
    if (!packFile->ExtractEntry("rotate.wav", directory + "temp2")) return false;
    LogWrite(0, "Passed\n");
    return true;
}

bool CMainApp::ExtractProOptions() {
    LogWrite(0, "CMainApp::ExtractProOptions()");
    // The author extras are not read yet; the game runs without them.
    return false;
}

bool CMainApp::LoadPuzzle() {
    // A refused display ends the run; there is nothing to cut pieces for.
    if (displayRefused || !g_puzzle) return false;
    if (previewWnd) previewWnd->Hide();
    if (!ExtractPuzzleFile()) return false;

    // A saved position for this puzzle is restored instead of a fresh cut.
    const std::string positionPath = PositionFilePath();
    if (FileExists(positionPath) && g_puzzle->LoadPosition(positionPath, g_clock, Platform())) return true;

    g_renderEnabled = 0;
    const bool loaded = LoadPuzzleArchive(*g_puzzle, puzzleFilePath);
    g_renderEnabled = 1;
    return loaded;
}
