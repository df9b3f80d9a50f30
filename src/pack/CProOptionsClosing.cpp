#include "pack/CProOptions.h"

#include "dialogs/ClosingDialog.h"
#include "pack/CPackFile.h"
#include "platform/Platform.h"

void CProOptions::ShowClosingPage() {
    IPlatform* platform = Platform();
    if (!platform) return;
    // The browser is only asked to open the page; the game does not wait for it.
    if (extras.exitPageFlag && !extras.exitPage.empty()) platform->OpenUrl(extras.exitPage);
    if (!extras.infoPageFlag || extras.infoPageName.empty()) return;
    ClosingDialogData data = MakeClosingDialogData(extras, PackTempDirectory() + "pro_info_file", *platform);
    platform->RunClosingDialog(data);
}
