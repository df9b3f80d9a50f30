#pragma once
// The game's own random generator. Cutting, scattering and arranging draw from it in a
// fixed order, so a seed gives the same puzzle on every platform.
#include <cstdint>

constexpr int GAME_RAND_MAX = 32767;

void GameSeed(std::uint32_t seed);
// Next value in 0..32767.
int GameRand();
