#pragma once
// The process-wide objects, each created once at start-up and deleted once at shutdown.
#include <atomic>
#include <cstdint>
#include <string>

class CDisplay;
class CPuzzle;
class CSideList;
class CMaskCache;
class CMainApp;
class CGameClock;
class CProOptions;
class CStatusBar;
class RunFolder;

extern CDisplay* g_display;
extern CPuzzle* g_puzzle;
extern CSideList* g_sideList;
extern CMaskCache* g_maskCache;
extern CMainApp* g_mainApp;
extern CGameClock* g_clock;
extern CProOptions* g_proOptions;
extern CStatusBar* g_statusBar;
// This copy's folder for its transient files, made at start-up and removed at shutdown.
extern RunFolder* g_runFolder;

// Side of one grid cell in pixels (16, 32, 48 or 64); 0 until a side list or cut sets it.
extern std::int32_t cellSize;
// Composition of frames is suspended while the main thread re-cuts the puzzle.
extern std::atomic<std::int32_t> g_renderEnabled;
// The executable's full path.
extern std::string g_moduleFileName;
// Where the game keeps its files, both private to the user and ending in a separator: the
// state folder holds what outlives a run (the extracted puzzle, its saved position, the log),
// the temporary directory this copy's transient files (the run folder's path). Both are set
// at start-up; while either is empty no file is written.
extern std::string g_stateDirectory;
extern std::string g_tempDirectory;
