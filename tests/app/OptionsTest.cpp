#include "AppFixture.h"

#include "dialogs/Preferences.h"

#include <string>
#include <vector>

namespace {

// sound, rotation, shadow, bevel, amount, music, preview mode
using Preferences = std::vector<int>;

class OptionsTest : public AppFixture {
  protected:
    void SetUp() override {
        AppFixture::SetUp();
        preview = MakePreview();
    }
    void Set(const Preferences& p) {
        CPuzzle& z = *g_puzzle;
        z.soundeffects = p[0], z.userotation = p[1], z.shadow = p[2], z.beveling = p[3];
        z.bevellevel = p[4], z.useMusic = p[5], preview->showMode = p[6];
    }
    Preferences Get() const {
        const CPuzzle& z = *g_puzzle;
        return {z.soundeffects, z.userotation, z.shadow,         z.beveling,
                z.bevellevel,   z.useMusic,    preview->showMode};
    }
    bool Run() {
        return ShowOptionsDialog(*platform, *g_puzzle, preview,
                                 PieceWork{[this] { ++recuts; }, [this] { ++rebuilds; }});
    }
    CPreviewWnd* preview = nullptr;
    int recuts = 0, rebuilds = 0;
};

TEST_F(OptionsTest, OkAppliesTheChoicesAsksAboutRotationAndCutsOrRebuildsAtMostOnceAndCancelChangesNothing) {
    struct Case {
        Preferences before;
        std::vector<int> clicked; // buttons the player flips
        int rotationAnswer;       // 0: no question
        Preferences after;
        int recuts, rebuilds;
    };
    // clang-format off
    const Case cases[] = {
        {{1, 0, 0, 1, 1, 1, 1}, {1005, 1004, 1000, 1001, 1010}, IDNO, {0, 0, 0, 1, 1, 0, 0}, 0, 0},
        {{1, 0, 0, 1, 1, 1, 1}, {1005, 1008, 1009}, IDYES, {1, 1, 0, 1, 2, 1, 1}, 1, 0}, // one cut, no rebuild
        {{1, 0, 1, 1, 0, 1, 1}, {1007, 1009}, 0, {1, 0, 0, 1, 2, 1, 1}, 0, 1},           // bevel on: no shadows
        {{1, 0, 1, 1, 1, 1, 1}, {1002, 1006}, 0, {1, 0, 1, 0, 1, 1, 1}, 0, 1},           // bevel off: shadows
        {{1, 1, 0, 1, 1, 1, 1}, {1005}, IDYES, {1, 0, 0, 1, 1, 1, 1}, 1, 0},
        {{1, 0, 0, 1, 7, 1, 1}, {}, 0, {1, 0, 0, 1, 0, 1, 1}, 0, 1},                       // unknown amount: Low
    };
    // clang-format on
    for (const Case& c : cases) {
        Set(c.before);
        recuts = rebuilds = 0;
        platform->optionsAnswers.push_back([&c](OptionsDialogData& d) {
            for (int id : c.clicked)
                d.SetChecked(id, !d.Checked(id));
        });
        if (c.rotationAnswer) platform->messageBoxAnswers.push_back(c.rotationAnswer);
        EXPECT_TRUE(Run());
        EXPECT_EQ(Get(), c.after) << &c - cases;
        EXPECT_EQ(std::make_pair(recuts, rebuilds), std::make_pair(c.recuts, c.rebuilds)) << &c - cases;
    }
    const Preferences before = Get();
    EXPECT_FALSE(Run()); // nothing scripted: the player cancels
    EXPECT_EQ(Get(), before);

    const std::string question =
        "You have chosen to enable rotation, to do this the puzzle must be\nreset, which "
        "will lose any progress you have made on this jigsaw.\n\nAre you sure you want "
        "to do this?";
    std::string disable = question;
    disable.replace(19, 6, "disable");
    ASSERT_EQ(platform->messageBoxes.size(), 3u);
    EXPECT_EQ(platform->messageBoxes[0].text, question);
    EXPECT_EQ(platform->messageBoxes[2].text, disable);
    EXPECT_EQ(platform->messageBoxes[2].caption, "Are you sure?");
    EXPECT_EQ(platform->messageBoxes[2].style, MB_YESNO);
}

} // namespace
