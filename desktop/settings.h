// The per-user settings store: text values by section and key, under the
// application name (the program file's base name).
#pragma once

#include <QString>

namespace veltara {

// The program file's name without its extension.
QString ApplicationName();

// The stored text, or an empty text when the key is absent or the store
// cannot be read.
QString GetSetting(const QString &section, const QString &key);
// Stores a text; false when the store cannot be written.
bool SaveSetting(const QString &section, const QString &key, const QString &value);

} // namespace veltara
