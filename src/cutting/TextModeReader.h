#pragma once
// Reads text the way the side list was always read: in text mode, where a carriage
// return directly before a line feed is dropped (on every platform), with fgets-style
// lines of at most 63 characters. A longer line is split: the rest is read as the next
// line. A NUL byte ends the line's text as it would in a C string.
#include <cstddef>
#include <string>

class TextModeReader {
  public:
    static constexpr std::size_t kLineLimit = 63;

    explicit TextModeReader(const std::string& raw);

    // The next line including its line feed, if it had one. False at the end of the text.
    bool ReadLine(std::string* line);

  private:
    std::string text;
    std::size_t pos = 0;
};

// The value of a decimal line as atoi reads it: leading white space skipped, an optional
// sign, digits up to the first non-digit; 0 when there are none. Clamped to 32 bits.
int ParseLeadingInt(const std::string& text);
