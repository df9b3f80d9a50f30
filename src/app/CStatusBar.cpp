#include "app/CStatusBar.h"

#include "platform/Platform.h"

CStatusBar::CStatusBar(HWND parentWindow) : parent(parentWindow) {
    if (!parent || !Platform()) return;
    control = parent;
    Platform()->SetStatusParts(PartEdges());
    Platform()->SetStatusText(0, "");
}

CStatusBar::~CStatusBar() = default;

const std::vector<int>& CStatusBar::PartEdges() {
    static const std::vector<int> edges = {10, 74, 176, 282, 405, 528};
    return edges;
}

void CStatusBar::SetText(int part, const std::string& text) {
    if (!control || !Platform()) return;
    Platform()->SetStatusText(part, text);
}

void CStatusBar::Resize(WPARAM, LPARAM) {}

int CStatusBar::Height() {
    if (!control || !Platform()) return 0;
    return Platform()->StatusBarHeight();
}
