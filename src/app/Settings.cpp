#include "app/Settings.h"

#include "app/CMainApp.h"
#include "platform/Platform.h"
#include "play/CPuzzle.h"
#include "preview/CPreviewWnd.h"

#include <cstdio>
#include <cstdlib>

namespace {
// The longest text value the game takes, with room for its terminator.
constexpr std::size_t kTextField = 256;

constexpr NumberSetting<CPuzzle> kPuzzleSettings[] = {
    {"soundeffects", &CPuzzle::soundeffects, 1},
    {"shadow", &CPuzzle::shadow, 1},
    {"ghostaplha", &CPuzzle::ghostaplha, 30},
    {"beveling", &CPuzzle::beveling, 1},
    {"bevellevel", &CPuzzle::bevellevel, 1},
    {"userotation", &CPuzzle::userotation, 0},
    {"useMusic", &CPuzzle::useMusic, 1},
};

constexpr NumberSetting<CMainApp> kAppSettings[] = {
    {"ghosted", &CMainApp::ghosted, 0},
    // A run that reached its end is no longer the first.
    {"FirstTimeRun", &CMainApp::firstTimeRun, 1, 0},
};

constexpr NumberSetting<CPreviewWnd> kPreviewSettings[] = {
    {"show_mode", &CPreviewWnd::showMode, 1},
};

// The background colour is the one value kept as text.
constexpr const char* kColourName = "bkcolour";
constexpr const char* kColourFirstRun = "8421504"; // 0x808080, middle grey
} // namespace

SettingsBatch::SettingsBatch() {
    IPlatform* platform = Platform();
    if (platform && platform->SettingsOpen()) store = platform;
}

SettingsBatch::~SettingsBatch() {
    if (store) store->SettingsClose();
}

std::uint32_t SettingsBatch::ReadNumber(const std::string& name, std::uint32_t fallback) {
    std::uint32_t value = 0;
    return store && store->SettingsReadDword(name, value) ? value : fallback;
}

std::string SettingsBatch::ReadText(const std::string& name, const std::string& fallback) {
    std::string value;
    if (store && store->SettingsReadString(name, value) && value.size() < kTextField) return value;
    return fallback;
}

void SettingsBatch::WriteNumber(const std::string& name, std::uint32_t value) {
    if (store) store->SettingsWriteDword(name, value);
}

void SettingsBatch::WriteText(const std::string& name, const std::string& text) {
    if (store) store->SettingsWriteString(name, text);
}

void LoadSettings(CPuzzle& puzzle) {
    SettingsBatch batch;
    ReadSettings(batch, puzzle, kPuzzleSettings);
}

void SaveSettings(const CPuzzle& puzzle) {
    SettingsBatch batch;
    WriteSettings(batch, puzzle, kPuzzleSettings);
}

void LoadSettings(CMainApp& app) {
    SettingsBatch batch;
    app.backgroundColour = ColourFromSettingText(batch.ReadText(kColourName, kColourFirstRun));
    ReadSettings(batch, app, kAppSettings);
}

void SaveSettings(const CMainApp& app) {
    SettingsBatch batch;
    batch.WriteText(kColourName, ColourToSettingText(app.backgroundColour));
    WriteSettings(batch, app, kAppSettings);
}

void LoadSettings(CPreviewWnd& preview) {
    SettingsBatch batch;
    ReadSettings(batch, preview, kPreviewSettings);
}

void SaveSettings(const CPreviewWnd& preview) {
    SettingsBatch batch;
    WriteSettings(batch, preview, kPreviewSettings);
}

std::string ColourToSettingText(COLORREF colour) {
    char text[16];
    std::snprintf(text, sizeof text, "%d", static_cast<std::int32_t>(colour));
    return text;
}

COLORREF ColourFromSettingText(const std::string& text) {
    // strtoll instead of atoi: an overlong number must not be undefined behaviour. The
    // 32-bit wrap keeps "%d" of a colour with its top bit set reading back unchanged.
    const long long value = std::strtoll(text.c_str(), nullptr, 10);
    return static_cast<COLORREF>(static_cast<std::uint32_t>(value));
}
