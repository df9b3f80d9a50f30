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
        button->setObjectName(QString::number(id));
        layout->addWidget(button);
    };

    auto* preview = new QGroupBox(QStringLiteral("Preview Window"));
    auto* previewLayout = new QVBoxLayout(preview);
    previewLayout->addWidget(new QLabel(QStringLiteral("If preview image is too large:")));
    add(new QRadioButton(QStringLiteral("Scroll the image")), kScrollImage, previewLayout);
    add(new QRadioButton(QStringLiteral("Resize the image")), kResizeImage, previewLayout);

    auto* general = new QGroupBox(QStringLiteral("General Options"));
    auto* generalLayout = new QVBoxLayout(general);
    add(new QCheckBox(QStringLiteral("Play sound effects")), kSoundEffects, generalLayout);
    add(new QCheckBox(QStringLiteral("Enable music")), kMusic, generalLayout);
    add(new QCheckBox(QStringLiteral("Allow piece rotation")), kRotation, generalLayout);
    add(new QCheckBox(QStringLiteral("Pieces have shadows")), kShadows, generalLayout);

    auto* bevel = new QGroupBox(QStringLiteral("Piece Beveling"));
    auto* bevelLayout = new QVBoxLayout(bevel);
    add(new QCheckBox(QStringLiteral("Bevel the puzzle piece edges")), kBevelEdges, bevelLayout);
    bevelLayout->addWidget(new QLabel(QStringLiteral("Amount of beveling:")));
    // The amounts sit under their label, indented as one choice.
    auto* amounts = new QVBoxLayout;
    amounts->setContentsMargins(16, 0, 0, 0);
    bevelLayout->addLayout(amounts);
    add(new QRadioButton(QStringLiteral("Low")), kBevelLow, amounts);
    add(new QRadioButton(QStringLiteral("Medium")), kBevelMedium, amounts);
    add(new QRadioButton(QStringLiteral("High")), kBevelHigh, amounts);
    bevelLayout->addStretch();

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("1"));
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("2"));
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
    // A fixed dialog, as large as its contents need.
    grid->setSizeConstraint(QLayout::SetFixedSize);
    setSizeGripEnabled(false);
}

QAbstractButton* OptionsDialog::Control(int id) const {
    auto it = controls_.find(id);
    return it == controls_.end() ? nullptr : it->second;
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
    for (const auto& [id, button] : controls_)
        Check(id, data.Checked(id));
}

void OptionsDialog::Store(OptionsDialogData& data) const {
    for (const auto& [id, button] : controls_)
        data.SetChecked(id, button->isChecked());
}
