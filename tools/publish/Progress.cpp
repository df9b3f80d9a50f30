#include "Progress.h"

#include <algorithm>

namespace publish {

void Progress::Step(const std::string& what) {
    if (!live) return;
    Finish();
    step = what;
    shownPercent = -1;
    std::fprintf(out, "%s...", step.c_str());
    std::fflush(out);
    lineOpen = true;
}

void Progress::Update(double fraction) {
    if (!live || !lineOpen) return;
    const int percent = static_cast<int>(std::clamp(fraction, 0.0, 1.0) * 100.0);
    if (percent == shownPercent) return;
    shownPercent = percent;
    std::fprintf(out, "\r%s... %3d%%", step.c_str(), percent);
    std::fflush(out);
}

void Progress::Finish() {
    if (!live || !lineOpen) return;
    std::fputc('\n', out);
    std::fflush(out);
    lineOpen = false;
}

} // namespace publish
