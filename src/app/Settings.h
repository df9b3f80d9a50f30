#pragma once
// The player's preferences in the per-user settings store (the "PT Vaze" key). Each batch
// opens the store, reads or writes its values and closes it again; nothing stays open in
// between. A store that cannot be opened gives every value its first-run default and keeps
// nothing that is written.
#include "platform/WinTypes.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

class CMainApp;
class CPuzzle;
class CPreviewWnd;
class IPlatform;

// One batch of reads or writes, open from construction to destruction.
class SettingsBatch {
  public:
    SettingsBatch();
    ~SettingsBatch();
    SettingsBatch(const SettingsBatch&) = delete;
    SettingsBatch& operator=(const SettingsBatch&) = delete;

    std::uint32_t ReadNumber(const std::string& name, std::uint32_t fallback);
    // Text that is missing, or too long for the game's 256-byte field, gives `fallback`.
    std::string ReadText(const std::string& name, const std::string& fallback);
    void WriteNumber(const std::string& name, std::uint32_t value);
    void WriteText(const std::string& name, const std::string& text);

  private:
    IPlatform* store = nullptr; // null when the store could not be opened
};

// One 32-bit preference: its stored name, the member that holds it while the game runs and
// its value on a first run. When `storedAs` is set, that value is written instead of the
// member's.
template <class Owner> struct NumberSetting {
    const char* name;
    std::int32_t Owner::*field;
    std::int32_t firstRunValue;
    std::optional<std::int32_t> storedAs = std::nullopt;
};

template <class Owner, std::size_t N>
void ReadSettings(SettingsBatch& batch, Owner& owner, const NumberSetting<Owner> (&table)[N]) {
    for (const NumberSetting<Owner>& setting : table)
        owner.*setting.field = static_cast<std::int32_t>(
            batch.ReadNumber(setting.name, static_cast<std::uint32_t>(setting.firstRunValue)));
}

template <class Owner, std::size_t N>
void WriteSettings(SettingsBatch& batch, const Owner& owner, const NumberSetting<Owner> (&table)[N]) {
    for (const NumberSetting<Owner>& setting : table)
        batch.WriteNumber(setting.name,
                          static_cast<std::uint32_t>(setting.storedAs.value_or(owner.*setting.field)));
}

// The batches of the puzzle's play preferences, the application's own values and the
// preview window's mode.
void LoadSettings(CPuzzle& puzzle);
void SaveSettings(const CPuzzle& puzzle);
void LoadSettings(CMainApp& app);
void SaveSettings(const CMainApp& app);
void LoadSettings(CPreviewWnd& preview);
void SaveSettings(const CPreviewWnd& preview);

// The background colour's stored text: a signed decimal number. Text that is not a number
// reads as 0 (black).
std::string ColourToSettingText(COLORREF colour);
COLORREF ColourFromSettingText(const std::string& text);
