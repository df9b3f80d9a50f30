#pragma once
// The puzzle the benchmarks play: a colour ramp with some detail, published as a game program
// the way an author would.
#include <filesystem>
#include <string>

enum class RampFormat { Bmp, Jpeg };

// Writes a `width` x `height` ramp picture into `dir` and publishes it with `cut`; the
// published program's path, or empty (said on stderr) when that failed.
std::string PublishRampPuzzle(const std::filesystem::path& dir, int width, int height, const char* cut,
                              RampFormat format);
