// The pack steps of the application object: opening the program's own pack and copying the
// puzzle archive out of it.
#include "app/CMainApp.h"
#include "app/Globals.h"
#include "app/Log.h"
#include "pack/CPackFile.h"
#include "pack/PackFormat.h"
#include "pack/PackNames.h"
#include "platform/Platform.h"

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
    std::string bareName = BareProgramName(ModuleFileName());
    LogWrite(0, "CMainApp::ExtractPuzzleFile() - extracting to %s", bareName.c_str());
    bool extracted = false;
    if (packFile) {
        extracted = packFile->ExtractToTemp("puzzlefile", bareName, &puzzleFilePath);
    } else {
        puzzleFilePath = PackTempDirectory() + bareName;
    }
    if (extracted) {
        LogWrite(0, "Passed");
        return true;
    }
    LogWrite(0, "CMainApp::ExtractPuzzleFile() - FAILED");
    if (IPlatform* platform = Platform()) platform->MessageBox("Could not extract PUZ file", "Error", MB_OK);
    return false;
}
