// The engine works on UTF-16 text units; Qt's strings hold the same units.
#pragma once

#include <QString>

#include <string_view>

namespace veltara {

// A view of a QString's units; valid while the string lives unchanged.
inline std::u16string_view Units(const QString &text)
{
    return {reinterpret_cast<const char16_t *>(text.utf16()), static_cast<std::size_t>(text.size())};
}

inline QString ToQString(std::u16string_view units)
{
    return QString::fromUtf16(units.data(), static_cast<qsizetype>(units.size()));
}

// The engine's UTF-8 texts (its messages).
inline QString ToQString(std::string_view utf8)
{
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

} // namespace veltara
