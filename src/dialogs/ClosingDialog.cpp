#include "dialogs/ClosingDialog.h"

#include "pack/AuthorExtras.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace {

int FitSize(int wanted, int standard, int minimum, int room) {
    if (wanted <= 0) return standard;
    return std::clamp(wanted, minimum, std::max(minimum, room));
}

// Keeps [start, start + size) inside [low, high) where it fits; the low edge wins.
int KeepInside(int start, int size, int low, int high) {
    return std::max(std::min(start, high - size), low);
}

} // namespace

void PlaceClosingDialog(ClosingDialogData& data, int authorWidth, int authorHeight,
                        const OwnerWindow& owner, const RECT& work) {
    const RECT over = owner.visible && !owner.minimised ? owner.frame : work;
    int x = (over.left + over.right) / 2 - kClosingStandardWidth / 2;
    int y = (over.top + over.bottom) / 2 - kClosingStandardHeight / 2;
    x = KeepInside(x, kClosingStandardWidth, work.left, work.right);
    y = KeepInside(y, kClosingStandardHeight, work.top, work.bottom);

    const int w = FitSize(authorWidth, kClosingStandardWidth, kClosingMinWidth, work.right - work.left);
    const int h = FitSize(authorHeight, kClosingStandardHeight, kClosingMinHeight, work.bottom - work.top);
    data.x = KeepInside(x, w, work.left, work.right);
    data.y = KeepInside(y, h, work.top, work.bottom);
    data.width = w;
    data.height = h;
    data.viewRect = {0, 0, w - 8, h - 65};
    data.closeRect = {w / 2 - 45, h - 60, 90, 24};
}

ClosingDialogData MakeClosingDialogData(const AuthorExtras& extras, const std::string& pagePath,
                                        IPlatform& platform) {
    ClosingDialogData data;
    data.caption = "Thanks for playing!";
    data.closeCaption = "&Close";
    PlaceClosingDialog(data, extras.dialogWidth, extras.dialogHeight, platform.ActiveWindow(),
                       platform.WorkArea());

    std::error_code ec;
    const bool isFile = std::filesystem::is_regular_file(pagePath, ec);
    const std::uintmax_t size = isFile ? std::filesystem::file_size(pagePath, ec) : 0;
    if (isFile && !ec && size <= kMaxInfoPageBytes) data.pagePath = pagePath;

    IPlatform* opener = &platform;
    data.onLink = [opener](const std::string& address) { opener->OpenUrl(address); };
    return data;
}
