#pragma once
// Conversions between the core's UTF-8 texts and Qt's strings.

#include <QString>

#include <string>
#include <string_view>

namespace zorvane::app {

inline QString qs(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

inline std::string utf8(const QString& text) {
    return text.toStdString();
}

} // namespace zorvane::app
