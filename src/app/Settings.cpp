// The preference batches: each object reads its values once when the game starts and
// writes them back once when it is destroyed.
#include "app/CMainApp.h"
#include "app/Registry.h"
#include "play/CPuzzle.h"
#include "preview/CPreviewWnd.h"

namespace {
void ReadInt(HKEY key, const char* name, std::int32_t* field, DWORD defaultValue) {
    DWORD value = 0;
    RegReadDword(key, name, &value, defaultValue);
    *field = static_cast<std::int32_t>(value);
}

void WriteInt(HKEY key, const char* name, std::int32_t value) {
    RegWriteDword(key, name, static_cast<DWORD>(value));
}
} // namespace

void CPuzzle::LoadSettings() {
    HKEY key = 0;
    RegOpenSettings(kSettingsKeyName, &key);
    ReadInt(key, "soundeffects", &soundeffects, 1);
    ReadInt(key, "shadow", &shadow, 1);
    ReadInt(key, "ghostaplha", &ghostaplha, 30);
    ReadInt(key, "beveling", &beveling, 1);
    ReadInt(key, "bevellevel", &bevellevel, 1);
    ReadInt(key, "userotation", &userotation, 0);
    ReadInt(key, "useMusic", &useMusic, 1);
    RegCloseSettings(key);
}

void CPuzzle::SaveSettings() {
    HKEY key = 0;
    RegOpenSettings(kSettingsKeyName, &key);
    WriteInt(key, "shadow", shadow);
    WriteInt(key, "soundeffects", soundeffects);
    WriteInt(key, "ghostaplha", ghostaplha);
    WriteInt(key, "beveling", beveling);
    WriteInt(key, "bevellevel", bevellevel);
    WriteInt(key, "userotation", userotation);
    WriteInt(key, "useMusic", useMusic);
    RegCloseSettings(key);
}

void CMainApp::LoadSettings() {
    HKEY key = 0;
    RegOpenSettings(kSettingsKeyName, &key);
    char text[256];
    RegReadString(key, "bkcolour", text, sizeof text, "8421504");
    backgroundColour = ColourFromSettingText(text);
    ReadInt(key, "ghosted", &ghosted, 0);
    ReadInt(key, "FirstTimeRun", &firstTimeRun, 1);
    ReadInt(key, "show_mode", &previewShowMode, 1);
    RegCloseSettings(key);
}

void CMainApp::SaveSettings() {
    HKEY key = 0;
    RegOpenSettings(kSettingsKeyName, &key);
    RegWriteString(key, "bkcolour", ColourToSettingText(backgroundColour).c_str());
    WriteInt(key, "ghosted", ghosted);
    WriteInt(key, "FirstTimeRun", 0);
    WriteInt(key, "show_mode", previewWnd ? previewWnd->showMode : previewShowMode);
    RegCloseSettings(key);
}
