#pragma once
// Message boxes and the colour chooser, with the answers the game expects.
#include "platform/WinTypes.h"

#include <string>

class QWidget;
class QMessageBox;

// Fills `box` for a message box of the given MB_* style (buttons, icon, plain text).
void PrepareMessageBox(QMessageBox& box, const std::string& text, const std::string& caption, UINT style);
// IDOK, IDCANCEL, IDYES or IDNO for the button that closed `box`.
int MessageBoxAnswer(const QMessageBox& box, UINT style);

int ShowMessageBox(QWidget* owner, const std::string& text, const std::string& caption, UINT style);
// True with `chosen` set when the player confirms a colour.
bool ChooseColourDialog(QWidget* owner, COLORREF initial, COLORREF& chosen);
