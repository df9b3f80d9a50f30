#pragma once
// A published puzzle started through the game's own start-up and cutting, on a 1920 x 1080
// window system that shows nothing. One game runs at a time (the game's objects are
// process-wide); asking for another board ends the one running.
#include "NullPlatform.h"

#include "platform/WinTypes.h"

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <string>
#include <vector>

class CPieceGroup;

// Presents are counted; a present of part of the frame is copied to a screen image, as a
// window system copies the changed part. Messages posted by the loader are queued for the
// benchmark's own thread to hand to the window procedure. The settings store holds only the
// rotation switch.
class QuietPlatform : public NullPlatform {
  public:
    static constexpr int kWidth = 1920, kHeight = 1080;

    std::string TempDirectory() override { return tempDir; }
    std::string ExecutablePath() override { return executable; }
    HWND CreateMainWindow(const std::string&, int, int, WindowProcedure proc) override;
    ScreenInfo Screen() override;
    bool Present(const FrameView& frame) override;
    bool PresentPart(const FrameView& frame, const RECT& changed) override;
    void PostMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    bool SettingsOpen() override { return true; }
    bool SettingsReadDword(const std::string& name, std::uint32_t& value) override;

    // Hands queued messages to the window until the loader's end has been handled; false when
    // the game has none or the loader stays silent for minutes.
    bool PumpUntilLoaded();
    void DropMessages();
    void ResetCounts() { fullPresents = partPresents = partPixels = 0; }

    std::string tempDir;
    std::string executable;
    bool rotation = false;
    WindowProcedure procedure = nullptr;
    std::int64_t fullPresents = 0, partPresents = 0, partPixels = 0;
    double longestStepMs = 0; // the longest the window procedure took over one pumped message

  private:
    struct Message {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
    };
    std::mutex mutex;
    std::condition_variable posted;
    std::deque<Message> queue;
    std::vector<std::uint8_t> screen;
};

// A picture of this size with a colour ramp, published with this cut.
struct BoardSpec {
    int pictureWidth = 1600;
    int pictureHeight = 1280;
    const char* cut = "medium";
    std::size_t pieces = 2000; // what the cut must give
};

struct LoadedGame {
    explicit LoadedGame(const BoardSpec& board);
    ~LoadedGame();
    LoadedGame(const LoadedGame&) = delete;
    LoadedGame& operator=(const LoadedGame&) = delete;

    BoardSpec board;
    QuietPlatform platform;
    bool ready = false;
    int run = 0; // counts the games started, so a new one never passes for an old one
};

// The running game for `board`, started when another board (or none) runs.
LoadedGame& Game(const BoardSpec& board);

// Pieces whose image lies at least partly in the 1920 x 1080 view.
int PiecesInView();
