#include "display/BitmapResources.h"

#include <cctype>
#include <map>
#include <mutex>

namespace {

std::mutex& ResourceMutex() {
    static std::mutex m;
    return m;
}

std::map<std::string, std::vector<std::uint8_t>>& Resources() {
    static std::map<std::string, std::vector<std::uint8_t>> r;
    return r;
}

std::string Key(const std::string& name) {
    std::string key = name;
    for (char& c : key)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return key;
}

} // namespace

void RegisterBitmapResource(const std::string& name, std::vector<std::uint8_t> bytes) {
    std::lock_guard<std::mutex> lock(ResourceMutex());
    Resources()[Key(name)] = std::move(bytes);
}

void UnregisterBitmapResource(const std::string& name) {
    std::lock_guard<std::mutex> lock(ResourceMutex());
    Resources().erase(Key(name));
}

bool FindBitmapResource(const std::string& name, std::vector<std::uint8_t>* bytes) {
    std::lock_guard<std::mutex> lock(ResourceMutex());
    const auto it = Resources().find(Key(name));
    if (it == Resources().end()) return false;
    if (bytes) *bytes = it->second;
    return true;
}
