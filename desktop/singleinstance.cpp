#include "singleinstance.h"

#include "messages.h"
#include "settings.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QWidget>

#include <memory>

#ifdef Q_OS_WIN
#include <qt_windows.h>
#else
#include <sys/file.h>
#include <sys/stat.h>
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>
#endif

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

// The lock file itself stays: removing it would let a copy that has just
// opened the old file and a copy that creates a new one both hold "the" lock.
void InstanceLock::release()
{
    if (m_handle == -1)
        return;
#ifdef Q_OS_WIN
    CloseHandle(reinterpret_cast<HANDLE>(m_handle));
#else
    ::close(int(m_handle));
#endif
    m_handle = -1;
}

InstanceLock::Result InstanceLock::acquire()
{
    if (m_handle != -1)
        return Result::Acquired;
    m_error.clear();
    const auto unavailable = [this](const QString &why) {
        m_error = why;
        return Result::Unavailable;
    };
    if (m_path.isEmpty())
        return unavailable(QStringLiteral("there is no settings folder to keep the lock in"));
    if (!QDir().mkpath(m_folder))
        return unavailable(QStringLiteral("cannot create the folder %1").arg(QDir::toNativeSeparators(m_folder)));
    const QString shownPath = QDir::toNativeSeparators(m_path);

#ifdef Q_OS_WIN
    // Sharing allowed, so another copy opens the file and finds it locked.
    const HANDLE file = CreateFileW(reinterpret_cast<const wchar_t *>(shownPath.utf16()), GENERIC_READ | GENERIC_WRITE,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return unavailable(QStringLiteral("cannot open %1: %2").arg(shownPath, qt_error_string(int(GetLastError()))));
    OVERLAPPED start = {};
    if (!LockFileEx(file, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &start)) {
        const DWORD error = GetLastError();
        CloseHandle(file);
        if (error == ERROR_LOCK_VIOLATION || error == ERROR_IO_PENDING)
            return Result::HeldByAnother;
        return unavailable(QStringLiteral("cannot lock %1: %2").arg(shownPath, qt_error_string(int(error))));
    }
    m_handle = reinterpret_cast<qintptr>(file);
#else
    const QByteArray name = QFile::encodeName(m_path);
    // A lock file left on a store that has since become read-only still locks.
    int fd = ::open(name.constData(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0 && (errno == EACCES || errno == EROFS))
        fd = ::open(name.constData(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    if (fd < 0)
        return unavailable(QStringLiteral("cannot open %1: %2").arg(shownPath, qt_error_string(errno)));
    // A lock that another user could hold would let that user lock this one out.
    struct stat status;
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode) || status.st_uid != ::geteuid()) {
        ::close(fd);
        return unavailable(QStringLiteral("%1 is not a file of this user").arg(shownPath));
    }
    int locked;
    do {
        locked = ::flock(fd, LOCK_EX | LOCK_NB);
    } while (locked != 0 && errno == EINTR);
    if (locked != 0) {
        const int error = errno;
        ::close(fd);
        if (error == EWOULDBLOCK)
            return Result::HeldByAnother;
        return unavailable(QStringLiteral("cannot lock %1: %2").arg(shownPath, qt_error_string(error)));
    }
    m_handle = fd;
#endif
    return Result::Acquired;
}

QString DefaultInstanceLockFolder()
{
#ifdef Q_OS_WIN
    // The store is a registry key; the lock goes into the user's own
    // application data, which no other user can write.
    return QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
#else
    const QString store = SettingsFilePath();
    return store.isEmpty() ? QString() : QFileInfo(store).absolutePath();
#endif
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
