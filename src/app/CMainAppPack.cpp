// The application's pack steps: opening the program's own pack, copying the puzzle archive
// and the sounds out of it, and loading the puzzle it carries.
#include "app/CMainApp.h"
#include "app/Globals.h"
#include "app/Log.h"
#include "pack/CPackFile.h"
#include "pack/Loader.h"
#include "pack/PackFormat.h"
#include "pack/PackNames.h"
#include "pack/PuzzleArchiveLoader.h"
#include "platform/Platform.h"
#include "play/CPuzzle.h"
#include "preview/CPreviewWnd.h"

#include <filesystem>
#include <new>
#include <system_error>

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
    // The archive stays in the state folder, where a saved position finds it again. It is
    // copied out into this copy's own folder first and renamed into place whole, so another
    // copy starting the same puzzle never reads half of it.
    puzzleFilePath = g_stateDirectory.empty() ? std::string() : g_stateDirectory + bareName;
    const std::string partial = PackTempDirectory() + bareName;
    if (!puzzleFilePath.empty() && packFile && packFile->ExtractEntry("puzzlefile", partial)) {
        std::error_code renameError;
        std::filesystem::rename(partial, puzzleFilePath, renameError);
        if (!renameError) {
            LogWrite(0, "Passed");
            return true;
        }
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
    try {
        if (FileExists(positionPath) && g_puzzle->LoadPosition(positionPath, g_clock, Platform())) return true;
    } catch (const std::bad_alloc&) {
        g_renderEnabled = 1;
        ReportOutOfMemory(positionPath);
        return false;
    }

    g_renderEnabled = 0;
    const bool loaded = LoadPuzzleArchive(*g_puzzle, puzzleFilePath);
    g_renderEnabled = 1;
    return loaded;
}
