// The application's pack steps: opening the program's own pack, copying the puzzle archive,
// the sounds and the author's extras out of it, and loading the puzzle it carries.
#include "app/CMainApp.h"
#include "app/Globals.h"
#include "app/Log.h"
#include "pack/CPackFile.h"
#include "pack/CProOptions.h"
#include "pack/Loader.h"
#include "pack/PackFormat.h"
#include "pack/PackNames.h"
#include "pack/PuzzleArchiveLoader.h"
#include "platform/Platform.h"
#include "play/CPuzzle.h"
#include "preview/CPreviewWnd.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <new>
#include <system_error>

namespace {
// Longer than any picture type's name.
constexpr std::size_t kMaxBannerExtension = 8;

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
    // Each sound on its own: a pack without one still plays the other.
    const bool click = packFile->ExtractEntry("click.wav", directory + "temp1");
    const bool rotate = packFile->ExtractEntry("rotate.wav", directory + "temp2");
    if (!click || !rotate) return false;
    LogWrite(0, "Passed\n");
    return true;
}

bool CMainApp::ExtractProOptions() {
    LogWrite(0, "CMainApp::ExtractProOptions()");
    if (!packFile || !g_proOptions) return false;
    CProOptions& extras = *g_proOptions;
    const std::string directory = PackTempDirectory();
    const std::string recordPath = directory + "pro_options";
    if (!packFile->ExtractEntry("_pro_options", recordPath)) return false;
    extras.present = 1;
    extras.Read(recordPath);

    if (extras.extras.bannerFlag) {
        // The extension comes from the pack and names a file: letters and digits only, so it
        // cannot lead out of the temporary directory.
        const std::string& extension = extras.extras.imageExtension;
        const bool plainExtension = !extension.empty() && extension.size() <= kMaxBannerExtension &&
                                    std::all_of(extension.begin(), extension.end(),
                                                [](unsigned char c) { return std::isalnum(c) != 0; });
        const std::string imagePath = directory + "pro_image." + extension;
        // A banner missing from the pack must not bring back an older puzzle's picture.
        if (!plainExtension || !packFile->ExtractEntry("_pro_image", imagePath) ||
            !extras.LoadBanner(imagePath))
            LogWrite(0, "Banner Failed to load\n");
    }
    if (extras.extras.infoPageFlag) {
        const std::string infoPath = directory + "pro_info_file";
        if (!packFile->ExtractEntry("_pro_info_file", infoPath)) {
            // The closing page must not show an older puzzle's page instead.
            std::error_code ignored;
            std::filesystem::remove(infoPath, ignored);
        }
    }
    LogWrite(0, "Passed\n");
    return true;
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
