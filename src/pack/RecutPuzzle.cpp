#include "app/Globals.h"
#include "pack/Loader.h"
#include "play/CPuzzle.h"

#include <new>

bool RecutPuzzle() {
    if (!g_puzzle) return false;
    g_renderEnabled = 0;
    const std::string picture = g_puzzle->currentPicturePath;
    bool started = false;
    try {
        started = g_puzzle->StartCutting(picture, true);
    } catch (const std::bad_alloc&) {
        ReportOutOfMemory(picture);
    }
    g_renderEnabled = 1;
    return started;
}
