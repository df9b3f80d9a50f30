#pragma once
// Which addresses the game hands to the browser. They come from the puzzle's pack, written by
// whoever published it, so only web pages and mail are opened, never local files or programs.
#include <string>

// True for an http, https or mailto address (scheme case-insensitive, surrounding blanks
// ignored), and for a bare host name such as "www.example.com", which browsers open as http.
bool IsOpenableAddress(const std::string& address);
