// The settings store, sounds, time and the screen.
#include "QtTestSupport.h"

#include "platform/qt/SettingsStore.h"
#include "platform/qt/SoundPlayer.h"
#include "support/TempDir.h"

#include <QSettings>

#include <cstring>
#include <fstream>

namespace {

class QtSettingsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        EnsureTestApp();
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, QString::fromStdString(dir.Str()));
    }
    TempDir dir;
};

// A short silent wave file.
void WriteWave(const std::string& path, int samples) {
    auto le32 = [](std::ofstream& f, std::uint32_t v) { f.write(reinterpret_cast<const char*>(&v), 4); };
    auto le16 = [](std::ofstream& f, std::uint16_t v) { f.write(reinterpret_cast<const char*>(&v), 2); };
    std::ofstream f(path, std::ios::binary);
    f.write("RIFF", 4);
    le32(f, 36 + samples * 2);
    f.write("WAVEfmt ", 8);
    le32(f, 16);
    le16(f, 1);
    le16(f, 1);
    le32(f, 22050);
    le32(f, 44100);
    le16(f, 2);
    le16(f, 16);
    f.write("data", 4);
    le32(f, samples * 2);
    for (int i = 0; i < samples; ++i)
        le16(f, 0);
}

} // namespace

TEST_F(QtSettingsTest, ValuesSurviveClosingAndReopening) {
    {
        SettingsStore store;
        ASSERT_TRUE(store.Open());
        EXPECT_TRUE(store.WriteDword("bkcolour", 0x808080));
        EXPECT_TRUE(store.WriteDword("big", 0xFFFFFFFFu));
        EXPECT_TRUE(store.WriteDword("bevellevel", 2));
        EXPECT_TRUE(store.WriteString("lastpuzzle", "Boats"));
        store.Close();
    }
    SettingsStore store;
    ASSERT_TRUE(store.Open());
    std::uint32_t value = 0;
    ASSERT_TRUE(store.ReadDword("bkcolour", &value));
    EXPECT_EQ(value, 0x808080u);
    ASSERT_TRUE(store.ReadDword("big", &value));
    EXPECT_EQ(value, 0xFFFFFFFFu);
    ASSERT_TRUE(store.ReadDword("bevellevel", &value));
    EXPECT_EQ(value, 2u);
    std::string text;
    ASSERT_TRUE(store.ReadString("lastpuzzle", &text));
    EXPECT_EQ(text, "Boats");

    value = 77;
    EXPECT_FALSE(store.ReadDword("missing", &value));
    EXPECT_FALSE(store.ReadDword("lastpuzzle", &value)); // not a number
    EXPECT_EQ(value, 77u);
    EXPECT_FALSE(store.ReadString("missing", &text));
    EXPECT_EQ(text, "Boats");
}

TEST_F(QtSettingsTest, NothingIsReadOrWrittenWhileClosed) {
    SettingsStore store;
    std::uint32_t value = 5;
    std::string text;
    EXPECT_FALSE(store.ReadDword("bkcolour", &value));
    EXPECT_FALSE(store.WriteDword("bkcolour", 1));
    EXPECT_FALSE(store.WriteString("name", "x"));
    EXPECT_FALSE(store.ReadString("name", &text));
    ASSERT_TRUE(store.Open());
    EXPECT_FALSE(store.ReadDword("bkcolour", nullptr));
}

TEST(QtSoundTest, FilesAreLoadedOnceAndMissingFilesPlayNothing) {
    EnsureTestApp();
    TempDir dir;
    SoundPlayer player;
    player.Play(dir.File("temp1"));
    player.Play("");
    EXPECT_EQ(player.CachedCount(), 0);
    WriteWave(dir.File("temp1"), 100);
    WriteWave(dir.File("temp2"), 100);
    player.Play(dir.File("temp1"));
    player.Play(dir.File("temp1"));
    player.Play(dir.File("temp2"));
    EXPECT_EQ(player.CachedCount(), 2);
    WriteWave(dir.File("temp1"), 300); // rewritten: loaded afresh under the same name
    player.Play(dir.File("temp1"));
    EXPECT_EQ(player.CachedCount(), 2);
    PumpEvents();
}

TEST_F(QtWindowTest, ClocksRunForwardAndTheScreenIsDescribed) {
    const std::uint32_t t0 = platform->TickCountMs();
    const std::int64_t c0 = platform->HighResCounter();
    platform->SleepMs(20);
    EXPECT_GE(platform->TickCountMs() - t0, 19u);
    EXPECT_GE((platform->HighResCounter() - c0) * 1000 / platform->HighResFrequency(), 19);

    const ScreenInfo screen = platform->Screen();
    EXPECT_GT(screen.width, 0);
    EXPECT_GT(screen.usableHeight, 0);
    EXPECT_LE(screen.usableWidth, screen.width);
    EXPECT_TRUE(screen.bitsPerPixel == 16 || screen.bitsPerPixel == 32 || screen.bitsPerPixel == 8);
    EXPECT_GT(screen.scrollBarWidth, 0);
    EXPECT_FALSE(platform->ExecutablePath().empty());
}
