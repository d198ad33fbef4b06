#include "singleinstance.h"

#include <QStandardPaths>

#include <qt_windows.h>

namespace veltara {

void InstanceLock::release()
{
    if (m_handle == -1)
        return;
    CloseHandle(reinterpret_cast<HANDLE>(m_handle));
    m_handle = -1;
}

InstanceLock::Result InstanceLock::lockFile(const QString &shownPath)
{
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
    return Result::Acquired;
}

QString DefaultInstanceLockFolder()
{
    // The store is a registry key; the lock goes into the user's own
    // application data, which no other user can write.
    return QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
}

} // namespace veltara
