// The About box and the closing step, with and without the author's extras.
#include "AppFixture.h"
#include "dialogs/ClosingDialog.h"
#include "pack/CProOptions.h"

#include <filesystem>
#include <fstream>

using AuthorDialogsTest = AppFixture;
using Log = std::vector<std::string>;

TEST_F(AuthorDialogsTest, AboutBoxStacksTheAuthorsPartsAndItsButtonNeedsATarget) {
    CProOptions options;
    options.extras.aboutText = "Painted in Delft";
    options.extras.buttonTarget = "https://author.example/";
    // present (-1: no extras object), text and button flags; button top, OK top, height.
    const int layouts[][6] = {{1, 0, 0, 0, 52, 120},   {1, 1, 0, 0, 96, 164}, {1, 0, 1, 52, 86, 154},
                              {1, 1, 1, 96, 130, 198}, {0, 1, 1, 0, 52, 120}, {-1, 1, 1, 0, 52, 120}};
    for (const auto& [present, text, button, buttonY, okY, height] : layouts) {
        options.present = present;
        options.extras.aboutTextFlag = text;
        options.extras.aboutButtonFlag = button;
        g_proOptions = present < 0 ? nullptr : &options;
        g_mainApp->ShowAbout();
        const AboutDialogData& d = platform->aboutDialogs.back();
        EXPECT_EQ(std::tuple(d.showText, d.text, d.showButton, d.buttonRect.y, d.okRect, d.width, d.height),
                  std::tuple(present > 0 && text, present > 0 && text ? "Painted in Delft" : "",
                             present > 0 && button, buttonY, DialogRect{76, okY, 78, 24}, 230, height))
            << present << text << button;
    }
    // A button without a target opens nothing.
    platform->shellLog.clear();
    options.present = 1;
    g_proOptions = &options;
    options.extras.buttonTarget.clear();
    platform->aboutActions = {[](AboutDialogData& d) { d.onButton(); }};
    g_mainApp->ShowAbout();
    g_proOptions = nullptr;
    EXPECT_EQ(platform->shellLog, Log{"about"});
}

TEST(ClosingDialogPlacement, CentresOnTheOwnerOrWorkAreaKeepsInsideAndTakesASaneAuthorSize) {
    const OwnerWindow shown{{0, 0, 1280, 960}, true, false}, offRight{{700, 500, 1100, 900}, true, false};
    const OwnerWindow minimised{{0, 0, 1280, 960}, true, true}, hidden{{0, 0, 1280, 960}, false, false};
    const struct {
        OwnerWindow owner;
        RECT work;
        int w, h, x, y, width, height;
    } cases[] = {
        {shown, {0, 0, 1280, 960}, 400, 300, 464, 339, 400, 300}, // grows right and down
        {minimised, {100, 50, 900, 650}, 400, 300, 324, 209, 400, 300},
        {hidden, {100, 50, 900, 650}, 352, 283, 324, 209, 352, 283},
        {offRight, {0, 0, 800, 600}, 0, -5, 448, 317, 352, 283},  // no size: the standard one
        {shown, {0, 0, 800, 600}, 100000, 700, 0, 0, 800, 600},   // held to the work area
        {shown, {0, 0, 1280, 960}, 10, 10, 464, 339, 160, 120},   // held to the minimum
        {shown, {0, 0, 1280, 960}, 1200, 900, 80, 60, 1200, 900}, // moved back inside
        {shown, {0, 0, 300, 200}, 400, 300, 0, 0, 300, 200},      // left and top edges win
    };
    for (const auto& c : cases) {
        ClosingDialogData d;
        PlaceClosingDialog(d, c.w, c.h, c.owner, c.work);
        EXPECT_EQ(std::tuple(d.x, d.y, d.width, d.height, d.viewRect, d.closeRect),
                  std::tuple(c.x, c.y, c.width, c.height, DialogRect{0, 0, c.width - 8, c.height - 65},
                             DialogRect{c.width / 2 - 45, c.height - 60, 90, 24}))
            << c.w << "x" << c.h << " in " << c.work.right << "x" << c.work.bottom;
    }
}

TEST_F(AuthorDialogsTest, ClosingStepOpensTheExitPageFirstThenShowsTheLocalPage) {
    const std::string page = temp.File("pro_info_file");
    std::ofstream(page) << "<p>Thanks</p>";
    // Exit flag and page, info flag and name, what the platform is asked for.
    const std::tuple<int, std::string, int, std::string, Log> cases[] = {
        {1, "https://exit.example/", 1, "info.html", {"open https://exit.example/", "closing"}},
        {0, "https://exit.example/", 1, "info.html", {"closing"}},
        {1, "", 0, "info.html", {}},
        {1, "https://exit.example/", 1, "", {"open https://exit.example/"}},
    };
    for (const auto& [exitFlag, exitPage, infoFlag, infoName, expected] : cases) {
        platform->shellLog.clear();
        CProOptions options;
        AuthorExtras& e = options.extras;
        std::tie(e.exitPageFlag, e.exitPage, e.infoPageFlag, e.infoPageName) =
            std::tie(exitFlag, exitPage, infoFlag, infoName);
        e.dialogWidth = 400, e.dialogHeight = 300;
        options.ShowClosingPage();
        EXPECT_EQ(platform->shellLog, expected) << exitFlag << infoFlag << infoName;
    }
    EXPECT_EQ(platform->closingDialogs.at(0).pagePath, page);
    platform->closingDialogs[0].onLink("https://author.example/");
    EXPECT_EQ(platform->shellLog.back(), "open https://author.example/");

    // A page too large to be an information page, or none at all: the dialog opens empty.
    std::filesystem::resize_file(page, kMaxInfoPageBytes + 1);
    CProOptions options;
    options.extras.infoPageFlag = 1;
    options.extras.infoPageName = "info.html";
    for (int run = 0; run < 2; ++run, std::filesystem::remove(page)) {
        options.ShowClosingPage();
        EXPECT_EQ(platform->closingDialogs.back().pagePath, "") << run;
    }
}
