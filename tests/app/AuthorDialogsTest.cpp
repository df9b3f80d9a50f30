// The About box and the closing step, with and without the author's extras.
#include "AppFixture.h"
#include "dialogs/ClosingDialog.h"
#include "pack/CProOptions.h"

#include <filesystem>
#include <fstream>

using AuthorDialogsTest = AppFixture;
using Log = std::vector<std::string>;

TEST_F(AuthorDialogsTest, AboutBoxStacksTheAuthorsPartsAndItsButtonOpensOnEveryClick) {
    const struct {
        int present, text, button;
        DialogRect buttonAt, okAt;
        int height;
    } layouts[] = {
        {1, 0, 0, {}, {76, 52, 78, 24}, 120},
        {1, 1, 0, {}, {76, 96, 78, 24}, 164},
        {1, 0, 1, {10, 52, 210, 24}, {76, 86, 78, 24}, 154},
        {1, 1, 1, {10, 96, 210, 24}, {76, 130, 78, 24}, 198},
        {0, 1, 1, {}, {76, 52, 78, 24}, 120}, // flags of a pack that carried no extras
    };
    for (const auto& l : layouts) {
        CProOptions options;
        options.present = l.present;
        options.extras.aboutTextFlag = l.text;
        options.extras.aboutText = "Painted in Delft";
        options.extras.aboutButtonFlag = l.button;
        options.extras.buttonCaption = "More puzzles";
        options.extras.buttonTarget = "https://author.example/";
        g_proOptions = &options;
        g_mainApp->ShowAbout();
        g_proOptions = nullptr;
        const AboutDialogData& d = platform->aboutDialogs.back();
        EXPECT_EQ(std::tuple(d.showText, d.textRect, d.showButton, d.buttonRect, d.okRect, d.width, d.height),
                  std::tuple(l.present && l.text, l.present && l.text ? DialogRect{10, 52, 210, 42} : DialogRect{},
                             l.present && l.button, l.buttonAt, l.okAt, 230, l.height))
            << l.present << l.text << l.button;
    }
    EXPECT_EQ(std::tuple(platform->aboutDialogs[1].text, platform->aboutDialogs[3].buttonCaption,
                         platform->aboutDialogs[0].nameLine, platform->aboutDialogs[0].caption),
              std::tuple("Painted in Delft", "More puzzles", "Pictorra Vaze v1.03", "About..."));

    // No extras at all; then two clicks in one open box open the target twice.
    platform->shellLog.clear();
    g_mainApp->ShowAbout();
    EXPECT_EQ(std::tuple(platform->aboutDialogs.back().showButton, platform->aboutDialogs.back().okRect),
              std::tuple(false, DialogRect{76, 52, 78, 24}));
    CProOptions options;
    options.present = options.extras.aboutButtonFlag = 1;
    options.extras.buttonTarget = "https://author.example/";
    g_proOptions = &options;
    platform->aboutActions.push_back([](AboutDialogData& d) { d.onButton(), d.onButton(); });
    g_mainApp->ShowAbout();
    options.extras.buttonTarget.clear(); // a button without a target opens nothing
    platform->aboutActions.push_back([](AboutDialogData& d) { d.onButton(); });
    g_mainApp->ShowAbout();
    g_proOptions = nullptr;
    EXPECT_EQ(platform->shellLog, (Log{"about", "about", "open https://author.example/",
                                       "open https://author.example/", "about"}));
}

