// Starting the loader, the loader and progress threads and the passes they run.
//
// There are no locks: while `loaderBusy` is set the loader alone touches the pieces and the
// main thread leaves the puzzle alone. Every wait is bounded: the loader checks for a stop
// between pieces, and the progress report gives up when the main thread does not take it.
#include "app/CMainApp.h"
#include "app/Commands.h"
#include "app/Globals.h"
#include "app/Log.h"
#include "clock/CGameClock.h"
#include "cutting/PieceGrid.h"
#include "cutting/PieceImages.h"
#include "display/CDisplay.h"
#include "display/CSurface.h"
#include "pack/CPackFile.h"
#include "pack/Loader.h"
#include "platform/Platform.h"
#include "play/CPuzzle.h"
#include "preview/CPreviewWnd.h"

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <new>
#include <utility>

namespace {
bool LoadBitmapSurface(const std::string& path, CSurface** out) {
    *out = nullptr;
    if (!g_display) return false;
    CSurface* surface = nullptr;
    if (g_display->NewSurfaceFromBitmap(&surface, path, 0, 0, false) != S_OK || !surface) {
        delete surface;
        return false;
    }
    *out = surface;
    return true;
}

// Wakes the progress thread as soon as the loader's pass has ended, so the loader's end is
// never held back by a report interval.
class LoaderFinished {
  public:
    void Signal() {
        {
            std::lock_guard<std::mutex> lock(mutex);
            finished = true;
        }
        changed.notify_all();
    }
    // Waits at most `ms` milliseconds; true once signalled.
    bool WaitFor(int ms) {
        std::unique_lock<std::mutex> lock(mutex);
        return changed.wait_for(lock, std::chrono::milliseconds(ms), [this] { return finished; });
    }

  private:
    std::mutex mutex;
    std::condition_variable changed;
    bool finished = false;
};

void ProgressThread(CPuzzle* puzzle, LoaderFinished* finished) {
    while (puzzle->progress < 100.0f && !puzzle->stopRequested) {
        if (finished->WaitFor(kProgressIntervalMs)) break;
        if (puzzle->stopRequested || !g_mainApp || !Platform()) break;
        const int percent = static_cast<int>(puzzle->progress.load());
        Platform()->SendMessageFromWorker(WM_LOADPROGRESS, static_cast<WPARAM>(percent), 0,
                                          kProgressSendTimeoutMs);
    }
}
} // namespace

void StartLoader(CPuzzle* puzzle, int mode, CutContext context) {
    // A finished loader whose end message was handled has been joined already; this only
    // guards against starting over a thread object that is still joinable.
    if (puzzle->loaderThread.joinable()) puzzle->loaderThread.join();
    puzzle->loaderMode = mode;
    puzzle->stopRequested = false;
    puzzle->progress = 0.0f;
    puzzle->loaderBusy = true;
    // The loader stops the clock too; doing it here already means no clock tick can
    // slip in between starting the thread and its first step.
    if (g_clock) g_clock->stopped = true;
    if (Platform()) Platform()->SetCursor(CursorKind::Wait);
    puzzle->loaderThread = std::thread(LoaderThread, puzzle, std::move(context));
}

bool ReloadPictureSurface(CPuzzle* puzzle, const DecodedImage* decoded) {
    delete puzzle->pictureSurface;
    puzzle->pictureSurface = nullptr;
    CSurface* picture = nullptr;
    const bool made = decoded ? g_display && g_display->NewSurfaceFromImage(&picture, *decoded, false) == S_OK
                              : LoadBitmapSurface(puzzle->currentPicturePath, &picture);
    if (!made || !picture) {
        delete picture;
        LogWrite(0, "Failed to load picture: %s", puzzle->currentPicturePath.c_str());
        return false;
    }
    puzzle->pictureSurface = picture;
    NudgeWhite(picture);
    return true;
}

bool LoadSelectorSurface(CPuzzle* puzzle) {
    if (!g_mainApp || !g_mainApp->packFile) return false;
    const std::string path = g_tempDirectory + "temp";
    if (!g_mainApp->packFile->ExtractEntry("selector.bmp", path) || !g_display) return false;
    delete puzzle->selectorSurface;
    puzzle->selectorSurface = nullptr;
    CSurface* selector = nullptr;
    if (!LoadBitmapSurface(path, &selector)) return false;
    selector->SetTransparentColour(0xFFFFFF);
    puzzle->selectorSurface = selector;
    return true;
}

void RunCuttingPass(const CutContext& context, CPuzzle* puzzle) {
    const std::int64_t wanted = static_cast<std::int64_t>(puzzle->cols) * puzzle->rows;
    const std::size_t count = wanted > 0 ? static_cast<std::size_t>(wanted) : 0;
    puzzle->pieces.clear();
    puzzle->pieces.reserve(count);
    for (std::size_t i = 0; i < count; ++i)
        puzzle->pieces.push_back(std::make_unique<CPiece>());
    PreparePieceBuild(context, puzzle);

    // Every random draw in piece order first, then the images on all cores.
    for (int r = 0; r < puzzle->rows; ++r) {
        for (int c = 0; c < puzzle->cols; ++c) {
            if (puzzle->stopRequested) return;
            puzzle->pieces[static_cast<std::size_t>(r) * puzzle->cols + c]->CutEdges(context, puzzle, c, r);
        }
    }
    if (!BuildAllPieceImages(context, puzzle)) return;
    puzzle->progress = 100.0f;
    puzzle->percentCompleted = 0.0f;
    puzzle->totalPieces = static_cast<std::int32_t>(count);
    puzzle->loosePieces = static_cast<std::int32_t>(count);
}

void RunRebuildPass(const CutContext& context, CPuzzle* puzzle) {
    PreparePieceBuild(context, puzzle);
    if (!BuildAllPieceImages(context, puzzle)) return;
    puzzle->progress = 100.0f;
}

void ReportOutOfMemory(const std::string& what) {
    LogWrite(0, "Not enough memory to load %s", what.c_str());
    if (IPlatform* platform = Platform())
        platform->MessageBox("There is not enough memory for this puzzle:\n" + what, "Error",
                             MB_OK | MB_ICONERROR);
}

void LoaderThread(CPuzzle* puzzle, CutContext context) {
    if (g_clock) g_clock->stopped = true;
    puzzle->progress = 0.0f;
    LoaderFinished finished;
    puzzle->progressThread = std::thread(ProgressThread, puzzle, &finished);

    WPARAM result = 0;
    try {
        if (puzzle->loaderMode == 1) {
            RunRebuildPass(context, puzzle);
            result = 1;
        } else {
            RunCuttingPass(context, puzzle);
        }
    } catch (const std::bad_alloc&) {
        // What was cut is given back; the main thread tells the player.
        puzzle->pieces.clear();
        puzzle->pieces.shrink_to_fit();
        puzzle->cols = puzzle->rows = 0;
        puzzle->totalPieces = puzzle->loosePieces = 0;
        puzzle->progress = 100.0f;
        result = kLoaderOutOfMemory;
    }

    // Ends at once, or after the report under way (bounded by its timeout).
    finished.Signal();
    puzzle->progressThread.join();
    // A stopped load is abandoned: nobody is left to finish it.
    if (!puzzle->stopRequested && Platform()) Platform()->PostMessage(WM_LOADERDONE, result, 0);
}
