#include "platform/qt/OptionsDialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

OptionsDialog::OptionsDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Pictorra Vaze - Options"));

    auto add = [this](QAbstractButton* button, int id, QVBoxLayout* layout) {
        controls_[id] = button;
        layout->addWidget(button);
    };

    auto* preview = new QGroupBox(QStringLiteral("Preview Window"));
    auto* previewLayout = new QVBoxLayout(preview);
    previewLayout->addWidget(new QLabel(QStringLiteral("If preview image is too large:")));
    add(new QRadioButton(QStringLiteral("Scroll the image")), ScrollImage, previewLayout);
    add(new QRadioButton(QStringLiteral("Resize the image")), ResizeImage, previewLayout);

    auto* general = new QGroupBox(QStringLiteral("General Options"));
    auto* generalLayout = new QVBoxLayout(general);
    add(new QCheckBox(QStringLiteral("Play sound effects")), SoundEffects, generalLayout);
    add(new QCheckBox(QStringLiteral("Enable music")), Music, generalLayout);
    add(new QCheckBox(QStringLiteral("Allow piece rotation")), Rotation, generalLayout);
    add(new QCheckBox(QStringLiteral("Pieces have shadows")), Shadows, generalLayout);

    auto* bevel = new QGroupBox(QStringLiteral("Piece Beveling"));
    auto* bevelLayout = new QVBoxLayout(bevel);
    add(new QCheckBox(QStringLiteral("Bevel the puzzle piece edges")), Bevel, bevelLayout);
    bevelLayout->addWidget(new QLabel(QStringLiteral("Amount of beveling:")));
    add(new QRadioButton(QStringLiteral("Low")), BevelLow, bevelLayout);
    add(new QRadioButton(QStringLiteral("Medium")), BevelMedium, bevelLayout);
    add(new QRadioButton(QStringLiteral("High")), BevelHigh, bevelLayout);
    bevelLayout->addStretch();

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
    buttons->button(QDialogButtonBox::Ok)->setDefault(true);
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Cancel"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* grid = new QGridLayout(this);
    grid->addWidget(preview, 0, 0);
    grid->addWidget(general, 1, 0);
    grid->addWidget(bevel, 0, 1, 2, 1);
    grid->addWidget(buttons, 2, 0, 1, 2);
    setSizeGripEnabled(false);
}

QAbstractButton* OptionsDialog::Control(int id) const {
    auto it = controls_.find(id);
    return it == controls_.end() ? nullptr : it->second;
}

bool OptionsDialog::Checked(int id) const {
    return controls_.at(id)->isChecked();
}

void OptionsDialog::Check(int id, bool on) {
    QAbstractButton* button = controls_.at(id);
    // Radio buttons of one group exclude each other only while that is switched on.
    const bool exclusive = button->autoExclusive();
    button->setAutoExclusive(false);
    button->setChecked(on);
    button->setAutoExclusive(exclusive);
}

void OptionsDialog::Load(const OptionsDialogData& data) {
    Check(Rotation, data.userotation != 0);
    Check(SoundEffects, data.soundeffects != 0);
    Check(Shadows, data.shadow != 0);
    Check(Bevel, data.beveling != 0);
    Check(Music, data.useMusic != 0);
    for (int id : {BevelLow, BevelMedium, BevelHigh})
        Check(id, false);
    Check(data.bevellevel == 1 ? BevelMedium : data.bevellevel == 2 ? BevelHigh : BevelLow, true);
    Check(ScrollImage, false);
    Check(ResizeImage, false);
    Check(data.showMode == 0 ? ScrollImage : ResizeImage, true);
}

void OptionsDialog::Store(OptionsDialogData& data) const {
    data.userotation = Checked(Rotation) ? 1 : 0;
    data.soundeffects = Checked(SoundEffects) ? 1 : 0;
    data.shadow = Checked(Shadows) ? 1 : 0;
    data.beveling = Checked(Bevel) ? 1 : 0;
    data.useMusic = Checked(Music) ? 1 : 0;
    if (Checked(BevelLow))
        data.bevellevel = 0;
    else if (Checked(BevelMedium))
        data.bevellevel = 1;
    else if (Checked(BevelHigh))
        data.bevellevel = 2;
    else
        data.bevellevel = 0;
    data.showMode = Checked(ScrollImage) ? 0 : 1;
}
