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

// The file of the store (on Windows, where the store is the registry, its
// key). Empty when the user has no home folder to keep it in: the store then
// reads as empty and refuses every write.
QString SettingsFilePath();

// Whether the store's file lies where a user without a home folder would
// share it with every other such user, and create it at the root of the file
// system when run as root: "/.config" (settings_posix.cpp). Never on Windows.
bool IsHomelessStore(const QString &storeFile);

// Where the environment names no home folder (HOME unset or empty), takes the
// user's home folder from the password database, so that the store lies in
// that user's own folder and never at the root of the file system. Call
// before anything asks for a folder. Does nothing on Windows.
void UseHomeFromPasswordDatabase();

} // namespace veltara
