#include "platform/qt/SettingsStore.h"

#include "platform/qt/QtText.h"

#include <QSettings>

SettingsStore::SettingsStore() = default;
SettingsStore::~SettingsStore() {
    Close();
}

bool SettingsStore::Open() {
    if (settings_) return true;
#if defined(Q_OS_WIN)
    settings_ =
        std::make_unique<QSettings>(QStringLiteral("HKEY_CURRENT_USER\\PT Vaze"), QSettings::NativeFormat);
#else
    settings_ =
        std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("PT Vaze"));
#endif
    if (settings_->status() != QSettings::NoError) {
        settings_.reset();
        return false;
    }
    return true;
}

bool SettingsStore::ReadString(const std::string& name, std::string& value) {
    if (!settings_) return false;
    const QVariant v = settings_->value(FromGameText(name));
    // A number stored under the name is not a string (the registry keeps the two apart).
    if (!v.isValid() || v.typeId() != QMetaType::QString) return false;
    value = ToGameText(v.toString());
    return true;
}

bool SettingsStore::WriteString(const std::string& name, const std::string& value) {
    if (!settings_) return false;
    settings_->setValue(FromGameText(name), FromGameText(value));
    return true;
}

bool SettingsStore::ReadDword(const std::string& name, std::uint32_t& value) {
    if (!settings_) return false;
    const QVariant v = settings_->value(FromGameText(name));
    if (!v.isValid()) return false;
    bool ok = false;
    const qlonglong n = v.toLongLong(&ok);
    if (!ok || n < INT32_MIN || n > UINT32_MAX) return false;
    value = static_cast<std::uint32_t>(n);
    return true;
}

bool SettingsStore::WriteDword(const std::string& name, std::uint32_t value) {
    if (!settings_) return false;
#if defined(Q_OS_WIN)
    // Stored as a 32-bit integer, which the registry keeps as a DWORD.
    settings_->setValue(FromGameText(name), static_cast<qint32>(value));
#else
    settings_->setValue(FromGameText(name), static_cast<quint32>(value));
#endif
    return true;
}

void SettingsStore::Close() {
    if (!settings_) return;
    settings_->sync();
    settings_.reset();
}