TEST(ClosingDialogPlacement, CentresOnTheOwnerOrWorkAreaKeepsInsideAndTakesASaneAuthorSize) {
    const OwnerWindow shown{{0, 0, 1280, 960}, true, false};
    const OwnerWindow offRight{{700, 500, 1100, 900}, true, false};
    const OwnerWindow minimised{{0, 0, 1280, 960}, true, true};
    const OwnerWindow hidden{{0, 0, 1280, 960}, false, false};
    const struct {
        OwnerWindow owner;
        RECT work;
        int w, h;
        int x, y, width, height;
    } cases[] = {
        {shown, {0, 0, 1280, 960}, 400, 300, 464, 339, 400, 300},     // grows right and down
        {minimised, {100, 50, 900, 650}, 400, 300, 324, 209, 400, 300}, // over the work area
        {hidden, {100, 50, 900, 650}, 352, 283, 324, 209, 352, 283},
        {offRight, {0, 0, 800, 600}, 0, -5, 448, 317, 352, 283},       // no size: the standard one
        {shown, {0, 0, 800, 600}, 100000, 700, 0, 0, 800, 600},         // held to the work area
        {shown, {0, 0, 1280, 960}, 10, 10, 464, 339, 160, 120},         // held to the minimum
        {shown, {0, 0, 1280, 960}, 1200, 900, 80, 60, 1200, 900},       // moved back inside
        {shown, {0, 0, 300, 200}, 400, 300, 0, 0, 300, 200},            // left and top edges win
    };
    for (const auto& c : cases) {
        ClosingDialogData d;
        PlaceClosingDialog(d, c.w, c.h, c.owner, c.work);
        EXPECT_EQ(std::tuple(d.x, d.y, d.width, d.height), std::tuple(c.x, c.y, c.width, c.height))
            << c.w << "x" << c.h << " in " << c.work.right << "x" << c.work.bottom;
        EXPECT_EQ(std::tuple(d.viewRect, d.closeRect),
                  std::tuple(DialogRect{0, 0, d.width - 8, d.height - 65},
                             DialogRect{d.width / 2 - 45, d.height - 60, 90, 24}));
    }
    ClosingDialogData d;
    PlaceClosingDialog(d, 400, 300, shown, {0, 0, 1280, 960});
    EXPECT_EQ(std::tuple(d.viewRect, d.closeRect), std::tuple(DialogRect{0, 0, 392, 235}, DialogRect{155, 240, 90, 24}));
}

TEST_F(AuthorDialogsTest, ClosingStepOpensTheExitPageFirstThenShowsTheLocalPage) {
    const std::string page = temp.File("pro_info_file");
    std::ofstream(page) << "<html><body><a href='https://author.example/'>More</a></body></html>";
    const struct {
        int exitFlag;
        std::string exitPage;
        int infoFlag;
        std::string infoName;
        Log expected;
    } cases[] = {
        {1, "https://exit.example/", 1, "info.html", {"open https://exit.example/", "closing"}},
        {0, "https://exit.example/", 1, "info.html", {"closing"}},
        {1, "", 0, "info.html", {}},
        {1, "https://exit.example/", 1, "", {"open https://exit.example/"}},
        {0, "", 0, "", {}},
    };
    for (const auto& c : cases) {
        platform->shellLog.clear();
        CProOptions options;
        options.present = 1;
        options.extras.exitPageFlag = c.exitFlag;
        options.extras.exitPage = c.exitPage;
        options.extras.infoPageFlag = c.infoFlag;
        options.extras.infoPageName = c.infoName;
        options.extras.dialogWidth = 400;
        options.extras.dialogHeight = 300;
        options.ShowClosingPage();
        EXPECT_EQ(platform->shellLog, c.expected) << c.exitFlag << c.infoFlag << c.infoName;
    }
    ASSERT_EQ(platform->closingDialogs.size(), 2u);
    const ClosingDialogData& shown = platform->closingDialogs[0];
    EXPECT_EQ(std::tuple(shown.caption, shown.closeCaption, shown.pagePath, shown.width, shown.closeRect),
              std::tuple("Thanks for playing!", "&Close", page, 400, DialogRect{155, 240, 90, 24}));
    platform->shellLog.clear();
    shown.onLink("https://author.example/");
    EXPECT_EQ(platform->shellLog, Log{"open https://author.example/"});

    // A page too large to be an information page, or none at all: the dialog opens empty.
    for (bool missing : {false, true}) {
        if (missing)
            std::filesystem::remove(page);
        else
            std::filesystem::resize_file(page, kMaxInfoPageBytes + 1);
        CProOptions options;
        options.extras.infoPageFlag = 1;
        options.extras.infoPageName = "info.html";
        options.ShowClosingPage();
        EXPECT_EQ(platform->closingDialogs.back().pagePath, "") << missing;
    }
}
