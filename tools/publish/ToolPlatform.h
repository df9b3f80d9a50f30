#pragma once
// The few operating-system questions the publishing tool asks.
#include <cstdio>

// True when `stream` writes to a terminal (so a progress line may be redrawn in place).
bool IsTerminal(std::FILE* stream);
