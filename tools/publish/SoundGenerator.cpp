#include "SoundGenerator.h"

#include "app/Random.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace publish {

namespace {

void PutU32(std::vector<std::uint8_t>& out, std::uint32_t value) {
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}
void PutU16(std::vector<std::uint8_t>& out, std::uint16_t value) {
    out.push_back(static_cast<std::uint8_t>(value));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}
void PutTag(std::vector<std::uint8_t>& out, const char* tag) {
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<std::uint8_t>(tag[i]));
}

std::vector<std::int16_t> ToSamples(const std::vector<double>& wave, double peak) {
    double loudest = 0;
    for (double v : wave)
        loudest = std::max(loudest, std::fabs(v));
    std::vector<std::int16_t> samples;
    samples.reserve(wave.size());
    for (double v : wave) {
        double scaled = loudest > 0 ? v / loudest * peak * 32767.0 : 0;
        samples.push_back(static_cast<std::int16_t>(std::lround(std::clamp(scaled, -32767.0, 32767.0))));
    }
    return samples;
}

} // namespace

std::vector<std::uint8_t> SoundGenerator::EncodeWav(const std::vector<std::int16_t>& samples,
                                                    int sampleRate) {
    const std::uint32_t dataBytes = static_cast<std::uint32_t>(samples.size() * 2);
    std::vector<std::uint8_t> out;
    out.reserve(44 + dataBytes);
    PutTag(out, "RIFF");
    PutU32(out, 36 + dataBytes);
    PutTag(out, "WAVE");
    PutTag(out, "fmt ");
    PutU32(out, 16);
    PutU16(out, 1); // PCM
    PutU16(out, 1); // mono
    PutU32(out, static_cast<std::uint32_t>(sampleRate));
    PutU32(out, static_cast<std::uint32_t>(sampleRate) * 2);
    PutU16(out, 2);
    PutU16(out, 16);
    PutTag(out, "data");
    PutU32(out, dataBytes);
    for (std::int16_t s : samples)
        PutU16(out, static_cast<std::uint16_t>(s));
    return out;
}

std::vector<std::uint8_t> SoundGenerator::ClickWav() {
    const int count = kSampleRate * 80 / 1000;
    std::vector<double> wave(static_cast<std::size_t>(count));
    GameSeed(0xC11C);
    double noise = 0;
    for (int i = 0; i < count; ++i) {
        double t = static_cast<double>(i) / kSampleRate;
        // Two body resonances of a small wooden block, the higher one dying first.
        double body = 0.8 * std::sin(2 * std::numbers::pi * 1180 * t) * std::exp(-t / 0.014) +
                      0.45 * std::sin(2 * std::numbers::pi * 2630 * t) * std::exp(-t / 0.006);
        // A softened tap for the attack: smoothed noise over the first two milliseconds.
        noise = 0.6 * noise + 0.4 * (GameRand() / 16383.5 - 1.0);
        double tap = noise * std::exp(-t / 0.0015) * 0.5;
        // Fade the first samples in so the start does not pop.
        double fadeIn = std::min(1.0, i / 12.0);
        wave[static_cast<std::size_t>(i)] = (body + tap) * fadeIn;
    }
    return EncodeWav(ToSamples(wave, 0.55), kSampleRate);
}

std::vector<std::uint8_t> SoundGenerator::RotateWav() {
    const int count = kSampleRate * 110 / 1000;
    std::vector<double> wave(static_cast<std::size_t>(count));
    double phase = 0;
    for (int i = 0; i < count; ++i) {
        double p = static_cast<double>(i) / count;
        // Glide from 540 Hz up to 810 Hz, a fifth, easing out.
        double frequency = 540 + 270 * (1 - (1 - p) * (1 - p));
        phase += 2 * std::numbers::pi * frequency / kSampleRate;
        double envelope = std::sin(std::numbers::pi * std::pow(p, 0.6));
        envelope *= envelope;
        wave[static_cast<std::size_t>(i)] = envelope * (std::sin(phase) + 0.25 * std::sin(2 * phase));
    }
    return EncodeWav(ToSamples(wave, 0.45), kSampleRate);
}

} // namespace publish
