#include "singleinstance.h"

#include "messages.h"
#include "settings.h"

#include <QApplication>
#include <QDir>
#include <QWidget>

#include <memory>

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
    : m_folder(folder),
      m_path(folder.isEmpty() ? QString() : QDir(folder).filePath(ApplicationName() + QStringLiteral(".lock")))
{
}

InstanceLock::~InstanceLock()
{
    release();
}

InstanceLock::Result InstanceLock::acquire()
{
    if (m_handle != -1)
        return Result::Acquired;
    m_error.clear();
    if (m_path.isEmpty())
        return unavailable(QStringLiteral("there is no settings folder to keep the lock in"));
    if (!QDir().mkpath(m_folder))
        return unavailable(QStringLiteral("cannot create the folder %1").arg(QDir::toNativeSeparators(m_folder)));
    return lockFile(QDir::toNativeSeparators(m_path));
}

InstanceLock::Result InstanceLock::unavailable(const QString &why)
{
    m_error = why;
    return Result::Unavailable;
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
    switch (lock->acquire()) {
    case InstanceLock::Result::Acquired:
        return true;
    case InstanceLock::Result::Unavailable:
        Diagnostic(QStringLiteral("the single-instance guard is off (%1); more copies may run at once")
                       .arg(lock->errorString()));
        lock.reset();
        return true;
    case InstanceLock::Result::HeldByAnother:
        break;
    }

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
