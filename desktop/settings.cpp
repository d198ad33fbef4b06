#include "settings.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSettings>

#ifdef Q_OS_UNIX
#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#endif

namespace veltara {

namespace {

// Organisation and application are both the application name, so the store
// is <config>/<name>/<name>.conf on Linux.
QSettings OpenStore()
{
    const QString name = ApplicationName();
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, name, name);
}

// Without a home folder the configuration folder would be "/.config": a
// store there would be shared by every user without one, and created at the
// root of the file system when run as root.
bool IsHomeless(const QSettings &store)
{
#if defined(Q_OS_UNIX) && !defined(Q_OS_DARWIN)
    return store.fileName().startsWith(QDir::rootPath() + QStringLiteral(".config/"));
#else
    Q_UNUSED(store);
    return false;
#endif
}

QString KeyPath(const QString &section, const QString &key)
{
    return section + QLatin1Char('/') + key;
}

} // namespace

QString ApplicationName()
{
    return QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
}

QString GetSetting(const QString &section, const QString &key)
{
    const QSettings store = OpenStore();
    if (IsHomeless(store) || store.status() != QSettings::NoError)
        return QString();
    return store.value(KeyPath(section, key)).toString();
}

bool SaveSetting(const QString &section, const QString &key, const QString &value)
{
    QSettings store = OpenStore();
    if (IsHomeless(store) || !store.isWritable())
        return false;
    store.setValue(KeyPath(section, key), value);
    store.sync();
    return store.status() == QSettings::NoError;
}

QString SettingsFilePath()
{
    const QSettings store = OpenStore();
    return IsHomeless(store) ? QString() : store.fileName();
}

void UseHomeFromPasswordDatabase()
{
#ifdef Q_OS_UNIX
    const char *home = std::getenv("HOME");
    if (home && *home)
        return;
    const passwd *entry = ::getpwuid(::getuid());
    if (!entry || !entry->pw_dir || entry->pw_dir[0] != '/' || entry->pw_dir[1] == '\0')
        return; // no home folder of its own: the store stays off
    ::setenv("HOME", entry->pw_dir, 1);
#endif
}

} // namespace veltara
