#pragma once
// The game clock: whole seconds spent on the current puzzle. It advances once a second
// from the status bar's clock timer unless it is stopped (paused, loading or completed).
#include <atomic>
#include <cstdint>

class CGameClock {
  public:
    CGameClock() = default;
    virtual ~CGameClock() = default;
    CGameClock(const CGameClock&) = delete;
    CGameClock& operator=(const CGameClock&) = delete;

    // One second passed: counts it unless stopped.
    void Tick();
    // Pauses or resumes and relabels the clock menu's pause entry to match.
    void TogglePause();

    std::uint32_t seconds = 0; // main thread only
    // The loader thread stops the clock when a load starts, so this one is shared.
    std::atomic<bool> stopped{false};
};
