#include "app/Globals.h"

CDisplay* g_display = nullptr;
CPuzzle* g_puzzle = nullptr;
CSideList* g_sideList = nullptr;
CMaskCache* g_maskCache = nullptr;
CMainApp* g_mainApp = nullptr;
CGameClock* g_clock = nullptr;
CProOptions* g_proOptions = nullptr;
CStatusBar* g_statusBar = nullptr;
RunFolder* g_runFolder = nullptr;

std::int32_t cellSize = 0;
std::atomic<std::int32_t> g_renderEnabled{1};
std::string g_moduleFileName;
std::string g_stateDirectory;
std::string g_tempDirectory;
