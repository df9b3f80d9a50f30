#include "platform/OpenableAddress.h"

#include <algorithm>
#include <cctype>
#include <string_view>

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v';
}

bool IsSchemeChar(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '+' || c == '-' || c == '.';
}

std::string Lower(std::string_view text) {
    std::string out(text);
    std::transform(out.begin(), out.end(), out.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return out;
}

} // namespace

bool IsOpenableAddress(const std::string& address) {
    std::string_view text(address);
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    if (text.empty()) return false;
    // Control characters have no place in an address and can hide a scheme from a reader.
    if (std::any_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7F; }))
        return false;

    const std::size_t colon = text.find(':');
    const std::string_view head = text.substr(0, colon);
    const bool hasScheme = colon != std::string_view::npos && !head.empty() &&
                           std::isalpha(static_cast<unsigned char>(head.front())) &&
                           std::all_of(head.begin(), head.end(), IsSchemeChar);
    if (hasScheme) {
        const std::string scheme = Lower(head);
        const std::string_view rest = text.substr(colon + 1);
        if (scheme == "mailto") return !rest.empty();
        // A web address names a host: "http:" alone or "http:/x" is not one.
        if (scheme == "http" || scheme == "https") return rest.size() > 2 && rest.substr(0, 2) == "//";
        return false;
    }
    // No scheme: a host name, opened as http. Paths (absolute, relative or home) are refused.
    const char first = text.front();
    if (first == '/' || first == '\\' || first == '.' || first == '~') return false;
    const std::size_t hostEnd = text.find_first_of(":/?#");
    const std::string_view host = text.substr(0, hostEnd);
    return host.find('.') != std::string_view::npos &&
           std::all_of(host.begin(), host.end(), [](char c) {
               return std::isalnum(static_cast<unsigned char>(c)) || c == '-' || c == '.';
           });
}
