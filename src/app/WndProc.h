#pragma once
// The main window's procedure: every message and menu command enters the game here.
#include "platform/WinTypes.h"

LRESULT WndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// True while a puzzle is being cut or rebuilt; board input and most commands wait.
bool PuzzleLoading();
