#pragma once
// Puzzles published the way authors publish them, onto a stand-in game program, for the
// tests that run the whole game.
#include "imaging/DecodedImage.h"

#include "Publisher.h"

#include <cstdint>
#include <string>

// A picture whose colour changes from cell to cell, so pieces can be told apart on screen.
std::uint32_t GradientPixel(int w, int h, int x, int y);
DecodedImage GradientPicture(int w, int h);

// Writes a stand-in game program into `folder` (a path ending in a separator) and publishes
// a w x h gradient onto it as `output`. Fails the running test when the tool refuses.
publish::PublishRequest PublishGradient(const std::string& folder, int w, int h, const std::string& cut,
                                        const std::string& title, const std::string& output,
                                        publish::PublishSummary* summary);
