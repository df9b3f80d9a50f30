#pragma once
// Bitmaps built into the program, looked up by name before a file of that name is tried.
// Names compare without regard to case, as resource names do.
#include <cstdint>
#include <string>
#include <vector>

// Registers (or replaces) the bitmap file bytes stored under `name`. Safe from any thread.
void RegisterBitmapResource(const std::string& name, std::vector<std::uint8_t> bytes);
void UnregisterBitmapResource(const std::string& name);
// Copies the bytes registered under `name`; false when there are none.
bool FindBitmapResource(const std::string& name, std::vector<std::uint8_t>* bytes);
