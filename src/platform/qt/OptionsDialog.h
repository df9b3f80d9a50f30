#pragma once
// The preferences dialog: shows and edits the state of its buttons; what they mean is the
// game's business. Each button's object name is its control id.
#include "platform/DialogData.h"

#include <QDialog>

#include <map>

class QAbstractButton;

class OptionsDialog : public QDialog {
  public:
    explicit OptionsDialog(QWidget* parent = nullptr);

    // Sets every button as `data` has it.
    void Load(const OptionsDialogData& data);
    // Reads every button back into `data`.
    void Store(OptionsDialogData& data) const;
    QAbstractButton* Control(int id) const;

  private:
    void Check(int id, bool on);

    std::map<int, QAbstractButton*> controls_;
};
