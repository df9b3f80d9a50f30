#pragma once
// A window system that does nothing: every call succeeds quietly on a 1920 x 1080 client
// area. Benchmarks derive from it and override only what they measure or feed.
#include "platform/Platform.h"

#include <cstdint>
#include <string>
#include <vector>

class NullPlatform : public IPlatform {
  public:
    std::string TempDirectory() override { return {}; }
    std::string ExecutablePath() override { return {}; }
    HWND CreateMainWindow(const std::string&, int, int, WindowProcedure) override { return 1; }
    void ShowMaximized() override {}
    void SetWindowText(const std::string&) override {}
    int ClientWidth() override { return 1920; }
    int ClientHeight() override { return 1080; }
    void SetMenuItemText(int, const std::string&) override {}
    void SetStatusParts(const std::vector<int>&) override {}
    void SetStatusText(int, const std::string&) override {}
    int StatusBarHeight() override { return 20; }
    void SetScrollRange(int, int, int) override {}
    void SetScrollPos(int, int) override {}
    void ShowScrollBars(bool) override {}
    ScreenInfo Screen() override { return {}; }
    bool Present(const FrameView&) override { return true; }
    void SetCursor(CursorKind) override {}
    void ConfineCursor(const RECT&) override {}
    void ReleaseCursor() override {}
    void PostMessage(UINT, WPARAM, LPARAM) override {}
    bool SendMessageFromWorker(UINT, WPARAM, LPARAM, int) override { return true; }
    void SetTimer(int, int) override {}
    void PostQuitMessage(int) override {}
    int RunMessageLoop(void (*)()) override { return 0; }
    int MessageBox(const std::string&, const std::string&, UINT) override { return IDOK; }
    bool ChooseColour(COLORREF, COLORREF&) override { return false; }
    int RunOptionsDialog(OptionsDialogData&) override { return IDCANCEL; }
    void PlaySoundFile(const std::string&) override {}
    int OpenUrl(const std::string&) override { return 33; }
    bool SettingsOpen() override { return false; }
    bool SettingsReadString(const std::string&, std::string&) override { return false; }
    bool SettingsWriteString(const std::string&, const std::string&) override { return false; }
    bool SettingsReadDword(const std::string&, std::uint32_t&) override { return false; }
    bool SettingsWriteDword(const std::string&, std::uint32_t) override { return false; }
    void SettingsClose() override {}
};
