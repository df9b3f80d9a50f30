#pragma once
// The status bar along the bottom of the main window: six parts at fixed pixel edges.
#include "platform/WinTypes.h"

#include <string>
#include <vector>

class CStatusBar {
  public:
    // Creates the bar's parts on the main window; part 0 stays empty and borderless.
    explicit CStatusBar(HWND parent);
    virtual ~CStatusBar();
    CStatusBar(const CStatusBar&) = delete;
    CStatusBar& operator=(const CStatusBar&) = delete;

    void SetText(int part, const std::string& text);
    // The platform lays the bar out itself; kept so the window's size changes reach it.
    void Resize(WPARAM wParam, LPARAM lParam);
    // Height the board must leave free at the bottom of the client area.
    int Height();

    // Right edges of the six parts in client pixels.
    static const std::vector<int>& PartEdges();

    HWND parent = 0;
    HWND control = 0; // 0 when the bar could not be made
};
