#pragma once
// The preferences dialog: shows and edits the player's options.
#include "platform/DialogData.h"

#include <QDialog>

#include <map>

class QAbstractButton;

class OptionsDialog : public QDialog {
  public:
    // Control identifiers, as the game's dialog numbers them.
    enum Control {
        ScrollImage = 1000,
        ResizeImage = 1001,
        Bevel = 1002,
        SoundEffects = 1004,
        Rotation = 1005,
        Shadows = 1006,
        BevelLow = 1007,
        BevelMedium = 1008,
        BevelHigh = 1009,
        Music = 1010,
    };

    explicit OptionsDialog(QWidget* parent = nullptr);

    void Load(const OptionsDialogData& data);
    // Reads the controls back into `data`.
    void Store(OptionsDialogData& data) const;
    QAbstractButton* Control(int id) const;

  private:
    bool Checked(int id) const;
    void Check(int id, bool on);

    std::map<int, QAbstractButton*> controls_;
};
