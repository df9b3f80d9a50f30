#include "app/Globals.h"
#include "pack/Loader.h"
#include "play/CPuzzle.h"

bool RecutPuzzle() {
    if (!g_puzzle) return false;
    g_renderEnabled = 0;
    const std::string picture = g_puzzle->currentPicturePath;
    const bool started = g_puzzle->StartCutting(picture, true);
    g_renderEnabled = 1;
    return started;
}
