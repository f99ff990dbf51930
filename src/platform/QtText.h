#pragma once
// The bridge between the engine's texts (UTF-8 in std::string and in literals) and Qt's.

#include <QString>

#include <string>
#include <string_view>

namespace numora {

inline QString Q(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}
inline QString Q(const char* utf8) {
    return QString::fromUtf8(utf8);
}
inline QString Q(const std::string& utf8) {
    return Q(std::string_view(utf8));
}
inline std::string S(const QString& text) {
    return text.toStdString();
}

} // namespace numora
