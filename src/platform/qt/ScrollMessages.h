#pragma once
// Qt scroll bar actions as the scroll requests the game's window procedures take.
#include "platform/WinTypes.h"

#include <QAbstractSlider>

// The request a scroll bar action stands for, or -1.
inline int ScrollRequest(int action) {
    switch (action) {
    case QAbstractSlider::SliderSingleStepSub:
        return SB_LINEUP;
    case QAbstractSlider::SliderSingleStepAdd:
        return SB_LINEDOWN;
    case QAbstractSlider::SliderPageStepSub:
        return SB_PAGEUP;
    case QAbstractSlider::SliderPageStepAdd:
        return SB_PAGEDOWN;
    case QAbstractSlider::SliderToMinimum:
        return SB_TOP;
    case QAbstractSlider::SliderToMaximum:
        return SB_BOTTOM;
    case QAbstractSlider::SliderMove:
        return SB_THUMBTRACK;
    default:
        return -1;
    }
}

// WM_HSCROLL / WM_VSCROLL wParam: the request in the low word, the thumb in the high word.
inline WPARAM ScrollWParam(int request, int position) {
    return static_cast<WPARAM>(request & 0xFFFF) | (static_cast<WPARAM>(position & 0xFFFF) << 16);
}
