#pragma once
// Where the widgets of the main window send the messages they make out of Qt events.
#include "platform/WinTypes.h"

class MessageSink {
  public:
    virtual ~MessageSink() = default;
    // Calls the window procedure now (GUI thread only).
    virtual void Deliver(UINT message, WPARAM wParam, LPARAM lParam) = 0;
    // Calls the window procedure once the current event has been handled.
    virtual void Post(UINT message, WPARAM wParam, LPARAM lParam) = 0;
    // Asks the game for a fresh frame (one WM_PAINT however often it is asked before).
    virtual void RequestPaint() = 0;
};
