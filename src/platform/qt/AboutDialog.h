#pragma once
// The About box, built exactly as the game lays it out. Controls are named by their ids:
// "1013" the author's text, "1014" the link button, "1" OK.
#include "platform/DialogData.h"

#include <QDialog>

class AboutDialog : public QDialog {
  public:
    // `data` must outlive the dialog: the link button calls its handler on every click.
    explicit AboutDialog(const AboutDialogData& data, QWidget* parent = nullptr);
};
