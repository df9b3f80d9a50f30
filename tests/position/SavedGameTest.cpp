// Saving and loading positions as the player does: the File menu, starting the game again,
// and the questions before a reset and before leaving.
#include "game/PlayWindow.h"
#include "position/CPositionFile.h"

#include <filesystem>
#include <fstream>

namespace {

// Everything a restore must bring back: every piece's shapes, turn and place, and the
// groups in list order with their origins and cells (a join leaves an empty group behind,
// which has nothing to restore).
std::vector<std::vector<int>> Layout() {
    std::vector<std::vector<int>> layout;
    for (const auto& piece : g_puzzle->pieces) {
        std::vector<int> v{piece->col, piece->row, piece->x, piece->y, piece->rotation};
        for (const CPieceSide& side : piece->sides)
            v.insert(v.end(), {side.setNumber, side.slot});
        layout.push_back(v);
    }
    for (const CPieceGroup* group : g_puzzle->groups) {
        if (group->pieces.Empty()) continue;
        std::vector<int> v{group->x, group->y};
        for (const CPiece* piece : group->pieces)
            v.insert(v.end(), {piece->col, piece->row});
        layout.push_back(v);
    }
    return layout;
}

class SavedGameTest : public PlayWindow {
  protected:
    std::vector<std::string> CaptionsFrom(std::size_t first) const {
        std::vector<std::string> captions;
        for (std::size_t i = first; i < platform->messageBoxes.size(); ++i)
            captions.push_back(platform->messageBoxes[i].caption);
        return captions;
    }
    static std::string SavePath() { return g_mainApp->PositionFilePath(); }
};

TEST_F(SavedGameTest, JoinedTurnedGroupsAndTheClockComeBackFromTheMenuAndAtStartUp) {
    platform->settingsDwords["userotation"] = 1;
    ASSERT_NO_FATAL_FAILURE(Load(96, 64));
    ASSERT_NO_FATAL_FAILURE(SpreadOut(true));
    DragPieceTo(P(0, 0), AssemblyPlace(0, 0).x, AssemblyPlace(0, 0).y);
    DragPieceTo(P(1, 0), AssemblyPlace(1, 0).x, AssemblyPlace(1, 0).y);
    ASSERT_EQ(P(0, 0)->group, P(1, 0)->group);
    ClickPiece(P(1, 0));
    Space();
    ClickPiece(P(2, 1));
    Space();
    Space();
    ASSERT_EQ(P(0, 0)->rotation, 1);
    g_clock->seconds = 321;
    ASSERT_EQ(g_puzzle->positionChanged, 1);

    Command(ID_FILE_SAVEPOSITION);
    EXPECT_EQ(g_puzzle->positionChanged, 0);
    EXPECT_TRUE(platform->messageBoxes.empty()) << "a save shows nothing";
    const auto saved = Layout();
    const std::string loose = platform->statusTexts[3];

    // Moved on, rotation switched off and time gone by: the load asks first, says rotation
    // comes back on, and restores everything before the pieces are out.
    DragPieceTo(P(2, 1), AssemblyPlace(2, 2).x, AssemblyPlace(2, 2).y);
    g_puzzle->userotation = 0;
    g_clock->seconds = 500;
    platform->messageBoxAnswers = {IDYES, IDOK};
    Command(ID_FILE_LOADPOSITION);
    EXPECT_EQ(CaptionsFrom(0), (std::vector<std::string>{"Are you sure?", "Information"}));
    EXPECT_EQ(platform->messageBoxes[0].text,
              "Are you sure you want to load the last saved position?\nAll changes since then will be lost");
    EXPECT_EQ(platform->messageBoxes[0].style, MB_YESNO | MB_ICONWARNING);
    EXPECT_EQ(g_puzzle->userotation, 1);
    ASSERT_TRUE(PumpUntilLoaded());
    EXPECT_EQ(Layout(), saved);
    EXPECT_EQ(g_clock->seconds, 321u);
    EXPECT_FALSE(g_clock->stopped);
    EXPECT_EQ(g_puzzle->positionChanged, 0);
    EXPECT_EQ(platform->statusTexts[3], loose);
    EXPECT_EQ(platform->WindowText(), "Pictorra Vaze - Boats");

    // Nothing changed since: loading again asks nothing.
    Command(ID_FILE_LOADPOSITION);
    EXPECT_EQ(platform->messageBoxes.size(), 2u);
    ASSERT_TRUE(PumpUntilLoaded());
    EXPECT_EQ(Layout(), saved);

    // The next start finds the position beside the archive and restores it at once.
    GameShutdown();
    ASSERT_TRUE(Start());
    ASSERT_TRUE(PumpUntilLoaded());
    EXPECT_EQ(Layout(), saved);
    EXPECT_EQ(g_clock->seconds, 321u);
    EXPECT_EQ(platform->messageBoxes.size(), 2u);
}

TEST_F(SavedGameTest, WithoutAUsablePositionTheMenuSaysSoAndStartUpCutsAfresh) {
    ASSERT_NO_FATAL_FAILURE(Load(96, 64));
    Command(ID_FILE_LOADPOSITION);
    Command(ID_FILE_SAVEPOSITION);
    const auto layout = Layout();
    // The archive the position names is gone.
    std::filesystem::remove(g_mainApp->puzzleFilePath);
    Command(ID_FILE_LOADPOSITION);
    EXPECT_FALSE(Loading());
    EXPECT_EQ(Layout(), layout);
    ASSERT_EQ(platform->messageBoxes.size(), 2u);
    for (const RecordedMessageBox& box : platform->messageBoxes) {
        EXPECT_EQ(box.text, "There is no saved position for this jigsaw yet");
        EXPECT_EQ(box.caption, "Pictorra Vaze");
    }

    // A damaged file at start-up: the puzzle is cut afresh, loose and unasked.
    std::ofstream(SavePath(), std::ios::binary) << "not a position";
    GameShutdown();
    ASSERT_TRUE(Start());
    ASSERT_TRUE(PumpUntilLoaded());
    EXPECT_EQ(g_puzzle->groups.Size(), 6u);
    EXPECT_EQ(platform->messageBoxes.size(), 2u);
}

TEST_F(SavedGameTest, AFailedSaveIsToldAndKeepsTheGameUntilTheNextSaveWorks) {
    ASSERT_NO_FATAL_FAILURE(Load(96, 64));
    ASSERT_NO_FATAL_FAILURE(SpreadOut());
    ASSERT_EQ(g_puzzle->positionChanged, 1);
    // A folder stands where the file goes, so the new file cannot take its place.
    std::filesystem::create_directory(SavePath());

    Command(ID_FILE_SAVEPOSITION);
    ASSERT_EQ(CaptionsFrom(0), std::vector<std::string>{"Position not saved"});
    EXPECT_EQ(platform->messageBoxes[0].text.rfind("Your position could not be saved:\n", 0), 0u);
    EXPECT_GT(platform->messageBoxes[0].text.size(), 35u) << "and why";
    EXPECT_EQ(g_puzzle->positionChanged, 1);

    // Yes to saving before leaving or resetting: the save fails again and the game stays.
    platform->messageBoxAnswers = {IDYES, IDOK, IDYES, IDOK};
    Send(WM_CLOSE);
    Command(ID_FILE_RESETJIGSAW);
    EXPECT_FALSE(platform->quitPosted);
    EXPECT_FALSE(Loading());
    EXPECT_EQ(CaptionsFrom(1), (std::vector<std::string>{"Save position?", "Position not saved", "Save position?",
                                                         "Position not saved"}));
    EXPECT_EQ(g_puzzle->positionChanged, 1);

    // With the way clear, Yes before the reset really saves it.
    std::filesystem::remove(SavePath());
    const auto layout = Layout();
    platform->messageBoxAnswers = {IDYES};
    Command(ID_FILE_RESETJIGSAW);
    EXPECT_TRUE(Loading());
    ASSERT_TRUE(PumpUntilLoaded());
    EXPECT_EQ(CaptionsFrom(5), std::vector<std::string>{"Save position?"});
    std::int32_t rotation = 0;
    std::uint32_t seconds = 0;
    CPositionFile file;
    ASSERT_TRUE(file.Read(SavePath(), rotation, seconds, platform.get()));
    ASSERT_EQ(file.groups.size(), 6u);
    EXPECT_EQ((std::vector<int>{file.groups[0].x, file.groups[0].y}),
              std::vector<int>(layout[6].begin(), layout[6].begin() + 2));
}

} // namespace
