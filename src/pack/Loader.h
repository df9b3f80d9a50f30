#pragma once
// The loading threads and the steps around them. The loader cuts (or rebuilds) every
// piece off the main thread; the progress thread reports the percentage to the window.
#include <string>

class CPuzzle;

// Cuts the current picture again (reset, rotation setting changed).
bool RecutPuzzle();

// Thread bodies, each given the puzzle.
void LoaderThread(CPuzzle* puzzle);
void ProgressThread(CPuzzle* puzzle);

// The two passes over the pieces. They stop early when a stop is requested.
void RunCuttingPass(CPuzzle* puzzle);
void RunRebuildPass(CPuzzle* puzzle);

// Loads the picture surface from the current picture path again (surface-loss recovery).
bool ReloadPictureSurface(CPuzzle* puzzle);
// Extracts the selector image from the pack and loads it, white transparent.
bool LoadSelectorSurface(CPuzzle* puzzle);

// How often the progress thread reports, and how long one report may wait for the main
// thread before it is dropped (so a worker never waits on a main thread waiting on it).
constexpr int kProgressIntervalMs = 20;
constexpr int kProgressSendTimeoutMs = 500;
