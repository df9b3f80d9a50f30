#include "pack/GameCutContext.h"

#include "app/CMainApp.h"
#include "app/Globals.h"
#include "app/Random.h"
#include "cutting/CSideList.h"
#include "cutting/CutTable.h"
#include "pack/CPackFile.h"

CutContext GameCutContext() {
    CutContext context;
    context.cellSize = cellSize;
    context.sideList = g_sideList;
    context.maskCache = g_maskCache;
    context.display = g_display;
    context.random = GameRand;
    return context;
}

bool LoadGameSideList(const std::string& cutName, std::int32_t* cellSizeValue) {
    if (!g_sideList) return false;
    CSideList::Source source;
    source.extract = [](const std::string& entryName, const std::string& outputPath) {
        return g_mainApp && g_mainApp->packFile && g_mainApp->packFile->ExtractEntry(entryName, outputPath);
    };
    source.display = g_display;
    source.workFolder = PackTempDirectory();
    if (!g_sideList->Load(source, cutName)) return false;
    if (IsUsableCellSize(g_sideList->cellSize)) *cellSizeValue = g_sideList->cellSize;
    return true;
}
