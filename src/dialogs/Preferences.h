#pragma once
// The Preferences command: the options dialog, then its choices applied.
#include <functional>

class CPuzzle;
class CPreviewWnd;
class IPlatform;

// What changing the pieces' look costs: a fresh cut, or new images for the same pieces.
struct PieceWork {
    std::function<void()> recut;
    std::function<void()> rebuildImages;
};

// Runs the dialog owned by the main window and applies an OK to the puzzle's preferences
// and the preview's mode. At most one of the two pieces of work runs. True after OK.
bool ShowOptionsDialog(IPlatform& platform, CPuzzle& puzzle, CPreviewWnd* preview, const PieceWork& work);
