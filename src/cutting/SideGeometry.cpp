#include "cutting/SideGeometry.h"

std::int32_t RotatedSlot(std::int32_t slot, int turns) {
    if (slot == -1) return -1;
    std::int32_t turned = slot + turns;
    // Each half wraps on itself so a tab stays a tab and a hollow a hollow.
    if (slot < 4) {
        if (turned > 3) turned -= 4;
    } else {
        if (turned > 7) turned -= 4;
    }
    return turned;
}

int OppositeDirection(int direction) {
    switch (direction) {
    case 0:
        return 2;
    case 1:
        return 3;
    case 2:
        return 0;
    case 3:
        return 1;
    default:
        return -1;
    }
}

int SlotDirection(std::int32_t slot) {
    return (slot >= 0 && slot <= 7) ? slot % 4 : -1;
}
