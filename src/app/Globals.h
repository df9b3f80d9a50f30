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

extern CDisplay* g_display;
extern CPuzzle* g_puzzle;
extern CSideList* g_sideList;
extern CMaskCache* g_maskCache;
extern CMainApp* g_mainApp;
extern CGameClock* g_clock;
extern CProOptions* g_proOptions;
extern CStatusBar* g_statusBar;

// Side of one grid cell in pixels (16, 32, 48 or 64); 0 until a side list or cut sets it.
extern std::int32_t cellSize;
// Composition of frames is suspended while the main thread re-cuts the puzzle.
extern std::atomic<std::int32_t> g_renderEnabled;
// The executable's full path and the temporary directory (ending in a separator).
extern std::string g_moduleFileName;
extern std::string g_tempDirectory;
