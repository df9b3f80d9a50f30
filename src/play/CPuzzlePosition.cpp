// Restoring a saved position: the puzzle it names is cut again with the saved shapes and
// turns, and the saved groups are rebuilt when the cut ends.
#include "app/StatusBarText.h"
#include "clock/CGameClock.h"
#include "pack/PuzzleArchiveLoader.h"
#include "play/CPuzzle.h"

namespace {
// Matches no archive, so the saved one loads as a different puzzle and the preview is
// handed its picture again.
constexpr const char* kLoadingPositionMarker = "Loading Position File";
} // namespace

bool CPuzzle::LoadPosition(const std::string& path, CGameClock* clock, IPlatform* platform) {
    CPositionFile file;
    std::uint32_t seconds = clock ? clock->seconds : 0;
    if (!file.Read(path, userotation, seconds, platform)) return false;
    if (clock) clock->seconds = seconds;
    savedPosition = std::move(file);

    // A load that fails before the cut starts leaves the current puzzle; it keeps its own
    // options and archive.
    const PuzzleOptions previousOptions = options;
    const std::string previousArchive = archivePath;
    options.cutName = savedPosition.cutName;
    archivePath = kLoadingPositionMarker;
    restoringPosition = 1;
    if (!LoadPuzzleArchive(*this, savedPosition.archivePath)) {
        restoringPosition = 0;
        options = previousOptions;
        archivePath = previousArchive;
        return false;
    }
    SetPuzzleTitle();
    return true;
}
