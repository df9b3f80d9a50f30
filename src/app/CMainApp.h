#pragma once
// The application object: start-up steps, the pack, the view over the board, the
// background colour and the commands that belong to no other object.
#include "platform/WinTypes.h"

#include <cstdint>
#include <memory>
#include <string>

class CPackFile;
class CSurface;
class CPreviewWnd;

class CMainApp {
  public:
    CMainApp();
    virtual ~CMainApp();
    CMainApp(const CMainApp&) = delete;
    CMainApp& operator=(const CMainApp&) = delete;

    // Start-up (app/).
    void Init();
    void LoadSettings();
    void SaveSettings();

    // Pack (pack/).
    bool UnPackEXE();
    bool ExtractPuzzleFile();
    bool ExtractSounds();
    bool ExtractProOptions();
    bool LoadPuzzle();

    // Leaving and positions (app/, position/).
    bool CanLeave();
    int ConfirmSaveBeforeLeaving();
    void SavePosition();
    void LoadSavedPosition();

    // Drawing (display/).
    void Render();
    bool CreateProbeSurface();
    void UpdateBackgroundColour();

    // Board view (display/). The two-argument forms always move the scroll bars along.
    void SetScrollX(int x, bool redraw);
    void SetScrollY(int y, bool redraw);
    void SetScrollX(int x, bool updateBars, bool redraw);
    void SetScrollY(int y, bool updateBars, bool redraw);
    void SetScrollRanges();
    void SetScrollRanges(int horizontalMax, int verticalMax);
    void SetScrollBarPositions();
    void SetScrollBarPositions(int x, int y);
    void OnHScroll(int request, int thumb);
    void OnVScroll(int request, int thumb);

    // Commands that belong to no other object (app/).
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
    std::int32_t previewShowMode = 1;  // the preview's mode as last saved
    // Where the scroll bars stand; kept here because the platform's bars cannot be read back.
    std::int32_t scrollBarPos[2] = {0, 0};
    std::int32_t scrollBarMax[2] = {5000, 5000};
    // The display's colour depth was refused: the run is ending, so no puzzle is loaded.
    std::int32_t displayRefused = 0;
};
