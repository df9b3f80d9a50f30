#pragma once
// The loading threads and the steps around them. The loader cuts (or rebuilds) every
// piece off the main thread; the progress thread reports the percentage to the window.
#include "cutting/CutContext.h"

#include <string>

class CPuzzle;
struct DecodedImage;

// Cuts the current picture again (reset, rotation setting changed).
bool RecutPuzzle();

// Starts the loader thread over the puzzle's pieces: mode 0 cuts them, 1 rebuilds their
// images, both with `context`.
void StartLoader(CPuzzle* puzzle, int mode, CutContext context);

// What the loader's end message carries besides 0 (cut) and 1 (rebuilt): the pieces did not
// fit in memory; the puzzle is left without pieces.
constexpr unsigned kLoaderOutOfMemory = 2;
// Tells the player (and the log) that `what` did not fit in memory. Main thread only.
void ReportOutOfMemory(const std::string& what);

// The loader thread's body; it runs the progress thread beside it.
void LoaderThread(CPuzzle* puzzle, CutContext context);

// The two passes over the pieces. They stop early when a stop is requested.
void RunCuttingPass(const CutContext& context, CPuzzle* puzzle);
void RunRebuildPass(const CutContext& context, CPuzzle* puzzle);

// Loads the picture surface from the current picture path again (surface-loss recovery), or
// from `decoded` when the caller already holds that file's pixels.
bool ReloadPictureSurface(CPuzzle* puzzle, const DecodedImage* decoded = nullptr);
// Extracts the selector image from the pack and loads it, white transparent.
bool LoadSelectorSurface(CPuzzle* puzzle);

// How often the progress thread reports, and how long one report may wait for the main
// thread before it is dropped (so a worker never waits on a main thread waiting on it).
constexpr int kProgressIntervalMs = 20;
constexpr int kProgressSendTimeoutMs = 500;
