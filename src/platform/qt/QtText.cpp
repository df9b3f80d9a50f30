#include "platform/qt/QtText.h"

#include "platform/TextEncoding.h"

QString FromGameText(const std::string& text) {
    return QString::fromStdString(ToDisplayText(text));
}

std::string ToGameText(const QString& text) {
    return text.toUtf8().toStdString();
}
