#pragma once
// The application object: start-up steps, the pack, the view over the board, the
// background colour and the commands that belong to no other object.
#include "platform/WinTypes.h"
#include "play/Board.h"

#include <cstdint>
#include <memory>
#include <string>

class CPackFile;
class CSurface;
class CPreviewWnd;
class CPuzzle;

class CMainApp {
  public:
    CMainApp();
    virtual ~CMainApp();
    CMainApp(const CMainApp&) = delete;
    CMainApp& operator=(const CMainApp&) = delete;

    // Start-up (app/).
    void Init();

    // The game's own pack and the puzzle it carries (CMainAppPack.cpp).
    bool UnPackEXE();
    bool ExtractPuzzleFile();
    bool ExtractSounds();
    bool ExtractProOptions();
    bool LoadPuzzle();

    // Leaving and positions.
    bool CanLeave();
    int ConfirmSaveBeforeLeaving();
    // True when the position is safe on disk (or there was none to save); a failure is
    // shown to the player and leaves the position marked as changed.
    bool SavePosition();
    void LoadSavedPosition();
    // The position file beside the extracted archive.
    std::string PositionFilePath() const;

    // Drawing and the display.
    void Render(const RECT* area = nullptr); // `area`: only that part of the window changed
    bool CreateProbeSurface();
    void UpdateBackgroundColour();

    // The view over the board and its scroll bars. The origin is held to the bars' ranges.
    void SetScrollX(int x, bool updateBars, bool redraw);
    void SetScrollY(int y, bool updateBars, bool redraw);
    void SetScrollRanges(int horizontalMax, int verticalMax);
    void SetScrollBarPositions(int x, int y);
    void OnHScroll(int request, int thumb);
    void OnVScroll(int request, int thumb);

    // Commands that belong to no other object.
    void ResetJigsaw();
    void PreviewCommand();
    void ChooseBackgroundColour();
    void OpenProductPage();
    void ShowPreferences();
    void ShowAbout();

    CPackFile* packFile = nullptr;     // owned
    CSurface* probeSurface = nullptr;  // owned
    std::int32_t scrollX = 0;
    std::int32_t scrollY = 0;
    HWND window = 0;
    COLORREF backgroundColour = 0x808080;
    std::uint32_t backgroundPixel = 0;
    std::int32_t ghosted = 0;
    std::int32_t firstTimeRun = 0;
    std::int32_t ctrlDown = 0;
    std::int32_t shiftDown = 0;
    std::string puzzleFilePath; // where the puzzle archive is extracted
    CPreviewWnd* previewWnd = nullptr; // owned
    // Where the scroll bars stand; kept here because the platform's bars cannot be read back.
    std::int32_t scrollBarPos[2] = {0, 0};
    std::int32_t scrollBarMax[2] = {kBoardSize, kBoardSize};
    // The display's colour depth was refused: the run is ending, so no puzzle is loaded.
    std::int32_t displayRefused = 0;

  private:
    // The display lost its surfaces: makes it again and rebuilds what was drawn on it.
    void RestoreSurfaces(CPuzzle& puzzle);
    bool restoringSurfaces = false;
};
