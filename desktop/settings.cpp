#include "settings.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QSettings>

namespace veltara {

namespace {

// Organisation and application are both the application name, so the store
// is <config>/<name>/<name>.conf on Linux.
QSettings OpenStore()
{
    const QString name = ApplicationName();
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, name, name);
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
    if (IsHomelessStore(store.fileName()) || store.status() != QSettings::NoError)
        return QString();
    return store.value(KeyPath(section, key)).toString();
}

bool SaveSetting(const QString &section, const QString &key, const QString &value)
{
    QSettings store = OpenStore();
    if (IsHomelessStore(store.fileName()) || !store.isWritable())
        return false;
    store.setValue(KeyPath(section, key), value);
    store.sync();
    return store.status() == QSettings::NoError;
}

QString SettingsFilePath()
{
    const QSettings store = OpenStore();
    return IsHomelessStore(store.fileName()) ? QString() : store.fileName();
}

} // namespace veltara
