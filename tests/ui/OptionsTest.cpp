#include "UiFixture.h"

#include "dialogs/Preferences.h"

#include <functional>
#include <string>
#include <vector>

namespace {

struct Preferences {
    int sound, rotation, shadow, bevel, amount, music, previewMode;
    bool operator==(const Preferences&) const = default;
};

void PrintTo(const Preferences& p, std::ostream* os) {
    *os << "sound " << p.sound << " rotation " << p.rotation << " shadow " << p.shadow << " bevel " << p.bevel
        << " amount " << p.amount << " music " << p.music << " preview " << p.previewMode;
}

class OptionsTest : public UiFixture {
  protected:
    void Set(const Preferences& p) {
        CPuzzle& z = *g_puzzle;
        z.soundeffects = p.sound, z.userotation = p.rotation, z.shadow = p.shadow, z.beveling = p.bevel;
        z.bevellevel = p.amount, z.useMusic = p.music, preview->showMode = p.previewMode;
    }
    Preferences Get() const {
        const CPuzzle& z = *g_puzzle;
        return {z.soundeffects, z.userotation, z.shadow,         z.beveling,
                z.bevellevel,   z.useMusic,    preview->showMode};
    }
    bool Run() {
        const PieceWork work{[this] { ++recuts; }, [this] { ++rebuilds; }};
        return ShowOptionsDialog(*platform, *g_puzzle, preview, work);
    }
    int recuts = 0;
    int rebuilds = 0;
};

const std::string kEnableQuestion =
    "You have chosen to enable rotation, to do this the puzzle must be\nreset, which will lose any progress "
    "you have made on this jigsaw.\n\nAre you sure you want to do this?";

TEST_F(OptionsTest, OkAppliesTheChoicesAsksAboutRotationAndCutsOrRebuildsAtMostOnce) {
    struct Case {
        const char* name;
        Preferences before;
        std::function<void(OptionsDialogData&)> player; // what the player changes in the dialog
        int rotationAnswer;                             // 0: no question expected
        Preferences after;
        int recuts, rebuilds;
    };
    const auto toggle = [](std::vector<int> ids) {
        return [ids](OptionsDialogData& d) {
            for (int id : ids)
                d.SetChecked(id, !d.Checked(id));
        };
    };
    const Case cases[] = {
        {"rotation refused, the rest applied",
         {1, 0, 0, 1, 1, 1, 1},
         toggle({1005, 1004, 1000, 1001, 1010}),
         IDNO,
         {0, 0, 0, 1, 1, 0, 0},
         0,
         0},
        {"rotation accepted with a new amount: one cut",
         {1, 0, 0, 1, 1, 1, 1},
         toggle({1005, 1008, 1009}),
         IDYES,
         {1, 1, 0, 1, 2, 1, 1},
         1,
         0},
        {"a new amount with the bevel on clears shadows",
         {1, 0, 1, 1, 0, 1, 1},
         toggle({1007, 1009}),
         0,
         {1, 0, 0, 1, 2, 1, 1},
         0,
         1},
        {"bevel off forces shadows on",
         {1, 0, 1, 1, 1, 1, 1},
         toggle({1002, 1006}),
         0,
         {1, 0, 1, 0, 1, 1, 1},
         0,
         1},
        {"rotation turned off asks too",
         {1, 1, 0, 1, 1, 1, 1},
         toggle({1005}),
         IDYES,
         {1, 0, 0, 1, 1, 1, 1},
         1,
         0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Set(c.before);
        recuts = rebuilds = 0;
        platform->messageBoxes.clear();
        platform->optionsAnswers.push_back(c.player);
        if (c.rotationAnswer) platform->messageBoxAnswers.push_back(c.rotationAnswer);

        EXPECT_TRUE(Run());
        EXPECT_EQ(Get(), c.after);
        EXPECT_EQ(recuts, c.recuts);
        EXPECT_EQ(rebuilds, c.rebuilds);
        ASSERT_EQ(platform->messageBoxes.size(), c.rotationAnswer ? 1u : 0u);
        if (c.rotationAnswer) {
            EXPECT_EQ(platform->messageBoxes[0].caption, "Are you sure?");
            EXPECT_EQ(platform->messageBoxes[0].style, MB_YESNO);
        }
    }
    std::string disableQuestion = kEnableQuestion;
    EXPECT_EQ(platform->messageBoxes[0].text, disableQuestion.replace(19, 6, "disable"));
    Set({1, 0, 0, 1, 1, 1, 1});
    platform->optionsAnswers.push_back(toggle({1005}));
    platform->messageBoxAnswers.push_back(IDNO);
    Run();
    EXPECT_EQ(platform->messageBoxes.back().text, kEnableQuestion);
}

TEST_F(OptionsTest, AnUnknownAmountShowsLowAndIsStoredAsLowAndCancelChangesNothing) {
    Set({1, 0, 0, 1, 7, 1, 1});
    OptionsDialogData shown;
    platform->optionsAnswers.push_back([&](OptionsDialogData& d) { shown = d; });
    EXPECT_TRUE(Run());
    for (int id : {1007, 1008, 1009})
        EXPECT_EQ(shown.Checked(id), id == 1007) << id;
    EXPECT_EQ(g_puzzle->bevellevel, 0);

    const Preferences before = Get();
    EXPECT_FALSE(Run()); // no answer scripted: the player cancels
    EXPECT_EQ(Get(), before);
}

} // namespace
