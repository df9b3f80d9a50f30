#pragma once
// Conversions between the game's byte strings and Qt's strings.
#include <QString>

#include <string>

// Game texts are UTF-8 when they are valid UTF-8; texts from older packs are Windows-1252.
QString FromGameText(const std::string& text);
std::string ToGameText(const QString& text);
