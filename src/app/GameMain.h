#pragma once
// Start-up, the message loop and shutdown of the game.
#include "platform/WinTypes.h"

#include <cstdint>
#include <optional>

class IPlatform;

// Timer 0 drives the edge scroll while dragging; timer 1 the game clock.
constexpr WPARAM kAutoScrollTimerId = 0;
constexpr WPARAM kClockTimerId = 1;
constexpr int kAutoScrollPeriodMs = 50;
constexpr int kClockPeriodMs = 1000;

// The whole run: start-up, the message loop, the end. Returns the exit code (-1 when the
// game could not start).
int GameMain(IPlatform* platform);

// Start-up up to the message loop. `seed` replaces the clock's seed (tests).
bool GameStartup(IPlatform* platform, std::optional<std::uint32_t> seed = std::nullopt);
// After the loop: when the run ended without Destructor (the display was refused), only
// the workers are stopped; nothing is saved.
void GameEnd();
// For tests: ends a run that is still going as closing the window would, without asking.
void GameShutdown();

// Creates the process-wide objects and runs the application's start-up steps.
bool InitApp(HWND window);
// Deletes the process-wide objects in order; each saves what it owns on the way.
void Destructor();
// The message loop's idle step.
void IdleStep();
