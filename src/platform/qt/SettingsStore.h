#pragma once
// The per-user settings store under the name "PT Vaze": the registry key
// HKEY_CURRENT_USER\PT Vaze on Windows, the system's usual per-user store elsewhere.
#include <cstdint>
#include <memory>
#include <string>

class QSettings;

class SettingsStore {
  public:
    SettingsStore();
    ~SettingsStore();
    SettingsStore(const SettingsStore&) = delete;
    SettingsStore& operator=(const SettingsStore&) = delete;

    bool Open();
    bool IsOpen() const { return settings_ != nullptr; }
    bool ReadString(const std::string& name, std::string& value);
    bool WriteString(const std::string& name, const std::string& value);
    bool ReadDword(const std::string& name, std::uint32_t& value);
    bool WriteDword(const std::string& name, std::uint32_t value);
    // Writes everything out.
    void Close();

  private:
    std::unique_ptr<QSettings> settings_;
};
