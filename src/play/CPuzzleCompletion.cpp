// The end of the game: the message shown once the last two groups have joined.
#include "play/CPuzzle.h"

#include <cstdio>

std::string CPuzzle::CompletionMessage(std::uint32_t seconds) const {
    // A custom text of a single character (a blank by default) counts as none.
    if (completionText.size() >= 2) return completionText;
    if (completionText.empty() && options.completionText.size() >= 2) return options.completionText;

    const int hours = static_cast<int>(seconds / 3600);
    const int minutes = static_cast<int>((seconds % 3600) / 60);
    char text[256];
    std::snprintf(text, sizeof text, "You completed this puzzle in %d hours and %d minutes.", hours, minutes);
    std::string message = text;
    if (targetHours > 0 || targetMinutes > 0) {
        std::snprintf(text, sizeof text, "\nThe target time for this puzzle is %d hours and %d minutes.",
                      targetHours, targetMinutes);
        message += text;
    }
    return message;
}
