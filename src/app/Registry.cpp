#include "app/Registry.h"

#include "platform/Platform.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {
constexpr HKEY kOpenKey = 1;

void CopyCut(char* buffer, std::size_t size, const char* text) {
    if (!buffer || size == 0) return;
    std::snprintf(buffer, size, "%s", text ? text : "");
}
} // namespace

HRESULT RegOpenSettings(const char*, HKEY* key) {
    if (!key) return E_POINTER;
    *key = 0;
    if (!Platform() || !Platform()->SettingsOpen()) return E_FAIL;
    *key = kOpenKey;
    return S_OK;
}

void RegCloseSettings(HKEY key) {
    if (key && Platform()) Platform()->SettingsClose();
}

HRESULT RegReadString(HKEY key, const char* name, char* buffer, std::size_t bufferSize,
                      const char* defaultValue) {
    std::string value;
    if (key && Platform() && Platform()->SettingsReadString(name, &value) && value.size() < bufferSize) {
        std::memcpy(buffer, value.c_str(), value.size() + 1);
    } else {
        CopyCut(buffer, bufferSize, defaultValue);
    }
    return S_OK;
}

HRESULT RegWriteString(HKEY key, const char* name, const char* text) {
    if (!key || !Platform() || !text) return E_FAIL;
    return Platform()->SettingsWriteString(name, text) ? S_OK : E_FAIL;
}

HRESULT RegReadDword(HKEY key, const char* name, DWORD* value, DWORD defaultValue) {
    if (!value) return S_OK;
    std::uint32_t stored = 0;
    if (key && Platform() && Platform()->SettingsReadDword(name, &stored)) {
        *value = stored;
    } else {
        *value = defaultValue;
    }
    return S_OK;
}

HRESULT RegWriteDword(HKEY key, const char* name, DWORD value) {
    if (!key || !Platform()) return E_FAIL;
    return Platform()->SettingsWriteDword(name, value) ? S_OK : E_FAIL;
}

std::string ColourToSettingText(COLORREF colour) {
    char text[16];
    std::snprintf(text, sizeof text, "%d", static_cast<std::int32_t>(colour));
    return text;
}

COLORREF ColourFromSettingText(const char* text) {
    if (!text) return 0;
    // strtoll instead of atoi: an overlong number must not be undefined behaviour. The
    // 32-bit wrap keeps "%d" of a colour with its top bit set reading back unchanged.
    long long value = std::strtoll(text, nullptr, 10);
    return static_cast<COLORREF>(static_cast<std::uint32_t>(value));
}
