#include "clock/CGameClock.h"

#include "app/Commands.h"
#include "platform/Platform.h"

void CGameClock::Tick() {
    if (!stopped) ++seconds;
}

void CGameClock::TogglePause() {
    stopped = !stopped;
    if (Platform()) Platform()->SetMenuItemText(ID_CLOCK_PAUSE, stopped ? "Unpause clock" : "Pause clock");
}
