#include "dialogs/AboutDialog.h"

#include "pack/CProOptions.h"
#include "platform/Platform.h"

namespace {
constexpr int kWidth = 230;
// The author's parts start below the game's lines; each pushes what follows down.
constexpr int kAuthorTop = 52;
constexpr int kTextStep = 44;
constexpr int kButtonStep = 34;
// Room under the OK button's top edge to the bottom of the box.
constexpr int kBelowOk = 68;
} // namespace

AboutDialogData MakeAboutDialogData(const CProOptions* options, IPlatform& platform) {
    AboutDialogData data;
    data.caption = "About...";
    data.icon = {10, 11, 32, 32};
    data.nameLine = kAboutNameLine;
    data.nameRect = {52, 8, 170, 16};
    data.makerLine = kAboutMakerLine;
    data.makerRect = {52, 24, 170, 16};

    const bool present = options && options->present;
    int y = kAuthorTop;
    if (present && options->extras.aboutTextFlag) {
        data.showText = true;
        data.text = options->extras.aboutText;
        data.textRect = {10, y, 210, 42};
        y += kTextStep;
    }
    if (present && options->extras.aboutButtonFlag) {
        data.showButton = true;
        data.buttonCaption = options->extras.buttonCaption;
        data.buttonRect = {10, y, 210, 24};
        y += kButtonStep;
        IPlatform* opener = &platform;
        data.onButton = [opener, target = options->extras.buttonTarget] {
            if (!target.empty()) opener->OpenUrl(target);
        };
    }
    data.okRect = {76, y, 78, 24};
    data.width = kWidth;
    data.height = y + kBelowOk;
    return data;
}
