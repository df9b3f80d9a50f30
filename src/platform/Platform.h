#pragma once
// The one narrow interface between the game and the operating system. The core calls
// only this; the Qt front end and the scripted test platform implement it.
#include "platform/WinTypes.h"

#include <cstdint>
#include <string>
#include <vector>

// What the screen looks like; the display format follows it.
struct ScreenInfo {
    int width = 1024;
    int height = 768;
    int bitsPerPixel = 32;
    // Channel masks of a 16-bit screen (ignored for other depths).
    std::uint32_t redMask = 0xF800, greenMask = 0x07E0, blueMask = 0x001F;
};

// A frame ready to be shown: the back buffer's memory in its own layout.
struct FrameView {
    const std::uint8_t* pixels = nullptr;
    int width = 0;
    int height = 0;
    int pitch = 0;      // bytes per row
    int formatCode = 4; // PixelFormatCode of the pixels
};

enum class CursorKind { Arrow, OpenHand, PointingHand, Wait };

class IPlatform {
  public:
    virtual ~IPlatform() = default;

    // --- Files and process ------------------------------------------------------------
    // Per-user private directory for the game's working files, ending in a separator.
    virtual std::string TempDirectory() = 0;
    // Full path of the running executable.
    virtual std::string ExecutablePath() = 0;
    // Milliseconds from a steady clock, and a high-resolution counter with its frequency.
    virtual std::uint32_t TickCountMs() = 0;
    virtual std::int64_t HighResCounter() = 0;
    virtual std::int64_t HighResFrequency() = 0;
    virtual void SleepMs(int ms) = 0;

    // --- Screen and presentation ---------------------------------------------------------
    virtual ScreenInfo Screen() = 0;
    // Copies a composed frame into the window's client area. Returns false when the
    // presentation surface was lost and must be rebuilt.
    virtual bool Present(const FrameView& frame) = 0;

    // --- Message boxes -------------------------------------------------------------------
    // Returns IDOK, IDCANCEL, IDYES or IDNO.
    virtual int MessageBox(const std::string& text, const std::string& caption, UINT style) = 0;
};

// The platform the game runs on; set once before anything else runs.
IPlatform* Platform();
void SetPlatform(IPlatform* platform);
