// Composing one frame the way the board does: clear, many keyed piece blits, present.
#include "display/CDisplay.h"

#include "NullPlatform.h"

#include <benchmark/benchmark.h>

#include <cstring>
#include <memory>
#include <vector>

namespace {

// Only what the display touches: the screen layout and a present that copies the frame,
// as a window system would.
class CopyingPlatform : public NullPlatform {
  public:
    ScreenInfo Screen() override {
        ScreenInfo s;
        s.bitsPerPixel = bits;
        return s;
    }
    bool Present(const FrameView& frame) override {
        const std::size_t bytes = static_cast<std::size_t>(frame.pitch) * frame.height;
        window.resize(bytes);
        std::memcpy(window.data(), frame.pixels, bytes);
        return true;
    }

    int bits = 32;
    std::vector<std::uint8_t> window;
};

// A 64 x 64 piece: a round body on a white (transparent) square, as cut pieces look.
std::unique_ptr<CSurface> MakePiece(CDisplay& display, std::uint32_t shade) {
    CSurface* s = nullptr;
    display.NewSurface(&s, 64, 64, false);
    s->Fill(RGB(255, 255, 255), true);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x) {
            const int dx = x - 32, dy = y - 32;
            if (dx * dx + dy * dy < 28 * 28) s->SetPixelValue(x, y, s->MatchColour(shade & 0xFFFFFF));
        }
    s->SetTransparentColour(RGB(255, 255, 255));
    return std::unique_ptr<CSurface>(s);
}

void ComposeFrame(benchmark::State& state) {
    CopyingPlatform platform;
    platform.bits = static_cast<int>(state.range(0));
    SetPlatform(&platform);
    {
        CDisplay display;
        display.CreateWindowedDisplay(1, 1920, 1080);
        std::vector<std::unique_ptr<CSurface>> pieces;
        for (int i = 0; i < 16; ++i)
            pieces.push_back(MakePiece(display, 0x203040u * static_cast<std::uint32_t>(i + 1)));
        const std::uint32_t background = display.BackBuffer()->MatchColour(RGB(128, 128, 128));
        for (auto _ : state) {
            display.ClearBackBuffer(background);
            // 1000 pieces spread over the frame, some hanging off its edges.
            for (int i = 0; i < 1000; ++i) {
                const int x = (i * 523) % 1960 - 40;
                const int y = (i * 311) % 1120 - 40;
                display.DrawSurface(x, y, pieces[static_cast<std::size_t>(i) % pieces.size()].get(), nullptr,
                                    -1, -1);
            }
            display.ShowBackBuffer();
            benchmark::DoNotOptimize(platform.window.data());
        }
    }
    SetPlatform(nullptr);
}

} // namespace

BENCHMARK(ComposeFrame)->Arg(32)->Arg(24)->Arg(16)->Unit(benchmark::kMillisecond);
