#include "cutting/TextModeReader.h"

#include <cstdint>

TextModeReader::TextModeReader(const std::string& raw) {
    text.reserve(raw.size());
    for (std::size_t i = 0; i < raw.size(); ++i) {
        if (raw[i] == '\r' && i + 1 < raw.size() && raw[i + 1] == '\n') continue;
        text.push_back(raw[i]);
    }
}

bool TextModeReader::ReadLine(std::string* line) {
    line->clear();
    if (pos >= text.size()) return false;
    std::size_t end = pos;
    while (end < text.size() && end - pos < kLineLimit) {
        if (text[end++] == '\n') break;
    }
    line->assign(text, pos, end - pos);
    pos = end;
    std::size_t nul = line->find('\0');
    if (nul != std::string::npos) line->resize(nul);
    return true;
}

int ParseLeadingInt(const std::string& text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t' || text[i] == '\n' || text[i] == '\r' ||
                               text[i] == '\v' || text[i] == '\f'))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    std::int64_t value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > INT32_MAX) value = static_cast<std::int64_t>(INT32_MAX) + 1;
    }
    if (negative) value = -value;
    if (value > INT32_MAX) value = INT32_MAX;
    if (value < INT32_MIN) value = INT32_MIN;
    return static_cast<int>(value);
}
