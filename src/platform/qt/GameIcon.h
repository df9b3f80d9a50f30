#pragma once
// The game's icon, drawn rather than shipped: a single jigsaw piece.
#include <QIcon>

QIcon GameIcon();
