#pragma once
// The per-user settings store ("PT Vaze"). Each batch of reads or writes opens the key,
// works on it and closes it again; nothing stays open in between.
#include "platform/WinTypes.h"

#include <cstddef>
#include <cstdint>
#include <string>

// An open settings key; 0 is no key (every read then gives its default, every write fails).
using HKEY = std::intptr_t;

constexpr const char* kSettingsKeyName = "PT Vaze";

// Opens the key, creating it when missing. 0 on success, E_FAIL otherwise.
HRESULT RegOpenSettings(const char* subkey, HKEY* key);
void RegCloseSettings(HKEY key);
// Reads a text value into `buffer` (`bufferSize` bytes with the terminator); a missing value
// or one that does not fit gives `defaultValue` instead (cut to fit). Always 0.
HRESULT RegReadString(HKEY key, const char* name, char* buffer, std::size_t bufferSize,
                      const char* defaultValue);
HRESULT RegWriteString(HKEY key, const char* name, const char* text);
// Reads a 32-bit value; a missing one gives `defaultValue`. Always 0.
HRESULT RegReadDword(HKEY key, const char* name, DWORD* value, DWORD defaultValue);
HRESULT RegWriteDword(HKEY key, const char* name, DWORD value);

// The background colour's stored text: a signed decimal number. Text that is not a number
// reads as 0 (black).
std::string ColourToSettingText(COLORREF colour);
COLORREF ColourFromSettingText(const char* text);
