// Saving and loading positions as the player does: the File menu, starting the game again,
// and the question before a reset or leaving.
#include "position/CPositionFile.h"
#include "support/GameFixture.h"
#include "support/PictureFiles.h"

#include <filesystem>

namespace {

class SavedGameTest : public GameFixture {
  protected:
    // Saves from the menu and reads the file back: every piece's shapes, turn and place, the
    // groups in list order (the empty ones joins leave are not kept) and the clock.
    auto Saved() {
        Command(ID_FILE_SAVEPOSITION);
        const Bytes bytes = ReadBytes(g_mainApp->PositionFilePath());
        CPositionFile file;
        EXPECT_TRUE(file.Parse(bytes.data(), bytes.size()));
        return std::tuple(file.pieces, file.groups, file.seconds, file.useRotation);
    }
    std::vector<std::string> Captions() const {
        std::vector<std::string> captions;
        for (const RecordedMessageBox& box : platform->messageBoxes)
            captions.push_back(box.caption);
        return captions;
    }
};

TEST_F(SavedGameTest, JoinedTurnedGroupsAndTheClockComeBackFromTheMenuAndAtStartUp) {
    platform->settingsDwords["userotation"] = 1;
    ASSERT_NO_FATAL_FAILURE(Load(96, 64));
    ASSERT_NO_FATAL_FAILURE(SpreadOut(true));
    DragToAssembly(0, 0);
    DragToAssembly(1, 0);
    for (CPiece* piece : {P(1, 0), P(2, 1)})
        ClickPiece(piece), Space();
    ASSERT_EQ(std::pair(P(0, 0)->group, P(0, 0)->rotation), std::pair(P(1, 0)->group, 1));
    g_clock->seconds = 321;
    const auto saved = Saved();
    EXPECT_EQ(g_puzzle->positionChanged, 0);

    // Moved on, rotation switched off, time gone by: the load asks first, says rotation comes
    // back on, and restores it all.
    DragPieceTo(P(2, 1), AssemblyPlace(2, 2).x, AssemblyPlace(2, 2).y);
    g_puzzle->userotation = 0;
    g_clock->seconds = 500;
    platform->messageBoxAnswers = {IDYES, IDOK};
    Command(ID_FILE_LOADPOSITION);
    EXPECT_EQ(Captions(), (std::vector<std::string>{"Are you sure?", "Information"}));
    ASSERT_TRUE(PumpUntilLoaded());
    EXPECT_EQ(std::tuple(g_clock->stopped.load(), g_puzzle->positionChanged), std::tuple(false, 0));
    EXPECT_EQ(Saved(), saved);

    // Nothing changed since: loading again asks nothing. The next start restores at once.
    Command(ID_FILE_LOADPOSITION);
    ASSERT_TRUE(PumpUntilLoaded());
    GameShutdown();
    ASSERT_TRUE(Start());
    ASSERT_TRUE(PumpUntilLoaded());
    EXPECT_EQ(platform->messageBoxes.size(), 2u);
    EXPECT_EQ(Saved(), saved);
}

TEST_F(SavedGameTest, NoSavedPositionIsSaidAndAFailedSaveIsToldAndKeepsTheGame) {
    ASSERT_NO_FATAL_FAILURE(Load(96, 64));
    Command(ID_FILE_LOADPOSITION);
    EXPECT_EQ(Captions(), std::vector<std::string>{"Pictorra Vaze"});
    platform->messageBoxes.clear();

    ASSERT_NO_FATAL_FAILURE(SpreadOut());
    // A folder stands where the file goes, so the new file cannot take its place.
    std::filesystem::create_directory(g_mainApp->PositionFilePath());
    Command(ID_FILE_SAVEPOSITION);
    const std::string told = platform->messageBoxes.at(0).text;
    EXPECT_TRUE(told.rfind("Your position could not be saved:\n", 0) == 0 && told.size() > 35u)
        << "and why: " << told;
    EXPECT_EQ(g_puzzle->positionChanged, 1);

    // Yes to saving before leaving or resetting: the save fails again and the game stays.
    platform->messageBoxAnswers = {IDYES, IDOK, IDYES, IDOK};
    Send(WM_CLOSE);
    Command(ID_FILE_RESETJIGSAW);
    EXPECT_FALSE(platform->quitPosted || Loading());
    EXPECT_EQ(Captions(),
              (std::vector<std::string>{"Position not saved", "Save position?", "Position not saved",
                                        "Save position?", "Position not saved"}));

    // With the way clear, Yes before the reset saves the position the reset then replaces.
    std::filesystem::remove(g_mainApp->PositionFilePath());
    platform->messageBoxAnswers = {IDYES};
    Command(ID_FILE_RESETJIGSAW);
    EXPECT_TRUE(Loading()) << "the reset goes on once the position is saved";
    ASSERT_TRUE(PumpUntilLoaded());
    EXPECT_EQ(platform->messageBoxes.size(), 6u);
    std::int32_t rotation = 0;
    std::uint32_t seconds = 0;
    CPositionFile file;
    EXPECT_TRUE(file.Read(g_mainApp->PositionFilePath(), rotation, seconds, platform.get()));
}

} // namespace
