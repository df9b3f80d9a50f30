#pragma once
// What the tool is doing, told as it goes: one line per step, redrawn in place with the
// percentage done. Silent unless made live (the output is a terminal and --quiet was not given),
// so redirected output never fills with progress lines.
#include <cstdio>
#include <string>

namespace publish {

class Progress {
  public:
    Progress(std::FILE* out, bool live) : out(out), live(live) {}
    ~Progress() { Finish(); }
    Progress(const Progress&) = delete;
    Progress& operator=(const Progress&) = delete;

    // Starts a step: "what..." on a line of its own.
    void Step(const std::string& what);
    // The current step's share done, 0 to 1; the line is redrawn when the whole percent changes.
    void Update(double fraction);
    // Ends the current line.
    void Finish();

  private:
    std::FILE* out;
    bool live;
    bool lineOpen = false;
    int shownPercent = -1;
    std::string step;
};

} // namespace publish
