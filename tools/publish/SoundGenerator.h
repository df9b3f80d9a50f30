#pragma once
// The game's two sound effects, synthesised: a short wooden click when pieces join and a
// soft rising blip when a piece turns. Both are 16-bit mono PCM wave files.
#include <cstdint>
#include <vector>

namespace publish {

class SoundGenerator {
  public:
    static constexpr int kSampleRate = 22050;

    // "click.wav": two damped tones over a brief tap, about 80 ms.
    static std::vector<std::uint8_t> ClickWav();
    // "rotate.wav": a gliding tone with a gentle swell and fade, about 110 ms.
    static std::vector<std::uint8_t> RotateWav();

    // A RIFF wave file of 16-bit mono samples.
    static std::vector<std::uint8_t> EncodeWav(const std::vector<std::int16_t>& samples, int sampleRate);
};

} // namespace publish
