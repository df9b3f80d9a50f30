#include "app/Random.h"

#include <atomic>

namespace {
// Only the loader thread draws while a puzzle is cut and only the main thread otherwise;
// the atomic keeps a stray concurrent draw well defined.
std::atomic<std::uint32_t> g_state{1};
} // namespace

void GameSeed(std::uint32_t seed) { g_state.store(seed, std::memory_order_relaxed); }

int GameRand() {
    std::uint32_t next = g_state.load(std::memory_order_relaxed) * 214013u + 2531011u;
    g_state.store(next, std::memory_order_relaxed);
    return static_cast<int>((next >> 16) & 0x7FFF);
}
