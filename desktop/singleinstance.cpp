#include "singleinstance.h"

#include "messages.h"
#include "settings.h"

#include <QApplication>
#include <QDir>
#include <QLockFile>
#include <QStandardPaths>
#include <QWidget>

namespace veltara {

namespace {

QString &overriddenFolder()
{
    static QString folder;
    return folder;
}

std::unique_ptr<InstanceLock> &processLock()
{
    static std::unique_ptr<InstanceLock> lock;
    return lock;
}

} // namespace

InstanceLock::InstanceLock(const QString &folder)
    : m_path(QDir(folder).filePath(ApplicationName() + QStringLiteral(".lock")))
{
    QDir().mkpath(folder);
    m_lock = std::make_unique<QLockFile>(m_path);
    // Never treat a running holder's lock as stale, however old it is; a lock
    // whose holder has died is still taken over.
    m_lock->setStaleLockTime(0);
}

InstanceLock::~InstanceLock() = default;

bool InstanceLock::tryAcquire()
{
    return m_lock->isLocked() || m_lock->tryLock(0);
}

QString InstanceLock::path() const
{
    return m_path;
}

QString DefaultInstanceLockFolder()
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty())
        folder = QDir::tempPath();
    return folder;
}

void SetInstanceLockFolder(const QString &folder)
{
    overriddenFolder() = folder;
}

bool EnsureSingleInstance()
{
    auto &lock = processLock();
    if (!lock) {
        const QString folder = overriddenFolder().isEmpty() ? DefaultInstanceLockFolder() : overriddenFolder();
        lock = std::make_unique<InstanceLock>(folder);
    }
    if (lock->tryAcquire())
        return true;

    lock.reset();
    MsgBox(QStringLiteral("Application is already running"), MsgStyle::OkOnly + MsgStyle::Information);
    QuitApplication();
    return false;
}

void ReleaseSingleInstance()
{
    processLock().reset();
}

void QuitApplication()
{
    static bool quitting = false;
    if (quitting)
        return;
    quitting = true;
    // Close the windows one after the other, modal ones first.
    while (QWidget *modal = QApplication::activeModalWidget()) {
        if (!modal->close())
            break;
    }
    QApplication::closeAllWindows();
    QCoreApplication::exit(0);
    quitting = false;
}

} // namespace veltara
